#include "guard/win32/guard_panels.h"

#include <commctrl.h>

#include "controls/designs.h"
#include "controls/win32/controls.h"

namespace vexa::guard {
namespace {

using ui::Kind;
using ui::kOnForm;
using ui::kOnOptions;
using ui::kOnPage;

constexpr int kRowY = 4860, kBtnW = 1400, kBtnH = 420;
constexpr int kLevelMax = 100, kLevelStart = 80;
const controls::PropertyBag kScanLoggerTip = controls::PlateWithTip(L"Scan Proccess Logger", 1, true);
const controls::PropertyBag kSpinnerLook = controls::SpinnerOn(0xFFFFFF);

const ui::ControlRow kLoggerRows[] = {
    // The run's counter, placed so that it lies almost wholly outside the window.
    {PB, kOnForm, Kind::StdProgress, L"", 11520, 7560, 1500, 255},
    {Label23, kOnPage, Kind::Label, L"Logger Blocker", 240, 120, 4000, 360, ui::kBold},
    {ListView2, kOnPage, Kind::ListView, L"", 240, 540, 8040, 3480},
    {PB2, kOnPage, Kind::Vista, L"", 240, 4140, 8040, 255},
    {UCP1, kOnPage, Kind::Spinner, L"", 4800, 4950, 240, 240, 0, &kSpinnerLook},
    {oxbutton1, kOnPage, Kind::Button, LoggerBlockPage::kScan, 240, kRowY, kBtnW, kBtnH, 0, &kScanLoggerTip},
    {oxbutton2, kOnPage, Kind::Button, L"Clear List", 1740, kRowY, kBtnW, kBtnH, ui::kDisabled},
    {oxbutton3, kOnPage, Kind::Button, L"Open Log", 3240, kRowY, kBtnW, kBtnH},
    {oxbutton7, kOnPage, Kind::Button, L"<< BACK", 6880, kRowY, kBtnW, kBtnH},
    // The level, on the Option page.
    {Label27, kOnOptions, Kind::Label, L"Level  :", 360, 3180, 900, 300},
    {BLog, kOnOptions, Kind::HScroll, L"", 1320, 3180, 4200, 270},
    {Text1, kOnOptions, Kind::Edit, L"", 5640, 3150, 900, 330},
    {Label28, kOnOptions, Kind::Label, L"OK", 6660, 3180, 1200, 300, ui::kBold | ui::kBadge},
};

const ui::ControlRow kWindowListRows[] = {
    {List1, kOnPage, Kind::ListBox, L"", 240, 240, 8040, 3780, ui::kMono},
    {chk1, kOnPage, Kind::CheckBox, L"All Windows Proccess", 240, 4140, 3000, 300, ui::kChecked},
    {chk2, kOnPage, Kind::CheckBox, L"Proccess Hidden", 3480, 4140, 3000, 300},
    {cmdRefresh, kOnPage, Kind::Button, L"Refresh", 240, kRowY, kBtnW, kBtnH},
    {cmdEndTsk, kOnPage, Kind::Button, L"End Task", 1740, kRowY, kBtnW, kBtnH},
    {oxbutton9, kOnPage, Kind::Button, L"<< Back", 6880, kRowY, kBtnW, kBtnH},
};

const ui::ControlRow kKeywordRows[] = {
    {Label49, kOnPage, Kind::Label, L"Keyword Blacklist  :", 240, 120, 3000, 300, ui::kBold},
    {List2, kOnPage, Kind::ListBox, L"", 240, 480, 3360, 3240},
    {Text2, kOnPage, Kind::Edit, L"", 240, 3840, 2160, 330},
    {Command3, kOnPage, Kind::Button, L"Add", 2520, 3810, 1080, 390},
    {Command4, kOnPage, Kind::Button, L"Hapus", 2520, 4290, 1080, 390},
    {Label50, kOnPage, Kind::Label, L"Message Show :", 3960, 120, 3000, 300, ui::kBold},
    {Text3, kOnPage, Kind::Memo, L"jangan coba-coba berkata kasar bro\r\n", 3960, 480, 4320, 1560},
    {ckWatch, kOnPage, Kind::Toggle, L"", 3960, 2280, 390, 270, 0, &controls::Switch(true)},
    {Label51, kOnPage, Kind::Label, L"Active", 4500, 2280, 1500, 300},
    {oxbutton18, kOnPage, Kind::Button, L"<< Back", 6880, kRowY, kBtnW, kBtnH},
};

}  // namespace

LoggerPanel::LoggerPanel(ProcessTable& processes, const FileSystem& files, ActivityLog& log, Shell& shell,
                         ui::MessageBoxes& boxes, ui::EventPump& pump)
    : log_(log),
      shell_(shell),
      blok_(processes, files, log),
      page_(blok_, {oxbutton1_, oxbutton2_, listView2_, PB_, PB2_, UCP1_, Timer2_, blog_}, boxes, pump) {}

void LoggerPanel::Create(ui::Layout& layout, const ui::Site& site) {
  layout.Add(kLoggerRows, site);
  layout.Attach({{&oxbutton1_, oxbutton1}, {&oxbutton2_, oxbutton2}, {&PB_, PB}, {&PB2_, PB2}, {&UCP1_, UCP1},
                 {&Text1_, Text1}, {&Label28_, Label28}});
  listView2_.Attach(layout.Control(ListView2));
  blog_.Attach(layout.Control(BLog));
  Timer2_.Attach(layout.Form());
  Timer6_.Attach(layout.Form());
  SendMessageW(layout.Control(PB), PBM_SETRANGE32, 0, 200);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_POS | SIF_PAGE, 0, kLevelMax, 1, kLevelStart};
  SetScrollInfo(layout.Control(BLog), SB_CTL, &si, FALSE);
  back_ = site.back;
}

void LoggerPanel::Load() {
  Text1_.SetText(LevelText(blog_.Value()));
  Timer6_.SetEnabled(true);
}

bool LoggerPanel::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case oxbutton1: page_.oxbutton1_Click(); return true;
    case oxbutton2: page_.oxbutton2_Click(); return true;
    case oxbutton3: OpenLogViewer(log_, shell_); return true;
    case oxbutton7: back_(); return true;
    default: return false;
  }
}

bool LoggerPanel::OnTimer(UINT_PTR id) {
  switch (id) {
    case Timer2: page_.Timer2_Timer(); return true;
    case Timer6: Timer6_Timer(); return true;
    default: return false;
  }
}

bool LoggerPanel::OnHScroll(HWND bar, int code, int pos) {
  if (bar != blog_.hwnd()) return false;
  int v = blog_.Value();
  switch (code) {
    case SB_LINELEFT: v -= 1; break;
    case SB_LINERIGHT: v += 1; break;
    case SB_PAGELEFT: v -= 10; break;
    case SB_PAGERIGHT: v += 10; break;
    case SB_LEFT: v = 0; break;
    case SB_RIGHT: v = kLevelMax; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: v = pos; break;
    default: return true;
  }
  SetScrollPos(bar, SB_CTL, v < 0 ? 0 : (v > kLevelMax ? kLevelMax : v), TRUE);
  return true;
}

void LoggerPanel::Timer6_Timer() {
  const int v = blog_.Value();
  LevelRating rating = RateLevel(v);
  if (rating.changes) {
    bool recolour = rating.color != levelColor_;
    levelColor_ = rating.color;
    Label28_.SetText(rating.caption);
    if (recolour) InvalidateRect(Label28_.hwnd(), nullptr, TRUE);
  }
  Text1_.SetText(LevelText(v));
}

std::optional<COLORREF> LoggerPanel::TextColor(int id) const {
  if (id == Label28) return levelColor_;
  return std::nullopt;
}

WindowListPanel::WindowListPanel(Desktop& desktop, ui::EventPump& pump)
    : page_(desktop, list1_, chk1_, chk2_, pump) {}

void WindowListPanel::Create(ui::Layout& layout, const ui::Site& site) {
  layout.Add(kWindowListRows, site);
  layout.Attach({{&chk1_, chk1}, {&chk2_, chk2}});
  list1_.Attach(layout.Control(List1));
  back_ = site.back;
}

bool WindowListPanel::OnCommand(int id, int code) {
  if (id == List1 && code == LBN_SELCHANGE) {
    page_.List1_Click();
    return true;
  }
  if (code != BN_CLICKED) return false;
  switch (id) {
    case cmdRefresh: page_.cmdRefresh_Click(); return true;
    case cmdEndTsk: page_.cmdEndTsk_Click(); return true;
    case oxbutton9: back_(); return true;
    default: return false;
  }
}

KeywordPanel::KeywordPanel(const Desktop& desktop, ui::MessageBoxes& boxes)
    : page_(desktop, form5_, {list2_, Text2_, Text3_, ckWatch_, Timer8_, boxes}) {}

void KeywordPanel::Create(ui::Layout& layout, const ui::Site& site) {
  layout.Add(kKeywordRows, site);
  layout.Attach({{&Text2_, Text2}, {&Text3_, Text3}, {&ckWatch_, ckWatch}});
  list2_.Attach(layout.Control(List2));
  Timer8_.Attach(layout.Form());
  form5_.SetIconSource(layout.Form());
  back_ = site.back;
  page_.Form_Initialize();
  for (const std::wstring& k : KeywordWatchPage::DesignKeywords()) list2_.Add(k);
}

void KeywordPanel::Load() {
  // The keyword watch runs from the load on, as its switch shows.
  Timer8_.SetEnabled(ckWatch_.Value() == 1);
}

bool KeywordPanel::OnCommand(int id, int code) {
  if (id == Text2 && code == EN_CHANGE) {
    page_.Text2_Change();
    return true;
  }
  if (code != BN_CLICKED) return false;
  switch (id) {
    case Command3: page_.Command3_Click(); return true;
    case Command4: page_.Command4_Click(); return true;
    case ckWatch: page_.ckWatch_Click(); return true;
    case oxbutton18: back_(); return true;
    default: return false;
  }
}

bool KeywordPanel::OnTimer(UINT_PTR id) {
  if (id != Timer8) return false;
  page_.Timer8_Timer();
  return true;
}

}  // namespace vexa::guard
