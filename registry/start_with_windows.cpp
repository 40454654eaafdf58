#include "registry/start_with_windows.h"

namespace vexa {

std::wstring StartWithWindows::EntryDataFor(const Environment& environment) {
  std::wstring name = environment.ExecutableFileName();
  auto dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos && dot != 0) name.resize(dot);
  return name + L".exe";
}

void StartWithWindows::ckStar_Click() {
  const auto value = static_cast<std::int16_t>(ckStar_.Value());
  if (value == 0) {
    fixReg_.DeleteValue(RegRoot::LocalMachine, kRunKey, kRunValueName);
    fixReg_.DeleteValue(RegRoot::CurrentUser, kRunKey, kRunValueName);
  } else if (value == 1) {
    const std::wstring data = EntryData();
    RegResult machine = fixReg_.SetStringValue(RegRoot::LocalMachine, kRunKey, kRunValueName, data);
    if (machine.AccessDenied()) {
      fixReg_.SetStringValue(RegRoot::CurrentUser, kRunKey, kRunValueName, data);
    } else if (machine.Succeeded()) {
      // One entry only: a per-user one left from a run without the rights
      // would start the program a second time.
      fixReg_.DeleteValue(RegRoot::CurrentUser, kRunKey, kRunValueName);
    }
  }
}

}  // namespace vexa
