#include "app/art/raster.h"

#include <algorithm>
#include <cmath>

namespace vexa::app::raster {

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

std::uint8_t Clamp8(double v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

struct Edge {
  double x0, y0, x1, y1;
  int dir;  // +1 downwards, -1 upwards
};

}  // namespace

Rgba Shade(Rgba c, double amount) {
  auto mix = [amount](int v) {
    return amount >= 0 ? Clamp8(v + (255 - v) * amount) : Clamp8(v * (1 + amount));
  };
  return {mix(c.r), mix(c.g), mix(c.b), c.a};
}

Rgba WithAlpha(Rgba c, int a) {
  c.a = static_cast<std::uint8_t>(std::clamp(a, 0, 255));
  return c;
}

void Path::AddPolygon(const std::vector<Pt>& points, bool hole) {
  if (points.size() < 3) return;
  std::vector<Pt> c = points;
  // Screen y grows downwards: a positive area runs clockwise on screen and
  // its edges count -1 inside, so solids are turned to run the other way.
  if ((SignedArea(c) > 0) != hole) std::reverse(c.begin(), c.end());
  contours_.push_back(std::move(c));
}

void Path::AddRect(double x0, double y0, double x1, double y1, bool hole) {
  AddPolygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, hole);
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

void Path::AddRoundRect4(double x0, double y0, double x1, double y1, const double radii[4], bool hole) {
  double limit = std::min(x1 - x0, y1 - y0) / 2;
  double r[4];
  for (int i = 0; i < 4; ++i) r[i] = std::clamp(radii[i], 0.0, limit);
  std::vector<Pt> c;
  Arc(c, x1 - r[1], y0 + r[1], r[1], -90, 0);
  Arc(c, x1 - r[2], y1 - r[2], r[2], 0, 90);
  Arc(c, x0 + r[3], y1 - r[3], r[3], 90, 180);
  Arc(c, x0 + r[0], y0 + r[0], r[0], 180, 270);
  AddPolygon(c, hole);
}

void Path::AddRoundRect(double x0, double y0, double x1, double y1, double radius, bool hole) {
  const double radii[4] = {radius, radius, radius, radius};
  AddRoundRect4(x0, y0, x1, y1, radii, hole);
}

void Path::AddCircle(double cx, double cy, double r, bool hole) {
  std::vector<Pt> c;
  Arc(c, cx, cy, r, 0, 360);
  c.pop_back();  // the last point repeats the first
  AddPolygon(c, hole);
}

void Path::AddStroke(const std::vector<Pt>& points, double width, bool closed) {
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
}

Rgba Paint::At(double y) const {
  if (top.r == bottom.r && top.g == bottom.g && top.b == bottom.b && top.a == bottom.a) return top;
  double t = y1 > y0 ? std::clamp((y - y0) / (y1 - y0), 0.0, 1.0) : 0.0;
  auto mix = [t](int a, int b) { return Clamp8(a + (b - a) * t); };
  return {mix(top.r, bottom.r), mix(top.g, bottom.g), mix(top.b, bottom.b), mix(top.a, bottom.a)};
}

Canvas::Canvas(int width, int height)
    : width_(std::max(0, width)), height_(std::max(0, height)),
      px_(static_cast<std::size_t>(width_) * height_, 0) {}

void Canvas::Blend(int x, int y, Rgba c, double cover) {
  std::uint32_t& d = px_[static_cast<std::size_t>(y) * width_ + x];
  if (c.a == 255 && cover >= 0.999) {
    d = 0xFF000000u | static_cast<std::uint32_t>(c.r) << 16 | static_cast<std::uint32_t>(c.g) << 8 | c.b;
    return;
  }
  double a = c.a / 255.0 * std::min(cover, 1.0);
  if (a <= 0) return;
  double keep = 1 - a;
  auto ch = [&](int shift, int src) { return Clamp8(src * a + ((d >> shift) & 0xFF) * keep); };
  std::uint32_t out = static_cast<std::uint32_t>(ch(24, 255)) << 24 | static_cast<std::uint32_t>(ch(16, c.r)) << 16 |
                      static_cast<std::uint32_t>(ch(8, c.g)) << 8 | ch(0, c.b);
  d = out;
}

void Canvas::FillRect(int x0, int y0, int x1, int y1, const Paint& paint) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, width_);
  y1 = std::min(y1, height_);
  for (int y = y0; y < y1; ++y) {
    Rgba c = paint.At(y + 0.5);
    if (c.a == 255) {  // opaque: a plain store
      auto row = px_.begin() + static_cast<std::ptrdiff_t>(y) * width_;
      std::fill(row + x0, row + x1,
                0xFF000000u | static_cast<std::uint32_t>(c.r) << 16 | static_cast<std::uint32_t>(c.g) << 8 | c.b);
      continue;
    }
    for (int x = x0; x < x1; ++x) Blend(x, y, c, 1.0);
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
  int right = std::min(width_, static_cast<int>(std::ceil(maxX)) + 1);
  int top = std::max(0, static_cast<int>(std::floor(minY)));
  int bottom = std::min(height_, static_cast<int>(std::ceil(maxY)) + 1);
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
    Rgba c = paint.At(y + 0.5);
    for (int x = left; x < right; ++x)
      if (cover[x - left] > 0.002) Blend(x, y, c, cover[x - left]);
  }
}

void Canvas::Fade(int alpha) {
  double f = std::clamp(alpha, 0, 255) / 255.0;
  for (std::uint32_t& p : px_) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8)
      out |= static_cast<std::uint32_t>(Clamp8(((p >> shift) & 0xFF) * f)) << shift;
    p = out;
  }
}

}  // namespace vexa::app::raster
