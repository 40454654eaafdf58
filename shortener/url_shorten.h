#pragma once
// cUrlShorten: turns one long address into short ones by asking up to six
// public URL-shortening services, one GET each, in a fixed order. Results
// come back as events through a sink: one sShortUrl per request made (empty
// text when the service gave nothing usable), one Error per missing field.
//
// Where the requests go: each service's public API host, unless the
// environment variable VEXA_SHORTENER_BASE holds another base address
// ("http://127.0.0.1:8080"), in which case all six go there with their usual
// paths and queries. That is for tests on loopback and nothing else.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/environment.h"
#include "platform/http_client.h"
#include "platform/ui.h"

namespace vexa::shortener {

// The services, in the order ShortUrl asks them.
enum class ShortenService { Bitly, TinyUrl, IsGd, InkCo, TinyCC, PoSt };
inline constexpr int kShortenServiceCount = 6;

inline constexpr wchar_t kShortenerBaseVariable[] = L"VEXA_SHORTENER_BASE";

// Scheme and host (with port, when not the default) of each service.
class ShortenerEndpoints {
 public:
  // The public API hosts.
  static ShortenerEndpoints Public();

  // All six services at one base address ("http://host:port", optionally
  // followed by a path prefix; a trailing '/' is dropped). Anything other
  // than an http:// or https:// address with a host gives nothing.
  static std::optional<ShortenerEndpoints> Redirected(std::wstring_view base);

  // Redirected(VEXA_SHORTENER_BASE) when that variable holds a usable
  // address, otherwise Public().
  static ShortenerEndpoints FromEnvironment(const Environment& env);

  const std::wstring& Of(ShortenService service) const { return base_[static_cast<int>(service)]; }

  // True when every request goes to this machine's loopback address.
  bool OnLoopback() const { return loopback_; }

 private:
  std::array<std::wstring, kShortenServiceCount> base_;
  bool loopback_ = false;
};

// cUrlShorten's events, and the box and event pump of the page it works for.
class ShortenSink : public virtual ui::EngineSink {
 public:
  virtual void Error(const std::wstring& sErrDesc) = 0;
  virtual void sShortUrl(const std::wstring& sShortUrl) = 0;
};

class cUrlShorten {
 public:
  static constexpr wchar_t kUserAgent[] = L"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

  cUrlShorten(HttpClient& http, ConnectionCheck& connection, ShortenerEndpoints endpoints = ShortenerEndpoints::Public());
  cUrlShorten(const cUrlShorten&) = delete;
  cUrlShorten& operator=(const cUrlShorten&) = delete;

  // Fields the caller fills before ShortUrl. ShortUrl writes the encoded
  // form of the long address back into smodLongUrl.
  std::wstring ACCESSTOKENbityly;
  std::wstring ACCESSTOKENtinycc;
  std::wstring USERNAMEtinycc;
  std::wstring ACCESSTOKENpost;
  std::wstring smodLongUrl;

  // One request per flag set, in this order; returns when all have ended.
  // The sink's events are pumped while each request waits and after each
  // sShortUrl event. A call made while a run is in progress (from one of
  // those events) does nothing.
  void ShortUrl(ShortenSink& sink, bool bBitly = false, bool bTinyUrl = false, bool bIsGd = false,
                bool bInkCo = false, bool bTinyCC = false, bool bPoSt = false);

  bool Busy() const { return busy_; }

  // The longest one request may take; kHttpTimeoutMs unless a test says less.
  void SetTimeout(unsigned ms) { timeoutMs_ = ms; }

  const ShortenerEndpoints& Endpoints() const { return endpoints_; }

  // The GET address for a service, given the already encoded long address.
  std::wstring RequestUrl(ShortenService service, const std::wstring& encodedLongUrl) const;

  // The text rules, public so that they can be checked on their own.

  // Percent-escapes the 18 reserved characters (upper-case hex), writes the
  // result back into longUrl and returns it. Nothing else is touched.
  static std::wstring EncodeUrl(std::wstring& longUrl);

  // The text without blanks, double quotes and braces.
  static std::wstring StripJson(std::wstring_view text);

  // The short address in a JSON reply, read by marker (",url:", ",link:",
  // "short_url:", the first one present); empty text when there is none.
  static std::wstring ParseJsonReply(std::wstring_view reply);

 private:
  std::wstring SendRequest(ShortenSink& sink, ShortenService service, const std::wstring& url);
  bool IsInternetConnected();

  HttpClient& http_;
  ConnectionCheck& connection_;
  ShortenerEndpoints endpoints_;
  unsigned timeoutMs_ = kHttpTimeoutMs;
  bool busy_ = false;
};

}  // namespace vexa::shortener
