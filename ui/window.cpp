#include "ui/window.h"

#include <windowsx.h>

#include <map>
#include <string>

#include "ui/scoped.h"

namespace vexa::ui {

HINSTANCE AppInstance() { return GetModuleHandleW(nullptr); }

void RegisterWindowClass(const wchar_t* name, WNDPROC proc, HICON icon, COLORREF background, UINT style,
                         LPCWSTR cursor) {
  WNDCLASSEXW existing{sizeof existing};
  if (GetClassInfoExW(AppInstance(), name, &existing)) return;
  // The class keeps using its brush after any one window has gone, so the
  // brushes live as long as the process (one per colour).
  static std::map<COLORREF, ScopedGdi<HBRUSH>> brushes;
  HBRUSH brush = nullptr;
  if (background != CLR_INVALID) {
    auto& b = brushes[background];
    if (!b) b.reset(CreateSolidBrush(background));
    brush = b.get();
  }
  WNDCLASSEXW wc{sizeof wc};
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = AppInstance();
  wc.hIcon = icon;
  wc.hIconSm = icon;
  wc.hCursor = cursor ? LoadCursorW(nullptr, cursor) : nullptr;
  wc.hbrBackground = brush;
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

std::wstring WindowText(HWND hwnd) {
  int n = GetWindowTextLengthW(hwnd);
  if (n <= 0) return {};
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(hwnd, s.data(), n + 1);
  s.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return s;
}

void SetFont(HWND hwnd, HFONT font, bool redraw) {
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

Window::~Window() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    HWND h = hwnd_;
    hwnd_ = nullptr;
    DestroyWindow(h);
  }
}

void Window::RegisterClass(const wchar_t* name, HICON icon, COLORREF background) {
  RegisterWindowClass(name, Proc, icon, background);
}

HWND Window::Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y, int w,
                    int h, HWND parent) {
  return CreateWindowExW(exStyle, className, title, style, x, y, w, h, parent, nullptr, AppInstance(), this);
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    LRESULT r = self->HandleMessage(msg, wp, lp);
    self->hwnd_ = nullptr;
    return r;
  }
  return self->HandleMessage(msg, wp, lp);
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) { return Dispatch(msg, wp, lp); }

void Window::Paint() {
  PAINTSTRUCT ps;
  HDC target = BeginPaint(hwnd_, &ps);
  RECT client;
  GetClientRect(hwnd_, &client);
  {
    BufferedPaint buffer(target, client.right, client.bottom);
    OnPaint(buffer.dc(), client);
  }
  EndPaint(hwnd_, &ps);
}

LRESULT Window::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_PAINT:
      if (painting_ != Painting::Buffered) break;
      Paint();
      return 0;
    case WM_ERASEBKGND:
      if (painting_ == Painting::Buffered) return 1;
      break;
    case WM_COMMAND:
      if (OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp))) return 0;
      break;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (OnNotify(*reinterpret_cast<const NMHDR*>(lp), result)) return result;
      break;
    }
    case WM_TIMER: OnTimer(wp); return 0;
    case WM_LBUTTONDOWN: OnMouseDown(pt, true); return 0;
    case WM_RBUTTONDOWN: OnMouseDown(pt, false); return 0;
    case WM_MOUSEMOVE: OnMouseMove(pt, wp); return 0;
    case WM_HSCROLL: OnHScroll(reinterpret_cast<HWND>(lp), LOWORD(wp), HIWORD(wp)); return 0;
    case WM_SIZE: OnSize(LOWORD(lp), HIWORD(lp)); return 0;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp)); return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (HBRUSH b = OnCtlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp)))
        return reinterpret_cast<LRESULT>(b);
      break;
    case WM_SETCURSOR:
      if (OnSetCursor(reinterpret_cast<HWND>(wp))) return TRUE;
      break;
    case WM_CLOSE:
      if (OnClose()) return 0;
      break;
    case WM_DESTROY: OnDestroy(); return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace vexa::ui
