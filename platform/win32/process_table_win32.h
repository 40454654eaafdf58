#pragma once
// ProcessTable on the real system: Toolhelp snapshots, PSAPI image paths and
// the wide file calls.
#include "platform/process_table.h"

namespace vexa::win32 {

class Win32ProcessTable : public ProcessTable {
 public:
  std::vector<ProcessEntry> Snapshot() const override;
  std::wstring ImagePath(ProcessId id) const override;
  bool IsCritical(ProcessId id) const override;
  ProcessId CurrentId() const override;
  bool Terminate(ProcessId id) override;
  std::wstring WindowsFolder() const override;
  bool PathExists(const std::wstring& path) const override;
  std::wstring StoredFileName(const std::wstring& path) const override;
  std::optional<std::uint64_t> FileLength(const std::wstring& path) const override;
  bool ReadHead(const std::wstring& path, std::uint64_t limit, char* buffer, std::size_t room,
                const ChunkTaker& take) const override;
};

}  // namespace vexa::win32
