#pragma once
// The spinner's own pictures: the strip of eight square frames side by side
// on a transparent ground, and its recolouring to a back colour.
#include "controls/paint/raster.h"

namespace vexa::controls {

// The colour a spinner takes when given none: the sample picture's pixel.
Colour SpinnerSample();

// Eight frames of ScaleToDpi(16, dpi) pixels; frame i starts at x = i x size.
// Only the dots and their anti-aliased edges cover the ground.
Canvas SpinnerStrip(int dpi);

// The strip with its ground replaced by `back` and the dots' edges laid
// over `back`: opaque.
Canvas RecolourStrip(const Canvas& strip, Colour back);

}  // namespace vexa::controls
