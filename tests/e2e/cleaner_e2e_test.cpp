// The junk cleaner through the real program. The shared copy runs without
// TEMP, HOMEPATH and SystemRoot; Wine puts SystemRoot back, so the Windows
// folders are scanned, while the user's temp folder and Recent cannot be
// told and are skipped: nothing under C:\Temp or C:\Recent may go. The test
// puts files of its own in the Windows temp and cookies folders.
#include <gtest/gtest.h>

#include "cleaner/win32/cleaner_panel.h"
#include "tests/e2e/driver.h"

namespace vexa::e2e {
namespace {

using Rows = std::vector<std::vector<std::wstring>>;

// The rows a scan of the folder should add for its files, in listing order.
void AddRows(Rows& rows, const std::wstring& folder, bool junkCell = false) {
  for (const std::wstring& name : test::Names(folder))
    rows.push_back({name, junkCell ? L"Junk" : folder + L"\\" + name});
}

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
  Rows want;
  AddRows(want, root + L"\\Prefetch", true);
  AddRows(want, cookies);
  const std::size_t prefetchAndCookies = want.size();
  AddRows(want, temp);

  // "Clean Cookies" on, then "Scan".
  OnTab(3);
  ASSERT_TRUE(ClickAndWait(app.C(cleaner::ck2)));
  ASSERT_EQ(CheckOf(app.C(cleaner::ck2)), 1);
  OnTab(1);
  const std::string logBefore = app.program.Log();
  Click(app.C(cleaner::Command1));
  ASSERT_TRUE(WaitFor([&] { return TextOf(app.C(cleaner::Label3)) == L"Searching Completed.."; }, 15000));
  HWND list = app.C(cleaner::ListView1);
  Screenshot(app.form1, L"cleaner-after-scan");
  ASSERT_EQ(ListViewRows(list, 2), want);
  EXPECT_EQ(app.program.Box() != nullptr, want.size() > 50) << "\"Your PC At Risk\" only above fifty rows";
  if (HWND box = app.program.Box()) AnswerOk(box);
  EXPECT_EQ(TextOf(app.C(cleaner::Label5)), L"0") << "Recent";
  EXPECT_EQ(TextOf(app.C(cleaner::Label9)), std::to_wstring(want.size() - prefetchAndCookies)) << "Temp";
  EXPECT_EQ(TextOf(app.C(cleaner::Label12)), L"Total Files Found : " + std::to_wstring(want.size()));
  std::string logged;
  for (const auto& row : want) logged += test::ShortDate() + test::Ansi(row[0] + (row[1] == L"Junk" ? root + L"\\Prefetch\\" + row[0] : row[1])) + "\r\n";
  EXPECT_EQ(app.program.Log(), logBefore + logged);
  for (const Seed& s : seeds) EXPECT_EQ(test::Exists(s.path), !s.scanDeletes) << test::Ansi(s.path);

  // "Sellect All", "Clean All": what the scan could not delete goes now.
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(app.C(cleaner::Check1)); }, 3000));
  ASSERT_TRUE(ClickAndWait(app.C(cleaner::Check1)));
  ASSERT_TRUE(ClickAndWait(app.C(cleaner::Command2), 10000));
  EXPECT_TRUE(ListViewRows(list).empty());
  for (const Seed& s : seeds) EXPECT_FALSE(test::Exists(s.path)) << test::Ansi(s.path);
  for (const std::wstring& c : canaries) EXPECT_TRUE(test::Exists(c)) << test::Ansi(c);
  EXPECT_EQ(app.program.Log(), logBefore + logged) << "removal writes nothing";
  Screenshot(app.form1, L"cleaner-after-clean-all");
  for (const std::wstring& c : canaries) DeleteFileW(c.c_str());
}

}  // namespace
}  // namespace vexa::e2e
