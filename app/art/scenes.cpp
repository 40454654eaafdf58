#include "app/art/scenes.h"

#include <algorithm>
#include <cmath>

#include "app/form1_geometry.h"

namespace vexa::app::scenes {

using controls::Mix;
using controls::Paint;
using controls::Path;
using controls::Pt;

namespace {

// Main window design, twips (the frame's own in form1_geometry.h).
constexpr int kTabIconCentre = 1110;  // x of the icons' centres
constexpr int kPicture9X = 720, kPicture9Y = 120;
constexpr int kPictureTitleRuleY = 735;
// About window design, twips.
constexpr int kAboutBand = 1920, kAboutFooter = 3300;

constexpr Colour kIdleIcon = Rgb(150, 174, 210);

double Scale(int dpi) { return dpi / 96.0; }

// c lighter towards white by amount (0-1), or darker towards black by -amount.
Colour Shade(Colour c, double amount) { return amount >= 0 ? Mix(c, kWhite, amount) : Mix(c, 0, -amount); }

// Cubic Bezier from the last point of out to p3.
void CubicTo(std::vector<Pt>& out, Pt p1, Pt p2, Pt p3, int steps = 24) {
  Pt p0 = out.back();
  for (int i = 1; i <= steps; ++i) {
    double t = static_cast<double>(i) / steps, u = 1 - t;
    double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    out.push_back({a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
  }
}

// The right half of the shield outline in a unit box, from the top centre
// to the bottom point.
std::vector<Pt> ShieldRightHalf() {
  std::vector<Pt> p{{0.5, 0.0}};
  CubicTo(p, {0.68, 0.10}, {0.86, 0.135}, {1.0, 0.14});
  p.push_back({1.0, 0.47});
  CubicTo(p, {1.0, 0.75}, {0.80, 0.90}, {0.5, 1.0});
  return p;
}

std::vector<Pt> Fit(const std::vector<Pt>& unit, double x, double y, double w, double h) {
  std::vector<Pt> out;
  out.reserve(unit.size());
  for (const Pt& p : unit) out.push_back({x + p.x * w, y + p.y * h});
  return out;
}

std::vector<Pt> ShieldOutline(double x, double y, double w, double h) {
  std::vector<Pt> right = ShieldRightHalf();
  std::vector<Pt> all = right;
  for (auto it = right.rbegin() + 1; it != right.rend() - 1; ++it) all.push_back({1 - it->x, it->y});
  return Fit(all, x, y, w, h);
}

// The recurring rule: a hairline with a short accent bar at its start.
void Rule(Canvas& c, int x0, int x1, int y, int accentLength, double s, Colour line, Colour accent) {
  int thin = std::max(1, static_cast<int>(std::lround(s)));
  c.FillRect(x0, y, x1, y + thin, line);
  int thick = std::max(2, static_cast<int>(std::lround(2 * s)));
  c.FillPath(Path().AddRoundRect(x0, y + thin / 2.0 - thick / 2.0, x0 + accentLength, y + thin / 2.0 + thick / 2.0,
                                 thick / 2.0),
             accent);
}

void Tick(Canvas& c, double x, double y, double w, double h, double width, Colour ink) {
  c.FillPath(
      Path().AddStroke({{x + 0.28 * w, y + 0.53 * h}, {x + 0.44 * w, y + 0.68 * h}, {x + 0.73 * w, y + 0.37 * h}}, width),
      ink);
}

// Icons on a 20 x 20 grid at (x, y), scaled by s.
struct Grid {
  double x, y, s;
  Pt operator()(double gx, double gy) const { return {x + gx * s, y + gy * s}; }
  double operator()(double v) const { return v * s; }
};

void HomeIcon(Canvas& c, const Grid& g, Colour ink, Colour back) {
  const double r[4] = {0, 0, g(1.2), g(1.2)}, dr[4] = {g(0.9), g(0.9), 0, 0};
  c.FillPath(Path().AddStroke({g(2.2, 10.2), g(10, 2.9), g(17.8, 10.2)}, g(2.3)), ink);
  c.FillPath(Path().AddRoundRect4(g(4.6, 8.6).x, g(4.6, 8.6).y, g(15.4, 17.6).x, g(15.4, 17.6).y, r), ink);
  c.FillPath(Path().AddRoundRect4(g(8.4, 11.6).x, g(8.4, 11.6).y, g(11.6, 17.6).x, g(11.6, 17.6).y, dr), back);
}

void BroomIcon(Canvas& c, const Grid& g, Colour ink, Colour back) {
  c.FillPath(Path().AddStroke({g(16.6, 2.4), g(11.2, 9.2)}, g(2.0)), ink);
  // Ferrule and bristles, square to the handle.
  c.FillPath(Path().AddPolygon({g(8.2, 7.6), g(13.0, 11.4), g(10.0, 18.2), g(1.8, 11.7)}), ink);
  c.FillPath(Path().AddStroke({g(7.2, 9.6), g(11.4, 12.9)}, g(1.0)), back);
  c.FillPath(Path().AddStroke({g(6.9, 13.1), g(4.9, 15.0)}, g(0.9)).AddStroke({g(9.1, 14.9), g(7.6, 17.0)}, g(0.9)),
             back);
}

void ToolboxIcon(Canvas& c, const Grid& g, Colour ink, Colour back) {
  c.FillPath(Path()
                 .AddRoundRect(g(6.6, 3.0).x, g(6.6, 3.0).y, g(13.4, 8.0).x, g(13.4, 8.0).y, g(1.6))
                 .AddRoundRect(g(8.4, 4.7).x, g(8.4, 4.7).y, g(11.6, 8.0).x, g(11.6, 8.0).y, g(0.6), true),
             ink);
  c.FillPath(Path().AddRoundRect(g(2.0, 7.0).x, g(2.0, 7.0).y, g(18.0, 17.4).x, g(18.0, 17.4).y, g(1.8)), ink);
  c.FillPath(Path().AddRect(g(2.0, 11.0).x, g(2.0, 11.0).y, g(18.0, 12.2).x, g(18.0, 12.2).y), back);
  c.FillPath(Path().AddRoundRect(g(8.4, 9.8).x, g(8.4, 9.8).y, g(11.6, 13.4).x, g(11.6, 13.4).y, g(0.7)), back);
  c.FillPath(Path().AddRoundRect(g(9.2, 10.6).x, g(9.2, 10.6).y, g(10.8, 12.6).x, g(10.8, 12.6).y, g(0.3)), ink);
}

void GearIcon(Canvas& c, const Grid& g, Colour ink, Colour back) {
  constexpr double kPi = 3.14159265358979323846;
  Pt centre = g(10, 10);
  Path gear;
  gear.AddCircle(centre.x, centre.y, g(6.6));
  for (int i = 0; i < 8; ++i) {
    double a = i * kPi / 4, ca = std::cos(a), sa = std::sin(a);
    auto at = [&](double along, double across) {
      return Pt{centre.x + g(along) * ca - g(across) * sa, centre.y + g(along) * sa + g(across) * ca};
    };
    gear.AddPolygon({at(4.5, -1.75), at(9.0, -1.3), at(9.0, 1.3), at(4.5, 1.75)});
  }
  c.FillPath(gear, ink);
  c.FillPath(Path().AddCircle(centre.x, centre.y, g(2.7)), back);
}

}  // namespace

int Px(int twips, int dpi) { return static_cast<int>((static_cast<long long>(twips) * dpi + 720) / 1440); }

void Shield(Canvas& c, double x, double y, double w, double h, bool onDark) {
  Colour fill = onDark ? Rgb(64, 108, 166) : kAccent;
  Colour edge = onDark ? Rgb(108, 150, 206) : Shade(kAccent, -0.25);
  double e = std::max(1.0, std::round(w / 64));
  c.FillPath(Path().AddPolygon(ShieldOutline(x, y, w, h)), edge);
  c.FillPath(Path().AddPolygon(ShieldOutline(x + e, y + e * 1.15, w - 2 * e, h - 2.3 * e)),
             {Shade(fill, 0.08), fill, y, y + h});
  // The right half a shade darker, for a folded look.
  c.FillPath(Path().AddPolygon(Fit(ShieldRightHalf(), x + e, y + e * 1.15, w - 2 * e, h - 2.3 * e)),
             {Rgb(0, 0, 0), (onDark ? 34 : 28) / 255.0});
  Tick(c, x, y, w, h, std::max(2.0, w * 0.105), kWhite);
}

void TabIcon(Canvas& c, int tab, double x, double y, double scale, Colour ink, Colour back) {
  Grid g{x, y, scale};
  switch (tab) {
    case 0: HomeIcon(c, g, ink, back); break;
    case 1: BroomIcon(c, g, ink, back); break;
    case 2: ToolboxIcon(c, g, ink, back); break;
    case 3: GearIcon(c, g, ink, back); break;
    default: break;
  }
}

void MainBackground(Canvas& c, int selectedTab, int dpi) {
  const double s = Scale(dpi);
  const int w = c.Width(), h = c.Height();
  const int title = Px(kTitleStripHeight, dpi), nav = Px(kNavWidth, dpi);
  c.FillRect(0, 0, w, h, kPage);
  c.FillRect(0, 0, w, title, kSlate);
  c.FillRect(0, title, nav, h, kNavy);
  // A line of light where the strip meets the column, and the column's edge.
  int line = std::max(1, static_cast<int>(std::lround(s)));
  c.FillRect(0, title, nav, title + line, Shade(kNavy, 0.06));
  // Faint rings rising from the foot of the column.
  for (int i = 4; i >= 1; --i) {
    const double cx = nav * 0.18, cy = h + 20 * s, r = (40 + 46 * i) * s;
    c.FillPath(Path().AddCircle(cx, cy, r).AddCircle(cx, cy, r - std::max(1.0, std::round(s)), true),
               {kWhite, 9 / 255.0});
  }

  const Place& m = kTitleMark;
  Shield(c, Px(m.x, dpi), Px(m.y, dpi), Px(m.x + m.w, dpi) - Px(m.x, dpi), Px(m.y + m.h, dpi) - Px(m.y, dpi), true);

  const double icon = std::round(20 * s);
  for (int i = 0; i < 4; ++i) {
    int top = Px(kTabTops[i], dpi), bottom = Px(kTabTops[i] + kTabHeight, dpi);
    bool lit = i == selectedTab;
    Colour back = lit ? kLit : kNavy;
    if (lit) {
      double inset = std::round(2 * s);
      const double radii[4] = {4 * s, 0, 0, 4 * s};
      c.FillPath(Path().AddRoundRect4(Px(kTabLeft, dpi), top + inset, nav, bottom - inset, radii), kLit);
      double mw = std::round(3 * s), mh = std::round(10 * s);
      c.FillPath(Path().AddRoundRect(Px(kTabLeft, dpi), top + inset + mh, Px(kTabLeft, dpi) + mw, bottom - inset - mh,
                                     mw / 2),
                 Rgb(140, 190, 250));
    }
    double ix = std::round(Px(kTabIconCentre, dpi) - icon / 2);
    double iy = std::round((top + bottom) / 2.0 - icon / 2);
    TabIcon(c, i, ix, iy, s, lit ? kWhite : kIdleIcon, back);
  }
}

void TitleArt(Canvas& c, int dpi) {
  const double s = Scale(dpi);
  c.FillRect(0, 0, c.Width(), c.Height(), kSlate);
  int x0 = Px(kPicture9X + 150, dpi) - Px(kPicture9X, dpi);
  int x1 = Px(kPicture9X + 2900, dpi) - Px(kPicture9X, dpi);
  int y = Px(kPicture9Y + kPictureTitleRuleY, dpi) - Px(kPicture9Y, dpi);
  Rule(c, x0, x1, y, static_cast<int>(std::lround(36 * s)), s, Shade(kSlate, 0.16), Rgb(110, 160, 225));
}

void HeaderStrip(Canvas& c, int dpi) {
  // Square-cornered: the strips on the Cleaner and Toolbox pages meet the
  // title strip and the navigation column edge to edge.
  const int w = c.Width(), h = c.Height();
  int line = std::max(1, static_cast<int>(std::lround(Scale(dpi))));
  c.FillRect(0, 0, w, h, kAccent);
  c.FillRect(0, h - line, w, h, Shade(kAccent, -0.18));
}

void HomeArt(Canvas& c, int dpi) {
  const double s = Scale(dpi);
  c.FillRect(0, 0, c.Width(), c.Height(), kPage);
  auto box = [dpi](const Place& p, double& x, double& y, double& w, double& h) {
    x = Px(p.x, dpi);
    y = Px(p.y, dpi);
    w = Px(p.x + p.w, dpi) - x;
    h = Px(p.y + p.h, dpi) - y;
  };
  double x, y, w, h;
  // Image2: a soft disc with a hairline ring.
  box(kHomeImage2, x, y, w, h);
  c.FillPath(Path().AddCircle(x + w / 2, y + h / 2, w / 2), Rgb(222, 230, 242));
  c.FillPath(Path().AddCircle(x + w / 2, y + h / 2, w / 2 - std::round(6 * s)),
             {Rgb(236, 241, 249), Rgb(228, 235, 246), y, y + h});
  // Image5: the shield.
  box(kHomeImage5, x, y, w, h);
  c.FillPath(Path().AddPolygon(ShieldOutline(x, y + 3 * s, w, h)), {kSlate, 22 / 255.0});
  Shield(c, x, y, w, h, false);
  // Image4: the status badge.
  box(kHomeImage4, x, y, w, h);
  c.FillPath(Path().AddCircle(x + w / 2, y + h / 2, w / 2), kGreen);
  Tick(c, x + w * 0.02, y + w * 0.02, w, h, std::max(1.6, w * 0.13), kWhite);
  // The rule under the product title.
  Rule(c, Px(2460, dpi), Px(7920, dpi), Px(1170, dpi), static_cast<int>(std::lround(40 * s)), s, kHairline, kAccent);
}

void SplashArt(Canvas& c, int dpi) {
  const double s = Scale(dpi);
  const int w = c.Width(), h = c.Height();
  c.FillRect(0, 0, w, h, kSplashBack);
  // Image1: a slate panel with the mark.
  const Place& p = kSplashImage1;
  int pw = Px(p.x + p.w, dpi), ph = Px(p.y + p.h, dpi);
  c.FillRect(Px(p.x, dpi), Px(p.y, dpi), pw, ph, Paint(Shade(kSlate, 0.08), kSlate, 0, ph));
  c.FillRect(pw - std::max(1, static_cast<int>(std::lround(s))), 0, pw, ph, Rgb(52, 52, 52));
  double mw = std::round(56 * s), mh = std::round(64 * s);
  Shield(c, std::round((pw - mw) / 2), std::round((ph - mh) / 2), mw, mh, true);
  // Image2: the rule under the product name.
  const Place& r = kSplashImage2;
  Rule(c, Px(r.x, dpi), Px(r.x + r.w, dpi), Px(r.y, dpi), static_cast<int>(std::lround(40 * s)), s, Rgb(88, 88, 88),
       Rgb(110, 160, 225));
}

void AboutArt(Canvas& c, int dpi) {
  const double s = Scale(dpi);
  const int w = c.Width(), h = c.Height();
  c.FillRect(0, 0, w, h, kWhite);
  int band = Px(kAboutBand, dpi), footer = Px(kAboutFooter, dpi);
  c.FillRect(0, 0, band, footer, Paint(Shade(kAccent, 0.08), kAccent, 0, footer));
  // Soft rings behind the mark.
  double cx = band / 2.0, cy = footer / 2.0;
  for (int i = 3; i >= 1; --i) {
    c.FillPath(Path().AddCircle(cx, cy, (28 + 22 * i) * s), {kWhite, 10 / 255.0});
  }
  double mw = std::round(70 * s), mh = std::round(80 * s);
  double mx = std::round(cx - mw / 2), my = std::round(cy - mh / 2);
  c.FillPath(Path().AddPolygon(ShieldOutline(mx, my, mw, mh)), kWhite);
  c.FillPath(Path().AddPolygon(Fit(ShieldRightHalf(), mx, my, mw, mh)), {kSlate, 22 / 255.0});
  Tick(c, mx, my, mw, mh, std::max(2.0, mw * 0.105), kAccent);
  // Footer line and the rule under the subtitle.
  int line = std::max(1, static_cast<int>(std::lround(s)));
  c.FillRect(0, footer, w, footer + line, kHairline);
  Rule(c, Px(2160, dpi), Px(6960, dpi), Px(1200, dpi), static_cast<int>(std::lround(40 * s)), s, kHairline, kAccent);
}

}  // namespace vexa::app::scenes
