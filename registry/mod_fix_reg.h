#pragma once
// The program's four registry changes. Each opens or creates one key, makes
// one change, closes the key and returns how it went; none reads anything.
// Sub-keys and names are passed to the registry exactly as given, a trailing
// backslash included.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "log/activity_log.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/ui.h"
#include "registry/repair_catalogue.h"

namespace vexa::registry {

// What one repair did.
struct RepairSummary {
  int steps = 0;
  int unrepaired = 0;       // values and keys left as they were for lack of rights
  std::wstring backupPath;  // empty when no backup could be written
};

// What a repair needs besides the registry.
struct RepairServices {
  const SystemFolders& system;
  FileSystem& files;
  const Clock& clock;
  ActivityLog& log;  // the log block, and the folder of the undo file
};

class ModFixReg {
 public:
  explicit ModFixReg(Registry& registry) : registry_(registry) {}

  // Creates the sub-key path as needed and stores the text (type 1).
  RegResult SetStringValue(RegRoot root, const std::wstring& subKey, const std::wstring& name,
                           const std::wstring& data) {
    return registry_.SetString(root, subKey, name, data);
  }
  // Creates the sub-key path as needed and stores the number (type 4).
  RegResult SetDwordValue(RegRoot root, const std::wstring& subKey, const std::wstring& name, std::int32_t data) {
    return registry_.SetDword(root, subKey, name, data);
  }
  // Deletes a value of an existing sub-key; "" is the default value.
  RegResult DeleteValue(RegRoot root, const std::wstring& subKey, const std::wstring& name) {
    return registry_.DeleteValue(root, subKey, name);
  }
  // Deletes the key `keyName` directly below an existing sub-key.
  RegResult DeleteKey(RegRoot root, const std::wstring& subKey, const std::wstring& keyName) {
    return registry_.DeleteKey(root, subKey, keyName);
  }

  // Runs the steps one after the other; a failed step does not stop the
  // others. One result per step, in order.
  std::vector<RegResult> RunSteps(std::span<const RepairStep> steps, const std::wstring& systemDirectory);

  // The whole repair: saves an undo file beside the log (the repair goes
  // ahead without one when it cannot be written), runs the catalogue, lets
  // the page's events run once, and writes the log block.
  RepairSummary RepairRegistry(const RepairServices& services, ui::EngineSink& sink);

 private:
  Registry& registry_;
};

}  // namespace vexa::registry
