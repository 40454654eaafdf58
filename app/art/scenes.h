#pragma once
// The pictures of the windows, painted into a canvas the size of the window
// (or child window) they fill. Positions follow the window designs in twips
// and are scaled by dpi; glyph details scale by dpi / 96 from a 96-dpi grid.
#include "controls/paint/palette.h"
#include "controls/paint/raster.h"

namespace vexa::app::scenes {

using controls::Canvas;
using controls::Colour;
using controls::Rgb;

using namespace controls::palette;

// A place in twips relative to the parent window.
struct Place {
  int x, y, w, h;
};

// Main window: the product mark in the title strip, left of the title art.
inline constexpr Place kTitleMark{165, 240, 465, 540};
// Home page (PicHome): Image2 the disc behind the shield, Image5 the
// shield, Image4 the status badge left of "Fully Updated..!!".
inline constexpr Place kHomeImage2{240, 360, 2040, 2040};
inline constexpr Place kHomeImage5{630, 660, 1260, 1440};
inline constexpr Place kHomeImage4{2280, 3360, 270, 270};
// Splash: Image1 the marked panel on the left, Image2 the rule under the
// product name.
inline constexpr Place kSplashImage1{0, 0, 1560, 2100};
inline constexpr Place kSplashImage2{1800, 1110, 3960, 30};

int Px(int twips, int dpi);

// Main window background for one tab (0-3) lit, or none (-1).
void MainBackground(Canvas& c, int selectedTab, int dpi);
// Picture9, the title art, at its place in the title strip.
void TitleArt(Canvas& c, int dpi);
// A page's header strip (Picture5-8), on the page colour.
void HeaderStrip(Canvas& c, int dpi);
// PicHome: page colour, Image2, Image5, Image4 and the rule under the title.
void HomeArt(Canvas& c, int dpi);
void SplashArt(Canvas& c, int dpi);
void AboutArt(Canvas& c, int dpi);

// Single pieces, for windows that place them themselves. box is in canvas
// pixels.
void Shield(Canvas& c, double x, double y, double w, double h, bool onDark);
void TabIcon(Canvas& c, int tab, double x, double y, double scale, Colour ink, Colour back);

}  // namespace vexa::app::scenes
