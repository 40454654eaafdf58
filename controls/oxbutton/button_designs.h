#pragma once
// The persisted values the program's windows give their buttons: dark
// plates for commands, the menu style for the Toolbox's navigation, and a
// plate with a tooltip where a button explains itself.
#include <cstdint>
#include <string>

#include "controls/property_bag.h"

namespace vexa::controls {

// Style 4: a dark plate with a white caption (the title bar's "X" and "_"
// in their own colours).
const PropertyBag& PlateButton();
const PropertyBag& CloseButton();
const PropertyBag& MinimizeButton();
// Style 6: the Toolbox menu's buttons; `captionEffect` lifts the caption.
const PropertyBag& MenuButton(bool captionEffect = false);
// A plate with a tooltip: icon 0 none, 1 information, 2 warning, 3 error;
// balloon or standard rectangle.
PropertyBag PlateWithTip(const std::wstring& tip, int icon, bool balloon);

}  // namespace vexa::controls
