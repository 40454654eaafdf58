#include "shortener/url_shortener_page.h"

#include <algorithm>

#include "platform/text.h"

namespace vexa::shortener {

namespace {
std::wstring LowerAscii(std::wstring text) {
  for (wchar_t& ch : text)
    if (ch >= L'A' && ch <= L'Z') ch = static_cast<wchar_t>(ch - L'A' + L'a');
  return text;
}
}  // namespace

UrlShortenerPage::UrlShortenerPage(const UrlShortenerControls& controls, const UrlShortenerServices& services)
    : ui::PageSink(services.boxes, services.pump),
      cShort(services.http, services.connection, ShortenerEndpoints::FromEnvironment(services.env)),
      c_(controls),
      log_(services.log) {}

void UrlShortenerPage::C_Click() {
  // A click that arrives while the last one's requests still run (the wait
  // pumps window events) starts nothing.
  if (cShort.Busy()) return;

  std::wstring t = Trim(c_.Tlong.Text());
  if (t.empty() || LowerAscii(t) == L"long url") return;

  const bool bBitly = c_.Option1.Value() != 0;
  const bool bTinyUrl = c_.Option2.Value() != 0;
  const bool bIsGd = c_.Option3.Value() != 0;
  if (bBitly || bTinyUrl || bIsGd) c_.Tout.SetText(L"");

  cShort.ACCESSTOKENbityly.clear();
  cShort.ACCESSTOKENtinycc.clear();
  cShort.USERNAMEtinycc.clear();
  cShort.ACCESSTOKENpost.clear();
  cShort.smodLongUrl = c_.Tlong.Text();
  cShort.ShortUrl(*this, bBitly, bTinyUrl, bIsGd, false, false, false);
}

void UrlShortenerPage::Tlong_DblClick() { c_.Tlong.SetText(L"http://"); }

void UrlShortenerPage::Error(const std::wstring& sErrDesc) {
  ShowBox(sErrDesc + L" Or Connected to server error", L"Not Supplies", ui::BoxIcon::Exclamation);
}

void UrlShortenerPage::sShortUrl(const std::wstring& sShortUrl) {
  // Plain-text services end their answer with a line break of their own.
  // Tout holds one address per line, each ended by CR LF, so that break is
  // not carried in (a bare LF would also end up inside the log's line).
  std::wstring address = sShortUrl;
  while (!address.empty() && (address.back() == L'\n' || address.back() == L'\r')) address.pop_back();
  // Any other line break or control character is no short address: it would
  // write lines of the service's choosing into Tout and the activity log.
  if (std::any_of(address.begin(), address.end(), [](wchar_t ch) { return ch < 0x20 || ch == 0x7F; }))
    address.clear();
  if (!IsBlank(address)) c_.Tout.SetText(c_.Tout.Text() + address + L"\r\n");
  // A log that cannot be written loses this block only.
  log_.AppendToLog(kLogFileName, log_entry::UrlShortened(c_.Tlong.Text(), c_.Tout.Text()));
}

}  // namespace vexa::shortener
