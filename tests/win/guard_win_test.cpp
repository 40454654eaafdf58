// The process guard on the real system: processes this test starts (copies
// of this very program, idling in a disabled test until told to end), the
// real files, windows and the alert window.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "guard/keyword_watch_page.h"
#include "guard/mod_blok_logger.h"
#include "guard/win32/alert_window.h"
#include "guard/win32/page_controls.h"
#include "guard/window_list_page.h"
#include "platform/text.h"
#include "platform/win32/handles.h"
#include "platform/win32/process_table_win32.h"
#include "platform/win32/win32_platform.h"
#include "tests/fakes/fake_ui.h"

namespace vexa {
namespace {

using win32::ScopedHandle;

std::wstring OwnExe() {
  win32::Win32Environment env;
  return env.ExecutablePath();
}

std::wstring TestFolder() {
  wchar_t buf[MAX_PATH];
  GetTempPathW(MAX_PATH, buf);
  std::wstring dir = std::wstring(buf) + L"vexa-guard-test";
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

bool EndsWithNoCase(const std::wstring& text, const std::wstring& tail) {
  if (text.size() < tail.size()) return false;
  return CompareStringOrdinal(text.c_str() + text.size() - tail.size(), static_cast<int>(tail.size()), tail.c_str(),
                              static_cast<int>(tail.size()), TRUE) == CSTR_EQUAL;
}

// A copy of this program with the markers' bytes appended (put together at
// run time, as the program does), or without them.
std::wstring MakeChildExe(const std::wstring& name, bool withMarker) {
  const std::wstring path = TestFolder() + L"\\" + name;
  DeleteFileW(path.c_str());
  if (!CopyFileW(OwnExe().c_str(), path.c_str(), FALSE)) return {};
  if (withMarker) {
    win32::Win32FileSystem files;
    files.Append(path, "\x01\x02" + guard::MarkerSet::Keylogger().Needle(2) + "\x03");
  }
  return path;
}

// A copy of this program that idles until told to end (or 120 s pass).
class Child {
 public:
  explicit Child(const std::wstring& exe) {
    static int serial = 0;
    const std::wstring tag = std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
    const std::wstring readyName = L"Local\\vexa-guard-ready-" + tag, quitName = L"Local\\vexa-guard-quit-" + tag;
    ready_.reset(CreateEventW(nullptr, TRUE, FALSE, readyName.c_str()));
    quit_.reset(CreateEventW(nullptr, TRUE, FALSE, quitName.c_str()));
    SetEnvironmentVariableW(L"VEXA_GUARD_READY", readyName.c_str());
    SetEnvironmentVariableW(L"VEXA_GUARD_QUIT", quitName.c_str());
    std::wstring cmd = L"\"" + exe + L"\" --gtest_filter=GuardChild.DISABLED_IdlesUntilEnded "
                       L"--gtest_also_run_disabled_tests";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    ScopedHandle nul(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                 OPEN_EXISTING, 0, nullptr));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = si.hStdOutput = si.hStdError = nul.get();
    PROCESS_INFORMATION pi{};
    if (CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si,
                       &pi)) {
      process_.reset(pi.hProcess);
      CloseHandle(pi.hThread);
      id_ = pi.dwProcessId;
      HANDLE both[] = {ready_.get(), process_.get()};
      WaitForMultipleObjects(2, both, FALSE, 30000);
    }
    SetEnvironmentVariableW(L"VEXA_GUARD_READY", nullptr);
    SetEnvironmentVariableW(L"VEXA_GUARD_QUIT", nullptr);
  }
  ~Child() {
    if (!process_) return;
    SetEvent(quit_.get());
    if (WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) TerminateProcess(process_.get(), 1);
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  ProcessId id() const { return id_; }
  bool Running() const { return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }
  bool EndsWithin(DWORD ms) const { return process_ && WaitForSingleObject(process_.get(), ms) == WAIT_OBJECT_0; }
  DWORD ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
  }

 private:
  ScopedHandle process_, ready_, quit_;
  ProcessId id_ = 0;
};

TEST(GuardChild, DISABLED_IdlesUntilEnded) {
  wchar_t ready[128], quit[128];
  if (!GetEnvironmentVariableW(L"VEXA_GUARD_READY", ready, 128) || !GetEnvironmentVariableW(L"VEXA_GUARD_QUIT", quit, 128))
    GTEST_SKIP() << "only run as a child of the guard tests";
  ScopedHandle quitEvent(OpenEventW(SYNCHRONIZE, FALSE, quit));
  ScopedHandle readyEvent(OpenEventW(EVENT_MODIFY_STATE, FALSE, ready));
  SetEvent(readyEvent.get());
  WaitForSingleObject(quitEvent.get(), 120000);
}

// The real table, with the snapshot cut down to the processes named: a scan
// in a test must not reach anything it did not start.
class OnlyThese : public win32::Win32ProcessTable {
 public:
  explicit OnlyThese(std::set<ProcessId> ids) : ids_(std::move(ids)) {}
  std::vector<ProcessEntry> Snapshot() const override {
    std::vector<ProcessEntry> all = Win32ProcessTable::Snapshot(), out;
    for (const auto& e : all)
      if (ids_.count(e.id)) out.push_back(e);
    return out;
  }

 private:
  std::set<ProcessId> ids_;
};

class RecordingSink : public guard::LoggerScanSink {
 public:
  int Level() const override { return 80; }
  void AddRow(const std::wstring& text) override { rows.push_back(text); }
  void StopAnimation() override {}
  std::vector<std::wstring> rows;
};

struct Engine {
  explicit Engine(ProcessTable& table) : log(files, clock, TestFolder()), engine(table, log, boxes, pump) {
    DeleteFileW(log.FilePath().c_str());
  }
  win32::Win32FileSystem files;
  win32::Win32Clock clock;
  ActivityLog log;
  fakes::FakeMessageBoxes boxes;
  fakes::FakeEventPump pump;
  guard::ModBlokLogger engine;
};

TEST(Win32ProcessTable, SnapshotAndImagePathOfAProcessWeStarted) {
  const std::wstring exe = MakeChildExe(L"vexa-child-clean.exe", false);
  Child child(exe);
  ASSERT_TRUE(child.Running());
  win32::Win32ProcessTable table;
  auto snapshot = table.Snapshot();
  auto it = std::find_if(snapshot.begin(), snapshot.end(), [&](const ProcessEntry& e) { return e.id == child.id(); });
  ASSERT_NE(it, snapshot.end());
  EXPECT_EQ(it->exeName, L"vexa-child-clean.exe");
  EXPECT_TRUE(std::any_of(snapshot.begin(), snapshot.end(),
                          [&](const ProcessEntry& e) { return e.id == GetCurrentProcessId(); }));

  Engine e(table);
  const std::wstring path = e.engine.GetProcessPath(child.id());
  EXPECT_TRUE(EndsWithNoCase(path, L"\\vexa-guard-test\\vexa-child-clean.exe")) << ToUtf8(path);
  EXPECT_TRUE(table.PathExists(path));
  EXPECT_EQ(e.engine.GetProcessPath(0xFFFFFFF0u), L"SYSTEM");
  EXPECT_FALSE(table.IsCritical(child.id()));
  EXPECT_EQ(table.CurrentId(), GetCurrentProcessId());
}

TEST(Win32ProcessTable, TerminatesAProcessWeStartedWithExitCodeZero) {
  Child child(MakeChildExe(L"vexa-child-end.exe", false));
  ASSERT_TRUE(child.Running());
  win32::Win32ProcessTable table;
  EXPECT_TRUE(table.Terminate(child.id()));
  EXPECT_TRUE(child.EndsWithin(10000));
  EXPECT_EQ(child.ExitCode(), 0u);
  EXPECT_FALSE(table.Terminate(0xFFFFFFF0u));  // no such process
}

TEST(Win32ProcessTable, WindowsFolderHasNoTrailingBackslash) {
  win32::Win32ProcessTable table;
  const std::wstring w = table.WindowsFolder();
  ASSERT_FALSE(w.empty());
  EXPECT_NE(w.back(), L'\\');
  EXPECT_TRUE(table.PathExists(w + L"\\system32"));
}

TEST(Win32ProcessTable, FilesWithUnicodeNamesAreSizedNamedAndReadWithoutLockingOthersOut) {
  win32::Win32ProcessTable table;
  const std::wstring path = TestFolder() + L"\\Vexa-\u00e9\u4e2d-File.bin";
  {
    std::string bytes(100, 'a');
    win32::Win32FileSystem files;
    DeleteFileW(path.c_str());
    ASSERT_TRUE(files.WriteNew(path, bytes));
  }
  EXPECT_EQ(table.FileLength(path), std::optional<std::uint64_t>(100));
  std::wstring upper = path;
  CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
  EXPECT_EQ(table.StoredFileName(upper), L"Vexa-\u00e9\u4e2d-File.bin");  // the name as stored
  EXPECT_EQ(table.StoredFileName(TestFolder()), L"");                      // a folder is no file
  EXPECT_EQ(table.FileLength(TestFolder()), std::nullopt);
  EXPECT_TRUE(table.PathExists(TestFolder()));
  EXPECT_EQ(table.StoredFileName(TestFolder() + L"\\*.bin"), L"");

  // Another program holds the file open for writing; we read, and while we
  // read it may still write to and delete it.
  ScopedHandle writer(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(writer);
  char buf[64];
  std::size_t total = 0;
  bool othersCouldOpen = false;
  EXPECT_TRUE(table.ReadHead(path, 90, buf, sizeof buf, [&](std::size_t n) {
    total += n;
    ScopedHandle other(CreateFileW(path.c_str(), GENERIC_WRITE | DELETE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                   nullptr));
    othersCouldOpen = static_cast<bool>(other);
    return true;
  }));
  EXPECT_EQ(total, 90u);  // never past the limit
  EXPECT_TRUE(othersCouldOpen);
  writer.reset();
  EXPECT_FALSE(table.ReadHead(path + L".missing", 10, buf, sizeof buf, [](std::size_t) { return true; }));
  DeleteFileW(path.c_str());
}

TEST(GuardBuiltExecutables, CarryNoMarker) {
  win32::Win32ProcessTable table;
  Engine e(table);
  const std::wstring own = OwnExe();
  ASSERT_TRUE(table.FileLength(own).has_value());
  EXPECT_FALSE(e.engine.IsLoggerFile(own));
  EXPECT_EQ(e.engine.LastBytesRead(), *table.FileLength(own));  // examined to the end
  // The program itself, built beside the tests.
  const std::wstring folder = own.substr(0, own.find_last_of(L'\\'));
  const std::wstring program = folder + L"\\..\\app\\VexaUtility.exe";
  if (!table.PathExists(program)) GTEST_SKIP() << "VexaUtility.exe not built";
  EXPECT_FALSE(e.engine.IsLoggerFile(program));
  EXPECT_EQ(e.engine.LastBytesRead(), *table.FileLength(program));
  // The same file with a marker appended is caught.
  const std::wstring marked = MakeChildExe(L"vexa-marked-copy.exe", true);
  EXPECT_TRUE(e.engine.IsLoggerFile(marked));
}

TEST(GuardScan, EndsOnlyTheMarkedProcessesAndReportsEach) {
  Child clean(MakeChildExe(L"vexa-child-clean2.exe", false));
  Child marked(MakeChildExe(L"vexa-child-marked.exe", true));
  Child unicode(MakeChildExe(L"vexa-\u00e9\u4e2d.exe", true));
  Child sameName(MakeChildExe(L"csrss.exe", true));  // not in the system folder: not protected
  ASSERT_TRUE(clean.Running() && marked.Running() && unicode.Running() && sameName.Running());

  OnlyThese table({GetCurrentProcessId(), clean.id(), marked.id(), unicode.id(), sameName.id()});
  Engine e(table);
  RecordingSink sink;
  e.engine.ScanLoggers(sink);

  EXPECT_TRUE(marked.EndsWithin(10000));
  EXPECT_TRUE(unicode.EndsWithin(10000));
  EXPECT_TRUE(sameName.EndsWithin(10000));
  EXPECT_EQ(marked.ExitCode(), 0u);
  EXPECT_TRUE(clean.Running());
  ASSERT_EQ(e.boxes.shown.size(), 3u);
  EXPECT_EQ(e.boxes.shown[0].title, L"Found");
  ASSERT_EQ(sink.rows.size(), 12u);
  std::set<std::wstring> reported = {sink.rows[2], sink.rows[6], sink.rows[10]};
  EXPECT_TRUE(reported.count(L"- Keylogger Detected ... [ vexa-child-marked.exe ]"));
  EXPECT_TRUE(reported.count(L"- Keylogger Detected ... [ vexa-\u00e9\u4e2d.exe ]"));
  EXPECT_TRUE(reported.count(L"- Keylogger Detected ... [ csrss.exe ]"));

  std::ifstream in(ToUtf8(e.log.FilePath()), std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::size_t blocks = 0;
  for (std::size_t at = 0; (at = text.find("Keylogger Has Blocked", at)) != std::string::npos; ++at) ++blocks;
  EXPECT_EQ(blocks, 3u);
}

TEST(GuardScan, NeverEndsTheSystemsCriticalProcessesOrItself) {
  win32::Win32ProcessTable table;
  Engine e(table);
  ProcessId services = 0;
  for (const auto& p : table.Snapshot())
    if (CompareStringOrdinal(p.exeName.c_str(), -1, L"services.exe", -1, TRUE) == CSTR_EQUAL) services = p.id;
  EXPECT_TRUE(e.engine.IsProtected(GetCurrentProcessId(), e.engine.GetProcessPath(GetCurrentProcessId())));
  e.engine.KillProcess(GetCurrentProcessId());  // still here to see the next line
  if (services == 0) GTEST_SKIP() << "no services.exe running";
  const std::wstring path = e.engine.GetProcessPath(services);
  EXPECT_TRUE(e.engine.IsProtected(services, path)) << ToUtf8(path);
  e.engine.KillProcess(services);
  ScopedHandle h(OpenProcess(SYNCHRONIZE, FALSE, services));
  ASSERT_TRUE(h);
  EXPECT_EQ(WaitForSingleObject(h.get(), 500), static_cast<DWORD>(WAIT_TIMEOUT));
}

// ---- windows ----

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(h, m, w, l); }

const wchar_t kTestClass[] = L"VexaGuardTestWindow";

void RegisterTestClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = PlainProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kTestClass;
  RegisterClassExW(&wc);
}

HWND MakeWindow(const wchar_t* title, bool visible) {
  RegisterTestClass();
  return CreateWindowExW(0, kTestClass, title, WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 10, 10, 200, 100,
                         nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// Lets the thread's pending messages run, a bounded number of rounds.
void Flush(int rounds = 50) {
  MSG msg;
  for (int i = 0; i < rounds; ++i) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

class GuardWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    host_ = MakeWindow(L"Guard host", false);
    if (!host_) GTEST_SKIP() << "no window station";
  }
  void TearDown() override {
    if (host_) DestroyWindow(host_);
    Flush(2);
  }
  HWND AddControl(const wchar_t* cls, DWORD style) {
    return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 300, 200, host_, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }
  HWND host_ = nullptr;
};

TEST_F(GuardWindows, WindowListHoldsATestWindowAndEndTaskClosesIt) {
  HWND shown = MakeWindow(L"Guard test window", true);
  HWND hidden = MakeWindow(L"Guard hidden window", false);
  ASSERT_TRUE(shown && hidden);
  win32::Win32Desktop desktop;
  HWND listBox = AddControl(L"LISTBOX", LBS_NOTIFY | WS_VSCROLL);
  auto font = guard::win32::UseFixedPitchFont(listBox);
  guard::win32::ListBoxLines list1(listBox);
  fakes::FakeToggle chk1{1}, chk2{0};
  fakes::FakeEventPump pump;
  guard::WindowListPage page(desktop, list1, chk1, chk2, pump);
  page.cmdRefresh_Click();

  const int count = static_cast<int>(SendMessageW(listBox, LB_GETCOUNT, 0, 0));
  int at = -1;
  for (int i = 0; i < count; ++i) {
    wchar_t text[600] = {};
    SendMessageW(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    EXPECT_NE(std::wstring(text), L"Guard hidden window (VexaGuardTestWindow)");
    if (std::wstring(text) == L"Guard test window (VexaGuardTestWindow)") at = i;
  }
  ASSERT_GE(at, 0);
  EXPECT_EQ(SendMessageW(listBox, LB_GETITEMDATA, at, 0), reinterpret_cast<LRESULT>(shown));

  chk1.value = 0;
  chk2.value = 1;
  page.cmdRefresh_Click();
  bool hiddenListed = false;
  for (int i = 0; i < static_cast<int>(SendMessageW(listBox, LB_GETCOUNT, 0, 0)); ++i)
    hiddenListed |= SendMessageW(listBox, LB_GETITEMDATA, i, 0) == reinterpret_cast<LRESULT>(hidden);
  EXPECT_TRUE(hiddenListed);

  chk1.value = 1;
  chk2.value = 0;
  page.cmdRefresh_Click();
  for (int i = 0; i < static_cast<int>(SendMessageW(listBox, LB_GETCOUNT, 0, 0)); ++i)
    if (SendMessageW(listBox, LB_GETITEMDATA, i, 0) == reinterpret_cast<LRESULT>(shown))
      SendMessageW(listBox, LB_SETCURSEL, i, 0);
  page.List1_Click();
  EXPECT_EQ(page.SelectedWindow(), reinterpret_cast<WindowId>(shown));
  page.cmdEndTsk_Click();
  Flush();
  EXPECT_FALSE(IsWindow(shown));
  page.cmdEndTsk_Click();  // the same, now gone: goes nowhere
  DestroyWindow(hidden);
}

TEST_F(GuardWindows, EndTaskDoesNotWaitForAWindowThatNeverAnswers) {
  HANDLE created = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HWND stuck = nullptr;
  std::thread owner([&] {
    stuck = MakeWindow(L"Guard stuck window", true);
    SetEvent(created);
    WaitForSingleObject(release, 30000);  // not pumping: the window does not answer
    for (int i = 0; i < 200 && IsWindow(stuck); ++i) Flush(1);
  });
  WaitForSingleObject(created, 10000);
  ASSERT_TRUE(stuck);
  win32::Win32Desktop desktop;
  const ULONGLONG start = GetTickCount64();
  desktop.RequestClose(reinterpret_cast<WindowId>(stuck));
  EXPECT_LT(GetTickCount64() - start, 2000u);
  SetEvent(release);
  owner.join();
  EXPECT_FALSE(IsWindow(stuck));  // it closed once its thread pumped again
  CloseHandle(created);
  CloseHandle(release);
}

TEST_F(GuardWindows, AlertWindowIsATopmostMessageWithTheTextAndOkUnloadsIt) {
  guard::win32::AlertWindow alert(host_);
  alert.Show(L"jangan\r\n");
  HWND first = alert.Handle();
  ASSERT_TRUE(first);
  EXPECT_TRUE(IsWindowVisible(first));
  wchar_t text[64] = {};
  GetWindowTextW(first, text, 64);
  EXPECT_STREQ(text, L"Message");
  EXPECT_TRUE(GetWindowLongPtrW(first, GWL_EXSTYLE) & WS_EX_TOPMOST);
  GetWindowTextW(alert.Label1(), text, 64);
  EXPECT_STREQ(text, L"jangan\r\n");
  GetWindowTextW(alert.Command1(), text, 64);
  EXPECT_STREQ(text, L"OK");
  EXPECT_FALSE(GetWindowLongPtrW(first, GWL_STYLE) & WS_THICKFRAME);  // fixed border

  alert.Show(L"again");
  EXPECT_EQ(alert.Handle(), first);  // still loaded: the same window
  GetWindowTextW(alert.Label1(), text, 64);
  EXPECT_STREQ(text, L"again");

  SendMessageW(alert.Command1(), BM_CLICK, 0, 0);
  Flush(2);
  EXPECT_EQ(alert.Handle(), nullptr);
  EXPECT_FALSE(IsWindow(first));
  alert.Show(L"third");
  EXPECT_TRUE(IsWindow(alert.Handle()));  // loaded again
  guard::win32::MakeTopmost(alert.Handle(), false);
  EXPECT_FALSE(GetWindowLongPtrW(alert.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(GuardWindows, KeywordWatchRaisesTheAlertForTheForegroundTitle) {
  HWND target = MakeWindow(L"Chat - ini Babi", true);
  ASSERT_TRUE(target);
  SetForegroundWindow(target);
  Flush(5);
  if (GetForegroundWindow() != target) {
    DestroyWindow(target);
    GTEST_SKIP() << "the test window could not take the foreground";
  }
  win32::Win32Desktop desktop;
  HWND listBox = AddControl(L"LISTBOX", LBS_NOTIFY);
  guard::win32::ListBoxStrings list2(listBox);
  for (const auto& word : guard::KeywordWatchPage::DesignKeywords()) list2.Add(word);
  fakes::FakeCaption text2, text3{L"watch your words"};
  fakes::FakeToggle ckWatch{1};
  fakes::FakeTimer timer8{1000, true};
  fakes::FakeMessageBoxes boxes;
  guard::win32::AlertWindow alert(host_);
  guard::KeywordWatchPage page(desktop, alert, {list2, text2, text3, ckWatch, timer8, boxes});

  page.Timer8_Timer();
  ASSERT_TRUE(alert.Handle());
  wchar_t text[64] = {};
  GetWindowTextW(alert.Label1(), text, 64);
  EXPECT_STREQ(text, L"watch your words");

  DestroyWindow(target);
}

TEST_F(GuardWindows, ListsAndLevelOverRealControls) {
  guard::win32::ListBoxStrings list2(AddControl(L"LISTBOX", LBS_NOTIFY));
  for (const wchar_t* word : {L"BABI", L"", L"TOL"}) list2.Add(word);
  SendMessageW(AddControl(L"LISTBOX", 0), LB_SETCURSEL, 0, 0);  // another list's selection is not ours
  EXPECT_EQ(list2.SelectedIndex(), -1);
  list2.RemoveAt(0);
  ASSERT_EQ(list2.Count(), 2);
  EXPECT_EQ(list2.Item(0), L"");  // order kept, empty keyword kept
  EXPECT_EQ(list2.Item(1), L"TOL");

  HWND view = AddControl(WC_LISTVIEWW, LVS_REPORT);
  LVCOLUMNW col{};
  col.mask = LVCF_WIDTH;
  col.cx = 250;
  SendMessageW(view, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&col));
  guard::win32::ListViewRows rows(view);
  for (const wchar_t* row : {L"Scan Now..", L"", L"- Keylogger Detected ... [ \u4e2d.exe ]"}) rows.AddRow(row);
  ASSERT_EQ(rows.Count(), 3);
  EXPECT_EQ(rows.Row(2), L"- Keylogger Detected ... [ \u4e2d.exe ]");  // added at the end
  rows.Clear();
  EXPECT_EQ(rows.Count(), 0);

  HWND bar = AddControl(L"SCROLLBAR", SBS_HORZ);
  SetScrollRange(bar, SB_CTL, 0, 100, FALSE);
  SetScrollPos(bar, SB_CTL, 64, FALSE);
  EXPECT_EQ(guard::win32::ScrollBarLevel(bar).Value(), 64);
}

}  // namespace
}  // namespace vexa
