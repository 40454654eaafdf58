// The junk cleaner on the real file system and the real list control.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "cleaner/cleaner_page.h"
#include "cleaner/win32/junk_list_view.h"
#include "platform/text.h"
#include "platform/win32/win32_platform.h"
// after windows.h
#include <winioctl.h>
#include "tests/fakes/fake_system.h"
#include "tests/fakes/fake_ui.h"

namespace vexa::cleaner {
namespace {

using win32::ExtendedPath;
using win32::Win32FileSystem;

// ---- scratch folders ------------------------------------------------------

std::wstring TempRoot() {
  wchar_t buf[MAX_PATH];
  DWORD n = GetTempPathW(MAX_PATH, buf);
  std::wstring root(buf, n);
  if (!root.empty() && root.back() == L'\\') root.pop_back();
  return root;
}

bool MakeFolder(const std::wstring& path) { return CreateDirectoryW(ExtendedPath(path).c_str(), nullptr) != FALSE; }

bool MakeFile(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  HANDLE h = CreateFileW(ExtendedPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(h, "junk", 4, &written, nullptr);
  CloseHandle(h);
  return true;
}

bool There(const std::wstring& path) {
  return GetFileAttributesW(ExtendedPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadAll(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string out(GetFileSize(h, nullptr), '\0');
  DWORD got = 0;
  ReadFile(h, out.data(), static_cast<DWORD>(out.size()), &got, nullptr);
  CloseHandle(h);
  out.resize(got);
  return out;
}

// Wine keeps no reparse data of its own: its links are the host's symbolic
// links, which it reports as reparse points. Where junctions cannot be made,
// the test asks the host to make (and later remove) such a link.
using UnixNameFn = char*(CDECL*)(LPCWSTR);
using DosNameFn = WCHAR*(CDECL*)(LPCSTR);

template <typename Fn>
Fn WineExport(const char* name) {
  FARPROC found = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name);
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(found));
}

bool RunOnHost(const std::vector<std::string>& argv, const std::wstring& watch, bool untilThere) {
  auto dosName = WineExport<DosNameFn>("wine_get_dos_file_name");
  if (!dosName) return false;
  WCHAR* program = dosName(argv[0].c_str());
  if (!program) return false;
  std::wstring command = program;
  HeapFree(GetProcessHeap(), 0, program);
  for (size_t i = 1; i < argv.size(); ++i) command += L" " + FromUtf8(argv[i]);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  if (pi.hThread) CloseHandle(pi.hThread);
  if (pi.hProcess) CloseHandle(pi.hProcess);
  // A host program started this way gives no handle to wait on: watch its result.
  for (int i = 0; i < 200; ++i) {
    if (There(watch) == untilThere) return true;
    Sleep(25);
  }
  return false;
}

std::string UnixName(const std::wstring& path) {
  auto unixName = WineExport<UnixNameFn>("wine_get_unix_file_name");
  if (!unixName) return {};
  char* name = unixName(path.c_str());
  if (!name) return {};
  std::string out = name;
  HeapFree(GetProcessHeap(), 0, name);
  return out;
}

struct MountPointBuffer {
  DWORD ReparseTag;
  WORD ReparseDataLength;
  WORD Reserved;
  WORD SubstituteNameOffset, SubstituteNameLength, PrintNameOffset, PrintNameLength;
  WCHAR PathBuffer[MAX_PATH * 2];
};

bool MakeJunction(const std::wstring& link, const std::wstring& target) {
  if (!MakeFolder(link)) return false;
  HANDLE h = CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  bool ok = false;
  if (h != INVALID_HANDLE_VALUE) {
    std::wstring substitute = L"\\??\\" + target;
    MountPointBuffer b{};
    b.ReparseTag = IO_REPARSE_TAG_MOUNT_POINT;
    WORD subBytes = static_cast<WORD>(substitute.size() * sizeof(WCHAR));
    WORD printBytes = static_cast<WORD>(target.size() * sizeof(WCHAR));
    b.SubstituteNameLength = subBytes;
    b.PrintNameOffset = subBytes + sizeof(WCHAR);
    b.PrintNameLength = printBytes;
    std::copy(substitute.begin(), substitute.end(), b.PathBuffer);
    std::copy(target.begin(), target.end(), b.PathBuffer + substitute.size() + 1);
    b.ReparseDataLength = static_cast<WORD>(8 + subBytes + printBytes + 2 * sizeof(WCHAR));
    DWORD returned = 0;
    ok = DeviceIoControl(h, FSCTL_SET_REPARSE_POINT, &b, 8 + b.ReparseDataLength, nullptr, 0, &returned, nullptr);
    CloseHandle(h);
  }
  if (!ok) RemoveDirectoryW(link.c_str());
  return ok;
}

bool MakeFolderLink(const std::wstring& link, const std::wstring& target) {
  if (MakeJunction(link, target)) return true;
  std::string unixTarget = UnixName(target), unixLink = UnixName(link);
  if (unixTarget.empty() || unixLink.empty()) return false;
  return RunOnHost({"/bin/ln", "-s", unixTarget, unixLink}, link, true);
}

// A symbolic link to a file: the system's own where it lets us, else the host's.
bool MakeFileLink(const std::wstring& link, const std::wstring& target) {
  constexpr DWORD kUnprivileged = 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
  if (CreateSymbolicLinkW(link.c_str(), target.c_str(), kUnprivileged) && There(link)) return true;
  std::string unixTarget = UnixName(target), unixLink = UnixName(link);
  if (unixTarget.empty() || unixLink.empty()) return false;
  return RunOnHost({"/bin/ln", "-s", unixTarget, unixLink}, link, true);
}

// A link whose target is gone reads as missing, so the host is asked anyway.
void DropLink(const std::wstring& link) {
  Win32FileSystem files;
  if (There(link) && files.RemoveFile(link)) return;
  std::string unixLink = UnixName(link);
  if (!unixLink.empty()) RunOnHost({"/bin/rm", "-f", unixLink}, link, false);
}

// Removes a scratch tree; links are dropped, never entered.
void RemoveTree(const std::wstring& folder) {
  Win32FileSystem files;
  std::vector<FolderEntry> entries;
  if (files.ListFolder(folder, entries)) {
    for (const FolderEntry& e : entries) {
      std::wstring path = folder + L"\\" + e.name;
      if (e.isLink) {
        DropLink(path);
      } else if (e.isFolder) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(ExtendedPath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(ExtendedPath(path).c_str());
      }
    }
  }
  SetFileAttributesW(ExtendedPath(folder).c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryW(ExtendedPath(folder).c_str());
}

class Scratch : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = TempRoot() + L"\\vexa-cleaner-" + FromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name());
    RemoveTree(dir);
    ASSERT_TRUE(MakeFolder(dir));
  }
  void TearDown() override { RemoveTree(dir); }
  std::wstring At(const std::wstring& name) const { return dir + L"\\" + name; }

  // A folder path longer than MAX_PATH under the scratch folder.
  std::wstring LongFolder() {
    std::wstring path = dir;
    while (path.size() < 300) {
      path += L"\\" + std::wstring(60, L'l');
      EXPECT_TRUE(MakeFolder(path));
    }
    return path;
  }

  std::wstring dir;
  Win32FileSystem files;
};

std::set<std::wstring> Names(const std::vector<FolderEntry>& entries) {
  std::set<std::wstring> out;
  for (const FolderEntry& e : entries) out.insert(e.name + (e.isFolder ? L"/" : L"") + (e.isLink ? L"@" : L""));
  return out;
}

// ---- the folder walk ------------------------------------------------------

using CleanerFolderWalk = Scratch;

TEST_F(CleanerFolderWalk, ListsDirectEntriesInTheSystemsOrderWithoutEnteringSubFolders) {
  const std::wstring unicode = FromUtf8("\xD0\xBA\xD1\x8D\xD1\x88-\xE6\x97\xA5\xE6\x9C\xAC.tmp");
  ASSERT_TRUE(MakeFile(At(L"b.tmp")));
  ASSERT_TRUE(MakeFile(At(L"a.tmp"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  ASSERT_TRUE(MakeFile(At(unicode)));
  ASSERT_TRUE(MakeFolder(At(L"sub")));
  ASSERT_TRUE(MakeFile(At(L"sub\\inner.tmp")));

  std::vector<FolderEntry> entries;
  ASSERT_TRUE(files.ListFolder(dir, entries));
  EXPECT_EQ(Names(entries), (std::set<std::wstring>{L"a.tmp", L"b.tmp", unicode, L"sub/"}));

  // The order is the system's own, untouched.
  std::vector<std::wstring> systemOrder;
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &found);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  do {
    std::wstring n = found.cFileName;
    if (n != L"." && n != L"..") systemOrder.push_back(n);
  } while (FindNextFileW(h, &found));
  FindClose(h);
  std::vector<std::wstring> ours;
  for (const FolderEntry& e : entries) ours.push_back(e.name);
  EXPECT_EQ(ours, systemOrder);

  // A trailing backslash names the same folder.
  std::vector<FolderEntry> again;
  ASSERT_TRUE(files.ListFolder(dir + L"\\", again));
  EXPECT_EQ(Names(again), Names(entries));
}

TEST_F(CleanerFolderWalk, MissingEmptyAndLongFolders) {
  std::vector<FolderEntry> entries{{L"stale"}};
  EXPECT_FALSE(files.ListFolder(At(L"missing"), entries));
  EXPECT_TRUE(entries.empty());
  EXPECT_FALSE(files.ListFolder(L"", entries));
  ASSERT_TRUE(MakeFolder(At(L"empty")));
  EXPECT_TRUE(files.ListFolder(At(L"empty"), entries) && entries.empty());
  std::wstring deep = LongFolder();
  ASSERT_TRUE(MakeFile(deep + L"\\far.tmp"));
  ASSERT_TRUE(files.ListFolder(deep, entries));
  EXPECT_EQ(Names(entries), (std::set<std::wstring>{L"far.tmp"}));
}

TEST_F(CleanerFolderWalk, LinkIsListedAsItselfAndNotEntered) {
  ASSERT_TRUE(MakeFolder(At(L"target")));
  ASSERT_TRUE(MakeFile(At(L"target\\precious.txt")));
  ASSERT_TRUE(MakeFolder(At(L"scan")));
  if (!MakeFolderLink(At(L"scan\\link"), At(L"target"))) GTEST_SKIP() << "no folder links on this system";
  std::vector<FolderEntry> entries;
  ASSERT_TRUE(files.ListFolder(At(L"scan"), entries));
  EXPECT_EQ(Names(entries), (std::set<std::wstring>{L"link/@"}));
}

TEST(CleanerTypeDescription, FollowsTheRegisteredTypeByNameOnly) {
  Win32FileSystem files;
  // A type of our own, registered for the machine (Wine reads no per-user
  // classes here).
  HKEY ext = nullptr, type = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.vexajunk", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &ext, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(ext, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(L"vexajunkfile"), 26);
  RegCloseKey(ext);
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\vexajunkfile", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &type, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(type, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(L"DAT File"), 18);
  RegCloseKey(type);

  EXPECT_EQ(files.TypeDescription(L"C:\\nowhere\\index.vexajunk"), L"DAT File");
  std::wstring deep = L"C:\\" + std::wstring(300, L'd') + L"\\x.vexajunk";  // never opened, so length is no matter
  EXPECT_EQ(files.TypeDescription(deep), L"DAT File");
  EXPECT_NE(files.TypeDescription(L"C:\\nowhere\\a.txt"), L"DAT File");

  RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\vexajunkfile");
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.vexajunk");
}

// ---- deletes ----------------------------------------------------------------

class CleanerDeleteJunkFile : public Scratch {
 protected:
  JunkList rows;
  Module1 module1{files, rows};
};

TEST_F(CleanerDeleteJunkFile, ResetsAttributesThenDeletesAnyName) {
  const std::wstring unicode = At(FromUtf8("\xCE\xB1\xCE\xB2\xCE\xB3-\xE2\x98\x83.tmp"));
  const std::wstring distant = LongFolder() + L"\\far.tmp";
  ASSERT_GT(distant.size(), static_cast<size_t>(MAX_PATH));
  ASSERT_TRUE(MakeFile(At(L"hidden.tmp"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  for (const std::wstring& path : {At(L"ro.tmp"), unicode, distant}) ASSERT_TRUE(MakeFile(path, FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(files.RemoveFile(At(L"ro.tmp")));  // a plain delete leaves a read-only file as it is
  EXPECT_TRUE(GetFileAttributesW(At(L"ro.tmp").c_str()) & FILE_ATTRIBUTE_READONLY);
  for (const std::wstring& path : {At(L"ro.tmp"), At(L"hidden.tmp"), unicode, distant}) {
    module1.DeleteJunkFile(path);
    EXPECT_FALSE(There(path)) << ToUtf8(path);
  }
}

TEST_F(CleanerDeleteJunkFile, FolderStaysWithItsFilesAndMissingFileIsSilent) {
  ASSERT_TRUE(MakeFolder(At(L"sub")));
  ASSERT_TRUE(MakeFile(At(L"sub\\keep.tmp")));
  ASSERT_TRUE(MakeFolder(At(L"emptysub")));
  for (const wchar_t* name : {L"sub", L"emptysub", L"missing.tmp"}) module1.DeleteJunkFile(At(name));
  module1.DeleteJunkFile(L"Junk");
  EXPECT_TRUE(There(At(L"sub\\keep.tmp")));
  EXPECT_TRUE(There(At(L"emptysub")));
  EXPECT_FALSE(files.RemoveFile(At(L"missing.tmp")) || files.SetNormalAttributes(At(L"missing.tmp")));
}

TEST_F(CleanerDeleteJunkFile, JunctionGoesAtMostAndItsTargetStays) {
  ASSERT_TRUE(MakeFolder(At(L"target")));
  ASSERT_TRUE(MakeFile(At(L"target\\precious.txt"), FILE_ATTRIBUTE_READONLY));
  if (!MakeFolderLink(At(L"link"), At(L"target"))) GTEST_SKIP() << "no folder links on this system";
  DWORD targetBefore = GetFileAttributesW(At(L"target\\precious.txt").c_str());

  module1.DeleteJunkFile(At(L"link"));

  EXPECT_TRUE(There(At(L"target")));
  EXPECT_TRUE(There(At(L"target\\precious.txt")));
  EXPECT_EQ(GetFileAttributesW(At(L"target\\precious.txt").c_str()), targetBefore);
  // Where the system can open the link itself it is gone; otherwise it is
  // left as it was, still a link.
  if (There(At(L"link"))) {
    EXPECT_TRUE(GetFileAttributesW(At(L"link").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
  }
}

// Wine reports a symbolic link to a file as that file and opens the file
// even when asked for the link; a delete or attribute change through the
// link's path must not reach it.
TEST_F(CleanerDeleteJunkFile, FileLinkGoesAtMostAndItsTargetStays) {
  ASSERT_TRUE(MakeFolder(At(L"target")));
  ASSERT_TRUE(MakeFile(At(L"target\\precious.txt"), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(MakeFolder(At(L"scan")));
  const std::wstring link = At(L"scan\\precious.txt");  // the same name as its target
  if (!MakeFileLink(link, At(L"target\\precious.txt"))) GTEST_SKIP() << "no file links on this system";
  DWORD targetBefore = GetFileAttributesW(At(L"target\\precious.txt").c_str());

  files.RemoveFile(link);         // as a scan deletes
  module1.DeleteJunkFile(link);  // as "Clean All" deletes

  EXPECT_EQ(ReadAll(At(L"target\\precious.txt")), "junk");
  EXPECT_EQ(GetFileAttributesW(At(L"target\\precious.txt").c_str()), targetBefore);
  DropLink(link);
}

// The check against links must not stop ordinary deletes where the folder
// itself is reached through a link or a short name (a TEMP such as
// C:\Users\ADMINI~1\AppData\Local\Temp).
TEST_F(CleanerDeleteJunkFile, FileInAFolderReachedThroughALinkOrShortNameGoes) {
  const std::wstring folder = At(L"folder-with-a-long-name");
  ASSERT_TRUE(MakeFolder(folder));
  ASSERT_TRUE(MakeFile(folder + L"\\one.tmp", FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(MakeFile(folder + L"\\two.tmp", FILE_ATTRIBUTE_READONLY));
  wchar_t shortName[MAX_PATH];
  DWORD n = GetShortPathNameW(folder.c_str(), shortName, MAX_PATH);
  ASSERT_TRUE(n > 0 && n < MAX_PATH);
  module1.DeleteJunkFile(std::wstring(shortName) + L"\\one.tmp");
  EXPECT_FALSE(There(folder + L"\\one.tmp"));

  if (!MakeFolderLink(At(L"via"), folder)) GTEST_SKIP() << "no folder links on this system";
  module1.DeleteJunkFile(At(L"via\\two.tmp"));
  EXPECT_FALSE(There(folder + L"\\two.tmp"));
  DropLink(At(L"via"));
}

// ---- a whole pass on the real disk ----------------------------------------

class CleanerRealPass : public Scratch {
 protected:
  void SetUp() override {
    Scratch::SetUp();
    for (const wchar_t* sub : {L"win", L"win\\Prefetch", L"win\\Temp", L"home", L"home\\Recent", L"temp", L"app"})
      ASSERT_TRUE(MakeFolder(At(sub)));
    env.Set(L"SystemRoot", At(L"win"));
    env.Set(L"TEMP", At(L"temp"));
    env.Set(L"HOMEDRIVE", dir.substr(0, 2));
    env.Set(L"HOMEPATH", dir.substr(2) + L"\\home");
    log = std::make_unique<ActivityLog>(files, clock, At(L"app"));
    page = std::make_unique<CleanerPage>(CleanerControls{Label3, Label12, Label5, Label7, Label9, Label11, UCP, Timer1,
                                                         Timer3, Command2, Check1, ck1, ck2, ck3, boxes},
                                         files, env, *log);
    page->TakeFlagsFromToggles();
  }

  fakes::FakeEnvironment env;
  win32::Win32Clock clock;
  fakes::FakeCaption Label3, Label12, Label5, Label7, Label9, Label11;
  fakes::FakeSpinner UCP;
  fakes::FakeTimer Timer1{2000, false}, Timer3{1000, true};
  fakes::FakeButton Command2{L"Clean All", true};
  fakes::FakeToggle Check1{0}, ck1{1}, ck2{0}, ck3{1};
  fakes::FakeMessageBoxes boxes;
  std::unique_ptr<ActivityLog> log;  // beside the scratch folder's "app"
  std::unique_ptr<CleanerPage> page;
};

TEST_F(CleanerRealPass, ListsLogsDeletesAndCleansOnDisk) {
  ASSERT_TRUE(MakeFile(At(L"win\\Prefetch\\APP.EXE-12.pf")));
  ASSERT_TRUE(MakeFile(At(L"home\\Recent\\doc.lnk")));
  ASSERT_TRUE(MakeFile(At(L"temp\\keep1.tmp"), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(MakeFolder(At(L"temp\\sub")));
  ASSERT_TRUE(MakeFile(At(L"win\\Temp\\w.tmp")));

  page->Command1_Click();
  page->Timer1_Timer();

  const JunkList& rows = page->ListView1();
  ASSERT_EQ(rows.Count(), 5u);
  EXPECT_EQ(rows.Row(0).path, L"Junk");
  EXPECT_EQ(rows.Row(1).path, At(L"home\\Recent\\doc.lnk"));
  EXPECT_EQ(rows.Row(2).path, At(L"temp\\keep1.tmp"));
  EXPECT_EQ(rows.Row(3).path, At(L"temp\\sub"));
  EXPECT_EQ(rows.Row(4).path, At(L"win\\Temp\\w.tmp"));
  EXPECT_EQ(Label12.text, L"Total Files Found : 5");
  EXPECT_FALSE(There(At(L"win\\Prefetch\\APP.EXE-12.pf")));
  EXPECT_FALSE(There(At(L"home\\Recent\\doc.lnk")));
  EXPECT_FALSE(There(At(L"win\\Temp\\w.tmp")));
  EXPECT_TRUE(There(At(L"temp\\keep1.tmp")));

  std::string date = ToAnsi(clock.ShortDate());
  std::string logged = ReadAll(log->FilePath());
  EXPECT_EQ(logged.substr(0, date.size() + 12 + 1), date + "APP.EXE-12.pf");
  EXPECT_NE(logged.find(date + "keep1.tmp" + ToAnsi(At(L"temp\\keep1.tmp")) + "\r\n"), std::string::npos);
  EXPECT_EQ(std::count(logged.begin(), logged.end(), '\n'), 5);

  page->ListView1().SetAllTicked(true);
  page->Command2_Click();
  EXPECT_TRUE(page->ListView1().Empty());
  EXPECT_FALSE(There(At(L"temp\\keep1.tmp")));  // read-only, reset and deleted
  EXPECT_TRUE(There(At(L"temp\\sub")));         // a folder stays
}

// ---- ListView1 ----------------------------------------------------------------

// A hidden parent that hands its WM_NOTIFY to the list, as the main window does.
LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NOTIFY) {
    auto* view = reinterpret_cast<JunkListView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    LRESULT result = 0;
    if (view && view->OnNotify(*reinterpret_cast<NMHDR*>(lp), result)) return result;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

class CleanerListView : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VexaCleanerTestParent";
    RegisterClassW(&wc);
    parent = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr, nullptr,
                             wc.hInstance, nullptr);
    ASSERT_NE(parent, nullptr);
    SetWindowLongPtrW(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&view));
    ASSERT_NE(view.Create(parent, 101, RECT{8, 8, 568, 340}), nullptr);
  }
  void TearDown() override {
    SetWindowLongPtrW(parent, GWLP_USERDATA, 0);
    DestroyWindow(parent);
  }
  void Fill(int n) {
    for (int i = 0; i < n; ++i)
      rows.Add({L"row" + std::to_wstring(i) + L".tmp", L"C:\\T\\row" + std::to_wstring(i) + L".tmp", 1 + i % 5});
    rows.NotifyChanged();
  }
  std::wstring Text(int item, int sub) {
    wchar_t buf[300] = L"?";
    ListView_GetItemText(view.hwnd(), item, sub, buf, 300);
    return buf;
  }
  UINT Tick(int item) { return ListView_GetItemState(view.hwnd(), item, LVIS_STATEIMAGEMASK) >> 12; }
  void Flush() {
    MSG msg;
    for (int i = 0; i < 100 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) DispatchMessageW(&msg);
  }

  JunkList rows;
  JunkListView view{rows};
  HWND parent = nullptr;
};

TEST_F(CleanerListView, ColumnsIconsTextAndTicks) {
  HWND list = view.hwnd();
  EXPECT_TRUE(GetWindowLongW(list, GWL_STYLE) & LVS_OWNERDATA);
  EXPECT_EQ(GetDlgCtrlID(list), 101);
  wchar_t buf[64];
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = buf;
  column.cchTextMax = 64;
  ASSERT_TRUE(ListView_GetColumn(list, 0, &column));
  EXPECT_STREQ(buf, L"File Name");
  ASSERT_TRUE(ListView_GetColumn(list, 1, &column));
  EXPECT_STREQ(buf, L"Path");
  EXPECT_EQ(ImageList_GetImageCount(ListView_GetImageList(list, LVSIL_SMALL)), 5);
  EXPECT_EQ(ImageList_GetImageCount(ListView_GetImageList(list, LVSIL_STATE)), 2);

  Fill(3);
  rows.SetTicked(1, true);
  EXPECT_EQ(ListView_GetItemCount(list), 3);
  EXPECT_EQ(Text(2, 0), L"row2.tmp");
  EXPECT_EQ(Text(2, 1), L"C:\\T\\row2.tmp");
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = 2;
  ASSERT_TRUE(ListView_GetItem(list, &item));
  EXPECT_EQ(item.iImage, 2);  // picture 3
  EXPECT_EQ(Tick(0), 1u);
  EXPECT_EQ(Tick(1), 2u);
}

TEST_F(CleanerListView, ClickOnTheBoxSpaceOrAStateImageTicks) {
  Fill(3);
  HWND list = view.hwnd();
  RECT bounds{};
  bounds.left = LVIR_BOUNDS;
  ASSERT_TRUE(ListView_GetItemRect(list, 1, &bounds, LVIR_BOUNDS));
  POINT onBox{-1, (bounds.top + bounds.bottom) / 2};
  for (int x = bounds.left; x < bounds.left + 40 && onBox.x < 0; ++x) {
    LVHITTESTINFO hit{};
    hit.pt = {x, onBox.y};
    if (ListView_HitTest(list, &hit) == 1 && (hit.flags & LVHT_ONITEMSTATEICON)) onBox.x = x + 2;
  }
  ASSERT_GE(onBox.x, 0) << "no check box on the row";
  // The button goes up before it goes down: the list's drag check finds the
  // release waiting and ends at once.
  PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(onBox.x, onBox.y));
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onBox.x, onBox.y));
  Flush();
  EXPECT_TRUE(rows.Row(1).ticked);
  EXPECT_EQ(Tick(1), 2u);

  ListView_SetItemState(list, 1, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  SendMessageW(list, WM_KEYDOWN, VK_SPACE, 0);
  Flush();
  EXPECT_FALSE(rows.Row(1).ticked || rows.Row(0).ticked);

  // A driver that sets the state image (as for any check-box list) ticks too.
  ListView_SetItemState(list, 2, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
  EXPECT_TRUE(rows.Row(2).ticked);
  ListView_SetItemState(list, 2, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);
  EXPECT_FALSE(rows.Row(2).ticked);
}

TEST_F(CleanerListView, FollowsRemovalAndAHundredThousandRows) {
  Fill(5);
  rows.SetTicked(1, true);
  rows.SetTicked(3, true);
  rows.RemoveTicked([](const JunkRow&) {});
  rows.NotifyChanged();
  EXPECT_EQ(ListView_GetItemCount(view.hwnd()), 3);
  EXPECT_EQ(Text(1, 0), L"row2.tmp");
  rows.Clear();
  Fill(100000);
  EXPECT_EQ(ListView_GetItemCount(view.hwnd()), 100000);
  EXPECT_EQ(Text(99999, 1), L"C:\\T\\row99999.tmp");
  EXPECT_TRUE(ListView_EnsureVisible(view.hwnd(), 99999, FALSE));
}

// ---- ImageList1 -------------------------------------------------------------

std::vector<COLORREF> Pixels(HIMAGELIST list, int index) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 16, 16);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT all{0, 0, 16, 16};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ImageList_Draw(list, index, dc, 0, 0, ILD_TRANSPARENT);
  std::vector<COLORREF> out;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) out.push_back(GetPixel(dc, x, y));
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  return out;
}

TEST(CleanerImageList1, FourDistinctPicturesAndABlank) {
  HIMAGELIST list = CreateImageList1();
  ASSERT_NE(list, nullptr);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(list, &cx, &cy);
  EXPECT_EQ(cx, 16);
  EXPECT_EQ(cy, 16);
  ASSERT_EQ(ImageList_GetImageCount(list), 5);
  std::vector<std::vector<COLORREF>> pictures;
  for (int i = 0; i < 5; ++i) pictures.push_back(Pixels(list, i));
  auto painted = [](const std::vector<COLORREF>& p) {
    return std::count_if(p.begin(), p.end(), [](COLORREF c) { return c != RGB(255, 255, 255); });
  };
  for (int i : {0, 1, 2, 4}) {
    EXPECT_GT(painted(pictures[i]), 40) << "picture " << i + 1;
    EXPECT_LT(painted(pictures[i]), 256) << "picture " << i + 1 << " has no transparent edge";
    for (int j : {0, 1, 2, 4})
      if (j > i) {
        EXPECT_NE(pictures[i], pictures[j]) << "pictures " << i + 1 << " and " << j + 1;
      }
  }
  EXPECT_EQ(painted(pictures[3]), 0);
  ImageList_Destroy(list);
}

}  // namespace
}  // namespace vexa::cleaner
