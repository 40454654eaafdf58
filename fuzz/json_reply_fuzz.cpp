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

using vexa::shortener::cUrlShorten;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring reply = vexa::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));

  const std::wstring stripped = cUrlShorten::StripJson(reply);
  Check(stripped.size() <= reply.size());
  Check(stripped.find_first_of(L" \"{}") == std::wstring::npos);

  const std::wstring shortUrl = cUrlShorten::ParseJsonReply(reply);
  Check(shortUrl.size() <= stripped.size());
  Check(shortUrl.find_first_of(L" \"{},") == std::wstring::npos);
  if (stripped.find(L",url:") == std::wstring::npos && stripped.find(L",link:") == std::wstring::npos &&
      stripped.find(L"short_url:") == std::wstring::npos)
    Check(shortUrl.empty());
  return 0;
}
