#include "guard/mod_blok_logger.h"

#include <algorithm>
#include <cstring>

#include "platform/text.h"

namespace vexa::guard {
namespace {

constexpr wchar_t kFoundText[] = L"Your PC has detected a Logger Proccess..!! Proccess this block";
constexpr wchar_t kFoundTitle[] = L"Found";

// The Idle and System processes have these ids on every Windows.
constexpr ProcessId kIdleProcessId = 0;
constexpr ProcessId kSystemProcessId = 4;

// Ending any of these from the system folder stops the machine or the session.
constexpr const wchar_t* kSystemCritical[] = {L"csrss.exe",    L"wininit.exe", L"winlogon.exe",
                                              L"smss.exe",     L"services.exe", L"lsass.exe"};


char* AlignedPiece(char* block, std::size_t front) {
  auto at = reinterpret_cast<std::uintptr_t>(block) + front;
  return block + front + ((64 - at % 64) % 64);
}

bool StartsWith(const std::wstring& text, std::wstring_view prefix) {
  return text.size() >= prefix.size() && std::wstring_view(text).substr(0, prefix.size()) == prefix;
}

}  // namespace

ModBlokLogger::ModBlokLogger(ProcessTable& processes, const FileSystem& files, ActivityLog& log,
                             const MarkerSet& markers)
    : processes_(processes),
      files_(files),
      log_(log),
      markers_(markers),
      carryRoom_(markers.MaxLength() > 0 ? markers.MaxLength() - 1 : 0) {}

std::wstring ModBlokLogger::GetProcessList(ui::EngineSink& sink) {
  std::wstring list;
  for (const ProcessEntry& entry : processes_.Snapshot()) {
    list += TrimAtNull(entry.exeName);
    list += kProcessListSeparator;
    list += std::to_wstring(entry.id);
    list += kProcessListSeparator;
    sink.DoEvents();
  }
  return list;
}

std::vector<std::pair<std::wstring, ProcessId>> ModBlokLogger::SplitProcessList(const std::wstring& list) {
  std::vector<std::wstring> fields;
  std::size_t start = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] == kProcessListSeparator) {
      fields.push_back(list.substr(start, i - start));
      start = i + 1;
    }
  }
  std::vector<std::pair<std::wstring, ProcessId>> pairs;
  for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
    ProcessId id = 0;
    for (wchar_t c : fields[i + 1])
      if (c >= L'0' && c <= L'9') id = id * 10 + static_cast<ProcessId>(c - L'0');
    pairs.emplace_back(fields[i], id);
  }
  return pairs;
}

std::wstring ModBlokLogger::GetWindowsDir() const { return processes_.WindowsFolder(); }

std::wstring ModBlokLogger::AddBackslash(const std::wstring& text) {
  if (!text.empty() && text.back() == L'\\') return text;
  return text + L'\\';
}

std::wstring ModBlokLogger::TrimAtNull(const std::wstring& text) { return text.substr(0, text.find(L'\0')); }

std::wstring ModBlokLogger::GetProcessPath(const OpenedProcess* process) const {
  std::wstring path = process ? process->ImagePath() : std::wstring();
  if (path.empty()) return kUnknownImagePath;
  if (StartsWith(path, L"\\??\\")) return path.substr(4);
  if (StartsWith(path, L"\\SystemRoot\\")) return GetWindowsDir() + L"\\" + path.substr(12);
  return path;
}

std::wstring ModBlokLogger::ResolvePath(const std::wstring& name, const OpenedProcess* process) const {
  std::wstring path = GetProcessPath(process);
  if (path != kUnknownImagePath) return path;
  const std::wstring windows = GetWindowsDir();
  if (windows.empty()) return path;  // no folder to look in
  const std::wstring w = AddBackslash(windows);
  if (files_.Exists(w + name)) return w + name;
  if (files_.Exists(w + L"system32\\" + name)) return w + L"system32\\" + name;
  return path;
}

bool ModBlokLogger::IsProtectedId(ProcessId id) const {
  return id == processes_.CurrentId() || id == kIdleProcessId || id == kSystemProcessId;
}

bool ModBlokLogger::IsProtectedPath(const std::wstring& imagePath) const {
  if (imagePath == kUnknownImagePath) return false;
  const std::wstring windows = GetWindowsDir();
  if (windows.empty()) return false;
  const std::wstring system = AddBackslash(windows) + L"system32\\";
  for (const wchar_t* name : kSystemCritical)
    if (EqualsNoCase(imagePath, system + name)) return true;
  return false;
}

bool ModBlokLogger::IsLoggerFile(const std::wstring& path) {
  lastBytesRead_ = 0;
  const std::optional<std::uint64_t> length = files_.FileLength(path);
  if (!length || *length > kMaxExaminedFileBytes || *length < 1) return false;

  // [carried tail | piece]: the carry holds the last bytes of what came
  // before, one byte short of the longest marker.
  // The piece starts on a cache-line boundary: the system copies into an
  // aligned buffer much faster.
  const std::size_t front = (carryRoom_ + 63) / 64 * 64;
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(front + kReadPieceBytes + 64);
  char* const piece = AlignedPiece(buffer_.get(), front);
  std::size_t carried = 0;
  bool found = false;
  // A read that fails part way leaves the file unjudged: no keylogger,
  // unless a marker had already turned up.
  files_.ReadHead(path, *length, piece, kReadPieceBytes, [&](std::size_t bytes) {
    lastBytesRead_ += bytes;
    found = markers_.FoundIn(std::string_view(piece - carried, carried + bytes));
    if (found) return false;
    const std::size_t keep = std::min(carryRoom_, carried + bytes);
    std::memmove(piece - keep, piece + bytes - keep, keep);
    carried = keep;
    return true;
  });
  return found;
}

void ModBlokLogger::ScanLoggers(LoggerScanSink& sink) {
  for (const auto& [name, id] : SplitProcessList(GetProcessList(sink))) {
    if (IsProtectedId(id)) continue;
    // One handle from here to the end: the id may be handed to another
    // program while the box is open, the handle still names this process.
    const std::unique_ptr<OpenedProcess> process = processes_.Open(id);
    if (process && process->IsCritical()) continue;
    const std::wstring path = ResolvePath(name, process.get());
    if (path == kUnknownImagePath || IsProtectedPath(path)) continue;
    const std::wstring fname = files_.StoredFileName(path);
    if (fname == kUnknownImagePath) continue;
    const std::optional<std::uint64_t> length = files_.FileLength(path);
    if (!length || *length < 1) continue;
    if (sink.Level() < kLoggerLevelThreshold) continue;
    if (!IsLoggerFile(path)) continue;

    sink.ShowBox(kFoundText, kFoundTitle, ui::BoxIcon::Critical);
    const bool ended = process && process->Terminate();
    sink.DoEvents();
    sink.AddRow(L".");
    sink.AddRow(L".");
    sink.AddRow(L"- Keylogger Detected ... [ " + fname + L" ]");
    sink.AddRow(ended ? L"- Keylogger Has Blocked" : L"- Keylogger Could Not Be Blocked");
    log_.AppendToLog(ended ? log_entry::KeyloggerBlocked(fname) : log_entry::KeyloggerNotBlocked(fname));
    sink.StopAnimation();
  }
}

}  // namespace vexa::guard
