#pragma once
// An in-memory registry with the real one's rules: names compare without
// regard to case, writes create the whole key path, deletions only open, a
// key with sub-keys cannot be deleted, and keys can be made read-only (as
// HKEY_LOCAL_MACHINE is for a standard user).
#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "tests/fakes/fake_system.h"

namespace vexa::fakes {

class FakeRegistry : public Registry {
 public:
  RegResult SetString(RegRoot root, const std::wstring& subKey, const std::wstring& name,
                      const std::wstring& data) override {
    return Write(root, subKey, {name, kRegSz, RegStringData(data)});
  }
  RegResult SetDword(RegRoot root, const std::wstring& subKey, const std::wstring& name, std::int32_t data) override {
    return Write(root, subKey, {name, kRegDword, RegDwordData(data)});
  }
  RegResult DeleteValue(RegRoot root, const std::wstring& subKey, const std::wstring& name) override {
    ++changes;
    const std::wstring id = Id(root, subKey);
    if (!Has(id)) return {kRegInvalidHandle, kRegFileNotFound};
    if (ReadOnly(id)) return {kRegAccessDenied};
    return {keys_[id].values.erase(Fold(name)) ? kRegSuccess : kRegFileNotFound};
  }
  RegResult DeleteKey(RegRoot root, const std::wstring& subKey, const std::wstring& keyName) override {
    ++changes;
    const std::wstring id = Id(root, subKey), target = Id(root, subKey + L"\\" + keyName);
    if (!Has(id)) return {kRegInvalidHandle, kRegFileNotFound};
    if (!Has(target)) return {kRegFileNotFound};
    if (ReadOnly(target) || !SubKeys(target).empty()) return {kRegAccessDenied};
    keys_.erase(target);
    return {};
  }
  RegStatus QueryValue(RegRoot root, const std::wstring& subKey, const std::wstring& name,
                       RegValue& out) const override {
    auto key = keys_.find(Id(root, subKey));
    if (key == keys_.end()) return kRegFileNotFound;
    auto it = key->second.values.find(Fold(name));
    if (it == key->second.values.end()) return kRegFileNotFound;
    out = it->second;
    return kRegSuccess;
  }
  RegStatus EnumerateKey(RegRoot root, const std::wstring& subKey, RegKeyContents& out) const override {
    const std::wstring id = Id(root, subKey);
    if (!Has(id)) return kRegFileNotFound;
    out = {};
    if (keys_.count(id))
      for (const auto& [folded, value] : keys_.at(id).values) out.values.push_back(value);
    for (const std::wstring& sub : SubKeys(id)) out.subKeys.push_back(keys_.at(sub).name);
    return kRegSuccess;
  }

  // Test controls.
  void Put(RegRoot root, const std::wstring& path, RegValue value) {
    std::wstring id = Id(root, {});
    for (const std::wstring& name : Names(path))
      if (keys_.count(id += L"\\" + Fold(name)) == 0) keys_[id].name = name;
    keys_[id].values[Fold(value.name)] = std::move(value);
  }
  void PutString(RegRoot root, const std::wstring& path, const std::wstring& name, const std::wstring& text) {
    Put(root, path, {name, kRegSz, RegStringData(text)});
  }
  void PutDword(RegRoot root, const std::wstring& path, const std::wstring& name, std::int32_t n) {
    Put(root, path, {name, kRegDword, RegDwordData(n)});
  }
  // Nothing at or below the key can be created, changed or deleted.
  void DenyWrites(RegRoot root, const std::wstring& path = {}) { readOnly_.insert(Id(root, path)); }
  std::optional<std::wstring> GetString(RegRoot root, const std::wstring& path, const std::wstring& name) const {
    RegValue v;
    if (QueryValue(root, path, name, v) != kRegSuccess || v.type != kRegSz) return std::nullopt;
    return RegDataText(v.data);
  }

  int changes = 0;  // calls that change something, or try to

 private:
  struct Key {
    std::wstring name;
    std::map<std::wstring, RegValue> values;  // by folded name
  };

  // The key names of a path; a doubled or trailing backslash names nothing.
  static std::vector<std::wstring> Names(const std::wstring& path) {
    std::vector<std::wstring> names(1);
    for (wchar_t c : path)
      if (c == L'\\')
        names.emplace_back();
      else
        names.back().push_back(c);
    std::erase(names, std::wstring());
    return names;
  }
  // The root's number and the folded key names.
  static std::wstring Id(RegRoot root, const std::wstring& path) {
    std::wstring id = std::to_wstring(static_cast<std::uint32_t>(root));
    for (const std::wstring& name : Names(path)) id += L"\\" + Fold(name);
    return id;
  }
  static std::wstring Parent(const std::wstring& id) { return id.substr(0, id.rfind(L'\\')); }
  static bool IsRoot(const std::wstring& id) { return id.find(L'\\') == std::wstring::npos; }
  bool Has(const std::wstring& id) const { return IsRoot(id) || keys_.count(id); }
  bool ReadOnly(std::wstring id) const {
    for (;; id = Parent(id))
      if (readOnly_.count(id) || IsRoot(id)) return readOnly_.count(id) != 0;
  }
  std::vector<std::wstring> SubKeys(const std::wstring& id) const {
    std::vector<std::wstring> out;
    for (const auto& [other, key] : keys_)
      if (!IsRoot(other) && Parent(other) == id) out.push_back(other);
    return out;
  }
  RegResult Write(RegRoot root, const std::wstring& subKey, RegValue value) {
    ++changes;
    std::wstring id = Id(root, subKey), existing = id;
    while (!Has(existing)) existing = Parent(existing);
    if (existing != id && ReadOnly(existing)) return {kRegInvalidHandle, kRegAccessDenied};
    if (ReadOnly(id)) return {kRegAccessDenied};
    Put(root, subKey, std::move(value));
    return {};
  }

  std::map<std::wstring, Key> keys_;  // by Id; roots are not stored
  std::set<std::wstring> readOnly_;
};

}  // namespace vexa::fakes
