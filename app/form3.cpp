#include "app/form3.h"

#include <commctrl.h>

#include "app/art/art.h"
#include "controls/designs.h"
#include "controls/win32/controls.h"
#include "ui/dpi.h"
#include "ui/layout.h"

namespace vexa::app {

namespace {

constexpr int kWidth = 7170, kHeight = 3840;  // twips

struct AboutItem {
  int id;
  const wchar_t* cls;
  const wchar_t* text;
  int x, y, w, h;
  DWORD style;
};

}  // namespace

Form3::Form3(Shell& shell, HICON icon) : ui::Window(Painting::Buffered), shell_(shell), icon_(icon) {}

void Form3::OnPaint(HDC dc, const RECT& client) { DrawAboutArt(dc, client, dpi_); }

void Form3::ShowAbout() {
  if (!Loaded()) Form_Load();
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
}

void Form3::Form_Load() {
  white_.reset(CreateSolidBrush(RGB(255, 255, 255)));
  RegisterClass(L"VexaForm3", nullptr, RGB(255, 255, 255));
  ui::RegisterPanelClass();
  dpi_ = ui::DpiOf(nullptr);
  auto px = [this](int t) { return ui::TwipsToPixels(t, dpi_); };
  int w = px(kWidth), h = px(kHeight);
  int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  Create(WS_EX_TOOLWINDOW, L"VexaForm3", L"About", WS_POPUP | WS_CLIPCHILDREN, x, y, w, h, nullptr);
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  font_ = ui::MakeFont({L"Comic Sans MS", 9}, dpi_);
  title_ = ui::MakeFont({L"Comic Sans MS", 18, true}, dpi_);
  link_ = ui::MakeFont({L"Comic Sans MS", 9}, dpi_);
  linkUnderlined_ = ui::MakeFont({L"Comic Sans MS", 9, false, true}, dpi_);
  narrow_ = ui::MakeFont({L"Arial Narrow", 10}, dpi_);

  const AboutItem items[] = {
      {Label1, L"STATIC", L"VexaUtility", 2160, 240, 4600, 560, 0},
      {Label2, L"STATIC", L"Cleanner && Additional Tools", 2160, 800, 4600, 300, 0},
      {Picture1, ui::kPanelClass, L"", 2040, 1320, 5000, 1560, WS_CLIPCHILDREN},
      {Label3, L"STATIC", L"Program Version   :", 2160, 1440, 1900, 300, 0},
      {Label4, L"STATIC", L"v2 Build 1", 4080, 1440, 2900, 300, 0},
      {Label7, L"STATIC", L"Publisher             :", 2160, 1800, 1900, 300, 0},
      {Label8, L"STATIC", L"VexaTools", 4080, 1800, 2900, 300, 0},
      {Label9, L"STATIC", L"HomePage            :", 2160, 2160, 1900, 300, 0},
      {Label10, L"STATIC", kWebAddress, 4080, 2160, 2980, 300, SS_NOTIFY},
      {Label15, L"STATIC", kWebAddress, 2160, 2640, 4800, 300, SS_NOTIFY},
      {Label11, L"STATIC", L"Copyright (c) 2015 VexaTools. All rights reserved.", 240, 3420, 5000, 300, 0},
      {oxbutton2, controls::kOxButtonClass, L"<", 5760, 3360, 480, 360, WS_DISABLED},
      {oxbutton1, controls::kOxButtonClass, L">", 6300, 3360, 480, 360, 0},
      {oxbutton3, controls::kOxButtonClass, L"X", 6660, 0, 510, 330, 0},
  };
  for (const AboutItem& it : items) {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | it.style | (it.id == Picture1 ? 0 : WS_VISIBLE);
    HWND c = CreateWindowExW(0, it.cls, it.text, style, px(it.x), px(it.y), px(it.w), px(it.h), hwnd(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(it.id)), ui::AppInstance(), nullptr);
    ui::SetFont(c, it.id == Label1 ? title_.get() : font_.get());
    if (it.id == Picture1) ui::SetPanelColor(c, RGB(255, 255, 255));
  }
  // The version panel lies over the info rows.
  SetWindowPos(Item(Picture1), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (int id : {oxbutton1, oxbutton2, oxbutton3}) {
    const controls::PropertyBag& look = id == oxbutton3 ? controls::CloseButton() : controls::PlateButton();
    SendMessageW(Item(id), controls::kLoadProperties, 0, reinterpret_cast<LPARAM>(&look));
  }

  HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                              0, 0, px(5000), px(1560), Item(Picture1), reinterpret_cast<HMENU>(List1),
                              ui::AppInstance(), nullptr);
  ui::SetFont(list, narrow_.get());
  for (const wchar_t* line : {L"Engine Version : 3.1.1.4", L"Cleaner Version : 3.2.7", L"Logger Block Version : 3.0.4",
                              L"Registry Repair Version : 2.0.7", L"Url Shorten Version : 1.0.0"})
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));

  // "Goto Website" on both links.
  HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, hwnd(),
                             nullptr, ui::AppInstance(), nullptr);
  for (int id : {Label10, Label15}) {
    TOOLINFOW ti{sizeof ti};
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = hwnd();
    ti.uId = reinterpret_cast<UINT_PTR>(Item(id));
    ti.lpszText = const_cast<wchar_t*>(L"Goto Website");
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

void Form3::Underline(HWND link) {
  if (link == underlined_) return;
  for (HWND l : {Item(Label10), Item(Label15)})
    ui::SetFont(l, l == link ? linkUnderlined_.get() : link_.get(), true);
  underlined_ = link;
}

bool Form3::OnCommand(int id, int code, HWND) {
  switch (id) {
    case oxbutton1:  // ">"
      ShowWindow(Item(Picture1), SW_SHOW);
      EnableWindow(Item(oxbutton1), FALSE);
      EnableWindow(Item(oxbutton2), TRUE);
      break;
    case oxbutton2:  // "<"
      ShowWindow(Item(Picture1), SW_HIDE);
      EnableWindow(Item(oxbutton1), TRUE);
      EnableWindow(Item(oxbutton2), FALSE);
      break;
    case oxbutton3:  // "X": unload; the next "About" builds a fresh window
      DestroyWindow(hwnd());
      break;
    case Label10:
    case Label15:
      if (code == STN_CLICKED)
        shell_.OpenAddress(ui::WindowText(Item(Label10)), reinterpret_cast<std::uintptr_t>(hwnd()));
      break;
  }
  return true;
}

bool Form3::OnSetCursor(HWND over) {
  bool link = over == Item(Label10) || over == Item(Label15);
  Underline(link ? over : nullptr);
  if (!link) return false;
  SetCursor(LoadCursorW(nullptr, IDC_HAND));
  return true;
}

HBRUSH Form3::OnCtlColor(HDC dc, HWND control) {
  int id = GetDlgCtrlID(control);
  SetTextColor(dc, id == Label10 || id == Label15 ? RGB(0, 70, 200) : RGB(30, 30, 30));
  SetBkColor(dc, RGB(255, 255, 255));
  return white_.get();
}

bool Form3::OnClose() {
  DestroyWindow(hwnd());
  return true;
}

}  // namespace vexa::app
