#pragma once
// The Registry Repair panel of the main window, and the start-with-Windows
// toggle on the Option page.
#include "registry/registry_repair_page.h"
#include "registry/start_with_windows.h"
#include "ui/adapters.h"
#include "ui/layout.h"

namespace vexa::registry {

// Control ids, by design name.
enum RegistryControl : int {
  Label24 = 801, Label25, lblStat, Label26, PB1, oxbutton12, oxbutton13, oxbutton14,
  ckStar = 1108, Label53,
};
enum RegistryTimer : UINT_PTR { Timer4 = 4, Timer5 = 5 };

class RegistryPanel : public ui::Panel {
 public:
  RegistryPanel(Registry& registry, const Environment& environment, const RepairServices& services,
                ui::MessageBoxes& boxes, ui::EventPump& pump);

  void Create(ui::Layout& layout, const ui::Site& site) override;
  void Load() override { star_.Load(); }
  bool OnCommand(int id, int code) override;
  bool OnTimer(UINT_PTR id) override;

 private:
  ui::WinProgressBar PB1_;
  ui::WinCaption lblStat_, Label26_;
  ui::WinButton oxbutton12_, oxbutton13_, oxbutton14_;
  ui::WinTimer Timer4_{Timer4, kRepairTickMs}, Timer5_{Timer5, kDotsTickMs};
  ui::WinToggle ckStar_;
  RegistryRepairPage repair_;
  StartWithWindows star_;
  std::function<void()> back_;
};

}  // namespace vexa::registry
