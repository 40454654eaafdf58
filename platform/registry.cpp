#include "platform/registry.h"

namespace vexa {

const wchar_t* RootName(RegRoot root) {
  switch (root) {
    case RegRoot::ClassesRoot:
      return L"HKEY_CLASSES_ROOT";
    case RegRoot::CurrentUser:
      return L"HKEY_CURRENT_USER";
    case RegRoot::LocalMachine:
      return L"HKEY_LOCAL_MACHINE";
    case RegRoot::Users:
      return L"HKEY_USERS";
  }
  return L"";
}

namespace {
// UTF-16 code units of a text, whatever the width of wchar_t here.
template <typename Sink>
void ForEachUnit(std::wstring_view text, Sink sink) {
  for (wchar_t c : text) {
    auto cp = static_cast<std::uint32_t>(c);
    if (cp > 0xFFFF && cp <= 0x10FFFF) {
      cp -= 0x10000;
      sink(static_cast<std::uint16_t>(0xD800 + (cp >> 10)));
      sink(static_cast<std::uint16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      sink(static_cast<std::uint16_t>(cp));
    }
  }
}
}  // namespace

std::vector<std::uint8_t> RegStringData(std::wstring_view text) {
  std::vector<std::uint8_t> out;
  out.reserve(text.size() * 2 + 2);
  ForEachUnit(text, [&](std::uint16_t u) {
    out.push_back(static_cast<std::uint8_t>(u & 0xFF));
    out.push_back(static_cast<std::uint8_t>(u >> 8));
  });
  out.push_back(0);
  out.push_back(0);
  return out;
}

std::vector<std::uint8_t> RegDwordData(std::int32_t number) {
  auto u = static_cast<std::uint32_t>(number);
  return {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8), static_cast<std::uint8_t>(u >> 16),
          static_cast<std::uint8_t>(u >> 24)};
}

std::wstring RegDataText(const std::vector<std::uint8_t>& data) {
  std::wstring out;
  for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
    std::uint32_t u = data[i] | (data[i + 1] << 8);
    if (u == 0) break;
    if constexpr (sizeof(wchar_t) == 4) {
      if (u >= 0xD800 && u < 0xDC00 && i + 3 < data.size()) {
        std::uint32_t lo = data[i + 2] | (data[i + 3] << 8);
        if (lo >= 0xDC00 && lo < 0xE000) {
          out.push_back(static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00)));
          i += 2;
          continue;
        }
      }
    }
    out.push_back(static_cast<wchar_t>(u));
  }
  return out;
}

void AppendUtf16Le(std::string& out, std::wstring_view text) {
  ForEachUnit(text, [&](std::uint16_t u) {
    out.push_back(static_cast<char>(u & 0xFF));
    out.push_back(static_cast<char>(u >> 8));
  });
}

}  // namespace vexa
