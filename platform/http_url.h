#pragma once
// Reading an http(s) address into the pieces an HTTP stack asks for.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vexa {

struct HttpUrlParts {
  bool secure = false;          // https
  std::wstring host;            // lower-cased; an IPv6 literal without its brackets
  std::uint16_t port = 0;       // the scheme's default when none is given
  std::wstring pathAndQuery;    // starts with '/'; ready for the request line
};

// nullopt unless the address is "http://" or "https://" (any letter case)
// followed by a host, an optional ":port" (1-65535) and anything after.
// The fragment ('#' on) is dropped; user information ("name@") is refused.
// The path and query are escaped with EscapeForRequestLine.
std::optional<HttpUrlParts> SplitHttpUrl(std::wstring_view url);

// Characters that cannot stand in a request line (blanks, control
// characters, non-ASCII, and " < > \ ^ ` { | }) become %XX escapes of their
// UTF-8 bytes; '%' and everything else is kept, so text that is already
// escaped goes out unchanged.
std::wstring EscapeForRequestLine(std::wstring_view text);

// "localhost", 127.0.0.0/8 in dotted form, and ::1.
bool IsLoopbackHost(std::wstring_view host);
bool IsLoopbackUrl(std::wstring_view url);

}  // namespace vexa
