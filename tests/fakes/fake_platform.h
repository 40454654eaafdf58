#pragma once
// In-memory stand-ins for the platform interfaces, for host tests.
#include <algorithm>
#include <cwctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/shell.h"

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

class FakeClock : public Clock {
 public:
  std::wstring ShortDate() const override { return shortDate; }
  LocalTime Now() const override { return now; }
  std::uint64_t MonotonicMs() const override { return ms; }

  std::wstring shortDate = L"05/12/2026";
  LocalTime now{2026, 12, 5, 14, 30, 15};
  std::uint64_t ms = 0;
};

class FakeEnvironment : public Environment {
 public:
  std::wstring Get(std::wstring_view name) const override {
    auto it = vars.find(FoldCase(name));
    return it == vars.end() ? std::wstring() : it->second;
  }
  std::wstring ExecutablePath() const override { return exePath; }

  void Set(std::wstring_view name, std::wstring value) { vars[FoldCase(name)] = std::move(value); }

  std::map<std::wstring, std::wstring> vars;
  std::wstring exePath = L"C:\\Program Files\\Vexa\\VexaUtility.exe";
};

class FakeShell : public Shell {
 public:
  struct Call {
    std::wstring file, folder;
  };
  void OpenDocument(const std::wstring& file, const std::wstring& folder) override {
    opened.push_back({file, folder});
  }
  std::vector<Call> opened;
};

class FakeDesktop : public Desktop {
 public:
  std::vector<WindowInfo> TopLevelWindows() const override { return windows; }
  WindowId Foreground() const override { return foreground; }
  std::wstring Title(WindowId id) const override {
    for (const auto& w : windows)
      if (w.id == id) return w.title;
    return {};
  }
  void RequestClose(WindowId id) override { closed.push_back(id); }

  std::vector<WindowInfo> windows;
  WindowId foreground = 0;
  std::vector<WindowId> closed;
};

}  // namespace vexa::fakes
