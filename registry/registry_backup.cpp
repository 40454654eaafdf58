#include "registry/registry_backup.h"

#include <cstdio>
#include <set>
#include <utility>

#include "platform/text.h"

namespace vexa::registry {

namespace {

constexpr int kMaxDepth = 512;  // deeper than the registry allows

std::wstring Join(const std::wstring& path, const std::wstring& name) {
  if (path.empty()) return name;
  if (name.empty()) return path;
  return path + L"\\" + name;
}

std::wstring Identity(RegRoot root, const std::wstring& path, const std::wstring& name) {
  return std::to_wstring(static_cast<std::uint32_t>(root)) + L"\\" + FoldCase(path) + L"\\\\" + FoldCase(name);
}

std::wstring Escape(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size() + 2);
  for (wchar_t c : text) {
    if (c == L'\\' || c == L'"') out.push_back(L'\\');
    out.push_back(c);
  }
  return out;
}

bool HasControl(const std::wstring& text) {
  for (wchar_t c : text)
    if (static_cast<std::uint32_t>(c) < 0x20) return true;
  return false;
}

// A string value that the quoted form restores byte for byte: the text, one
// terminating NUL, no NUL or control character inside.
bool IsPlainString(const RegValue& v) {
  const auto& d = v.data;
  if (d.size() < 2 || d.size() % 2 != 0 || d[d.size() - 1] != 0 || d[d.size() - 2] != 0) return false;
  for (std::size_t i = 0; i + 2 < d.size(); i += 2) {
    unsigned unit = d[i] | (d[i + 1] << 8);
    if (unit < 0x20) return false;
  }
  return true;
}

std::wstring Hex2(unsigned byte) {
  static const wchar_t* digits = L"0123456789abcdef";
  return {digits[(byte >> 4) & 0xF], digits[byte & 0xF]};
}

std::wstring HexNumber(std::uint32_t n, int width) {
  wchar_t buf[16];
  std::swprintf(buf, 16, width ? L"%08x" : L"%x", static_cast<unsigned>(n));
  return buf;
}

// name=data, hex data wrapped the way the registry editor writes it.
std::wstring ValueLine(const RegValue& v) {
  std::wstring line = v.name.empty() ? std::wstring(L"@") : L"\"" + Escape(v.name) + L"\"";
  line += L"=";
  if (v.type == kRegSz && IsPlainString(v)) return line + L"\"" + Escape(RegDataText(v.data)) + L"\"";
  if (v.type == kRegDword && v.data.size() == 4) {
    std::uint32_t n = v.data[0] | (v.data[1] << 8) | (v.data[2] << 16) | (static_cast<std::uint32_t>(v.data[3]) << 24);
    return line + L"dword:" + HexNumber(n, 8);
  }
  line += v.type == kRegBinary ? std::wstring(L"hex:") : L"hex(" + HexNumber(v.type, 0) + L"):";
  std::size_t col = line.size();
  for (std::size_t i = 0; i < v.data.size(); ++i) {
    line += Hex2(v.data[i]);
    col += 2;
    if (i + 1 < v.data.size()) {
      line += L",";
      ++col;
      if (col > 76) {
        line += L"\\\r\n  ";
        col = 2;
      }
    }
  }
  return line;
}

std::wstring KeyHeader(RegRoot root, const std::wstring& path) {
  return L"[" + std::wstring(RootName(root)) + (path.empty() ? L"" : L"\\" + path) + L"]";
}

}  // namespace

std::wstring NormalizeKeyPath(const std::wstring& path) {
  std::wstring out;
  for (wchar_t c : path) {
    if (c == L'\\' && (out.empty() || out.back() == L'\\')) continue;
    out.push_back(c);
  }
  while (!out.empty() && out.back() == L'\\') out.pop_back();
  return out;
}

void RegistrySnapshot::SaveValue(RegRoot root, const std::wstring& key, RegValue value, bool existed) {
  for (const auto& v : values_)
    if (v.root == root && FoldCase(v.key) == FoldCase(key) && FoldCase(v.value.name) == FoldCase(value.name)) return;
  values_.push_back({root, key, std::move(value), existed});
}

void RegistrySnapshot::NoteUnsaved(RegRoot root, const std::wstring& path, const std::wstring& name, RegStatus status) {
  std::wstring where = std::wstring(RootName(root)) + L"\\" + path;
  if (!name.empty()) where += L" : " + name;
  unsaved_.push_back(L"; not saved (error " + std::to_wstring(status) + L"): " + where);
}

RegistrySnapshot RegistrySnapshot::Capture(const Registry& registry, std::span<const RepairStep> steps,
                                           const std::wstring& systemDirectory) {
  RegistrySnapshot snap;
  snap.unchanged_.assign(steps.size(), false);
  snap.keepsSubKeys_.assign(steps.size(), false);
  std::set<std::wstring> createdIds, treeIds;

  // A key and its whole subtree; false when some of it could not be read.
  auto readTree = [&](auto& self, RegRoot root, const std::wstring& path, SavedKey& into, int depth) -> RegStatus {
    RegKeyContents contents;
    RegStatus status = registry.EnumerateKey(root, path, contents);
    if (status != kRegSuccess) return status;
    into.path = path;
    into.values = std::move(contents.values);
    into.hasSubKeys = !contents.subKeys.empty();
    if (depth >= kMaxDepth) return kRegSuccess;
    for (const auto& sub : contents.subKeys) {
      SavedKey child;
      std::wstring childPath = Join(path, sub);
      RegStatus s = self(self, root, childPath, child, depth + 1);
      if (s == kRegSuccess)
        into.subKeys.push_back(std::move(child));
      else if (s != kRegFileNotFound)
        snap.NoteUnsaved(root, childPath, {}, s);
    }
    return kRegSuccess;
  };

  for (std::size_t i = 0; i < steps.size(); ++i) {
    const RepairStep& step = steps[i];
    const std::wstring key = NormalizeKeyPath(step.keyPath);
    const std::wstring name = step.name;

    if (step.action == RepairAction::DeleteKey) {
      // The key comes back under its own spelling, whatever case the step uses.
      std::wstring stored = name;
      RegKeyContents parent;
      if (registry.EnumerateKey(step.root, key, parent) == kRegSuccess)
        for (const auto& sub : parent.subKeys)
          if (FoldCase(sub) == FoldCase(name)) stored = sub;
      std::wstring path = NormalizeKeyPath(Join(key, stored));
      SavedTree tree{step.root, {}};
      RegStatus s = readTree(readTree, step.root, path, tree.key, 0);
      if (s == kRegFileNotFound) {
        snap.unchanged_[i] = true;
      } else if (s != kRegSuccess) {
        snap.NoteUnsaved(step.root, path, {}, s);
      } else {
        snap.keepsSubKeys_[i] = tree.key.hasSubKeys;
        if (treeIds.insert(Identity(step.root, path, {})).second) snap.trees_.push_back(std::move(tree));
      }
      continue;
    }

    RegValue before;
    RegStatus s = registry.QueryValue(step.root, key, name, before);
    if (s == kRegSuccess) {
      before.name = name;
      if (step.action == RepairAction::SetString)
        // Windows keeps its own spelling ("explorer.exe" where the catalogue
        // writes "Explorer.exe"): the same text in other case needs no change.
        snap.unchanged_[i] = before.type == kRegSz &&
                             FoldCase(RegDataText(before.data)) == FoldCase(RepairText(step, systemDirectory));
      else if (step.action == RepairAction::SetNumber)
        snap.unchanged_[i] = before.type == kRegDword && before.data == RegDwordData(step.number);
      snap.SaveValue(step.root, key, std::move(before), true);
      continue;
    }
    if (s != kRegFileNotFound) {
      snap.NoteUnsaved(step.root, key, name, s);
      continue;
    }
    if (!IsWrite(step)) {  // nothing there to delete
      snap.unchanged_[i] = true;
      continue;
    }
    // A write of a value that does not exist yet: delete it again, or, when
    // its key is missing too, the first key of the path the write creates.
    RegKeyContents contents;
    RegStatus ks = registry.EnumerateKey(step.root, key, contents);
    if (ks == kRegSuccess) {
      snap.SaveValue(step.root, key, RegValue{name, kRegNone, {}}, false);
      continue;
    }
    if (ks != kRegFileNotFound) {
      snap.NoteUnsaved(step.root, key, name, ks);
      continue;
    }
    std::wstring prefix;
    bool missing = false;
    for (std::size_t start = 0;;) {
      std::size_t cut = key.find(L'\\', start);
      prefix = key.substr(0, cut);
      RegKeyContents probe;
      missing = registry.EnumerateKey(step.root, prefix, probe) == kRegFileNotFound;
      if (missing || cut == std::wstring::npos) break;
      start = cut + 1;
    }
    if (!missing)  // the key has appeared meanwhile
      snap.SaveValue(step.root, key, RegValue{name, kRegNone, {}}, false);
    else if (createdIds.insert(Identity(step.root, prefix, {})).second)
      snap.created_.push_back({step.root, prefix});
  }
  return snap;
}

std::wstring RegistrySnapshot::RegFileText() const {
  const std::wstring nl = L"\r\n";
  std::wstring out = L"Windows Registry Editor Version 5.00" + nl + nl;
  for (const auto& line : unsaved_) out += line + nl;
  if (!unsaved_.empty()) out += nl;

  // Keys the run creates go first, so that nothing below restores into them.
  for (const auto& c : created_) out += L"[-" + KeyHeader(c.root, c.path).substr(1) + nl + nl;

  auto writeTree = [&](auto& self, RegRoot root, const SavedKey& key) -> void {
    out += KeyHeader(root, key.path) + nl;
    for (const auto& v : key.values) {
      if (HasControl(v.name)) {
        out += L"; value name with control characters not saved" + nl;
        continue;
      }
      out += ValueLine(v) + nl;
    }
    out += nl;
    for (const auto& sub : key.subKeys) self(self, root, sub);
  };
  for (const auto& t : trees_) writeTree(writeTree, t.root, t.key);

  // Values, grouped by key in the order the steps first reach them.
  std::vector<bool> done(values_.size(), false);
  for (std::size_t i = 0; i < values_.size(); ++i) {
    if (done[i]) continue;
    out += KeyHeader(values_[i].root, values_[i].key) + nl;
    for (std::size_t j = i; j < values_.size(); ++j) {
      if (done[j] || values_[j].root != values_[i].root || FoldCase(values_[j].key) != FoldCase(values_[i].key)) continue;
      done[j] = true;
      const SavedValue& v = values_[j];
      if (HasControl(v.value.name)) {
        out += L"; value name with control characters not saved" + nl;
      } else if (v.existed) {
        out += ValueLine(v.value) + nl;
      } else {
        out += (v.value.name.empty() ? std::wstring(L"@") : L"\"" + Escape(v.value.name) + L"\"") + L"=-" + nl;
      }
    }
    out += nl;
  }
  return out;
}

std::string RegistrySnapshot::RegFileBytes() const {
  std::string bytes = "\xFF\xFE";
  AppendUtf16Le(bytes, RegFileText());
  return bytes;
}

std::wstring BackupFileName(const LocalTime& t) {
  wchar_t buf[64];
  std::swprintf(buf, 64, L"VexaRegBackup-%04d%02d%02d-%02d%02d%02d.reg", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return buf;
}

int CountUnrepaired(std::span<const RepairStep> steps, const std::vector<RegResult>& results,
                    const RegistrySnapshot& before) {
  std::set<std::wstring> failed;
  for (std::size_t i = 0; i < steps.size() && i < results.size(); ++i) {
    if (!results[i].AccessDenied() || before.NothingToChange(i) || before.KeyKeepsSubKeys(i)) continue;
    failed.insert(Identity(steps[i].root, NormalizeKeyPath(steps[i].keyPath), steps[i].name));
  }
  return static_cast<int>(failed.size());
}

}  // namespace vexa::registry
