#include "shortener/url_shortener_page.h"

#include "platform/text.h"

namespace vexa {

namespace {
std::wstring LowerAscii(std::wstring text) {
  for (wchar_t& ch : text)
    if (ch >= L'A' && ch <= L'Z') ch = static_cast<wchar_t>(ch - L'A' + L'a');
  return text;
}
}  // namespace

UrlShortenerPage::UrlShortenerPage(const UrlShortenerControls& controls, const UrlShortenerServices& services)
    : cShort(services.http, services.connection, services.boxes, services.pump,
             ShortenerEndpoints::FromEnvironment(services.env)),
      c_(controls),
      boxes_(services.boxes),
      log_(services.log),
      files_(services.files) {
  cShort.Error = [this](const std::wstring& text) { cShort_Error(text); };
  cShort.sShortUrl = [this](const std::wstring& text) { cShort_sShortUrl(text); };
}

void UrlShortenerPage::ApplyDesignValues() {
  c_.Tlong.SetText(kTlongText);
  c_.Option1.SetValue(0);
  c_.Option2.SetValue(0);
  c_.Option3.SetValue(1);
  c_.C.SetText(kCCaption);
}

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
  cShort.ShortUrl(bBitly, bTinyUrl, bIsGd, false, false, false);
}

void UrlShortenerPage::Tlong_DblClick() { c_.Tlong.SetText(L"http://"); }

void UrlShortenerPage::cShort_Error(const std::wstring& sErrDesc) {
  boxes_.Show(sErrDesc + L" Or Connected to server error", L"Not Supplies", ui::BoxIcon::Exclamation);
}

void UrlShortenerPage::cShort_sShortUrl(const std::wstring& sShortUrl) {
  // Plain-text services end their answer with a line break of their own.
  // Tout holds one address per line, each ended by CR LF, so that break is
  // not carried in (a bare LF would also end up inside the log's line).
  std::wstring address = sShortUrl;
  while (!address.empty() && (address.back() == L'\n' || address.back() == L'\r')) address.pop_back();
  if (!IsBlank(address)) c_.Tout.SetText(c_.Tout.Text() + address + L"\r\n");

  std::string bytes;
  for (const LogLine& line : log_entry::UrlShortened(c_.Tlong.Text(), c_.Tout.Text())) bytes += log_.Format(line);
  // A log that cannot be written loses this block only.
  files_.Append(log_.Folder() + L"\\" + kLogFileName, bytes);
}

}  // namespace vexa
