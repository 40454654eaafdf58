#include "registry/start_with_windows.h"

#include "platform/text.h"

namespace vexa::registry {

std::wstring StartupEntry::Data() const { return L"\"" + environment_.ExecutablePath() + L"\""; }

bool StartupEntry::NamesThisProgram(const std::wstring& data) const {
  std::wstring path = data;
  if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') path = path.substr(1, path.size() - 2);
  if (path.empty()) return false;
  return EqualsNoCase(path, environment_.ExecutablePath()) || EqualsNoCase(path, environment_.ExecutableFileName());
}

bool StartupEntry::In(RegRoot root) const {
  RegValue value;
  return registry_.QueryValue(root, kRunKey, kRunValueName, value) == kRegSuccess &&
         (value.type == kRegSz || value.type == kRegExpandSz) && NamesThisProgram(RegDataText(value.data));
}

void StartupEntry::RemoveFrom(RegRoot root) {
  if (In(root)) fixReg_.DeleteValue(root, kRunKey, kRunValueName);
}

void StartWithWindows::ckStar_Click() {
  const auto value = static_cast<std::int16_t>(ckStar_.Value());
  if (value == 0) {
    fixReg_.DeleteValue(RegRoot::LocalMachine, kRunKey, kRunValueName);
    // The per-user value only when it is this program's: another program
    // may have its own "Utility" there.
    entry_.RemoveFrom(RegRoot::CurrentUser);
  } else if (value == 1) {
    const std::wstring data = entry_.Data();
    RegResult machine = fixReg_.SetStringValue(RegRoot::LocalMachine, kRunKey, kRunValueName, data);
    if (machine.AccessDenied()) {
      fixReg_.SetStringValue(RegRoot::CurrentUser, kRunKey, kRunValueName, data);
    } else if (machine.Succeeded()) {
      // One entry only: a per-user one left from a run without the rights
      // would start the program a second time.
      entry_.RemoveFrom(RegRoot::CurrentUser);
    }
  }
}

}  // namespace vexa::registry
