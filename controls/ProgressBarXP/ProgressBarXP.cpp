#include "controls/ProgressBarXP/ProgressBarXP.h"

#include <algorithm>

namespace vexa::controls {

bool OffscreenBuffer::Resize(int w, int h) {
  const bool build = exists_ ? (w > w_ || h > h_) : (w > 0 && h > 0);
  if (build) exists_ = true, w_ = w, h_ = h;
  return build;
}

ProgressBarXP::ProgressBarXP(SystemColours system, std::function<void()> repaint)
    : system_(std::move(system)), repaint_(std::move(repaint)) {
  color_ = TranslateColour(kDefaultColor, system_);
}

void ProgressBarXP::Repaint() {
  ClampForPaint();
  if (repaint_) repaint_();
}

void ProgressBarXP::SetColor(Colour c) {
  color_ = TranslateColour(c, system_);
  Repaint();
}

void ProgressBarXP::SetScrolling(int mode) {
  scrolling_ = mode >= 0 && mode < kModes ? mode : 0;
  Repaint();
}

void ProgressBarXP::SetValue(int v) {
  // An empty range has no percentage: the bar shows empty. Far outside the
  // range every value paints alike; the percentage is kept within -100..101
  // so that it stays an int however small the range.
  const std::int64_t span = static_cast<std::int64_t>(max_) - min_;
  const std::int64_t percent = span > 0 ? RoundHalfEven((static_cast<std::int64_t>(v) - min_) * 100, span) : 0;
  percent_ = static_cast<int>(std::clamp<std::int64_t>(percent, -100, 101));
  Repaint();
}

int ProgressBarXP::Value() const {
  const std::int64_t span = static_cast<std::int64_t>(max_) - min_;
  return static_cast<int>(min_ + RoundHalfEven(static_cast<std::int64_t>(percent_) * span, 100));
}

void ProgressBarXP::Load(const PropertyBag& bag) {
  // Through the setters, in this order: Value comes last so it maps onto the
  // loaded range.
  if (bag.Has(L"Font")) SetFont(bag.Read(L"Font", font_));
  SetBrushStyle(bag.Read<int>(L"BrushStyle", 4));
  SetColor(static_cast<Colour>(bag.Read<std::int32_t>(L"Color", static_cast<std::int32_t>(kDefaultColor))));
  SetImage(bag.Read<std::wstring>(L"Image", L""));
  SetMax(bag.Read<int>(L"Max", 100));
  SetMin(bag.Read<int>(L"Min", 0));
  SetOrientation(bag.Read<int>(L"Orientation", 0));
  SetScrolling(bag.Read<int>(L"Scrolling", 0));
  SetShowText(bag.Read<bool>(L"ShowText", false));
  SetValue(bag.Read<int>(L"Value", 0));
}

void ProgressBarXP::Save(PropertyBag& bag) const {
  bag.WriteAlways(L"Font", font_);
  bag.Write(L"BrushStyle", brushStyle_, 4);
  bag.Write(L"Color", static_cast<std::int32_t>(color_), static_cast<std::int32_t>(kDefaultColor));
  bag.Write(L"Image", image_, std::wstring());
  bag.Write(L"Max", max_, 100);
  bag.Write(L"Min", min_, 0);
  bag.Write(L"Orientation", orientation_, 0);
  bag.Write(L"Scrolling", scrolling_, 0);
  bag.Write(L"ShowText", showText_, false);
  bag.Write(L"Value", Value(), 0);
}

namespace xp {

int BarEnd(int left, int span, int percent, int per) {
  return static_cast<int>(RoundHalfEven(static_cast<std::int64_t>(percent) * span + static_cast<std::int64_t>(per) * left, per));
}

Rect SolidBar(const Rect& client, int percent, int border) {
  return {border, border, BarEnd(client.left, client.Width(), percent, 100), client.bottom - border};
}

Segments SegmentedBar(const Rect& client, int percent, int mode, int orientation, int dpi) {
  Segments s;
  s.block = ScaleToDpi(mode == 0 ? 6 : 2, dpi);
  s.gap = ScaleToDpi(2, dpi);
  s.inset = ScaleToDpi(3, dpi);
  const int step = s.block + s.gap;
  Rect c = client;
  c.left += s.inset;
  s.bar = c;
  const int p = std::max(percent, 0);  // the fraction is p / 98
  if (orientation == 0) {
    const int v = BarEnd(c.left, c.Width(), p, 98);
    s.bar.right = std::max(v - (v - s.bar.left) % step, c.left);
    // From 98 % on the bar would run past the frame; it stops at the last whole step inside.
    while (s.bar.right - s.gap > c.right - s.inset) s.bar.right -= step;
  } else {
    s.vertical = true;
    const int v = BarEnd(c.top, c.Height(), 98 - std::min(p, 98), 98);
    s.bar.top = std::min(v - (v - s.bar.bottom) % step, c.bottom);
    while (s.bar.top < c.top + s.inset) s.bar.top += step;
  }
  return s;
}

std::wstring Text(int mode, int percent) {
  return mode == 2 ? L"Searching.." : std::to_wstring(percent) + L" %";
}

Rect CentredText(const Rect& client, int w, int h) {
  Rect r;
  r.left = static_cast<int>(RoundHalfEven(static_cast<std::int64_t>(client.right) - w, 2));
  r.top = static_cast<int>(RoundHalfEven(static_cast<std::int64_t>(client.bottom) - h, 2));
  r.right = r.left + w;
  r.bottom = r.top + h;
  return r;
}

TextPasses PlanText(int mode, bool showText, int percent, const Rect& client, const Rect& text) {
  if (!showText) return {};
  if (mode != 6 && mode != 9) return {true, false};
  const bool covered = static_cast<std::int64_t>(percent) * client.right >= static_cast<std::int64_t>(text.right) * 100;
  return {!covered, true};
}

}  // namespace xp
}  // namespace vexa::controls
