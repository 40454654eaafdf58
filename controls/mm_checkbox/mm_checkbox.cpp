// mm_checkbox: a two-state switch (value 1 on, anything else off). A left
// click flips it and then sends BN_CLICKED; a right click does nothing.
#include "controls/control_base.h"
#include "controls/controls.h"
#include "platform/win32/handles.h"

namespace vexa::controls {
namespace {

struct CheckState {
  HWND hwnd = nullptr;
  int value = 0;
  bool pressed = false;
};

void Paint(CheckState& s, HDC target) {
  RECT rc;
  GetClientRect(s.hwnd, &rc);
  win32::BufferedPaint paint(target, rc.right, rc.bottom);
  HDC dc = paint.dc();
  FillSolid(dc, rc, ParentBackground(s.hwnd));
  bool on = s.value == 1;
  bool enabled = IsWindowEnabled(s.hwnd);
  COLORREF track = !enabled ? RGB(170, 170, 170) : on ? RGB(60, 170, 75) : RGB(150, 150, 150);
  int h = rc.bottom - 1, w = rc.right - 1;
  win32::ScopedGdi<HBRUSH> brush(CreateSolidBrush(track));
  win32::ScopedGdi<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(90, 90, 90)));
  {
    win32::ScopedSelect sb(dc, brush.get());
    win32::ScopedSelect sp(dc, pen.get());
    RoundRect(dc, 0, 0, w, h, h, h);
  }
  int knob = h - 4;
  int x = on ? w - knob - 2 : 2;
  win32::ScopedGdi<HBRUSH> white(CreateSolidBrush(RGB(255, 255, 255)));
  {
    win32::ScopedSelect sb(dc, white.get());
    win32::ScopedSelect sp(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, x, 2, x + knob + 1, 2 + knob + 1);
  }
  if (!enabled) {
    // The disabled bar across the middle.
    RECT bar{2, h / 2 - 2, w - 2, h / 2 + 2};
    FillSolid(dc, bar, RGB(110, 110, 110));
  }
}

LRESULT CALLBACK CheckProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  CheckState* s = BindState<CheckState>(hwnd, msg);
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
    case WM_ENABLE:
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case BM_GETCHECK:
      return s->value;
    case BM_SETCHECK:
      s->value = static_cast<int>(wp);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
      s->pressed = true;
      SetCapture(hwnd);
      return 0;
    case WM_LBUTTONUP: {
      bool was = s->pressed;
      s->pressed = false;
      if (GetCapture() == hwnd) ReleaseCapture();
      RECT rc;
      GetClientRect(hwnd, &rc);
      POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      if (was && PtInRect(&rc, pt)) SendMessageW(hwnd, BM_CLICK, 0, 0);
      return 0;
    }
    case BM_CLICK:
      if (!IsWindowEnabled(hwnd)) return 0;
      s->value = s->value == 1 ? 0 : 1;
      InvalidateRect(hwnd, nullptr, FALSE);
      NotifyClicked(hwnd);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

void RegisterCheckbox(HINSTANCE instance) {
  WNDCLASSEXW wc{sizeof wc};
  wc.style = CS_PARENTDC;
  wc.lpfnWndProc = CheckProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_HAND);
  wc.lpszClassName = kCheckboxClass;
  RegisterClassExW(&wc);
}

}  // namespace vexa::controls
