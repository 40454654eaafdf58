#include "controls/VistaProgress/vista_pieces.h"

#include <algorithm>
#include <cmath>

namespace vexa::controls {
namespace {

constexpr Colour kTrackTop = Rgb(236, 240, 246), kTrackBottom = Rgb(222, 228, 237), kTrackEdge = Rgb(196, 204, 217);
constexpr Colour kBarTop = Rgb(246, 248, 251), kBarBottom = Rgb(231, 236, 243), kBarEdge = Rgb(210, 216, 226);

// A rounded bar whose ends lie outside the canvas where `open` says, so a
// piece can be cut from it.
// A rounded bar from y0 to y1 of the canvas; an open end lies outside it,
// so that a piece can be cut from a longer bar.
Canvas Bar(int w, int h, double y0, double y1, bool openLeft, bool openRight, Colour top, Colour bottom,
           Colour edge) {
  Canvas c(w, h);
  const double r = (y1 - y0) / 2, x0 = openLeft ? -2 * r : 0, x1 = openRight ? w + 2 * r : w;
  c.FillRoundRect(x0, y0, x1, y1, r, top, bottom);
  c.StrokeRoundRect(x0, y0, x1, y1, r, y1 - y0 > 20 ? 2 : 1, edge);
  return c;
}

}  // namespace

Canvas TrackPiece(TrackPart part, int w, int h, int shapeTop, int shapeBottom) {
  return Bar(w, h, shapeTop, shapeBottom, part != TrackPart::Left, part != TrackPart::Right, kTrackTop, kTrackBottom,
             kTrackEdge);
}

// The cap is the bar's rounded left end; the body, laid over it and
// stretched to any length, is rounded at both ends.
Canvas BarPiece(bool cap, int w, int h) { return Bar(w, h, 0, h, false, cap, kBarTop, kBarBottom, kBarEdge); }

Canvas GlintPiece(int w, int h) {
  // An accent-blue run that fades in and out along its length.
  Canvas c(w, h);
  Canvas solid(w, h);
  solid.FillRoundRect(0, 0, w, h, h / 2.0, Rgb(92, 146, 214), Rgb(46, 96, 170));
  for (int x = 0; x < w; ++x) {
    const double t = (x + 0.5) / w, fade = std::sin(t * 3.14159265358979323846);
    for (int y = 0; y < h; ++y) {
      const Pixel p = solid.At(x, y);
      c.Set(x, y, PixelOf(ColourOf(p), static_cast<int>(AlphaOf(p) * std::min(1.0, fade * 1.6))));
    }
  }
  return c;
}

Canvas EdgePiece(int w, int h) {
  // A hairline that fades in downwards; the control shows only its top.
  Canvas c(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) c.Set(x, y, PixelOf(kTrackEdge, 255 * y / (h > 1 ? h - 1 : 1)));
  return c;
}

}  // namespace vexa::controls
