#pragma once
// The Registry Repair page: "Scan + Repair" runs a twenty-second progress
// display (Timer4, 200 ms, PB1 +2 per tick) while lblStat names the registry
// roots in turn and Label26 animates dots (Timer5, 100 ms); the tick that
// fills the bar runs the repair, logs it and reports the result.
#include <cstdint>
#include <string>

#include "log/activity_log.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/ui.h"
#include "registry/mod_fix_reg.h"

namespace vexa {

struct RegistryRepairControls {
  ui::ProgressBar& PB1;    // Min 0, Max 200
  ui::Caption& lblStat;    // "-" at start
  ui::Caption& Label26;    // the dots, empty at start
  ui::Button& oxbutton12;  // "Scan + Repair", enabled
  ui::Button& oxbutton13;  // "Stop", disabled
  ui::Button& oxbutton14;  // "<< Back", enabled
  ui::Timer& Timer4;       // 200 ms, disabled
  ui::Timer& Timer5;       // 100 ms, disabled
};

struct RegistryRepairServices {
  Registry& registry;
  const SystemFolders& system;
  FileSystem& files;
  const Clock& clock;
  ActivityLog& log;
  ui::MessageBoxes& boxes;
  ui::EventPump& pump;
};

// What one repair did.
struct RepairSummary {
  int steps = 0;
  int unrepaired = 0;       // values and keys left as they were for lack of rights
  std::wstring backupPath;  // empty when no backup could be written
};

inline constexpr unsigned kRepairTickMs = 200;
inline constexpr unsigned kDotsTickMs = 100;
inline constexpr int kRepairBarMax = 200;
inline constexpr wchar_t kRepairSuccessText[] = L"Success Repair Value Registry Corupt Or Infected Virus";
inline constexpr wchar_t kRepairSuccessTitle[] = L"Success";
inline constexpr wchar_t kRepairDeniedTitle[] = L"Registry Repair";
inline constexpr wchar_t kDotText[] = L"  .............";

class RegistryRepairPage {
 public:
  RegistryRepairPage(const RegistryRepairControls& controls, const RegistryRepairServices& services);

  void oxbutton12_Click();  // "Scan + Repair"
  void oxbutton13_Click();  // "Stop"
  void Timer4_Timer();
  void Timer5_Timer();

  void StartDots();
  // Saves a backup, runs the catalogue, yields once, writes the log block.
  RepairSummary RepairRegistry();

  // True from the tick that fills the bar until its message box is closed.
  bool Repairing() const { return repairing_; }
  const RepairSummary& LastRepair() const { return last_; }

  // The text of the box shown when some values could not be repaired.
  static std::wstring DeniedText(int unrepaired);

 private:
  void FinalStep();

  RegistryRepairControls c_;
  RegistryRepairServices s_;
  ModFixReg fixReg_;
  std::wstring dotText_;
  std::int16_t dotCount_ = 0;
  bool repairing_ = false;
  RepairSummary last_;
};

}  // namespace vexa
