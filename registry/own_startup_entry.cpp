#include "registry/own_startup_entry.h"

#include "registry/mod_fix_reg.h"
#include "registry/start_with_windows.h"

namespace vexa {

namespace {

wchar_t FoldAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool SameName(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

}  // namespace

bool EntryNamesProgram(const RegValue& value, std::wstring_view entryData) {
  if (value.type != kRegSz && value.type != kRegExpandSz) return false;
  const std::wstring text = RegDataText(value.data);
  std::wstring_view path = text;
  if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') path = path.substr(1, path.size() - 2);
  auto cut = path.find_last_of(L"\\/");
  std::wstring_view name = cut == std::wstring_view::npos ? path : path.substr(cut + 1);
  return !entryData.empty() && SameName(name, entryData);
}

int RemoveOwnStartupEntries(Registry& registry, const std::wstring& entryData) {
  ModFixReg fixReg(registry);
  int removed = 0;
  for (RegRoot root : {RegRoot::LocalMachine, RegRoot::CurrentUser}) {
    RegValue value;
    if (registry.QueryValue(root, kRunKey, kRunValueName, value) != kRegSuccess) continue;
    if (!EntryNamesProgram(value, entryData)) continue;
    if (fixReg.DeleteValue(root, kRunKey, kRunValueName).Succeeded()) ++removed;
  }
  return removed;
}

}  // namespace vexa
