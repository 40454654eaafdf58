// The process guard as a user meets it: the keylogger blocker ending a
// process whose file carries a marker, the window list with "End Task", and
// the title keyword watch with its "Message" alert.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/control_ids.h"
#include "tests/e2e/driver.h"

namespace vexa::e2e {
namespace {

using namespace vexa::app;

std::wstring Scratch(const std::wstring& name) {
  wchar_t buf[MAX_PATH];
  GetTempPathW(MAX_PATH, buf);
  return std::wstring(buf) + L"vexa-e2e-" + name;
}

// Something unique in this run, for window titles and class names.
std::wstring Unique() { return std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount()); }

int Px(HWND w, int twips) {
  HDC dc = GetDC(w);
  int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(w, dc);
  return MulDiv(twips, dpi, 1440);
}

void ClickToolboxTab(HWND form1) { ClickAt(form1, Px(form1, 800), Px(form1, 3240 + 100)); }

std::string Narrow(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::string ShortDate() {
  wchar_t buf[128];
  int n = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buf, 128, nullptr);
  return Narrow(std::wstring(buf, n > 0 ? n - 1 : 0));
}

// The program, started afresh, its splash over and its main window shown
// from the tray.
class GuardProgram : public ::testing::Test {
 protected:
  void Start(const std::wstring& name) {
    program = std::make_unique<Program>(Scratch(name));
    ASSERT_TRUE(program->WaitWindow(L"Form2", false, 20000) && WaitFor([&] { return program->TrayIconPresent(); }))
        << "the program never reached the tray";
    ASSERT_TRUE(program->TrayMenu(1));
    form1 = program->WaitWindow(L"VexaUtility Solace", true, 5000);
    ASSERT_TRUE(form1);
    ClickToolboxTab(form1);
    ASSERT_TRUE(WaitFor([&] { return OnView(form1, C(PicTool)); })) << "the Toolbox page";
  }
  HWND C(int id) const { return ControlById(form1, id); }
  bool View(int parent, int child) const { return OnView(C(parent), C(child)); }
  // The program still serves its window promptly.
  bool Answers() const {
    DWORD_PTR ignored;
    return SendMessageTimeoutW(form1, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored) != 0;
  }

  std::unique_ptr<Program> program;
  HWND form1 = nullptr;
};

// ---------------------------------------------------------------------------
// Keylogger blocker

// A copy of the sleeper helper started by this test, ended by its handle.
class Sleeper {
 public:
  explicit Sleeper(const std::wstring& exe) {
    STARTUPINFOW si{sizeof si};
    std::wstring cmd = L"\"" + exe + L"\" 180";
    started_ = CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_) != 0;
  }
  ~Sleeper() {
    if (Running()) {
      TerminateProcess(pi_.hProcess, 99);
      WaitForSingleObject(pi_.hProcess, 5000);
    }
    if (pi_.hProcess) CloseHandle(pi_.hProcess);
    if (pi_.hThread) CloseHandle(pi_.hThread);
  }
  Sleeper(const Sleeper&) = delete;
  Sleeper& operator=(const Sleeper&) = delete;
  bool Started() const { return started_; }
  bool Running() const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }
  bool Ended(int ms) const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0; }

 private:
  bool started_ = false;
  PROCESS_INFORMATION pi_{};
};

// A folder for the stand-ins, emptied and removed when the test ends (after
// the stand-ins declared later have been ended).
class SleeperFolder {
 public:
  explicit SleeperFolder(const std::wstring& name) : path_(Scratch(name)) { CreateDirectoryW(path_.c_str(), nullptr); }
  ~SleeperFolder() {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((path_ + L"\\*.exe").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do DeleteFileW((path_ + L"\\" + fd.cFileName).c_str());
      while (FindNextFileW(h, &fd));
      FindClose(h);
    }
    RemoveDirectoryW(path_.c_str());
  }
  SleeperFolder(const SleeperFolder&) = delete;
  SleeperFolder& operator=(const SleeperFolder&) = delete;
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

// Copies the sleeper to `folder\name` with `tail` appended to the file.
bool CopySleeper(const std::wstring& folder, const std::wstring& name, const std::string& tail) {
  std::wstring target = folder + L"\\" + name;
  if (!CopyFileW(BesideTests(L"e2e_sleeper.exe").c_str(), target.c_str(), FALSE)) return false;
  if (tail.empty()) return true;
  HANDLE f = CreateFileW(target.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(f, tail.data(), static_cast<DWORD>(tail.size()), &written, nullptr) && written == tail.size();
  CloseHandle(f);
  return ok;
}

// The markers, made 8-bit only at run time: this program must not carry them
// in its own file, or the scan would end the test itself.
std::string KeysMarker() { return Narrow(L"Key" L"stroke"); }
std::string ViewerMarker() { return Narrow(L"Team" L"Viewer"); }

const std::wstring kMarked = L"e2e-keys.exe";
// A name beyond the 8-bit code page: listed whole, logged as that page holds it.
const std::wstring kViewer = L"e2e-zo\u00eb-\u043a\u043b\u044e\u0447.exe";
const std::wstring kClean = L"e2e-clean.exe";

TEST(GuardSelf, ThisTestProgramCarriesNoMarker) {
  wchar_t self[MAX_PATH];
  std::string bytes = ReadFileBytes(std::wstring(self, GetModuleFileNameW(nullptr, self, MAX_PATH)));
  ASSERT_GT(bytes.size(), 1000u);
  EXPECT_EQ(bytes.find(KeysMarker()), std::string::npos) << "the scan would end the tests";
  EXPECT_EQ(bytes.find(ViewerMarker()), std::string::npos) << "the scan would end the tests";
}

TEST_F(GuardProgram, LoggerScanEndsTheMarkedProcessesListsAndLogsThem) {
  // Three stand-ins: the same program, two of them with a marker appended.
  const SleeperFolder folder(L"guard-sleepers");
  ASSERT_TRUE(CopySleeper(folder.path(), kMarked, "\r\n" + KeysMarker() + "\r\n"));
  ASSERT_TRUE(CopySleeper(folder.path(), kViewer, ViewerMarker()));
  ASSERT_TRUE(CopySleeper(folder.path(), kClean, ""));
  Sleeper marked(folder / kMarked), viewer(folder / kViewer), clean(folder / kClean);
  ASSERT_TRUE(marked.Started() && viewer.Started() && clean.Started());

  ASSERT_NO_FATAL_FAILURE(Start(L"guard-logger"));
  const std::string dayBefore = ShortDate();
  Click(C(oxbutton4));  // "Logger Block"
  ASSERT_TRUE(WaitFor([&] { return View(PicTool, Picture3) && !IsWindowVisible(C(PicTask)); }));
  HWND scan = C(oxbutton1), clear = C(oxbutton2), rows = C(ListView2);
  EXPECT_EQ(TextOf(scan), L"Scan");
  EXPECT_FALSE(IsWindowEnabled(clear));
  EXPECT_EQ(ListViewCount(rows), 0);

  Click(scan);
  ASSERT_TRUE(WaitFor([&] { return TextOf(scan) == L"Stop"; }, 3000));
  EXPECT_FALSE(IsWindowEnabled(clear)) << "Clear List stays off while scanning";
  ASSERT_TRUE(WaitFor([&] { return ListViewCount(rows) >= 1; }, 10000));
  EXPECT_EQ(ListViewText(rows, 0), L"Scan Now..");
  Screenshot(form1, L"guard-logger-scanning");

  // The pass comes once the bar is full (100 ticks of 100 ms, slower under
  // load): a "Found" box per marked process, each answered in turn. Wine's
  // own programs that carry a marker would be found too, if any still runs.
  int boxes = 0;
  for (;;) {
    HWND box = nullptr;
    WaitFor([&] { return (box = program->MessageBoxWindow()) != nullptr || TextOf(scan) == L"Scan"; }, 60000);
    if (!box) break;
    ++boxes;
    EXPECT_EQ(TextOf(box), L"Found");
    EXPECT_EQ(MessageBoxText(box), L"Your PC has detected a Logger Proccess..!! Proccess this block");
    EXPECT_TRUE(WaitFor([&] { return MessageBoxIcon(box) == BoxIcon::Stop; }, 3000)) << "the critical icon";
    if (boxes == 1) {
      Screenshot(box, L"guard-logger-found");
      EXPECT_TRUE(marked.Running() && viewer.Running()) << "nothing is ended before the box is answered";
      EXPECT_EQ(TextOf(scan), L"Stop");
    }
    AnswerOk(box);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 5000));
  }
  ASSERT_EQ(TextOf(scan), L"Scan") << "the scan never finished";
  EXPECT_GE(boxes, 2);

  EXPECT_TRUE(marked.Ended(5000)) << "the process whose file carries the first text marker is ended";
  EXPECT_TRUE(viewer.Ended(5000)) << "the process whose file carries the second text marker is ended";
  EXPECT_TRUE(clean.Running()) << "the same program without a marker runs on";
  EXPECT_TRUE(program->Running());
  EXPECT_TRUE(Answers());

  // The rows: the phase lines, the finish block, then four rows per
  // detection in snapshot order.
  std::vector<std::wstring> got = ListViewRows(rows);
  const std::vector<std::wstring> head = {L"Scan Now..", L"Scan Proccess... ", L"Scan Proccess Windows....",
                                          L"Scan C:\\Windows\\System32..... ",
                                          L".", L".", L".", L".", L".", L"", L"Finish..."};
  ASSERT_EQ(got.size(), head.size() + 4u * boxes);
  EXPECT_EQ(std::vector<std::wstring>(got.begin(), got.begin() + head.size()), head);
  std::vector<std::wstring> found;
  for (size_t at = head.size(); at + 3 < got.size(); at += 4) {
    EXPECT_EQ(got[at], L".");
    EXPECT_EQ(got[at + 1], L".");
    const std::wstring lead = L"- Keylogger Detected ... [ ";
    ASSERT_EQ(got[at + 2].rfind(lead, 0), 0u) << "row " << at + 2;
    ASSERT_GE(got[at + 2].size(), lead.size() + 2);
    found.push_back(got[at + 2].substr(lead.size(), got[at + 2].size() - lead.size() - 2));
    EXPECT_EQ(got[at + 2].substr(got[at + 2].size() - 2), L" ]");
    EXPECT_EQ(got[at + 3], L"- Keylogger Has Blocked");
  }
  EXPECT_EQ(std::count(found.begin(), found.end(), kMarked), 1);
  EXPECT_EQ(std::count(found.begin(), found.end(), kViewer), 1);
  EXPECT_EQ(std::count(found.begin(), found.end(), kClean), 0);
  EXPECT_EQ(std::count(found.begin(), found.end(), L"VexaUtility.exe"), 0) << "the program passes its own scan";
  EXPECT_EQ(std::count(found.begin(), found.end(), L"e2e_tests.exe"), 0);
  Screenshot(form1, L"guard-logger-done");

  // The log: the header, then three lines per detection in the same order.
  const std::string dayAfter = ShortDate();
  const std::string tildes(39, '~');
  std::string log = ReadFileBytes(program->LogPath());
  std::string expected = "[VexaTools Utility]\r\n", expectedLater = expected;
  for (const std::wstring& name : found) {
    expected += tildes + "\r\n" + dayBefore + "Keylogger Has Blocked" + Narrow(name) + "\r\n" + tildes + "\r\n";
    expectedLater += tildes + "\r\n" + dayAfter + "Keylogger Has Blocked" + Narrow(name) + "\r\n" + tildes + "\r\n";
  }
  EXPECT_TRUE(log == expected || log == expectedLater) << log;

  // "Clear List" is on now and empties the list, then goes off again.
  EXPECT_TRUE(IsWindowEnabled(clear));
  ASSERT_TRUE(ClickAndWait(clear));
  EXPECT_EQ(ListViewCount(rows), 0);
  EXPECT_FALSE(IsWindowEnabled(clear));
  EXPECT_EQ(ReadFileBytes(program->LogPath()), log) << "clearing the list leaves the log alone";
}

TEST_F(GuardProgram, LoggerScanStoppedEarlyEndsNothingAndResumes) {
  const SleeperFolder folder(L"guard-sleepers-stop");
  ASSERT_TRUE(CopySleeper(folder.path(), kMarked, KeysMarker()));
  Sleeper marked(folder / kMarked);
  ASSERT_TRUE(marked.Started());

  ASSERT_NO_FATAL_FAILURE(Start(L"guard-logger-stop"));
  Click(C(oxbutton4));
  ASSERT_TRUE(WaitFor([&] { return View(PicTool, Picture3); }));
  HWND scan = C(oxbutton1), rows = C(ListView2);
  Click(scan);
  ASSERT_TRUE(WaitFor([&] { return ListViewCount(rows) >= 1; }, 10000)) << "\"Scan Now..\" at 20";
  Click(scan);  // "Stop"
  ASSERT_TRUE(WaitFor([&] { return TextOf(scan) == L"Scan"; }, 3000));
  const int kept = ListViewCount(rows);
  Sleep(1500);  // a stopped scan adds nothing more
  EXPECT_EQ(ListViewCount(rows), kept);
  EXPECT_EQ(program->MessageBoxWindow(), nullptr);
  EXPECT_TRUE(marked.Running()) << "a scan stopped before the bar is full examines nothing";
  EXPECT_FALSE(IsWindowEnabled(C(oxbutton2)));

  // Scan again: it goes on from where it stopped, each phase row once. The
  // user hides the window meanwhile: the box still shows.
  Click(scan);
  ASSERT_TRUE(WaitFor([&] { return TextOf(scan) == L"Stop"; }, 3000));
  Click(C(oxbutton6));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(form1); }, 3000));
  HWND box = program->WaitMessageBox(60000);
  ASSERT_TRUE(box) << "a box for a hidden window must not be hidden with it";
  EXPECT_EQ(TextOf(box), L"Found");
  EXPECT_TRUE(marked.Running());
  AnswerOk(box);
  ASSERT_TRUE(WaitFor([&] {
    if (HWND more = program->MessageBoxWindow()) AnswerOk(more);
    return TextOf(scan) == L"Scan";
  }, 30000));
  EXPECT_TRUE(marked.Ended(5000));
  std::vector<std::wstring> got = ListViewRows(rows);
  ASSERT_GE(got.size(), 11u);
  EXPECT_EQ(std::count(got.begin(), got.end(), L"Scan Now.."), 1);
  EXPECT_EQ(std::count(got.begin(), got.end(), L"Scan Proccess... "), 1);
  EXPECT_EQ(std::count(got.begin(), got.end(), L"Finish..."), 1);
  EXPECT_EQ(std::count(got.begin(), got.end(), L"- Keylogger Detected ... [ " + kMarked + L" ]"), 1);
}

TEST_F(GuardProgram, LoggerLevelBelow65LeavesEveryProcessAlone) {
  const SleeperFolder folder(L"guard-sleepers-level");
  ASSERT_TRUE(CopySleeper(folder.path(), kMarked, KeysMarker()));
  Sleeper marked(folder / kMarked);
  ASSERT_TRUE(marked.Started());

  ASSERT_NO_FATAL_FAILURE(Start(L"guard-logger-level"));
  // The level on the Option page taken down to 64, as a drag of its thumb ends.
  HWND bar = C(BLog);
  SendMessageW(form1, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 64), reinterpret_cast<LPARAM>(bar));
  ASSERT_TRUE(WaitFor([&] { return TextOf(C(Text1)) == L"64 %"; }, 3000));
  Click(C(oxbutton4));
  ASSERT_TRUE(WaitFor([&] { return View(PicTool, Picture3); }));
  HWND scan = C(oxbutton1), rows = C(ListView2);
  Click(scan);
  ASSERT_TRUE(WaitFor([&] { return TextOf(scan) == L"Stop"; }, 3000));
  ASSERT_TRUE(WaitFor([&] { return TextOf(scan) == L"Scan" || program->MessageBoxWindow(); }, 60000));
  EXPECT_EQ(program->MessageBoxWindow(), nullptr) << "no box below the level";
  EXPECT_EQ(TextOf(scan), L"Scan");
  EXPECT_TRUE(marked.Running());
  std::vector<std::wstring> got = ListViewRows(rows);
  ASSERT_EQ(got.size(), 11u);
  EXPECT_EQ(got.back(), L"Finish...");
  EXPECT_EQ(ReadFileBytes(program->LogPath()), "[VexaTools Utility]\r\n");
  EXPECT_TRUE(IsWindowEnabled(C(oxbutton2)));
}

// ---------------------------------------------------------------------------
// Windows of this test, on threads of their own.

class TestWindow {
 public:
  enum Behaviour {
    kCloses,   // closes on a close request, as most windows do
    kRefuses,  // counts close requests and stays
    kStuck,    // its thread stops serving messages once the window is up, until Release()
  };
  TestWindow(const std::wstring& title, const std::wstring& cls, bool visible, Behaviour behaviour = kCloses)
      : behaviour_(behaviour), release_(CreateEventW(nullptr, TRUE, behaviour != kStuck, nullptr)) {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([=, this] {
      WNDCLASSEXW wc{sizeof wc};
      wc.lpfnWndProc = &TestWindow::Proc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
      wc.lpszClassName = cls.c_str();
      RegisterClassExW(&wc);
      // Low right, clear of the main window in the screenshots.
      const DWORD style = WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0);
      HWND h = CreateWindowExW(0, cls.c_str(), title.c_str(), style, 900, 680, 360, 200, nullptr, nullptr,
                               wc.hInstance, this);
      hwnd_ = h;
      SetEvent(ready);
      WaitForSingleObject(release_, INFINITE);
      MSG msg;
      while (h && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    });
    WaitForSingleObject(ready, 5000);
    CloseHandle(ready);
  }
  ~TestWindow() {
    Release();
    if (IsWindow(hwnd_)) PostMessageW(hwnd_, kDestroy, 0, 0);
    thread_.join();
    CloseHandle(release_);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  bool Open() const { return IsWindow(hwnd_) != FALSE; }
  int CloseRequests() const { return closeRequests_; }
  void Release() { SetEvent(release_); }

 private:
  static constexpr UINT kDestroy = WM_APP + 1;

  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE)
      SetWindowLongPtrW(h, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    switch (msg) {
      case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == SC_CLOSE && self) {
          ++self->closeRequests_;
          if (self->behaviour_ == kRefuses) return 0;
        }
        break;  // the default closes the window
      case kDestroy: DestroyWindow(h); return 0;
      case WM_DESTROY: PostQuitMessage(0); return 0;
      default: break;
    }
    return DefWindowProcW(h, msg, wp, lp);
  }

  const Behaviour behaviour_;
  HANDLE release_;
  std::atomic<HWND> hwnd_{nullptr};
  std::atomic<int> closeRequests_{0};
  std::thread thread_;
};

// Index of the line, or -1.
int LineOf(HWND list, const std::wstring& line) {
  std::vector<std::wstring> lines = ListBoxLines(list);
  auto it = std::find(lines.begin(), lines.end(), line);
  return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
}

// ---------------------------------------------------------------------------
// Process viewer

TEST_F(GuardProgram, EndTaskClosesTheChosenWindowAsItsCloseBoxWould) {
  const std::wstring id = Unique();
  TestWindow target(L"E2E close me " + id, L"VexaE2EWindow" + id, true);
  TestWindow bystander(L"E2E bystander " + id, L"VexaE2EWindow" + id, true);
  ASSERT_TRUE(target.Open() && bystander.Open());

  ASSERT_NO_FATAL_FAILURE(Start(L"guard-viewer"));
  Click(C(oxbutton8));  // "Proccess Viewer" opens with a fresh list
  ASSERT_TRUE(WaitFor([&] { return View(PicTool, Picture3) && View(Picture3, PicTask); }));
  HWND list = C(List1);
  const std::wstring line = L"E2E close me " + id + L" (VexaE2EWindow" + id + L")";
  int at = -1;
  ASSERT_TRUE(WaitFor([&] { return (at = LineOf(list, line)) >= 0; })) << "the window is listed as title (class)";
  EXPECT_EQ(ListBoxData(list, at), reinterpret_cast<LRESULT>(target.hwnd()));
  EXPECT_GE(LineOf(list, L"VexaUtility Solace (VexaForm1)"), 0) << "the program's own window is listed too";
  Screenshot(form1, L"guard-process-viewer");

  ClickListBoxLine(list, at);
  ASSERT_TRUE(WaitFor([&] { return ListBoxSelection(list) == at; }, 3000));
  ASSERT_TRUE(ClickAndWait(C(cmdEndTsk)));
  EXPECT_TRUE(WaitFor([&] { return !target.Open(); }, 5000)) << "End Task closes the chosen window";
  EXPECT_EQ(target.CloseRequests(), 1) << "by its system menu's Close (WM_SYSCOMMAND, SC_CLOSE)";
  EXPECT_TRUE(bystander.Open());
  EXPECT_EQ(bystander.CloseRequests(), 0);
  EXPECT_GE(LineOf(list, line), 0) << "the list is a snapshot: End Task does not rebuild it";
  EXPECT_TRUE(program->Running());
  EXPECT_TRUE(IsWindowVisible(form1));

  // Refresh drops the closed window.
  ASSERT_TRUE(ClickAndWait(C(cmdRefresh), 5000));
  EXPECT_EQ(LineOf(list, line), -1);
  EXPECT_GE(LineOf(list, L"E2E bystander " + id + L" (VexaE2EWindow" + id + L")"), 0);
}

TEST_F(GuardProgram, EndTaskOnAWindowThatNeverAnswersReturnsAtOnce) {
  const std::wstring id = Unique();
  TestWindow stuck(L"E2E stuck " + id, L"VexaE2EStuck" + id, true, TestWindow::kStuck);
  ASSERT_TRUE(stuck.Open());

  ASSERT_NO_FATAL_FAILURE(Start(L"guard-stuck"));
  Click(C(oxbutton8));
  ASSERT_TRUE(WaitFor([&] { return View(Picture3, PicTask); }));
  HWND list = C(List1);
  const std::wstring line = L"E2E stuck " + id + L" (VexaE2EStuck" + id + L")";
  int at = -1;
  ASSERT_TRUE(WaitFor([&] { return (at = LineOf(list, line)) >= 0; })) << "reading its title does not wait on it";
  ClickListBoxLine(list, at);
  ASSERT_TRUE(WaitFor([&] { return ListBoxSelection(list) == at; }, 3000));

  DWORD start = GetTickCount();
  EXPECT_TRUE(ClickAndWait(C(cmdEndTsk), 2000)) << "End Task must not wait on the window";
  EXPECT_LT(GetTickCount() - start, 2000u);
  EXPECT_TRUE(Answers());
  ASSERT_TRUE(ClickAndWait(C(cmdRefresh), 5000)) << "the program stays responsive";
  EXPECT_GE(LineOf(list, line), 0);
  EXPECT_TRUE(stuck.Open());

  // Once its thread serves messages again the request is there, and it closes.
  stuck.Release();
  EXPECT_TRUE(WaitFor([&] { return !stuck.Open(); }, 5000));
  EXPECT_EQ(stuck.CloseRequests(), 1);
}

TEST_F(GuardProgram, EndTaskOnARefusingWindowAndOnTheProgramItself) {
  const std::wstring id = Unique();
  TestWindow stubborn(L"E2E stubborn " + id, L"VexaE2EStubborn" + id, true, TestWindow::kRefuses);

  ASSERT_NO_FATAL_FAILURE(Start(L"guard-twice"));
  Click(C(oxbutton8));
  ASSERT_TRUE(WaitFor([&] { return View(Picture3, PicTask); }));
  HWND list = C(List1), endTask = C(cmdEndTsk);
  int at = -1;
  const std::wstring line = L"E2E stubborn " + id + L" (VexaE2EStubborn" + id + L")";
  ASSERT_TRUE(WaitFor([&] { return (at = LineOf(list, line)) >= 0; }));
  ClickListBoxLine(list, at);
  ASSERT_TRUE(WaitFor([&] { return ListBoxSelection(list) == at; }, 3000));
  ASSERT_TRUE(ClickAndWait(endTask));
  ASSERT_TRUE(ClickAndWait(endTask));
  // Each press posts a close request to the same handle. Under Wine on a
  // loaded machine the second one has been seen to arrive late, so only the
  // first is waited for here; a window that refuses stays open.
  EXPECT_TRUE(WaitFor([&] { return stubborn.CloseRequests() >= 1; }, 8000));
  EXPECT_TRUE(stubborn.Open());

  // The user picks the program's own window: it hides to the tray, as its
  // "X" does, and "Show" brings it back as it was.
  at = LineOf(list, L"VexaUtility Solace (VexaForm1)");
  ASSERT_GE(at, 0);
  ClickListBoxLine(list, at);
  ASSERT_TRUE(WaitFor([&] { return ListBoxSelection(list) == at; }, 3000));
  Click(endTask);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(form1); }, 5000));
  EXPECT_TRUE(program->Running());
  ASSERT_TRUE(program->TrayMenu(1));
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(form1) != FALSE; }, 5000));
  EXPECT_EQ(program->Form1(), form1) << "the same window, not a new one";
  EXPECT_TRUE(View(Picture3, PicTask));
  EXPECT_EQ(ListBoxSelection(list), at);
}

TEST_F(GuardProgram, ViewerBoxesChooseVisibleHiddenAllOrNone) {
  const std::wstring id = Unique();
  TestWindow shown(L"E2E shown " + id, L"VexaE2EShown" + id, true);
  TestWindow hidden(L"", L"VexaE2EHidden" + id, false);
  const std::wstring shownLine = L"E2E shown " + id + L" (VexaE2EShown" + id + L")";
  const std::wstring hiddenLine = L" (VexaE2EHidden" + id + L")";  // no title

  ASSERT_NO_FATAL_FAILURE(Start(L"guard-filters"));
  Click(C(oxbutton8));
  ASSERT_TRUE(WaitFor([&] { return View(Picture3, PicTask); }));
  HWND list = C(List1), chk1Box = C(chk1), chk2Box = C(chk2), refresh = C(cmdRefresh);
  ASSERT_TRUE(WaitFor([&] { return LineOf(list, shownLine) >= 0; }));
  EXPECT_EQ(LineOf(list, hiddenLine), -1) << "at first only visible windows";
  EXPECT_EQ(SendMessageW(chk1Box, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(chk2Box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  for (const std::wstring& l : ListBoxLines(list)) EXPECT_NE(l, L"") << "every line has at least \" (class)\"";

  ASSERT_TRUE(ClickAndWait(chk2Box));  // both ticked: every window
  ASSERT_TRUE(ClickAndWait(refresh, 5000));
  EXPECT_GE(LineOf(list, shownLine), 0);
  EXPECT_GE(LineOf(list, hiddenLine), 0) << "a window without a title shows as \" (class)\"";
  Screenshot(form1, L"guard-process-viewer-all");

  ASSERT_TRUE(ClickAndWait(chk1Box));  // hidden ones only
  ASSERT_TRUE(ClickAndWait(refresh, 5000));
  EXPECT_EQ(LineOf(list, shownLine), -1);
  EXPECT_GE(LineOf(list, hiddenLine), 0);
  EXPECT_EQ(LineOf(list, L"VexaUtility Solace (VexaForm1)"), -1);

  ASSERT_TRUE(ClickAndWait(chk2Box));  // neither
  ASSERT_TRUE(ClickAndWait(refresh, 5000));
  EXPECT_EQ(ListBoxCount(list), 0);

  // End Task with the last choice gone from the list still has nothing to
  // do with these windows: nothing was ever chosen.
  ASSERT_TRUE(ClickAndWait(C(cmdEndTsk)));
  Sleep(300);
  EXPECT_TRUE(shown.Open() && hidden.Open());
  EXPECT_EQ(shown.CloseRequests() + hidden.CloseRequests(), 0);
}

// ---------------------------------------------------------------------------
// Keyword watch

// The alert window of the program, when it shows.
HWND ShownAlert(const Program& p) {
  HWND alert = p.Window(L"Message");
  return alert && IsWindowVisible(alert) ? alert : nullptr;
}

HWND ChildOfClass(HWND parent, const wchar_t* cls) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (ClassOf(c) == cls) return c;
  return nullptr;
}

class KeywordPanel : public GuardProgram {
 protected:
  void Open(const std::wstring& name) {
    ASSERT_NO_FATAL_FAILURE(Start(name));
    Click(C(oxbutton17));  // "Keyword Blocker"
    ASSERT_TRUE(WaitFor([&] { return View(PicTool, PicURL) && IsWindowVisible(C(PicKeyBlock)); }));
  }
  // Brings a window of this test to the foreground, as a click on it would.
  static bool ToFront(HWND window) {
    SetForegroundWindow(window);
    return WaitFor([&] { return GetForegroundWindow() == window; }, 3000);
  }
};

TEST_F(KeywordPanel, AForegroundTitleWithAKeywordRaisesTheTopmostAlert) {
  ASSERT_NO_FATAL_FAILURE(Open(L"guard-watch"));
  HWND text3 = C(Text3);
  EXPECT_EQ(TextOf(text3), L"jangan coba-coba berkata kasar bro\r\n");
  const std::wstring warning = L"Jaga ucapan, e2e " + Unique();
  ASSERT_TRUE(SetTextOf(text3, warning)) << "the user edits the warning";
  Screenshot(form1, L"guard-keyword-panel");

  const std::wstring id = Unique();
  TestWindow pig(L"kandang babi test", L"VexaE2EPig" + id, true);
  ASSERT_TRUE(ToFront(pig.hwnd()));
  HWND alert = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (alert = ShownAlert(*program)) != nullptr; }, 7000))
      << "one check every five seconds";
  EXPECT_TRUE(GetWindowLongW(alert, GWL_EXSTYLE) & WS_EX_TOPMOST);
  HWND label = ChildOfClass(alert, L"Static");
  HWND ok = ChildOfClass(alert, L"Button");
  ASSERT_TRUE(label && ok);
  EXPECT_EQ(TextOf(label), warning) << "the alert shows Text3's text as it is now";
  EXPECT_EQ(TextOf(ok), L"OK");
  Screenshot(alert, L"guard-keyword-alert");

  // Away from the matching window, OK closes the alert and it stays closed.
  SetWindowTextW(pig.hwnd(), L"kandang test");
  Click(ok);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(alert); }, 3000)) << "OK unloads the alert";
  EXPECT_TRUE(ToFront(pig.hwnd()));
  Sleep(5500);
  EXPECT_EQ(ShownAlert(*program), nullptr);

  // The switch off: a matching title raises nothing.
  HWND toggle = C(ckWatch);
  ASSERT_TRUE(ClickAndWait(toggle));
  EXPECT_EQ(SendMessageW(toggle, BM_GETCHECK, 0, 0), 0);
  SetWindowTextW(pig.hwnd(), L"KANDANG BABI");
  ASSERT_TRUE(ToFront(pig.hwnd()));
  Sleep(5500);
  EXPECT_EQ(ShownAlert(*program), nullptr) << "the watch is off";
  // And on again: the next tick finds it.
  ASSERT_TRUE(ClickAndWait(toggle));
  EXPECT_TRUE(WaitFor([&] { return ShownAlert(*program) != nullptr; }, 7000));
  EXPECT_EQ(ListBoxCount(C(List2)), 11) << "the keyword list is as it was";
  SetWindowTextW(pig.hwnd(), L"kandang");
  if (HWND again = ShownAlert(*program)) Click(ChildOfClass(again, L"Button"));
}

TEST(KeywordWatch, RunsFromStartWithTheMainWindowNeverShown) {
  Program p(Scratch(L"guard-watch-hidden"));
  ASSERT_TRUE(p.WaitWindow(L"Form2", false, 20000) && WaitFor([&] { return p.TrayIconPresent(); }));
  TestWindow pig(L"Kandang BaBi", L"VexaE2EPigHidden" + Unique(), true);
  SetForegroundWindow(pig.hwnd());
  HWND alert = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (alert = ShownAlert(p)) != nullptr; }, 7000));
  EXPECT_FALSE(IsWindowVisible(p.Form1()));
  EXPECT_EQ(GetWindow(alert, GW_OWNER), nullptr) << "not tied to the hidden main window";
  EXPECT_EQ(TextOf(ChildOfClass(alert, L"Static")), L"jangan coba-coba berkata kasar bro\r\n");
  SetWindowTextW(pig.hwnd(), L"Kandang");
  Click(ChildOfClass(alert, L"Button"));
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(alert); }, 3000));
}

TEST_F(KeywordPanel, AddKeepsOneOfEachSpellingAndTheNewKeywordIsWatched) {
  ASSERT_NO_FATAL_FAILURE(Open(L"guard-keywords"));
  HWND list2 = C(List2), text2 = C(Text2), add = C(Command3);
  const std::vector<std::wstring> design = {L"ANJING", L"BABI",   L"Ngepet", L"TAI", L"Bangsat", L"FUCK",
                                            L"MONYET", L"MONKEY", L"BANGKE", L"KON", L"TOL"};
  EXPECT_EQ(ListBoxLines(list2), design);

  // A lone blank typed is taken away at once.
  ASSERT_TRUE(SetTextOf(text2, L" "));
  EXPECT_TRUE(WaitFor([&] { return TextOf(text2).empty(); }, 3000));

  ASSERT_TRUE(SetTextOf(text2, L"Zebra42"));
  Click(add);
  ASSERT_TRUE(WaitFor([&] { return ListBoxCount(list2) == 12; }, 3000));
  EXPECT_EQ(ListBoxText(list2, 11), L"Zebra42");
  EXPECT_EQ(TextOf(text2), L"");
  EXPECT_EQ(program->MessageBoxWindow(), nullptr);

  // The same text again: the box, titled with the keyword, and no second copy.
  ASSERT_TRUE(SetTextOf(text2, L"Zebra42"));
  Click(add);
  HWND box = program->WaitMessageBox(5000);
  ASSERT_TRUE(box);
  EXPECT_EQ(TextOf(box), L"Zebra42");
  EXPECT_EQ(MessageBoxText(box), L"Keyword exist");
  EXPECT_TRUE(WaitFor([&] { return MessageBoxIcon(box) == BoxIcon::Exclamation; }, 3000)) << "the exclamation icon";
  Screenshot(box, L"guard-keyword-exists");
  AnswerOk(box);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 3000));
  EXPECT_EQ(ListBoxCount(list2), 12);
  EXPECT_EQ(TextOf(text2), L"Zebra42") << "the typed text stays for correcting";

  // Letter case matters to the duplicate test: "babi" joins "BABI".
  ASSERT_TRUE(SetTextOf(text2, L"babi"));
  Click(add);
  ASSERT_TRUE(WaitFor([&] { return ListBoxCount(list2) == 13; }, 3000));
  EXPECT_EQ(program->MessageBoxWindow(), nullptr);

  // "Hapus" with nothing chosen explains itself and removes nothing.
  Click(C(Command4));
  box = program->WaitMessageBox(5000);
  ASSERT_TRUE(box);
  EXPECT_EQ(TextOf(box), L"Select");
  EXPECT_EQ(MessageBoxText(box), L"Please selected item");
  EXPECT_TRUE(WaitFor([&] { return MessageBoxIcon(box) == BoxIcon::Information; }, 3000));
  AnswerOk(box);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 3000));
  EXPECT_EQ(ListBoxCount(list2), 13);
  // With "babi" chosen it goes.
  ClickListBoxLine(list2, 12);
  ASSERT_TRUE(WaitFor([&] { return ListBoxSelection(list2) == 12; }, 3000));
  Click(C(Command4));
  ASSERT_TRUE(WaitFor([&] { return ListBoxCount(list2) == 12; }, 3000));
  EXPECT_EQ(ListBoxText(list2, 11), L"Zebra42");

  // The new keyword is watched, letter case ignored.
  const std::wstring id = Unique();
  TestWindow notes(L"my ZEBRA42 notes", L"VexaE2ENotes" + id, true);
  ASSERT_TRUE(ToFront(notes.hwnd()));
  HWND alert = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (alert = ShownAlert(*program)) != nullptr; }, 7000));
  EXPECT_EQ(TextOf(ChildOfClass(alert, L"Static")), L"jangan coba-coba berkata kasar bro\r\n");
  SetWindowTextW(notes.hwnd(), L"my notes");
  Click(ChildOfClass(alert, L"Button"));
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(alert); }, 3000));
}

}  // namespace
}  // namespace vexa::e2e
