#include "platform/http_url.h"

#include "platform/text.h"

namespace vexa {

namespace {

wchar_t LowerAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool NeedsEscape(wchar_t c) {
  if (c <= 0x20 || c >= 0x7F) return true;
  return std::wstring_view(L"\"<>\\^`{|}").find(c) != std::wstring_view::npos;
}

bool ValidHostChar(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') || c == L'-' || c == L'.' || c == L'_';
}

}  // namespace

std::wstring EscapeForRequestLine(std::wstring_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::wstring out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!NeedsEscape(text[i])) {
      out.push_back(text[i]);
      continue;
    }
    // One character, or a surrogate pair, to UTF-8.
    std::size_t len = 1;
    if (text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000)
      len = 2;
    for (unsigned char b : ToUtf8(text.substr(i, len))) {
      out.push_back(L'%');
      out.push_back(static_cast<wchar_t>(kHex[b >> 4]));
      out.push_back(static_cast<wchar_t>(kHex[b & 0xF]));
    }
    i += len - 1;
  }
  return out;
}

std::optional<HttpUrlParts> SplitHttpUrl(std::wstring_view url) {
  HttpUrlParts parts;
  std::size_t start;
  if (StartsWithNoCase(url, L"http://")) {
    start = 7;
    parts.port = 80;
  } else if (StartsWithNoCase(url, L"https://")) {
    start = 8;
    parts.secure = true;
    parts.port = 443;
  } else {
    return std::nullopt;
  }
  std::wstring_view rest = url.substr(start);
  std::size_t authorityEnd = rest.find_first_of(L"/?#");
  std::wstring_view authority = rest.substr(0, authorityEnd);
  std::wstring_view tail = authorityEnd == std::wstring_view::npos ? std::wstring_view() : rest.substr(authorityEnd);
  if (std::size_t hash = tail.find(L'#'); hash != std::wstring_view::npos) tail = tail.substr(0, hash);

  std::wstring_view host, port;
  if (!authority.empty() && authority.front() == L'[') {
    std::size_t close = authority.find(L']');
    if (close == std::wstring_view::npos) return std::nullopt;
    host = authority.substr(1, close - 1);
    std::wstring_view after = authority.substr(close + 1);
    if (!after.empty()) {
      if (after.front() != L':') return std::nullopt;
      port = after.substr(1);
    }
    for (wchar_t c : host)
      if (!(c == L':' || c == L'.' || (c >= L'0' && c <= L'9') || (LowerAscii(c) >= L'a' && LowerAscii(c) <= L'f')))
        return std::nullopt;
  } else {
    std::size_t colon = authority.find(L':');
    host = authority.substr(0, colon);
    if (colon != std::wstring_view::npos) port = authority.substr(colon + 1);
    for (wchar_t c : host)
      if (!ValidHostChar(LowerAscii(c))) return std::nullopt;
  }
  if (host.empty()) return std::nullopt;
  for (wchar_t c : host) parts.host.push_back(LowerAscii(c));

  if (authority.size() > 0 && authority.back() == L':') return std::nullopt;
  if (!port.empty()) {
    unsigned value = 0;
    if (port.size() > 5) return std::nullopt;
    for (wchar_t c : port) {
      if (c < L'0' || c > L'9') return std::nullopt;
      value = value * 10 + static_cast<unsigned>(c - L'0');
    }
    if (value == 0 || value > 65535) return std::nullopt;
    parts.port = static_cast<std::uint16_t>(value);
  }

  parts.pathAndQuery = EscapeForRequestLine(tail);
  if (parts.pathAndQuery.empty() || parts.pathAndQuery.front() != L'/') parts.pathAndQuery.insert(0, L"/");
  return parts;
}

bool IsLoopbackHost(std::wstring_view host) {
  if (host == L"localhost" || host == L"::1") return true;
  if (host.substr(0, 4) != L"127.") return false;
  int dots = 0;
  for (wchar_t c : host) {
    if (c == L'.')
      ++dots;
    else if (c < L'0' || c > L'9')
      return false;
  }
  return dots == 3 && host.back() != L'.';
}

bool IsLoopbackUrl(std::wstring_view url) {
  auto parts = SplitHttpUrl(url);
  return parts && IsLoopbackHost(parts->host);
}

}  // namespace vexa
