// Host stand-in for the ANSI code page: Latin-1, anything else becomes '?'.
#include "platform/text.h"

namespace vexa {

std::string ToAnsi(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t c : text) out.push_back(static_cast<unsigned>(c) < 0x100 ? static_cast<char>(c) : '?');
  return out;
}

std::wstring FromAnsi(std::string_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (char c : text) out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace vexa
