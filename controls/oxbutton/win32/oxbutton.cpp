// oxbutton: a flat skinned push button. Caption is the window text; a left
// click (press and release inside) or Space/Enter sends BN_CLICKED.
#include "controls/win32/control_base.h"
#include <windowsx.h>

#include "controls/win32/controls.h"

namespace vexa::controls {
namespace {

COLORREF Shade(COLORREF c, int delta) {
  auto clamp = [](int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); };
  return RGB(clamp(GetRValue(c) + delta), clamp(GetGValue(c) + delta), clamp(GetBValue(c) + delta));
}

struct OxState {
  HWND hwnd = nullptr;
  HFONT font = nullptr;
  bool hot = false;
  bool pressed = false;
  COLORREF back = RGB(46, 84, 140);
  COLORREF text = RGB(255, 255, 255);

  void Paint(HDC dc, const RECT& rc) const {
    FillSolid(dc, rc, ParentBackground(hwnd));
    bool enabled = IsWindowEnabled(hwnd);
    COLORREF face = !enabled ? RGB(150, 150, 150) : pressed ? Shade(back, -30) : hot ? Shade(back, 25) : back;
    ui::ScopedGdi<HBRUSH> brush(CreateSolidBrush(face));
    ui::ScopedGdi<HPEN> pen(CreatePen(PS_SOLID, 1, Shade(face, -40)));
    {
      ui::ScopedSelect sb(dc, brush.get());
      ui::ScopedSelect sp(dc, pen.get());
      RoundRect(dc, rc.left, rc.top, rc.right, rc.bottom, 6, 6);
    }
    ui::ScopedSelect sf(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, enabled ? text : RGB(225, 225, 225));
    std::wstring caption = TextOf(hwnd);
    RECT area = rc;
    if (pressed) OffsetRect(&area, 1, 1);
    DrawTextW(dc, caption.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (GetFocus() == hwnd) {
      RECT focus = rc;
      InflateRect(&focus, -3, -3);
      DrawFocusRect(dc, &focus);
    }
  }

  bool Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
      case WM_SETFONT:
        font = reinterpret_cast<HFONT>(wp);
        if (LOWORD(lp)) InvalidateRect(hwnd, nullptr, FALSE);
        return true;
      case WM_GETFONT:
        result = reinterpret_cast<LRESULT>(font);
        return true;
      case WM_SETTEXT:
        result = DefWindowProcW(hwnd, msg, wp, lp);
        break;
      case WM_ENABLE:
        if (!wp) pressed = hot = false;
        break;
      case WM_SETFOCUS:
      case WM_KILLFOCUS:
      case WM_CAPTURECHANGED:
        if (msg == WM_CAPTURECHANGED) pressed = false;
        break;
      case WM_MOUSEMOVE:
        if (hot) return true;
        hot = true;
        {
          TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd, 0};
          TrackMouseEvent(&tme);
        }
        break;
      case WM_MOUSELEAVE:
        hot = false;
        break;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        pressed = true;
        SetCapture(hwnd);
        break;
      case WM_LBUTTONUP: {
        bool was = pressed;
        pressed = false;
        if (GetCapture() == hwnd) ReleaseCapture();
        RECT rc;
        GetClientRect(hwnd, &rc);
        POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (was && PtInRect(&rc, pt)) NotifyClicked(hwnd);
        break;
      }
      case WM_GETDLGCODE:
        result = DLGC_BUTTON;
        return true;
      case WM_KEYUP:
        if (wp == VK_SPACE || wp == VK_RETURN) NotifyClicked(hwnd);
        return true;
      case BM_CLICK:
        if (IsWindowEnabled(hwnd)) NotifyClicked(hwnd);
        return true;
      case kOxSetColors:
        back = static_cast<COLORREF>(wp);
        text = static_cast<COLORREF>(lp);
        break;
      default:
        return false;
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    return true;
  }
};

}  // namespace

void RegisterOxButton(HINSTANCE instance) {
  RegisterControl<OxState>(instance, kOxButtonClass, IDC_HAND, CS_DBLCLKS | CS_PARENTDC);
}

}  // namespace vexa::controls
