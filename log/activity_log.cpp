#include "log/activity_log.h"

#include "platform/text.h"

namespace vexa {

ActivityLog::ActivityLog(FileSystem& files, const Clock& clock, std::wstring appFolder)
    : files_(files), clock_(clock), folder_(std::move(appFolder)), path_(folder_ + L"\\" + kLogFileName) {}

void ActivityLog::CreateLogIfMissing() {
  // One step that creates the file only when there is none: an existing log
  // is never emptied, whatever a check before would have said.
  files_.CreateNew(path_, Format({std::wstring(kLogHeader)}));
}

std::string ActivityLog::Format(const LogLine& line) const {
  std::wstring text;
  for (const LogItem& item : line) {
    if (const auto* s = std::get_if<std::wstring>(&item))
      text += *s;
    else
      text += clock_.ShortDate();
  }
  std::string bytes = ToAnsi(text);
  bytes += "\r\n";
  return bytes;
}

bool ActivityLog::AppendToLog(const std::vector<LogLine>& lines) { return AppendToLog(kLogFileName, lines); }

bool ActivityLog::AppendToLog(const std::wstring& fileName, const std::vector<LogLine>& lines) {
  std::string bytes;
  for (const LogLine& line : lines) bytes += Format(line);
  return files_.Append(folder_ + L"\\" + fileName, bytes);
}

bool ActivityLog::AppendToLog(std::initializer_list<LogLine> lines) {
  return AppendToLog(std::vector<LogLine>(lines));
}

void ActivityLog::Batch::Add(const LogLine& line) { pending_ += log_.Format(line); }

bool ActivityLog::Batch::Flush() {
  if (pending_.empty()) return true;
  bool ok = log_.files_.Append(log_.path_, pending_);
  pending_.clear();
  return ok;
}

namespace log_entry {

LogLine JunkItem(const std::wstring& name, const std::wstring& fullPath) {
  return {DateStamp{}, name, fullPath};
}

std::vector<LogLine> KeyloggerBlocked(const std::wstring& fileName) {
  return {{kLogSeparator}, {DateStamp{}, L"Keylogger Has Blocked", fileName}, {kLogSeparator}};
}

std::vector<LogLine> KeyloggerNotBlocked(const std::wstring& fileName) {
  return {{kLogSeparator}, {DateStamp{}, L"Keylogger Could Not Be Blocked", fileName}, {kLogSeparator}};
}

std::vector<LogLine> RegistryRepair() {
  return {
      {kLogSeparator},
      {DateStamp{}, L"Scan Registry : HKEY_CLASSES_ROOT"},
      {DateStamp{}, L"Scan Registry : HKEY_CURRENT_USER"},
      {DateStamp{}, L"Scan Registry : HKEY_LOCAL_MACHINE"},
      {kLogSeparator},
      {kLogDone},
      {kLogSeparator},
  };
}

std::vector<LogLine> UrlShortened(const std::wstring& longUrl, const std::wstring& output) {
  return {{kLogSeparator}, {DateStamp{}, L"Long URL :", longUrl, L"To :", output}, {kLogSeparator}};
}

}  // namespace log_entry
}  // namespace vexa

namespace vexa {

void OpenLogViewer(const ActivityLog& log, Shell& shell) {
  if (!log.Exists()) return;
  shell.OpenDocument(L"VexaLog.log", log.Folder());
}

}  // namespace vexa
