// The process guard through the real program: the logger scan ending a
// stand-in process whose file carries a marker, End Task on a window that
// does not answer, and the keyword alert.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/form1_layout.h"
#include "controls/win32/controls.h"
#include "guard/marker_search.h"
#include "guard/win32/guard_panels.h"
#include "platform/win32/win32_platform.h"
#include "tests/e2e/driver.h"

namespace vexa::e2e {
namespace {

TEST(Guard, LoggerScanEndsTheStandInWhoseFileCarriesAMarker) {
  const std::wstring folder = test::FreshFolder(L"stand-ins"), marked = folder + L"\\e2e-keys.exe",
                     clean = folder + L"\\e2e-clean.exe";
  for (const std::wstring& copy : {marked, clean})
    ASSERT_TRUE(CopyFileW(BesideTests(L"e2e_sleeper.exe").c_str(), copy.c_str(), FALSE));
  // The marker is put together at run time: no file of the tests carries one.
  ASSERT_TRUE(win32::Win32FileSystem().Append(marked, "\r\n" + guard::MarkerSet::Keylogger().Needle(1) + "\r\n"));
  Process keys(marked, L"180"), bystander(clean, L"180");
  ASSERT_TRUE(keys.Running() && bystander.Running());

  const Shared& app = App();
  ASSERT_TRUE(OpenTool(app::oxbutton4, guard::oxbutton1));
  HWND scan = app.C(guard::oxbutton1);
  const std::string log = app.program.Log();
  Click(scan);
  ASSERT_TRUE(WaitFor([&] { return TextOf(scan) == L"Stop"; }));
  EXPECT_TRUE(Ask(app.C(guard::PB2), controls::kVistaGetEnable) && Ask(app.C(guard::UCP1), controls::kSpinnerIsPlaying))
      << "the busy bar and the spinner run while the scan does";
  // A "Found" box for each process found once the bar is full (Wine's own
  // programs that carry a marker would be found too).
  int boxes = 0;
  for (HWND box; WaitFor([&] { return (box = app.program.Box()) || TextOf(scan) == L"Scan"; }, 60000) && box;) {
    EXPECT_EQ(TextOf(box), L"Found");
    EXPECT_EQ(BoxText(box), L"Your PC has detected a Logger Proccess..!! Proccess this block");
    if (boxes++ == 0) {
      Screenshot(box, L"logger-found");
      EXPECT_TRUE(keys.Running()) << "nothing is ended before the box is answered";
    }
    AnswerOk(box);
    WaitFor([&] { return !IsWindow(box); });
  }
  ASSERT_EQ(TextOf(scan), L"Scan") << "the scan never ended";
  EXPECT_GE(boxes, 1);
  EXPECT_TRUE(keys.WaitExit(5000));
  EXPECT_TRUE(bystander.Running());
  Screenshot(app.form1, L"logger-done");

  const auto rows = ListViewRows(app.C(guard::ListView2));
  auto found = std::find(rows.begin(), rows.end(), std::vector<std::wstring>{L"- Keylogger Detected ... [ e2e-keys.exe ]"});
  ASSERT_TRUE(found != rows.end() && found + 1 != rows.end());
  EXPECT_EQ(found[1][0], L"- Keylogger Has Blocked");
  const std::string block = test::kLogRule + test::ShortDate() + "Keylogger Has Blocked" + "e2e-keys.exe\r\n" + test::kLogRule;
  EXPECT_NE(app.program.Log().find(block, log.size()), std::string::npos);
  Click(app.C(guard::oxbutton7));
}

// A window of this test's own thread: it answers only while the test waits
// in WaitFor, and not while a click waits for the program's handler.
struct TestWindow {
  explicit TestWindow(const wchar_t* title) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = L"VexaE2EWindow";
    RegisterClassW(&wc);
    hwnd = CreateWindowExW(0, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 900, 650, 300, 200, nullptr,
                           nullptr, nullptr, nullptr);
  }
  ~TestWindow() { DestroyWindow(hwnd); }
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_CLOSE) ++closeRequests;
    return DefWindowProcW(h, msg, wp, lp);
  }
  HWND hwnd;
  static inline int closeRequests = 0;
};

TEST(Guard, EndTaskOnAWindowThatDoesNotAnswerReturnsAtOnceAndClosesItLater) {
  TestWindow window(L"E2E stuck window");
  const Shared& app = App();
  ASSERT_TRUE(OpenTool(app::oxbutton8, guard::List1));  // "Proccess Viewer": a fresh list
  HWND list = app.C(guard::List1);
  int at = -1;
  ASSERT_TRUE(WaitFor([&] {
    const auto lines = ListBoxLines(list);
    at = static_cast<int>(std::find(lines.begin(), lines.end(), L"E2E stuck window (VexaE2EWindow)") - lines.begin());
    return at < static_cast<int>(lines.size());
  })) << "listed as title (class)";
  ASSERT_TRUE(ClickListBoxLine(list, at));
  TestWindow::closeRequests = 0;
  EXPECT_TRUE(ClickAndWait(app.C(guard::cmdEndTsk), 5000)) << "the click waits on a window that does not answer";
  EXPECT_TRUE(IsWindow(window.hwnd));
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(window.hwnd); })) << "closed once it serves its messages";
  EXPECT_EQ(TestWindow::closeRequests, 1) << "as its system menu's Close";
  Click(app.C(guard::oxbutton9));
}

TEST(Guard, KeywordInTheForegroundTitleRaisesTheAlertAndASecondMatchLeavesTheFocus) {
  const Shared& app = App();
  ASSERT_TRUE(OpenTool(app::oxbutton17, guard::Text3));
  HWND text3 = app.C(guard::Text3);
  ASSERT_TRUE(SetTextOf(text3, L"Jaga ucapan"));
  TestWindow pig(L"kandang babi e2e");
  SetForegroundWindow(pig.hwnd);
  HWND alert = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (alert = app.program.WaitWindow(L"Message", true, 0)) != nullptr; }, 12000))
      << "one look every five seconds";
  HWND label = GetWindow(alert, GW_CHILD);
  EXPECT_EQ(TextOf(label), L"Jaga ucapan");
  EXPECT_TRUE(GetWindowLongW(alert, GWL_EXSTYLE) & WS_EX_TOPMOST);
  Screenshot(alert, L"keyword-alert");

  // The user goes back to the window; the next match refreshes the alert
  // but leaves the keyboard focus where the user put it.
  SetForegroundWindow(pig.hwnd);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == pig.hwnd; }));
  ASSERT_TRUE(SetTextOf(text3, L"second"));
  ASSERT_TRUE(WaitFor([&] { return TextOf(label) == L"second"; }, 12000));
  EXPECT_EQ(GetForegroundWindow(), pig.hwnd);

  // Enter on its focused OK unloads it, as a click would.
  SetWindowTextW(pig.hwnd, L"kandang e2e");
  PostMessageW(ControlById(alert, IDOK), WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(ControlById(alert, IDOK), WM_KEYUP, VK_RETURN, 0xC0000001);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(alert); })) << "Enter unloads the alert";
  Click(app.C(guard::oxbutton18));
}

}  // namespace
}  // namespace vexa::e2e
