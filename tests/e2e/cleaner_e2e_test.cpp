// The junk cleaner through the real program. The shared copy runs without
// TEMP, HOMEPATH and SystemRoot; Wine puts SystemRoot back, so the Windows
// folders are scanned, while the user's temp folder and Recent cannot be
// told and are skipped: nothing under C:\Temp or C:\Recent may go. The test
// puts files of its own in the Windows temp and cookies folders.
#include <gtest/gtest.h>

#include "cleaner/win32/cleaner_panel.h"
#include "controls/oxbutton/win32/oxbutton.h"
#include "controls/win32/controls.h"
#include "tests/e2e/driver.h"

namespace vexa::e2e {
namespace {

// What a scan of the folder should add for its files, in listing order: a
// row each (a prefetch row's Path cell is "Junk") and a log line each.
struct Expected {
  std::vector<std::vector<std::wstring>> rows;
  std::string log;
  void Add(const std::wstring& folder, bool junkCell = false) {
    for (const std::wstring& name : test::Names(folder)) {
      rows.push_back({name, junkCell ? L"Junk" : folder + L"\\" + name});
      log += test::ShortDate() + ToAnsi(name + folder + L"\\" + name) + "\r\n";
    }
  }
};

TEST(Cleaner, ScanListsLogsAndDeletesAndCleanAllTakesWhatItLeft) {
  const Shared& app = App();
  wchar_t windows[MAX_PATH];
  const std::wstring root(windows, GetWindowsDirectoryW(windows, MAX_PATH));
  const std::wstring temp = root + L"\\Temp", cookies = L"C:\\WINDOWS\\Temp\\Cookies";
  for (const wchar_t* folder : {cookies.c_str(), L"C:\\Temp", L"C:\\Recent"}) CreateDirectoryW(folder, nullptr);
  struct Seed {
    std::wstring path;
    DWORD attributes;
    bool scanDeletes;
  };
  const Seed seeds[] = {
      {temp + L"\\vexa-e2e-ro.tmp", FILE_ATTRIBUTE_READONLY, false},
      {temp + L"\\vexa-e2e-hidden.tmp", FILE_ATTRIBUTE_HIDDEN, true},
      {temp + L"\\vexa-e2e-\u00fcn\u00ef-\u65e5\u672c.tmp", 0, true},
      {cookies + L"\\vexa-e2e-user@site.txt", 0, true},
      {cookies + L"\\vexa-e2e-ro-cookie.txt", FILE_ATTRIBUTE_READONLY, false},
  };
  const std::wstring canaries[] = {L"C:\\Temp\\vexa-e2e-canary.tmp", L"C:\\Recent\\vexa-e2e-canary.lnk"};
  for (const Seed& s : seeds) ASSERT_TRUE(test::MakeFile(s.path, s.attributes));
  for (const std::wstring& c : canaries) ASSERT_TRUE(test::MakeFile(c));
  Expected want;
  want.Add(root + L"\\Prefetch", true);
  want.Add(cookies);
  want.Add(temp);

  // "Clean Cookies" on, then "Scan". The switch answers the mouse and Space.
  OnTab(3);
  HWND ck2 = app.C(cleaner::ck2);
  ClickWithMouse(ck2);
  ASSERT_TRUE(WaitFor([&] { return CheckOf(ck2) == 1; })) << "a click turns it on";
  PressKey(app.form1, VK_SPACE);
  ASSERT_TRUE(WaitFor([&] { return CheckOf(ck2) == 0; })) << "Space turns it off";
  PressKey(app.form1, VK_SPACE);
  ASSERT_TRUE(WaitFor([&] { return CheckOf(ck2) == 1; }));
  OnTab(1);
  // "Scan" lights up under the pointer and explains itself in a balloon.
  HoverOver(app.C(cleaner::Command1));
  EXPECT_TRUE(WaitFor([&] { return TipShowing(app.program, L"Scan Now") != nullptr; }, 5000));
  EXPECT_EQ(Ask(app.C(cleaner::Command1), controls::kOxGetState), 1) << "hot";
  Screenshot(app.form1, L"cleaner-scan-hot");
  const std::string logBefore = app.program.Log();
  Click(app.C(cleaner::Command1));
  EXPECT_TRUE(WaitFor([&] { return Ask(app.C(cleaner::UCP), controls::kSpinnerIsPlaying) != 0; }))
      << "the spinner turns while the scan waits";
  ASSERT_TRUE(WaitFor([&] { return TextOf(app.C(cleaner::Label3)) == L"Searching Completed.."; }, 15000));
  HWND list = app.C(cleaner::ListView1);
  Screenshot(app.form1, L"cleaner-after-scan");
  ASSERT_EQ(ListViewRows(list, 2), want.rows);
  EXPECT_EQ(app.program.Box() != nullptr, want.rows.size() > 50) << "\"Your PC At Risk\" only above fifty rows";
  if (HWND box = app.program.Box()) AnswerOk(box);
  EXPECT_EQ(TextOf(app.C(cleaner::Label5)), L"0") << "Recent cannot be told: none";
  EXPECT_EQ(app.program.Log(), logBefore + want.log);
  for (const Seed& s : seeds) EXPECT_EQ(test::Exists(s.path), !s.scanDeletes) << ToAnsi(s.path);

  // "Sellect All", "Clean All": what the scan could not delete goes now.
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(app.C(cleaner::Check1)); }, 3000));
  ASSERT_TRUE(ClickAndWait(app.C(cleaner::Check1)));
  ASSERT_TRUE(ClickAndWait(app.C(cleaner::Command2), 10000));
  EXPECT_TRUE(ListViewRows(list).empty());
  for (const Seed& s : seeds) EXPECT_FALSE(test::Exists(s.path)) << ToAnsi(s.path);
  for (const std::wstring& c : canaries) EXPECT_TRUE(test::Exists(c)) << ToAnsi(c);
  EXPECT_EQ(app.program.Log(), logBefore + want.log) << "removal writes nothing";
  Screenshot(app.form1, L"cleaner-after-clean-all");
  for (const std::wstring& c : canaries) DeleteFileW(c.c_str());
}

}  // namespace
}  // namespace vexa::e2e
