#pragma once
// An in-memory process table with its files, for host tests.
#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/process_table.h"
#include "tests/fakes/fake_file_system.h"

namespace vexa::fakes {

class FakeProcessTable : public ProcessTable {
 public:
  struct Process {
    std::wstring exeName;
    ProcessId id = 0;
    std::wstring imagePath;  // as the system would report it; empty: not readable
    bool critical = false;
  };

  std::vector<ProcessEntry> Snapshot() const override {
    ++snapshots;
    std::vector<ProcessEntry> out;
    for (const auto& p : processes) out.push_back({p.exeName, p.id});
    return out;
  }
  std::wstring ImagePath(ProcessId id) const override {
    const Process* p = Find(id);
    return p ? p->imagePath : std::wstring();
  }
  bool IsCritical(ProcessId id) const override {
    const Process* p = Find(id);
    return p && p->critical;
  }
  ProcessId CurrentId() const override { return selfId; }
  bool Terminate(ProcessId id) override {
    terminated.push_back(id);
    auto it = std::find_if(processes.begin(), processes.end(), [&](const Process& p) { return p.id == id; });
    if (it == processes.end()) return false;
    processes.erase(it);
    return true;
  }
  std::wstring WindowsFolder() const override { return windowsFolder; }

  bool PathExists(const std::wstring& path) const override {
    return files.count(FoldCase(path)) != 0 || folders.count(FoldCase(path)) != 0;
  }
  std::wstring StoredFileName(const std::wstring& path) const override {
    auto it = files.find(FoldCase(path));
    if (it == files.end()) return {};
    return it->second.path.substr(it->second.path.find_last_of(L'\\') + 1);
  }
  std::optional<std::uint64_t> FileLength(const std::wstring& path) const override {
    auto it = files.find(FoldCase(path));
    if (it == files.end()) return std::nullopt;
    return it->second.length ? it->second.length : it->second.bytes.size();
  }
  bool ReadHead(const std::wstring& path, std::uint64_t limit, char* buffer, std::size_t room,
                const ChunkTaker& take) const override {
    auto it = files.find(FoldCase(path));
    if (it == files.end() || unreadable.count(FoldCase(path))) return false;
    reads.push_back(path);
    const std::string& bytes = it->second.bytes;
    const std::size_t end = static_cast<std::size_t>(std::min<std::uint64_t>(limit, bytes.size()));
    const std::size_t piece = pieceBytes ? std::min(pieceBytes, room) : room;
    lastRead = 0;
    for (std::size_t at = 0; at < end;) {
      if (failAfter && at >= failAfter) return false;
      std::size_t n = std::min(piece, end - at);
      std::memcpy(buffer, bytes.data() + at, n);
      at += n;
      lastRead = at;
      if (!take(n)) break;
    }
    return true;
  }

  // Test controls.
  void AddProcess(std::wstring exeName, ProcessId id, std::wstring imagePath, bool isCritical = false) {
    processes.push_back({std::move(exeName), id, std::move(imagePath), isCritical});
  }
  // A file as stored (the path keeps its case); `length` overrides the size
  // the file reports, for files too large to hold.
  void PutFile(const std::wstring& path, std::string bytes, std::uint64_t length = 0) {
    files[FoldCase(path)] = File{path, std::move(bytes), length};
  }
  void PutFolder(const std::wstring& path) { folders.insert(FoldCase(path)); }
  bool Running(ProcessId id) const { return Find(id) != nullptr; }

  std::vector<Process> processes;
  std::wstring windowsFolder = L"C:\\Windows";
  ProcessId selfId = 7000;
  std::vector<ProcessId> terminated;
  std::set<std::wstring> unreadable;  // folded paths that cannot be opened
  std::size_t pieceBytes = 0;  // smaller pieces than the reader asks for
  std::size_t failAfter = 0;   // a read fails once this many bytes were read
  mutable std::vector<std::wstring> reads;
  mutable std::size_t lastRead = 0;  // bytes handed over from the last file
  mutable int snapshots = 0;

 private:
  struct File {
    std::wstring path;
    std::string bytes;
    std::uint64_t length = 0;
  };
  const Process* Find(ProcessId id) const {
    for (const auto& p : processes)
      if (p.id == id) return &p;
    return nullptr;
  }
  std::map<std::wstring, File> files;
  std::set<std::wstring> folders;
};

}  // namespace vexa::fakes
