// oxbutton: a flat skinned push button. Caption is the window text; a left
// click (press and release inside) or Space/Enter sends BN_CLICKED.
#include "controls/control_base.h"
#include <windowsx.h>
#include "controls/controls.h"
#include "platform/win32/handles.h"

namespace vexa::controls {
namespace {

struct OxState {
  HWND hwnd = nullptr;
  HFONT font = nullptr;
  bool hot = false;
  bool pressed = false;
  COLORREF back = RGB(46, 84, 140);
  COLORREF text = RGB(255, 255, 255);
};

COLORREF Shade(COLORREF c, int delta) {
  auto clamp = [](int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); };
  return RGB(clamp(GetRValue(c) + delta), clamp(GetGValue(c) + delta), clamp(GetBValue(c) + delta));
}

void Paint(OxState& s, HDC target) {
  RECT rc;
  GetClientRect(s.hwnd, &rc);
  win32::BufferedPaint paint(target, rc.right, rc.bottom);
  HDC dc = paint.dc();
  FillSolid(dc, rc, ParentBackground(s.hwnd));
  bool enabled = IsWindowEnabled(s.hwnd);
  COLORREF face = !enabled ? RGB(150, 150, 150) : s.pressed ? Shade(s.back, -30) : s.hot ? Shade(s.back, 25) : s.back;
  win32::ScopedGdi<HBRUSH> brush(CreateSolidBrush(face));
  win32::ScopedGdi<HPEN> pen(CreatePen(PS_SOLID, 1, Shade(face, -40)));
  {
    win32::ScopedSelect sb(dc, brush.get());
    win32::ScopedSelect sp(dc, pen.get());
    RoundRect(dc, rc.left, rc.top, rc.right, rc.bottom, 6, 6);
  }
  win32::ScopedSelect sf(dc, s.font ? s.font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, enabled ? s.text : RGB(225, 225, 225));
  std::wstring caption = TextOf(s.hwnd);
  RECT text = rc;
  if (s.pressed) OffsetRect(&text, 1, 1);
  DrawTextW(dc, caption.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (GetFocus() == s.hwnd) {
    RECT focus = rc;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
}

LRESULT CALLBACK OxProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  OxState* s = BindState<OxState>(hwnd, msg);
  if (!s) return DefWindowProcW(hwnd, msg, wp, lp);
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      Paint(*s, dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wp);
      if (LOWORD(lp)) InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(s->font);
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcW(hwnd, msg, wp, lp);
      InvalidateRect(hwnd, nullptr, FALSE);
      return r;
    }
    case WM_ENABLE:
      if (!wp) s->pressed = s->hot = false;
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_MOUSEMOVE: {
      if (!s->hot) {
        s->hot = true;
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd, 0};
        TrackMouseEvent(&tme);
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      s->hot = false;
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      s->pressed = true;
      SetCapture(hwnd);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP: {
      bool was = s->pressed;
      s->pressed = false;
      if (GetCapture() == hwnd) ReleaseCapture();
      InvalidateRect(hwnd, nullptr, FALSE);
      RECT rc;
      GetClientRect(hwnd, &rc);
      POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      if (was && PtInRect(&rc, pt)) NotifyClicked(hwnd);
      return 0;
    }
    case WM_CAPTURECHANGED:
      s->pressed = false;
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_BUTTON;
    case WM_KEYUP:
      if (wp == VK_SPACE || wp == VK_RETURN) NotifyClicked(hwnd);
      return 0;
    case BM_CLICK:
      if (IsWindowEnabled(hwnd)) NotifyClicked(hwnd);
      return 0;
    case kOxSetColors:
      s->back = static_cast<COLORREF>(wp);
      s->text = static_cast<COLORREF>(lp);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

void RegisterOxButton(HINSTANCE instance) {
  WNDCLASSEXW wc{sizeof wc};
  wc.style = CS_DBLCLKS | CS_PARENTDC;
  wc.lpfnWndProc = OxProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_HAND);
  wc.lpszClassName = kOxButtonClass;
  RegisterClassExW(&wc);
}

}  // namespace vexa::controls
