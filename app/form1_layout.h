#pragma once
// The main window's frame as data: the title area, the navigation column,
// the page panels and the tool panels that the features fill, the Home page
// and the Toolbox menu. Each feature's own controls are its panel's rows.
#include <span>

#include "app/form1_geometry.h"
#include "ui/layout.h"

namespace vexa::app {

// Control ids of the frame, by design name. Every control of Form1 has a
// unique id, so automation (and the end-to-end tests) can find a control by
// name even where two show the same caption.
enum FrameControl : int {
  // Fixed parts.
  Picture9 = 100, Label48, Label38, oxbutton11, oxbutton6, Label2,
  Label1_0 = 107, Label1_1, Label1_2, Label1_3,
  // Page panels.
  PicHome = 200, Picture2, PicTool, PicClean,
  // Home.
  Label20 = 300, Label21, Label30, Label32, Label29, Label31, Label33, Label34, Label35, Label36,
  Label45, Label47, Label46, Label37, oxbutton10,
  // The Cleaner page's header.
  Picture8 = 400, Label44,
  // Toolbox menu.
  Picture5 = 500, Label13, oxbutton4, Label18, oxbutton5, Label19, oxbutton8, Label39, oxbutton15, Label41,
  oxbutton17, Label52,
  // Tool panels, filled by their features.
  Picture3 = 600, PicTask = 700, Picture4 = 800, PicURL = 900, PicKeyBlock = 1000,
  // Option page headers.
  Picture6 = 1100, Label22, Picture7 = 1110, Label14,
};

std::span<const ui::ControlRow> FrameRows();

}  // namespace vexa::app
