#include "registry/mod_fix_reg.h"

#include "registry/registry_backup.h"

namespace vexa::registry {

std::vector<RegResult> ModFixReg::RunSteps(std::span<const RepairStep> steps, const std::wstring& systemDirectory) {
  std::vector<RegResult> results;
  results.reserve(steps.size());
  for (const RepairStep& step : steps) {
    switch (step.action) {
      case RepairAction::SetString:
        results.push_back(SetStringValue(step.root, step.keyPath, step.name, RepairText(step, systemDirectory)));
        break;
      case RepairAction::SetNumber:
        results.push_back(SetDwordValue(step.root, step.keyPath, step.name, step.number));
        break;
      case RepairAction::DeleteValue:
        results.push_back(DeleteValue(step.root, step.keyPath, step.name));
        break;
      case RepairAction::DeleteKey:
        results.push_back(DeleteKey(step.root, step.keyPath, step.name));
        break;
    }
  }
  return results;
}

RepairSummary ModFixReg::RepairRegistry(const RepairServices& s, ui::EngineSink& sink) {
  RepairSummary summary;
  const std::wstring systemDirectory = s.system.SystemDirectory();
  auto steps = RepairCatalogue();

  // The undo file is written before the first change.
  RegistrySnapshot before = RegistrySnapshot::Capture(registry_, steps, systemDirectory);
  std::wstring backup = s.log.Folder() + L"\\" + BackupFileName(s.clock.Now());
  if (s.files.WriteNew(backup, before.RegFileBytes())) summary.backupPath = backup;

  std::vector<RegResult> results = RunSteps(steps, systemDirectory);
  summary.steps = static_cast<int>(results.size());
  summary.unrepaired = CountUnrepaired(steps, results, before);

  sink.DoEvents();
  s.log.AppendToLog(log_entry::RegistryRepair());
  return summary;
}

}  // namespace vexa::registry
