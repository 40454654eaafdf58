#pragma once
// In-memory files, clock and environment for host tests.
#include <algorithm>
#include <cstring>
#include <cwctype>
#include <list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/environment.h"
#include "platform/file_system.h"

namespace vexa::fakes {

// Windows compares names without regard to case.
inline std::wstring Fold(std::wstring_view s) {
  std::wstring out(s);
  for (auto& c : out) c = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
  return out;
}

// Files and folders by full path, listed in the order they were made.
class FakeFileSystem : public FileSystem {
 public:
  struct File {
    Path path;  // as made
    std::string bytes;
    bool folder = false;
    bool readOnly = false;  // a plain delete is refused until the attributes are reset
    bool locked = false;    // open elsewhere: neither deleted nor changed
    std::wstring type = L"TMP File";
    std::optional<std::uint64_t> length;  // reported instead of the size of `bytes`
  };

  bool Exists(const Path& p) const override { return !existsSaysMissing && Find(p); }
  bool Append(const Path& p, std::string_view b) override {
    appends.push_back(p);
    return !denied.count(Key(p)) && (Make(p).bytes.append(b), true);
  }
  bool WriteNew(const Path& p, std::string_view b) override {
    return !denied.count(Key(p)) && (Make(p).bytes.assign(b), true);
  }
  bool CreateNew(const Path& p, std::string_view b) override { return !Find(p) && WriteNew(p, b); }
  bool ListFolder(const Path& folder, std::vector<FolderEntry>& out) const override {
    out.clear();
    if (!Find(folder) || !Find(folder)->folder) return false;
    for (const File& f : files_)
      if (Key(Parent(f.path)) == Key(folder)) out.push_back({f.path.substr(f.path.rfind(L'\\') + 1), f.folder});
    return true;
  }
  std::wstring TypeDescription(const Path& p) const override { return Find(p) ? Find(p)->type : L""; }
  bool SetNormalAttributes(const Path& p) override {
    attributeResets.push_back(p);
    File* f = Find(p);
    if (!f || f->locked) return false;
    f->readOnly = false;
    return true;
  }
  bool RemoveFile(const Path& p) override {
    removeAttempts.push_back(p);
    File* f = Find(p);
    if (!f || f->folder || f->readOnly || f->locked) return false;
    files_.remove_if([&](const File& x) { return &x == f; });
    return true;
  }
  std::wstring StoredFileName(const Path& p) const override {
    const File* f = Find(p);
    return f && !f->folder ? f->path.substr(f->path.rfind(L'\\') + 1) : L"";
  }
  std::optional<std::uint64_t> FileLength(const Path& p) const override {
    const File* f = Find(p);
    return f && !f->folder ? f->length.value_or(f->bytes.size()) : std::optional<std::uint64_t>();
  }
  bool ReadHead(const Path& p, std::uint64_t limit, char* buffer, std::size_t room,
                const ChunkTaker& take) const override {
    ++reads;
    const File* f = Find(p);
    if (!f) return false;
    const std::size_t end = static_cast<std::size_t>(std::min<std::uint64_t>(limit, f->bytes.size()));
    for (std::size_t at = 0, n; at < end; at += n) {
      n = std::min({piece ? piece : room, room, end - at});
      std::memcpy(buffer, f->bytes.data() + at, n);
      if (!take(n)) break;
    }
    return true;
  }

  // Makes the file, and every missing folder above it.
  File& Put(const Path& p, std::string bytes = "x") {
    File& f = Make(p);
    f.bytes = std::move(bytes);
    return f;
  }
  File& PutFolder(const Path& p) {
    File& f = Make(p);
    f.folder = true;
    return f;
  }
  File* Find(const Path& p) {
    auto it = std::find_if(files_.begin(), files_.end(), [&](const File& f) { return Key(f.path) == Key(p); });
    return it == files_.end() ? nullptr : &*it;
  }
  const File* Find(const Path& p) const { return const_cast<FakeFileSystem*>(this)->Find(p); }
  std::string Read(const Path& p) const { return Find(p) ? Find(p)->bytes : ""; }
  static std::wstring Key(const Path& p) {
    std::wstring k = Fold(p);
    while (k.size() > 1 && k.back() == L'\\') k.pop_back();
    return k;
  }

  std::set<std::wstring> denied;  // keys of files that cannot be written
  bool existsSaysMissing = false;
  std::size_t piece = 0;  // read in pieces smaller than asked for
  std::vector<Path> appends, removeAttempts, attributeResets;
  mutable int reads = 0;

 private:
  static Path Parent(const Path& p) {
    const auto cut = p.rfind(L'\\');
    return cut == Path::npos ? Path() : p.substr(0, cut);
  }
  File& Make(Path p) {
    while (p.size() > 1 && p.back() == L'\\') p.pop_back();
    if (File* f = Find(p)) return *f;
    if (const Path up = Parent(p); !up.empty() && !Find(up)) PutFolder(up);
    return files_.emplace_back(File{p});
  }
  std::list<File> files_;
};

struct FakeClock : Clock {
  std::wstring ShortDate() const override { return shortDate; }
  LocalTime Now() const override { return now; }
  std::uint64_t MonotonicMs() const override { return ms += step; }
  std::wstring shortDate = L"05/12/2026";
  LocalTime now{2026, 12, 5, 14, 30, 15};
  mutable std::uint64_t ms = 0;
  std::uint64_t step = 0;  // added on every look
};

struct FakeEnvironment : Environment {
  std::wstring Get(std::wstring_view name) const override {
    auto it = vars.find(Fold(name));
    return it == vars.end() ? L"" : it->second;
  }
  std::wstring ExecutablePath() const override { return exePath; }
  void Set(std::wstring_view name, std::wstring value) { vars[Fold(name)] = std::move(value); }
  std::map<std::wstring, std::wstring> vars;
  std::wstring exePath = L"C:\\Program Files\\Vexa\\VexaUtility.exe";
};

}  // namespace vexa::fakes
