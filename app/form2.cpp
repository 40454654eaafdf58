#include "app/form2.h"

#include "app/art/art.h"
#include "app/uninstall.h"
#include "controls/win32/controls.h"
#include "ui/dpi.h"

namespace vexa::app {

namespace {
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kSplashMs = 3000;
constexpr int kLabel1 = 1, kLabel2 = 2, kPB = 3;
constexpr wchar_t kFooter[] = L"Copyright (c) 2015 VexaTools. All rights reserved.";
}  // namespace

Form2::Form2(AppContext& app, Form1& form1, Form4& form4)
    : ui::Window(Painting::Buffered), app_(app), form1_(form1), form4_(form4) {}

bool Form2::Form_Load() {
  back_.reset(CreateSolidBrush(kSplashColor));
  RegisterClass(L"VexaForm2");
  controls::RegisterAll(ui::AppInstance());
  dpi_ = ui::DpiOf(nullptr);
  Create(WS_EX_TOOLWINDOW, L"VexaForm2", L"Form2", WS_POPUP | WS_CLIPCHILDREN, 0, 0,
         ui::TwipsToPixels(kSplashWidth, dpi_), ui::TwipsToPixels(kSplashHeight, dpi_));
  if (const int own = ui::DpiOf(hwnd()); own != dpi_) {  // the monitor's scale, not the sign-in one
    dpi_ = own;
    SetWindowPos(hwnd(), nullptr, 0, 0, ui::TwipsToPixels(kSplashWidth, dpi_), ui::TwipsToPixels(kSplashHeight, dpi_),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  titleFont_ = ui::MakeFont({L"Arial Rounded MT Bold", 22, true}, dpi_);

  auto child = [this](const wchar_t* cls, const wchar_t* text, int id, RECT r) {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | SS_LEFT, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           ui::AppInstance(), nullptr);
  };
  label1_ = child(L"STATIC", L"VexaUtility", kLabel1, ui::TwipsRect(1800, 540, 4000, 600, dpi_));
  const RECT footer = ui::TwipsRect(1800, 1680, 4200, 270, dpi_);
  label2_ = child(L"STATIC", kFooter, kLabel2, footer);
  footerFont_ = ui::MakeFontToFit({L"Arial", 8}, dpi_, kFooter, footer.right - footer.left);
  ui::SetFont(label1_, titleFont_.get());
  ui::SetFont(label2_, footerFont_.get());
  spinner_ = child(controls::kSpinnerClass, L"", kPB, ui::TwipsRect(1800, 1260, 240, 240, dpi_));

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
  // The shell's restart and the installer's request come from programs that
  // may run with fewer rights than a copy started as administrator.
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  if (taskbarCreated_) ChangeWindowMessageFilterEx(hwnd(), taskbarCreated_, MSGFLT_ALLOW, nullptr);
  AcceptEndRunningCopy(hwnd());
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

void Form2::OnTimer(UINT_PTR id) {
  if (id == kTimer1) Timer1_Timer();
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

void Form2::OnMouseMove(POINT pt, WPARAM) {
  // Once the splash has ended, "mouse moves" are the tray icon's
  // notifications, with the mouse message number in the x coordinate.
  if (!splashDone_) return;
  switch (DecodeTrayNotification(static_cast<unsigned>(static_cast<WORD>(pt.x)))) {
    case TrayAction::ShowMenu: form4_.PopupMenu(hwnd()); break;
    case TrayAction::ShowMainWindow: form4_.mnuShow_Click(); break;
    case TrayAction::None: break;
  }
}

void Form2::OnPaint(HDC dc, const RECT& client) { DrawSplashArt(dc, client, dpi_); }

HBRUSH Form2::OnCtlColor(HDC dc, HWND control) {
  SetTextColor(dc, control == label2_ ? RGB(200, 200, 200) : RGB(255, 255, 255));
  SetBkColor(dc, kSplashColor);
  return back_.get();
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
  return Window::HandleMessage(msg, wp, lp);
}

}  // namespace vexa::app
