#pragma once
#include <string>

namespace vexa {

// The desktop shell's view of files.
class Shell {
 public:
  virtual ~Shell() = default;

  // Opens a document with the program Windows associates with it (the default
  // verb), from the given working folder. Failures are not reported.
  virtual void OpenDocument(const std::wstring& file, const std::wstring& workingFolder) = 0;
};

}  // namespace vexa
