#include "app/model/navigation.h"

namespace vexa::app {

namespace {
}  // namespace

Navigation::Navigation() {
  Set(Panel::PicHome, true);
  Set(Panel::PicClean, true);
  Set(Panel::PicKeyBlock, true);
}

Panel Navigation::PageOnView() const {
  for (Panel p : {Panel::PicHome, Panel::Picture2, Panel::PicTool, Panel::PicClean})
    if (Visible(p)) return p;
  return Panel::kCount;
}

Panel Navigation::ToolOnView() const {
  if (Visible(Panel::PicURL)) return Visible(Panel::PicKeyBlock) ? Panel::PicKeyBlock : Panel::PicURL;
  if (Visible(Panel::Picture3)) return Visible(Panel::PicTask) ? Panel::PicTask : Panel::Picture3;
  if (Visible(Panel::Picture4)) return Panel::Picture4;
  return Panel::PicTool;
}

void Navigation::Image1_Click(int index) {
  switch (index) {
    case 0:
      Set(Panel::PicHome, true);
      Set(Panel::Picture2, false);
      break;
    case 1:
      Set(Panel::PicClean, true);
      Set(Panel::PicHome, false);
      Set(Panel::Picture2, false);
      Set(Panel::PicTool, false);
      break;
    case 2:
      Set(Panel::PicTool, true);
      Set(Panel::PicHome, false);
      Set(Panel::Picture2, false);
      break;
    case 3:
      // The Option page's two panel changes come after the title.
      break;
    default:
      return;
  }
  selectedTab_ = index;
  title_ = kPageTitles[index];
  if (index == 3) {
    Set(Panel::Picture2, true);
    Set(Panel::PicHome, false);
    Set(Panel::PicClean, false);
  }
}

void Navigation::oxbutton4_Click() {
  Set(Panel::PicTask, false);
  Set(Panel::Picture3, true);
}

void Navigation::oxbutton8_Click() {
  Set(Panel::PicTask, true);
  Set(Panel::Picture3, true);
}

void Navigation::BackFromLogger() { Set(Panel::Picture3, false); }
void Navigation::oxbutton5_Click() { Set(Panel::Picture4, true); }
void Navigation::oxbutton14_Click() { Set(Panel::Picture4, false); }

void Navigation::oxbutton15_Click() {
  Set(Panel::PicURL, true);
  Set(Panel::PicKeyBlock, false);
}

void Navigation::oxbutton17_Click() {
  Set(Panel::PicURL, true);
  Set(Panel::PicKeyBlock, true);
}

void Navigation::BackFromUrl() { Set(Panel::PicURL, false); }

}  // namespace vexa::app
