#pragma once
// An in-memory registry with the rules of the real one: names compare without
// regard to case, writes create the whole key path, deletions only open, a key
// with sub-keys cannot be deleted, and a key path can be made read-only (as
// HKEY_LOCAL_MACHINE is for a standard user).
#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"
#include "tests/fakes/fake_file_system.h"

namespace vexa::fakes {

class FakeRegistry : public Registry {
 public:
  static constexpr RegStatus kBadPathname = 161;  // ERROR_BAD_PATHNAME

  struct Call {
    enum Kind { SetString, SetDword, DeleteValue, DeleteKey } kind;
    RegRoot root;
    std::wstring subKey, name;
    RegResult result;
  };

  // --- Registry ---

  RegResult SetString(RegRoot root, const std::wstring& subKey, const std::wstring& name,
                      const std::wstring& data) override {
    return Record(Call::SetString, root, subKey, name, Write(root, subKey, name, kRegSz, RegStringData(data)));
  }
  RegResult SetDword(RegRoot root, const std::wstring& subKey, const std::wstring& name, std::int32_t data) override {
    return Record(Call::SetDword, root, subKey, name, Write(root, subKey, name, kRegDword, RegDwordData(data)));
  }
  RegResult DeleteValue(RegRoot root, const std::wstring& subKey, const std::wstring& name) override {
    RegResult r;
    Key* key = Open(root, subKey, r.keyStatus);
    if (!key) {
      r.status = kRegInvalidHandle;
    } else if (ReadOnly(root, Split(subKey))) {
      r.status = kRegAccessDenied;  // the key opened for reading only
    } else {
      r.status = key->values.erase(FoldCase(name)) ? kRegSuccess : kRegFileNotFound;
    }
    return Record(Call::DeleteValue, root, subKey, name, r);
  }
  RegResult DeleteKey(RegRoot root, const std::wstring& subKey, const std::wstring& keyName) override {
    RegResult r;
    Key* parent = Open(root, subKey, r.keyStatus);
    if (!parent) {
      r.status = kRegInvalidHandle;
    } else {
      r.status = DeleteBelow(root, subKey, keyName);
    }
    return Record(Call::DeleteKey, root, subKey, keyName, r);
  }

  RegStatus QueryValue(RegRoot root, const std::wstring& subKey, const std::wstring& name,
                       RegValue& out) const override {
    ++reads;
    RegStatus status;
    const Key* key = Find(root, subKey, status);
    if (!key) return status;
    if (unreadable_.count(Id(root, Split(subKey)))) return kRegAccessDenied;
    auto it = key->values.find(FoldCase(name));
    if (it == key->values.end()) return kRegFileNotFound;
    out = it->second;
    return kRegSuccess;
  }
  RegStatus EnumerateKey(RegRoot root, const std::wstring& subKey, RegKeyContents& out) const override {
    ++reads;
    RegStatus status;
    const Key* key = Find(root, subKey, status);
    if (!key) return status;
    if (unreadable_.count(Id(root, Split(subKey)))) return kRegAccessDenied;
    out = {};
    for (const auto& [folded, value] : key->values) out.values.push_back(value);
    for (const auto& [folded, sub] : key->subKeys) out.subKeys.push_back(sub->name);
    return kRegSuccess;
  }

  // --- test controls ---

  void CreateKey(RegRoot root, const std::wstring& path) { Ensure(root, Split(path)); }
  void Put(RegRoot root, const std::wstring& path, RegValue value) {
    Key& key = Ensure(root, Split(path));
    key.values[FoldCase(value.name)] = std::move(value);
  }
  void PutString(RegRoot root, const std::wstring& path, const std::wstring& name, const std::wstring& text) {
    Put(root, path, RegValue{name, kRegSz, RegStringData(text)});
  }
  void PutDword(RegRoot root, const std::wstring& path, const std::wstring& name, std::int32_t n) {
    Put(root, path, RegValue{name, kRegDword, RegDwordData(n)});
  }
  // Nothing at or below the path can be created, changed or deleted.
  void DenyWrites(RegRoot root, const std::wstring& path = {}) { denied_.insert(Id(root, Split(path))); }
  // The key's values cannot be read (its sub-keys still can).
  void DenyReads(RegRoot root, const std::wstring& path) { unreadable_.insert(Id(root, Split(path))); }

  bool HasKey(RegRoot root, const std::wstring& path) const {
    RegStatus s;
    return Find(root, path, s) != nullptr;
  }
  std::optional<RegValue> Get(RegRoot root, const std::wstring& path, const std::wstring& name) const {
    RegStatus s;
    const Key* key = Find(root, path, s);
    if (!key) return std::nullopt;
    auto it = key->values.find(FoldCase(name));
    if (it == key->values.end()) return std::nullopt;
    return it->second;
  }
  std::optional<std::wstring> GetString(RegRoot root, const std::wstring& path, const std::wstring& name) const {
    auto v = Get(root, path, name);
    if (!v || v->type != kRegSz) return std::nullopt;
    return RegDataText(v->data);
  }
  std::optional<std::int32_t> GetDword(RegRoot root, const std::wstring& path, const std::wstring& name) const {
    auto v = Get(root, path, name);
    if (!v || v->type != kRegDword || v->data.size() != 4) return std::nullopt;
    return static_cast<std::int32_t>(v->data[0] | (v->data[1] << 8) | (v->data[2] << 16) |
                                     (static_cast<std::uint32_t>(v->data[3]) << 24));
  }
  std::size_t ValueCount(RegRoot root, const std::wstring& path) const {
    RegStatus s;
    const Key* key = Find(root, path, s);
    return key ? key->values.size() : 0;
  }

  // The whole tree as text, one line per key and value, for comparing states.
  std::wstring Dump() const {
    std::wstring out;
    for (const auto& [root, key] : roots_)
      if (!key.values.empty() || !key.subKeys.empty()) DumpKey(out, std::wstring(RootName(root)), key);
    return out;
  }

  std::vector<Call> calls;  // the changes, in order
  mutable int reads = 0;

 private:
  struct Key {
    std::wstring name;
    std::map<std::wstring, RegValue> values;               // by folded name
    std::map<std::wstring, std::unique_ptr<Key>> subKeys;  // by folded name
  };

  struct Parsed {
    std::vector<std::wstring> parts;
    bool bad = false;
  };

  // Key names between backslashes; empty names (a trailing or doubled
  // backslash) are skipped; a leading backslash is a bad path.
  static Parsed Split(const std::wstring& path) {
    Parsed p;
    if (!path.empty() && path[0] == L'\\') p.bad = true;
    std::wstring part;
    for (wchar_t c : path) {
      if (c == L'\\') {
        if (!part.empty()) p.parts.push_back(std::move(part));
        part.clear();
      } else {
        part.push_back(c);
      }
    }
    if (!part.empty()) p.parts.push_back(std::move(part));
    return p;
  }

  static std::wstring Id(RegRoot root, const Parsed& p) {
    std::wstring id = std::to_wstring(static_cast<std::uint32_t>(root));
    for (const auto& part : p.parts) id += L"\\" + FoldCase(part);
    return id;
  }

  // True when the key at these parts (existing or not) lies in a denied path.
  bool ReadOnly(RegRoot root, const Parsed& p) const {
    Parsed prefix;
    if (denied_.count(Id(root, prefix))) return true;
    for (const auto& part : p.parts) {
      prefix.parts.push_back(part);
      if (denied_.count(Id(root, prefix))) return true;
    }
    return false;
  }

  const Key* Find(RegRoot root, const std::wstring& path, RegStatus& status) const {
    static const Key kEmptyRoot;
    Parsed p = Split(path);
    if (p.bad) {
      status = kBadPathname;
      return nullptr;
    }
    auto r = roots_.find(root);
    const Key* key = r == roots_.end() ? &kEmptyRoot : &r->second;
    for (const auto& part : p.parts) {
      auto it = key->subKeys.find(FoldCase(part));
      if (it == key->subKeys.end()) {
        status = kRegFileNotFound;
        return nullptr;
      }
      key = it->second.get();
    }
    status = kRegSuccess;
    return key;
  }

  Key* Open(RegRoot root, const std::wstring& path, RegStatus& status) {
    roots_[root];
    return const_cast<Key*>(Find(root, path, status));
  }

  Key& Ensure(RegRoot root, const Parsed& p) {
    Key* key = &roots_[root];
    for (const auto& part : p.parts) {
      auto& slot = key->subKeys[FoldCase(part)];
      if (!slot) {
        slot = std::make_unique<Key>();
        slot->name = part;
      }
      key = slot.get();
    }
    return *key;
  }

  RegResult Write(RegRoot root, const std::wstring& path, const std::wstring& name, std::uint32_t type,
                  std::vector<std::uint8_t> data) {
    RegResult r;
    Parsed p = Split(path);
    if (p.bad) {
      r.keyStatus = kBadPathname;
      r.status = kRegInvalidHandle;
      return r;
    }
    // Creating a missing key needs write access to its parent; an existing
    // read-only key still opens, for reading.
    Key* key = &roots_[root];
    Parsed prefix;
    for (const auto& part : p.parts) {
      auto it = key->subKeys.find(FoldCase(part));
      if (it == key->subKeys.end()) {
        if (ReadOnly(root, prefix)) {
          r.keyStatus = kRegAccessDenied;
          r.status = kRegInvalidHandle;
          return r;
        }
        auto made = std::make_unique<Key>();
        made->name = part;
        it = key->subKeys.emplace(FoldCase(part), std::move(made)).first;
      }
      key = it->second.get();
      prefix.parts.push_back(part);
    }
    if (ReadOnly(root, p)) {
      r.status = kRegAccessDenied;
      return r;
    }
    auto& slot = key->values[FoldCase(name)];
    if (slot.name.empty()) slot.name = name;
    slot.type = type;
    slot.data = std::move(data);
    return r;
  }

  RegStatus DeleteBelow(RegRoot root, const std::wstring& subKey, const std::wstring& keyName) {
    Parsed target = Split(subKey);
    Parsed below = Split(keyName);
    target.parts.insert(target.parts.end(), below.parts.begin(), below.parts.end());
    if (target.parts.empty()) return kRegAccessDenied;  // a root cannot be deleted
    Key* parent = &roots_[root];
    for (std::size_t i = 0; i + 1 < target.parts.size(); ++i) {
      auto it = parent->subKeys.find(FoldCase(target.parts[i]));
      if (it == parent->subKeys.end()) return kRegFileNotFound;
      parent = it->second.get();
    }
    auto it = parent->subKeys.find(FoldCase(target.parts.back()));
    if (it == parent->subKeys.end()) return kRegFileNotFound;
    if (ReadOnly(root, target) || !it->second->subKeys.empty()) return kRegAccessDenied;
    parent->subKeys.erase(it);
    return kRegSuccess;
  }

  RegResult Record(Call::Kind kind, RegRoot root, const std::wstring& subKey, const std::wstring& name, RegResult r) {
    calls.push_back({kind, root, subKey, name, r});
    return r;
  }

  static void DumpKey(std::wstring& out, const std::wstring& path, const Key& key) {
    out += L"[" + path + L"]\n";
    for (const auto& [folded, v] : key.values) {
      out += L"  " + v.name + L" type " + std::to_wstring(v.type) + L":";
      for (auto b : v.data) out += L" " + std::to_wstring(b);
      out += L"\n";
    }
    for (const auto& [folded, sub] : key.subKeys) DumpKey(out, path + L"\\" + sub->name, *sub);
  }

  std::map<RegRoot, Key> roots_;
  std::set<std::wstring> denied_;
  std::set<std::wstring> unreadable_;
};

}  // namespace vexa::fakes
