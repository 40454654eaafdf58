#include "app/form2.h"

#include "app/uninstall.h"
#include "controls/win32/controls.h"

namespace vexa::app {

namespace {
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kSplashMs = 3000;
constexpr int kLabel1 = 1, kLabel2 = 2, kPB = 3;
}  // namespace

Form2::Form2(AppContext& app, Form1& form1, Form4& form4) : app_(app), form1_(form1), form4_(form4) {}

Form2::~Form2() = default;

bool Form2::Form_Load() {
  back_.reset(CreateSolidBrush(kSplashColor));
  RegisterClassOnce(L"VexaForm2", nullptr, back_.get());
  controls::RegisterAll(AppInstance());
  int dpi = DpiOf(nullptr);
  int w = TwipsToPixels(kSplashWidth, dpi), h = TwipsToPixels(kSplashHeight, dpi);
  Create(WS_EX_TOOLWINDOW, L"VexaForm2", L"Form2", WS_POPUP | WS_CLIPCHILDREN, 0, 0, w, h, nullptr);
  dpi = DpiOf(hwnd());
  titleFont_.reset(CreateFontW(-MulDiv(22, dpi, 72), 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                               CLEARTYPE_QUALITY, 0, L"Arial Rounded MT Bold"));
  footerFont_.reset(CreateFontW(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                CLEARTYPE_QUALITY, 0, L"Arial"));
  auto px = [dpi](int twips) { return TwipsToPixels(twips, dpi); };
  label1_ = CreateWindowExW(0, L"STATIC", L"VexaUtility", WS_CHILD | WS_VISIBLE | SS_LEFT, px(1800), px(540),
                            px(4000), px(600), hwnd(), reinterpret_cast<HMENU>(kLabel1), AppInstance(), nullptr);
  label2_ = CreateWindowExW(0, L"STATIC", L"Copyright (c) 2015 VexaTools. All rights reserved.",
                            WS_CHILD | WS_VISIBLE | SS_LEFT, px(1800), px(1680), px(4200), px(270), hwnd(),
                            reinterpret_cast<HMENU>(kLabel2), AppInstance(), nullptr);
  SendMessageW(label1_, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), FALSE);
  SendMessageW(label2_, WM_SETFONT, reinterpret_cast<WPARAM>(footerFont_.get()), FALSE);
  spinner_ = CreateWindowExW(0, controls::kSpinnerClass, L"", WS_CHILD | WS_VISIBLE, px(1800), px(1260), px(240),
                             px(240), hwnd(), reinterpret_cast<HMENU>(kPB), AppInstance(), nullptr);

  // 1. The spinner takes the splash's back colour and starts.
  SendMessageW(spinner_, controls::kSpinnerSetBackColor, kSplashColor, 0);
  SendMessageW(spinner_, controls::kSpinnerPlay, 0, 0);
  // 2. The main window's load step begins with the single-copy rule: a second
  // copy shows its box and ends before any splash, tray icon or log write.
  if (form1_.RefuseSecondCopy()) return false;
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(app_.icon));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(app_.smallIcon));
  // 3. The activity log, with its header when it is new.
  app_.log->CreateLogIfMissing();
  // 4. Rounded corners.
  ClipToRoundedRegion();
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  return true;
}

void Form2::ClipToRoundedRegion() {
  RECT rc;
  GetWindowRect(hwnd(), &rc);
  HRGN region = CreateRoundRectRgn(0, 0, rc.right - rc.left, rc.bottom - rc.top, 20, 20);
  if (region && !SetWindowRgn(hwnd(), region, FALSE)) DeleteObject(region);  // the window owns it on success
}

void Form2::LoadMainWindow() {
  // The main window is built hidden while the splash is already on screen,
  // so the splash shows without waiting for a hundred and more controls.
  form1_.Form_Initialize();
  form1_.Form_Load();
}

void Form2::ShowSplash() {
  RECT rc;
  GetWindowRect(hwnd(), &rc);
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  SetWindowPos(hwnd(), HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  UpdateWindow(hwnd());
  SetTimer(hwnd(), kTimer1, kSplashMs, nullptr);
}

void Form2::Timer1_Timer() {
  SendMessageW(spinner_, controls::kSpinnerStop, 0, 0);
  ShowWindow(hwnd(), SW_HIDE);
  KillTimer(hwnd(), kTimer1);
  // From here the splash stays loaded, hidden, as the tray icon's window. Its
  // load step's log check runs again: a log deleted during the splash comes
  // back with its header.
  app_.log->CreateLogIfMissing();
  splashDone_ = true;
  tray_.AddTrayIcon(hwnd(), L"VexaUtility", app_.smallIcon);
}

void Form2::Form_MouseMove(LPARAM lp) {
  // Once the splash has ended, "mouse moves" are the tray icon's
  // notifications, with the mouse message number in lParam.
  if (!splashDone_) return;
  switch (DecodeTrayNotification(static_cast<unsigned>(LOWORD(lp)))) {
    case TrayAction::ShowMenu:
      form4_.PopupMenu(hwnd());
      break;
    case TrayAction::ShowMainWindow:
      form4_.mnuShow_Click();
      break;
    case TrayAction::None:
      break;
  }
}

void Form2::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  int dpi = DpiOf(hwnd());
  // Image1: the product mark, a shield on the left.
  RECT r{TwipsToPixels(420, dpi), TwipsToPixels(420, dpi), TwipsToPixels(1500, dpi), TwipsToPixels(1680, dpi)};
  POINT shape[] = {{r.left, r.top + (r.bottom - r.top) / 8}, {(r.left + r.right) / 2, r.top},
                   {r.right, r.top + (r.bottom - r.top) / 8}, {r.right, (r.top + r.bottom) / 2},
                   {(r.left + r.right) / 2, r.bottom}, {r.left, (r.top + r.bottom) / 2}};
  win32::ScopedGdi<HBRUSH> b(CreateSolidBrush(RGB(46, 84, 140)));
  win32::ScopedSelect sb(dc, b.get());
  win32::ScopedSelect sp(dc, GetStockObject(NULL_PEN));
  Polygon(dc, shape, 6);
  EndPaint(hwnd(), &ps);
}

LRESULT Form2::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (taskbarCreated_ && msg == taskbarCreated_) {
    if (splashDone_) tray_.ReAdd();
    return 0;
  }
  if (IsEndRunningCopyMessage(msg)) {  // the installer's /close and /uninstall
    form4_.mnuExit_Click();
    return 0;
  }
  switch (msg) {
    case WM_TIMER:
      if (wp == kTimer1) Timer1_Timer();
      return 0;
    case WM_MOUSEMOVE:
      Form_MouseMove(lp);
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wp);
      SetTextColor(dc, reinterpret_cast<HWND>(lp) == label2_ ? RGB(200, 200, 200) : RGB(255, 255, 255));
      SetBkColor(dc, kSplashColor);
      return reinterpret_cast<LRESULT>(back_.get());
    }
    case WM_CLOSE:
      return 0;  // only "Exit" ends the program
  }
  return Window::HandleMessage(msg, wp, lp);
}

}  // namespace vexa::app
