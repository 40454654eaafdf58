#pragma once
// The spinner's own pictures: the strip of eight square frames side by side
// on the key colour magenta, and its recolouring to a back colour.
#include "controls/paint/canvas.h"

namespace vexa::controls {

inline constexpr Colour kSpinnerKey = Rgb(255, 0, 255);

// The colour a spinner takes when given none: the sample picture's pixel.
Colour SpinnerSample();

// Eight frames of ScaleToDpi(16, dpi) pixels; frame i starts at x = i x size.
// Pixels the dots do not touch hold the key colour with no alpha; the dots'
// anti-aliased edges keep their own colour with partial alpha.
Canvas SpinnerStrip(int dpi);

// The strip with every key pixel (found through a mask of the key colour)
// replaced by `back`, and the dots' edges laid over `back`: opaque, with no
// key colour left.
Canvas RecolourStrip(const Canvas& strip, Colour back);

}  // namespace vexa::controls
