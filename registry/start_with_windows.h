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

// The program's own entry under the Windows Run keys.
class StartupEntry {
 public:
  StartupEntry(Registry& registry, const Environment& environment)
      : registry_(registry), fixReg_(registry), environment_(environment) {}

  // The data stored: the running executable's full path, in double quotes.
  std::wstring Data() const;

  // True when a Run value's data starts this program: its full path, quoted
  // or not, or the bare file name that earlier versions stored.
  bool NamesThisProgram(const std::wstring& data) const;

  // This program's entry is under the key of that root.
  bool In(RegRoot root) const;
  bool Present() const { return In(RegRoot::LocalMachine) || In(RegRoot::CurrentUser); }

  // Deletes the entry under that root, only when it is this program's: a
  // "Utility" value that starts another program stays.
  void RemoveFrom(RegRoot root);
  void RemoveOwn() {
    RemoveFrom(RegRoot::LocalMachine);
    RemoveFrom(RegRoot::CurrentUser);
  }

 private:
  Registry& registry_;
  ModFixReg fixReg_;
  const Environment& environment_;
};

class StartWithWindows {
 public:
  StartWithWindows(Registry& registry, const Environment& environment, ui::Toggle& ckStar)
      : entry_(registry, environment), fixReg_(registry), ckStar_(ckStar) {}

  // The load step: the toggle shows whether this program's entry is there,
  // under either Run key.
  void Load() { ckStar_.SetValue(entry_.Present() ? 1 : 0); }

  // After the user has changed the toggle (its new value already set).
  void ckStar_Click();

  const StartupEntry& Entry() const { return entry_; }

 private:
  StartupEntry entry_;
  ModFixReg fixReg_;
  ui::Toggle& ckStar_;
};

}  // namespace vexa::registry
