#include "controls/oxbutton/oxbutton_paint.h"

#include <algorithm>
#include <cmath>

namespace vexa::controls {
namespace {

constexpr OleColor Rgb(int r, int g, int b) { return static_cast<OleColor>(r | (g << 8) | (b << 16)); }

int Channel(OleColor c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

// Builds a face: every step in client pixels of a W x H button.
class Face {
 public:
  Face(const FaceInput& in) : in_(in), w_(in.width), h_(in.height) {}

  void Fill(OleColor c) { Add(PaintOp::Kind::Fill, {0, 0, w_, h_}, c); }
  void Frame(OleColor c) { Add(PaintOp::Kind::Frame, {0, 0, w_, h_}, c); }
  void Frame(Rect r, OleColor c) { Add(PaintOp::Kind::Frame, r, c); }
  void Line(int x1, int y1, int x2, int y2, OleColor c) { Add(PaintOp::Kind::Line, {x1, y1, x2, y2}, c); }
  void Corners(OleColor c) { Add(PaintOp::Kind::Corners, {0, 0, w_, h_}, c); }
  void Gradient(int x, int y, int w, int h, OleColor c1, OleColor c2) {
    ops_.push_back({PaintOp::Kind::Gradient, {x, y, x + w, y + h}, c1, c2, 1});
  }
  // A vertical gradient over the face, split in two halves when mid is given.
  void Gradient(OleColor top, OleColor bottom) { Gradient(0, 0, w_, h_, top, bottom); }
  void Halves(OleColor a, OleColor b, OleColor c, OleColor d) {
    int half = RoundHalfEven(h_ / 2.0);
    Gradient(0, 0, w_, half, a, b);
    Gradient(0, half, w_, h_ - half, c, d);
  }
  void Edge(int bits) { ops_.push_back({PaintOp::Kind::Edge, {0, 0, w_, h_}, 0, 0, bits}); }
  void Caption() { Add(PaintOp::Kind::Caption, {0, 0, w_, h_}, 0); }
  void Focus(int inset) {
    if (in_.runTime && in_.showFocusRect && in_.focused && in_.parentActive)
      Add(PaintOp::Kind::FocusRect, {inset, inset, w_ - inset, h_ - inset}, 0);
  }
  void Theme(int state) { ops_.push_back({PaintOp::Kind::ThemeBackground, {-1, -1, w_ + 1, h_ + 2}, 0, 0, state}); }
  void ReapplyRegion() { Add(PaintOp::Kind::ReapplyRegion, {0, 0, w_, h_}, 0); }

  int W() const { return w_; }
  int H() const { return h_; }
  PaintPlan Take() { return std::move(ops_); }

 private:
  void Add(PaintOp::Kind k, Rect r, OleColor c) { ops_.push_back({k, r, c, 0, 0}); }
  const FaceInput& in_;
  int w_, h_;
  PaintPlan ops_;
};

// A shade that a state lifts or lowers: hot lighter, down darker.
OleColor StateShade(OleColor c, int state, double hot, double down) {
  return state == 1 ? ShiftColor(c, hot) : state == 2 ? ShiftColor(c, down) : c;
}

void FlatHighlight(Face& f, const FaceInput& in) {
  OleColor b = in.back, a, r;
  switch (in.colorScheme) {
    case 1: a = 0xBAD6D4; r = 0x70A093; break;
    case 2: a = 0xE3DFE0; r = 0xBFB4B2; break;
    case 3: a = b; r = ShiftColor(b, -0.12); break;
    default: a = 0xEED2C1; r = 0xC56A31; break;
  }
  if (in.mode != 0 && in.value) {
    f.Fill(ShiftColor(a, -0.05));
    f.Frame(r);
    if (in.inside) {
      f.Fill(ShiftColor(a, -0.01));
      f.Frame(r);
    }
    f.Caption();
    return;
  }
  f.Fill(in.state == 0 ? b : in.state == 1 ? ShiftColor(a, 0.03) : ShiftColor(a, -0.08));
  f.Caption();
  if (in.state != 0) f.Frame(r);
}

void Toolbar(Face& f, const FaceInput& in) {
  int w = f.W(), h = f.H();
  if (in.mode != 0 && in.value && in.state != 2) {
    f.Fill(0xFEFEFE);
    f.Caption();
    f.Frame(0xAF987A);
    f.Corners(ShiftColor(0xC1B3A0, -0.20));
    if (in.state == 1) {
      f.Line(w - 2, 2, w - 2, h - 2, 0xEDF0F2);
      f.Line(2, h - 2, w - 2, h - 2, 0xD8DEE4);
      f.Line(1, h - 3, w - 1, h - 3, 0xE8ECEF);
      f.Line(1, h - 4, w - 1, h - 4, 0xF8F9FA);
    }
    return;
  }
  if (in.state == 0) {
    f.ReapplyRegion();
    f.Fill(in.back);
    f.Caption();
  } else if (in.state == 1) {
    f.Fill(0xDDE4E5);
    f.Caption();
    f.Line(1, 1, w - 2, 1, ShiftColor(0xD1DADC, -0.02));
    f.Line(1, 2, w - 2, 2, ShiftColor(0xDAE1E3, -0.02));
    f.Line(1, h - 3, w - 2, h - 3, ShiftColor(0xDEE5E6, 0.02));
    f.Line(1, h - 2, w - 2, h - 2, ShiftColor(0xE5EAEB, 0.02));
    f.Frame(0x929D9D);
    f.Corners(ShiftColor(0xABB4B5, -0.20));
  } else {
    int half = RoundHalfEven(h / 2.0);
    f.Gradient(0, 0, w, half, 0xFDFEFE, 0xEEF4F4);
    f.Gradient(0, half, w, half, 0xEEF4F4, 0xEAF1F1);
    f.Caption();
    f.Line(w - 2, 2, w - 2, h - 2, 0xE0E7EA);
    f.Line(w - 3, 2, w - 3, h - 2, 0xEAF0F0);
    f.Line(0, h - 4, w, h - 4, 0xE5EDEE);
    f.Line(0, h - 3, w, h - 3, 0xD6E1E4);
    f.Line(0, h - 2, w, h - 2, 0xC6D2D7);
    f.Frame(0xC3CECE);
    f.Corners(ShiftColor(0xC9D4D4, -0.05));
  }
}

// Styles 0, 1, 11 and 12: a solid face in a 3D edge.
void Classic(Face& f, const FaceInput& in) {
  constexpr int raised = kRaisedOuter | kRaisedInner, sunken = kSunkenOuter | kSunkenInner;
  int s = in.state, bits = 0;
  switch (in.style) {
    case 0: bits = s == 2 ? sunken : raised; break;
    case 1: bits = s == 2 ? kSunkenOuter : kRaisedInner; break;
    case 11: bits = s == 2 ? kSunkenOuter : s == 1 ? kRaisedInner : 0; break;
    default: bits = s == 2 ? sunken : s == 1 ? raised : kSunkenOuter | kRaisedInner; break;
  }
  f.Fill(in.back);
  if (bits) f.Edge(bits);
  f.Caption();
  f.Focus(in.style == 0 || in.style == 11 ? 4 : 3);
}

void GradientStyle(Face& f, const FaceInput& in) {
  OleColor b = in.back;
  int s = in.state;
  switch (in.style) {
    case 2:  // soft rounded plate; hot adds a warm inner ring
      if (s == 2)
        f.Gradient(ShiftColor(b, -0.10), ShiftColor(b, 0.02));
      else
        f.Gradient(ShiftColor(b, 0.08), ShiftColor(b, -0.06));
      f.Caption();
      f.Frame(ShiftColor(b, -0.45));
      if (s == 1) f.Frame({1, 1, f.W() - 1, f.H() - 1}, 0x30B3F8);
      f.Focus(3);
      break;
    case 3:  // cool plate that warms to amber when hot or pressed
      if (s == 0)
        f.Gradient(ShiftColor(b, 0.06), ShiftColor(b, -0.08));
      else
        f.Gradient(s == 1 ? 0xCCF4FF : 0x4E91FE, s == 1 ? 0x91D0FF : 0x8ED3FF);
      f.Caption();
      f.Frame(s == 0 ? ShiftColor(b, -0.40) : 0x800000);
      f.Focus(3);
      break;
    case 5:  // square gradient, reversed while pressed
      if (s == 2)
        f.Gradient(ShiftColor(b, -0.08), ShiftColor(b, 0.04));
      else
        f.Gradient(StateShade(ShiftColor(b, 0.10), s, 0.06, 0), StateShade(b, s, 0.04, 0));
      f.Caption();
      f.Frame(ShiftColor(b, -0.30));
      break;
    case 7: {  // glassy: a lighter upper half over the face colour
      OleColor base = StateShade(b, s, 0.04, -0.08);
      f.Halves(ShiftColor(base, 0.12), ShiftColor(base, 0.04), base, ShiftColor(base, 0.08));
      f.Caption();
      f.Frame(ShiftColor(b, -0.35));
      break;
    }
    default: {  // 10: split gradient with an inner light ring
      OleColor base = StateShade(b, s, 0.05, -0.08);
      f.Halves(ShiftColor(base, 0.10), ShiftColor(base, 0.04), ShiftColor(base, -0.02), ShiftColor(base, 0.06));
      f.Caption();
      f.Frame(ShiftColor(b, -0.40));
      if (s != 2) f.Frame({1, 1, f.W() - 1, f.H() - 1}, ShiftColor(base, 0.18));
      break;
    }
  }
}

// Styles 8 and 9: solid faces.
void SolidStyle(Face& f, const FaceInput& in) {
  OleColor b = in.back;
  if (in.style == 8) {
    f.Fill(StateShade(b, in.state, 0.06, -0.08));
    f.Caption();
    f.Frame(ShiftColor(b, -0.25));
    return;
  }
  f.Fill(StateShade(b, in.state, 0.03, -0.06));
  if (in.state != 2) {
    OleColor light = ShiftColor(b, 0.25);
    f.Line(1, 1, f.W() - 1, 1, light);
    f.Line(1, 1, 1, f.H() - 1, light);
  }
  f.Caption();
  f.Frame(ShiftColor(b, in.state == 1 ? -0.60 : -0.45));
  f.Focus(3);
}

void ThemeStyle(Face& f, const FaceInput& in) {
  int state = !in.enabled         ? 4
              : in.state == 2     ? 3
              : in.state == 1     ? 2
              : ((in.focused || in.displayAsDefault) && in.parentActive) ? 5
                                                                           : 1;
  f.Theme(state);
  f.Caption();
}

}  // namespace

const SystemColors& ClassicSystemColors() {
  static const SystemColors table = {
      Rgb(200, 200, 200), Rgb(0, 0, 0),       Rgb(153, 180, 209), Rgb(191, 205, 219), Rgb(240, 240, 240),
      Rgb(255, 255, 255), Rgb(100, 100, 100), Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(0, 0, 0),
      Rgb(180, 180, 180), Rgb(244, 247, 252), Rgb(171, 171, 171), Rgb(0, 120, 215),   Rgb(255, 255, 255),
      Rgb(240, 240, 240), Rgb(160, 160, 160), Rgb(109, 109, 109), Rgb(0, 0, 0),       Rgb(0, 0, 0),
      Rgb(255, 255, 255), Rgb(105, 105, 105), Rgb(227, 227, 227), Rgb(0, 0, 0),       Rgb(255, 255, 225),
      Rgb(0, 0, 0),       Rgb(0, 102, 204),   Rgb(185, 209, 234), Rgb(215, 228, 242), Rgb(51, 153, 255),
      Rgb(240, 240, 240)};
  return table;
}

OleColor TranslateColor(OleColor color, const SystemColors& sys) {
  switch (color >> 24) {
    case 0x00: return color;
    case 0x02: return color & 0xFFFFFF;
    case 0x80: {
      std::size_t index = color & 0xFF;
      return index < sys.size() ? sys[index] : kInvalidColor;
    }
    default: return kInvalidColor;
  }
}

int RoundHalfEven(double v) {
  double r = std::floor(v);
  double d = v - r;
  if (d > 0.5 || (d == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
  return static_cast<int>(r);
}

OleColor ShiftColor(OleColor color, double amount) {
  OleColor out = 0;
  for (int shift : {0, 8, 16}) {
    int n = RoundHalfEven(amount * 255.0 + Channel(color, shift));
    n = std::clamp(n, 0, 255);
    out |= static_cast<OleColor>(n) << shift;
  }
  return out;
}

RegionSpec RegionFor(int style) {
  switch (style) {
    case 2: case 3: case 7: case 9: return {RegionShape::Rounded, 3};
    case 6: case 10: return {RegionShape::Rounded, 4};
    case 13: return {RegionShape::Theme, 0};
    default: return {RegionShape::Rectangle, 0};
  }
}

std::optional<OleColor> StyleBackColor(int style, int scheme, const SystemColors& sys) {
  switch (style) {
    case 0: case 1: case 4: case 6: case 7: case 11: case 12: return sys[15];
    case 13: return std::nullopt;
    default: break;
  }
  if (scheme < 0 || scheme > 2) return std::nullopt;
  switch (style) {
    case 2: return std::array<OleColor, 3>{0xE7EBEC, 0xDBEEF3, 0xFCF1F0}[scheme];
    case 3: return std::array<OleColor, 3>{0xFDECE0, 0xDEEDE8, ShiftColor(0xD4D4D4, 0.06)}[scheme];
    case 5: return std::array<OleColor, 3>{0xFCE1CA, 0xBAD6D4, ShiftColor(0xBA9EA0, 0.15)}[scheme];
    case 8: case 10: return std::array<OleColor, 3>{0xFFD1AD, 0xBAD6D4, 0xE3DFE0}[scheme];
    case 9: return std::array<OleColor, 3>{0xFFD1AD, 0xBAD6D4, 0xE1D6D5}[scheme];
    default: return std::nullopt;
  }
}

bool StyleHasFocusRect(int style) {
  switch (style) {
    case 0: case 1: case 2: case 3: case 9: case 11: case 12: return true;
    default: return false;
  }
}

PaintPlan PlanFace(const FaceInput& in) {
  Face f(in);
  switch (in.style) {
    case 0: case 1: case 11: case 12: Classic(f, in); break;
    case 2: case 3: case 5: case 7: case 10: GradientStyle(f, in); break;
    case 4: FlatHighlight(f, in); break;
    case 6: Toolbar(f, in); break;
    case 8: case 9: SolidStyle(f, in); break;
    case 13: ThemeStyle(f, in); break;
    default: break;  // an unknown style draws nothing
  }
  return f.Take();
}

void RenderGradient(std::vector<OleColor>& out, int width, int height, OleColor c1, OleColor c2, int direction) {
  out.clear();
  if (width < 1 || height < 1) return;
  out.resize(static_cast<std::size_t>(width) * height);
  int n = direction == 0 ? width : direction == 1 ? height : width + height - 1;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      int i = direction == 0 ? x : direction == 1 ? y : direction == 2 ? x + y : (width - 1 - x) + y;
      OleColor c = 0;
      for (int shift : {0, 8, 16}) {
        int a = Channel(c1, shift), b = Channel(c2, shift);
        int v = n > 1 ? a + (b - a) * i / (n - 1) : a;  // one step shows the first colour
        c |= static_cast<OleColor>(v) << shift;
      }
      out[static_cast<std::size_t>(y) * width + x] = c;
    }
}

namespace {
bool DropDownOrSeparator(const CaptionInput& in) { return in.dropDownSymbol != 0 || in.dropDownSeparator; }
}  // namespace

int TextBoxWidth(const CaptionInput& in) {
  auto px = [&](int v) { return (v * in.dpi + 48) / 96; };
  int m = !DropDownOrSeparator(in) ? 8 : (in.pictureAlign == 2 || in.pictureAlign == 3) ? 24 : 16;
  return in.width - px(m);
}

CaptionLayout LayoutCaption(const CaptionInput& in) {
  auto px = [&](int v) { return (v * in.dpi + 48) / 96; };
  const int w = in.width, h = in.height, pw = in.pictureWidth, ph = in.pictureHeight;
  const int pa = in.pictureAlign, ca = in.captionAlign;
  const bool picture = pw > 0 && ph > 0;
  const bool dd = DropDownOrSeparator(in);
  const bool sideRight = pa == 2 || pa == 3;
  CaptionLayout out;

  Rect t{0, 0, in.textWidth, in.textHeight};
  int dy = (h - in.textHeight) / 2;
  if (ca == 0) {
    t = t.Moved(px(2), dy);
  } else if (ca == 1) {
    int dx = (w - in.textWidth + pw) / 2;
    if (dd) dx -= px(8);
    if (pa >= 5 && pa <= 8) dx -= pw / 2;
    t = t.Moved(dx, dy);
  } else if (ca == 2) {
    t = t.Moved(w - in.textWidth - px(4), dy);
  }

  if (picture) {
    const int room = pw + px(4);
    if ((pa == 0 || pa == 1) && ca != 1 && t.left < room) {
      t.left = room;
      t.right += room;
    } else if (sideRight) {
      if (t.right > w - room) {
        t.right = w - room;
        t.left -= room;
      }
      if (ca == 1) t = t.Moved(-px(12), 0);
    } else if (pa == 4 && ca == 1) {
      t = t.Moved(-px(16), 0);
    } else if (pa == 5 || pa == 6) {
      t = t.Moved(0, ph / 2);
    } else if (pa == 7 || pa == 8) {
      t = t.Moved(0, -(ph / 2));
    }
  }
  // Keep right-aligned text clear of the drop-down area, picture or not.
  if (ca == 2 && dd) t = t.Moved(-px(16), 0);

  if (picture) {
    int x = (w - pw) / 2, y = (h - ph) / 2;
    if (in.hasCaption && pa != 4) {
      switch (pa) {
        case 0: x = px(3); break;
        case 1: x = t.left - pw - px(4); break;
        case 2: x = w - pw - px(3); break;
        case 3: x = t.right + px(4); break;
        case 5: y = px(4); break;
        case 6: y = t.top - ph - px(2); break;
        case 7: y = h - ph - px(4); break;
        case 8: y = t.bottom + px(2); break;
        default: break;
      }
    }
    if (dd) x -= sideRight ? px(16) : px(8);
    if (sideRight && in.hasCaption) x = std::max(x, t.right + px(2));
    out.picture = Rect{x, y, x + pw, y + ph};
  }

  if (in.dropDownSymbol != 0) {
    int mid = RoundHalfEven(h / 2.0);
    out.dropDown = Rect{w - px(15), mid - px(7), w, mid + px(8)};
  }
  if (in.dropDownSeparator && w >= px(40)) {
    out.separatorX = w - px(16);
    out.separatorTop = px(3);
    out.separatorBottom = h - px(3);
  }

  static constexpr int kPressedStyles[] = {0, 1, 5, 6, 7, 10, 11, 12};
  static constexpr int kGlyphStyles[] = {0, 1, 6, 7, 11, 12};
  auto among = [&](const auto& styles) { return std::find(std::begin(styles), std::end(styles), in.style) != std::end(styles); };
  if (in.state == 2 && among(kPressedStyles)) {
    const int d = px(1);
    t = t.Moved(d, d);
    if (out.picture) out.picture = out.picture->Moved(d, d);
    if (out.dropDown) out.dropDown = out.dropDown->Moved(d, d);
  }
  if (out.dropDown && in.state == 2 && among(kGlyphStyles)) out.dropDown = out.dropDown->Moved(px(1), px(1));
  out.text = t;
  return out;
}

std::optional<PopupAnchor> PopupPlacement(int align, int width, int height, std::uint32_t stored) {
  switch (align) {
    case 0: return PopupAnchor{0, height, stored};
    case 1: return PopupAnchor{0, 0, 32};
    case 2: return PopupAnchor{0, 0, stored | 8};
    case 3: return PopupAnchor{width, 0, stored};
    case 4: return PopupAnchor{0, 0, 40};
    case 5: return PopupAnchor{0, height, stored | 8};
    case 6: return PopupAnchor{width, 0, 32};
    case 7: return PopupAnchor{width, height, stored};
    default: return std::nullopt;
  }
}

}  // namespace vexa::controls
