#pragma once
// The artwork of the windows. Every Draw function paints the whole client
// area of the window it names, opaque, into rect (normally the client
// rectangle, or a buffer of its size), at the given dpi; positions follow
// the window designs in twips, scaled with MulDiv(twips, dpi, 1440).
// Labels that sit on the artwork sit on flat colours, listed below, so a
// label's solid back colour matches the picture behind it. Each call draws
// afresh (the main background takes about 4 ms at 96 dpi and 11 ms at 192);
// a window that repaints often can keep the result in a bitmap.
#include <windows.h>

#include "app/art/scenes.h"

namespace vexa::app {

// Flat colours of the artwork, for the back colour of the labels on it.
inline constexpr COLORREF kArtTitleStrip = scenes::kSlate;  // title strip and Picture9
inline constexpr COLORREF kArtNav = scenes::kNavy;          // navigation column, unlit tab rows
inline constexpr COLORREF kArtTabLit = scenes::kLit;        // the lit tab row
inline constexpr COLORREF kArtPage = scenes::kPage;         // page area, page panels
inline constexpr COLORREF kArtHeader = scenes::kAccent;     // header strips (Picture5-8)
inline constexpr COLORREF kArtSplash = scenes::kSplashBack; // splash, right of Image1
inline constexpr COLORREF kArtAbout = scenes::kWhite;       // About window, right of its band
inline constexpr COLORREF kArtHairline = scenes::kHairline;

// Main window (Form1), client 11880 x 7590 twips: the title strip with the
// product mark left of Picture9, the navigation column (0-3240 twips wide
// below the strip) with the four tab rows and their icons, the row of
// selectedTab lit (0 Home, 1 Cleaner, 2 Toolbox, 3 Option; -1 none), and
// the page area in the page colour.
void DrawMainBackground(HDC dc, const RECT& client, int selectedTab, int dpi);

// Picture9, the title art (3975 x 975 twips at 720, 120): the title strip
// and a rule under Label48.
void DrawTitleArt(HDC dc, const RECT& client, int dpi);

// A page's header strip (Picture8, Picture5, Picture6, Picture7): a rounded
// accent bar on the page colour.
void DrawHeaderStrip(HDC dc, const RECT& client, int dpi);

// PicHome, the Home page: page colour, Image2 (a disc behind the shield),
// Image5 (the shield), Image4 (a status badge left of Label37) and a rule
// under Label20. Image5's place, for the drag handle, is kHomeImage5.
void DrawHomeArt(HDC dc, const RECT& client, int dpi);

// Form2, the splash (6180 x 2100 twips): Image1, a slate panel with the
// mark on the left (0-1560 twips), Image2, a rule under Label1; the rest in
// the splash's back colour RGB(64,64,64).
void DrawSplashArt(HDC dc, const RECT& client, int dpi);

// Form3, the About window (7170 x 3840 twips): white, an accent band with
// the mark on the left (0-1920 twips, down to 3300), a hairline over the
// footer row from 3300 down, and a rule under Label2.
void DrawAboutArt(HDC dc, const RECT& client, int dpi);

// Image5 on PicHome, twips: the part of the Home art that drags the window.
inline constexpr scenes::Place kHomeImage5 = scenes::kHomeImage5;

enum class ProgramCursor {
  Main,  // Form1's own pointer (32 x 32 at 96 dpi)
  Tab,   // over the tab rows (Image1 elements)
};
// The pointer for a window at dpi. The handle is shared and stays valid for
// the whole run: do not destroy it. Falls back to the system's arrow or
// hand when the executable carries no pointers.
HCURSOR LoadProgramCursor(ProgramCursor which, int dpi);

}  // namespace vexa::app
