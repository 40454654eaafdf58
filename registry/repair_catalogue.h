#pragma once
// The fixed list of registry changes a repair run makes, in order: open
// commands of executable file types, Winlogon and SafeBoot entries, and the
// Explorer and System policies that malware sets to lock the desktop.
#include <cstdint>
#include <span>
#include <string>

#include "platform/registry.h"

namespace vexa::registry {

enum class RepairAction { SetString, SetNumber, DeleteValue, DeleteKey };

struct RepairStep {
  int row;  // 1-based place in the catalogue
  RegRoot root;
  const wchar_t* keyPath;
  const wchar_t* name;  // value name ("" = default value); for DeleteKey the key deleted below keyPath
  RepairAction action;
  const wchar_t* text;        // SetString data
  std::int32_t number;        // SetNumber data
  bool underSystemDirectory;  // the text follows the machine's system directory
};

// The 99 steps.
std::span<const RepairStep> RepairCatalogue();

// The string a SetString step writes. A step under the system directory
// writes that directory followed by its text; when the directory cannot be
// told, the usual one (C:\WINDOWS\system32) stands in.
std::wstring RepairText(const RepairStep& step, const std::wstring& systemDirectory);

bool IsWrite(const RepairStep& step);

}  // namespace vexa::registry
