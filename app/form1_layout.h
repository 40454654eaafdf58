#pragma once
// The main window's controls as data: kind, parent, caption and place in
// twips relative to the parent, as designed.
#include <span>

#include "app/control_ids.h"

namespace vexa::app {

enum class Kind {
  Panel,       // picture box: a plain child window with a back colour
  Label,       // static text; transparent to the mouse unless kNotify
  Button,      // oxbutton
  CheckBox,    // stock check box
  Toggle,      // mm_checkbox
  Edit,        // single-line text box
  Memo,        // multi-line text box with a vertical scroll bar
  ListBox,     // stock list box
  ListView,    // report list view
  HScroll,     // horizontal scroll bar
  Spinner,     // ucFirefoxWait
  ProgressXp,  // ProgressBarXP
  Vista,       // VistaProgress
  StdProgress, // stock progress bar
  Radio,       // option button
  Frame,       // group box without caption
  Hosted,      // created by its page (the owner-data ListView1)
};

enum Flags : unsigned {
  kHidden = 1u << 0,
  kDisabled = 1u << 1,
  kBold = 1u << 2,
  kTitleFont = 1u << 3,    // large product title
  kHeaderText = 1u << 4,   // white text on a header strip
  kNotify = 1u << 5,       // label that takes clicks
  kChecked = 1u << 6,      // check box, toggle or option button starts set
  kMono = 1u << 7,         // fixed-pitch font
  kNarrow = 1u << 8,       // condensed title font
  kHeaderPanel = 1u << 9,  // panel painted as a header strip
  kGreen = 1u << 10,       // green text
  kLink = 1u << 11,        // blue text
};

struct ControlSpec {
  ControlId id;
  ControlId parent;  // kNone: the window itself
  Kind kind;
  const wchar_t* name;
  const wchar_t* caption;
  int x, y, w, h;  // twips
  unsigned flags = 0;
};

std::span<const ControlSpec> Form1Layout();
const ControlSpec* FindSpec(ControlId id);

// Client size of the main window, twips.
inline constexpr int kForm1Width = 11880;
inline constexpr int kForm1Height = 7590;
// The transparent drag strip across the top of the window.
inline constexpr int kTitleStripHeight = 1215;
// Tab rows of the navigation column (Image1 elements 0 to 3).
inline constexpr int kTabLeft = 600, kTabWidth = 3135, kTabHeight = 615;
inline constexpr int kTabTops[4] = {1920, 2640, 3240, 3840};

}  // namespace vexa::app
