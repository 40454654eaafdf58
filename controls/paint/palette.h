#pragma once
// The skin's colours, shared by the artwork and the surfaces the windows
// fill themselves, so that a panel's ground meets the picture beside it.
#include "controls/paint/paint.h"

namespace vexa::controls::palette {

inline constexpr Colour kSlate = Rgb(24, 38, 60);        // title strip
inline constexpr Colour kNavy = Rgb(34, 52, 80);         // navigation
inline constexpr Colour kLit = Rgb(58, 96, 146);         // the tab on view
inline constexpr Colour kAccent = Rgb(46, 84, 140);      // page headers
inline constexpr Colour kPage = Rgb(246, 248, 251);      // page ground
inline constexpr Colour kHairline = Rgb(210, 216, 226);
inline constexpr Colour kWhite = Rgb(255, 255, 255);
inline constexpr Colour kGreen = Rgb(40, 170, 90);
inline constexpr Colour kSplashBack = Rgb(64, 64, 64);
inline constexpr Colour kBadge = Rgb(40, 40, 40);
inline constexpr Colour kInk = Rgb(30, 30, 30);          // label text

}  // namespace vexa::controls::palette
