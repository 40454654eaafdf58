#include "cleaner/win32/cleaner_panel.h"

#include "controls/designs.h"
#include "controls/win32/controls.h"

namespace vexa::cleaner {
namespace {

using ui::Kind;
using ui::kOnOptions;
using ui::kOnPage;

constexpr int kBtnW = 1400, kBtnH = 420;
const controls::PropertyBag kScanNow = controls::PlateWithTip(L"Scan Now", 1, true);
const controls::PropertyBag kCleanAllTip = controls::PlateWithTip(L"Clean All Detected!", 3, false);
const controls::PropertyBag kSpinnerLook = controls::SpinnerOn(0xE0E0E0);

const ui::ControlRow kRows[] = {
    {Label3, kOnPage, Kind::Label, L"Welcome... (Click Scan For Scan)", 240, 540, 8040, 300},
    {ListView1, kOnPage, Kind::Hosted, L"", 240, 900, 8040, 3000},
    {Label8, kOnPage, Kind::Label, L"Temp Files", 240, 4020, 1200, 300},
    {Label9, kOnPage, Kind::Label, L"0", 1440, 4020, 700, 300, ui::kBold},
    {Label10, kOnPage, Kind::Label, L"Cookies", 2280, 4020, 1000, 300},
    {Label11, kOnPage, Kind::Label, L"0", 3300, 4020, 700, 300, ui::kBold},
    {Label6, kOnPage, Kind::Label, L"Junk Files", 4200, 4020, 1100, 300},
    {Label7, kOnPage, Kind::Label, L"0", 5300, 4020, 700, 300, ui::kBold},
    {Label4, kOnPage, Kind::Label, L"Recent Files", 6120, 4020, 1300, 300},
    {Label5, kOnPage, Kind::Label, L"0", 7440, 4020, 700, 300, ui::kBold},
    {Label12, kOnPage, Kind::Label, L"Total Files Found : 0", 240, 4440, 4000, 300, ui::kBold},
    {Check1, kOnPage, Kind::CheckBox, L"Sellect All", 240, 4920, 1800, 300},
    {UCP, kOnPage, Kind::Spinner, L"", 4560, 4980, 240, 240, 0, &kSpinnerLook},
    {Command1, kOnPage, Kind::Button, L"Scan", 5040, 4860, kBtnW, kBtnH, 0, &kScanNow},
    {Command2, kOnPage, Kind::Button, L"Clean All", 6600, 4860, kBtnW, kBtnH, 0, &kCleanAllTip},
    // The category toggles on the Option page.
    {ck1, kOnOptions, Kind::Toggle, L"", 360, 660, 390, 270, 0, &controls::Switch(true)},
    {Label15, kOnOptions, Kind::Label, L"Clean Temp File", 900, 645, 4000, 300},
    {ck2, kOnOptions, Kind::Toggle, L"", 360, 1080, 390, 270, 0, &controls::Switch(false)},
    {Label16, kOnOptions, Kind::Label, L"Clean Cookies", 900, 1065, 4000, 300},
    {ck3, kOnOptions, Kind::Toggle, L"", 360, 1500, 390, 270, 0, &controls::Switch(true)},
    {Label17, kOnOptions, Kind::Label, L"Clean Recent File", 900, 1485, 4000, 300},
};

}  // namespace

CleanerPanel::CleanerPanel(const CleanerServices& services)
    : page_({Label3_, Label12_, Label5_, Label7_, Label9_, Label11_, UCP_, Timer1_, Timer3_, Command2_, Check1_, ck1_,
             ck2_, ck3_},
            services),
      listView1_(page_.ListView1()) {}

void CleanerPanel::Create(ui::Layout& layout, const ui::Site& site) {
  layout.Add(kRows, site);
  const ui::ControlRow& list = *layout.Row(ListView1);
  layout.Adopt(ListView1, listView1_.Create(layout.ParentOf(list), ListView1, layout.RectOf(list)));
  layout.Attach({{&Label3_, Label3}, {&Label12_, Label12}, {&Label5_, Label5}, {&Label7_, Label7}, {&Label9_, Label9},
                 {&Label11_, Label11}, {&UCP_, UCP}, {&Command2_, Command2}, {&Check1_, Check1}, {&ck1_, ck1},
                 {&ck2_, ck2}, {&ck3_, ck3}});
  Timer1_.Attach(layout.Form());
  Timer3_.Attach(layout.Form());
}

void CleanerPanel::Load() {
  page_.TakeFlagsFromToggles();
  Timer3_.SetEnabled(true);
}

bool CleanerPanel::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case Command1: page_.Command1_Click(); return true;
    case Command2: page_.Command2_Click(); return true;
    case Check1: page_.Check1_Click(); return true;
    case ck1: page_.ck1_Click(); return true;
    case ck2: page_.ck2_Click(); return true;
    case ck3: page_.ck3_Click(); return true;
    default: return false;
  }
}

bool CleanerPanel::OnTimer(UINT_PTR id) {
  switch (id) {
    case Timer1: page_.Timer1_Timer(); return true;
    case Timer3: page_.Timer3_Timer(); return true;
    default: return false;
  }
}

}  // namespace vexa::cleaner
