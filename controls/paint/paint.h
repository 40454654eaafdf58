#pragma once
// Plain values the controls share between their models and views: colours in
// the windows' 0x00BBGGRR form, rectangles, rounding and DPI scaling.
#include <cstdint>
#include <functional>

namespace vexa::controls {

using Colour = std::uint32_t;  // 0x00BBGGRR; the top bit marks a system colour index

constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>(r & 0xFF) | static_cast<Colour>(g & 0xFF) << 8 | static_cast<Colour>(b & 0xFF) << 16;
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>(c >> 8 & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>(c >> 16 & 0xFF); }
constexpr bool IsSystemColour(Colour c) { return (c & 0x80000000u) != 0; }

// Looks up a system colour by its index (the low bits of a system colour).
using SystemColours = std::function<Colour(int index)>;

// A system colour becomes the RGB value the table gives for it; any other
// colour keeps its RGB bits.
Colour TranslateColour(Colour c, const SystemColours& system);

// Moves each channel towards white by a (0..255): c * (255 - a) / 255 + a,
// truncating, at most 255.
Colour Lighten(Colour c, int a);

// Colour a + (b - a) * t for t in 0..1.
Colour Mix(Colour a, Colour b, double t);

// num / den rounded to the nearest integer, halves to the even neighbour.
std::int64_t RoundHalfEven(std::int64_t num, std::int64_t den);

// A length in 96-dpi pixels at the given DPI, rounded.
inline int ScaleToDpi(int px, int dpi) {
  return static_cast<int>(RoundHalfEven(static_cast<std::int64_t>(px) * dpi, 96));
}
// Twips (1/1440 inch) in pixels at the given DPI, rounded.
inline int TwipsToPx(int twips, int dpi) {
  return static_cast<int>(RoundHalfEven(static_cast<std::int64_t>(twips) * dpi, 1440));
}

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Size {
  int cx = 0, cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

}  // namespace vexa::controls
