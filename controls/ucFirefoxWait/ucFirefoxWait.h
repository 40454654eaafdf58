#pragma once
// ucFirefoxWait: a 16 x 16 busy spinner, an eight-frame strip played by a
// frame timer. The portable half: the properties, PlayWait / StopWait, the
// frame sequence and persistence. The window class in win32/ owns the timer
// and the recoloured strip.
#include "controls/paint/paint.h"
#include "controls/property_bag.h"
#include "platform/ui.h"

namespace vexa::controls {

class ucFirefoxWait {
 public:
  static constexpr int kFrames = 8;
  static constexpr int kSize = 16;  // pixels at 96 dpi, whatever size it is given
  static constexpr int kDefaultSpeed = 100;

  // `sample` is the colour the control takes when given none or a system colour.
  ucFirefoxWait(ui::Timer& timer, Colour sample);

  void PlayWait();
  void StopWait();
  void Tick();  // the frame timer

  void SetAnimationSpeed(int ms);  // applies to a running timer at once
  int AnimationSpeed() const { return speed_; }
  void SetBackColor(Colour c);     // a system colour becomes the sample colour
  Colour BackColor() const { return back_; }
  void SetIsPlaying(bool on) { playing_ = on; }  // starts and stops nothing
  bool IsPlaying() const { return playing_; }
  int Frame() const { return frame_; }

  void Load(const PropertyBag& bag);  // starts nothing
  void Save(PropertyBag& bag) const;

 private:
  ui::Timer& timer_;
  Colour sample_;
  Colour back_;
  int speed_ = kDefaultSpeed;
  bool playing_ = false;
  int frame_ = 0;
};

}  // namespace vexa::controls
