// The junk scan pass and "Clean All" on the real file system and a real
// owner-data ListView1 in a hidden window, against a baseline that writes
// the log with one open-append-close per item and fills an ordinary list one
// row at a time, and removes ticked rows by searching from the top each time.
// Then Clean All of every file of a full folder against bare DeleteFileW
// calls on as many files in a folder of the same size, while another thread
// measures how long the window goes without answering a message. It also
// measures the floor any checked delete has here: open, mark and close
// through a handle, without and with asking the handle where it leads.
//
//   cleaner_winbench.exe [files]     (default 100000; needs a display)
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "cleaner/cleaner_page.h"
#include "cleaner/win32/junk_list_view.h"
#include "platform/text.h"
#include "platform/win32/win32_platform.h"
#include "ui/adapters.h"

namespace vexa::cleaner {
namespace {

using Clock = std::chrono::steady_clock;

// The page's controls and environment in memory; its event pump is the real one.
struct Label : ui::Caption {
  void SetText(const std::wstring& t) override { text = t; }
  std::wstring Text() const override { return text; }
  std::wstring text;
};
struct Switch : ui::Button, ui::Toggle, ui::Timer, ui::Spinner {
  explicit Switch(int v = 0) : value(v) {}
  void SetText(const std::wstring&) override {}
  std::wstring Text() const override { return {}; }
  void SetEnabled(bool on) override { enabled = on; }
  bool Enabled() const override { return enabled; }
  int Value() const override { return value; }
  void SetValue(int v) override { value = v; }
  void SetInterval(unsigned) override {}
  unsigned Interval() const override { return 0; }
  void PlayWait() override {}
  void StopWait() override {}
  bool IsPlaying() const override { return false; }
  int value;
  bool enabled = true;
};
struct Boxes : ui::MessageBoxes {
  void Show(const std::wstring& text, const std::wstring&, ui::BoxIcon) override { shown.push_back(text); }
  std::vector<std::wstring> shown;
};
struct Env : Environment {
  std::wstring Get(std::wstring_view name) const override {
    auto it = values.find(std::wstring(name));
    return it == values.end() ? std::wstring() : it->second;
  }
  std::wstring ExecutablePath() const override { return L"C:\\bench\\VexaUtility.exe"; }
  std::map<std::wstring, std::wstring> values;
};

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

double PeakMb() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  return counters.PeakWorkingSetSize / (1024.0 * 1024.0);
}

template <typename Fn>
Fn WineExport(const char* name) {
  FARPROC found = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name);
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(found));
}

std::string UnixName(const std::wstring& path) {
  auto unixName = WineExport<char*(CDECL*)(LPCWSTR)>("wine_get_unix_file_name");
  if (!unixName) return {};
  char* name = unixName(path.c_str());
  if (!name) return {};
  std::string out = name;
  HeapFree(GetProcessHeap(), 0, name);
  return out;
}

bool There(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

unsigned long FileBytes(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

void RemoveTree(const std::wstring& folder) {
  win32::Win32FileSystem files;
  std::vector<FolderEntry> entries;
  if (files.ListFolder(folder, entries)) {
    for (const FolderEntry& e : entries) {
      std::wstring path = folder + L"\\" + e.name;
      if (e.isFolder && !e.isLink) {
        RemoveTree(path);
      } else {
        files.SetNormalAttributes(path);
        files.RemoveFile(path);
      }
    }
  }
  RemoveDirectoryW(folder.c_str());
}

// Under Wine each new file makes the system search the whole folder for a
// name that differs only in case, so filling one folder one file at a time
// slows down with its size (about an hour for 100,000). The set-up then
// asks the host's shell to make the files; the timed parts never do.
bool MakeFilesOnHost(const std::wstring& folder, int count, const std::wstring& scratch) {
  auto dosName = WineExport<WCHAR*(CDECL*)(LPCSTR)>("wine_get_dos_file_name");
  std::string unixFolder = UnixName(folder), unixScratch = UnixName(scratch);
  if (!dosName || unixFolder.empty() || unixScratch.empty()) return false;
  std::wstring marker = scratch + L"\\made";
  DeleteFileW(marker.c_str());
  std::string script = "cd '" + unixFolder + "' || exit 1\nseq -f 'junk%06.0f.tmp' 1 " + std::to_string(count) +
                       " | xargs touch\ntouch '" + unixScratch + "/made'\n";
  HANDLE h = CreateFileW((scratch + L"\\make.sh").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(h, script.data(), static_cast<DWORD>(script.size()), &written, nullptr);
  CloseHandle(h);
  WCHAR* shell = dosName("/bin/sh");
  if (!shell) return false;
  std::wstring command = std::wstring(shell) + L" " + FromUtf8(unixScratch) + L"/make.sh";
  HeapFree(GetProcessHeap(), 0, shell);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  if (pi.hThread) CloseHandle(pi.hThread);
  if (pi.hProcess) CloseHandle(pi.hProcess);
  // A host program gives no handle to wait on: watch for its marker.
  for (int i = 0; i < 6000 && !There(marker); ++i) Sleep(50);
  return There(marker);
}

void MakeFiles(const std::wstring& folder, int count, const std::wstring& scratch) {
  if (MakeFilesOnHost(folder, count, scratch)) return;
  for (int i = 1; i <= count; ++i) {
    wchar_t name[32];
    swprintf(name, 32, L"\\junk%06d.tmp", i);
    HANDLE h = CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
}

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NOTIFY) {
    auto* view = reinterpret_cast<JunkListView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    LRESULT result = 0;
    if (view && view->OnNotify(*reinterpret_cast<NMHDR*>(lp), result)) return result;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND OrdinaryList(HWND parent, HIMAGELIST icons) {
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHAREIMAGELISTS, 0, 0,
                              560, 330, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 180;
  column.pszText = const_cast<wchar_t*>(L"File Name");
  ListView_InsertColumn(list, 0, &column);
  column.pszText = const_cast<wchar_t*>(L"Path");
  column.cx = 360;
  ListView_InsertColumn(list, 1, &column);
  ListView_SetImageList(list, icons, LVSIL_SMALL);
  return list;
}

void InsertRow(HWND list, int at, const JunkRow& row) {
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = at;
  item.pszText = const_cast<wchar_t*>(row.name.c_str());
  item.iImage = row.icon - 1;
  int index = ListView_InsertItem(list, &item);
  ListView_SetItemText(list, index, 1, const_cast<wchar_t*>(row.path.c_str()));
}

// The baseline pass: every item appended to the log with its own
// open-append-close, every row inserted into an ordinary list on its own.
void BaselinePass(FileSystem& files, ActivityLog& log, HWND list, const std::wstring& folder) {
  std::vector<FolderEntry> entries;
  if (!files.ListFolder(folder, entries)) return;
  int at = 0;
  for (const FolderEntry& e : entries) {
    if (e.isFolder) continue;
    JunkRow row{e.name, folder + L"\\" + e.name, kIconUserTemp};
    InsertRow(list, at++, row);
    log.AppendToLog({log_entry::JunkItem(row.name, row.path)});
  }
}

// The baseline removal: find the first ticked row from the top, delete
// its file, drop the row, start again.
void BaselineRemoval(Module1& module1, HWND list) {
  wchar_t path[MAX_PATH * 4];
  for (;;) {
    int n = ListView_GetItemCount(list), found = -1;
    for (int i = 0; i < n && found < 0; ++i)
      if (ListView_GetCheckState(list, i)) found = i;
    if (found < 0) return;
    ListView_GetItemText(list, found, 1, path, MAX_PATH * 4);
    module1.DeleteJunkFile(path);
    ListView_DeleteItem(list, found);
  }
}

int Run(int count) {
  wchar_t tempBuf[MAX_PATH];
  std::wstring base = std::wstring(tempBuf, GetTempPathW(MAX_PATH, tempBuf)) + L"vexa-cleaner-bench";
  RemoveTree(base);
  for (const wchar_t* sub : {L"", L"\\temp", L"\\win", L"\\app", L"\\app-baseline"})
    CreateDirectoryW((base + sub).c_str(), nullptr);
  const std::wstring tempFolder = base + L"\\temp";

  auto made = Clock::now();
  MakeFiles(tempFolder, count, base);
  win32::Win32FileSystem files;
  std::vector<FolderEntry> listed;
  files.ListFolder(tempFolder, listed);
  std::printf("set-up: %zu files in the user temp folder (%.1f s, not timed)\n", listed.size(), Seconds(made));
  auto listing = Clock::now();
  files.ListFolder(tempFolder, listed);
  double listSeconds = Seconds(listing);
  listed.clear();
  listed.shrink_to_fit();

  WNDCLASSW wc{};
  wc.lpfnWndProc = ParentProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VexaCleanerBench";
  RegisterClassW(&wc);
  HWND parent = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr, nullptr,
                                wc.hInstance, nullptr);  // never shown
  if (!parent) {
    std::printf("no window: is there a display?\n");
    return 1;
  }

  Env env;
  env.values = {{L"SystemRoot", base + L"\\win"}, {L"TEMP", tempFolder}, {L"HOMEDRIVE", base.substr(0, 2)},
                {L"HOMEPATH", base.substr(2) + L"\\home"}};
  win32::Win32Clock clock;
  ActivityLog log(files, clock, base + L"\\app");
  Label Label3, Label12, Label5, Label7, Label9, Label11;
  Switch UCP, Timer1, Timer3, Command2, Check1, ck1{1}, ck2, ck3{1};
  Boxes boxes;
  ui::WinEventPump pump;
  CleanerPage page({Label3, Label12, Label5, Label7, Label9, Label11, UCP, Timer1, Timer3, Command2, Check1, ck1, ck2,
                    ck3},
                   {files, env, log, clock, boxes, pump});
  page.TakeFlagsFromToggles();
  auto view = std::make_unique<JunkListView>(page.ListView1());
  SetWindowLongPtrW(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view.get()));
  view->Create(parent, 1001, RECT{0, 0, 560, 330});

  // ---- the pass ----
  page.Command1_Click();
  auto pass = Clock::now();
  page.Timer1_Timer();
  UpdateWindow(view->hwnd());
  double passSeconds = Seconds(pass);
  double passPeak = PeakMb();
  std::printf("pass: %zu rows, \"%s\", log %lu bytes, box \"%s\"\n", page.ListView1().Count(),
              ToUtf8(Label12.text).c_str(), FileBytes(log.FilePath()),
              boxes.shown.empty() ? "-" : ToUtf8(boxes.shown[0]).c_str());

  // ---- the baseline pass ----
  HIMAGELIST icons = CreateImageList1(96);
  HWND ordinary = OrdinaryList(parent, icons);
  ActivityLog baselineLog(files, clock, base + L"\\app-baseline");
  auto basePass = Clock::now();
  BaselinePass(files, baselineLog, ordinary, tempFolder);
  double baselineSeconds = Seconds(basePass);

  std::printf("\nuser temp folder of %d files (listing alone %.3f s)\n", count, listSeconds);
  std::printf("  pass, batched log + owner-data list: %8.3f s   (peak working set %.0f MB)\n", passSeconds, passPeak);
  std::printf("  baseline, log per item + row inserts: %8.3f s\n", baselineSeconds);
  std::printf("  ratio baseline / pass:               %8.1f x\n", baselineSeconds / passSeconds);

  // ---- Clean All over rows whose files the scan already removed ----
  // The baseline's search from the top costs a list row shift per removal,
  // so the side-by-side runs at up to 20,000 rows; ours also runs at full size.
  auto fillGone = [&](int n) {
    page.ListView1().Clear();
    for (int i = 0; i < n; ++i) {
      std::wstring name = L"gone" + std::to_wstring(i) + L".tmp";
      page.ListView1().Add({name, base + L"\\win\\Temp\\" + name, kIconOther, true});
    }
    page.ListView1().NotifyChanged();
  };
  const int side = count < 20000 ? count : 20000;
  fillGone(side);
  auto cleanSide = Clock::now();
  page.Command2_Click();
  double cleanSideSeconds = Seconds(cleanSide);

  ListView_DeleteAllItems(ordinary);
  SendMessageW(ordinary, WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < side; ++i) {
    std::wstring name = L"gone" + std::to_wstring(i) + L".tmp";
    InsertRow(ordinary, i, {name, base + L"\\win\\Temp\\" + name, kIconOther});
  }
  ListView_SetItemState(ordinary, -1, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
  SendMessageW(ordinary, WM_SETREDRAW, TRUE, 0);
  auto baseClean = Clock::now();
  BaselineRemoval(page.Removal(), ordinary);
  double baseCleanSeconds = Seconds(baseClean);

  fillGone(count);
  auto cleanGone = Clock::now();
  page.Command2_Click();
  double cleanGoneSeconds = Seconds(cleanGone);

  // The same rows without their delete attempts: the list's own share.
  fillGone(count);
  auto rowsOnly = Clock::now();
  page.ListView1().RemoveTicked([](const JunkRow&) {});
  page.ListView1().NotifyChanged();
  UpdateWindow(view->hwnd());
  double rowsOnlySeconds = Seconds(rowsOnly);

  std::printf("\nClean All, ticked rows whose files are gone\n");
  std::printf("  %6d rows, one pass over the rows:  %8.3f s\n", side, cleanSideSeconds);
  std::printf("  %6d rows, baseline from the top:   %8.3f s\n", side, baseCleanSeconds);
  std::printf("  ratio baseline / ours:               %8.1f x\n", baseCleanSeconds / cleanSideSeconds);
  std::printf("  %6d rows, one pass over the rows:  %8.3f s (the rows alone, without delete attempts: %.3f s)\n",
              count, cleanGoneSeconds, rowsOnlySeconds);

  // ---- Clean All deleting the real files, against bare DeleteFileW ----
  // Two folders of the same size: bare DeleteFileW on every file of one,
  // then Clean All of every row of the other (the user temp folder, listed
  // again by a pass). Meanwhile another thread keeps sending the window a
  // message and notes the longest wait for its answer.
  // A new folder of `count` files under base, and their paths.
  auto fullFolder = [&](const wchar_t* name) {
    const std::wstring folder = base + name;
    CreateDirectoryW(folder.c_str(), nullptr);
    MakeFiles(folder, count, base);
    std::vector<FolderEntry> made;
    files.ListFolder(folder, made);
    std::vector<std::wstring> paths;
    for (const FolderEntry& e : made) paths.push_back(folder + L"\\" + e.name);
    return paths;
  };
  const std::vector<std::wstring> barePaths = fullFolder(L"\\bare");
  auto bare = Clock::now();
  for (const std::wstring& path : barePaths) DeleteFileW(path.c_str());
  double bareSeconds = Seconds(bare);

  // The least a delete that checks where its handle leads can cost here:
  // open the item itself, mark it, close (no check), and the same with the
  // handle's path asked for in between (the check's one extra request).
  auto perFileUs = [&](const wchar_t* name, bool askPath) {
    const std::vector<std::wstring> paths = fullFolder(name);
    std::wstring resolved(MAX_PATH, L'\0');
    auto from = Clock::now();
    for (const std::wstring& path : paths) {
      HANDLE item = CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
      if (item == INVALID_HANDLE_VALUE) continue;
      if (askPath) GetFinalPathNameByHandleW(item, resolved.data(), MAX_PATH, FILE_NAME_NORMALIZED);
      FILE_DISPOSITION_INFO dispose{TRUE};
      SetFileInformationByHandle(item, FileDispositionInfo, &dispose, sizeof dispose);
      CloseHandle(item);
    }
    return Seconds(from) * 1e6 / static_cast<double>(paths.empty() ? 1 : paths.size());
  };
  const double markUs = perFileUs(L"\\mark", false);
  const double markCheckedUs = perFileUs(L"\\checked", true);

  Timer1.enabled = true;
  page.Timer1_Timer();
  JunkList& rows = page.ListView1();
  rows.SetAllTicked(true);
  const std::size_t real = rows.Count();
  std::atomic<bool> cleaning{true};
  std::atomic<long long> longestWaitUs{0};
  std::thread watcher([&] {
    while (cleaning) {
      auto asked = Clock::now();
      DWORD_PTR ignored;
      SendMessageTimeoutW(parent, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored);
      const long long us = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - asked).count();
      if (us > longestWaitUs) longestWaitUs = us;
    }
  });
  auto cleanReal = Clock::now();
  page.Command2_Click();
  double cleanRealSeconds = Seconds(cleanReal);
  cleaning = false;
  pump.DoEvents();  // the watcher's last message
  watcher.join();
  files.ListFolder(tempFolder, listed);
  const double perFile = cleanRealSeconds * 1e6 / static_cast<double>(real ? real : 1);
  const double barePerFile = bareSeconds * 1e6 / static_cast<double>(barePaths.empty() ? 1 : barePaths.size());
  std::printf("\nClean All of %zu ticked rows of real files: %.3f s, %.0f us a file, %zu files left\n", real,
              cleanRealSeconds, perFile, listed.size());
  std::printf("bare DeleteFileW on %zu files of a folder as full: %.3f s, %.0f us a file\n", barePaths.size(),
              bareSeconds, barePerFile);
  std::printf("ratio Clean All / bare DeleteFileW:  %.2f (goal at most 1.4)\n", perFile / barePerFile);
  std::printf("open, mark for deletion, close (no check):       %.0f us a file, %.2f x bare\n", markUs,
              markUs / barePerFile);
  std::printf("the same asking the handle's path (the check):   %.0f us a file, %.2f x bare\n", markCheckedUs,
              markCheckedUs / barePerFile);
  std::printf("longest wait for the window's answer during Clean All: %.0f ms (goal under 200)\n",
              static_cast<double>(longestWaitUs) / 1000.0);
  std::printf("peak working set of the whole run: %.0f MB\n", PeakMb());

  SetWindowLongPtrW(parent, GWLP_USERDATA, 0);
  view.reset();
  DestroyWindow(parent);
  ImageList_Destroy(icons);
  RemoveTree(base);
  return 0;
}

}  // namespace
}  // namespace vexa::cleaner

int main(int argc, char** argv) {
  int count = argc > 1 ? std::atoi(argv[1]) : 100000;
  if (count <= 0) count = 100000;
  return vexa::cleaner::Run(count);
}
