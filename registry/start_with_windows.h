#pragma once
// The Option page's "Start program automatically" toggle (ckStar): on puts
// the program's quoted full path under the machine's Windows Run key as
// "Utility", off removes it. A user who may not write the machine's key gets
// the same entry in the per-user Run key instead.
#include <string>

#include "platform/environment.h"
#include "platform/registry.h"
#include "platform/ui.h"
#include "registry/mod_fix_reg.h"

namespace vexa::registry {

inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValueName[] = L"Utility";

class StartWithWindows {
 public:
  StartWithWindows(Registry& registry, const Environment& environment, ui::Toggle& ckStar)
      : registry_(registry), fixReg_(registry), environment_(environment), ckStar_(ckStar) {}

  // The load step: the toggle shows whether this program's entry is there,
  // under either Run key.
  void Load();

  // After the user has changed the toggle (its new value already set).
  void ckStar_Click();

  // Removes this program's entry from both Run keys; a "Utility" value that
  // starts another program stays.
  void RemoveOwnEntries();

  // The data stored: the running executable's full path, in double quotes.
  std::wstring EntryData() const;

  // True when a Run value's data starts this program: its full path, quoted
  // or not, or the bare file name that earlier versions stored.
  bool NamesThisProgram(const std::wstring& data) const;

 private:
  bool EntryIn(RegRoot root) const;
  void RemoveIfOwn(RegRoot root);

  Registry& registry_;
  ModFixReg fixReg_;
  const Environment& environment_;
  ui::Toggle& ckStar_;
};

}  // namespace vexa::registry
