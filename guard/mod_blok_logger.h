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
#include "platform/file_system.h"
#include "platform/process_table.h"
#include "platform/ui.h"

namespace vexa::guard {

// What a pass reports to its page, besides the "Found" box and the moments
// it gives the window's events.
class LoggerScanSink : public virtual ui::EngineSink {
 public:
  // The logger-block level (BLog's value, 0 to 100), read for each process.
  virtual int Level() const = 0;

  // Adds a row with this text at the end of the result list.
  virtual void AddRow(const std::wstring& text) = 0;

  // A keylogger was found: the staged run stops (Timer2 off, spinner stopped).
  virtual void StopAnimation() = 0;
};

inline constexpr int kLoggerLevelThreshold = 65;
inline constexpr std::uint64_t kMaxExaminedFileBytes = 20'000'000;
inline constexpr std::size_t kReadPieceBytes = 256 * 1024;
inline constexpr wchar_t kUnknownImagePath[] = L"SYSTEM";
inline constexpr wchar_t kProcessListSeparator = L'\x01';

class ModBlokLogger {
 public:
  ModBlokLogger(ProcessTable& processes, const FileSystem& files, ActivityLog& log,
                const MarkerSet& markers = MarkerSet::Keylogger());

  // Name, 0x01, decimal id, 0x01 for each process of one snapshot, in
  // snapshot order. The sink's events run after each entry.
  std::wstring GetProcessList(ui::EngineSink& sink);

  // The list text split back into (name, id) pairs.
  static std::vector<std::pair<std::wstring, ProcessId>> SplitProcessList(const std::wstring& list);

  // Image path of an opened process: "\??\" dropped, "\SystemRoot\"
  // replaced by the Windows folder; "SYSTEM" when there is no process or its
  // path is not available.
  std::wstring GetProcessPath(const OpenedProcess* process) const;

  std::wstring GetWindowsDir() const;
  static std::wstring AddBackslash(const std::wstring& text);
  static std::wstring TrimAtNull(const std::wstring& text);

  // True when the file is at most 20,000,000 bytes long and holds one of the
  // markers. A missing, empty, too long or unreadable file is no keylogger.
  bool IsLoggerFile(const std::wstring& path);

  // One pass over all processes with detection, report, termination and log.
  // A process found is ended through the handle it was examined through;
  // rows and log say whether it really was.
  void ScanLoggers(LoggerScanSink& sink);

  // Never ended, never examined: the program itself, the Idle and System
  // processes, a process the system marks critical, and the session and
  // service managers that run from the Windows system folder (by full path:
  // a same-named file elsewhere is not protected). `imagePath` is the
  // resolved path, or "SYSTEM".
  bool IsProtectedId(ProcessId id) const;
  bool IsProtectedPath(const std::wstring& imagePath) const;

  // Bytes read from the last file examined: at most its length, fewer when
  // a marker turned up early.
  std::uint64_t LastBytesRead() const { return lastBytesRead_; }

 private:
  // The path of a pair after the Windows and system32 fallback.
  std::wstring ResolvePath(const std::wstring& name, const OpenedProcess* process) const;

  ProcessTable& processes_;
  const FileSystem& files_;
  ActivityLog& log_;
  const MarkerSet& markers_;
  // Files are read in pieces into one buffer kept across files, the tail of
  // each piece carried in front of the next so that a marker split between
  // two pieces is still seen whole.
  std::size_t carryRoom_;
  std::unique_ptr<char[]> buffer_;
  std::uint64_t lastBytesRead_ = 0;
};

}  // namespace vexa::guard
