#include "controls/mm_checkbox/mm_checkbox.h"

namespace vexa::controls {

mm_checkbox::mm_checkbox(CheckboxHost& host) : host_(host) {}

Size mm_checkbox::ControlSize() const {
  const Size p = small_ ? kSmallPicture : kLargePicture;
  return {p.cx + 1, p.cy + 1};
}

Rect mm_checkbox::DisabledBar() const {
  if (enabled_) return {};
  const Size c = ControlSize();
  const Size bar = small_ ? Size{c.cx - 5, 4} : Size{c.cx - 10, 8};
  const int left = (c.cx - bar.cx) / 2, top = (c.cy - bar.cy) / 2;
  return {left, top, left + bar.cx, top + bar.cy};
}

void mm_checkbox::Repaint() {
  host_.Resize(ControlSize());
  host_.Repaint();
}

void mm_checkbox::SetEnabled(bool on) {
  enabled_ = on;
  host_.EnableWindow(on);
  host_.Repaint();
}

void mm_checkbox::SetSmall(bool on) {
  small_ = on;
  Repaint();
  SetRoundedValue(0);
}

void mm_checkbox::SetValue(int v) {
  value_ = static_cast<std::int16_t>(v);
  Repaint();
}

void mm_checkbox::SetRoundedValue(int r) {
  rounded_ = r < 0 ? 0 : r;
  host_.ApplyRegion(ControlSize(), rounded_);
}

void mm_checkbox::MouseDown(int button, int shift, int x, int y) {
  if (!enabled_) return;
  lastButton_ = button;
  if (button != kLeftButton) return;
  pressed_ = true;
  host_.Raise({CheckboxEvent::MouseDown, button, shift, x, y});
}

void mm_checkbox::MouseMove(int button, int shift, int x, int y) {
  if (!enabled_) return;
  host_.Raise({CheckboxEvent::MouseMove, button, shift, x, y});
  host_.Capture(true);
  const Size c = ControlSize();
  if (x < 0 || x >= c.cx || y < 0 || y >= c.cy) {
    host_.Capture(false);
    inside_ = pressed_ = false;
    host_.Raise({CheckboxEvent::MouseLeaves});
  } else if (!inside_) {
    inside_ = true;
    host_.Raise({CheckboxEvent::MouseEnters});
  }
}

void mm_checkbox::MouseUp(int button, int shift, int x, int y) {
  if (!enabled_) return;
  lastButton_ = button;
  if (button != kLeftButton) return;
  host_.Raise({CheckboxEvent::MouseUp, button, shift, x, y});
  pressed_ = false;
}

void mm_checkbox::Flip() {
  SetValue(value_ == 1 ? 0 : 1);
  host_.Raise({CheckboxEvent::Click});
  host_.Raise({CheckboxEvent::MouseLeaves});
}

void mm_checkbox::Click() {
  if (enabled_ && lastButton_ == kLeftButton) Flip();
}

void mm_checkbox::Activate() {
  if (!enabled_) return;
  lastButton_ = kLeftButton;
  Flip();
}

void mm_checkbox::Load(const PropertyBag& bag) {
  // Through the setters, in this order: applying Small resets RoundedValue,
  // which is then read on its own.
  SetEnabled(bag.Read<bool>(L"Enabled", true));
  SetValue(bag.Read<int>(L"Value", 0));
  SetSmall(bag.Read<bool>(L"Small", true));
  SetRoundedValue(bag.Read<int>(L"RoundedValue", 5));
}

void mm_checkbox::Save(PropertyBag& bag) const {
  bag.Write(L"Enabled", enabled_, true);
  bag.Write(L"Value", static_cast<int>(value_), 0);
  bag.Write(L"Small", small_, true);
  bag.Write(L"RoundedValue", rounded_, 5);
}

}  // namespace vexa::controls
