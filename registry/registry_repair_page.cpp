#include "registry/registry_repair_page.h"

namespace vexa::registry {

RegistryRepairPage::RegistryRepairPage(const RegistryRepairControls& controls, Registry& registry,
                                       const RepairServices& services, ui::MessageBoxes& boxes, ui::EventPump& pump)
    : ui::PageSink(boxes, pump), c_(controls), services_(services), fixReg_(registry) {}

void RegistryRepairPage::oxbutton12_Click() {
  // The run in its final step finishes first; a press then would have its
  // timer switched off by that step's clean-up.
  if (repairing_) return;
  if (c_.PB1.Value() != 0) c_.PB1.SetValue(0);
  StartDots();
  c_.Timer4.SetEnabled(true);
  c_.oxbutton13.SetEnabled(true);
}

void RegistryRepairPage::oxbutton13_Click() {
  c_.Timer4.SetEnabled(false);
  c_.Timer5.SetEnabled(false);
  c_.oxbutton13.SetEnabled(false);
  c_.oxbutton12.SetEnabled(true);
  c_.oxbutton14.SetEnabled(true);
}

void RegistryRepairPage::StartDots() {
  c_.Timer5.SetEnabled(true);
  dotCount_ = 0;
  dotText_ = kDotText;
}

void RegistryRepairPage::Timer5_Timer() {
  if (dotCount_ == static_cast<std::int16_t>(dotText_.size())) {
    dotCount_ = 0;
    return;
  }
  std::size_t p = dotText_.find(L" ..");
  if (p == std::wstring::npos) p = 0;
  c_.Label26.SetText(dotText_.substr(p, static_cast<std::size_t>(dotCount_)));
  ++dotCount_;
}

void RegistryRepairPage::Timer4_Timer() {
  // While the final step waits in its yield or its message box the bar reads
  // full; those ticks must not start the step again.
  if (repairing_ || !c_.Timer4.Enabled()) return;
  c_.PB1.SetValue(c_.PB1.Value() + 2);
  c_.oxbutton12.SetEnabled(false);
  c_.oxbutton14.SetEnabled(false);
  int value = c_.PB1.Value();
  if (value == 10) {
    c_.lblStat.SetText(L"HKEY_CLASSES_ROOT");
  } else if (value == 80) {
    c_.lblStat.SetText(L"HKEY_CURRENT_USER");
  } else if (value == 160) {
    c_.lblStat.SetText(L"HKEY_LOCAL_MACHINE");
  } else if (value == c_.PB1.Max()) {
    FinalStep();
  }
}

void RegistryRepairPage::FinalStep() {
  const ui::RunMark run(repairing_);  // Timer4_Timer does not come here while it is set

  last_ = fixReg_.RepairRegistry(services_, *this);
  const std::wstring noUndo = last_.backupPath.empty() ? std::wstring(L"\r\n") + kNoUndoFileText : L"";
  if (last_.unrepaired == 0)
    ShowBox(kRepairSuccessText + noUndo, kRepairSuccessTitle, ui::BoxIcon::Information);
  else
    ShowBox(DeniedText(last_.unrepaired) + noUndo, kRepairDeniedTitle, ui::BoxIcon::Exclamation);

  c_.Timer4.SetEnabled(false);
  c_.oxbutton12.SetEnabled(true);
  c_.oxbutton13.SetEnabled(false);
  c_.oxbutton14.SetEnabled(true);
  c_.Timer5.SetEnabled(false);
  c_.Label26.SetText(L"");
  c_.lblStat.SetText(L"-");
}

std::wstring RegistryRepairPage::DeniedText(int unrepaired) {
  std::wstring count = std::to_wstring(unrepaired);
  std::wstring what =
      unrepaired == 1 ? L" registry value could not be repaired" : L" registry values could not be repaired";
  return count + what + L" because access was denied.\r\nRun the program as administrator to repair " +
         (unrepaired == 1 ? L"it." : L"them.");
}

}  // namespace vexa::registry
