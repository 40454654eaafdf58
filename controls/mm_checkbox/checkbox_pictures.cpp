#include "controls/mm_checkbox/checkbox_pictures.h"

#include "controls/mm_checkbox/mm_checkbox.h"

namespace vexa::controls {
namespace {

constexpr Colour kGreen = Rgb(40, 170, 90), kGreenEdge = Rgb(30, 140, 72);
constexpr Colour kOffFill = Rgb(208, 214, 224), kOffEdge = Rgb(172, 181, 196);
constexpr Colour kAccent = Rgb(46, 84, 140), kWhite = Rgb(255, 255, 255);

Canvas Switch(double s, int w, int h, bool on, bool focused) {
  Canvas c(w, h);
  const double x1 = 25 * s, y1 = 17 * s, r = y1 / 2;
  const Colour fill = on ? kGreen : kOffFill;
  c.FillPath(Path().AddRoundRect(0, 0, x1, y1, r), {Lighten(fill, 20), fill, 0, y1});
  c.FillPath(Path().AddFrame(0, 0, x1, y1, r, s), focused ? kAccent : on ? kGreenEdge : kOffEdge);
  const double knob = r - 2 * s, cx = on ? x1 - r : r;
  c.FillPath(Path().AddCircle(cx, r + 0.5 * s, knob), {Rgb(0, 0, 0), 0.18});  // soft shadow
  c.FillPath(Path().AddCircle(cx, r, knob), kWhite);
  return c;
}

Canvas Box(double s, int w, int h, bool on, bool focused) {
  Canvas c(w, h);
  const double top = 1 * s, size = 13 * s, r = 3 * s;
  const Path box = Path().AddRoundRect(0, top, size, top + size, r);
  if (on) {
    c.FillPath(box, {Lighten(kAccent, 20), kAccent, top, top + size});
    c.FillPath(Path().AddStroke({{3.2 * s, top + 6.8 * s}, {5.6 * s, top + 9.2 * s}, {9.8 * s, top + 3.9 * s}}, 1.7 * s),
               kWhite);
  } else {
    c.FillPath(box, {kWhite, Rgb(240, 243, 247), top, top + size});
  }
  c.FillPath(Path().AddFrame(0, top, size, top + size, r, s), focused || on ? kAccent : kOffEdge);
  return c;
}

}  // namespace

Canvas CheckboxPicture(bool small, bool on, bool focused, int dpi) {
  const Size p = small ? mm_checkbox::kSmallPicture : mm_checkbox::kLargePicture;
  const int w = ScaleToDpi(p.cx, dpi), h = ScaleToDpi(p.cy, dpi);
  const double s = dpi / 96.0;
  return small ? Switch(s, w, h, on, focused) : Box(s, w, h, on, focused);
}

Canvas DisabledBarPicture(int w, int h) {
  Canvas c(w, h);
  c.FillPath(Path().AddRoundRect(0, 0, w, h, h / 2.0), Paint(Rgb(128, 136, 150), Rgb(112, 120, 134), 0, h));
  return c;
}

}  // namespace vexa::controls
