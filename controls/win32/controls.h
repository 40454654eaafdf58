#pragma once
// The skinned controls, as the windows use them. Each is a registered window
// class driven by messages, so a window creates it with CreateWindowExW and
// talks to it like a stock control:
//   any control    kLoadProperties: the instance's persisted values
//   oxbutton       caption = window text; EnableWindow; BN_CLICKED in WM_COMMAND
//                  (more in oxbutton/win32/oxbutton.h)
//   mm_checkbox    BM_GETCHECK / BM_SETCHECK (value 0 or 1); BN_CLICKED after a flip
//   ucFirefoxWait  kSpinnerPlay / kSpinnerStop / kSpinnerIsPlaying / kSpinnerSetBackColor
//   ProgressBarXP  PBM_SETRANGE32 / PBM_GETRANGE / PBM_SETPOS / PBM_GETPOS (clamped to Max)
//   VistaProgress  kVistaSetEnable / kVistaGetEnable
#include <windows.h>

#include "controls/property_bag.h"

namespace vexa::controls {

inline constexpr wchar_t kOxButtonClass[] = L"oxbutton";
inline constexpr wchar_t kCheckboxClass[] = L"mm_checkbox";
inline constexpr wchar_t kSpinnerClass[] = L"ucFirefoxWait";
inline constexpr wchar_t kProgressXpClass[] = L"ProgressBarXP";
inline constexpr wchar_t kVistaClass[] = L"VistaProgress";

enum : UINT {
  kSpinnerPlay = WM_USER + 101,
  kSpinnerStop,
  kSpinnerIsPlaying,
  kSpinnerSetBackColor,  // wParam: COLORREF
  kVistaSetEnable,       // wParam: TRUE/FALSE
  kVistaGetEnable,
  // Any control: lParam points to a controls::PropertyBag holding the
  // instance's persisted values, applied as when the instance is loaded.
  kLoadProperties,
};

// Registers every control class once per process; safe to call repeatedly.
void RegisterAll(HINSTANCE instance);

}  // namespace vexa::controls
