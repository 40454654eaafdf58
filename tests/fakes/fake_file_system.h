#pragma once
// In-memory stand-ins for the platform interfaces, for host tests.
#include <algorithm>
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

class FakeFileSystem : public FileSystem {
 public:
  struct File {
    Path path;  // as first created
    std::string bytes;
  };

  bool Exists(const Path& path) const override { return files_.count(FoldCase(path)) != 0; }

  bool Append(const Path& path, std::string_view bytes) override {
    ++opens;
    if (Denied(path)) return false;
    auto& f = files_[FoldCase(path)];
    if (f.path.empty()) f.path = path;
    f.bytes.append(bytes);
    return true;
  }

  bool WriteNew(const Path& path, std::string_view bytes) override {
    ++opens;
    if (Denied(path)) return false;
    files_[FoldCase(path)] = File{path, std::string(bytes)};
    return true;
  }

  // Test controls.
  void Put(const Path& path, std::string bytes) { files_[FoldCase(path)] = File{path, std::move(bytes)}; }
  void Remove(const Path& path) { files_.erase(FoldCase(path)); }
  void DenyWrites(const Path& path) { denied_.insert(FoldCase(path)); }
  void AllowWrites(const Path& path) { denied_.erase(FoldCase(path)); }
  std::string Read(const Path& path) const {
    auto it = files_.find(FoldCase(path));
    return it == files_.end() ? std::string() : it->second.bytes;
  }

  int opens = 0;

 private:
  bool Denied(const Path& path) const { return denied_.count(FoldCase(path)) != 0; }
  std::map<std::wstring, File> files_;
  std::set<std::wstring> denied_;
};

}  // namespace vexa::fakes
