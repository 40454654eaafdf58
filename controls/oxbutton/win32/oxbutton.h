#pragma once
// What a window can ask of an oxbutton beyond the stock button contract
// (caption = window text, EnableWindow, WM_SETFONT, BN_CLICKED in WM_COMMAND,
// BM_CLICK, BM_GETCHECK/BM_SETCHECK for the check and option modes) and
// controls::kLoadProperties (lParam = const PropertyBag*).
#include <windows.h>

namespace vexa::controls {

// A popup menu for the button: while one is attached a left press opens it
// instead of clicking; the chosen item reaches the button's parent as
// WM_COMMAND with the item's id.
struct OxPopupMenu {
  HMENU menu = nullptr;
  int align = 0;   // 0 below, 1 above, 2 to the left, 3 to the right ... 7 (see the anchor table)
  UINT flags = 0;  // TrackPopupMenu flags
  UINT defaultItem = 0;
  bool hasDefaultItem = false;
};

enum : UINT {
  kOxSetPopupMenu = WM_USER + 200,  // lParam: const OxPopupMenu*; returns TRUE when attached
  kOxUnsetPopupMenu,
  kOxSaveProperties,  // lParam: PropertyBag* that receives the instance's values
  kOxGetState,        // returns the visual state: 0 normal, 1 hot, 2 down
  kOxOpenWebsite,     // lParam: const wchar_t* address
  kOxAbout,
};

}  // namespace vexa::controls
