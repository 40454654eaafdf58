#include "controls/paint/paint.h"

#include <algorithm>
#include <cmath>

namespace vexa::controls {

Colour TranslateColour(Colour c, const SystemColours& system) {
  if (!IsSystemColour(c)) return c & 0xFFFFFF;
  return system ? system(static_cast<int>(c & 0x7FFFFFFF)) & 0xFFFFFF : 0;
}

Colour Lighten(Colour c, int a) {
  a = std::clamp(a, 0, 255);
  auto ch = [a](int v) { return std::min(255, v * (255 - a) / 255 + a); };
  return Rgb(ch(RedOf(c)), ch(GreenOf(c)), ch(BlueOf(c)));
}

Colour Mix(Colour a, Colour b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto ch = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return Rgb(ch(RedOf(a), RedOf(b)), ch(GreenOf(a), GreenOf(b)), ch(BlueOf(a), BlueOf(b)));
}

std::int64_t RoundHalfEven(std::int64_t num, std::int64_t den) {
  if (den < 0) num = -num, den = -den;
  std::int64_t q = num / den, r = num % den;
  if (r < 0) --q, r += den;  // floor division: 0 <= r < den
  if (2 * r > den || (2 * r == den && (q & 1))) ++q;
  return q;
}

}  // namespace vexa::controls
