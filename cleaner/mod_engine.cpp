#include "cleaner/mod_engine.h"

#include <cwctype>
#include <initializer_list>
#include <vector>

namespace vexa::cleaner {

namespace {

constexpr wchar_t kCookiesFolder[] = L"C:\\WINDOWS\\Temp\\Cookies";

// A folder built from environment values, or "" when one of them is unset or
// the result is not a full path (a drive and its root, or a server share):
// "\Temp" would be the Temp folder of whatever drive is current.
std::wstring FolderOf(std::initializer_list<std::wstring> parts) {
  std::wstring folder;
  for (const std::wstring& part : parts) {
    if (part.empty()) return {};
    folder += part;
  }
  auto slash = [](wchar_t c) { return c == L'\\' || c == L'/'; };
  const bool drive = folder.size() >= 3 && std::iswalpha(folder[0]) && folder[1] == L':' && slash(folder[2]);
  const bool share = folder.size() >= 3 && slash(folder[0]) && slash(folder[1]) && !slash(folder[2]);
  return drive || share ? folder : std::wstring();
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
  if (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) return folder + name;
  return folder + L'\\' + name;
}

}  // namespace

ModEngine::ModEngine(FileSystem& files, const Environment& environment, ActivityLog& log, JunkList& rows,
                     ScanSink& sink)
    : files_(files), environment_(environment), log_(log), rows_(rows), sink_(sink) {}

void ModEngine::ResetCounts() {
  TempFileCount = JunkFileCount = RecentFileCount = CookieCount = 0;
  for (JunkCategory c : {JunkCategory::Recent, JunkCategory::Junk, JunkCategory::Temp, JunkCategory::Cookies})
    sink_.Counted(c, 0);
}

void ModEngine::ScanPrefetch() {
  Walk walk{FolderOf({environment_.Get(L"SystemRoot"), L"\\Prefetch"}), kIconPrefetch};
  walk.prefetchRows = true;
  walk.deletes = true;
  Scan(walk, JunkFileCount, JunkCategory::Junk);
}

void ModEngine::ScanCookies() {
  if (!CleanCookies) return;
  Walk walk{kCookiesFolder, kIconOther};
  walk.deletes = true;
  walk.keepsDatFiles = true;
  Scan(walk, CookieCount, JunkCategory::Cookies);
}

void ModEngine::ScanRecent() {
  if (!CleanRecent) return;
  Walk walk{FolderOf({environment_.Get(L"HOMEDRIVE"), environment_.Get(L"HOMEPATH"), L"\\Recent"}), kIconRecent};
  walk.deletes = true;
  Scan(walk, RecentFileCount, JunkCategory::Recent);
}

void ModEngine::ScanUserTemp() {
  if (!CleanTemp) return;
  Walk walk{FolderOf({environment_.Get(L"TEMP")}), kIconUserTemp};
  walk.subFolders = true;
  Scan(walk, TempFileCount, JunkCategory::Temp);
}

void ModEngine::ScanWindowsTemp() {
  if (!CleanTemp) return;
  Walk walk{FolderOf({environment_.Get(L"SystemRoot"), L"\\Temp"}), kIconOther};
  walk.deletes = true;
  Scan(walk, TempFileCount, JunkCategory::Temp);
}

// A folder that is "" (built from unset values) is skipped like a missing
// one. A step that fails (an unreadable folder, a file that will not go, a log
// record that cannot be written) is skipped and the walk goes on. Log
// records are written together at the end of the walk, in the order found.
void ModEngine::Scan(const Walk& walk, std::int64_t& count, JunkCategory category) {
  sink_.Status(L"Searching : " + walk.folder);
  std::vector<FolderEntry> entries;
  if (!walk.folder.empty() && files_.ListFolder(walk.folder, entries)) {
    ActivityLog::Batch records(log_);
    for (const FolderEntry& entry : entries) {
      if (entry.isFolder) continue;
      std::wstring full = Join(walk.folder, entry.name);
      if (walk.keepsDatFiles) {
        // A type the system cannot tell may be the kept one: such a file is
        // neither listed nor deleted.
        const std::wstring type = files_.TypeDescription(full);
        if (type.empty() || type == kKeptCookieType) continue;
      }
      rows_.Add({entry.name, walk.prefetchRows ? std::wstring(kJunkPathCell) : full, walk.fileIcon, false});
      records.Add(log_entry::JunkItem(entry.name, full));
      if (walk.deletes) files_.RemoveFile(full);
      ++count;
    }
    if (walk.subFolders) {
      for (const FolderEntry& entry : entries) {
        if (!entry.isFolder) continue;
        std::wstring full = Join(walk.folder, entry.name);
        rows_.Add({entry.name, full, kIconOther, false});
        records.Add(log_entry::JunkItem(entry.name, full));
        ++count;
      }
    }
  }
  rows_.NotifyChanged();
  sink_.Counted(category, count);
}

}  // namespace vexa::cleaner
