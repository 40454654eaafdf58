// ProgressBarXP: a flat progress bar. The stock progress messages set and read
// it; a value above Max reads back as Max.
#include "controls/control_base.h"
#include <commctrl.h>
#include "controls/controls.h"
#include "platform/win32/handles.h"

namespace vexa::controls {
namespace {

struct XpState {
  HWND hwnd = nullptr;
  int min = 0, max = 100, value = 0;
};

int Clamped(const XpState& s) { return s.value > s.max ? s.max : (s.value < s.min ? s.min : s.value); }

void Paint(XpState& s, HDC target) {
  RECT rc;
  GetClientRect(s.hwnd, &rc);
  win32::BufferedPaint paint(target, rc.right, rc.bottom);
  HDC dc = paint.dc();
  FillSolid(dc, rc, RGB(120, 120, 120));
  RECT inner = rc;
  InflateRect(&inner, -1, -1);
  FillSolid(dc, inner, RGB(250, 250, 250));
  int span = s.max - s.min;
  if (span > 0) {
    RECT fill = inner;
    fill.right = inner.left + MulDiv(inner.right - inner.left, Clamped(s) - s.min, span);
    // Blocks in the classic style.
    for (int x = fill.left; x < fill.right; x += 9) {
      RECT block{x, fill.top + 1, x + 7 < fill.right ? x + 7 : fill.right, fill.bottom - 1};
      FillSolid(dc, block, RGB(40, 170, 60));
    }
  }
}

LRESULT CALLBACK XpProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  XpState* s = BindState<XpState>(hwnd, msg);
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
    case PBM_SETRANGE32:
      s->min = static_cast<int>(wp);
      s->max = static_cast<int>(lp);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case PBM_GETRANGE:
      if (lp) {
        auto* range = reinterpret_cast<PBRANGE*>(lp);
        range->iLow = s->min;
        range->iHigh = s->max;
      }
      return wp ? s->min : s->max;
    case PBM_SETPOS: {
      int old = Clamped(*s);
      s->value = static_cast<int>(wp);
      InvalidateRect(hwnd, nullptr, FALSE);
      return old;
    }
    case PBM_GETPOS:
      return Clamped(*s);
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

void RegisterProgressXp(HINSTANCE instance) {
  WNDCLASSEXW wc{sizeof wc};
  wc.lpfnWndProc = XpProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kProgressXpClass;
  RegisterClassExW(&wc);
}

}  // namespace vexa::controls
