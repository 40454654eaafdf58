#pragma once
// Control ids of the main window, by design name. Every control of Form1 has
// a unique id, so automation (and the end-to-end tests) can find a control by
// name even where two show the same caption ("Scan", "<< Back").
namespace vexa::app {

enum ControlId : int {
  kNone = 0,
  // Fixed parts.
  Picture9 = 100, Label48, Label38, oxbutton11, oxbutton6, Label2, PB,
  Label1_0, Label1_1, Label1_2, Label1_3,
  // Page panels.
  PicHome = 200, Picture2, PicTool, PicClean,
  // Home.
  Label20 = 300, Label21, Label30, Label32, Label29, Label31, Label33, Label34, Label35, Label36,
  Label45, Label47, Label46, Label37, oxbutton10,
  // Cleaner.
  Picture8 = 400, Label44, Label3, Label12, Label8, Label9, Label10, Label11, Label6, Label7, Label4, Label5,
  ListView1, Check1, Command1, Command2, UCP,
  // Toolbox menu.
  Picture5 = 500, Label13, oxbutton4, Label18, oxbutton5, Label19, oxbutton8, Label39, oxbutton15, Label41,
  oxbutton17, Label52,
  // Logger blocker.
  Picture3 = 600, Label23, oxbutton1, oxbutton2, oxbutton3, oxbutton7, ListView2, UCP1, PB2,
  // Process viewer.
  PicTask = 700, List1, chk1, chk2, cmdRefresh, cmdEndTsk, oxbutton9,
  // Registry repair.
  Picture4 = 800, Label24, Label25, lblStat, Label26, PB1, oxbutton12, oxbutton13, oxbutton14,
  // URL shortener.
  PicURL = 900, Label40, Label42, Tlong, frameServices, Option1, Option2, Option3, Label43, C, Tout, oxbutton16,
  // Keyword blocker.
  PicKeyBlock = 1000, Label49, List2, Text2, Command3, Command4, Label50, Text3, ckWatch, Label51, oxbutton18,
  // Option page.
  Picture6 = 1100, Label22, ck1, Label15, ck2, Label16, ck3, Label17, ckStar, Label53, Picture7, Label14, Label27,
  BLog, Text1, Label28,
};

// Timers of the main window (WM_TIMER ids).
enum TimerId : unsigned {
  Timer1 = 1, Timer2, Timer3, Timer4, Timer5, Timer6, Timer7, Timer8,
};

}  // namespace vexa::app
