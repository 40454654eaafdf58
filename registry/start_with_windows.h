#pragma once
// The Option page's "Start program automatically" toggle (ckStar): on puts
// the program's file name under the machine's Windows Run key as "Utility",
// off removes it. A user who may not write the machine's key gets the same
// entry in the per-user Run key instead.
#include <string>

#include "platform/environment.h"
#include "platform/registry.h"
#include "platform/ui.h"
#include "registry/mod_fix_reg.h"

namespace vexa {

inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValueName[] = L"Utility";

class StartWithWindows {
 public:
  StartWithWindows(Registry& registry, const Environment& environment, ui::Toggle& ckStar)
      : fixReg_(registry), environment_(environment), ckStar_(ckStar) {}

  // After the user has changed the toggle (its new value already set).
  void ckStar_Click();

  // The data stored: the executable's base name followed by ".exe".
  std::wstring EntryData() const { return EntryDataFor(environment_); }
  static std::wstring EntryDataFor(const Environment& environment);

 private:
  ModFixReg fixReg_;
  const Environment& environment_;
  ui::Toggle& ckStar_;
};

}  // namespace vexa
