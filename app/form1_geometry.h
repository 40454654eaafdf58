#pragma once
// The main window's frame geometry in twips, shared by its layout, its
// hit-testing and the artwork painted under it.

namespace vexa::app {

// Client size of the main window.
inline constexpr int kForm1Width = 11880;
inline constexpr int kForm1Height = 7590;
// The transparent drag strip across the top of the window.
inline constexpr int kTitleStripHeight = 1215;
// The navigation column and its tab rows (Image1 elements 0 to 3).
inline constexpr int kNavWidth = 3240;
inline constexpr int kTabLeft = 600, kTabWidth = 3135, kTabHeight = 615;
inline constexpr int kTabTops[4] = {1920, 2640, 3240, 3840};

}  // namespace vexa::app
