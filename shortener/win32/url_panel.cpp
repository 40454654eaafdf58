#include "shortener/win32/url_panel.h"

namespace vexa::shortener {
namespace {

using ui::Kind;
using ui::kOnPage;

constexpr int kRowY = 4860, kBtnW = 1400, kBtnH = 420;

const ui::ControlRow kRows[] = {
    {Label40, kOnPage, Kind::Label, L"Url Shortner", 240, 120, 4000, 360, ui::kBold},
    {Label42, kOnPage, Kind::Label, L"Long URL :", 240, 600, 1500, 300},
    {Tlong, kOnPage, Kind::Edit, UrlShortenerPage::kTlongText, 240, 930, 8040, 330},
    {Option1, kOnPage, Kind::Radio, L"Server 1", 480, 1560, 1500, 300, ui::kGroupStart},
    {Option2, kOnPage, Kind::Radio, L"Server 2", 2280, 1560, 1500, 300},
    {Option3, kOnPage, Kind::Radio, L"Server 3", 4080, 1560, 1300, 300, ui::kChecked},
    {Label43, kOnPage, Kind::Label, L"(recommended)", 5400, 1580, 1800, 300},
    // Under the choices it frames (a group box drawn over them would hide them).
    {frameServices, kOnPage, Kind::Frame, L"", 240, 1380, 8040, 600},
    {C, kOnPage, Kind::Button, UrlShortenerPage::kCCaption, 240, 2160, 1600, kBtnH},
    {Tout, kOnPage, Kind::Memo, L"", 240, 2700, 8040, 1980},
    {oxbutton16, kOnPage, Kind::Button, L"<< Back", 6880, kRowY, kBtnW, kBtnH},
};

}  // namespace

UrlPanel::UrlPanel(const UrlShortenerServices& services)
    : page_({Tlong_, Tout_, Option1_, Option2_, Option3_, C_}, services) {}

void UrlPanel::Create(ui::Layout& layout, const ui::Site& site) {
  layout.Add(kRows, site);
  layout.Attach({{&Tlong_, Tlong}, {&Tout_, Tout}, {&Option1_, Option1}, {&Option2_, Option2}, {&Option3_, Option3},
                 {&C_, C}});
  tlongDblClick_.Attach(layout.Control(Tlong));
  back_ = site.back;
}

bool UrlPanel::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case C: page_.C_Click(); return true;
    case oxbutton16: back_(); return true;
    default: return false;
  }
}

}  // namespace vexa::shortener
