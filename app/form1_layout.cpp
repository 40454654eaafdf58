#include "app/form1_layout.h"

namespace vexa::app {
namespace {

// Tool panels cover the Toolbox menu below its header strip.
constexpr int kToolY = 420, kToolW = 8535, kToolH = 5400;
// Bottom row of buttons on the tool panels.
constexpr int kRowY = 4860, kBtnW = 1400, kBtnH = 420;

#define C(id, parent, kind, caption, x, y, w, h, ...) \
  ControlSpec { id, parent, Kind::kind, L## #id, caption, x, y, w, h, __VA_ARGS__ }

const ControlSpec kLayout[] = {
    // Title area and navigation.
    C(Picture9, kNone, Panel, L"", 720, 120, 3975, 975, kHeaderPanel),
    C(Label48, Picture9, Label, L"VexaUtility", 150, 90, 2800, 600, kNarrow | kHeaderText),
    C(Label38, Picture9, Label, L"2015", 3000, 600, 800, 300, kHeaderText),
    C(oxbutton11, kNone, Button, L"_", 10560, 0, 615, 375, 0),
    C(oxbutton6, kNone, Button, L"X", 11160, 0, 615, 375, 0),
    C(Label2, kNone, Label, L"Home", 8280, 720, 3300, 420, kHeaderText | kBold),
    C(Label1_0, kNone, Label, L"Home", 1500, 1920 + 150, 1500, 330, kNotify | kHeaderText),
    C(Label1_1, kNone, Label, L"Cleaner", 1500, 2640 + 150, 1500, 330, kNotify | kHeaderText),
    C(Label1_2, kNone, Label, L"Toolbox", 1500, 3240 + 150, 1500, 330, kNotify | kHeaderText),
    C(Label1_3, kNone, Label, L"Option", 1500, 3840 + 150, 1500, 330, kNotify | kHeaderText),
    C(PB, kNone, StdProgress, L"", 11520, 7560, 1500, 255, 0),

    // Page panels, first on top.
    C(PicHome, kNone, Panel, L"", 3360, 1320, 8295, 5655, 0),
    C(Picture2, kNone, Panel, L"", 3360, 1200, 8415, 5775, kHidden),
    C(PicTool, kNone, Panel, L"", 3240, 1200, 8535, 5820, kHidden),
    C(PicClean, kNone, Panel, L"", 3240, 1200, 8535, 5535, 0),

    // Home.
    C(Label20, PicHome, Label, L"VexaUtilities", 2400, 240, 5600, 780, kTitleFont),
    C(Label21, PicHome, Label, L"Update ", 2640, 1500, 1200, 300, kNotify),
    C(Label30, PicHome, Label, L":", 3900, 1500, 200, 300, 0),
    C(Label32, PicHome, Label, L"2015 Edition", 4200, 1500, 3000, 300, 0),
    C(Label29, PicHome, Label, L"Version", 2640, 1920, 1200, 300, 0),
    C(Label31, PicHome, Label, L":", 3900, 1920, 200, 300, 0),
    C(Label33, PicHome, Label, L"3.0.0.2015", 4200, 1920, 3000, 300, 0),
    C(Label34, PicHome, Label, L"Build", 2640, 2340, 1200, 300, 0),
    C(Label35, PicHome, Label, L":", 3900, 2340, 200, 300, 0),
    C(Label36, PicHome, Label, L"Build 3", 4200, 2340, 3000, 300, 0),
    C(Label45, PicHome, Label, L"Engine", 2640, 2760, 1200, 300, 0),
    C(Label47, PicHome, Label, L":", 3900, 2760, 200, 300, 0),
    C(Label46, PicHome, Label, L"+", 4200, 2760, 3000, 300, 0),
    C(Label37, PicHome, Label, L"Fully Updated..!!", 2640, 3360, 4500, 420, kBold | kGreen),
    C(oxbutton10, PicHome, Button, L"About", 6600, 4800, 1300, 450, 0),

    // Cleaner.
    C(Picture8, PicClean, Panel, L"", 0, 0, 8535, 420, kHeaderPanel),
    C(Label44, Picture8, Label, L"Cleaner", 240, 60, 4000, 300, kHeaderText | kBold),
    C(Label3, PicClean, Label, L"Welcome... (Click Scan For Scan)", 240, 540, 8040, 300, 0),
    C(ListView1, PicClean, Hosted, L"", 240, 900, 8040, 3000, 0),
    C(Label8, PicClean, Label, L"Temp Files", 240, 4020, 1200, 300, 0),
    C(Label9, PicClean, Label, L"0", 1440, 4020, 700, 300, kBold),
    C(Label10, PicClean, Label, L"Cookies", 2280, 4020, 1000, 300, 0),
    C(Label11, PicClean, Label, L"0", 3300, 4020, 700, 300, kBold),
    C(Label6, PicClean, Label, L"Junk Files", 4200, 4020, 1100, 300, 0),
    C(Label7, PicClean, Label, L"0", 5300, 4020, 700, 300, kBold),
    C(Label4, PicClean, Label, L"Recent Files", 6120, 4020, 1300, 300, 0),
    C(Label5, PicClean, Label, L"0", 7440, 4020, 700, 300, kBold),
    C(Label12, PicClean, Label, L"Total Files Found : 0", 240, 4440, 4000, 300, kBold),
    C(Check1, PicClean, CheckBox, L"Sellect All", 240, 4920, 1800, 300, 0),
    C(UCP, PicClean, Spinner, L"", 4560, 4980, 240, 240, 0),
    C(Command1, PicClean, Button, L"Scan", 5040, 4860, kBtnW, kBtnH, 0),
    C(Command2, PicClean, Button, L"Clean All", 6600, 4860, kBtnW, kBtnH, 0),

    // Toolbox: header, then the tool panels, then the menu they cover.
    C(Picture5, PicTool, Panel, L"", 0, 0, 8535, 420, kHeaderPanel),
    C(Label13, Picture5, Label, L"Toolbox Control", 240, 60, 4000, 300, kHeaderText | kBold),
    C(PicURL, PicTool, Panel, L"", 0, kToolY, kToolW, kToolH, kHidden),
    C(Picture3, PicTool, Panel, L"", 0, kToolY, kToolW, kToolH, kHidden),
    C(Picture4, PicTool, Panel, L"", 0, kToolY, kToolW, kToolH, kHidden),
    C(oxbutton4, PicTool, Button, L"Logger Block", 360, 720, 2400, 450, 0),
    C(Label18, PicTool, Label, L"Block Program Logger In Windows Proccess.", 2940, 790, 5400, 330, 0),
    C(oxbutton5, PicTool, Button, L"Registry Repair", 360, 1440, 2400, 450, 0),
    C(Label19, PicTool, Label, L"Repair Registry Corupt Or Infected by Virus", 2940, 1510, 5400, 330, 0),
    C(oxbutton8, PicTool, Button, L"Proccess Viewer", 360, 2160, 2400, 450, 0),
    C(Label39, PicTool, Label, L"View All Proccess Windows && Hidden Proccess", 2940, 2230, 5400, 330, 0),
    C(oxbutton15, PicTool, Button, L"Url Shortner", 360, 2880, 2400, 450, 0),
    C(Label41, PicTool, Label, L"Make Url Short", 2940, 2950, 5400, 330, 0),
    C(oxbutton17, PicTool, Button, L"Keyword Blocker", 360, 3600, 2400, 450, 0),
    C(Label52, PicTool, Label, L"Block Keyword Blacklist", 2940, 3670, 5400, 330, 0),

    // Logger blocker, with the process viewer on top inside it.
    C(PicTask, Picture3, Panel, L"", 0, 0, kToolW, kToolH, kHidden),
    C(Label23, Picture3, Label, L"Logger Blocker", 240, 120, 4000, 360, kBold),
    C(ListView2, Picture3, ListView, L"", 240, 540, 8040, 3480, 0),
    C(PB2, Picture3, Vista, L"", 240, 4140, 8040, 255, 0),
    C(UCP1, Picture3, Spinner, L"", 4800, 4950, 240, 240, 0),
    C(oxbutton1, Picture3, Button, L"Scan", 240, kRowY, kBtnW, kBtnH, 0),
    C(oxbutton2, Picture3, Button, L"Clear List", 1740, kRowY, kBtnW, kBtnH, kDisabled),
    C(oxbutton3, Picture3, Button, L"Open Log", 3240, kRowY, kBtnW, kBtnH, 0),
    C(oxbutton7, Picture3, Button, L"<< BACK", 6880, kRowY, kBtnW, kBtnH, 0),

    // Process viewer.
    C(List1, PicTask, ListBox, L"", 240, 240, 8040, 3780, kMono),
    C(chk1, PicTask, CheckBox, L"All Windows Proccess", 240, 4140, 3000, 300, kChecked),
    C(chk2, PicTask, CheckBox, L"Proccess Hidden", 3480, 4140, 3000, 300, 0),
    C(cmdRefresh, PicTask, Button, L"Refresh", 240, kRowY, kBtnW, kBtnH, 0),
    C(cmdEndTsk, PicTask, Button, L"End Task", 1740, kRowY, kBtnW, kBtnH, 0),
    C(oxbutton9, PicTask, Button, L"<< Back", 6880, kRowY, kBtnW, kBtnH, 0),

    // Registry repair.
    C(Label24, Picture4, Label, L"Registry Repair", 240, 120, 4000, 360, kBold),
    C(Label25, Picture4, Label, L"Scan  :", 240, 900, 900, 300, 0),
    C(lblStat, Picture4, Label, L"-", 1200, 900, 6800, 300, 0),
    C(Label26, Picture4, Label, L"", 240, 1380, 6800, 300, 0),
    C(PB1, Picture4, ProgressXp, L"", 240, 1920, 8040, 330, 0),
    C(oxbutton12, Picture4, Button, L"Scan + Repair", 240, kRowY, 1800, kBtnH, 0),
    C(oxbutton13, Picture4, Button, L"Stop", 2160, kRowY, kBtnW, kBtnH, kDisabled),
    C(oxbutton14, Picture4, Button, L"<< Back", 6880, kRowY, kBtnW, kBtnH, 0),

    // URL shortener, with the keyword blocker on top inside it.
    C(PicKeyBlock, PicURL, Panel, L"", 0, 0, kToolW, kToolH, 0),
    C(Label40, PicURL, Label, L"Url Shortner", 240, 120, 4000, 360, kBold),
    C(Label42, PicURL, Label, L"Long URL :", 240, 600, 1500, 300, 0),
    C(Tlong, PicURL, Edit, L"Url", 240, 930, 8040, 330, 0),
    C(Option1, PicURL, Radio, L"Server 1", 480, 1560, 1500, 300, 0),
    C(Option2, PicURL, Radio, L"Server 2", 2280, 1560, 1500, 300, 0),
    C(Option3, PicURL, Radio, L"Server 3", 4080, 1560, 1300, 300, kChecked),
    C(Label43, PicURL, Label, L"(recommended)", 5400, 1580, 1800, 300, 0),
    // Under the choices it frames (a group box drawn over them would hide them).
    C(frameServices, PicURL, Frame, L"", 240, 1380, 8040, 600, 0),
    C(C, PicURL, Button, L"Short URL", 240, 2160, 1600, kBtnH, 0),
    C(Tout, PicURL, Memo, L"", 240, 2700, 8040, 1980, 0),
    C(oxbutton16, PicURL, Button, L"<< Back", 6880, kRowY, kBtnW, kBtnH, 0),

    // Keyword blocker.
    C(Label49, PicKeyBlock, Label, L"Keyword Blacklist  :", 240, 120, 3000, 300, kBold),
    C(List2, PicKeyBlock, ListBox, L"", 240, 480, 3360, 3240, 0),
    C(Text2, PicKeyBlock, Edit, L"", 240, 3840, 2160, 330, 0),
    C(Command3, PicKeyBlock, Button, L"Add", 2520, 3810, 1080, 390, 0),
    C(Command4, PicKeyBlock, Button, L"Hapus", 2520, 4290, 1080, 390, 0),
    C(Label50, PicKeyBlock, Label, L"Message Show :", 3960, 120, 3000, 300, kBold),
    C(Text3, PicKeyBlock, Memo, L"jangan coba-coba berkata kasar bro\r\n", 3960, 480, 4320, 1560, 0),
    C(ckWatch, PicKeyBlock, Toggle, L"", 3960, 2280, 390, 270, kChecked),
    C(Label51, PicKeyBlock, Label, L"Active", 4500, 2280, 1500, 300, 0),
    C(oxbutton18, PicKeyBlock, Button, L"<< Back", 6880, kRowY, kBtnW, kBtnH, 0),

    // Option page.
    C(Picture6, Picture2, Panel, L"", 0, 0, 8415, 420, kHeaderPanel),
    C(Label22, Picture6, Label, L"Option To Cleaner", 240, 60, 5000, 300, kHeaderText | kBold),
    C(ck1, Picture2, Toggle, L"", 360, 660, 390, 270, kChecked),
    C(Label15, Picture2, Label, L"Clean Temp File", 900, 645, 4000, 300, 0),
    C(ck2, Picture2, Toggle, L"", 360, 1080, 390, 270, 0),
    C(Label16, Picture2, Label, L"Clean Cookies", 900, 1065, 4000, 300, 0),
    C(ck3, Picture2, Toggle, L"", 360, 1500, 390, 270, kChecked),
    C(Label17, Picture2, Label, L"Clean Recent File", 900, 1485, 4000, 300, 0),
    C(ckStar, Picture2, Toggle, L"", 360, 1920, 390, 270, kChecked),
    C(Label53, Picture2, Label, L"Start program automatically", 900, 1905, 4000, 300, 0),
    C(Picture7, Picture2, Panel, L"", 0, 2520, 8415, 420, kHeaderPanel),
    C(Label14, Picture7, Label, L"Option To Logger Block", 240, 60, 5000, 300, kHeaderText | kBold),
    C(Label27, Picture2, Label, L"Level  :", 360, 3180, 900, 300, 0),
    C(BLog, Picture2, HScroll, L"", 1320, 3180, 4200, 270, 0),
    C(Text1, Picture2, Edit, L"", 5640, 3150, 900, 330, 0),
    C(Label28, Picture2, Label, L"OK", 6660, 3180, 1200, 300, kBold),
};

#undef C

}  // namespace

std::span<const ControlSpec> Form1Layout() { return kLayout; }

const ControlSpec* FindSpec(ControlId id) {
  for (const ControlSpec& s : kLayout)
    if (s.id == id) return &s;
  return nullptr;
}

}  // namespace vexa::app
