// mm_checkbox: a two-state switch (value 1 on, anything else off). A left
// click flips it and then sends BN_CLICKED; a right click does nothing.
#include "controls/win32/control_base.h"
#include "controls/win32/controls.h"

namespace vexa::controls {
namespace {

struct CheckState {
  HWND hwnd = nullptr;
  int value = 0;
  bool pressed = false;

  void Paint(HDC dc, const RECT& rc) const {
    FillSolid(dc, rc, ParentBackground(hwnd));
    bool on = value == 1;
    bool enabled = IsWindowEnabled(hwnd);
    COLORREF track = !enabled ? RGB(170, 170, 170) : on ? RGB(60, 170, 75) : RGB(150, 150, 150);
    int h = rc.bottom - 1, w = rc.right - 1;
    ui::ScopedGdi<HBRUSH> brush(CreateSolidBrush(track));
    ui::ScopedGdi<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(90, 90, 90)));
    {
      ui::ScopedSelect sb(dc, brush.get());
      ui::ScopedSelect sp(dc, pen.get());
      RoundRect(dc, 0, 0, w, h, h, h);
    }
    int knob = h - 4;
    int x = on ? w - knob - 2 : 2;
    ui::ScopedGdi<HBRUSH> white(CreateSolidBrush(RGB(255, 255, 255)));
    {
      ui::ScopedSelect sb(dc, white.get());
      ui::ScopedSelect sp(dc, GetStockObject(NULL_PEN));
      Ellipse(dc, x, 2, x + knob + 1, 2 + knob + 1);
    }
    if (!enabled) {  // the disabled bar across the middle
      RECT bar{2, h / 2 - 2, w - 2, h / 2 + 2};
      FillSolid(dc, bar, RGB(110, 110, 110));
    }
  }

  bool Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
      case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, FALSE);
        return true;
      case BM_GETCHECK:
        result = value;
        return true;
      case BM_SETCHECK:
        value = static_cast<int>(wp);
        InvalidateRect(hwnd, nullptr, FALSE);
        return true;
      case WM_LBUTTONDOWN:
        pressed = true;
        SetCapture(hwnd);
        return true;
      case WM_LBUTTONUP: {
        bool was = pressed;
        pressed = false;
        if (GetCapture() == hwnd) ReleaseCapture();
        RECT rc;
        GetClientRect(hwnd, &rc);
        POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        if (was && PtInRect(&rc, pt)) SendMessageW(hwnd, BM_CLICK, 0, 0);
        return true;
      }
      case BM_CLICK:
        if (!IsWindowEnabled(hwnd)) return true;
        value = value == 1 ? 0 : 1;
        InvalidateRect(hwnd, nullptr, FALSE);
        NotifyClicked(hwnd);
        return true;
      default:
        return false;
    }
  }
};

}  // namespace

void RegisterCheckbox(HINSTANCE instance) {
  RegisterControl<CheckState>(instance, kCheckboxClass, IDC_HAND, CS_PARENTDC);
}

}  // namespace vexa::controls
