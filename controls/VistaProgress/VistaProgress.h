#pragma once
// VistaProgress: an indeterminate busy bar. A glint slides from left to right
// over the bar while the control is enabled, waiting half a second between
// sweeps. The portable half keeps the state, the layout of the pieces and
// the frame algorithm, in twips; the window class in win32/ draws the pieces
// and composes each frame on a hidden surface.
#include "controls/paint/paint.h"
#include "controls/property_bag.h"
#include "platform/ui.h"

namespace vexa::controls {

class VistaProgress {
 public:
  static constexpr int kMinWidth = 650, kHeight = 255;
  static constexpr int kGlintStep = 20, kSweepStart = -1800, kEnableStart = -2000;
  static constexpr unsigned kFrameMs = 1, kSweepPauseMs = 500;

  // Piece sizes, twips.
  static constexpr Rect kTrackLeft{0, 10, 315, 235};
  static constexpr int kTrackMidLeft = 240, kTrackMidTop = 15, kTrackEndWidth = 315, kPieceHeight = 225;
  static constexpr int kSurfaceHeight = 375, kBaseLeft = 15, kBaseHeight = 315;
  static constexpr int kCapWidth = 30, kBarTop = 10, kGlintTop = 25, kGlintWidth = 1725, kGlintHeight = 195;
  static constexpr int kEdgeTop = 240, kEdgeWidth = 15;

  enum class State { Off, Running, Paused };

  // Where the pieces stand, twips, after the last resize or frame.
  struct Layout {
    int width = 0, height = 0;
    int trackMidWidth = 0, trackRightLeft = 0;
    bool trackRightShown = true;
    int baseWidth = 0, surfaceWidth = 0, edgeLeft = 0;
  };
  // The frame the bar shows: the left cap and body of the filled bar, and
  // the glint (none for the still bar of a disabled control).
  struct Frame {
    bool composed = false;  // nothing shown before the first frame
    int bodyWidth = 0;
    bool glint = false;
    int glintLeft = 0;
  };

  // A new instance: 350 twips high, Enable and Pause False; its animation
  // timer runs at 1 ms and stops at the first tick.
  explicit VistaProgress(ui::Timer& timer);

  void SetEnable(bool on);
  bool Enable() const { return enable_; }
  void SetPause(bool on);
  bool Pause() const { return pause_; }
  State state() const { return !enable_ ? State::Off : pause_ ? State::Paused : State::Running; }

  // A size change; returns the size the control takes.
  Size Resize(int width, int height);
  void Tick();  // the animation timer

  const Layout& Pieces() const { return layout_; }
  const Frame& Shown() const { return frame_; }
  int GlintLeft() const { return glint_; }

  void Load(const PropertyBag& bag);  // starts no animation
  void Save(PropertyBag& bag) const;

 private:
  int BodyWidth() const { return layout_.width - (layout_.surfaceWidth + 50); }
  void SizeSurface();

  ui::Timer& timer_;
  bool enable_ = false, pause_ = false;
  int glint_ = kEnableStart;
  Layout layout_;
  Frame frame_;
};

}  // namespace vexa::controls
