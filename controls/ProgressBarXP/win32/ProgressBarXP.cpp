// ProgressBarXP's window class. The stock progress messages set and read it
// (PBM_SETRANGE32, PBM_GETRANGE, PBM_SETPOS, PBM_GETPOS; a value above Max
// reads back as Max); kLoadProperties applies an instance's persisted values.
// Each repaint draws the bar into an off-screen bitmap kept between paints
// and copies it to the screen.
#include <windows.h>
#include <commctrl.h>

#include "controls/ProgressBarXP/ProgressBarXP.h"
#include "controls/paint/win32/surface.h"
#include "controls/win32/control_base.h"
#include "ui/dpi.h"
#include "ui/window.h"

namespace vexa::controls {
namespace {

RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

void Fill(HDC dc, const Rect& r, Colour c) {
  if (r.right > r.left && r.bottom > r.top) FillSolid(dc, ToRECT(r), ToColorRef(c));
}

// A frame `width` pixels wide along the inside of r.
void Frame(HDC dc, Rect r, Colour c, int width) {
  ui::ScopedGdi<HBRUSH> brush(CreateSolidBrush(ToColorRef(c)));
  for (int i = 0; i < width && r.right > r.left && r.bottom > r.top; ++i) {
    RECT rc = ToRECT(r);
    FrameRect(dc, &rc, brush.get());
    r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  }
}

// From `from` to `to` down the rectangle (or across it).
void Gradient(HDC dc, const Rect& r, Colour from, Colour to, bool across = false) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  auto v = [](Colour c, LONG x, LONG y) {
    return TRIVERTEX{x, y, static_cast<COLOR16>(RedOf(c) << 8), static_cast<COLOR16>(GreenOf(c) << 8),
                     static_cast<COLOR16>(BlueOf(c) << 8), 0};
  };
  TRIVERTEX vx[2] = {v(from, r.left, r.top), v(to, r.right, r.bottom)};
  GRADIENT_RECT gr{0, 1};
  GradientFill(dc, vx, 2, &gr, 1, across ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

struct XpState {
  static constexpr int kBlack = 0, kWhite = 0xFFFFFF;

  HWND hwnd = nullptr;
  ProgressBarXP bar{SystemColour, [this] { InvalidateRect(hwnd, nullptr, FALSE); }};
  OffscreenBuffer rule;
  MemorySurface buffer;
  HFONT given = nullptr;              // from WM_SETFONT
  ui::ScopedGdi<HFONT> own;        // made from the Font property
  ui::ScopedGdi<HBITMAP> image;    // the Image property's picture
  int ownDpi = 0;

  // Runs on creation and on every size change.
  void SetHdc() {
    RECT rc;
    GetClientRect(hwnd, &rc);
    if (rule.Resize(rc.right, rc.bottom) && !buffer.Create(rc.right, rc.bottom)) rule.Drop();
  }

  void OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    if (rule.Exists()) {
      DrawProgressBar(buffer.dc(), rc);
      BitBlt(dc, 0, 0, rc.right, rc.bottom, buffer.dc(), 0, 0, SRCCOPY);
    } else {
      DrawProgressBar(dc, rc);
    }
    EndPaint(hwnd, &ps);
  }

  // For WM_PRINTCLIENT; WM_PAINT goes through OnPaint and the kept buffer.
  void Paint(HDC dc, const RECT& rc) { DrawProgressBar(dc, rc); }

  void Load(const PropertyBag& bag) {
    bar.Load(bag);
    if (bag.Has(L"Font")) given = nullptr, own.reset();
    LoadImageProperty();
  }

  HFONT Font(int dpi) {
    if (given) return given;
    if (!own || ownDpi != dpi) {
      const FontSpec& f = bar.Font();
      own = ui::MakeFont({f.name.c_str(), f.points, f.bold, f.underline, false, f.italic, f.strikethrough}, dpi);
      ownDpi = dpi;
    }
    return own.get();
  }

  void DrawProgressBar(HDC dc, const RECT& rc) {
    bar.ClampForPaint();
    const int dpi = ui::DpiOf(hwnd), mode = bar.Scrolling(), p = bar.Percent();
    const Rect c{rc.left, rc.top, rc.right, rc.bottom};
    Fill(dc, c, mode == 6 ? kWhite : kBlack);
    DrawMode(dc, c, mode, p, dpi);
    DrawPercentText(dc, c, mode, p, dpi);
  }

  // Draws the look of `mode`; returns the bar as far as it reaches.
  Rect DrawMode(HDC dc, const Rect& c, int mode, int p, int dpi) {
    const Colour col = bar.Color();
    const int b = ScaleToDpi(1, dpi);
    RECT rc = ToRECT(c);
    switch (mode) {
      case 3: {
        Frame(dc, c, Lighten(col, 100), b);
        const Rect r = xp::SolidBar(c, p, b);
        Fill(dc, r, Lighten(col, 180));
        return r;
      }
      case 4: {
        DrawEdge(dc, &rc, 6, 15);
        const Rect r{2 * b, 2 * b, xp::BarEnd(c.left, c.Width() - 4 * b, p, 100), c.bottom - 3 * b};
        Gradient(dc, r, Lighten(col, 200), Lighten(col, 140));
        return r;
      }
      case 5: {
        Frame(dc, c, Lighten(col, 100), b);
        const Rect r{b, b, xp::BarEnd(c.left, c.Width() - b, p, 101), c.bottom - b};
        Gradient(dc, r, Lighten(col, 100), col);
        return r;
      }
      case 6: {
        Frame(dc, c, Lighten(col, 120), b);
        const Rect r{b, b, xp::BarEnd(c.left, c.Width() - b, p, 100), c.bottom - b};
        Fill(dc, r, col);
        return r;
      }
      case 7:
      case 8: {
        DrawEdge(dc, &rc, 9, 15);
        const Rect r{2 * b, 2 * b, xp::BarEnd(c.left, c.Width() - 2 * b, p, 101), c.bottom - 2 * b};
        FillPattern(dc, r, mode, col);
        return r;
      }
      case 9: {
        Fill(dc, {b, b, c.right - b, c.bottom - b}, Lighten(col, 220));
        Frame(dc, c, col, b);
        const Rect r{b, b, xp::BarEnd(c.left, c.Width() - b, p, 100), c.bottom - b};
        Gradient(dc, r, Lighten(col, 60), col);
        return r;
      }
      default:
        return DrawSegments(dc, c, mode, p, dpi);
    }
  }

  // Mode 7: a hatch of BrushStyle in Color on a lightened ground; mode 8:
  // the Image as a pattern. Without either, a plain fill.
  void FillPattern(HDC dc, const Rect& r, int mode, Colour col) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    ui::ScopedGdi<HBRUSH> brush;
    if (mode == 7 && bar.BrushStyle() >= HS_HORIZONTAL && bar.BrushStyle() <= HS_DIAGCROSS)
      brush.reset(CreateHatchBrush(bar.BrushStyle(), ToColorRef(col)));
    if (mode == 8 && image) brush.reset(CreatePatternBrush(image.get()));
    if (!brush) return Fill(dc, r, Lighten(col, 100));
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ToColorRef(Lighten(col, 200)));
    ui::ScopedSelect sel(dc, brush.get());
    PatBlt(dc, r.left, r.top, r.Width(), r.Height(), PATCOPY);
  }

  Rect DrawSegments(HDC dc, const Rect& c, int mode, int p, int dpi) {
    const Colour col = bar.Color();
    const int b = ScaleToDpi(1, dpi);
    const xp::Segments s = xp::SegmentedBar(c, p, mode, bar.Orientation(), dpi);
    // Mode 0 paints its well and gaps white; 1 and 2 a pale tint of the colour.
    Fill(dc, {c.left + b, c.top + b, c.right - b, c.bottom - b}, mode == 0 ? 0xFFFFFF : Lighten(col, 235));
    // The frame: an outer line, a lighter inner one, white corners.
    Frame(dc, c, 0xBEBEBE, b);
    Frame(dc, {c.left + b, c.top + b, c.right - b, c.bottom - b}, 0xEFEFEF, b);
    for (const Rect& corner : {Rect{c.left, c.top, c.left + b, c.top + b}, Rect{c.right - b, c.top, c.right, c.top + b},
                               Rect{c.left, c.bottom - b, c.left + b, c.bottom},
                               Rect{c.right - b, c.bottom - b, c.right, c.bottom}})
      Fill(dc, corner, 0xFFFFFF);
    const int step = s.block + s.gap;
    auto block = [&](const Rect& r) {
      // Light at the edges, the colour itself in the middle.
      Rect first = r, second = r;
      if (s.vertical) first.right = second.left = r.left + r.Width() / 2;
      else first.bottom = second.top = r.top + r.Height() / 2;
      Gradient(dc, first, Lighten(col, 150), col, s.vertical);
      Gradient(dc, second, col, Lighten(col, 60), s.vertical);
    };
    if (!s.vertical) {
      for (int x = s.bar.left; x + step <= s.bar.right; x += step)
        block({x, c.top + s.inset, x + s.block, c.bottom - s.inset});
    } else {
      for (int y = s.bar.bottom; y - step >= s.bar.top; y -= step)
        block({s.bar.left, y - step, c.right - s.inset, y - s.gap});
    }
    return s.bar;
  }

  void DrawPercentText(HDC dc, const Rect& c, int mode, int p, int dpi) {
    if (!bar.ShowText()) return;
    const std::wstring text = xp::Text(mode, p);
    ui::ScopedSelect font(dc, Font(dpi));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, mode == 6 ? 0xC0C0C0 : 0);
    RECT measure{0, 0, 0, 0};
    ::DrawTextW(dc, text.c_str(), -1, &measure, DT_CALCRECT | DT_NOPREFIX);
    const Rect t = xp::CentredText(c, measure.right, measure.bottom);
    RECT rt = ToRECT(t);
    const xp::TextPasses passes = xp::PlanText(mode, true, p, c, t);
    if (passes.plain) ::DrawTextW(dc, text.c_str(), -1, &rt, DT_SINGLELINE | DT_NOPREFIX);
    if (passes.twoColour) {
      // Over the bar the text turns white.
      const int saved = SaveDC(dc);
      IntersectClipRect(dc, c.left, c.top, xp::BarEnd(c.left, c.Width(), p, 100), c.bottom);
      SetTextColor(dc, 0xFFFFFF);
      ::DrawTextW(dc, text.c_str(), -1, &rt, DT_SINGLELINE | DT_NOPREFIX);
      RestoreDC(dc, saved);
    }
  }

  void LoadImageProperty() {
    image.reset();
    if (!bar.Image().empty())
      image.reset(static_cast<HBITMAP>(
          LoadImageW(GetModuleHandleW(nullptr), bar.Image().c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  }

  bool Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
      case WM_CREATE:
        SetHdc();
        return false;
      case WM_SIZE:
        SetHdc();
        InvalidateRect(hwnd, nullptr, FALSE);
        return true;
      case PBM_SETRANGE32:
        bar.SetMin(static_cast<int>(wp));
        bar.SetMax(static_cast<int>(lp));
        return true;
      case PBM_SETRANGE:
        result = MAKELRESULT(bar.Min(), bar.Max());
        bar.SetMin(LOWORD(lp));
        bar.SetMax(HIWORD(lp));
        return true;
      case PBM_GETRANGE:
        if (lp) *reinterpret_cast<PBRANGE*>(lp) = PBRANGE{bar.Min(), bar.Max()};
        result = wp ? bar.Min() : bar.Max();
        return true;
      case PBM_SETPOS:
        result = bar.Value();
        bar.SetValue(static_cast<int>(wp));
        return true;
      case PBM_GETPOS:
        result = bar.Value();
        return true;
      case WM_SETFONT:
        given = reinterpret_cast<HFONT>(wp);
        if (LOWORD(lp)) InvalidateRect(hwnd, nullptr, FALSE);
        return true;
      case WM_GETFONT:
        result = reinterpret_cast<LRESULT>(given ? given : own.get());
        return true;
      case WM_DPICHANGED_AFTERPARENT:
        InvalidateRect(hwnd, nullptr, FALSE);
        return true;
      default:
        return false;
    }
  }
};

}  // namespace

void RegisterProgressXp(HINSTANCE) { RegisterControl<XpState>(kProgressXpClass, IDC_ARROW); }

}  // namespace vexa::controls
