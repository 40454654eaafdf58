#include "controls/ucFirefoxWait/spinner_strip.h"

#include <cmath>

#include "controls/ucFirefoxWait/ucFirefoxWait.h"

namespace vexa::controls {

Colour SpinnerSample() {
  Canvas sample(3, 3, PixelOf(Rgb(224, 224, 224)));
  return ColourOf(sample.At(1, 1));
}

Canvas SpinnerStrip(int dpi) {
  const int size = ScaleToDpi(ucFirefoxWait::kSize, dpi);
  const double s = size / 16.0;
  Canvas strip(size * ucFirefoxWait::kFrames, size);
  constexpr double kPi = 3.14159265358979323846;
  for (int frame = 0; frame < ucFirefoxWait::kFrames; ++frame) {
    const double cx = frame * size + size / 2.0, cy = size / 2.0;
    for (int dot = 0; dot < ucFirefoxWait::kFrames; ++dot) {
      // The dot at the frame's own position leads; the ones behind it fade.
      const int age = (frame - dot + ucFirefoxWait::kFrames) % ucFirefoxWait::kFrames;
      const double angle = dot * kPi / 4;
      const double x = cx + 5.4 * s * std::sin(angle), y = cy - 5.4 * s * std::cos(angle);
      const double radius = (age == 0 ? 1.9 : 1.6) * s;
      strip.FillPath(Path().AddCircle(x, y, radius), {Rgb(66, 135, 225), 1.0 - age * 0.1});
    }
  }
  return strip;
}

Canvas RecolourStrip(const Canvas& strip, Colour back) {
  Canvas out(strip.Width(), strip.Height(), PixelOf(back));
  out.Draw(strip, 0, 0);
  return out;
}

}  // namespace vexa::controls
