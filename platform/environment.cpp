#include "platform/environment.h"

namespace vexa {

namespace {
std::wstring::size_type LastSeparator(const std::wstring& path) {
  return path.find_last_of(L"\\/");
}
}  // namespace

std::wstring Environment::AppFolder() const {
  std::wstring path = ExecutablePath();
  auto cut = LastSeparator(path);
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}

std::wstring Environment::ExecutableFileName() const {
  std::wstring path = ExecutablePath();
  auto cut = LastSeparator(path);
  return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

}  // namespace vexa
