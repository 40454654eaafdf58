// ucFirefoxWait's window class: kSpinnerPlay / kSpinnerStop / kSpinnerIsPlaying /
// kSpinnerSetBackColor (wParam: COLORREF, a system colour taking the sample
// colour), and kLoadProperties. Always 16 x 16 pixels at 96 dpi, scaled
// with the window's DPI; each frame is cut from the strip recoloured to the
// back colour.
#include "controls/paint/win32/surface.h"
#include "controls/ucFirefoxWait/spinner_strip.h"
#include "controls/ucFirefoxWait/ucFirefoxWait.h"
#include "controls/win32/control_base.h"

namespace vexa::controls {
namespace {

constexpr UINT_PTR kPlayTimer = 1;

struct SpinState {
  HWND hwnd = nullptr;
  ControlTimer tmrPlay{kPlayTimer};
  ucFirefoxWait spinner{tmrPlay, SpinnerSample()};
  Canvas original, source;  // the strip on its own, and recoloured
  int dpi = 0;
  Colour recoloured = 0;

  ControlTimer& OwnTimer() { return tmrPlay; }
  void Load(const PropertyBag& bag) { spinner.Load(bag); }

  SIZE Fit(int, int) const {
    const int side = ScaleToDpi(ucFirefoxWait::kSize, ui::DpiOf(hwnd));
    return {side, side};
  }

  // The strip for this DPI, recoloured when the back colour or DPI changed.
  void Recolour() {
    const int now = ui::DpiOf(hwnd);
    if (now != dpi || original.Width() == 0) {
      original = SpinnerStrip(now);
      dpi = now;
      source = {};
    }
    if (source.Width() == 0 || recoloured != spinner.BackColor()) {
      source = RecolourStrip(original, spinner.BackColor());
      recoloured = spinner.BackColor();
    }
  }

  void Paint(HDC dc, const RECT& rc) {
    Recolour();
    const int side = source.Height();
    Canvas frame(side, side);
    frame.Draw(source, -spinner.Frame() * side, 0);
    FillSolid(dc, rc, ToColorRef(spinner.BackColor()));
    DrawCanvas(dc, 0, 0, frame);
  }

  bool Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
      case WM_TIMER:
        if (wp != kPlayTimer) return false;
        spinner.Tick();
        break;
      case kSpinnerPlay:
        spinner.PlayWait();
        return true;
      case kSpinnerStop:
        spinner.StopWait();
        break;
      case kSpinnerIsPlaying:
        result = spinner.IsPlaying();
        return true;
      case kSpinnerSetBackColor:
        spinner.SetBackColor(static_cast<Colour>(wp));
        break;
      default:
        return false;
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    return true;
  }
};

}  // namespace

void RegisterSpinner(HINSTANCE instance) { RegisterControl<SpinState>(kSpinnerClass, IDC_ARROW); }

}  // namespace vexa::controls
