#pragma once
// The URL panel of the main window: a long address in Tlong, a choice of
// three services, "Short URL" (C), and the short addresses collected in Tout.
// Every answer is written to the activity log as a three-line block.
#include <string>

#include "log/activity_log.h"
#include "platform/environment.h"
#include "platform/http_client.h"
#include "platform/ui.h"
#include "shortener/url_shorten.h"

namespace vexa::shortener {

// The panel's controls, adapted by the window.
struct UrlShortenerControls {
  ui::Caption& Tlong;    // text box: the long address
  ui::Caption& Tout;     // multi-line text box: one short address per line
  ui::Toggle& Option1;   // "Server 1": Bitly
  ui::Toggle& Option2;   // "Server 2": TinyURL
  ui::Toggle& Option3;   // "Server 3": is.gd (recommended, selected at start)
  ui::Button& C;         // "Short URL"
};

// What the panel needs from the rest of the program.
struct UrlShortenerServices {
  HttpClient& http;
  ConnectionCheck& connection;
  ui::MessageBoxes& boxes;
  ui::EventPump& pump;
  ActivityLog& log;
  const Environment& env;  // VEXA_SHORTENER_BASE, read once here
};

class UrlShortenerPage : private ui::PageSink, private ShortenSink {
 public:
  // Design values of the panel's controls.
  static constexpr wchar_t kTlongText[] = L"Url";
  static constexpr wchar_t kCCaption[] = L"Short URL";
  // This handler writes the log under this spelling of its name.
  static constexpr wchar_t kLogFileName[] = L"VexaLog.log";

  UrlShortenerPage(const UrlShortenerControls& controls, const UrlShortenerServices& services);
  UrlShortenerPage(const UrlShortenerPage&) = delete;
  UrlShortenerPage& operator=(const UrlShortenerPage&) = delete;

  // Handlers the window forwards.
  void C_Click();
  void Tlong_DblClick();

  // True while a click's requests are running.
  bool Busy() const { return cShort.Busy(); }

  cUrlShorten cShort;

 private:
  // cShort's events.
  void Error(const std::wstring& sErrDesc) override;
  void sShortUrl(const std::wstring& sShortUrl) override;

  UrlShortenerControls c_;
  ActivityLog& log_;
};

}  // namespace vexa::shortener
