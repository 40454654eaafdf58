#pragma once
// The file half of ProcessTable on a POSIX host, for the marker benchmarks:
// lengths and heads of files read with open/read. The process half is empty.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "platform/process_table.h"
#include "platform/text.h"

namespace vexa::bench {

class HostFiles : public ProcessTable {
 public:
  std::vector<ProcessEntry> Snapshot() const override { return {}; }
  std::wstring ImagePath(ProcessId) const override { return {}; }
  bool IsCritical(ProcessId) const override { return false; }
  ProcessId CurrentId() const override { return 0; }
  bool Terminate(ProcessId) override { return false; }
  std::wstring WindowsFolder() const override { return {}; }

  bool PathExists(const std::wstring& path) const override {
    struct stat st;
    return stat(ToUtf8(path).c_str(), &st) == 0;
  }
  std::wstring StoredFileName(const std::wstring& path) const override {
    return path.substr(path.find_last_of(L'/') + 1);
  }
  std::optional<std::uint64_t> FileLength(const std::wstring& path) const override {
    struct stat st;
    if (stat(ToUtf8(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
  }
  bool ReadHead(const std::wstring& path, std::uint64_t limit, char* buffer, std::size_t room,
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

}  // namespace vexa::bench
