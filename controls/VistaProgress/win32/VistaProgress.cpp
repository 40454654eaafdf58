// VistaProgress's window class: kVistaSetEnable (wParam TRUE/FALSE) and
// kVistaGetEnable, and kLoadProperties. The pieces stand where the model
// puts them, in twips scaled with the window's DPI; each frame is composed
// on a hidden surface and shown stretched over the track.
#include <vector>

#include "controls/VistaProgress/VistaProgress.h"
#include "controls/VistaProgress/vista_pieces.h"
#include "controls/paint/win32/surface.h"
#include "controls/win32/control_base.h"

namespace vexa::controls {
namespace {

constexpr UINT_PTR kAnimateTimer = 1;

struct VistaState {
  using V = VistaProgress;
  HWND hwnd = nullptr;
  ControlTimer tmrAnimate{kAnimateTimer};
  VistaProgress bar{tmrAnimate};

  ControlTimer& OwnTimer() { return tmrAnimate; }
  void Load(const PropertyBag& bag) { bar.Load(bag); }

  int Dpi() const { return ui::DpiOf(hwnd); }
  int Px(int twips) const { return TwipsToPx(twips, Dpi()); }
  int Twips(int px) const { return static_cast<int>(RoundHalfEven(static_cast<std::int64_t>(px) * 1440, Dpi())); }

  // Pictures kept between frames, rebuilt when what they depend on changes.
  struct Kept {
    std::vector<int> key;
    Canvas picture;
  };
  Kept background, still, glint;

  template <typename Build>
  static const Canvas& Keep(Kept& kept, std::vector<int> key, Build build) {
    if (kept.key != key || kept.picture.Width() == 0) kept.picture = build(), kept.key = std::move(key);
    return kept.picture;
  }

  // The frame as the hidden surface holds it: the left cap and body of the
  // bar, and the glint over the bar, on a transparent ground.
  Canvas surface, layer, shown, out;  // kept to spare allocations per frame
  void ComposeSurface() {
    const V::Frame& f = bar.Shown();
    const int w = Px(bar.Pieces().surfaceWidth), h = Px(V::kSurfaceHeight);
    surface = Keep(still, {w, h, Px(f.bodyWidth), Dpi()}, [&] {
      Canvas c(w, h);
      c.Draw(BarPiece(true, Px(V::kCapWidth), Px(V::kPieceHeight)), 0, Px(V::kBarTop));
      if (f.bodyWidth > 0) c.Draw(BarPiece(false, Px(f.bodyWidth), Px(V::kPieceHeight)), Px(1), Px(V::kBarTop));
      return c;
    });
    if (!f.glint) return;
    const Canvas& piece = Keep(glint, {Dpi()}, [&] { return GlintPiece(Px(V::kGlintWidth), Px(V::kGlintHeight)); });
    layer.Reset(w, h);
    layer.Draw(piece, Px(f.glintLeft), Px(V::kGlintTop));
    layer.ClipTo(surface);
    surface.Draw(layer, 0, 0);
  }

  // The track, its right end or the edge piece, on the window's colour.
  const Canvas& Background(int w, int h) {
    const V::Layout& l = bar.Pieces();
    const Colour back = static_cast<Colour>(ParentBackground(hwnd));
    return Keep(background,
                {w, h, Dpi(), static_cast<int>(back), l.trackMidWidth, l.trackRightLeft, l.trackRightShown, l.edgeLeft},
                [&] {
                  Canvas out(w, h, PixelOf(back));
                  // The track's shape lies where the shown frame's bar lies (the
                  // surface is shrunk to the base's height), so the bar covers it.
                  const int shapeTop = Px(V::kTrackMidTop);
                  const int shapeBottom = Px((V::kBarTop + V::kPieceHeight) * V::kBaseHeight / V::kSurfaceHeight);
                  const int top = Px(V::kTrackLeft.top), midTop = Px(V::kTrackMidTop), ph = Px(V::kPieceHeight);
                  const auto piece = [&](TrackPart part, int width, int y) {
                    return TrackPiece(part, width, ph, shapeTop - y, shapeBottom - y);
                  };
                  out.Draw(piece(TrackPart::Left, Px(V::kTrackLeft.right), top), 0, top);
                  out.Draw(piece(TrackPart::Middle, Px(l.trackMidWidth), midTop), Px(V::kTrackMidLeft), midTop);
                  if (l.trackRightShown)
                    out.Draw(piece(TrackPart::Right, Px(V::kTrackEndWidth), top), Px(l.trackRightLeft), top);
                  else
                    out.Draw(EdgePiece(Px(V::kEdgeWidth), ph), Px(l.edgeLeft), Px(V::kEdgeTop));
                  return out;
                });
  }

  void Paint(HDC dc, const RECT& rc) {
    out = Background(rc.right, rc.bottom);
    if (bar.Shown().composed) {
      ComposeSurface();
      shown.Reset(Px(bar.Pieces().baseWidth), Px(V::kBaseHeight));
      surface.ScaleInto(shown);
      out.Draw(shown, Px(V::kBaseLeft), 0);
    }
    DrawCanvas(dc, 0, 0, out);
  }

  // The size the control takes for a requested one, in pixels.
  SIZE Fit(int cx, int cy) {
    const Size twips = bar.Resize(Twips(cx), Twips(cy));
    return {Px(twips.cx), Px(twips.cy)};
  }

  bool Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
      case WM_TIMER:
        if (wp != kAnimateTimer) return false;
        bar.Tick();
        break;
      case kVistaSetEnable:
        bar.SetEnable(wp != 0);
        break;
      case kVistaGetEnable:
        result = bar.Enable();
        return true;
      default:
        return false;
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    return true;
  }
};

}  // namespace

void RegisterVista(HINSTANCE instance) { RegisterControl<VistaState>(kVistaClass, IDC_ARROW); }

}  // namespace vexa::controls
