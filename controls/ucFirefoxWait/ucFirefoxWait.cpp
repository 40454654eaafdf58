// ucFirefoxWait: a 16 x 16 busy spinner of eight frames on the host's back
// colour. Play starts the frame timer; Stop halts it and shows frame 0.
#include <cmath>

#include "controls/control_base.h"
#include "controls/controls.h"
#include "platform/win32/handles.h"

namespace vexa::controls {
namespace {

constexpr UINT_PTR kFrameTimer = 1;

struct SpinState {
  HWND hwnd = nullptr;
  bool playing = false;
  int frame = 0;
  COLORREF back = RGB(224, 224, 224);
};

void Paint(SpinState& s, HDC target) {
  RECT rc;
  GetClientRect(s.hwnd, &rc);
  win32::BufferedPaint paint(target, rc.right, rc.bottom);
  HDC dc = paint.dc();
  FillSolid(dc, rc, s.back);
  // Eight dots round a circle; the head dot of the current frame is darkest.
  const double cx = rc.right / 2.0, cy = rc.bottom / 2.0, radius = rc.right * 0.36;
  for (int i = 0; i < 8; ++i) {
    int age = (s.frame - i + 8) % 8;
    int shade = 60 + age * 22;
    double angle = i * 3.14159265358979 / 4.0;
    int x = static_cast<int>(cx + radius * std::sin(angle));
    int y = static_cast<int>(cy - radius * std::cos(angle));
    RECT dot{x - 1, y - 1, x + 2, y + 2};
    FillSolid(dc, dot, RGB(shade, shade, shade + 20 > 255 ? 255 : shade + 20));
  }
}

LRESULT CALLBACK SpinProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  SpinState* s = BindState<SpinState>(hwnd, msg);
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
    case WM_TIMER:
      if (wp == kFrameTimer) {
        s->frame = (s->frame + 1) % 8;
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      return 0;
    case kSpinnerPlay:
      if (!s->playing) {
        s->playing = true;
        SetTimer(hwnd, kFrameTimer, kSpinnerFrameMs, nullptr);
      }
      return 0;
    case kSpinnerStop:
      if (s->playing) {
        s->playing = false;
        KillTimer(hwnd, kFrameTimer);
        s->frame = 0;
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      return 0;
    case kSpinnerIsPlaying:
      return s->playing;
    case kSpinnerSetBackColor:
      s->back = static_cast<COLORREF>(wp);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd, kFrameTimer);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

void RegisterSpinner(HINSTANCE instance) {
  WNDCLASSEXW wc{sizeof wc};
  wc.lpfnWndProc = SpinProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kSpinnerClass;
  RegisterClassExW(&wc);
}

}  // namespace vexa::controls
