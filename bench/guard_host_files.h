#pragma once
// The file reads of FileSystem on a POSIX host, for the marker benchmarks:
// lengths and heads of files read with open/read. Nothing else is needed, so
// the rest does nothing; no processes either.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "platform/file_system.h"
#include "platform/process_table.h"
#include "platform/text.h"

namespace vexa::bench {

class HostFiles : public FileSystem {
 public:
  bool Exists(const Path& path) const override { return FileLength(path).has_value(); }
  bool Append(const Path&, std::string_view) override { return false; }
  bool WriteNew(const Path&, std::string_view) override { return false; }
  bool CreateNew(const Path&, std::string_view) override { return false; }
  bool ListFolder(const Path&, std::vector<FolderEntry>&) const override { return false; }
  std::wstring TypeDescription(const Path&) const override { return {}; }
  bool SetNormalAttributes(const Path&) override { return false; }
  bool RemoveFile(const Path&) override { return false; }
  std::wstring StoredFileName(const Path& path) const override { return path.substr(path.find_last_of(L'/') + 1); }

  std::optional<std::uint64_t> FileLength(const Path& path) const override {
    struct stat st;
    if (stat(ToUtf8(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
  }
  bool ReadHead(const Path& path, std::uint64_t limit, char* buffer, std::size_t room,
                const ChunkTaker& take) const override {
    int fd = open(ToUtf8(path).c_str(), O_RDONLY);
    if (fd < 0) return false;
    bool ok = true;
    while (limit > 0) {
      ssize_t n = read(fd, buffer, static_cast<std::size_t>(std::min<std::uint64_t>(room, limit)));
      if (n <= 0) {
        ok = n == 0;
        break;
      }
      limit -= static_cast<std::uint64_t>(n);
      if (!take(static_cast<std::size_t>(n))) break;
    }
    close(fd);
    return ok;
  }
};

class NoProcesses : public ProcessTable {
 public:
  std::vector<ProcessEntry> Snapshot() const override { return {}; }
  std::unique_ptr<OpenedProcess> Open(ProcessId) override { return nullptr; }
  ProcessId CurrentId() const override { return 0; }
  std::wstring WindowsFolder() const override { return {}; }
};

}  // namespace vexa::bench
