#include "controls/paint/raster.h"

#include <algorithm>
#include <cmath>

namespace vexa::controls {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kSubRows = 16;  // vertical samples per pixel row

double SignedArea(const std::vector<Pt>& c) {
  double a = 0;
  for (std::size_t i = 0, n = c.size(); i < n; ++i) {
    const Pt& p = c[i];
    const Pt& q = c[(i + 1) % n];
    a += p.x * q.y - q.x * p.y;
  }
  return a / 2;
}

struct Edge {
  double x0, y0, x1, y1;
  int dir;  // +1 downwards, -1 upwards
};

}  // namespace

Pixel Faded(Pixel p, unsigned a) {
  Pixel out = 0;
  for (int shift = 0; shift < 32; shift += 8) out |= ((p >> shift & 0xFF) * a + 127) / 255 << shift;
  return out;
}

Path& Path::AddPolygon(const std::vector<Pt>& points, bool hole) {
  if (points.size() < 3) return *this;
  std::vector<Pt> c = points;
  // Screen y grows downwards: a positive area runs clockwise on screen and
  // its edges count -1 inside, so solids are turned to run the other way.
  if ((SignedArea(c) > 0) != hole) std::reverse(c.begin(), c.end());
  contours_.push_back(std::move(c));
  return *this;
}

Path& Path::AddRect(double x0, double y0, double x1, double y1, bool hole) {
  return AddPolygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, hole);
}

void Path::Arc(std::vector<Pt>& out, double cx, double cy, double r, double from, double to) {
  // Chords that stray at most a twentieth of a pixel from the arc.
  double sweep = std::abs(to - from) * kPi / 180;
  double step = r > 0.05 ? 2 * std::acos(1 - 0.05 / r) : kPi / 2;
  int steps = std::max(2, static_cast<int>(std::ceil(sweep / step)));
  for (int i = 0; i <= steps; ++i) {
    double a = (from + (to - from) * i / steps) * kPi / 180;
    out.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
  }
}

Path& Path::AddRoundRect4(double x0, double y0, double x1, double y1, const double radii[4], bool hole) {
  double limit = std::min(x1 - x0, y1 - y0) / 2;
  double r[4];
  for (int i = 0; i < 4; ++i) r[i] = std::clamp(radii[i], 0.0, limit);
  std::vector<Pt> c;
  Arc(c, x1 - r[1], y0 + r[1], r[1], -90, 0);
  Arc(c, x1 - r[2], y1 - r[2], r[2], 0, 90);
  Arc(c, x0 + r[3], y1 - r[3], r[3], 90, 180);
  Arc(c, x0 + r[0], y0 + r[0], r[0], 180, 270);
  return AddPolygon(c, hole);
}

Path& Path::AddRoundRect(double x0, double y0, double x1, double y1, double radius, bool hole) {
  const double radii[4] = {radius, radius, radius, radius};
  return AddRoundRect4(x0, y0, x1, y1, radii, hole);
}

Path& Path::AddFrame(double x0, double y0, double x1, double y1, double radius, double width) {
  AddRoundRect(x0, y0, x1, y1, radius);
  return AddRoundRect(x0 + width, y0 + width, x1 - width, y1 - width, std::max(radius - width, 0.0), true);
}

Path& Path::AddCircle(double cx, double cy, double r, bool hole) {
  std::vector<Pt> c;
  Arc(c, cx, cy, r, 0, 360);
  c.pop_back();  // the last point repeats the first
  return AddPolygon(c, hole);
}

Path& Path::AddStroke(const std::vector<Pt>& points, double width, bool closed) {
  double h = width / 2;
  std::size_t n = points.size();
  for (std::size_t i = 0; i + 1 < n + (closed ? 1 : 0); ++i) {
    const Pt& a = points[i];
    const Pt& b = points[(i + 1) % n];
    double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
    if (len <= 0) continue;
    double nx = -dy / len * h, ny = dx / len * h;
    AddPolygon({{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}});
  }
  for (const Pt& p : points) AddCircle(p.x, p.y, h);
  return *this;
}

Canvas::Canvas(int width, int height, Pixel fill) { Reset(width, height, fill); }

void Canvas::Reset(int width, int height, Pixel fill) {
  w_ = std::max(width, 0), h_ = std::max(height, 0);
  px_.assign(static_cast<std::size_t>(w_) * h_, fill);
}

void Canvas::Blend(int x, int y, Colour c, double alpha) {
  Pixel& d = px_[static_cast<std::size_t>(y) * w_ + x];
  if (alpha >= 0.999) {
    d = PixelOf(c);
    return;
  }
  if (alpha <= 0) return;
  auto ch = [&](int shift, int src) {
    return static_cast<Pixel>(std::lround(src * alpha + (d >> shift & 0xFF) * (1 - alpha))) << shift;
  };
  d = ch(24, 255) | ch(16, RedOf(c)) | ch(8, GreenOf(c)) | ch(0, BlueOf(c));
}

void Canvas::FillRect(int x0, int y0, int x1, int y1, const Paint& paint) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, w_);
  y1 = std::min(y1, h_);
  for (int y = y0; y < y1; ++y) {
    const Colour c = paint.At(y + 0.5);
    if (paint.opacity >= 0.999) {  // opaque: a plain store
      std::fill_n(px_.begin() + static_cast<std::ptrdiff_t>(y) * w_ + x0, std::max(x1 - x0, 0), PixelOf(c));
      continue;
    }
    for (int x = x0; x < x1; ++x) Blend(x, y, c, paint.opacity);
  }
}

void Canvas::FillPath(const Path& path, const Paint& paint) {
  std::vector<Edge> edges;
  double minX = 1e18, minY = 1e18, maxX = -1e18, maxY = -1e18;
  for (const auto& c : path.Contours()) {
    for (std::size_t i = 0, n = c.size(); i < n; ++i) {
      const Pt& p = c[i];
      const Pt& q = c[(i + 1) % n];
      minX = std::min(minX, p.x);
      maxX = std::max(maxX, p.x);
      minY = std::min(minY, p.y);
      maxY = std::max(maxY, p.y);
      if (p.y == q.y) continue;
      edges.push_back(p.y < q.y ? Edge{p.x, p.y, q.x, q.y, 1} : Edge{q.x, q.y, p.x, p.y, -1});
    }
  }
  if (edges.empty()) return;
  int left = std::max(0, static_cast<int>(std::floor(minX)));
  int right = std::min(w_, static_cast<int>(std::ceil(maxX)) + 1);
  int top = std::max(0, static_cast<int>(std::floor(minY)));
  int bottom = std::min(h_, static_cast<int>(std::ceil(maxY)) + 1);
  if (left >= right || top >= bottom) return;

  std::vector<double> cover(static_cast<std::size_t>(right - left) + 1);
  std::vector<std::pair<double, int>> hits;
  const double w = 1.0 / kSubRows;
  auto addSpan = [&](double xa, double xb) {
    xa = std::clamp(xa, static_cast<double>(left), static_cast<double>(right));
    xb = std::clamp(xb, static_cast<double>(left), static_cast<double>(right));
    if (xb <= xa) return;
    int ia = static_cast<int>(std::floor(xa)), ib = static_cast<int>(std::floor(xb));
    if (ia == ib) {
      cover[ia - left] += (xb - xa) * w;
      return;
    }
    cover[ia - left] += (ia + 1 - xa) * w;
    for (int i = ia + 1; i < ib; ++i) cover[i - left] += w;
    if (ib < right) cover[ib - left] += (xb - ib) * w;
  };

  // Edges by their top; the ones a sample row crosses are kept in active.
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });
  std::vector<const Edge*> active;
  std::size_t next = 0;
  for (int y = top; y < bottom; ++y) {
    std::fill(cover.begin(), cover.end(), 0.0);
    for (int s = 0; s < kSubRows; ++s) {
      double sy = y + (s + 0.5) * w;
      while (next < edges.size() && edges[next].y0 <= sy) active.push_back(&edges[next++]);
      std::erase_if(active, [sy](const Edge* e) { return e->y1 <= sy; });
      hits.clear();
      for (const Edge* e : active)
        if (sy >= e->y0) hits.push_back({e->x0 + (sy - e->y0) * (e->x1 - e->x0) / (e->y1 - e->y0), e->dir});
      std::sort(hits.begin(), hits.end());
      int winding = 0;
      double start = 0;
      for (const auto& [x, dir] : hits) {
        int before = winding;
        winding += dir;
        if (before <= 0 && winding > 0) start = x;
        if (before > 0 && winding <= 0) addSpan(start, x);
      }
    }
    const Colour c = paint.At(y + 0.5);
    for (int x = left; x < right; ++x)
      if (cover[x - left] > 0.002) Blend(x, y, c, paint.opacity * std::min(cover[x - left], 1.0));
  }
}

void Canvas::Draw(const Canvas& src, int x, int y) {
  const int x0 = std::max(0, -x), x1 = std::min(src.w_, w_ - x);
  for (int sy = std::max(0, -y); sy < src.h_ && y + sy < h_; ++sy) {
    const Pixel* from = &src.px_[static_cast<std::size_t>(sy) * src.w_];
    Pixel* row = &px_[static_cast<std::size_t>(y + sy) * w_];
    for (int sx = x0; sx < x1; ++sx) row[x + sx] = from[sx] + Faded(row[x + sx], 255 - (from[sx] >> 24));
  }
}

void Canvas::ClipTo(const Canvas& shape) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) Set(x, y, Faded(At(x, y), x < shape.w_ && y < shape.h_ ? shape.At(x, y) >> 24 : 0));
}

void Canvas::ScaleInto(Canvas& out) const {
  std::fill(out.px_.begin(), out.px_.end(), 0);
  const int w = out.w_, h = out.h_;
  if (w_ == 0 || h_ == 0 || w == 0 || h == 0) return;
  // Weights in 1/16 along each axis; premultiplied pixels mix channel by
  // channel, so transparent neighbours lend no colour.
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
      const std::uint32_t wt[4] = {(16 - u.w1) * (16 - v.w1), u.w1 * (16 - v.w1), (16 - u.w1) * v.w1, u.w1 * v.w1};
      for (int shift = 0; shift < 32; shift += 8) {
        std::uint32_t sum = 128;
        for (int k = 0; k < 4; ++k) sum += (q[k] >> shift & 0xFF) * wt[k];
        to[x] |= sum >> 8 << shift;
      }
    }
  }
}

}  // namespace vexa::controls
