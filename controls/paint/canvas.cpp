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

// Straight-alpha "over" in integers; a and the channels are 0..255.
Pixel Over(Pixel src, Pixel dst) {
  const unsigned sa = src >> 24;
  if (sa == 255) return src;
  if (sa == 0) return dst;
  const unsigned da = dst >> 24;
  const unsigned keep = da * (255 - sa);  // destination weight, scaled by 255
  const unsigned oa = sa * 255 + keep;     // result alpha, scaled by 255
  auto ch = [&](int shift) {
    const unsigned s = src >> shift & 0xFF, d = dst >> shift & 0xFF;
    return ((s * sa * 255 + d * keep) + oa / 2) / oa;
  };
  return static_cast<Pixel>((oa + 127) / 255) << 24 | ch(16) << 16 | ch(8) << 8 | ch(0);
}


}  // namespace

Canvas::Canvas(int width, int height, Pixel fill)
    : w_(std::max(width, 0)), h_(std::max(height, 0)), px_(static_cast<std::size_t>(w_) * h_, fill) {}

void Canvas::Reset(int width, int height, Pixel fill) {
  w_ = std::max(width, 0), h_ = std::max(height, 0);
  px_.assign(static_cast<std::size_t>(w_) * h_, fill);
}

void Canvas::Blend(int x, int y, Colour c, double alpha) {
  Pixel& d = px_[static_cast<std::size_t>(y) * w_ + x];
  d = Over(PixelOf(c, static_cast<int>(std::lround(std::clamp(alpha, 0.0, 1.0) * 255))), d);
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
  const int x0 = std::max(0, -x), x1 = std::min(src.w_, w_ - x);
  for (int sy = std::max(0, -y); sy < src.h_ && y + sy < h_; ++sy) {
    const Pixel* from = &src.px_[static_cast<std::size_t>(sy) * src.w_];
    Pixel* row = &px_[static_cast<std::size_t>(y + sy) * w_];
    for (int sx = x0; sx < x1; ++sx) row[x + sx] = Over(from[sx], row[x + sx]);
  }
}

void Canvas::ClipTo(const Canvas& shape) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      const unsigned a = x < shape.w_ && y < shape.h_ ? AlphaOf(shape.At(x, y)) : 0;
      const Pixel p = At(x, y);
      Set(x, y, (p & 0xFFFFFF) | static_cast<Pixel>((p >> 24) * a / 255) << 24);
    }
}

Canvas Canvas::Scaled(int w, int h) const {
  Canvas out(w, h);
  ScaleInto(out);
  return out;
}

void Canvas::ScaleInto(Canvas& out) const {
  std::fill(out.px_.begin(), out.px_.end(), 0);
  const int w = out.w_, h = out.h_;
  if (w_ == 0 || h_ == 0 || w == 0 || h == 0) return;
  // Bilinear on premultiplied values, so transparent neighbours lend no
  // colour; weights in 1/16 along each axis keep the sums in 32 bits.
  struct Tap { int i0, i1; std::uint32_t w1; };
  auto taps = [](int from, int to) {
    std::vector<Tap> t(static_cast<std::size_t>(to));
    for (int i = 0; i < to; ++i) {
      const double f = std::clamp((i + 0.5) * from / to - 0.5, 0.0, from - 1.0);
      const int i0 = static_cast<int>(f);
      t[i] = {i0, std::min(i0 + 1, from - 1), static_cast<std::uint32_t>(std::lround((f - i0) * 16))};
    }
    return t;
  };
  const std::vector<Tap> tx = taps(w_, w), ty = taps(h_, h);
  for (int y = 0; y < h; ++y) {
    const Tap& v = ty[y];
    const Pixel* r0 = &px_[static_cast<std::size_t>(v.i0) * w_];
    const Pixel* r1 = &px_[static_cast<std::size_t>(v.i1) * w_];
    Pixel* to = &out.px_[static_cast<std::size_t>(y) * w];
    for (int x = 0; x < w; ++x) {
      const Tap& u = tx[x];
      const Pixel q[4] = {r0[u.i0], r0[u.i1], r1[u.i0], r1[u.i1]};
      if (q[0] == q[1] && q[0] == q[2] && q[0] == q[3]) {
        to[x] = q[0];
        continue;
      }
      const std::uint32_t wt[4] = {(16 - u.w1) * (16 - v.w1), u.w1 * (16 - v.w1), (16 - u.w1) * v.w1, u.w1 * v.w1};
      std::uint32_t a = 0, r = 0, g = 0, b = 0;
      for (int k = 0; k < 4; ++k) {
        const std::uint32_t pa = (q[k] >> 24) * wt[k];
        a += pa, r += (q[k] >> 16 & 0xFF) * pa, g += (q[k] >> 8 & 0xFF) * pa, b += (q[k] & 0xFF) * pa;
      }
      if (a < 128) continue;  // under half a step of alpha
      auto ch = [a](std::uint32_t c) { return std::min<std::uint32_t>(255, (c + a / 2) / a); };
      to[x] = (a + 128) >> 8 << 24 | ch(r) << 16 | ch(g) << 8 | ch(b);
    }
  }
}

}  // namespace vexa::controls
