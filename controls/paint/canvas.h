#pragma once
// An anti-aliased raster for the controls' own pictures (switch faces, the
// spinner strip, the busy bar's pieces), drawn by code at the pixel size a
// window's DPI asks for. Pixels are 0xAARRGGBB with straight alpha, which is
// the byte order of a 32-bit top-down DIB.
#include <cstdint>
#include <vector>

#include "controls/paint/paint.h"

namespace vexa::controls {

using Pixel = std::uint32_t;

constexpr Pixel PixelOf(Colour c, int alpha = 255) {
  return static_cast<Pixel>(alpha & 0xFF) << 24 | static_cast<Pixel>(RedOf(c)) << 16 |
         static_cast<Pixel>(GreenOf(c)) << 8 | static_cast<Pixel>(BlueOf(c));
}
constexpr Colour ColourOf(Pixel p) { return Rgb(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF); }
constexpr int AlphaOf(Pixel p) { return static_cast<int>(p >> 24); }

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

  // Shapes take coordinates in pixels, (0, 0) being the top-left corner of
  // the first pixel; edges are anti-aliased. Fills run from `top` at y0 to
  // `bottom` at y1.
  void FillRoundRect(double x0, double y0, double x1, double y1, double radius, Colour top, Colour bottom,
                     double opacity = 1.0);
  void StrokeRoundRect(double x0, double y0, double x1, double y1, double radius, double width, Colour c,
                       double opacity = 1.0);
  void FillCircle(double cx, double cy, double r, Colour c, double opacity = 1.0);
  // A line with round ends.
  void FillCapsule(double xa, double ya, double xb, double yb, double halfWidth, Colour c, double opacity = 1.0);

  // Lays `src` over this canvas with its top-left corner at (x, y).
  void Draw(const Canvas& src, int x, int y);
  // This canvas resampled to w x h (bilinear, alpha-correct).
  Canvas Scaled(int w, int h) const;
  // The same into `out`, at out's size, reusing its pixels.
  void ScaleInto(Canvas& out) const;
  // Keeps of each pixel only as much as `shape` covers at the same place.
  void ClipTo(const Canvas& shape);

 private:
  template <typename Coverage>
  void Shade(double x0, double y0, double x1, double y1, Colour top, Colour bottom, double opacity, Coverage cov);
  void Blend(int x, int y, Colour c, double alpha);

  int w_ = 0, h_ = 0;
  std::vector<Pixel> px_;
};

}  // namespace vexa::controls
