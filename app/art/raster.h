#pragma once
// A small anti-aliased rasteriser for the program's artwork: filled paths
// with exact horizontal and 16-fold vertical coverage, solid or vertical
// gradient paint, composited source-over into a 32-bit premultiplied
// top-down pixel buffer (the layout of a 32-bit DIB section). It draws the
// same on every system, whatever the graphics stack does with smoothing.
#include <cstdint>
#include <vector>

namespace vexa::app::raster {

// A colour with straight (not premultiplied) alpha, 0-255 each.
struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
};
constexpr Rgba Rgb(int r, int g, int b, int a = 255) {
  return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b),
          static_cast<std::uint8_t>(a)};
}
// c made lighter towards white (amount 0-1) or, with a negative amount,
// darker towards black.
Rgba Shade(Rgba c, double amount);
Rgba WithAlpha(Rgba c, int a);

struct Pt {
  double x = 0, y = 0;
};

// Outlines to fill. Solid contours count +1 and holes -1 wherever they
// cover; a pixel is painted where the count is above zero, so overlapping
// solids merge and a hole cuts through the one solid it lies in.
class Path {
 public:
  void AddPolygon(const std::vector<Pt>& points, bool hole = false);
  void AddRect(double x0, double y0, double x1, double y1, bool hole = false);
  void AddRoundRect(double x0, double y0, double x1, double y1, double radius, bool hole = false);
  // Radii per corner: top left, top right, bottom right, bottom left.
  void AddRoundRect4(double x0, double y0, double x1, double y1, const double radii[4], bool hole = false);
  void AddCircle(double cx, double cy, double r, bool hole = false);
  // A stroke of the given width along the points, with round joins and caps.
  void AddStroke(const std::vector<Pt>& points, double width, bool closed = false);
  // Points along an arc (angles in degrees, clockwise on screen from the
  // positive x axis), appended to out.
  static void Arc(std::vector<Pt>& out, double cx, double cy, double r, double from, double to);

  const std::vector<std::vector<Pt>>& Contours() const { return contours_; }

 private:
  std::vector<std::vector<Pt>> contours_;
};

// Colour of a fill: top at y0 blending to bottom at y1 (canvas pixels);
// the same colour twice for a solid fill.
struct Paint {
  Rgba top, bottom;
  double y0 = 0, y1 = 1;
  Paint(Rgba solid) : top(solid), bottom(solid) {}  // NOLINT: a colour is a paint
  Paint(Rgba t, Rgba b, double from, double to) : top(t), bottom(b), y0(from), y1(to) {}
  Rgba At(double y) const;
};

class Canvas {
 public:
  Canvas(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Premultiplied 0xAARRGGBB, top row first.
  const std::vector<std::uint32_t>& Pixels() const { return px_; }
  std::uint32_t PixelAt(int x, int y) const { return px_[static_cast<std::size_t>(y) * width_ + x]; }

  // Whole-pixel rectangle, clipped to the canvas.
  void FillRect(int x0, int y0, int x1, int y1, const Paint& paint);
  void FillPath(const Path& path, const Paint& paint);
  // Every pixel's alpha multiplied by alpha/255 (for see-through pictures).
  void Fade(int alpha);

 private:
  void Blend(int x, int y, Rgba c, double cover);

  int width_, height_;
  std::vector<std::uint32_t> px_;
};

}  // namespace vexa::app::raster
