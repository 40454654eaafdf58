#pragma once
// The switch's own pictures, drawn by code at the size a DPI asks for: the
// small pair (25 x 17 at 96 dpi, a sliding switch) and the other pair
// (13 x 15, a check box), each for value 1 and for any other value, and the
// bar shown over a disabled switch.
#include "controls/paint/raster.h"

namespace vexa::controls {

Canvas CheckboxPicture(bool small, bool on, bool focused, int dpi);
Canvas DisabledBarPicture(int w, int h);

}  // namespace vexa::controls
