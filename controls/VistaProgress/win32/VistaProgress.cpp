// VistaProgress: an indeterminate bar. While enabled a glint sweeps across it
// from the left, pausing after each pass; disabled it shows an empty track.
#include "controls/win32/control_base.h"
#include "controls/win32/controls.h"

namespace vexa::controls {
namespace {

constexpr UINT_PTR kSweepTimer = 1;
constexpr UINT kFrameMs = 30;
constexpr UINT kPauseMs = 500;
constexpr int kGlintWidth = 60;

struct VistaState {
  HWND hwnd = nullptr;
  bool enable = false;
  int glint = -kGlintWidth;  // left edge of the glint, pixels

  void Paint(HDC dc, const RECT& rc) const {
    FillSolid(dc, rc, RGB(110, 110, 110));
    RECT inner = rc;
    InflateRect(&inner, -1, -1);
    FillSolid(dc, inner, RGB(235, 235, 235));
    if (!enable) return;
    RECT bar{glint, inner.top, glint + kGlintWidth, inner.bottom};
    IntersectRect(&bar, &bar, &inner);
    FillSolid(dc, bar, RGB(80, 190, 90));
  }

  bool Handle(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    switch (msg) {
      case WM_TIMER: {
        RECT rc;
        GetClientRect(hwnd, &rc);
        glint += 8;
        UINT next = kFrameMs;
        if (glint > rc.right) {  // off the right edge: pause, then sweep again
          glint = -kGlintWidth;
          next = kPauseMs;
        }
        SetTimer(hwnd, kSweepTimer, next, nullptr);
        break;
      }
      case kVistaSetEnable:
        if (wp && !enable) {
          glint = -kGlintWidth;
          SetTimer(hwnd, kSweepTimer, kFrameMs, nullptr);
        } else if (!wp) {
          KillTimer(hwnd, kSweepTimer);
        }
        enable = wp != 0;
        break;
      case kVistaGetEnable:
        result = enable;
        return true;
      case WM_DESTROY:
        KillTimer(hwnd, kSweepTimer);
        return true;
      default:
        return false;
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    return true;
  }
};

}  // namespace

void RegisterVista(HINSTANCE instance) { RegisterControl<VistaState>(instance, kVistaClass, IDC_ARROW); }

}  // namespace vexa::controls
