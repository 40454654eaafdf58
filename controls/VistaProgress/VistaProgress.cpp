// VistaProgress: an indeterminate bar. While enabled a glint sweeps across it
// from the left, pausing after each pass; disabled it shows an empty track.
#include "controls/control_base.h"
#include "controls/controls.h"
#include "platform/win32/handles.h"

namespace vexa::controls {
namespace {

constexpr UINT_PTR kSweepTimer = 1;
constexpr UINT kFrameMs = 30;
constexpr UINT kPauseMs = 500;

struct VistaState {
  HWND hwnd = nullptr;
  bool enable = false;
  int glint = -60;  // left edge of the glint, pixels
};

void Paint(VistaState& s, HDC target) {
  RECT rc;
  GetClientRect(s.hwnd, &rc);
  win32::BufferedPaint paint(target, rc.right, rc.bottom);
  HDC dc = paint.dc();
  FillSolid(dc, rc, RGB(110, 110, 110));
  RECT inner = rc;
  InflateRect(&inner, -1, -1);
  FillSolid(dc, inner, RGB(235, 235, 235));
  if (s.enable) {
    RECT glint{s.glint, inner.top, s.glint + 60, inner.bottom};
    IntersectRect(&glint, &glint, &inner);
    FillSolid(dc, glint, RGB(80, 190, 90));
  }
}

LRESULT CALLBACK VistaProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  VistaState* s = BindState<VistaState>(hwnd, msg);
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
    case WM_TIMER: {
      RECT rc;
      GetClientRect(hwnd, &rc);
      s->glint += 8;
      UINT next = kFrameMs;
      if (s->glint > rc.right) {
        s->glint = -60;
        next = kPauseMs;
      }
      SetTimer(hwnd, kSweepTimer, next, nullptr);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    }
    case kVistaSetEnable: {
      bool on = wp != 0;
      if (on && !s->enable) {
        s->glint = -60;
        SetTimer(hwnd, kSweepTimer, kFrameMs, nullptr);
      } else if (!on) {
        KillTimer(hwnd, kSweepTimer);
      }
      s->enable = on;
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    }
    case kVistaGetEnable:
      return s->enable;
    case WM_DESTROY:
      KillTimer(hwnd, kSweepTimer);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

void RegisterVista(HINSTANCE instance) {
  WNDCLASSEXW wc{sizeof wc};
  wc.lpfnWndProc = VistaProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kVistaClass;
  RegisterClassExW(&wc);
}

}  // namespace vexa::controls
