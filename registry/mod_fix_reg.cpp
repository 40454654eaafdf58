#include "registry/mod_fix_reg.h"

namespace vexa {

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

}  // namespace vexa
