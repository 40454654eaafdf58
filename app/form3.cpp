#include "app/form3.h"

#include <commctrl.h>

#include "app/form1.h"
#include "controls/win32/controls.h"

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

HFONT Font(const wchar_t* face, int points, int dpi, bool bold, bool underline = false) {
  return CreateFontW(-MulDiv(points, dpi, 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, underline, FALSE,
                     DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, face);
}

}  // namespace

Form3::Form3(Shell& shell, HICON icon) : shell_(shell), icon_(icon) {}

Form3::~Form3() = default;

void Form3::ShowAbout() {
  if (!Loaded()) Form_Load();
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
}

void Form3::Form_Load() {
  white_.reset(CreateSolidBrush(RGB(255, 255, 255)));
  RegisterClassOnce(L"VexaForm3", nullptr, white_.get());
  dpi_ = DpiOf(nullptr);
  auto px = [this](int t) { return TwipsToPixels(t, dpi_); };
  int w = px(kWidth), h = px(kHeight);
  int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  Create(WS_EX_TOOLWINDOW, L"VexaForm3", L"About", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, x, y, w, h, nullptr);
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  font_.reset(Font(L"Comic Sans MS", 9, dpi_, false));
  title_.reset(Font(L"Comic Sans MS", 18, dpi_, true));
  link_.reset(Font(L"Comic Sans MS", 9, dpi_, false));
  linkUnderlined_.reset(Font(L"Comic Sans MS", 9, dpi_, false, true));
  narrow_.reset(Font(L"Arial Narrow", 10, dpi_, false));

  const AboutItem items[] = {
      {Label1, L"STATIC", L"VexaUtility", 2160, 240, 4600, 560, 0},
      {Label2, L"STATIC", L"Cleanner && Additional Tools", 2160, 800, 4600, 300, 0},
      {Picture1, kPanelClass, L"", 2040, 1320, 5000, 1560, WS_CLIPCHILDREN},
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
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(it.id)), AppInstance(), nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(it.id == Label1 ? title_.get() : font_.get()), FALSE);
    if (it.id == Picture1) SetWindowLongPtrW(c, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(white_.get()));
  }
  // The version panel lies over the info rows.
  SetWindowPos(Item(Picture1), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (int id : {oxbutton1, oxbutton2})
    SendMessageW(Item(id), controls::kOxSetColors, RGB(64, 64, 64), RGB(255, 255, 255));
  SendMessageW(Item(oxbutton3), controls::kOxSetColors, RGB(192, 0, 0), RGB(255, 255, 255));

  HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                              0, 0, px(5000), px(1560), Item(Picture1), reinterpret_cast<HMENU>(List1), AppInstance(),
                              nullptr);
  SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(narrow_.get()), FALSE);
  for (const wchar_t* line : {L"Engine Version : 3.1.1.4", L"Cleaner Version : 3.2.7", L"Logger Block Version : 3.0.4",
                              L"Registry Repair Version : 2.0.7", L"Url Shorten Version : 1.0.0"})
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));

  // "Goto Website" on both links.
  HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, hwnd(),
                             nullptr, AppInstance(), nullptr);
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
    SendMessageW(l, WM_SETFONT, reinterpret_cast<WPARAM>(l == link ? linkUnderlined_.get() : link_.get()), TRUE);
  underlined_ = link;
}

void Form3::OnCommand(int id, int code) {
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
      if (code == STN_CLICKED) {
        wchar_t address[512];
        GetWindowTextW(Item(Label10), address, 512);
        shell_.OpenDocument(address, L"");
      }
      break;
  }
}

LRESULT Form3::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      OnCommand(LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_SETCURSOR: {
      HWND over = reinterpret_cast<HWND>(wp);
      bool link = over == Item(Label10) || over == Item(Label15);
      Underline(link ? over : nullptr);
      if (link) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wp);
      int id = GetDlgCtrlID(reinterpret_cast<HWND>(lp));
      SetTextColor(dc, id == Label10 || id == Label15 ? RGB(0, 70, 200) : RGB(30, 30, 30));
      SetBkColor(dc, RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(white_.get());
    }
    case WM_CLOSE:
      DestroyWindow(hwnd());
      return 0;
  }
  return Window::HandleMessage(msg, wp, lp);
}

}  // namespace vexa::app
