#include "app/form1_layout.h"

#include "controls/designs.h"

namespace vexa::app {
namespace {

using ui::Kind;
using ui::kOnForm;

// Tool panels cover the Toolbox menu below its header strip.
constexpr int kToolY = 420, kToolW = 8535, kToolH = 5400;
constexpr unsigned kTabCaption = ui::kNotify | ui::kHeaderText | ui::kTab;

const ui::ControlRow kFrame[] = {
    // Title area and navigation.
    {Picture9, kOnForm, Kind::Panel, L"", 720, 120, 3975, 975, ui::kTitlePanel},
    {Label48, Picture9, Kind::Label, L"VexaUtility", 150, 90, 2800, 600, ui::kNarrow | ui::kHeaderText},
    {Label38, Picture9, Kind::Label, L"2015", 3000, 600, 800, 300, ui::kHeaderText},
    {oxbutton11, kOnForm, Kind::Button, L"_", 10560, 0, 615, 375, 0, &controls::MinimizeButton()},
    {oxbutton6, kOnForm, Kind::Button, L"X", 11160, 0, 615, 375, 0, &controls::CloseButton()},
    {Label2, kOnForm, Kind::Label, L"Home", 8280, 720, 3300, 420, ui::kHeaderText | ui::kBold},
    {Label1_0, kOnForm, Kind::Label, L"Home", 1500, 1920 + 150, 1500, 330, kTabCaption},
    {Label1_1, kOnForm, Kind::Label, L"Cleaner", 1500, 2640 + 150, 1500, 330, kTabCaption},
    {Label1_2, kOnForm, Kind::Label, L"Toolbox", 1500, 3240 + 150, 1500, 330, kTabCaption},
    {Label1_3, kOnForm, Kind::Label, L"Option", 1500, 3840 + 150, 1500, 330, kTabCaption},

    // Page panels, first on top.
    {PicHome, kOnForm, Kind::Panel, L"", 3360, 1320, 8295, 5655},
    {Picture2, kOnForm, Kind::Panel, L"", 3360, 1200, 8415, 5775, ui::kHidden},
    {PicTool, kOnForm, Kind::Panel, L"", 3240, 1200, 8535, 5820, ui::kHidden},
    {PicClean, kOnForm, Kind::Panel, L"", 3240, 1200, 8535, 5535},

    // Home.
    {Label20, PicHome, Kind::Label, L"VexaUtilities", 2400, 240, 5600, 780, ui::kTitleFont},
    {Label21, PicHome, Kind::Label, L"Update ", 2640, 1500, 1200, 300, ui::kNotify},
    {Label30, PicHome, Kind::Label, L":", 3900, 1500, 200, 300},
    {Label32, PicHome, Kind::Label, L"2015 Edition", 4200, 1500, 3000, 300},
    {Label29, PicHome, Kind::Label, L"Version", 2640, 1920, 1200, 300},
    {Label31, PicHome, Kind::Label, L":", 3900, 1920, 200, 300},
    {Label33, PicHome, Kind::Label, L"3.0.0.2015", 4200, 1920, 3000, 300},
    {Label34, PicHome, Kind::Label, L"Build", 2640, 2340, 1200, 300},
    {Label35, PicHome, Kind::Label, L":", 3900, 2340, 200, 300},
    {Label36, PicHome, Kind::Label, L"Build 3", 4200, 2340, 3000, 300},
    {Label45, PicHome, Kind::Label, L"Engine", 2640, 2760, 1200, 300},
    {Label47, PicHome, Kind::Label, L":", 3900, 2760, 200, 300},
    {Label46, PicHome, Kind::Label, L"+", 4200, 2760, 3000, 300},
    {Label37, PicHome, Kind::Label, L"Fully Updated..!!", 2640, 3360, 4500, 420, ui::kBold | ui::kGreen},
    {oxbutton10, PicHome, Kind::Button, L"About", 6600, 4800, 1300, 450},

    // The Cleaner page's header; the cleaner fills the rest.
    {Picture8, PicClean, Kind::Panel, L"", 0, 0, 8535, 420, ui::kHeaderPanel},
    {Label44, Picture8, Kind::Label, L"Cleaner", 240, 60, 4000, 300, ui::kHeaderText | ui::kBold},

    // Toolbox: header, then the tool panels, then the menu they cover.
    {Picture5, PicTool, Kind::Panel, L"", 0, 0, 8535, 420, ui::kHeaderPanel},
    {Label13, Picture5, Kind::Label, L"Toolbox Control", 240, 60, 4000, 300, ui::kHeaderText | ui::kBold},
    {PicURL, PicTool, Kind::Panel, L"", 0, kToolY, kToolW, kToolH, ui::kHidden},
    {Picture3, PicTool, Kind::Panel, L"", 0, kToolY, kToolW, kToolH, ui::kHidden},
    {Picture4, PicTool, Kind::Panel, L"", 0, kToolY, kToolW, kToolH, ui::kHidden},
    {oxbutton4, PicTool, Kind::Button, L"Logger Block", 360, 720, 2400, 450, 0, &controls::MenuButton(true)},
    {Label18, PicTool, Kind::Label, L"Block Program Logger In Windows Proccess.", 2940, 790, 5400, 330},
    {oxbutton5, PicTool, Kind::Button, L"Registry Repair", 360, 1440, 2400, 450, 0, &controls::MenuButton()},
    {Label19, PicTool, Kind::Label, L"Repair Registry Corupt Or Infected by Virus", 2940, 1510, 5400, 330},
    {oxbutton8, PicTool, Kind::Button, L"Proccess Viewer", 360, 2160, 2400, 450, 0, &controls::MenuButton()},
    {Label39, PicTool, Kind::Label, L"View All Proccess Windows && Hidden Proccess", 2940, 2230, 5400, 330},
    {oxbutton15, PicTool, Kind::Button, L"Url Shortner", 360, 2880, 2400, 450, 0, &controls::MenuButton()},
    {Label41, PicTool, Kind::Label, L"Make Url Short", 2940, 2950, 5400, 330},
    {oxbutton17, PicTool, Kind::Button, L"Keyword Blocker", 360, 3600, 2400, 450, 0, &controls::MenuButton()},
    {Label52, PicTool, Kind::Label, L"Block Keyword Blacklist", 2940, 3670, 5400, 330},
    // The process viewer lies on top inside the logger blocker, the keyword
    // blocker inside the URL shortener.
    {PicTask, Picture3, Kind::Panel, L"", 0, 0, kToolW, kToolH, ui::kHidden},
    {PicKeyBlock, PicURL, Kind::Panel, L"", 0, 0, kToolW, kToolH},

    // Option page headers; the features put their settings between them.
    {Picture6, Picture2, Kind::Panel, L"", 0, 0, 8415, 420, ui::kHeaderPanel},
    {Label22, Picture6, Kind::Label, L"Option To Cleaner", 240, 60, 5000, 300, ui::kHeaderText | ui::kBold},
    {Picture7, Picture2, Kind::Panel, L"", 0, 2520, 8415, 420, ui::kHeaderPanel},
    {Label14, Picture7, Kind::Label, L"Option To Logger Block", 240, 60, 5000, 300, ui::kHeaderText | ui::kBold},
};

}  // namespace

std::span<const ui::ControlRow> FrameRows() { return kFrame; }

}  // namespace vexa::app
