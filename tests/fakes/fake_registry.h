#pragma once
// An in-memory registry with the real one's rules: names compare without
// regard to case, writes create the whole key path, deletions only open, a
// key with sub-keys cannot be deleted, and keys can be made read-only or
// unreadable (as for a standard user).
#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "tests/fakes/fake_platform.h"

namespace vexa::fakes {

class FakeRegistry : public Registry {
 public:
  FakeRegistry() {
    for (RegRoot root : {RegRoot::ClassesRoot, RegRoot::CurrentUser, RegRoot::LocalMachine, RegRoot::Users})
      keys_[Id(root, {})];
  }

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
    if (!keys_.count(id)) return {kRegInvalidHandle, kRegFileNotFound};
    if (ReadOnly(id)) return {kRegAccessDenied, kRegSuccess};
    return {keys_[id].values.erase(Fold(name)) ? kRegSuccess : kRegFileNotFound, kRegSuccess};
  }
  RegResult DeleteKey(RegRoot root, const std::wstring& subKey, const std::wstring& keyName) override {
    ++changes;
    const std::wstring id = Id(root, subKey), target = Id(root, subKey + L"\\" + keyName);
    if (!keys_.count(id)) return {kRegInvalidHandle, kRegFileNotFound};
    if (!keys_.count(target)) return {kRegFileNotFound, kRegSuccess};
    if (ReadOnly(target) || !SubKeys(target).empty()) return {kRegAccessDenied, kRegSuccess};
    keys_.erase(target);
    return {};
  }
  RegStatus QueryValue(RegRoot root, const std::wstring& subKey, const std::wstring& name,
                       RegValue& out) const override {
    const Key* key = Readable(Id(root, subKey));
    if (!key) return keys_.count(Id(root, subKey)) ? kRegAccessDenied : kRegFileNotFound;
    auto it = key->values.find(Fold(name));
    if (it == key->values.end()) return kRegFileNotFound;
    out = it->second;
    return kRegSuccess;
  }
  RegStatus EnumerateKey(RegRoot root, const std::wstring& subKey, RegKeyContents& out) const override {
    const std::wstring id = Id(root, subKey);
    const Key* key = Readable(id);
    if (!key) return keys_.count(id) ? kRegAccessDenied : kRegFileNotFound;
    out = {};
    for (const auto& [folded, value] : key->values) out.values.push_back(value);
    for (const std::wstring& sub : SubKeys(id)) out.subKeys.push_back(keys_.at(sub).name);
    return kRegSuccess;
  }

  // Test controls.
  void Put(RegRoot root, const std::wstring& path, RegValue value) {
    Make(root, path).values[Fold(value.name)] = std::move(value);
  }
  void PutString(RegRoot root, const std::wstring& path, const std::wstring& name, const std::wstring& text) {
    Put(root, path, {name, kRegSz, RegStringData(text)});
  }
  void PutDword(RegRoot root, const std::wstring& path, const std::wstring& name, std::int32_t n) {
    Put(root, path, {name, kRegDword, RegDwordData(n)});
  }
  // Nothing at or below the key can be created, changed or deleted.
  void DenyWrites(RegRoot root, const std::wstring& path = {}) { readOnly_.insert(Id(root, path)); }
  // The key's values and sub-key names cannot be read.
  void DenyReads(RegRoot root, const std::wstring& path) { unreadable_.insert(Id(root, path)); }
  std::optional<std::wstring> GetString(RegRoot root, const std::wstring& path, const std::wstring& name) const {
    RegValue v;
    if (QueryValue(root, path, name, v) != kRegSuccess || v.type != kRegSz) return std::nullopt;
    return RegDataText(v.data);
  }

  int changes = 0;  // calls that change something (or try to)

 private:
  struct Key {
    std::wstring name;
    std::map<std::wstring, RegValue> values;  // by folded name
  };

  // The root's number and the folded key names, empty names left out.
  static std::wstring Id(RegRoot root, const std::wstring& path) {
    std::wstring id = std::to_wstring(static_cast<std::uint32_t>(root));
    std::size_t start = 0;
    for (std::size_t cut; start <= path.size(); start = cut + 1) {
      cut = std::min(path.find(L'\\', start), path.size());
      if (cut > start) id += L"\\" + Fold(path.substr(start, cut - start));
    }
    return id;
  }
  static std::wstring Parent(const std::wstring& id) { return id.substr(0, id.rfind(L'\\')); }
  bool ReadOnly(std::wstring id) const {
    for (;; id = Parent(id)) {
      if (readOnly_.count(id)) return true;
      if (id.find(L'\\') == std::wstring::npos) return false;
    }
  }
  const Key* Readable(const std::wstring& id) const {
    auto it = keys_.find(id);
    return it == keys_.end() || unreadable_.count(id) ? nullptr : &it->second;
  }
  std::vector<std::wstring> SubKeys(const std::wstring& id) const {
    std::vector<std::wstring> out;
    for (const auto& [other, key] : keys_)
      if (other.find(L'\\') != std::wstring::npos && Parent(other) == id) out.push_back(other);
    return out;
  }
  // The key and every missing key above it, named as the path spells them.
  Key& Make(RegRoot root, const std::wstring& path) {
    std::wstring id = Id(root, {});
    std::size_t start = 0;
    for (std::size_t cut; start <= path.size(); start = cut + 1) {
      cut = std::min(path.find(L'\\', start), path.size());
      if (cut == start) continue;
      id += L"\\" + Fold(path.substr(start, cut - start));
      if (!keys_.count(id)) keys_[id].name = path.substr(start, cut - start);
    }
    return keys_[id];
  }
  RegResult Write(RegRoot root, const std::wstring& subKey, RegValue value) {
    ++changes;
    const std::wstring id = Id(root, subKey);
    std::wstring existing = id;
    while (!keys_.count(existing) && existing.find(L'\\') != std::wstring::npos) existing = Parent(existing);
    if (existing != id && ReadOnly(existing)) return {kRegInvalidHandle, kRegAccessDenied};
    if (ReadOnly(id)) return {kRegAccessDenied, kRegSuccess};
    Put(root, subKey, std::move(value));
    return {};
  }

  std::map<std::wstring, Key> keys_;  // by Id
  std::set<std::wstring> readOnly_, unreadable_;
};

}  // namespace vexa::fakes
