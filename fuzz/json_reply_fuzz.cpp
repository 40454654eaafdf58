// The reply rules of the shortener over arbitrary bytes: whatever a service
// sends, reading it stays inside its buffers and the result keeps the shape
// the rules promise.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/text.h"
#include "shortener/url_shorten.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

constexpr std::wstring_view kReserved = L"!#$&'()*+,/:;=?@[]";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring reply = vexa::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));

  const std::wstring stripped = vexa::cUrlShorten::StripJson(reply);
  Check(stripped.size() <= reply.size());
  Check(stripped.find_first_of(L" \"{}") == std::wstring::npos);

  const std::wstring shortUrl = vexa::cUrlShorten::ParseJsonReply(reply);
  Check(shortUrl.size() <= stripped.size());
  Check(shortUrl.find_first_of(L" \"{},") == std::wstring::npos);
  if (stripped.find(L",url:") == std::wstring::npos && stripped.find(L",link:") == std::wstring::npos &&
      stripped.find(L"short_url:") == std::wstring::npos)
    Check(shortUrl.empty());

  std::wstring url = reply;
  const std::wstring encoded = vexa::cUrlShorten::EncodeUrl(url);
  Check(url == encoded);
  Check(encoded.find_first_of(kReserved) == std::wstring::npos);
  std::size_t reserved = 0;
  for (wchar_t c : reply) reserved += kReserved.find(c) != std::wstring_view::npos;
  Check(encoded.size() == reply.size() + 2 * reserved);
  return 0;
}
