#pragma once
// ModEngine: the five junk scanners. Each looks at the direct entries of one
// folder, and for every item it lists a row, writes a log record, deletes
// the file where its folder calls for it, and counts it.
#include <cstdint>
#include <string>

#include "cleaner/junk_list.h"
#include "log/activity_log.h"
#include "platform/environment.h"
#include "platform/file_system.h"

namespace vexa::cleaner {

// The cookies scanner leaves files of exactly this type alone.
inline constexpr wchar_t kKeptCookieType[] = L"DAT File";

enum class JunkCategory { Temp, Cookies, Junk, Recent };

// What the scanners report besides the rows they add.
class ScanSink {
 public:
  virtual ~ScanSink() = default;
  // The folder being searched.
  virtual void Status(const std::wstring& text) = 0;
  // A category's count, after each scanner that counts into it.
  virtual void Counted(JunkCategory category, std::int64_t count) = 0;
};

class ModEngine {
 public:
  ModEngine(FileSystem& files, const Environment& environment, ActivityLog& log, JunkList& rows, ScanSink& sink);

  // Category flags; they follow the toggles ck1, ck2 and ck3 and start from
  // the toggles' design values.
  bool CleanTemp = true;      // ScanUserTemp, ScanWindowsTemp
  bool CleanCookies = false;  // ScanCookies
  bool CleanRecent = true;    // ScanRecent

  // Items found by the last pass.
  std::int64_t TempFileCount = 0;
  std::int64_t JunkFileCount = 0;
  std::int64_t RecentFileCount = 0;
  std::int64_t CookieCount = 0;

  // Zeroes the four counts and reports them.
  void ResetCounts();

  // In the order a pass runs them.
  void ScanPrefetch();
  void ScanCookies();
  void ScanRecent();
  void ScanUserTemp();
  void ScanWindowsTemp();

 private:
  struct Walk {
    std::wstring folder;
    int fileIcon = 0;
    bool prefetchRows = false;   // Path cell "Junk"
    bool deletes = false;        // files are deleted as they are found
    bool keepsDatFiles = false;  // the cookies filter
    bool subFolders = false;     // then the direct sub-folders, kept on disk
  };
  void Scan(const Walk& walk, std::int64_t& count, JunkCategory category);

  FileSystem& files_;
  const Environment& environment_;
  ActivityLog& log_;
  JunkList& rows_;
  ScanSink& sink_;
};

}  // namespace vexa::cleaner
