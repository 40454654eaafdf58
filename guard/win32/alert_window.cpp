#include "guard/win32/alert_window.h"

#include "ui/dpi.h"

namespace vexa::guard {
namespace {

// Client area at 96 dots per inch; scaled by the screen's real density.
constexpr int kClientWidth = 330;
constexpr int kClientHeight = 130;
constexpr int kMargin = 12;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;  // fixed single

}  // namespace

void AlertWindow::Show(const std::wstring& message) {
  if (!hwnd()) {
    RegisterClass(kClassName, nullptr, GetSysColor(COLOR_BTNFACE));
    dpi_ = ui::DpiOf(nullptr);
    RECT r{0, 0, ui::Scale(kClientWidth, dpi_), ui::Scale(kClientHeight, dpi_)};
    AdjustWindowRectEx(&r, kStyle, FALSE, 0);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    if (!Create(0, kClassName, L"Message", kStyle, x, y, w, h)) return;
  }
  SetWindowTextW(label_, message.c_str());
  if (IsWindowVisible(hwnd())) {
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  ShowWindow(hwnd(), SW_SHOW);
  SetFocus(ok_);
}

void AlertWindow::Command1_Click() {
  if (hwnd()) DestroyWindow(hwnd());
}

void AlertWindow::OnCreate() {
  label_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, hwnd(),
                           nullptr, ui::AppInstance(), nullptr);
  ok_ = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0, hwnd(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOkId)), ui::AppInstance(), nullptr);
  font_ = ui::MakeFont({L"Segoe UI", 9}, dpi_);
  for (HWND child : {label_, ok_}) ui::SetFont(child, font_.get());
  RECT c;
  GetClientRect(hwnd(), &c);
  OnSize(c.right, c.bottom);
  // The main window's icon.
  if (iconSource_) {
    auto big = reinterpret_cast<HICON>(SendMessageW(iconSource_, WM_GETICON, ICON_BIG, 0));
    if (!big) big = reinterpret_cast<HICON>(GetClassLongPtrW(iconSource_, GCLP_HICON));
    auto small = reinterpret_cast<HICON>(SendMessageW(iconSource_, WM_GETICON, ICON_SMALL, 0));
    if (!small) small = reinterpret_cast<HICON>(GetClassLongPtrW(iconSource_, GCLP_HICONSM));
    if (big) SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (small || big) SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small ? small : big));
  }
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool AlertWindow::OnCommand(int id, int, HWND) {
  if (id != kOkId && id != IDCANCEL) return false;
  Command1_Click();
  return true;
}

void AlertWindow::OnSize(int width, int height) {
  const int m = ui::Scale(kMargin, dpi_), bw = ui::Scale(kButtonWidth, dpi_), bh = ui::Scale(kButtonHeight, dpi_);
  MoveWindow(label_, m, m, width - 2 * m, height - 3 * m - bh, TRUE);
  MoveWindow(ok_, (width - bw) / 2, height - m - bh, bw, bh, TRUE);
}

void AlertWindow::OnDestroy() {
  label_ = ok_ = nullptr;
  font_.reset();
}

}  // namespace vexa::guard
