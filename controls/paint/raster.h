#pragma once
// The program's one rasteriser, for the windows' artwork and the controls'
// own pictures, drawn by code at the pixel size a DPI asks for. Filled paths
// get exact horizontal and 16-fold vertical coverage, in a solid colour or a
// vertical gradient, composited source-over into premultiplied 0xAARRGGBB
// pixels, top row first: the layout of a 32-bit DIB section. It draws the
// same on every system, whatever the graphics stack does with smoothing.
#include <cstdint>
#include <vector>

#include "controls/paint/paint.h"

namespace vexa::controls {

using Pixel = std::uint32_t;

// c at the given alpha (0-255), premultiplied.
constexpr Pixel PixelOf(Colour c, int alpha = 255) {
  const auto times = [alpha](int v) { return static_cast<Pixel>((v * (alpha & 0xFF) + 127) / 255); };
  return static_cast<Pixel>(alpha & 0xFF) << 24 | times(RedOf(c)) << 16 | times(GreenOf(c)) << 8 | times(BlueOf(c));
}
// The colour of an opaque pixel.
constexpr Colour ColourOf(Pixel p) { return Rgb(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF); }
// Every channel of p times a / 255 (a 0-255).
Pixel Faded(Pixel p, unsigned a);

struct Pt {
  double x = 0, y = 0;
};

// Outlines to fill. Solid contours count +1 and holes -1 wherever they
// cover; a pixel is painted where the count is above zero, so overlapping
// solids merge and a hole cuts through the one solid it lies in.
class Path {
 public:
  Path& AddPolygon(const std::vector<Pt>& points, bool hole = false);
  Path& AddRect(double x0, double y0, double x1, double y1, bool hole = false);
  Path& AddRoundRect(double x0, double y0, double x1, double y1, double radius, bool hole = false);
  // Radii per corner: top left, top right, bottom right, bottom left.
  Path& AddRoundRect4(double x0, double y0, double x1, double y1, const double radii[4], bool hole = false);
  // A band `width` wide along the inside of a rounded rectangle.
  Path& AddFrame(double x0, double y0, double x1, double y1, double radius, double width);
  Path& AddCircle(double cx, double cy, double r, bool hole = false);
  // A stroke of the given width along the points, with round joins and caps.
  Path& AddStroke(const std::vector<Pt>& points, double width, bool closed = false);
  // Points along an arc (angles in degrees, clockwise on screen from the
  // positive x axis), appended to out.
  static void Arc(std::vector<Pt>& out, double cx, double cy, double r, double from, double to);

  const std::vector<std::vector<Pt>>& Contours() const { return contours_; }

 private:
  std::vector<std::vector<Pt>> contours_;
};

// Colour of a fill: top at y0 blending to bottom at y1 (in pixels; a row
// takes the colour at its centre), laid on at the given opacity (0-1).
struct Paint {
  Colour top, bottom;
  double y0 = 0, y1 = 1, opacity = 1;
  Paint(Colour solid, double opacity = 1) : top(solid), bottom(solid), opacity(opacity) {}  // NOLINT: a colour paints
  Paint(Colour t, Colour b, double from, double to, double opacity = 1)
      : top(t), bottom(b), y0(from), y1(to), opacity(opacity) {}
  Colour At(double y) const { return Mix(top, bottom, y1 > y0 ? (y - y0) / (y1 - y0) : 0); }
};

class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height, Pixel fill = 0);
  // Makes the canvas w x h filled with `fill`, keeping its storage.
  void Reset(int width, int height, Pixel fill = 0);

  int Width() const { return w_; }
  int Height() const { return h_; }
  Pixel At(int x, int y) const { return px_[static_cast<std::size_t>(y) * w_ + x]; }
  void Set(int x, int y, Pixel p) { px_[static_cast<std::size_t>(y) * w_ + x] = p; }
  const Pixel* Data() const { return px_.data(); }

  // Whole-pixel rectangle, clipped to the canvas.
  void FillRect(int x0, int y0, int x1, int y1, const Paint& paint);
  // Coordinates in pixels, (0, 0) being the top-left corner of the first pixel.
  void FillPath(const Path& path, const Paint& paint);

  // Lays `src` over this canvas with its top-left corner at (x, y).
  void Draw(const Canvas& src, int x, int y);
  // This canvas resampled (bilinear) into `out`, at out's size.
  void ScaleInto(Canvas& out) const;
  // Keeps of each pixel only as much as `shape` covers at the same place.
  void ClipTo(const Canvas& shape);

 private:
  void Blend(int x, int y, Colour c, double alpha);

  int w_ = 0, h_ = 0;
  std::vector<Pixel> px_;
};

}  // namespace vexa::controls
