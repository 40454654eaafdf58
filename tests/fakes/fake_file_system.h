#pragma once
// In-memory stand-ins for the platform interfaces, for host tests.
#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace vexa::fakes {

// Windows compares file names without regard to case.
inline std::wstring FoldCase(std::wstring_view s) {
  std::wstring out(s);
  std::transform(out.begin(), out.end(), out.begin(), [](wchar_t c) { return std::towupper(c); });
  return out;
}

// A tree of files and folders in memory. Folders list their entries in the
// order they were made, as a real folder lists them in its own order.
class FakeFileSystem : public FileSystem {
 public:
  struct File {
    Path path;  // as first created
    std::string bytes;
    bool folder = false;
    bool link = false;      // a junction or symbolic link
    bool readOnly = false;  // a plain delete fails
    bool hidden = false;
    bool locked = false;    // held open by another program: no delete, no attribute change
    std::uint64_t made = 0;
  };

  bool Exists(const Path& path) const override { return files_.count(FoldCase(path)) != 0; }

  bool Append(const Path& path, std::string_view bytes) override {
    ++opens;
    if (Denied(path)) return false;
    auto& f = files_[FoldCase(path)];
    if (f.path.empty()) {
      f.path = path;
      f.made = ++clock_;
    }
    f.bytes.append(bytes);
    return true;
  }

  bool WriteNew(const Path& path, std::string_view bytes) override {
    ++opens;
    if (Denied(path)) return false;
    files_[FoldCase(path)] = File{path, std::string(bytes)};
    files_[FoldCase(path)].made = ++clock_;
    return true;
  }

  bool ListFolder(const Path& folder, std::vector<FolderEntry>& entries) const override {
    entries.clear();
    auto it = files_.find(FoldCase(Trimmed(folder)));
    if (it == files_.end() || !it->second.folder || unreadable_.count(it->first)) return false;
    std::vector<const File*> inside;
    for (const auto& [key, f] : files_)
      if (FoldCase(Parent(f.path)) == it->first) inside.push_back(&f);
    std::sort(inside.begin(), inside.end(), [](const File* a, const File* b) { return a->made < b->made; });
    for (const File* f : inside) entries.push_back({Name(f->path), f->folder, f->link});
    return true;
  }

  std::wstring TypeDescription(const Path& path) const override {
    auto it = types_.find(FoldCase(path));
    if (it != types_.end()) return it->second;
    // Unregistered types read as the extension in capitals and " File".
    std::wstring name = Name(path);
    auto dot = name.rfind(L'.');
    if (dot == std::wstring::npos || dot + 1 == name.size()) return L"File";
    return FoldCase(name.substr(dot + 1)) + L" File";
  }

  bool SetNormalAttributes(const Path& path) override {
    attributeResets.push_back(path);
    File* f = Find(path);
    if (!f || f->locked) return false;
    f->readOnly = f->hidden = false;
    return true;
  }

  bool RemoveFile(const Path& path) override {
    removeAttempts.push_back(path);
    File* f = Find(path);
    if (!f || (f->folder && !f->link) || f->readOnly || f->locked) return false;
    files_.erase(FoldCase(path));  // a link goes alone: what it points at is elsewhere
    return true;
  }

  // Test controls.
  void Put(const Path& path, std::string bytes) {
    MakeParents(path);
    auto& f = files_[FoldCase(path)];
    f = File{path, std::move(bytes)};
    f.made = ++clock_;
  }
  void PutFolder(const Path& path) {
    MakeParents(path);
    auto& f = files_[FoldCase(path)];
    if (f.path.empty()) f = File{path, {}, true};
    f.folder = true;
    if (!f.made) f.made = ++clock_;
  }
  // A link to a folder elsewhere (a junction).
  void PutFolderLink(const Path& path) {
    PutFolder(path);
    files_[FoldCase(path)].link = true;
  }
  void Remove(const Path& path) { files_.erase(FoldCase(path)); }
  void DenyWrites(const Path& path) { denied_.insert(FoldCase(path)); }
  void AllowWrites(const Path& path) { denied_.erase(FoldCase(path)); }
  void MakeUnreadable(const Path& folder) { unreadable_.insert(FoldCase(folder)); }
  void SetType(const Path& path, std::wstring description) { types_[FoldCase(path)] = std::move(description); }
  File* Find(const Path& path) {
    auto it = files_.find(FoldCase(path));
    return it == files_.end() ? nullptr : &it->second;
  }
  std::string Read(const Path& path) const {
    auto it = files_.find(FoldCase(path));
    return it == files_.end() ? std::string() : it->second.bytes;
  }

  int opens = 0;
  std::vector<Path> removeAttempts;
  std::vector<Path> attributeResets;

 private:
  static std::wstring Trimmed(const Path& path) {
    std::wstring p = path;
    while (p.size() > 1 && (p.back() == L'\\' || p.back() == L'/')) p.pop_back();
    return p;
  }
  static std::wstring Parent(const Path& path) {
    auto cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
  }
  static std::wstring Name(const Path& path) {
    auto cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos ? path : path.substr(cut + 1);
  }
  void MakeParents(const Path& path) {
    std::wstring parent = Parent(path);
    if (parent.empty() || files_.count(FoldCase(parent))) return;
    MakeParents(parent);
    auto& f = files_[FoldCase(parent)];
    f = File{parent, {}, true};
    f.made = ++clock_;
  }
  bool Denied(const Path& path) const { return denied_.count(FoldCase(path)) != 0; }

  std::map<std::wstring, File> files_;
  std::set<std::wstring> denied_;
  std::set<std::wstring> unreadable_;
  std::map<std::wstring, std::wstring> types_;
  std::uint64_t clock_ = 0;
};

}  // namespace vexa::fakes
