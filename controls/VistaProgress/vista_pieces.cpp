#include "controls/VistaProgress/vista_pieces.h"

#include <algorithm>
#include <cmath>

namespace vexa::controls {
namespace {

constexpr Colour kTrackTop = Rgb(236, 240, 246), kTrackBottom = Rgb(222, 228, 237), kTrackEdge = Rgb(196, 204, 217);
constexpr Colour kBarTop = Rgb(246, 248, 251), kBarBottom = Rgb(231, 236, 243), kBarEdge = Rgb(210, 216, 226);

// A rounded bar from y0 to y1 of the canvas; an open end lies outside it,
// so that a piece can be cut from a longer bar.
Canvas Bar(int w, int h, double y0, double y1, bool openLeft, bool openRight, Colour top, Colour bottom,
           Colour edge) {
  Canvas c(w, h);
  const double r = (y1 - y0) / 2, x0 = openLeft ? -2 * r : 0, x1 = openRight ? w + 2 * r : w;
  c.FillPath(Path().AddRoundRect(x0, y0, x1, y1, r), {top, bottom, y0, y1});
  c.FillPath(Path().AddFrame(x0, y0, x1, y1, r, y1 - y0 > 20 ? 2 : 1), edge);
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
  c.FillPath(Path().AddRoundRect(0, 0, w, h, h / 2.0), Paint(Rgb(92, 146, 214), Rgb(46, 96, 170), 0, h));
  for (int x = 0; x < w; ++x) {
    const double fade = std::min(1.0, std::sin((x + 0.5) / w * 3.14159265358979323846) * 1.6);
    for (int y = 0; y < h; ++y) c.Set(x, y, Faded(c.At(x, y), static_cast<unsigned>(255 * fade)));
  }
  return c;
}

Canvas EdgePiece(int w, int h) {
  // A hairline that fades in downwards; the control shows only its top.
  Canvas c(w, h);
  for (int y = 0; y < h; ++y) c.FillRect(0, y, w, y + 1, {kTrackEdge, y / (h > 1 ? h - 1.0 : 1.0)});
  return c;
}

}  // namespace vexa::controls
