#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cleaner/cleaner_page.h"
#include "platform/text.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_ui.h"

namespace vexa::cleaner {
namespace {

constexpr wchar_t kPrefetch[] = L"C:\\WINDOWS\\Prefetch";
constexpr wchar_t kCookies[] = L"C:\\WINDOWS\\Temp\\Cookies";
constexpr wchar_t kRecent[] = L"C:\\Users\\ann\\Recent";
constexpr wchar_t kUserTemp[] = L"C:\\Users\\ann\\AppData\\Local\\Temp";
constexpr wchar_t kWinTemp[] = L"C:\\WINDOWS\\Temp";
constexpr wchar_t kLog[] = L"C:\\App\\VexaLog.Log";

std::wstring In(const std::wstring& folder, const std::wstring& name) { return folder + L"\\" + name; }

struct Row {
  std::wstring name, path;
  int icon;
  bool operator==(const Row&) const = default;
};
void PrintTo(const Row& r, std::ostream* os) { *os << ToUtf8(r.name) << " | " << ToUtf8(r.path) << " | " << r.icon; }

class CountingObserver : public RowsObserver {
 public:
  void RowsChanged() override { ++calls; }
  int calls = 0;
};

class CleanerPageTest : public ::testing::Test {
 protected:
  CleanerPageTest() {
    env.Set(L"SystemRoot", L"C:\\WINDOWS");
    env.Set(L"TEMP", kUserTemp);
    env.Set(L"HOMEDRIVE", L"C:");
    env.Set(L"HOMEPATH", L"\\Users\\ann");
    files.PutFolder(L"C:\\App");
    page.TakeFlagsFromToggles();
    page.ListView1().SetObserver(&observer);
  }

  std::vector<Row> Rows() const {
    std::vector<Row> out;
    for (const JunkRow& r : page.ListView1().Rows()) out.push_back({r.name, r.path, r.icon});
    return out;
  }
  std::vector<std::string> LogLines() const {
    std::vector<std::string> lines;
    std::string bytes = files.Read(kLog);
    for (size_t at = 0; at < bytes.size();) {
      size_t end = bytes.find("\r\n", at);
      lines.push_back(bytes.substr(at, end - at));
      at = end + 2;
    }
    return lines;
  }
  void Pass() {
    page.Command1_Click();
    page.Timer1_Timer();
  }
  void PutMany(const std::wstring& folder, int n) {
    for (int i = 0; i < n; ++i) files.Put(In(folder, L"f" + std::to_wstring(i) + L".tmp"), "x");
  }

  fakes::FakeFileSystem files;
  fakes::FakeClock clock;
  fakes::FakeEnvironment env;
  ActivityLog log{files, clock, L"C:\\App"};
  fakes::FakeCaption Label3{L"Welcome... (Click Scan For Scan)"}, Label12{L"Total Files Found : 0"};
  fakes::FakeCaption Label5{L"0"}, Label7{L"0"}, Label9{L"0"}, Label11{L"0"};
  fakes::FakeSpinner UCP;
  fakes::FakeTimer Timer1{2000, false}, Timer3{1000, true};
  fakes::FakeButton Command2{L"Clean All", true};
  fakes::FakeToggle Check1{0}, ck1{1}, ck2{0}, ck3{1};
  fakes::FakeMessageBoxes boxes;
  CountingObserver observer;
  CleanerPage page{{Label3, Label12, Label5, Label7, Label9, Label11, UCP, Timer1, Timer3, Command2, Check1, ck1, ck2,
                    ck3, boxes},
                   files,
                   env,
                   log};
};

TEST_F(CleanerPageTest, ScanClickStartsTheSpinnerAndTheTickRunsOnePass) {
  page.Command1_Click();
  page.Command1_Click();  // a second click before the tick: still one pass
  EXPECT_TRUE(UCP.playing && Timer1.enabled);
  files.Put(In(kPrefetch, L"A.pf"), "x");
  page.Timer1_Timer();
  EXPECT_FALSE(Timer1.enabled || UCP.playing);
  EXPECT_EQ(Label3.text, L"Searching Completed..");
  EXPECT_EQ(Label12.text, L"Total Files Found : 1");
}

TEST_F(CleanerPageTest, FiveScannersInOrderWithTheirRowsCountsLogAndDeletes) {
  ck2.value = 1;
  page.ck2_Click();
  files.Put(In(kPrefetch, L"APP.EXE-1.pf"), "x");
  files.Put(In(kCookies, L"ann@site.txt"), "x");
  files.Put(In(kRecent, L"doc.lnk"), "x");
  files.Put(In(kUserTemp, L"u1.tmp"), "x");
  files.Put(In(kUserTemp, L"sub\\deep.tmp"), "x");  // a sub-folder, not looked into
  files.Put(In(kUserTemp, L"u2.tmp"), "x");
  files.Put(In(kWinTemp, L"w.tmp"), "x");
  Pass();
  EXPECT_EQ(Rows(), (std::vector<Row>{{L"APP.EXE-1.pf", L"Junk", 1},
                                      {L"ann@site.txt", In(kCookies, L"ann@site.txt"), 5},
                                      {L"doc.lnk", In(kRecent, L"doc.lnk"), 3},
                                      {L"u1.tmp", In(kUserTemp, L"u1.tmp"), 2},
                                      {L"u2.tmp", In(kUserTemp, L"u2.tmp"), 2},
                                      {L"sub", In(kUserTemp, L"sub"), 5},
                                      {L"w.tmp", In(kWinTemp, L"w.tmp"), 5}}));
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"05/12/2026APP.EXE-1.pfC:\\WINDOWS\\Prefetch\\APP.EXE-1.pf",
                                                  "05/12/2026ann@site.txtC:\\WINDOWS\\Temp\\Cookies\\ann@site.txt",
                                                  "05/12/2026doc.lnkC:\\Users\\ann\\Recent\\doc.lnk",
                                                  "05/12/2026u1.tmpC:\\Users\\ann\\AppData\\Local\\Temp\\u1.tmp",
                                                  "05/12/2026u2.tmpC:\\Users\\ann\\AppData\\Local\\Temp\\u2.tmp",
                                                  "05/12/2026subC:\\Users\\ann\\AppData\\Local\\Temp\\sub",
                                                  "05/12/2026w.tmpC:\\WINDOWS\\Temp\\w.tmp"}));
  EXPECT_EQ((std::vector<std::wstring>{Label7.text, Label11.text, Label5.text, Label9.text, Label12.text}),
            (std::vector<std::wstring>{L"1", L"1", L"1", L"4", L"Total Files Found : 7"}));
  // Deleted during the scan everywhere but in the user temp folder.
  EXPECT_EQ(files.removeAttempts, (std::vector<std::wstring>{In(kPrefetch, L"APP.EXE-1.pf"), In(kCookies, L"ann@site.txt"),
                                                             In(kRecent, L"doc.lnk"), In(kWinTemp, L"w.tmp")}));
  EXPECT_FALSE(files.Exists(In(kWinTemp, L"w.tmp")));
  EXPECT_TRUE(files.Exists(In(kUserTemp, L"u1.tmp")));
  EXPECT_TRUE(files.Exists(In(kUserTemp, L"sub\\deep.tmp")));
  EXPECT_GE(observer.calls, 1);
}

TEST_F(CleanerPageTest, MoreThanFiftyRowsWarnOnceAfterTheSummary) {
  PutMany(kUserTemp, 50);
  Pass();
  EXPECT_TRUE(boxes.shown.empty());
  files.Put(In(kUserTemp, L"one-more.tmp"), "x");
  std::wstring statusWhileOpen, totalWhileOpen;
  boxes.whileOpen = [&] {
    statusWhileOpen = Label3.text;
    totalWhileOpen = Label12.text;
  };
  Pass();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"Your PC At Risk");
  EXPECT_EQ(boxes.shown[0].title, L"Risk");
  EXPECT_EQ(boxes.shown[0].icon, ui::BoxIcon::Exclamation);
  EXPECT_EQ(statusWhileOpen, L"Searching Completed..");
  EXPECT_EQ(totalWhileOpen, L"Total Files Found : 51");
}

TEST_F(CleanerPageTest, FlagsStartFromTheTogglesAndFollowTheirClicks) {
  EXPECT_TRUE(page.Engine().CleanTemp && page.Engine().CleanRecent && !page.Engine().CleanCookies);
  ck2.value = 1;
  page.ck2_Click();
  EXPECT_TRUE(page.Engine().CleanCookies);
  ck3.value = 2;  // anything but 1 is off, and the toggle settles on 0
  page.ck3_Click();
  EXPECT_FALSE(page.Engine().CleanRecent);
  EXPECT_EQ(ck3.value, 0);
  ck1.value = 0;
  page.TakeFlagsFromToggles();
  EXPECT_FALSE(page.Engine().CleanTemp);
}

TEST_F(CleanerPageTest, AllFlagsOffLeavesOnlyThePrefetchScanner) {
  for (auto* t : {&ck1, &ck2, &ck3}) t->value = 0;
  page.TakeFlagsFromToggles();
  for (auto* folder : {kPrefetch, kCookies, kRecent, kUserTemp, kWinTemp}) files.Put(In(folder, L"f.tmp"), "x");
  Label5.text = Label9.text = Label11.text = L"7";  // left from an earlier pass
  Pass();
  EXPECT_EQ(Rows(), (std::vector<Row>{{L"f.tmp", L"Junk", 1}}));
  EXPECT_EQ((std::vector<std::wstring>{Label7.text, Label5.text, Label9.text, Label11.text}),
            (std::vector<std::wstring>{L"1", L"0", L"0", L"0"}));
  EXPECT_TRUE(files.Exists(In(kWinTemp, L"f.tmp")));
}

TEST_F(CleanerPageTest, CookiesTypedExactlyDatFileAreLeftAlone) {
  ck2.value = 1;
  page.ck2_Click();
  files.Put(In(kCookies, L"index.dat"), "x");
  files.SetType(In(kCookies, L"index.dat"), L"DAT File");
  files.Put(In(kCookies, L"other.dat"), "x");
  files.SetType(In(kCookies, L"other.dat"), L"DAT file");  // differs in case only
  Pass();
  EXPECT_EQ(Rows(), (std::vector<Row>{{L"other.dat", In(kCookies, L"other.dat"), 5}}));
  EXPECT_EQ(LogLines().size(), 1u);
  EXPECT_EQ(Label11.text, L"1");
  EXPECT_TRUE(files.Exists(In(kCookies, L"index.dat")));
  EXPECT_FALSE(files.Exists(In(kCookies, L"other.dat")));
}

TEST_F(CleanerPageTest, UserTempFilesThenSubFoldersCountBeforeTheWindowsTempScanner) {
  files.Put(In(kUserTemp, L"a.tmp"), "x");
  files.PutFolder(In(kUserTemp, L"dir"));
  files.Put(In(kUserTemp, L"b.tmp"), "x");
  PutMany(kWinTemp, 2);
  page.Engine().ScanUserTemp();
  EXPECT_EQ(Rows(), (std::vector<Row>{{L"a.tmp", In(kUserTemp, L"a.tmp"), 2},
                                      {L"b.tmp", In(kUserTemp, L"b.tmp"), 2},
                                      {L"dir", In(kUserTemp, L"dir"), 5}}));
  EXPECT_EQ(Label9.text, L"3");
  page.Engine().ScanWindowsTemp();
  EXPECT_EQ(page.Engine().TempFileCount, 5);
  EXPECT_EQ(Label9.text, L"5");
}

TEST_F(CleanerPageTest, MissingUnreadableOrUnsetFoldersGiveZero) {
  env.Set(L"TEMP", L"C:\\Nowhere");
  files.Put(In(kWinTemp, L"w.tmp"), "x");
  files.MakeUnreadable(kWinTemp);
  page.Engine().ScanUserTemp();
  EXPECT_EQ(Label3.text, L"Searching : C:\\Nowhere");
  page.Engine().ScanWindowsTemp();
  page.Engine().ScanPrefetch();  // no Prefetch folder: skipped like the others
  EXPECT_EQ(Label3.text, L"Searching : C:\\WINDOWS\\Prefetch");
  EXPECT_EQ(Label9.text + Label7.text, L"00");
  EXPECT_TRUE(page.ListView1().Empty());
  env.vars.clear();      // unset variables never name the current folder
  files.PutFolder(L"");
  Pass();
  EXPECT_EQ(Label12.text, L"Total Files Found : 0");
  EXPECT_FALSE(files.Exists(kLog));
}

TEST_F(CleanerPageTest, EachPassReadsTheEnvironmentAfreshAndClearsTickedRows) {
  files.Put(L"C:\\T1\\one.tmp", "x");
  files.Put(L"C:\\T2\\two.tmp", "x");
  env.Set(L"TEMP", L"C:\\T1\\");  // a trailing backslash joins without doubling
  Pass();
  EXPECT_EQ(Rows(), (std::vector<Row>{{L"one.tmp", L"C:\\T1\\one.tmp", 2}}));
  page.ListView1().SetAllTicked(true);
  env.Set(L"TEMP", L"C:\\T2");
  Pass();
  EXPECT_EQ(Rows(), (std::vector<Row>{{L"two.tmp", L"C:\\T2\\two.tmp", 2}}));
  EXPECT_FALSE(page.ListView1().Row(0).ticked);
}

TEST_F(CleanerPageTest, FailedDeletesAreStillListedLoggedAndCounted) {
  files.Put(In(kWinTemp, L"locked.tmp"), "x");
  files.Find(In(kWinTemp, L"locked.tmp"))->locked = true;
  files.Put(In(kPrefetch, L"ro.pf"), "x");
  files.Find(In(kPrefetch, L"ro.pf"))->readOnly = true;  // a plain delete does not touch attributes
  Pass();
  EXPECT_EQ(page.ListView1().Count(), 2u);
  EXPECT_EQ(LogLines().size(), 2u);
  EXPECT_EQ(Label9.text + Label7.text, L"11");
  EXPECT_TRUE(files.Exists(In(kWinTemp, L"locked.tmp")));
  EXPECT_TRUE(files.Exists(In(kPrefetch, L"ro.pf")));
  EXPECT_TRUE(files.attributeResets.empty());
}

TEST_F(CleanerPageTest, CookieCountGoesPast32767) {
  ck2.value = 1;
  page.ck2_Click();
  PutMany(kCookies, 32769);
  page.Engine().ScanCookies();
  EXPECT_EQ(Label11.text, L"32769");
}

TEST_F(CleanerPageTest, LogIsWrittenOncePerScannerAndRecreatedWithoutHeader) {
  files.Put(In(kPrefetch, L"p1.pf"), "x");
  files.Put(In(kPrefetch, L"p2.pf"), "x");
  files.Put(In(kUserTemp, L"u.tmp"), "x");
  Pass();  // no log file before: created by the pass, no header
  EXPECT_EQ(files.opens, 2);
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"05/12/2026p1.pfC:\\WINDOWS\\Prefetch\\p1.pf",
                                                  "05/12/2026p2.pfC:\\WINDOWS\\Prefetch\\p2.pf",
                                                  "05/12/2026u.tmpC:\\Users\\ann\\AppData\\Local\\Temp\\u.tmp"}));
  files.DenyWrites(kLog);  // an unwritable log loses its records, not the scan
  files.Put(In(kWinTemp, L"w.tmp"), "x");
  Pass();
  EXPECT_EQ(page.ListView1().Count(), 2u);
  EXPECT_FALSE(files.Exists(In(kWinTemp, L"w.tmp")));
  EXPECT_EQ(LogLines().size(), 3u);
}

TEST_F(CleanerPageTest, UnicodeNamesListInFullAndLogAsTheCodePageAllows) {
  std::wstring name = FromUtf8("r\xC3\xA9sum\xC3\xA9-\xE6\x97\xA5\xE6\x9C\xAC.tmp");  // résumé-日本.tmp
  files.Put(In(kWinTemp, name), "x");
  Pass();
  ASSERT_EQ(page.ListView1().Count(), 1u);
  EXPECT_EQ(page.ListView1().Row(0).name, name);
  EXPECT_EQ(LogLines()[0], "05/12/2026r\xE9sum\xE9-??.tmpC:\\WINDOWS\\Temp\\r\xE9sum\xE9-??.tmp");
  EXPECT_FALSE(files.Exists(In(kWinTemp, name)));
}

// Removal ("Clean All", "Sellect All", the list watch).

class CleanAllTest : public CleanerPageTest {
 protected:
  void FiveRows() {
    PutMany(kUserTemp, 5);
    Pass();
    ASSERT_EQ(page.ListView1().Count(), 5u);
  }
  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> out;
    for (const JunkRow& r : page.ListView1().Rows()) out.push_back(r.name);
    return out;
  }
};

TEST_F(CleanAllTest, RowsTwoAndFourGoAndTheRestKeepTheirOrder) {
  FiveRows();
  page.Command2_Click();  // nothing ticked: nothing happens
  EXPECT_EQ(page.ListView1().Count(), 5u);
  EXPECT_TRUE(files.removeAttempts.empty());
  page.ListView1().SetTicked(1, true);
  page.ListView1().SetTicked(3, true);
  page.ListView1().SetTicked(9, true);  // no such row
  page.Command2_Click();
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"f0.tmp", L"f2.tmp", L"f4.tmp"}));
  EXPECT_EQ(files.removeAttempts, (std::vector<std::wstring>{In(kUserTemp, L"f1.tmp"), In(kUserTemp, L"f3.tmp")}));
  EXPECT_EQ(files.attributeResets, files.removeAttempts);
  EXPECT_FALSE(files.Exists(In(kUserTemp, L"f1.tmp")));
}

TEST_F(CleanAllTest, EveryKindOfRowLeavesTheListAndTheCountsStay) {
  files.Put(In(kPrefetch, L"p.pf"), "x");  // deleted by the scan; row "Junk"
  files.Put(In(kUserTemp, L"ro.tmp"), "x");
  files.Find(In(kUserTemp, L"ro.tmp"))->readOnly = files.Find(In(kUserTemp, L"ro.tmp"))->hidden = true;
  files.Put(In(kUserTemp, L"open.tmp"), "x");
  files.Find(In(kUserTemp, L"open.tmp"))->locked = true;
  files.PutFolder(In(kUserTemp, L"dir"));
  files.Put(In(kWinTemp, L"w.tmp"), "x");  // deleted by the scan
  Pass();
  files.removeAttempts.clear();  // the scan's own deletes
  page.ListView1().SetAllTicked(true);
  page.Command2_Click();
  EXPECT_TRUE(page.ListView1().Empty());
  // The "Junk" cell names no file; the others get one attempt each.
  EXPECT_EQ(files.removeAttempts, (std::vector<std::wstring>{In(kUserTemp, L"ro.tmp"), In(kUserTemp, L"open.tmp"),
                                                             In(kUserTemp, L"dir"), In(kWinTemp, L"w.tmp")}));
  EXPECT_FALSE(files.Exists(In(kUserTemp, L"ro.tmp")));  // attributes reset first
  EXPECT_TRUE(files.Exists(In(kUserTemp, L"open.tmp")));
  EXPECT_TRUE(files.Exists(In(kUserTemp, L"dir")));
  EXPECT_EQ(Label12.text, L"Total Files Found : 5");
  EXPECT_EQ(Label9.text, L"4");
}

TEST_F(CleanAllTest, SellectAllAndTheListWatch) {
  Check1.value = 1;
  page.Timer3_Timer();  // empty list at start
  EXPECT_FALSE(Command2.enabled || Check1.enabled);
  EXPECT_EQ(Check1.value, 0);
  FiveRows();
  page.Timer3_Timer();
  EXPECT_TRUE(Command2.enabled && Check1.enabled);
  int before = observer.calls;
  Check1.value = 1;
  page.Check1_Click();
  for (const JunkRow& r : page.ListView1().Rows()) EXPECT_TRUE(r.ticked);
  Check1.value = 0;
  page.Check1_Click();
  for (const JunkRow& r : page.ListView1().Rows()) EXPECT_FALSE(r.ticked);
  EXPECT_EQ(observer.calls, before + 2);
  Check1.value = 1;
  page.Check1_Click();
  page.Command2_Click();
  page.Timer3_Timer();
  EXPECT_FALSE(Command2.enabled || Check1.enabled);
  EXPECT_EQ(Check1.value, 0);
}

}  // namespace
}  // namespace vexa::cleaner
