#pragma once
// The process table and the few file operations the keylogger blocker needs
// to examine a process's executable: whole operations that open, act and
// close, returning plain values. Paths are full Windows paths in UTF-16.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

using ProcessId = std::uint32_t;

struct ProcessEntry {
  std::wstring exeName;  // the executable's file name as the snapshot holds it
  ProcessId id = 0;
};

class ProcessTable {
 public:
  virtual ~ProcessTable() = default;

  // One snapshot of the running processes, in snapshot order; empty when no
  // snapshot could be taken.
  virtual std::vector<ProcessEntry> Snapshot() const = 0;

  // Image path of the process's executable as the system reports it (it may
  // begin with "\??\" or "\SystemRoot\"); empty when the process cannot be
  // opened or its modules cannot be listed.
  virtual std::wstring ImagePath(ProcessId id) const = 0;

  // True when the system marks the process critical: ending it stops the
  // machine (break-on-termination).
  virtual bool IsCritical(ProcessId id) const = 0;

  // The id of the running program itself.
  virtual ProcessId CurrentId() const = 0;

  // Ends the process with exit code 0, through a handle opened for
  // termination only. False when it could not be opened or ended.
  virtual bool Terminate(ProcessId id) = 0;

  // The Windows folder without a trailing backslash; empty when unknown.
  virtual std::wstring WindowsFolder() const = 0;

  // True for an existing file or folder.
  virtual bool PathExists(const std::wstring& path) const = 0;

  // The name of an existing file (not a folder) as stored on disk, without
  // its folder; empty when there is no such file.
  virtual std::wstring StoredFileName(const std::wstring& path) const = 0;

  // Length in bytes of an existing file; nothing for a folder or a file that
  // cannot be found.
  virtual std::optional<std::uint64_t> FileLength(const std::wstring& path) const = 0;

  // Called with the number of bytes just read into the buffer; answers
  // whether to go on reading.
  using ChunkTaker = std::function<bool(std::size_t bytes)>;

  // Reads the file from its start, at most `limit` bytes in all, in pieces
  // of at most `room` bytes placed at `buffer`, handing each piece to `take`
  // until it answers false or the file ends. Other programs may read, write
  // and delete the file meanwhile. False when the file cannot be opened or a
  // read fails.
  virtual bool ReadHead(const std::wstring& path, std::uint64_t limit, char* buffer, std::size_t room,
                        const ChunkTaker& take) const = 0;
};

}  // namespace vexa
