// ucFirefoxWait: a 16 x 16 busy spinner of eight frames on the host's back
// colour. Play starts the frame timer; Stop halts it and shows frame 0.
#include <cmath>

#include "controls/win32/control_base.h"
#include "controls/win32/controls.h"

namespace vexa::controls {
namespace {

constexpr UINT_PTR kFrameTimer = 1;

struct SpinState {
  HWND hwnd = nullptr;
  bool playing = false;
  int frame = 0;
  COLORREF back = RGB(224, 224, 224);

  void Paint(HDC dc, const RECT& rc) const {
    FillSolid(dc, rc, back);
    // Eight dots round a circle; the dot of the current frame is darkest.
    const double cx = rc.right / 2.0, cy = rc.bottom / 2.0, radius = rc.right * 0.36;
    for (int i = 0; i < 8; ++i) {
      int shade = 60 + ((frame - i + 8) % 8) * 22;
      double angle = i * 3.14159265358979 / 4.0;
      int x = static_cast<int>(cx + radius * std::sin(angle));
      int y = static_cast<int>(cy - radius * std::cos(angle));
      RECT dot{x - 1, y - 1, x + 2, y + 2};
      FillSolid(dc, dot, RGB(shade, shade, shade + 20 > 255 ? 255 : shade + 20));
    }
  }

  bool Handle(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    switch (msg) {
      case WM_TIMER:
        frame = (frame + 1) % 8;
        break;
      case kSpinnerPlay:
        if (playing) return true;
        playing = true;
        SetTimer(hwnd, kFrameTimer, kSpinnerFrameMs, nullptr);
        return true;
      case kSpinnerStop:
        if (!playing) return true;
        playing = false;
        KillTimer(hwnd, kFrameTimer);
        frame = 0;
        break;
      case kSpinnerIsPlaying:
        result = playing;
        return true;
      case kSpinnerSetBackColor:
        back = static_cast<COLORREF>(wp);
        break;
      case WM_DESTROY:
        KillTimer(hwnd, kFrameTimer);
        return true;
      default:
        return false;
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    return true;
  }
};

}  // namespace

void RegisterSpinner(HINSTANCE instance) { RegisterControl<SpinState>(instance, kSpinnerClass, IDC_ARROW); }

}  // namespace vexa::controls
