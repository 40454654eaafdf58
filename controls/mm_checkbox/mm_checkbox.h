#pragma once
// mm_checkbox: a two-state picture switch. value 1 is on, any other value
// off; a left click flips it. This portable half keeps the properties, the
// mouse tracking and the raised events, in 96-dpi pixels; the window class in
// win32/ scales, paints and forwards the mouse.
#include <cstdint>

#include "controls/paint/paint.h"
#include "controls/property_bag.h"

namespace vexa::controls {

// The events as the control raises them: `number` is the event's place in
// the control's declaration, the arguments are those of the event (all 0
// for MouseEnters and MouseLeaves, none for Click).
struct CheckboxEvent {
  enum Number { Click = 1, MouseDown = 6, MouseMove = 7, MouseUp = 8, MouseEnters = 9, MouseLeaves = 10 };
  int number = 0;
  int button = 0, shift = 0, x = 0, y = 0;
  friend bool operator==(const CheckboxEvent&, const CheckboxEvent&) = default;
};

// What the control asks of its window.
class CheckboxHost {
 public:
  virtual ~CheckboxHost() = default;
  virtual void Raise(const CheckboxEvent& e) = 0;
  virtual void Resize(Size px) = 0;                 // the control's size
  virtual void ApplyRegion(Size px, int ellipse) = 0;  // rounded corners; 0 gives square ones
  virtual void EnableWindow(bool on) = 0;
  virtual void Capture(bool on) = 0;                // take or release the mouse
  virtual void Repaint() = 0;
};

class mm_checkbox {
 public:
  static constexpr int kLeftButton = 1, kRightButton = 2, kMiddleButton = 4;
  static constexpr Size kSmallPicture{25, 17}, kLargePicture{13, 15};

  // A new instance: Enabled, value 0, Small, RoundedValue 0.
  explicit mm_checkbox(CheckboxHost& host);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  bool Small() const { return small_; }
  void SetSmall(bool on);  // also sets RoundedValue to 0
  int value() const { return value_; }
  void SetValue(int v);
  int RoundedValue() const { return rounded_; }
  void SetRoundedValue(int r);

  // The mouse, in the control's 96-dpi pixels.
  void MouseDown(int button, int shift, int x, int y);
  void MouseMove(int button, int shift, int x, int y);
  void MouseUp(int button, int shift, int x, int y);
  // A click: flips the value when enabled and the last button was the left one.
  void Click();
  // Space: the same flip and events as a left click.
  void Activate();

  Size ControlSize() const;
  // The bar shown over a disabled control, centred; empty when enabled.
  Rect DisabledBar() const;
  bool ShowsOnPicture() const { return value_ == 1; }
  bool Inside() const { return inside_; }

  void Load(const PropertyBag& bag);
  void Save(PropertyBag& bag) const;

 private:
  void Repaint();
  void Flip();

  CheckboxHost& host_;
  bool enabled_ = true, small_ = true;
  std::int16_t value_ = 0;
  int rounded_ = 0;
  bool inside_ = false, pressed_ = false;
  int lastButton_ = 0;
};

}  // namespace vexa::controls
