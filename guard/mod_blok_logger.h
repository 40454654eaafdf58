#pragma once
// ModBlokLogger: the keylogger blocker. One pass walks a process snapshot,
// looks for the keylogger markers in each process's executable file, and
// warns about, ends, lists and logs every process whose file carries one.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "guard/marker_search.h"
#include "log/activity_log.h"
#include "platform/process_table.h"
#include "platform/ui.h"

namespace vexa::guard {

// What a pass reports to its page.
class LoggerScanSink {
 public:
  virtual ~LoggerScanSink() = default;

  // The logger-block level (BLog's value, 0 to 100), read for each process.
  virtual int Level() const = 0;

  // Adds a row with this text at the end of the result list.
  virtual void AddRow(const std::wstring& text) = 0;

  // A keylogger was blocked: the staged run stops (Timer2 off, spinner stopped).
  virtual void StopAnimation() = 0;
};

inline constexpr int kLoggerLevelThreshold = 65;
inline constexpr std::uint64_t kMaxExaminedFileBytes = 20'000'000;
inline constexpr std::size_t kReadPieceBytes = 256 * 1024;
inline constexpr wchar_t kUnknownImagePath[] = L"SYSTEM";
inline constexpr wchar_t kProcessListSeparator = L'\x01';

class ModBlokLogger {
 public:
  ModBlokLogger(ProcessTable& processes, ActivityLog& log, ui::MessageBoxes& boxes, ui::EventPump& pump,
                const MarkerSet& markers = MarkerSet::Keylogger());

  // Name, 0x01, decimal id, 0x01 for each process of one snapshot, in
  // snapshot order. Pending events run after each entry.
  std::wstring GetProcessList();

  // The list text split back into (name, id) pairs.
  static std::vector<std::pair<std::wstring, ProcessId>> SplitProcessList(const std::wstring& list);

  // Image path of a process: "\??\" dropped, "\SystemRoot\" replaced by the
  // Windows folder; "SYSTEM" when the path is not available.
  std::wstring GetProcessPath(ProcessId id) const;

  std::wstring GetWindowsDir() const;
  static std::wstring AddBackslash(const std::wstring& text);
  static std::wstring TrimAtNull(const std::wstring& text);

  // True when the file is at most 20,000,000 bytes long and holds one of the
  // markers. A missing, empty, too long or unreadable file is no keylogger.
  bool IsLoggerFile(const std::wstring& path);

  // Ends the process, unless it is one that must never be ended (see
  // IsProtected), then lets pending events run. Failures are silent.
  void KillProcess(ProcessId id);

  // One pass over all processes with detection, report, kill and log.
  void ScanLoggers(LoggerScanSink& sink);

  // The program itself, the Idle and System processes, a process the system
  // marks critical, and the session and service managers that run from the
  // Windows system folder (by full path: a same-named file elsewhere is not
  // protected). `imagePath` is the resolved path, or "SYSTEM".
  bool IsProtected(ProcessId id, const std::wstring& imagePath) const {
    return IsProtectedId(id) || IsProtectedPath(imagePath);
  }
  // The parts of that rule that need only the id, or only the path.
  bool IsProtectedId(ProcessId id) const;
  bool IsProtectedPath(const std::wstring& imagePath) const;

  // Bytes read from the last file examined: at most its length, fewer when
  // a marker turned up early.
  std::uint64_t LastBytesRead() const { return lastBytesRead_; }

 private:
  // The path of a pair after the Windows and system32 fallback.
  std::wstring ResolvePath(const std::wstring& name, ProcessId id) const;

  ProcessTable& processes_;
  ActivityLog& log_;
  ui::MessageBoxes& boxes_;
  ui::EventPump& pump_;
  const MarkerSet& markers_;
  // Files are read in pieces into one buffer kept across files, the tail of
  // each piece carried in front of the next so that a marker split between
  // two pieces is still seen whole.
  std::size_t carryRoom_;
  std::unique_ptr<char[]> buffer_;
  std::uint64_t lastBytesRead_ = 0;
};

}  // namespace vexa::guard
