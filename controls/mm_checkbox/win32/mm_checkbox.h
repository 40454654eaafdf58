#pragma once
// What a window may ask of an mm_checkbox beyond the stock check-box
// messages (BM_GETCHECK, BM_SETCHECK, BM_CLICK, BN_CLICKED) and
// controls::kLoadProperties.
#include <windows.h>

#include "controls/mm_checkbox/mm_checkbox.h"

namespace vexa::controls {

// Receives every event the switch raises (Click, MouseDown, MouseMove,
// MouseUp, MouseEnters, MouseLeaves), as well as the BN_CLICKED that Click
// sends to the parent.
class CheckboxEvents {
 public:
  virtual ~CheckboxEvents() = default;
  virtual void OnCheckboxEvent(HWND checkbox, const CheckboxEvent& e) = 0;
};

// lParam: CheckboxEvents* (null to stop), owned by the caller.
inline constexpr UINT kCheckboxSetEvents = WM_USER + 140;

}  // namespace vexa::controls
