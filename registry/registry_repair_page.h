#pragma once
// The Registry Repair page: "Scan + Repair" runs a twenty-second progress
// display (Timer4, 200 ms, PB1 +2 per tick) while lblStat names the registry
// roots in turn and Label26 animates dots (Timer5, 100 ms); the tick that
// fills the bar runs the repair and reports the result.
#include <cstdint>
#include <string>

#include "platform/ui.h"
#include "registry/mod_fix_reg.h"

namespace vexa::registry {

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

inline constexpr unsigned kRepairTickMs = 200;
inline constexpr unsigned kDotsTickMs = 100;
inline constexpr int kRepairBarMax = 200;
inline constexpr wchar_t kRepairSuccessText[] = L"Success Repair Value Registry Corupt Or Infected Virus";
inline constexpr wchar_t kRepairSuccessTitle[] = L"Success";
inline constexpr wchar_t kRepairDeniedTitle[] = L"Registry Repair";
inline constexpr wchar_t kDotText[] = L"  .............";
// The closing box's last line when the undo file could not be written.
inline constexpr wchar_t kNoUndoFileText[] = L"No undo file was written: the changes cannot be undone.";

class RegistryRepairPage : private ui::PageSink {
 public:
  RegistryRepairPage(const RegistryRepairControls& controls, Registry& registry, const RepairServices& services,
                     ui::MessageBoxes& boxes, ui::EventPump& pump);

  void oxbutton12_Click();  // "Scan + Repair"
  void oxbutton13_Click();  // "Stop"
  void Timer4_Timer();
  void Timer5_Timer();

  void StartDots();

  // True from the tick that fills the bar until its message box is closed.
  bool Repairing() const { return repairing_; }
  const RepairSummary& LastRepair() const { return last_; }

  // The text of the box shown when some values could not be repaired.
  static std::wstring DeniedText(int unrepaired);

 private:
  void FinalStep();

  RegistryRepairControls c_;
  RepairServices services_;
  ModFixReg fixReg_;
  std::wstring dotText_;
  std::int16_t dotCount_ = 0;
  bool repairing_ = false;
  RepairSummary last_;
};

}  // namespace vexa::registry
