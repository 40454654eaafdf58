#pragma once
// Files as the engines see them: whole operations that open, act and close,
// returning a plain result. Paths are full Windows paths in UTF-16.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

using Path = std::wstring;

// The reparse tags of the two kinds of link: a symbolic link and a junction.
// Any other reparse point (a cloud placeholder, a deduplicated file) is the
// item itself, and nothing here deletes or changes it. Tag 0 means the
// system reported none, as Wine does for its links.
inline constexpr std::uint32_t kReparseTagSymlink = 0xA000000Cu;
inline constexpr std::uint32_t kReparseTagJunction = 0xA0000003u;
inline constexpr bool IsLinkTag(std::uint32_t tag) {
  return tag == 0 || tag == kReparseTagSymlink || tag == kReparseTagJunction;
}

// One direct entry of a folder.
struct FolderEntry {
  std::wstring name;    // without the folder
  bool isFolder = false;
  bool isLink = false;  // a junction or symbolic link: never followed
};

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

  // Creates the file only when no file of that name exists, and writes the
  // bytes; an existing file is left exactly as it is. False when the file
  // was not created (it exists, or it could not be made).
  virtual bool CreateNew(const Path& path, std::string_view bytes) = 0;

  // The direct entries of a folder ("." and ".." left out), in the order the
  // system lists them. False (and no entries) when the folder is missing or
  // cannot be read. A link is listed as an entry of its own; what it points
  // at is not looked into.
  virtual bool ListFolder(const Path& folder, std::vector<FolderEntry>& entries) const = 0;

  // The shell's description of a file's type, e.g. "Text Document"; it
  // depends on the name only. Empty when the system gives none.
  virtual std::wstring TypeDescription(const Path& path) const = 0;

  // Clears read-only, hidden, system and archive. On a link, the link's own
  // attributes; a reparse point that is no link is left alone. False when the item is missing or cannot be changed.
  virtual bool SetNormalAttributes(const Path& path) = 0;

  // Deletes a file, or a link itself (never what it points at). A real
  // folder and a reparse point that is no link are left alone. Attributes are not changed first, so a read-only
  // or open file stays. False when nothing was removed.
  virtual bool RemoveFile(const Path& path) = 0;

  // The name of an existing file (not a folder) as stored on disk, without
  // its folder; empty when there is no such file.
  virtual std::wstring StoredFileName(const Path& path) const = 0;

  // Length in bytes of an existing file; nothing for a folder or a file that
  // cannot be found.
  virtual std::optional<std::uint64_t> FileLength(const Path& path) const = 0;

  // Called with the number of bytes just read into the buffer; answers
  // whether to go on reading.
  using ChunkTaker = std::function<bool(std::size_t bytes)>;

  // Reads the file from its start, at most `limit` bytes in all, in pieces
  // of at most `room` bytes placed at `buffer`, handing each piece to `take`
  // until it answers false or the file ends. Other programs may read, write
  // and delete the file meanwhile. False when the file cannot be opened or a
  // read fails.
  virtual bool ReadHead(const Path& path, std::uint64_t limit, char* buffer, std::size_t room,
                        const ChunkTaker& take) const = 0;
};

}  // namespace vexa
