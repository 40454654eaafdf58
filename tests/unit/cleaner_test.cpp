#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cleaner/cleaner_page.h"
#include "platform/text.h"
#include "tests/fakes/fake_system.h"
#include "tests/fakes/fake_ui.h"

namespace vexa::cleaner {
namespace {

const std::wstring kPrefetch = L"C:\\WINDOWS\\Prefetch\\", kCookies = L"C:\\WINDOWS\\Temp\\Cookies\\",
                   kRecent = L"C:\\Users\\ann\\Recent\\", kUserTemp = L"C:\\Users\\ann\\Temp\\",
                   kWinTemp = L"C:\\WINDOWS\\Temp\\";

struct Cleaner : ::testing::Test {
  Cleaner() {
    for (auto [name, value] : {std::pair{L"SystemRoot", L"C:\\WINDOWS"}, {L"TEMP", L"C:\\Users\\ann\\Temp"},
                               {L"HOMEDRIVE", L"C:"}, {L"HOMEPATH", L"\\Users\\ann"}})
      env.Set(name, value);
    page.TakeFlagsFromToggles();
  }
  void Pass() {
    page.Command1_Click();
    page.Timer1_Timer();
  }
  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> out;
    for (const JunkRow& r : page.ListView1().Rows()) out.push_back(r.name);
    return out;
  }
  void ScanUserTempFiles(int n) {
    for (int i = 0; i < n; ++i) files.Put(kUserTemp + L"f" + std::to_wstring(i));
    Pass();
  }

  fakes::FakeFileSystem files;
  fakes::FakeClock clock;
  fakes::FakeEnvironment env;
  ActivityLog log{files, clock, L"C:\\App"};
  fakes::FakeCaption Label3, Label12, Label5, Label7, Label9, Label11;
  fakes::FakeSpinner UCP;
  fakes::FakeTimer Timer1{2000}, Timer3{1000, true};
  fakes::FakeButton Command2{L"Clean All"};
  fakes::FakeToggle Check1{0}, ck1{1}, ck2{1}, ck3{1};
  fakes::FakeMessageBoxes boxes;
  fakes::FakeEventPump pump;
  CleanerPage page{{Label3, Label12, Label5, Label7, Label9, Label11, UCP, Timer1, Timer3, Command2, Check1, ck1, ck2, ck3},
                   {files, env, log, clock, boxes, pump}};
};

TEST_F(Cleaner, FiveScannersListLogCountAndDeleteInTheirOrder) {
  struct Found { std::wstring folder, name; int icon; bool deleted; };
  const Found found[] = {{kPrefetch, L"A.pf", 1, true},   {kCookies, L"c.txt", 5, true}, {kRecent, L"r.lnk", 3, true},
                         {kUserTemp, L"u.tmp", 2, false}, {kUserTemp, L"sub", 5, false}, {kWinTemp, L"w.tmp", 5, true}};
  for (const Found& f : found) f.name == L"sub" ? files.PutFolder(f.folder + f.name) : files.Put(f.folder + f.name);
  page.Command1_Click();  // twice before the tick: one pass
  page.Command1_Click();
  EXPECT_TRUE(Timer1.enabled && UCP.playing);
  page.Timer1_Timer();
  EXPECT_FALSE(Timer1.enabled || UCP.playing);
  ASSERT_EQ(page.ListView1().Count(), std::size(found));
  std::string expectedLog;
  for (std::size_t i = 0; i < std::size(found); ++i) {
    const JunkRow& row = page.ListView1().Row(i);
    const std::wstring full = found[i].folder + found[i].name;
    EXPECT_EQ(row.name + L"|" + row.path, found[i].name + L"|" + (found[i].folder == kPrefetch ? L"Junk" : full));
    EXPECT_EQ(row.icon, found[i].icon) << i;
    EXPECT_FALSE(row.ticked);
    EXPECT_EQ(!files.Find(full), found[i].deleted) << i;
    expectedLog += "05/12/2026" + ToAnsi(found[i].name + full) + "\r\n";
  }
  EXPECT_EQ(files.Read(L"C:\\App\\VexaLog.Log"), expectedLog);
  EXPECT_EQ(Label7.text + Label11.text + Label5.text + Label9.text, L"1113");
  EXPECT_EQ(Label12.text + L"|" + Label3.text, L"Total Files Found : 6|Searching Completed..");
}

TEST_F(Cleaner, MoreThanFiftyRowsWarnAfterTheSummary) {
  std::wstring shownWhileOpen;
  boxes.whileOpen = [&] { shownWhileOpen = Label12.text + L"|" + Label3.text; };
  for (auto [rows, warned] : {std::pair{50, false}, {51, true}}) {
    boxes.shown.clear();
    ScanUserTempFiles(rows);
    ASSERT_EQ(boxes.shown.size(), warned ? 1u : 0u) << rows;
  }
  EXPECT_EQ(boxes.shown[0].text + L"|" + boxes.shown[0].title, L"Your PC At Risk|Risk");
  EXPECT_EQ(boxes.shown[0].icon, ui::BoxIcon::Exclamation);
  EXPECT_EQ(shownWhileOpen, L"Total Files Found : 51|Searching Completed..");
}

TEST_F(Cleaner, CookiesOfExactlyTheKeptTypeOrOfNoKnownTypeStay) {
  struct Case { const wchar_t *name, *type; bool listed; };
  const Case cases[] = {{L"index.dat", L"DAT File", false}, {L"other.dat", L"DAT file", true},
                        {L"a.txt", L"Text Document", true}, {L"unknown.dat", L"", false}};  // the lookup failed
  for (const Case& c : cases) files.Put(kCookies + c.name).type = c.type;
  Pass();
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"other.dat", L"a.txt"}));
  for (const Case& c : cases) EXPECT_EQ(!files.Find(kCookies + c.name), c.listed) << c.name;
  EXPECT_EQ(Label11.text, L"2");
}

TEST_F(Cleaner, AScannerWithAnUnsetOrRelativeFolderIsSkipped) {
  for (auto [variable, value] : {std::pair{L"SystemRoot", L""}, {L"HOMEDRIVE", L""}, {L"HOMEPATH", L""},
                                 {L"TEMP", L""}, {L"TEMP", L"Temp"}}) {
    // Where the folders would be on the current drive.
    for (const wchar_t* decoy : {L"\\Prefetch\\a", L"\\Temp\\a", L"\\Users\\ann\\Recent\\a", L"C:\\Recent\\a",
                                 L"\\Recent\\a", L"Temp\\a"})
      files.Put(decoy);
    const fakes::FakeEnvironment saved = env;
    env.Set(variable, value);
    Pass();
    env = saved;
    EXPECT_TRUE(page.ListView1().Empty() && files.removeAttempts.empty()) << variable << "=" << value;
    EXPECT_EQ(Label7.text + Label11.text + Label5.text + Label9.text, L"0000");
  }
}

TEST_F(Cleaner, CleanAllTakesTheTickedRowsInOnePassAndKeepsTheOthersInOrder) {
  ScanUserTempFiles(5);
  page.Command2_Click();  // nothing ticked
  page.ListView1().SetTicked(1, true);
  page.ListView1().SetTicked(3, true);
  page.Command2_Click();
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"f0", L"f2", L"f4"}));
  EXPECT_EQ(files.removeAttempts, (std::vector<std::wstring>{kUserTemp + L"f1", kUserTemp + L"f3"}));
  EXPECT_TRUE(files.attributeResets.empty());  // a delete that works needs no reset
  EXPECT_EQ(Label12.text + Label9.text, L"Total Files Found : 55");
}

TEST_F(Cleaner, CleanAllResetsAttributesOnlyAfterARefusedDelete) {
  files.Put(kPrefetch + L"p.pf");  // its row's Path cell is "Junk"
  files.Put(L"Junk");              // a file of that name in the current folder
  const std::wstring plain = kUserTemp + L"plain", ro = kUserTemp + L"ro", open = kUserTemp + L"open",
                     dir = kUserTemp + L"dir";
  files.Put(plain);
  files.Put(ro).readOnly = true;
  files.Put(open).locked = true;
  files.PutFolder(dir);
  Pass();
  files.removeAttempts.clear();
  page.ListView1().SetAllTicked(true);
  page.Command2_Click();
  EXPECT_TRUE(page.ListView1().Empty());
  EXPECT_EQ(files.removeAttempts, (std::vector<std::wstring>{plain, ro, ro, open, dir, dir}));
  EXPECT_EQ(files.attributeResets, (std::vector<std::wstring>{ro, open, dir}));
  EXPECT_FALSE(files.Find(plain) || files.Find(ro));
  EXPECT_TRUE(files.Find(open) && files.Find(dir) && files.Find(L"Junk"));
}

TEST_F(Cleaner, ALongCleanAllLetsEventsRunAndIgnoresScanAndCleanAllMeanwhile) {
  ScanUserTempFiles(400);
  page.ListView1().SetAllTicked(true);
  page.ListView1().SetTicked(399, false);
  clock.step = 7;  // every look at the clock finds 7 ms gone
  std::vector<std::uint64_t> pumpedAt = {clock.ms};
  pump.pending = [&] {
    pumpedAt.push_back(clock.ms);
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"f399"});  // the list shows the outcome already
    page.Command1_Click();
    Timer1.enabled = true;  // a scan started before
    page.Timer1_Timer();
    page.Command2_Click();
    EXPECT_TRUE(!UCP.playing && page.ListView1().Count() == 1);
  };
  page.Command2_Click();
  ASSERT_GT(pumpedAt.size(), 10u);
  for (std::size_t i = 1; i < pumpedAt.size(); ++i) EXPECT_LE(pumpedAt[i] - pumpedAt[i - 1], 100u) << i;
  EXPECT_TRUE(!files.Find(kUserTemp + L"f398") && files.Find(kUserTemp + L"f399"));
  pump.pending = nullptr;
  page.Command1_Click();
  page.Timer1_Timer();  // usable again
  EXPECT_EQ(page.ListView1().Count(), 1u);
}

TEST(ReparseTag, OnlySymbolicLinksAndJunctionsAreLinks) {
  for (auto [tag, link] : {std::pair{kReparseTagSymlink, true}, {kReparseTagJunction, true}, {0u, true},
                           {0x9000001Au, false}, {0x80000013u, false}, {0x8000001Bu, false}})
    EXPECT_EQ(IsLinkTag(tag), link) << std::hex << tag;
}

}  // namespace
}  // namespace vexa::cleaner
