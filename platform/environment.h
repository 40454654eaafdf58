#pragma once
#include <string>
#include <string_view>

namespace vexa {

// Process environment and the program's own location.
class Environment {
 public:
  virtual ~Environment() = default;

  // Value of an environment variable; empty text when it is not set.
  virtual std::wstring Get(std::wstring_view name) const = 0;

  // Full path of the running executable.
  virtual std::wstring ExecutablePath() const = 0;

  // Folder of the running executable, without a trailing backslash.
  std::wstring AppFolder() const;

  // File name of the running executable, without its folder.
  std::wstring ExecutableFileName() const;
};

}  // namespace vexa
