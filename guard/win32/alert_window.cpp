#include "guard/win32/alert_window.h"

namespace vexa::guard::win32 {
namespace {

// Client area at 96 dots per inch; scaled by the screen's real density.
constexpr int kClientWidth = 330;
constexpr int kClientHeight = 130;
constexpr int kMargin = 12;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;  // fixed single

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int Scale(int px, int dpi) { return MulDiv(px, dpi, 96); }

void RegisterOnce(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, AlertWindow::kClassName, &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = AlertWindow::kClassName;
  RegisterClassExW(&wc);
}

}  // namespace

void MakeTopmost(HWND window, bool onTop) {
  SetWindowPos(window, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

AlertWindow::AlertWindow(HWND iconSource) : iconSource_(iconSource) {}

AlertWindow::~AlertWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void AlertWindow::Show(const std::wstring& message) {
  if (!hwnd_) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterOnce(instance, &AlertWindow::Proc);
    const int dpi = ScreenDpi();
    RECT r{0, 0, Scale(kClientWidth, dpi), Scale(kClientHeight, dpi)};
    AdjustWindowRectEx(&r, kStyle, FALSE, 0);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    CreateWindowExW(0, kClassName, L"Message", kStyle, x, y, w, h, nullptr, nullptr, instance, this);
    if (!hwnd_) return;
  }
  SetWindowTextW(label_, message.c_str());
  ShowWindow(hwnd_, SW_SHOW);
  SetFocus(ok_);
}

void AlertWindow::Command1_Click() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void AlertWindow::Form_Load() {
  if (iconSource_) {
    auto big = reinterpret_cast<HICON>(SendMessageW(iconSource_, WM_GETICON, ICON_BIG, 0));
    if (!big) big = reinterpret_cast<HICON>(GetClassLongPtrW(iconSource_, GCLP_HICON));
    auto small = reinterpret_cast<HICON>(SendMessageW(iconSource_, WM_GETICON, ICON_SMALL, 0));
    if (!small) small = reinterpret_cast<HICON>(GetClassLongPtrW(iconSource_, GCLP_HICONSM));
    if (big) SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (small || big) SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small ? small : big));
  }
  MakeTopmost(hwnd_, true);
}

void AlertWindow::Layout() {
  RECT c;
  GetClientRect(hwnd_, &c);
  const int dpi = ScreenDpi();
  const int m = Scale(kMargin, dpi), bw = Scale(kButtonWidth, dpi), bh = Scale(kButtonHeight, dpi);
  MoveWindow(label_, m, m, c.right - 2 * m, c.bottom - 3 * m - bh, TRUE);
  MoveWindow(ok_, (c.right - bw) / 2, c.bottom - m - bh, bw, bh, TRUE);
}

LRESULT CALLBACK AlertWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<AlertWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<AlertWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = self->label_ = self->ok_ = nullptr;
    self->font_.reset();
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  return self->OnMessage(msg, wp, lp);
}

LRESULT AlertWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: {
      HINSTANCE instance = GetModuleHandleW(nullptr);
      label_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, hwnd_,
                               nullptr, instance, nullptr);
      ok_ = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0,
                            hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOkId)), instance, nullptr);
      font_.reset(CreateFontW(-MulDiv(9, ScreenDpi(), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Segoe UI"));
      for (HWND child : {label_, ok_}) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
      Layout();
      Form_Load();
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wp) == kOkId || LOWORD(wp) == IDCANCEL) {
        Command1_Click();
        return 0;
      }
      break;
    case WM_SIZE:
      Layout();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace vexa::guard::win32
