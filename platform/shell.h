#pragma once
#include <cstdint>
#include <string>

namespace vexa {

// The desktop shell's view of files.
class Shell {
 public:
  virtual ~Shell() = default;

  // Opens a document with the program Windows associates with it (the default
  // verb), from the given working folder. Failures are not reported.
  virtual void OpenDocument(const std::wstring& file, const std::wstring& workingFolder) = 0;

  // Opens a web address with the "open" verb, on behalf of a window (its
  // handle value; 0 for none). Failures are not reported.
  virtual void OpenAddress(const std::wstring& address, std::uintptr_t ownerWindow) = 0;
};

}  // namespace vexa
