// The panel class ("picture box"): fills itself with a back colour and
// forwards what its children report (commands, notifications, colours,
// scrolls) and its own mouse presses to the form that owns it.
#include <windowsx.h>

#include "app/form1.h"

namespace vexa::app {
namespace {

HWND FormOf(HWND panel) { return GetAncestor(panel, GA_ROOT); }

LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_HSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
      return SendMessageW(FormOf(hwnd), msg, wp, lp);
    case WM_ERASEBKGND: {
      RECT rc;
      GetClientRect(hwnd, &rc);
      HBRUSH brush = reinterpret_cast<HBRUSH>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
      FillRect(reinterpret_cast<HDC>(wp), &rc, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
      SendMessageW(FormOf(hwnd), kPanelPaintArt, wp, reinterpret_cast<LPARAM>(hwnd));
      return 1;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      SendMessageW(FormOf(hwnd), msg == WM_LBUTTONDOWN ? kPanelLeftDown : kPanelRightDown,
                   reinterpret_cast<WPARAM>(hwnd), lp);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

void RegisterPanelClass() {
  WNDCLASSEXW existing{sizeof existing};
  if (GetClassInfoExW(AppInstance(), kPanelClass, &existing)) return;
  WNDCLASSEXW wc{sizeof wc};
  wc.lpfnWndProc = PanelProc;
  wc.hInstance = AppInstance();
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kPanelClass;
  RegisterClassExW(&wc);
}

}  // namespace vexa::app
