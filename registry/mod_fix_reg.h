#pragma once
// The program's four registry changes. Each opens or creates one key, makes
// one change, closes the key and returns how it went; none reads anything.
// Sub-keys and names are passed to the registry exactly as given, a trailing
// backslash included.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "registry/repair_catalogue.h"

namespace vexa {

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

 private:
  Registry& registry_;
};

}  // namespace vexa
