#include "registry/start_with_windows.h"

#include <cwctype>

namespace vexa::registry {
namespace {

bool SameText(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::towupper(static_cast<wint_t>(a[i])) != std::towupper(static_cast<wint_t>(b[i]))) return false;
  return true;
}

}  // namespace

std::wstring StartupEntry::Data() const { return L"\"" + environment_.ExecutablePath() + L"\""; }

bool StartupEntry::NamesThisProgram(const std::wstring& data) const {
  std::wstring path = data;
  if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') path = path.substr(1, path.size() - 2);
  if (path.empty()) return false;
  return SameText(path, environment_.ExecutablePath()) || SameText(path, environment_.ExecutableFileName());
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
