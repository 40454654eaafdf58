#include "app/form1_pages.h"

namespace vexa::app {

bool Form1Pages::OnClick(int id) {
  switch (id) {
    case oxbutton12: registry_.oxbutton12_Click(); return true;
    case oxbutton13: registry_.oxbutton13_Click(); return true;
    case ckStar: star_.ckStar_Click(); return true;
    case C: url_.C_Click(); return true;
    default: return false;
  }
}

bool Form1Pages::OnTimer(UINT_PTR id) {
  switch (id) {
    case Timer4: registry_.Timer4_Timer(); return true;
    case Timer5: registry_.Timer5_Timer(); return true;
    default: return false;
  }
}

}  // namespace vexa::app
