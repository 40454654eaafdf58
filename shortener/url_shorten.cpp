#include "shortener/url_shorten.h"

#include <utility>

#include "platform/http_url.h"
#include "platform/text.h"

namespace vexa::shortener {

namespace {

struct ServiceRule {
  const wchar_t* publicBase;  // scheme and host of the public API
  bool jsonReply;             // false: the reply is the short address as plain text
};

// HTTPS wherever the service offers it; po.st answers on plain HTTP only.
constexpr ServiceRule kServices[kShortenServiceCount] = {
    {L"https://api-ssl.bitly.com", true},  // Bitly, v3 API
    {L"https://tinyurl.com", false},
    {L"https://is.gd", false},
    {L"https://ink.co", true},
    {L"https://tiny.cc", true},
    {L"http://po.st", true},
};

constexpr ShortenService kOrder[kShortenServiceCount] = {ShortenService::Bitly, ShortenService::TinyUrl,
                                                         ShortenService::IsGd,  ShortenService::InkCo,
                                                         ShortenService::TinyCC, ShortenService::PoSt};

void ReplaceAll(std::wstring& text, std::wstring_view what, std::wstring_view with) {
  if (what.empty()) return;
  std::wstring out;
  std::size_t from = 0;
  for (std::size_t at = text.find(what); at != std::wstring::npos; at = text.find(what, from)) {
    out.append(text, from, at - from);
    out.append(with);
    from = at + what.size();
  }
  if (from == 0) return;
  out.append(text, from, std::wstring::npos);
  text = std::move(out);
}

void RemoveAll(std::wstring& text, wchar_t c) { std::erase(text, c); }

bool IsMissing(const std::wstring& field) { return IsBlank(field); }

}  // namespace

// ---------------------------------------------------------------- endpoints

ShortenerEndpoints ShortenerEndpoints::Public() {
  ShortenerEndpoints e;
  for (int i = 0; i < kShortenServiceCount; ++i) e.base_[i] = kServices[i].publicBase;
  return e;
}

std::optional<ShortenerEndpoints> ShortenerEndpoints::Redirected(std::wstring_view base) {
  std::wstring b = Trim(base);
  while (!b.empty() && b.back() == L'/') b.pop_back();
  if (!SplitHttpUrl(b) || b.find_first_of(L"?# \t\r\n") != std::wstring::npos) return std::nullopt;
  ShortenerEndpoints e;
  e.base_.fill(b);
  e.loopback_ = IsLoopbackUrl(b);
  return e;
}

ShortenerEndpoints ShortenerEndpoints::FromEnvironment(const Environment& env) {
  std::wstring base = env.Get(kShortenerBaseVariable);
  if (!IsBlank(base))
    if (auto redirected = Redirected(base)) return *redirected;
  return Public();
}

// ---------------------------------------------------------------- text rules

std::wstring cUrlShorten::EncodeUrl(std::wstring& longUrl) {
  static constexpr std::pair<std::wstring_view, std::wstring_view> kTable[] = {
      {L"!", L"%21"}, {L"#", L"%23"}, {L"$", L"%24"}, {L"&", L"%26"}, {L"'", L"%27"}, {L"(", L"%28"},
      {L")", L"%29"}, {L"*", L"%2A"}, {L"+", L"%2B"}, {L",", L"%2C"}, {L"/", L"%2F"}, {L":", L"%3A"},
      {L";", L"%3B"}, {L"=", L"%3D"}, {L"?", L"%3F"}, {L"@", L"%40"}, {L"[", L"%5B"}, {L"]", L"%5D"},
  };
  for (const auto& [c, escape] : kTable) ReplaceAll(longUrl, c, escape);
  return longUrl;
}

std::wstring cUrlShorten::StripJson(std::wstring_view text) {
  std::wstring s(text);
  RemoveAll(s, L' ');
  RemoveAll(s, L'"');
  RemoveAll(s, L'}');
  RemoveAll(s, L'{');
  return s;
}

std::wstring cUrlShorten::ParseJsonReply(std::wstring_view reply) {
  std::wstring s = StripJson(reply);
  for (std::wstring_view marker : {std::wstring_view(L",url:"), std::wstring_view(L",link:"),
                                   std::wstring_view(L"short_url:")}) {
    std::size_t at = s.find(marker);
    if (at == std::wstring::npos) continue;
    std::wstring value = s.substr(at + marker.size());
    value = value.substr(0, value.find(L','));
    ReplaceAll(value, L"\\/", L"/");
    return value;
  }
  return {};
}

// ---------------------------------------------------------------- requests

cUrlShorten::cUrlShorten(HttpClient& http, ConnectionCheck& connection, ShortenerEndpoints endpoints)
    : http_(http), connection_(connection), endpoints_(std::move(endpoints)) {}

std::wstring cUrlShorten::RequestUrl(ShortenService service, const std::wstring& e) const {
  std::wstring url = endpoints_.Of(service);
  switch (service) {
    case ShortenService::Bitly:
      return url + L"/v3/shorten?" + L"access_token=" + ACCESSTOKENbityly + L"&longUrl=" + e;
    case ShortenService::TinyUrl:
      return url + L"/api-create.php?url=" + e;
    case ShortenService::IsGd:
      return url + L"/create.php?format=simple&url=" + e;
    case ShortenService::InkCo:
      return url + L"/api.php?task=quicken&url=" + e;
    case ShortenService::TinyCC:
      // The fixed part already ends in '&', so the query carries "&&".
      return url + L"/?c=rest_api&m=shorten&version=2.0.3&format=json&" + L"&longUrl=" + e + L"&login=" +
             USERNAMEtinycc + L"&apiKey=" + ACCESSTOKENtinycc;
    case ShortenService::PoSt:
      return url + L"/api/shorten?" + L"&longUrl=" + e + L"&apiKey=" + ACCESSTOKENpost;
  }
  return url;
}

void cUrlShorten::ShortUrl(ShortenSink& sink, bool bBitly, bool bTinyUrl, bool bIsGd, bool bInkCo, bool bTinyCC,
                           bool bPoSt) {
  const ui::RunMark run(busy_);
  if (run.Refused()) return;

  if (IsMissing(smodLongUrl)) {
    sink.Error(L"cUrlShorten.sShortUrl.variable [sLongUrl] not supplied");
    return;
  }
  const std::wstring e = EncodeUrl(smodLongUrl);

  const bool wanted[kShortenServiceCount] = {bBitly, bTinyUrl, bIsGd, bInkCo, bTinyCC, bPoSt};
  for (ShortenService service : kOrder) {
    if (!wanted[static_cast<int>(service)]) continue;
    const wchar_t* missing = nullptr;
    if (service == ShortenService::Bitly && IsMissing(ACCESSTOKENbityly))
      missing = L"cUrlShorten.sShortUrl.access token [ACCESSTOKENbitly] not supplied";
    else if (service == ShortenService::TinyCC && IsMissing(ACCESSTOKENtinycc))
      missing = L"cUrlShorten.sShortUrl.access token [ACCESSTOKENtinycc] not supplied";
    else if (service == ShortenService::PoSt && IsMissing(ACCESSTOKENpost))
      missing = L"cUrlShorten.sShortUrl.access token [ACCESSTOKENpost] not supplied";
    if (missing) {
      sink.Error(missing);
      continue;
    }
    std::wstring r = SendRequest(sink, service, RequestUrl(service, e));
    sink.sShortUrl(r);
    sink.DoEvents();
  }
}

bool cUrlShorten::IsInternetConnected() {
  // A machine without a default route calls itself off line even though its
  // loopback address answers; requests kept on loopback need no route out.
  if (endpoints_.OnLoopback()) return true;
  return connection_.IsInternetConnected();
}

std::wstring cUrlShorten::SendRequest(ShortenSink& sink, ShortenService service, const std::wstring& url) {
  std::wstring result;
  if (IsInternetConnected()) {
    HttpRequest request;
    request.url = url;
    request.headers.emplace_back(L"User-Agent", kUserAgent);
    request.timeoutMs = timeoutMs_;
    HttpReply reply = http_.Get(request, [&sink] { sink.DoEvents(); });
    // A request that could not be made, timed out or was refused by the
    // service gives empty text, the same as an answer without an address.
    if (reply.Succeeded()) {
      std::wstring text = FromUtf8(reply.body);
      result = kServices[static_cast<int>(service)].jsonReply ? ParseJsonReply(text) : std::move(text);
    }
  }
  if (!IsInternetConnected())
    sink.ShowBox(L"Not Connected To Internet", L"Not Connected", ui::BoxIcon::Exclamation);
  return result;
}

}  // namespace vexa::shortener
