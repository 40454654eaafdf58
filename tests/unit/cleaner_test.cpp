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

TEST_F(CleanerPageTest, ScanClickStartsTheSpinnerAndTheTimerAndTheTickRunsOnePass) {
  page.Command1_Click();
  page.Command1_Click();  // a second click before the tick: still one pass
  EXPECT_TRUE(UCP.playing);
  EXPECT_TRUE(Timer1.enabled);
  files.Put(In(kPrefetch, L"A.pf"), "x");
  page.Timer1_Timer();
  EXPECT_FALSE(Timer1.enabled);
  EXPECT_FALSE(UCP.playing);
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
  files.PutFolder(In(kUserTemp, L"sub"));
  files.Put(In(In(kUserTemp, L"sub"), L"deep.tmp"), "x");  // not looked into
  files.Put(In(kUserTemp, L"u2.tmp"), "x");
  files.Put(In(kWinTemp, L"w.tmp"), "x");

  Pass();

  EXPECT_EQ(Rows(), (std::vector<Row>{
                        {L"APP.EXE-1.pf", L"Junk", 1},
                        {L"ann@site.txt", In(kCookies, L"ann@site.txt"), 5},
                        {L"doc.lnk", In(kRecent, L"doc.lnk"), 3},
                        {L"u1.tmp", In(kUserTemp, L"u1.tmp"), 2},
                        {L"u2.tmp", In(kUserTemp, L"u2.tmp"), 2},
                        {L"sub", In(kUserTemp, L"sub"), 5},
                        {L"w.tmp", In(kWinTemp, L"w.tmp"), 5},
                    }));
  EXPECT_EQ(LogLines(), (std::vector<std::string>{
                            "05/12/2026APP.EXE-1.pfC:\\WINDOWS\\Prefetch\\APP.EXE-1.pf",
                            "05/12/2026ann@site.txtC:\\WINDOWS\\Temp\\Cookies\\ann@site.txt",
                            "05/12/2026doc.lnkC:\\Users\\ann\\Recent\\doc.lnk",
                            "05/12/2026u1.tmpC:\\Users\\ann\\AppData\\Local\\Temp\\u1.tmp",
                            "05/12/2026u2.tmpC:\\Users\\ann\\AppData\\Local\\Temp\\u2.tmp",
                            "05/12/2026subC:\\Users\\ann\\AppData\\Local\\Temp\\sub",
                            "05/12/2026w.tmpC:\\WINDOWS\\Temp\\w.tmp",
                        }));
  EXPECT_EQ(Label7.text, L"1");
  EXPECT_EQ(Label11.text, L"1");
  EXPECT_EQ(Label5.text, L"1");
  EXPECT_EQ(Label9.text, L"4");
  EXPECT_EQ(page.Engine().TempFileCount, 4);
  EXPECT_EQ(Label12.text, L"Total Files Found : 7");
  // Deleted during the scan everywhere but the user temp folder.
  EXPECT_FALSE(files.Exists(In(kPrefetch, L"APP.EXE-1.pf")));
  EXPECT_FALSE(files.Exists(In(kCookies, L"ann@site.txt")));
  EXPECT_FALSE(files.Exists(In(kRecent, L"doc.lnk")));
  EXPECT_FALSE(files.Exists(In(kWinTemp, L"w.tmp")));
  EXPECT_TRUE(files.Exists(In(kUserTemp, L"u1.tmp")));
  EXPECT_TRUE(files.Exists(In(In(kUserTemp, L"sub"), L"deep.tmp")));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_GE(observer.calls, 1);
}

TEST_F(CleanerPageTest, FiftyRowsGiveNoWarning) {
  PutMany(kUserTemp, 50);
  Pass();
  EXPECT_EQ(Label12.text, L"Total Files Found : 50");
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(CleanerPageTest, FiftyOneRowsWarnOnceAfterTheSummary) {
  PutMany(kUserTemp, 51);
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

TEST_F(CleanerPageTest, AllFlagsOffLeavesOnlyThePrefetchScanner) {
  for (auto* t : {&ck1, &ck2, &ck3}) t->value = 0;
  page.ck1_Click();
  page.ck2_Click();
  page.ck3_Click();
  files.Put(In(kPrefetch, L"p.pf"), "x");
  files.Put(In(kCookies, L"c.txt"), "x");
  files.Put(In(kRecent, L"r.lnk"), "x");
  files.Put(In(kUserTemp, L"u.tmp"), "x");
  files.Put(In(kWinTemp, L"w.tmp"), "x");
  Label5.text = Label9.text = Label11.text = L"7";  // left from an earlier pass
  Pass();
  EXPECT_EQ(Rows(), (std::vector<Row>{{L"p.pf", L"Junk", 1}}));
  EXPECT_EQ(Label7.text, L"1");
  EXPECT_EQ(Label5.text, L"0");
  EXPECT_EQ(Label9.text, L"0");
  EXPECT_EQ(Label11.text, L"0");
  EXPECT_TRUE(files.Exists(In(kWinTemp, L"w.tmp")));
  EXPECT_TRUE(files.Exists(In(kRecent, L"r.lnk")));
}

TEST_F(CleanerPageTest, TogglesSetTheirFlagsAndSettleOnZeroOrOne) {
  ck1.value = 0;
  page.ck1_Click();
  EXPECT_FALSE(page.Engine().CleanTemp);
  ck2.value = 1;
  page.ck2_Click();
  EXPECT_TRUE(page.Engine().CleanCookies);
  ck3.value = 2;  // anything but 1 is off
  page.ck3_Click();
  EXPECT_FALSE(page.Engine().CleanRecent);
  EXPECT_EQ(ck3.value, 0);
}

TEST_F(CleanerPageTest, FlagsStartFromTheToggles) {
  EXPECT_TRUE(page.Engine().CleanTemp);
  EXPECT_FALSE(page.Engine().CleanCookies);
  EXPECT_TRUE(page.Engine().CleanRecent);
  ck2.value = 1;
  ck3.value = 0;
  page.TakeFlagsFromToggles();
  EXPECT_TRUE(page.Engine().CleanCookies);
  EXPECT_FALSE(page.Engine().CleanRecent);
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
  files.Put(In(kWinTemp, L"w1.tmp"), "x");
  files.Put(In(kWinTemp, L"w2.tmp"), "x");
  ModEngine& engine = page.Engine();
  engine.ScanUserTemp();
  EXPECT_EQ(Rows(), (std::vector<Row>{{L"a.tmp", In(kUserTemp, L"a.tmp"), 2},
                                      {L"b.tmp", In(kUserTemp, L"b.tmp"), 2},
                                      {L"dir", In(kUserTemp, L"dir"), 5}}));
  EXPECT_EQ(engine.TempFileCount, 3);
  EXPECT_EQ(Label9.text, L"3");
  engine.ScanWindowsTemp();
  EXPECT_EQ(engine.TempFileCount, 5);
  EXPECT_EQ(Label9.text, L"5");
}

TEST_F(CleanerPageTest, MissingOrUnreadableFoldersGiveZeroAndStillShowTheirPath) {
  env.Set(L"TEMP", L"C:\\Nowhere");
  files.PutFolder(kWinTemp);
  files.Put(In(kWinTemp, L"w.tmp"), "x");
  files.MakeUnreadable(kWinTemp);
  std::vector<std::wstring> statuses;
  page.Engine().ScanUserTemp();
  statuses.push_back(Label3.text);
  page.Engine().ScanWindowsTemp();
  statuses.push_back(Label3.text);
  page.Engine().ScanPrefetch();  // no Prefetch folder at all: skipped like the others
  statuses.push_back(Label3.text);
  EXPECT_EQ(statuses, (std::vector<std::wstring>{L"Searching : C:\\Nowhere", L"Searching : C:\\WINDOWS\\Temp",
                                                 L"Searching : C:\\WINDOWS\\Prefetch"}));
  EXPECT_EQ(Label9.text, L"0");
  EXPECT_EQ(Label7.text, L"0");
  EXPECT_TRUE(page.ListView1().Empty());
  EXPECT_FALSE(files.Exists(kLog));
}

TEST_F(CleanerPageTest, UnsetVariablesNeverListTheCurrentFolder) {
  env.vars.clear();
  files.PutFolder(L"");  // whatever an empty path might name
  Pass();
  EXPECT_TRUE(page.ListView1().Empty());
  EXPECT_EQ(Label12.text, L"Total Files Found : 0");
}

TEST_F(CleanerPageTest, EnvironmentIsReadAfreshEachPass) {
  files.Put(L"C:\\T1\\one.tmp", "x");
  files.Put(L"C:\\T2\\two.tmp", "x");
  env.Set(L"TEMP", L"C:\\T1\\");  // a trailing backslash joins without doubling
  Pass();
  EXPECT_EQ(Rows(), (std::vector<Row>{{L"one.tmp", L"C:\\T1\\one.tmp", 2}}));
  env.Set(L"TEMP", L"C:\\T2");
  Pass();
  EXPECT_EQ(Rows(), (std::vector<Row>{{L"two.tmp", L"C:\\T2\\two.tmp", 2}}));
}

TEST_F(CleanerPageTest, NewPassClearsEvenTickedRows) {
  files.Put(In(kUserTemp, L"a.tmp"), "x");
  Pass();
  page.ListView1().SetAllTicked(true);
  files.Remove(In(kUserTemp, L"a.tmp"));
  files.Put(In(kUserTemp, L"b.tmp"), "x");
  Pass();
  ASSERT_EQ(page.ListView1().Count(), 1u);
  EXPECT_EQ(page.ListView1().Row(0).name, L"b.tmp");
  EXPECT_FALSE(page.ListView1().Row(0).ticked);
}

TEST_F(CleanerPageTest, FailedDeletesAreStillListedLoggedAndCounted) {
  files.Put(In(kWinTemp, L"locked.tmp"), "x");
  files.Find(In(kWinTemp, L"locked.tmp"))->locked = true;
  files.Put(In(kPrefetch, L"ro.pf"), "x");
  files.Find(In(kPrefetch, L"ro.pf"))->readOnly = true;  // a plain delete does not touch attributes
  files.Put(In(kWinTemp, L"gone.tmp"), "x");
  Pass();
  EXPECT_EQ(page.ListView1().Count(), 3u);
  EXPECT_EQ(LogLines().size(), 3u);
  EXPECT_EQ(Label9.text, L"2");
  EXPECT_EQ(Label7.text, L"1");
  EXPECT_TRUE(files.Exists(In(kWinTemp, L"locked.tmp")));
  EXPECT_TRUE(files.Exists(In(kPrefetch, L"ro.pf")));
  EXPECT_FALSE(files.Exists(In(kWinTemp, L"gone.tmp")));
  EXPECT_TRUE(files.attributeResets.empty());
}

TEST_F(CleanerPageTest, CookieCountGoesPast32767) {
  ck2.value = 1;
  page.ck2_Click();
  PutMany(kCookies, 32769);
  page.Engine().ScanCookies();
  EXPECT_EQ(page.Engine().CookieCount, 32769);
  EXPECT_EQ(Label11.text, L"32769");
}

TEST_F(CleanerPageTest, LogIsWrittenOncePerScannerWithFoundItems) {
  log.CreateLogIfMissing();
  files.Put(In(kPrefetch, L"p1.pf"), "x");
  files.Put(In(kPrefetch, L"p2.pf"), "x");
  files.Put(In(kUserTemp, L"u.tmp"), "x");
  files.opens = 0;
  Pass();
  EXPECT_EQ(files.opens, 2);
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"[VexaTools Utility]",
                                                  "05/12/2026p1.pfC:\\WINDOWS\\Prefetch\\p1.pf",
                                                  "05/12/2026p2.pfC:\\WINDOWS\\Prefetch\\p2.pf",
                                                  "05/12/2026u.tmpC:\\Users\\ann\\AppData\\Local\\Temp\\u.tmp"}));
}

TEST_F(CleanerPageTest, LogDeletedBeforeAPassIsRecreatedWithoutHeader) {
  log.CreateLogIfMissing();
  files.Remove(kLog);
  files.Put(In(kUserTemp, L"u.tmp"), "x");
  Pass();
  EXPECT_EQ(files.Read(kLog), "05/12/2026u.tmpC:\\Users\\ann\\AppData\\Local\\Temp\\u.tmp\r\n");
}

TEST_F(CleanerPageTest, UnwritableLogLosesRecordsButNotTheScan) {
  files.DenyWrites(kLog);
  files.Put(In(kWinTemp, L"w.tmp"), "x");
  Pass();
  EXPECT_EQ(page.ListView1().Count(), 1u);
  EXPECT_EQ(Label9.text, L"1");
  EXPECT_FALSE(files.Exists(In(kWinTemp, L"w.tmp")));
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

TEST_F(CleanerPageTest, LinkedFoldersAreListedNotEntered) {
  files.PutFolderLink(In(kUserTemp, L"junction"));
  files.Put(In(In(kUserTemp, L"junction"), L"inside.txt"), "x");
  files.PutFolderLink(In(kWinTemp, L"link"));
  Pass();
  EXPECT_EQ(Rows(), (std::vector<Row>{{L"junction", In(kUserTemp, L"junction"), 5}}));
  EXPECT_TRUE(files.Exists(In(kWinTemp, L"link")));
}

// Removal ("Clean All", "Sellect All", the list watch).

class CleanAllTest : public CleanerPageTest {
 protected:
  void FiveRows() {
    for (int i = 1; i <= 5; ++i) files.Put(In(kUserTemp, L"r" + std::to_wstring(i) + L".tmp"), "x");
    Pass();
    ASSERT_EQ(page.ListView1().Count(), 5u);
  }
  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> out;
    for (const JunkRow& r : page.ListView1().Rows()) out.push_back(r.name);
    return out;
  }
};

TEST_F(CleanAllTest, NoTickedRowChangesNothing) {
  FiveRows();
  int before = observer.calls;
  page.Command2_Click();
  EXPECT_EQ(page.ListView1().Count(), 5u);
  EXPECT_TRUE(files.removeAttempts.empty());
  EXPECT_EQ(observer.calls, before);
}

TEST_F(CleanAllTest, RowsTwoAndFourGoAndTheRestKeepTheirOrder) {
  FiveRows();
  page.ListView1().SetTicked(1, true);
  page.ListView1().SetTicked(3, true);
  page.ListView1().SetTicked(9, true);  // no such row
  page.Command2_Click();
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"r1.tmp", L"r3.tmp", L"r5.tmp"}));
  EXPECT_EQ(files.removeAttempts, (std::vector<std::wstring>{In(kUserTemp, L"r2.tmp"), In(kUserTemp, L"r4.tmp")}));
  EXPECT_EQ(files.attributeResets, files.removeAttempts);
  EXPECT_FALSE(files.Exists(In(kUserTemp, L"r2.tmp")));
  EXPECT_TRUE(files.Exists(In(kUserTemp, L"r3.tmp")));
}

TEST_F(CleanAllTest, CountsAndTotalStayAsTheScanLeftThem) {
  FiveRows();
  page.ListView1().SetAllTicked(true);
  page.Command2_Click();
  EXPECT_TRUE(page.ListView1().Empty());
  EXPECT_EQ(Label12.text, L"Total Files Found : 5");
  EXPECT_EQ(Label9.text, L"5");
  EXPECT_EQ(page.Engine().TempFileCount, 5);
}

TEST_F(CleanAllTest, EveryKindOfRowLeavesTheListWhatEverItsDeleteDoes) {
  files.Put(In(kPrefetch, L"p.pf"), "x");           // deleted by the scan; row "Junk"
  files.Put(In(kUserTemp, L"ro.tmp"), "x");
  files.Find(In(kUserTemp, L"ro.tmp"))->readOnly = true;
  files.Find(In(kUserTemp, L"ro.tmp"))->hidden = true;
  files.Put(In(kUserTemp, L"open.tmp"), "x");
  files.Find(In(kUserTemp, L"open.tmp"))->locked = true;
  files.PutFolder(In(kUserTemp, L"dir"));
  files.Put(In(kWinTemp, L"w.tmp"), "x");          // deleted by the scan
  Pass();
  ASSERT_EQ(page.ListView1().Count(), 5u);
  files.removeAttempts.clear();  // the scan's own deletes
  page.ListView1().SetAllTicked(true);
  page.Command2_Click();
  EXPECT_TRUE(page.ListView1().Empty());
  // The "Junk" cell names no file; the others get one attempt each.
  EXPECT_EQ(files.removeAttempts,
            (std::vector<std::wstring>{In(kUserTemp, L"ro.tmp"), In(kUserTemp, L"open.tmp"), In(kUserTemp, L"dir"),
                                       In(kWinTemp, L"w.tmp")}));
  EXPECT_FALSE(files.Exists(In(kUserTemp, L"ro.tmp")));  // attributes reset first
  EXPECT_TRUE(files.Exists(In(kUserTemp, L"open.tmp")));
  EXPECT_TRUE(files.Exists(In(kUserTemp, L"dir")));
}

TEST_F(CleanAllTest, SellectAllTicksAndUnticksEveryRow) {
  FiveRows();
  int before = observer.calls;
  Check1.value = 1;
  page.Check1_Click();
  for (const JunkRow& r : page.ListView1().Rows()) EXPECT_TRUE(r.ticked);
  Check1.value = 0;
  page.Check1_Click();
  for (const JunkRow& r : page.ListView1().Rows()) EXPECT_FALSE(r.ticked);
  EXPECT_EQ(observer.calls, before + 2);
}

TEST_F(CleanAllTest, ListWatchFollowsTheRows) {
  Command2.enabled = true;
  Check1.value = 1;
  page.Timer3_Timer();  // empty list at start
  EXPECT_FALSE(Command2.enabled);
  EXPECT_FALSE(Check1.enabled);
  EXPECT_EQ(Check1.value, 0);
  FiveRows();
  page.Timer3_Timer();
  EXPECT_TRUE(Command2.enabled);
  EXPECT_TRUE(Check1.enabled);
  Check1.value = 1;
  page.Check1_Click();
  page.Command2_Click();
  page.Timer3_Timer();
  EXPECT_FALSE(Command2.enabled);
  EXPECT_FALSE(Check1.enabled);
  EXPECT_EQ(Check1.value, 0);
}

}  // namespace
}  // namespace vexa::cleaner
