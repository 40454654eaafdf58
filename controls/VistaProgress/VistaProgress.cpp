#include "controls/VistaProgress/VistaProgress.h"

namespace vexa::controls {

VistaProgress::VistaProgress(ui::Timer& timer) : timer_(timer) {
  layout_.height = 350;
  timer_.SetInterval(kFrameMs);
  timer_.SetEnabled(true);
}

void VistaProgress::SetEnable(bool on) {
  enable_ = on;
  glint_ = kEnableStart;
  if (on) {
    timer_.SetEnabled(true);
    return;
  }
  // The still bar; the timer stops at its next tick.
  frame_ = {true, BodyWidth(), false, 0};
}

void VistaProgress::SetPause(bool on) {
  pause_ = on;
  timer_.SetEnabled(!on);
}

void VistaProgress::SizeSurface() {
  layout_.baseWidth = layout_.width - 20;
  layout_.surfaceWidth = static_cast<int>(RoundHalfEven(layout_.width, 2));
}

Size VistaProgress::Resize(int width, int height) {
  layout_.width = width < kMinWidth ? kMinWidth : width;
  const int inner = layout_.width - 75;
  if (inner >= 500) layout_.trackMidWidth = inner - 500;
  layout_.trackRightLeft = layout_.trackMidWidth + kTrackEndWidth - 75;
  SizeSurface();
  layout_.height = kHeight;
  return {layout_.width, layout_.height};
}

void VistaProgress::Tick() {
  if (!enable_) {
    layout_.trackRightShown = true;
    timer_.SetEnabled(false);
    return;
  }
  layout_.trackRightShown = false;
  timer_.SetInterval(kFrameMs);
  layout_.baseWidth = layout_.width - 50;
  layout_.edgeLeft = layout_.baseWidth + 15;
  frame_ = {true, BodyWidth(), true, glint_};
  glint_ += kGlintStep;
  if (layout_.width < glint_) {  // past the right edge: a pause, then the next sweep
    timer_.SetInterval(kSweepPauseMs);
    glint_ = kSweepStart;
  }
}

void VistaProgress::Load(const PropertyBag& bag) {
  pause_ = bag.Read<bool>(L"Pause", false);
  enable_ = bag.Read<bool>(L"Enable", false);
  SizeSurface();
}

void VistaProgress::Save(PropertyBag& bag) const {
  bag.Write(L"Pause", pause_, false);
  bag.Write(L"Enable", enable_, false);
}

}  // namespace vexa::controls
