#pragma once
// The activity log: one plain-text file, "VexaLog.Log", beside the executable.
// Every writer appends whole lines and closes the file at once. A line is a
// run of items written with nothing between them; an item is a text or the
// date stamp (today in the user's short date form). Lines end in CR LF and
// are stored in the system's ANSI code page.
#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

#include "platform/clock.h"
#include "platform/file_system.h"

namespace vexa {

struct DateStamp {};
using LogItem = std::variant<std::wstring, DateStamp>;
using LogLine = std::vector<LogItem>;

inline constexpr wchar_t kLogFileName[] = L"VexaLog.Log";
inline constexpr wchar_t kLogHeader[] = L"[VexaTools Utility]";
inline constexpr wchar_t kLogSeparator[] = L"~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~";
inline constexpr wchar_t kLogDone[] = L"~~~~~~~~~~~~~~~~~ DONE ~~~~~~~~~~~~~~~~~~";

class ActivityLog {
 public:
  // appFolder: the folder of the executable, without a trailing backslash.
  ActivityLog(FileSystem& files, const Clock& clock, std::wstring appFolder);

  const Path& FilePath() const { return path_; }
  const std::wstring& Folder() const { return folder_; }
  bool Exists() const { return files_.Exists(path_); }

  // Writes the header line when the file does not exist; nothing otherwise.
  void CreateLogIfMissing();

  // Appends the lines in one open-append-close. A file that cannot be written
  // loses this entry only; false tells the caller, who may ignore it.
  bool AppendToLog(const std::vector<LogLine>& lines);
  bool AppendToLog(std::initializer_list<LogLine> lines);
  // The same into another file of the log's folder (a writer that names the
  // log in its own spelling).
  bool AppendToLog(const std::wstring& fileName, const std::vector<LogLine>& lines);

  // The bytes of one line as stored, CR LF included.
  std::string Format(const LogLine& line) const;

  // Collects many entries and writes them with one append: the same bytes as
  // one AppendToLog per entry, without reopening the file for each.
  class Batch {
   public:
    explicit Batch(ActivityLog& log) : log_(log) {}
    ~Batch() { Flush(); }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

    void Add(const LogLine& line);
    bool Flush();

   private:
    ActivityLog& log_;
    std::string pending_;
  };

 private:
  FileSystem& files_;
  const Clock& clock_;
  std::wstring folder_;
  Path path_;
};

// The catalogue of entries the engines write.
namespace log_entry {

// date, item name, item full path
LogLine JunkItem(const std::wstring& name, const std::wstring& fullPath);

// separator; date, "Keylogger Has Blocked", file name; separator
std::vector<LogLine> KeyloggerBlocked(const std::wstring& fileName);
// the same block when the process could not be ended
std::vector<LogLine> KeyloggerNotBlocked(const std::wstring& fileName);

// the seven lines written at the end of a registry repair run
std::vector<LogLine> RegistryRepair();

// separator; date, "Long URL :", long address, "To :", output box; separator
std::vector<LogLine> UrlShortened(const std::wstring& longUrl, const std::wstring& output);

}  // namespace log_entry

}  // namespace vexa

#include "platform/shell.h"

namespace vexa {

// "Open Log": hands the log to the program Windows associates with it, from
// the application folder. Does nothing when the log does not exist.
void OpenLogViewer(const ActivityLog& log, Shell& shell);

}  // namespace vexa
