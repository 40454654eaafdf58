#pragma once
// ProgressBarXP: a progress bar that keeps a percentage and paints in one of
// ten looks (Scrolling 0..9). This is its portable half: the properties, the
// value mapping, persistence, the off-screen buffer's rebuild rule and the
// geometry of each repaint. The window class in win32/ paints it.
#include <functional>
#include <string>

#include "controls/paint/paint.h"
#include "controls/property_bag.h"

namespace vexa::controls {

// Whether the off-screen bitmap must be (re)built for a control of w x h
// pixels: an existing one only when the control outgrew it, a missing one
// whenever the size is not empty.
class OffscreenBuffer {
 public:
  // Returns true when a bitmap of w x h must be built now; records its size.
  bool Resize(int w, int h);
  // The bitmap could not be made: the control draws on its own surface.
  void Drop() { exists_ = false, w_ = h_ = 0; }
  bool Exists() const { return exists_; }
  Size Dimensions() const { return {w_, h_}; }

 private:
  bool exists_ = false;
  int w_ = 0, h_ = 0;
};

class ProgressBarXP {
 public:
  static constexpr Colour kDefaultColor = 0x8000000D;  // the system highlight colour
  static constexpr int kModes = 10;

  // `repaint` runs whenever a setter asks for a repaint (the view invalidates).
  explicit ProgressBarXP(SystemColours system = {}, std::function<void()> repaint = {});

  void SetBrushStyle(int style) { brushStyle_ = style; }
  int BrushStyle() const { return brushStyle_; }
  void SetColor(Colour c);
  Colour Color() const { return color_; }  // translated
  void SetFont(const FontSpec& f) { font_ = f, Repaint(); }
  const FontSpec& Font() const { return font_; }
  void SetImage(const std::wstring& resource) { image_ = resource, Repaint(); }
  const std::wstring& Image() const { return image_; }
  void SetMin(int v) { min_ = v; }
  int Min() const { return min_; }
  void SetMax(int v) { max_ = v; }
  int Max() const { return max_; }
  void SetOrientation(int o) { orientation_ = o, Repaint(); }
  int Orientation() const { return orientation_; }
  void SetScrolling(int mode);  // a mode outside 0..9 draws as 0
  int Scrolling() const { return scrolling_; }
  void SetShowText(bool on) { showText_ = on, Repaint(); }
  bool ShowText() const { return showText_; }

  // value: percent = round((v - Min) x 100 / (Max - Min)), halves to even,
  // then a repaint, which keeps the percent at most 100.
  void SetValue(int v);
  int Value() const;
  int Percent() const { return percent_; }

  // The model's half of DrawProgressBar: a percent above 100 becomes 100.
  void ClampForPaint() {
    if (percent_ > 100) percent_ = 100;
  }

  void Load(const PropertyBag& bag);
  void Save(PropertyBag& bag) const;

 private:
  void Repaint();

  SystemColours system_;
  std::function<void()> repaint_;
  FontSpec font_;
  int brushStyle_ = 4;
  Colour color_ = 0;
  std::wstring image_;
  int min_ = 0, max_ = 100, orientation_ = 0, scrolling_ = 0, percent_ = 0;
  bool showText_ = false;
};

// The geometry of one repaint, in the control's pixels.
namespace xp {

// Mode 3: the bar inside a frame `border` pixels wide.
Rect SolidBar(const Rect& client, int percent, int border);

// Modes 0, 1 and 2: the segmented bar. `bar` spans whole steps of block +
// gap from the left (horizontal) or from the bottom (vertical).
struct Segments {
  Rect bar;
  int block = 0, gap = 0, inset = 0;
  bool vertical = false;
};
Segments SegmentedBar(const Rect& client, int percent, int mode, int orientation, int dpi);

// Where a bar of `percent` ends across `span` pixels from `left`, for a
// mode that divides by `per` (100, or 101 in modes 5 and 7).
int BarEnd(int left, int span, int percent, int per);

// "Searching.." in mode 2, else the percent and " %".
std::wstring Text(int mode, int percent);

// A w x h text box centred in the client rectangle.
Rect CentredText(const Rect& client, int w, int h);

// Which text passes a repaint makes: a plain one, and in modes 6 and 9 the
// two-colour one (which alone draws once the bar reaches the text's end).
struct TextPasses {
  bool plain = false, twoColour = false;
};
TextPasses PlanText(int mode, bool showText, int percent, const Rect& client, const Rect& text);

}  // namespace xp
}  // namespace vexa::controls
