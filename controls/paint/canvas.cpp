#include "controls/paint/canvas.h"

#include <algorithm>
#include <cmath>

namespace vexa::controls {
namespace {

// Signed distance from (px, py) to a rounded rectangle: negative inside.
double RoundRectDistance(double px, double py, double x0, double y0, double x1, double y1, double r) {
  const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  const double hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
  r = std::clamp(r, 0.0, std::min(hx, hy));
  const double qx = std::abs(px - cx) - hx + r, qy = std::abs(py - cy) - hy + r;
  const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  return outside + std::min(std::max(qx, qy), 0.0) - r;
}

double CoverageOf(double distance) { return std::clamp(0.5 - distance, 0.0, 1.0); }

}  // namespace

Canvas::Canvas(int width, int height, Pixel fill)
    : w_(std::max(width, 0)), h_(std::max(height, 0)), px_(static_cast<std::size_t>(w_) * h_, fill) {}

void Canvas::Blend(int x, int y, Colour c, double alpha) {
  if (alpha <= 0) return;
  Pixel& d = px_[static_cast<std::size_t>(y) * w_ + x];
  const double da = AlphaOf(d) / 255.0;
  const double oa = alpha + da * (1 - alpha);
  auto ch = [&](int s, int t) { return static_cast<int>(std::lround((s * alpha + t * da * (1 - alpha)) / oa)); };
  const Colour dc = ColourOf(d);
  d = PixelOf(Rgb(ch(RedOf(c), RedOf(dc)), ch(GreenOf(c), GreenOf(dc)), ch(BlueOf(c), BlueOf(dc))),
              static_cast<int>(std::lround(oa * 255)));
}

template <typename Coverage>
void Canvas::Shade(double x0, double y0, double x1, double y1, Colour top, Colour bottom, double opacity,
                   Coverage cov) {
  const int xa = std::max(0, static_cast<int>(std::floor(x0)) - 1), xb = std::min(w_, static_cast<int>(std::ceil(x1)) + 1);
  const int ya = std::max(0, static_cast<int>(std::floor(y0)) - 1), yb = std::min(h_, static_cast<int>(std::ceil(y1)) + 1);
  const double span = y1 - y0 > 1 ? y1 - y0 - 1 : 1;
  for (int y = ya; y < yb; ++y) {
    const Colour c = Mix(top, bottom, (y - y0) / span);
    for (int x = xa; x < xb; ++x) Blend(x, y, c, cov(x + 0.5, y + 0.5) * opacity);
  }
}

void Canvas::FillRoundRect(double x0, double y0, double x1, double y1, double radius, Colour top, Colour bottom,
                           double opacity) {
  Shade(x0, y0, x1, y1, top, bottom, opacity,
        [&](double px, double py) { return CoverageOf(RoundRectDistance(px, py, x0, y0, x1, y1, radius)); });
}

void Canvas::StrokeRoundRect(double x0, double y0, double x1, double y1, double radius, double width, Colour c,
                             double opacity) {
  Shade(x0, y0, x1, y1, c, c, opacity, [&](double px, double py) {
    const double outer = RoundRectDistance(px, py, x0, y0, x1, y1, radius);
    const double inner = RoundRectDistance(px, py, x0 + width, y0 + width, x1 - width, y1 - width,
                                           std::max(radius - width, 0.0));
    return std::max(0.0, CoverageOf(outer) - CoverageOf(inner));
  });
}

void Canvas::FillCircle(double cx, double cy, double r, Colour c, double opacity) {
  FillRoundRect(cx - r, cy - r, cx + r, cy + r, r, c, c, opacity);
}

void Canvas::FillCapsule(double xa, double ya, double xb, double yb, double hw, Colour c, double opacity) {
  const double dx = xb - xa, dy = yb - ya, len2 = dx * dx + dy * dy;
  Shade(std::min(xa, xb) - hw, std::min(ya, yb) - hw, std::max(xa, xb) + hw, std::max(ya, yb) + hw, c, c, opacity,
        [&](double px, double py) {
          const double t = len2 > 0 ? std::clamp(((px - xa) * dx + (py - ya) * dy) / len2, 0.0, 1.0) : 0.0;
          return CoverageOf(std::hypot(px - xa - t * dx, py - ya - t * dy) - hw);
        });
}

void Canvas::Draw(const Canvas& src, int x, int y) {
  for (int sy = 0; sy < src.h_; ++sy) {
    const int ty = y + sy;
    if (ty < 0 || ty >= h_) continue;
    for (int sx = 0; sx < src.w_; ++sx) {
      const int tx = x + sx;
      if (tx < 0 || tx >= w_) continue;
      const Pixel p = src.At(sx, sy);
      Blend(tx, ty, ColourOf(p), AlphaOf(p) / 255.0);
    }
  }
}

void Canvas::ClipTo(const Canvas& shape) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      const int a = x < shape.w_ && y < shape.h_ ? AlphaOf(shape.At(x, y)) : 0;
      const Pixel p = At(x, y);
      Set(x, y, PixelOf(ColourOf(p), AlphaOf(p) * a / 255));
    }
}

Canvas Canvas::Scaled(int w, int h) const {
  Canvas out(w, h);
  if (w_ == 0 || h_ == 0) return out;
  for (int y = 0; y < out.h_; ++y) {
    const double fy = std::clamp((y + 0.5) * h_ / h - 0.5, 0.0, h_ - 1.0);
    const int y0 = static_cast<int>(fy), y1 = std::min(y0 + 1, h_ - 1);
    const double ty = fy - y0;
    for (int x = 0; x < out.w_; ++x) {
      const double fx = std::clamp((x + 0.5) * w_ / w - 0.5, 0.0, w_ - 1.0);
      const int x0 = static_cast<int>(fx), x1 = std::min(x0 + 1, w_ - 1);
      const double tx = fx - x0;
      // Weighted by alpha, so transparent neighbours lend no colour.
      double a = 0, r = 0, g = 0, b = 0;
      const auto take = [&](int sx, int sy, double wgt) {
        const Pixel p = At(sx, sy);
        const double pa = AlphaOf(p) * wgt;
        a += pa, r += (p >> 16 & 0xFF) * pa, g += (p >> 8 & 0xFF) * pa, b += (p & 0xFF) * pa;
      };
      take(x0, y0, (1 - tx) * (1 - ty));
      take(x1, y0, tx * (1 - ty));
      take(x0, y1, (1 - tx) * ty);
      take(x1, y1, tx * ty);
      if (a <= 0) continue;
      out.Set(x, y,
              PixelOf(Rgb(static_cast<int>(std::lround(r / a)), static_cast<int>(std::lround(g / a)),
                          static_cast<int>(std::lround(b / a))),
                      static_cast<int>(std::lround(a))));
    }
  }
  return out;
}

}  // namespace vexa::controls
