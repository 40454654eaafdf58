// The junk cleaner as a user meets it: the Cleaner tab's "Scan" over the five
// folders (Windows prefetch, the cookies folder, Recent, the user's and the
// Windows temp folders), the rows, counts, total and log lines it leaves,
// the files it deletes on the spot, the "Your PC At Risk" box, and "Clean
// All" with single ticks and with "Sellect All".
//
// The program reads TEMP, HOMEDRIVE and HOMEPATH from its own environment, so
// it is started with those pointing at folders of the test's own. The
// Windows folders are the Wine prefix's: whatever they held before is moved
// aside and put back afterwards, and the test expects and removes only the
// files it made there.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "tests/e2e/driver.h"

namespace vexa::e2e {
namespace {

using namespace vexa::app;

std::string Narrow(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring Env(const wchar_t* name) {
  wchar_t buf[MAX_PATH];
  DWORD n = GetEnvironmentVariableW(name, buf, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(buf, n) : std::wstring();
}

std::string Ansi(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring ShortDate() {
  wchar_t buf[128];
  int n = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buf, 128, nullptr);
  return n > 0 ? std::wstring(buf, static_cast<size_t>(n - 1)) : std::wstring();
}

const std::string kHeader = "[VexaTools Utility]\r\n";

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool MakeFile(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(h, "junk", 4, &written, nullptr);
  CloseHandle(h);
  return attributes == FILE_ATTRIBUTE_NORMAL || SetFileAttributesW(path.c_str(), attributes);
}

// ---- Links ---------------------------------------------------------------------

// Wine's links are the host's symbolic links, which it reports as reparse
// points; the test asks the host to make and remove them.
template <typename Fn>
Fn WineExport(const char* name) {
  FARPROC found = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name);
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(found));
}

std::string UnixName(const std::wstring& path) {
  auto unixName = WineExport<char*(CDECL*)(LPCWSTR)>("wine_get_unix_file_name");
  char* name = unixName ? unixName(path.c_str()) : nullptr;
  if (!name) return {};
  std::string out = name;
  HeapFree(GetProcessHeap(), 0, name);
  return out;
}

std::wstring Widen(const std::string& text) {
  int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

// Runs a host program and waits for `path` to appear (or go).
bool OnHost(const std::vector<std::string>& argv, const std::wstring& path, bool appears) {
  auto dosName = WineExport<WCHAR*(CDECL*)(LPCSTR)>("wine_get_dos_file_name");
  WCHAR* program = dosName ? dosName(argv[0].c_str()) : nullptr;
  if (!program) return false;
  std::wstring command = program;
  HeapFree(GetProcessHeap(), 0, program);
  for (size_t i = 1; i < argv.size(); ++i) command += L" \"" + Widen(argv[i]) + L"\"";
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  if (pi.hThread) CloseHandle(pi.hThread);
  if (pi.hProcess) CloseHandle(pi.hProcess);
  // A host program gives no handle to wait on: watch its result.
  return WaitFor([&] { return (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) == appears; }, 5000);
}

bool MakeLink(const std::wstring& link, const std::wstring& target) {
  std::string unixTarget = UnixName(target), unixLink = UnixName(link);
  return !unixTarget.empty() && !unixLink.empty() && OnHost({"/bin/ln", "-s", unixTarget, unixLink}, link, true);
}

// Removes a link itself, never what it points at (Wine would delete a file
// link's target through the link's path). A link whose target is gone reads
// as missing, so the host is asked anyway.
void DropLink(const std::wstring& link) {
  std::string unixLink = UnixName(link);
  if (!unixLink.empty()) OnHost({"/bin/rm", "-f", unixLink}, link, false);
}

// Removes a scratch tree; links are dropped, never entered.
void RemoveTree(const std::wstring& dir) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = dir + L"\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        DropLink(path);
        continue;
      }
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path);
      else
        DeleteFileW(path.c_str());
    } while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryW(dir.c_str());
}

struct Entry {
  std::wstring name;
  bool folder = false;
};

// The direct entries of a folder in the order the system lists them.
std::vector<Entry> Listing(const std::wstring& folder) {
  std::vector<Entry> entries;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return entries;
  do {
    std::wstring name = fd.cFileName;
    if (name != L"." && name != L"..") entries.push_back({name, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return entries;
}

// ---- The prefix's own folders ----------------------------------------------

// One of the Windows folders the scan reads. Its direct files are moved to a
// holding folder for the test's duration; a folder that did not exist is
// made and removed again. A holding folder left by an interrupted run is
// emptied back first.
class HeldFolder {
 public:
  HeldFolder(std::wstring folder, const std::wstring& tag)
      : folder_(std::move(folder)), hold_(Scratch(L"cleaner-held-") + tag) {
    MoveFiles(hold_, folder_);
    created_ = !Exists(folder_);
    if (created_) CreateDirectoryW(folder_.c_str(), nullptr);
    CreateDirectoryW(hold_.c_str(), nullptr);
    for (const Entry& e : Listing(folder_))
      if (!e.folder && !MoveFileW((folder_ + L"\\" + e.name).c_str(), (hold_ + L"\\" + e.name).c_str()))
        stuck_.push_back(e.name);
  }
  ~HeldFolder() { Restore(); }
  HeldFolder(const HeldFolder&) = delete;
  HeldFolder& operator=(const HeldFolder&) = delete;

  const std::wstring& path() const { return folder_; }
  // Files that could not be moved aside (the scan will meet them).
  const std::vector<std::wstring>& Stuck() const { return stuck_; }

  // A file of the test's own in the folder.
  std::wstring Make(const std::wstring& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    std::wstring path = folder_ + L"\\" + name;
    made_.push_back(path);
    return MakeFile(path, attributes) ? path : std::wstring();
  }

  // A link of the test's own in the folder.
  std::wstring Link(const std::wstring& name, const std::wstring& target) {
    std::wstring path = folder_ + L"\\" + name;
    links_.push_back(path);
    return MakeLink(path, target) ? path : std::wstring();
  }

  void Restore() {
    for (const std::wstring& path : links_) DropLink(path);
    links_.clear();
    for (const std::wstring& path : made_) {
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(path.c_str());
    }
    made_.clear();
    MoveFiles(hold_, folder_);
    RemoveDirectoryW(hold_.c_str());
    if (created_) RemoveDirectoryW(folder_.c_str());
    created_ = false;
  }

 private:
  static void MoveFiles(const std::wstring& from, const std::wstring& to) {
    for (const Entry& e : Listing(from))
      if (!e.folder) MoveFileW((from + L"\\" + e.name).c_str(), (to + L"\\" + e.name).c_str());
  }

  std::wstring folder_, hold_;
  bool created_ = false;
  std::vector<std::wstring> made_, links_, stuck_;
};

// File types named "DAT File" and "DAT file" for two extensions of the
// test's own, so that the shell reports them by name only.
class DatTypes {
 public:
  DatTypes() {
    ok_ = Register(L".vexadat", L"vexa.e2e.datfile", L"DAT File") &&
          Register(L".vexadat2", L"vexa.e2e.datfile2", L"DAT file");
  }
  ~DatTypes() {
    for (const wchar_t* key : {L".vexadat", L"vexa.e2e.datfile", L".vexadat2", L"vexa.e2e.datfile2"})
      RegDeleteKeyW(HKEY_LOCAL_MACHINE, (std::wstring(L"Software\\Classes\\") + key).c_str());
  }
  DatTypes(const DatTypes&) = delete;
  DatTypes& operator=(const DatTypes&) = delete;
  bool ok() const { return ok_; }

 private:
  static bool SetDefault(const std::wstring& key, const std::wstring& value) {
    HKEY h = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, (L"Software\\Classes\\" + key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &h, nullptr) != ERROR_SUCCESS)
      return false;
    LONG rc = RegSetValueExW(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(h);
    return rc == ERROR_SUCCESS;
  }
  static bool Register(const std::wstring& ext, const std::wstring& progId, const std::wstring& typeName) {
    return SetDefault(ext, progId) && SetDefault(progId, typeName);
  }
  bool ok_ = false;
};

// ---- What a scan should show -------------------------------------------------

struct Row {
  std::wstring name;
  std::wstring cell;  // the Path column
  int icon = 0;       // ImageList1's picture, 1-based
  std::wstring full;  // the real path, as logged
};

using Rows = std::vector<Row>;

std::wstring Joined(const std::wstring& folder, const std::wstring& name) {
  return !folder.empty() && folder.back() == L'\\' ? folder + name : folder + L"\\" + name;
}

// Rows for the files (or only the sub-folders) of a folder, in listing order.
void AddRows(Rows& rows, const std::wstring& folder, int icon, bool folders, bool junkCell,
             const std::vector<std::wstring>& skip = {}) {
  for (const Entry& e : Listing(folder)) {
    if (e.folder != folders || std::find(skip.begin(), skip.end(), e.name) != skip.end()) continue;
    std::wstring full = Joined(folder, e.name);
    rows.push_back({e.name, junkCell ? L"Junk" : full, icon, full});
  }
}

std::string LogLines(const Rows& rows) {
  const std::wstring date = ShortDate();
  std::string out;
  for (const Row& r : rows) out += Ansi(date + r.name + r.full) + "\r\n";
  return out;
}

std::vector<std::vector<std::wstring>> Cells(const Rows& rows) {
  std::vector<std::vector<std::wstring>> cells;
  for (const Row& r : rows) cells.push_back({r.name, r.cell});
  return cells;
}

// ---- The program ---------------------------------------------------------------

// The Cleaner tab of a program whose TEMP and home folder are the test's.
class CleanerE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!UnderWine()) GTEST_SKIP() << "moves the Windows temp and prefetch files aside; runs only in a test Wine prefix";
    systemRoot = Env(L"SystemRoot");
    ASSERT_FALSE(systemRoot.empty());
    prefetch = std::make_unique<HeldFolder>(systemRoot + L"\\Prefetch", L"prefetch");
    windowsTemp = std::make_unique<HeldFolder>(systemRoot + L"\\Temp", L"wintemp");
    cookies = std::make_unique<HeldFolder>(L"C:\\WINDOWS\\Temp\\Cookies", L"cookies");
    for (const HeldFolder* f : {prefetch.get(), windowsTemp.get(), cookies.get()})
      ASSERT_TRUE(f->Stuck().empty()) << "files of " << Narrow(f->path()) << " could not be moved aside";
    userTemp = Scratch(L"cleaner-temp");
    home = Scratch(L"cleaner-home");
    for (const std::wstring& dir : {userTemp, home}) {
      RemoveTree(dir);
      ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
    }
    ASSERT_EQ(home[1], L':');
  }

  void TearDown() override {
    program.reset();  // the scan's deletes are over before anything is put back
    for (const std::wstring& link : links) DropLink(link);
    if (prefetch) prefetch->Restore();
    if (cookies) cookies->Restore();
    if (windowsTemp) windowsTemp->Restore();
    for (const std::wstring& dir : {userTemp, home, Scratch(L"cleaner-app"), Scratch(L"cleaner-precious")})
      if (!dir.empty()) RemoveTree(dir);
  }

  // Starts the program and opens the Cleaner tab; cookies: switch "Clean
  // Cookies" on first (the Option page's toggle starts off).
  void Open(bool cookiesOn) {
    program = std::make_unique<Program>(Scratch(L"cleaner-app"), EnvVars{{L"TEMP", userTemp},
                                                                         {L"HOMEDRIVE", home.substr(0, 2)},
                                                                         {L"HOMEPATH", home.substr(2)}});
    form1 = ShowMainWindow(*program);
    ASSERT_TRUE(form1) << "the main window never came up";
    if (cookiesOn) {
      ClickTab(form1, 3);
      ASSERT_TRUE(WaitFor([&] { return OnView(form1, C(Picture2)); })) << "no Option page";
      HWND ck2 = C(app::ck2);
      ASSERT_EQ(SendMessageW(ck2, BM_GETCHECK, 0, 0), 0) << "\"Clean Cookies\" starts off";
      RECT rc;
      GetClientRect(ck2, &rc);
      ClickAt(ck2, rc.right / 2, rc.bottom / 2);
      ASSERT_TRUE(WaitFor([&] { return SendMessageW(ck2, BM_GETCHECK, 0, 0) == 1; }, 3000));
    }
    ClickTab(form1, 1);
    ASSERT_TRUE(WaitFor([&] { return OnView(form1, C(PicClean)); })) << "no Cleaner page";
    list = C(ListView1);
    ASSERT_TRUE(list);
    EXPECT_EQ(TextOf(C(Label3)), L"Welcome... (Click Scan For Scan)");
    EXPECT_EQ(TextOf(C(Label12)), L"Total Files Found : 0");
    EXPECT_EQ(ListViewCount(list), 0);
    // The list watch has ticked since the load: nothing to remove yet.
    EXPECT_TRUE(WaitFor([&] { return !Enabled(Command2) && !Enabled(Check1); }, 2000));
    ASSERT_EQ(ReadFileBytes(program->LogPath()), kHeader);
  }

  // A link of the test's own, dropped at the end before anything else.
  bool Link(const std::wstring& link, const std::wstring& target) {
    links.push_back(link);
    return MakeLink(link, target);
  }

  HWND C(int id) const { return ControlById(form1, id); }
  bool Enabled(int id) const { return IsWindowEnabled(C(id)) != FALSE; }
  std::string Log() const { return ReadFileBytes(program->LogPath()); }

  // Presses "Scan" (clicks times, at once) and waits for the pass, which
  // comes two seconds later and (finding something) adds to the log.
  void Scan(int clicks = 1) {
    const std::string before = Log();
    for (int i = 0; i < clicks; ++i) Click(C(Command1));
    EXPECT_FALSE(WaitFor([&] { return Log() != before; }, 1200)) << "the pass waits for Timer1's two seconds";
    ASSERT_TRUE(WaitFor([&] { return Log() != before && TextOf(C(Label3)) == L"Searching Completed.."; }, 15000))
        << "the pass never ended; status: " << Narrow(TextOf(C(Label3)));
  }

  // Answers the "Your PC At Risk" box after checking it.
  void AnswerRiskBox() {
    HWND box = program->WaitMessageBox(5000);
    ASSERT_TRUE(box) << "no \"Your PC At Risk\" box";
    EXPECT_EQ(MessageBoxText(box), L"Your PC At Risk");
    EXPECT_EQ(TextOf(box), L"Risk");
    // The icon shows once the box has painted.
    EXPECT_TRUE(WaitFor([&] { return MessageBoxIcon(box) == BoxIcon::Exclamation; }, 3000)) << "exclamation icon";
    // The box comes after the summary.
    EXPECT_EQ(TextOf(C(Label3)), L"Searching Completed..");
    AnswerOk(box);
    ASSERT_TRUE(WaitFor([&] { return program->MessageBoxWindow() == nullptr; }, 5000));
  }

  // Rows shown, with their icons and ticks, against the expected ones.
  void ExpectRows(const Rows& want, const char* when) {
    ASSERT_EQ(ListViewCount(list), static_cast<int>(want.size())) << when;
    EXPECT_EQ(ListViewTable(list, 2), Cells(want)) << when;
    for (size_t i = 0; i < want.size(); ++i) {
      EXPECT_EQ(ListViewImage(list, static_cast<int>(i)), want[i].icon - 1) << when << ", row " << i + 1;
      EXPECT_EQ(ListViewStateImage(list, static_cast<int>(i)), 1) << when << ", row " << i + 1 << " is ticked";
    }
  }

  // Ticks a row as a user does: a click on its check box.
  void ClickTick(int row) {
    POINT at{};
    ASSERT_TRUE(ListViewStateIconPoint(list, row, at)) << "no check box on row " << row + 1;
    ClickAt(list, at.x, at.y);
    ASSERT_TRUE(WaitFor([&] { return ListViewStateImage(list, row) == 2; }, 3000)) << "row " << row + 1;
  }

  void ExpectCounts(const wchar_t* junk, const wchar_t* cookie, const wchar_t* recent, const wchar_t* temp,
                    const std::wstring& total, const char* when) {
    EXPECT_EQ(TextOf(C(Label7)), junk) << when;
    EXPECT_EQ(TextOf(C(Label11)), cookie) << when;
    EXPECT_EQ(TextOf(C(Label5)), recent) << when;
    EXPECT_EQ(TextOf(C(Label9)), temp) << when;
    EXPECT_EQ(TextOf(C(Label12)), total) << when;
  }

  std::wstring systemRoot, userTemp, home;
  std::vector<std::wstring> links;
  std::unique_ptr<HeldFolder> prefetch, windowsTemp, cookies;
  std::unique_ptr<Program> program;
  HWND form1 = nullptr, list = nullptr;
};

// Fifty rows from all five folders: no box. The scan deletes the prefetch,
// cookie, Recent and Windows temp files it can and leaves the user's temp
// folder alone; "Clean All" then takes the ticked rows' files, read-only and
// hidden ones too, and leaves the rest of the list in its order.
TEST_F(CleanerE2E, FiftyRowsFromFiveFoldersThenTickedRowsAndSellectAllAreCleaned) {
  DatTypes types;
  ASSERT_TRUE(types.ok());
  ASSERT_TRUE(CreateDirectoryW((home + L"\\Recent").c_str(), nullptr));

  std::vector<std::wstring> scanDeletes, scanKeeps;
  auto made = [](const std::wstring& path, std::vector<std::wstring>& into) {
    ASSERT_FALSE(path.empty());
    into.push_back(path);
  };
  made(prefetch->Make(L"VEXA-E2E-NOTEPAD.EXE-1A2B3C4D.pf"), scanDeletes);
  made(prefetch->Make(L"vexa-e2e-\u00fcn\u00ef-\u65e5\u672c.pf"), scanDeletes);
  made(cookies->Make(L"vexa-e2e-user@site.txt"), scanDeletes);
  made(cookies->Make(L"vexa-e2e-hidden-cookie.txt", FILE_ATTRIBUTE_HIDDEN), scanDeletes);
  made(cookies->Make(L"vexa-e2e-other.vexadat2"), scanDeletes);  // "DAT file": not the kept type
  made(cookies->Make(L"vexa-e2e-ro-cookie.txt", FILE_ATTRIBUTE_READONLY), scanKeeps);  // the scan's delete fails
  made(cookies->Make(L"vexa-e2e-index.vexadat"), scanKeeps);                            // "DAT File": never listed
  for (const wchar_t* name : {L"vexa-e2e-report.doc.lnk", L"vexa-e2e-\u03a9mega.lnk"}) {
    made(home + L"\\Recent\\" + name, scanDeletes);
    ASSERT_TRUE(MakeFile(scanDeletes.back()));
  }
  made(windowsTemp->Make(L"vexa-e2e-wt-1.tmp"), scanDeletes);
  made(windowsTemp->Make(L"vexa-e2e-wt-\u00fc.tmp"), scanDeletes);
  made(windowsTemp->Make(L"vexa-e2e-wt-ro.tmp", FILE_ATTRIBUTE_READONLY), scanKeeps);
  ASSERT_TRUE(GetFileAttributesW((cookies->path() + L"\\vexa-e2e-hidden-cookie.txt").c_str()) &
              FILE_ATTRIBUTE_HIDDEN);

  // The user's temp folder: 37 files (named ones, then fillers) and two
  // sub-folders, one with a file of its own; with the 13 rows above, 50.
  const std::wstring roTxt = userTemp + L"\\ro.txt", hiddenTxt = userTemp + L"\\hidden.txt",
                     resume = userTemp + L"\\r\u00e9sum\u00e9-\u65e5\u672c.txt", subA = userTemp + L"\\subA";
  ASSERT_TRUE(MakeFile(userTemp + L"\\a.txt"));
  ASSERT_TRUE(MakeFile(resume));
  ASSERT_TRUE(MakeFile(userTemp + L"\\\u041a\u0438\u0440\u0438\u043b\u043b\u0438\u0446\u0430.tmp"));
  ASSERT_TRUE(MakeFile(roTxt, FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(MakeFile(hiddenTxt, FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(GetFileAttributesW(hiddenTxt.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  for (int i = 0; i < 32; ++i) ASSERT_TRUE(MakeFile(userTemp + L"\\fill-" + std::to_wstring(i) + L".tmp"));
  ASSERT_TRUE(CreateDirectoryW(subA.c_str(), nullptr));
  ASSERT_TRUE(MakeFile(subA + L"\\inner.txt"));
  ASSERT_TRUE(CreateDirectoryW((userTemp + L"\\subB").c_str(), nullptr));

  // What the pass should list, in its order, read before it deletes anything.
  Rows want;
  AddRows(want, prefetch->path(), 1, false, true);
  AddRows(want, cookies->path(), 5, false, false, {L"vexa-e2e-index.vexadat"});
  AddRows(want, home + L"\\Recent", 3, false, false);
  AddRows(want, userTemp, 2, false, false);
  AddRows(want, userTemp, 5, true, false);
  AddRows(want, windowsTemp->path(), 5, false, false);
  ASSERT_EQ(want.size(), 50u);

  Open(true);
  if (HasFatalFailure()) return;
  // A file named as the prefetch rows' Path cell, where the program runs.
  const std::wstring decoy = program->Folder() + L"\\Junk";
  ASSERT_TRUE(MakeFile(decoy));
  Screenshot(form1, L"cleaner-before-scan");

  Scan();
  if (HasFatalFailure()) return;
  EXPECT_FALSE(program->WaitMessageBox(1500)) << "fifty rows are not more than fifty";
  ExpectRows(want, "after the scan");
  ExpectCounts(L"2", L"4", L"2", L"42", L"Total Files Found : 50", "after the scan");
  EXPECT_EQ(want[0].cell, L"Junk");

  const std::string log = Log();
  EXPECT_EQ(log, kHeader + LogLines(want));
  if (GetACP() == 1252) {  // characters the code page lacks are '?'
    EXPECT_NE(log.find("\\r\xE9sum\xE9-??.txt\r\n"), std::string::npos) << log;
  }
  EXPECT_EQ(log.find("\xE6\x97\xA5"), std::string::npos) << "the log is not UTF-8";

  for (const std::wstring& path : scanDeletes) EXPECT_FALSE(Exists(path)) << "the scan deletes it";
  for (const std::wstring& path : scanKeeps) EXPECT_TRUE(Exists(path)) << "the scan leaves it";
  for (const Row& r : want) {
    if (r.full.rfind(userTemp, 0) == 0) {
      EXPECT_TRUE(Exists(r.full)) << "the user's temp folder is only listed";
    }
  }
  EXPECT_TRUE(Exists(subA + L"\\inner.txt"));

  EXPECT_TRUE(WaitFor([&] { return Enabled(Command2) && Enabled(Check1); }, 1500))
      << "the list watch enables \"Clean All\" and \"Sellect All\" within a second";
  Screenshot(form1, L"cleaner-after-scan");

  // Rows 2 (a prefetch row, "Junk") and 4 ticked, plus the read-only, hidden
  // and Unicode files of the user's temp folder, a sub-folder, and the two
  // read-only files the scan could not delete.
  auto rowOf = [&](const std::wstring& full) {
    for (size_t i = 0; i < want.size(); ++i)
      if (want[i].full == full) return static_cast<int>(i);
    ADD_FAILURE() << "no row for a file";
    return 0;
  };
  const std::vector<int> byClick = {1, rowOf(hiddenTxt)};
  const std::vector<int> byState = {3, rowOf(roTxt), rowOf(resume), rowOf(subA), rowOf(cookies->path() + L"\\vexa-e2e-ro-cookie.txt"),
                                    rowOf(windowsTemp->path() + L"\\vexa-e2e-wt-ro.tmp")};
  for (int row : byClick) ClickTick(row);
  for (int row : byState) ASSERT_TRUE(ListViewSetStateImage(list, row, 2)) << "row " << row + 1;
  std::vector<int> ticked = byClick;
  ticked.insert(ticked.end(), byState.begin(), byState.end());
  for (size_t i = 0; i < want.size(); ++i) {
    bool on = std::find(ticked.begin(), ticked.end(), static_cast<int>(i)) != ticked.end();
    EXPECT_EQ(ListViewStateImage(list, static_cast<int>(i)), on ? 2 : 1) << "row " << i + 1;
  }

  Rows left, gone;
  for (size_t i = 0; i < want.size(); ++i)
    (std::find(ticked.begin(), ticked.end(), static_cast<int>(i)) != ticked.end() ? gone : left).push_back(want[i]);
  Click(C(Command2));
  ASSERT_TRUE(WaitFor([&] { return ListViewCount(list) == static_cast<int>(left.size()); }, 5000));
  ExpectRows(left, "after \"Clean All\" of the ticked rows");
  for (const std::wstring& path : {roTxt, hiddenTxt, resume, cookies->path() + L"\\vexa-e2e-ro-cookie.txt",
                                   windowsTemp->path() + L"\\vexa-e2e-wt-ro.tmp"})
    EXPECT_FALSE(Exists(path)) << "a ticked file goes, whatever its attributes";
  EXPECT_TRUE(Exists(subA + L"\\inner.txt")) << "a folder is not a file: it stays";
  EXPECT_TRUE(Exists(decoy)) << "a prefetch row's \"Junk\" names no file";
  EXPECT_TRUE(Exists(cookies->path() + L"\\vexa-e2e-index.vexadat"));
  ExpectCounts(L"2", L"4", L"2", L"42", L"Total Files Found : 50", "after \"Clean All\"");
  EXPECT_EQ(Log(), log) << "removal writes nothing to the log";
  EXPECT_TRUE(Enabled(Command2) && Enabled(Check1));
  Screenshot(form1, L"cleaner-after-clean-ticked");

  // "Sellect All", then "Clean All": the list empties and the controls go.
  Click(C(Check1));
  ASSERT_TRUE(WaitFor([&] {
    for (int i = 0; i < static_cast<int>(left.size()); ++i)
      if (ListViewStateImage(list, i) != 2) return false;
    return true;
  }, 3000)) << "\"Sellect All\" ticks every row";
  Click(C(Command2));
  ASSERT_TRUE(WaitFor([&] { return ListViewCount(list) == 0; }, 5000));
  for (const Row& r : left) {
    if (r.full.rfind(userTemp, 0) == 0 && r.icon == 2) {
      EXPECT_FALSE(Exists(r.full));
    }
  }
  EXPECT_TRUE(Exists(userTemp + L"\\subB"));
  EXPECT_TRUE(Exists(decoy));
  EXPECT_TRUE(WaitFor([&] {
    return !Enabled(Command2) && !Enabled(Check1) && SendMessageW(C(Check1), BM_GETCHECK, 0, 0) == BST_UNCHECKED;
  }, 1500)) << "an empty list disables \"Clean All\" and unticks and disables \"Sellect All\" within a second";
  ExpectCounts(L"2", L"4", L"2", L"42", L"Total Files Found : 50", "after \"Sellect All\"");
  EXPECT_EQ(Log(), log);
  Screenshot(form1, L"cleaner-after-clean-all");
}

// Sixty files in the user's temp folder: the box comes after the summary. A
// second pass starts afresh (ticks gone) and finds the same files, since the
// user's temp folder is never cleaned by a scan; "Clean All" then removes them.
// "Clean Cookies" stays off, so the cookies folder is left alone.
TEST_F(CleanerE2E, SixtyTempFilesRaiseTheRiskBoxAndANewPassStartsAfresh) {
  const std::wstring keptCookie = cookies->Make(L"vexa-e2e-kept-cookie.txt");
  ASSERT_FALSE(keptCookie.empty());
  for (int i = 0; i < 60; ++i)
    ASSERT_TRUE(MakeFile(userTemp + L"\\junk-" + std::to_wstring(i) + (i % 2 ? L".log" : L".tmp")));
  Rows want;
  AddRows(want, userTemp, 2, false, false);
  ASSERT_EQ(want.size(), 60u);

  Open(false);
  if (HasFatalFailure()) return;
  Scan();
  if (HasFatalFailure()) return;
  EXPECT_EQ(TextOf(C(Label12)), L"Total Files Found : 60");
  AnswerRiskBox();
  if (HasFatalFailure()) return;
  ExpectRows(want, "after the first pass");
  ExpectCounts(L"0", L"0", L"0", L"60", L"Total Files Found : 60", "after the first pass");
  EXPECT_TRUE(Exists(keptCookie)) << "\"Clean Cookies\" is off";
  EXPECT_EQ(Log(), kHeader + LogLines(want));
  EXPECT_TRUE(WaitFor([&] { return Enabled(Command2) && Enabled(Check1); }, 1500));

  // Rows ticked, then "Scan" pressed twice: one pass, which starts afresh.
  ASSERT_TRUE(ListViewSetStateImage(list, 0, 2));
  ASSERT_TRUE(ListViewSetStateImage(list, 59, 2));
  Scan(2);
  if (HasFatalFailure()) return;
  AnswerRiskBox();
  if (HasFatalFailure()) return;
  ExpectRows(want, "after the second pass");
  EXPECT_EQ(Log(), kHeader + LogLines(want) + LogLines(want)) << "one pass for two clicks";
  EXPECT_FALSE(program->WaitMessageBox(2500)) << "no second pass, no second box";
  Screenshot(form1, L"cleaner-sixty-rows");

  Click(C(Check1));
  ASSERT_TRUE(WaitFor([&] { return ListViewStateImage(list, 0) == 2 && ListViewStateImage(list, 59) == 2; }, 3000));
  Click(C(Command2));
  ASSERT_TRUE(WaitFor([&] { return ListViewCount(list) == 0; }, 5000));
  EXPECT_TRUE(FilesIn(userTemp, L"*").empty()) << "every ticked file is deleted";
  EXPECT_TRUE(Exists(keptCookie));
  EXPECT_TRUE(WaitFor([&] { return !Enabled(Command2) && !Enabled(Check1); }, 1500));
  ExpectCounts(L"0", L"0", L"0", L"60", L"Total Files Found : 60", "after \"Clean All\"");
}

// Links are items of their own: a link in the Windows temp folder is listed
// and deleted by the scan, a link in the user's temp folder listed and
// removed by "Clean All", each at most itself: what they point at (files of
// the test's own, one read-only) stays as it was. Where the system cannot
// delete a link without its target (Wine, for a link to a file), the link
// stays too.
TEST_F(CleanerE2E, LinksGoAsThemselvesAndWhatTheyPointAtStays) {
  const std::wstring precious = Scratch(L"cleaner-precious");
  RemoveTree(precious);
  ASSERT_TRUE(CreateDirectoryW(precious.c_str(), nullptr));
  const std::wstring keep = precious + L"\\keep.txt", keepRo = precious + L"\\keep-ro.txt";
  ASSERT_TRUE(MakeFile(keep));
  ASSERT_TRUE(MakeFile(keepRo, FILE_ATTRIBUTE_READONLY));
  const std::wstring fileLink = windowsTemp->Link(L"vexa-e2e-link.tmp", keep);
  const std::wstring folderLink = userTemp + L"\\linked", roLink = userTemp + L"\\linked-ro.txt";
  if (fileLink.empty() || !Link(folderLink, precious) || !Link(roLink, keepRo))
    GTEST_SKIP() << "no links on this system";
  ASSERT_TRUE(GetFileAttributesW(folderLink.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);

  Rows want;
  AddRows(want, userTemp, 2, false, false);
  AddRows(want, userTemp, 5, true, false);
  AddRows(want, windowsTemp->path(), 5, false, false);
  ASSERT_EQ(want.size(), 3u) << "a folder link lists as a sub-folder, a file link as a file";

  Open(false);
  if (HasFatalFailure()) return;
  Scan();
  if (HasFatalFailure()) return;
  ExpectRows(want, "after the scan");
  ExpectCounts(L"0", L"0", L"0", L"3", L"Total Files Found : 3", "after the scan");
  EXPECT_EQ(ReadFileBytes(keep), "junk") << "the scan's delete of the link does not reach what it points at";

  ASSERT_TRUE(WaitFor([&] { return Enabled(Check1); }, 1500));
  Click(C(Check1));
  ASSERT_TRUE(WaitFor([&] { return ListViewStateImage(list, 0) == 2 && ListViewStateImage(list, 2) == 2; }, 3000));
  Click(C(Command2));
  ASSERT_TRUE(WaitFor([&] { return ListViewCount(list) == 0; }, 5000));
  EXPECT_EQ(ReadFileBytes(keep), "junk");
  EXPECT_EQ(ReadFileBytes(keepRo), "junk");
  EXPECT_EQ(GetFileAttributesW(keepRo.c_str()) & FILE_ATTRIBUTE_READONLY, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY))
      << "\"Clean All\" of a link does not reset its target's attributes";
  EXPECT_EQ(FilesIn(precious, L"*").size(), 2u);
  // The folder link goes where the system can open it as itself; otherwise
  // it stays a link.
  if (Exists(folderLink)) {
    EXPECT_TRUE(GetFileAttributesW(folderLink.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
  }
}

}  // namespace
}  // namespace vexa::e2e
