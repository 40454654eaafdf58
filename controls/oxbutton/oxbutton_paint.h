#pragma once
// How an oxbutton looks, without the window system: colour arithmetic, the
// window region of each style, the face of each style as a list of drawing
// steps, and where the caption, picture and drop-down glyph go. The Win32 view
// only carries the steps out.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace vexa::controls {

// 0x00BBGGRR; the top bit set (0x800000xx) names a system colour by index.
using OleColor = std::uint32_t;
inline constexpr OleColor kInvalidColor = 0xFFFFFFFFu;

namespace sys_color {
inline constexpr OleColor kMenu = 0x80000004u;
inline constexpr OleColor kButtonFace = 0x8000000Fu;
inline constexpr OleColor kGrayText = 0x80000011u;
inline constexpr OleColor kButtonText = 0x80000012u;
inline constexpr OleColor kInfoBack = 0x80000018u;
}  // namespace sys_color

// The RGB value of every system colour index, as GetSysColor answers.
using SystemColors = std::array<OleColor, 31>;
const SystemColors& ClassicSystemColors();

// A plain colour as it is; a system colour through the table; anything the
// platform's colour translation rejects gives kInvalidColor.
OleColor TranslateColor(OleColor color, const SystemColors& sys);

// Moves each channel by amount x 255 (amount a fraction, -1..1), rounding
// halves to even and clamping in the direction of the move.
OleColor ShiftColor(OleColor color, double amount);

// Rounds halves to even, as the face and caption geometry do.
int RoundHalfEven(double v);

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  Rect Moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

enum class RegionShape { Rectangle, Rounded, Theme };
struct RegionSpec {
  RegionShape shape = RegionShape::Rectangle;
  int ellipse = 0;  // of the rounded corners, at 96 dpi
};
RegionSpec RegionFor(int style);

// The BackColor that choosing a style gives, by ColorScheme; nothing when the
// style keeps the current one.
std::optional<OleColor> StyleBackColor(int style, int colorScheme, const SystemColors& sys);
bool StyleHasFocusRect(int style);

// One drawing step of a face, in client pixels. Frame, Fill and Gradient take
// the rectangle; Line goes from (left, top) to (right, bottom), the end point
// left out; Corners sets the four pixels one in from each corner.
struct PaintOp {
  enum class Kind { Fill, Frame, Line, Corners, Gradient, Edge, Caption, FocusRect, ThemeBackground, ReapplyRegion };
  Kind kind = Kind::Caption;
  Rect rect;
  OleColor color = 0, color2 = 0;
  int param = 0;  // gradient direction, edge flags, theme state
};
using PaintPlan = std::vector<PaintOp>;

// DrawEdge's border bits.
enum EdgeBits : int { kRaisedOuter = 1, kSunkenOuter = 2, kRaisedInner = 4, kSunkenInner = 8 };

struct FaceInput {
  int style = 1, state = 0, mode = 0, colorScheme = 0;
  bool value = false, inside = false, enabled = true;
  bool focused = false, parentActive = true, showFocusRect = false, displayAsDefault = false;
  bool runTime = true;
  OleColor back = 0;  // translated BackColor
  int width = 0, height = 0;
};
PaintPlan PlanFace(const FaceInput& in);

// Per-channel linear gradient: direction 0 left to right, 1 top to bottom,
// 2 and 3 along the diagonals. Writes 0x00BBGGRR values row by row.
void RenderGradient(std::vector<OleColor>& out, int width, int height, OleColor c1, OleColor c2, int direction);

// Where the caption parts go. The text size is measured by the caller in a
// box of TextBoxWidth pixels.
struct CaptionInput {
  int width = 0, height = 0;
  int textWidth = 0, textHeight = 0;
  bool hasCaption = true;
  int pictureWidth = 0, pictureHeight = 0;  // 0 x 0: no picture
  int captionAlign = 1, pictureAlign = 1;
  int dropDownSymbol = 0;
  bool dropDownSeparator = false;
  int style = 1, state = 0;
  int dpi = 96;
};
struct CaptionLayout {
  Rect text;
  std::optional<Rect> picture;
  std::optional<Rect> dropDown;  // where the glyph is drawn
  std::optional<int> separatorX;  // the darker line; the lighter one is one pixel right
  int separatorTop = 0, separatorBottom = 0;
};
int TextBoxWidth(const CaptionInput& in);
CaptionLayout LayoutCaption(const CaptionInput& in);

// The popup menu's anchor, in button pixels, and the flags it opens with
// (which also become the stored flags); nothing for an unknown alignment.
struct PopupAnchor {
  int x = 0, y = 0;
  std::uint32_t flags = 0;
};
std::optional<PopupAnchor> PopupPlacement(int align, int width, int height, std::uint32_t storedFlags);

}  // namespace vexa::controls
