#pragma once
// The running processes as the keylogger blocker sees them: a snapshot of
// names and ids, and one process at a time opened for examination and, if
// need be, termination through the same handle, so that an id another
// program takes over meanwhile can never be ended by mistake.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vexa {

using ProcessId = std::uint32_t;

struct ProcessEntry {
  std::wstring exeName;  // the executable's file name as the snapshot holds it
  ProcessId id = 0;
};

// One process, held open from its examination until it is let go.
class OpenedProcess {
 public:
  virtual ~OpenedProcess() = default;

  // Image path of the process's executable as the system reports it (it may
  // begin with "\??\" or "\SystemRoot\"); empty when it cannot be read.
  virtual std::wstring ImagePath() const = 0;

  // True when the system marks the process critical: ending it stops the
  // machine (break-on-termination).
  virtual bool IsCritical() const = 0;

  // Ends the process with exit code 0. False when it was not ended (no right
  // to end it, or the system refused).
  virtual bool Terminate() = 0;
};

class ProcessTable {
 public:
  virtual ~ProcessTable() = default;

  // One snapshot of the running processes, in snapshot order; empty when no
  // snapshot could be taken.
  virtual std::vector<ProcessEntry> Snapshot() const = 0;

  // Opens the process; null when it has ended or cannot be opened at all. A
  // process that may be examined but not ended opens, and refuses Terminate.
  virtual std::unique_ptr<OpenedProcess> Open(ProcessId id) = 0;

  // The id of the running program itself.
  virtual ProcessId CurrentId() const = 0;

  // The Windows folder without a trailing backslash; empty when unknown.
  virtual std::wstring WindowsFolder() const = 0;
};

}  // namespace vexa
