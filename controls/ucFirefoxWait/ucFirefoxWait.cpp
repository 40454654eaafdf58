#include "controls/ucFirefoxWait/ucFirefoxWait.h"

#include <algorithm>

namespace vexa::controls {

ucFirefoxWait::ucFirefoxWait(ui::Timer& timer, Colour sample) : timer_(timer), sample_(sample), back_(sample) {
  timer_.SetEnabled(false);
  timer_.SetInterval(static_cast<unsigned>(speed_));
}

void ucFirefoxWait::PlayWait() {
  if (playing_) return;
  playing_ = true;
  timer_.SetInterval(static_cast<unsigned>(speed_));
  timer_.SetEnabled(playing_);
}

void ucFirefoxWait::StopWait() {
  if (!playing_) return;
  playing_ = false;
  timer_.SetEnabled(false);
  frame_ = 0;
}

void ucFirefoxWait::Tick() { frame_ = frame_ == kFrames - 1 ? 0 : frame_ + 1; }

void ucFirefoxWait::SetAnimationSpeed(int ms) {
  // A timer runs between 1 ms and 65535 ms.
  speed_ = std::clamp(ms, 1, 65535);
  timer_.SetInterval(static_cast<unsigned>(speed_));
}

void ucFirefoxWait::SetBackColor(Colour c) { back_ = IsSystemColour(c) ? sample_ : c; }

void ucFirefoxWait::Load(const PropertyBag& bag) {
  speed_ = std::clamp(bag.Read<int>(L"AnimationSpeed", kDefaultSpeed), 1, 65535);
  SetBackColor(static_cast<Colour>(bag.Read<std::int32_t>(L"BackColor", static_cast<std::int32_t>(sample_))));
  playing_ = bag.Read<bool>(L"IsPlaying", false);
}

void ucFirefoxWait::Save(PropertyBag& bag) const {
  bag.Write(L"AnimationSpeed", speed_, kDefaultSpeed);
  bag.Write(L"BackColor", static_cast<std::int32_t>(back_), static_cast<std::int32_t>(sample_));
  bag.Write(L"IsPlaying", playing_, false);
}

}  // namespace vexa::controls
