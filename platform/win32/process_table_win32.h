#pragma once
// ProcessTable on the real system: Toolhelp snapshots, one process handle
// from examination to termination.
#include "platform/process_table.h"

namespace vexa::win32 {

class Win32ProcessTable : public ProcessTable {
 public:
  std::vector<ProcessEntry> Snapshot() const override;
  std::unique_ptr<OpenedProcess> Open(ProcessId id) override;
  ProcessId CurrentId() const override;
  std::wstring WindowsFolder() const override;
};

}  // namespace vexa::win32
