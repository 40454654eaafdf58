#pragma once
// Files as the engines see them: whole operations that open, act and close,
// returning a plain result. Paths are full Windows paths in UTF-16.
#include <string>
#include <string_view>

namespace vexa {

using Path = std::wstring;

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True when a file or folder exists at the path.
  virtual bool Exists(const Path& path) const = 0;

  // Opens the file for appending (creating it when missing), writes the
  // bytes, closes it. False when the file could not be opened or written.
  virtual bool Append(const Path& path, std::string_view bytes) = 0;

  // Creates the file (replacing any old one), writes the bytes, closes it.
  virtual bool WriteNew(const Path& path, std::string_view bytes) = 0;
};

}  // namespace vexa
