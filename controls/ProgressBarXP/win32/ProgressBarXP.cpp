// ProgressBarXP: a flat progress bar. The stock progress messages set and read
// it; a value above Max reads back as Max.
#include "controls/win32/control_base.h"
#include <commctrl.h>

#include "controls/win32/controls.h"

namespace vexa::controls {
namespace {

struct XpState {
  HWND hwnd = nullptr;
  int min = 0, max = 100, value = 0;

  int Clamped() const { return value > max ? max : (value < min ? min : value); }

  void Paint(HDC dc, const RECT& rc) const {
    FillSolid(dc, rc, RGB(120, 120, 120));
    RECT inner = rc;
    InflateRect(&inner, -1, -1);
    FillSolid(dc, inner, RGB(250, 250, 250));
    int span = max - min;
    if (span <= 0) return;
    int right = inner.left + MulDiv(inner.right - inner.left, Clamped() - min, span);
    // Blocks in the classic style.
    for (int x = inner.left; x < right; x += 9) {
      RECT block{x, inner.top + 1, x + 7 < right ? x + 7 : right, inner.bottom - 1};
      FillSolid(dc, block, RGB(40, 170, 60));
    }
  }

  bool Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
      case PBM_SETRANGE32:
        min = static_cast<int>(wp);
        max = static_cast<int>(lp);
        break;
      case PBM_GETRANGE:
        if (lp) *reinterpret_cast<PBRANGE*>(lp) = PBRANGE{min, max};
        result = wp ? min : max;
        return true;
      case PBM_SETPOS:
        result = Clamped();
        value = static_cast<int>(wp);
        break;
      case PBM_GETPOS:
        result = Clamped();
        return true;
      default:
        return false;
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    return true;
  }
};

}  // namespace

void RegisterProgressXp(HINSTANCE instance) { RegisterControl<XpState>(instance, kProgressXpClass, IDC_ARROW); }

}  // namespace vexa::controls
