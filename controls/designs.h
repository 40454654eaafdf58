#pragma once
// The persisted values the program's windows give their skinned controls:
// dark plates for commands, the menu style for the Toolbox's navigation, a
// plate with a tooltip where a button explains itself, the switches, the
// spinners' back colours and the registry page's progress bar.
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

// mm_checkbox with square corners, on or off.
const PropertyBag& Switch(bool on);
// ucFirefoxWait on a back colour (&H00BBGGRR).
PropertyBag SpinnerOn(std::int32_t backColor);
// PB1: a black well with a grey border and a light grey bar, no text.
const PropertyBag& RepairBar();

}  // namespace vexa::controls
