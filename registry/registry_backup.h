#pragma once
// The state of everything a repair run is about to change, read before the
// first change, and the registry editor file that puts it back: values that
// existed with their old type and data, values and keys that did not exist as
// deletions, and every deleted key with its whole subtree.
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/registry.h"
#include "registry/repair_catalogue.h"

namespace vexa::registry {

class RegistrySnapshot {
 public:
  // Reads the present state of every value and key the steps write or delete.
  static RegistrySnapshot Capture(const Registry& registry, std::span<const RepairStep> steps,
                                  const std::wstring& systemDirectory);

  // The registry editor file ("Windows Registry Editor Version 5.00"),
  // CR LF line ends; importing it undoes the steps.
  std::wstring RegFileText() const;
  // The same as stored: UTF-16LE with its byte-order mark.
  std::string RegFileBytes() const;

  // True when step `index` found nothing to change: a value or key to delete
  // that did not exist, or a value already holding the data to write. False
  // when that could not be read.
  bool NothingToChange(std::size_t index) const { return index < unchanged_.size() && unchanged_[index]; }
  // True when step `index` deletes a key that has keys of its own: the system
  // refuses that delete (as "access denied") whatever the caller's rights.
  bool KeyKeepsSubKeys(std::size_t index) const { return index < keepsSubKeys_.size() && keepsSubKeys_[index]; }

 private:
  struct SavedValue {
    RegRoot root;
    std::wstring key;  // normalised path
    RegValue value;
    bool existed;  // false: it is to be deleted again
  };
  struct SavedKey {
    std::wstring path;
    std::vector<RegValue> values;
    std::vector<SavedKey> subKeys;
    bool hasSubKeys = false;  // even ones that could not be read
  };
  struct SavedTree {
    RegRoot root;
    SavedKey key;
  };
  struct CreatedKey {
    RegRoot root;
    std::wstring path;
  };

  void SaveValue(RegRoot root, const std::wstring& key, RegValue value, bool existed);
  void NoteUnsaved(RegRoot root, const std::wstring& path, const std::wstring& name, RegStatus status);

  std::vector<SavedValue> values_;
  std::vector<SavedTree> trees_;
  std::vector<CreatedKey> created_;
  std::vector<std::wstring> unsaved_;  // comment lines
  std::vector<bool> unchanged_;
  std::vector<bool> keepsSubKeys_;
};

// "VexaRegBackup-YYYYMMDD-HHMMSS.reg"
std::wstring BackupFileName(const LocalTime& time);

// How many distinct values and keys the steps could not change for lack of
// rights, leaving out those that needed no change and keys the system keeps
// because they have keys of their own.
int CountUnrepaired(std::span<const RepairStep> steps, const std::vector<RegResult>& results,
                    const RegistrySnapshot& before);

// A key path as the registry resolves it: no trailing or doubled backslashes.
std::wstring NormalizeKeyPath(const std::wstring& path);

}  // namespace vexa::registry
