#include "app/form1_pages.h"

namespace vexa::app {

void Form1Pages::Form_Initialize() {
  keywords_.Form_Initialize();
  for (const std::wstring& k : guard::KeywordWatchPage::DesignKeywords()) list2_.Add(k);
}

void Form1Pages::Form_Load() {
  cleaner_.TakeFlagsFromToggles();
  Timer3_.SetEnabled(true);
  // The keyword watch runs from the load on, as its switch shows.
  Timer8_.SetEnabled(ckWatch_.Value() == 1);
}

bool Form1Pages::OnCommand(int id, int code) {
  if (id == List1 && code == LBN_SELCHANGE) {
    windows_.List1_Click();
    return true;
  }
  if (id == Text2 && code == EN_CHANGE) {
    keywords_.Text2_Change();
    return true;
  }
  if (code != BN_CLICKED) return false;
  switch (id) {
    case Command1: cleaner_.Command1_Click(); return true;
    case Command2: cleaner_.Command2_Click(); return true;
    case Check1: cleaner_.Check1_Click(); return true;
    case ck1: cleaner_.ck1_Click(); return true;
    case ck2: cleaner_.ck2_Click(); return true;
    case ck3: cleaner_.ck3_Click(); return true;
    case oxbutton12: registry_.oxbutton12_Click(); return true;
    case oxbutton13: registry_.oxbutton13_Click(); return true;
    case ckStar: star_.ckStar_Click(); return true;
    case C: url_.C_Click(); return true;
    case oxbutton1: logger_.oxbutton1_Click(); return true;
    case oxbutton2: logger_.oxbutton2_Click(); return true;
    case cmdRefresh: windows_.cmdRefresh_Click(); return true;
    case cmdEndTsk: windows_.cmdEndTsk_Click(); return true;
    case Command3: keywords_.Command3_Click(); return true;
    case Command4: keywords_.Command4_Click(); return true;
    case ckWatch: keywords_.ckWatch_Click(); return true;
    default: return false;
  }
}

bool Form1Pages::OnTimer(UINT_PTR id) {
  switch (id) {
    case Timer1: cleaner_.Timer1_Timer(); return true;
    case Timer3: cleaner_.Timer3_Timer(); return true;
    case Timer4: registry_.Timer4_Timer(); return true;
    case Timer5: registry_.Timer5_Timer(); return true;
    case Timer2: logger_.Timer2_Timer(); return true;
    case Timer8: keywords_.Timer8_Timer(); return true;
    default: return false;
  }
}

}  // namespace vexa::app
