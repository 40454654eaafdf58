#include "registry/win32/registry_panel.h"

#include "controls/designs.h"

namespace vexa::registry {
namespace {

using ui::Kind;
using ui::kOnOptions;
using ui::kOnPage;

constexpr int kRowY = 4860, kBtnW = 1400, kBtnH = 420;

const ui::ControlRow kRows[] = {
    {Label24, kOnPage, Kind::Label, L"Registry Repair", 240, 120, 4000, 360, ui::kBold},
    {Label25, kOnPage, Kind::Label, L"Scan  :", 240, 900, 900, 300},
    {lblStat, kOnPage, Kind::Label, L"-", 1200, 900, 6800, 300},
    {Label26, kOnPage, Kind::Label, L"", 240, 1380, 6800, 300},
    {PB1, kOnPage, Kind::ProgressXp, L"", 240, 1920, 8040, 330, 0, &controls::RepairBar()},
    {oxbutton12, kOnPage, Kind::Button, L"Scan + Repair", 240, kRowY, 1800, kBtnH},
    {oxbutton13, kOnPage, Kind::Button, L"Stop", 2160, kRowY, kBtnW, kBtnH, ui::kDisabled},
    {oxbutton14, kOnPage, Kind::Button, L"<< Back", 6880, kRowY, kBtnW, kBtnH},
    {ckStar, kOnOptions, Kind::Toggle, L"", 360, 1920, 390, 270, 0, &controls::Switch(true)},
    {Label53, kOnOptions, Kind::Label, L"Start program automatically", 900, 1905, 4000, 300},
};

}  // namespace

RegistryPanel::RegistryPanel(Registry& registry, const Environment& environment, const RepairServices& services,
                             ui::MessageBoxes& boxes, ui::EventPump& pump)
    : repair_({PB1_, lblStat_, Label26_, oxbutton12_, oxbutton13_, oxbutton14_, Timer4_, Timer5_}, registry, services,
              boxes, pump),
      star_(registry, environment, ckStar_) {}

void RegistryPanel::Create(ui::Layout& layout, const ui::Site& site) {
  layout.Add(kRows, site);
  layout.Attach({{&PB1_, PB1}, {&lblStat_, lblStat}, {&Label26_, Label26}, {&oxbutton12_, oxbutton12},
                 {&oxbutton13_, oxbutton13}, {&oxbutton14_, oxbutton14}, {&ckStar_, ckStar}});
  Timer4_.Attach(layout.Form());
  Timer5_.Attach(layout.Form());
  back_ = site.back;
}

bool RegistryPanel::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case oxbutton12: repair_.oxbutton12_Click(); return true;
    case oxbutton13: repair_.oxbutton13_Click(); return true;
    case oxbutton14: back_(); return true;
    case ckStar: star_.ckStar_Click(); return true;
    default: return false;
  }
}

bool RegistryPanel::OnTimer(UINT_PTR id) {
  switch (id) {
    case Timer4: repair_.Timer4_Timer(); return true;
    case Timer5: repair_.Timer5_Timer(); return true;
    default: return false;
  }
}

}  // namespace vexa::registry
