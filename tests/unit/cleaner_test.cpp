#include <gtest/gtest.h>

#include <algorithm>
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
constexpr wchar_t kUserTemp[] = L"C:\\Users\\ann\\Temp";
constexpr wchar_t kWinTemp[] = L"C:\\WINDOWS\\Temp";

std::wstring In(const std::wstring& folder, const std::wstring& name) { return folder + L"\\" + name; }

struct Cleaner : ::testing::Test {
  Cleaner() {
    env.Set(L"SystemRoot", L"C:\\WINDOWS");
    env.Set(L"TEMP", kUserTemp);
    env.Set(L"HOMEDRIVE", L"C:");
    env.Set(L"HOMEPATH", L"\\Users\\ann");
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
  std::vector<std::wstring> Labels() const { return {Label7.text, Label11.text, Label5.text, Label9.text}; }
  void ScanUserTempFiles(int n) {
    for (int i = 0; i < n; ++i) files.Put(In(kUserTemp, L"f" + std::to_wstring(i)));
    Pass();
  }

  fakes::FakeFileSystem files;
  fakes::FakeClock clock;
  fakes::FakeEnvironment env;
  ActivityLog log{files, clock, L"C:\\App"};
  fakes::FakeCaption Label3, Label12, Label5, Label7, Label9, Label11;
  fakes::FakeSpinner UCP;
  fakes::FakeTimer Timer1{2000, false}, Timer3{1000, true};
  fakes::FakeButton Command2{L"Clean All"};
  fakes::FakeToggle Check1{0}, ck1{1}, ck2{0}, ck3{1};
  fakes::FakeMessageBoxes boxes;
  fakes::FakeEventPump pump;
  CleanerPage page{{Label3, Label12, Label5, Label7, Label9, Label11, UCP, Timer1, Timer3, Command2, Check1, ck1, ck2, ck3},
                   {files, env, log, clock, boxes, pump}};
};

TEST_F(Cleaner, FiveScannersListLogCountAndDeleteInTheirOrder) {
  ck2.value = 1;
  page.ck2_Click();
  struct Found {
    const wchar_t* folder;
    const wchar_t* name;
    int icon;
    bool deleted;
  } const found[] = {{kPrefetch, L"A.pf", 1, true},   {kCookies, L"c.txt", 5, true}, {kRecent, L"r.lnk", 3, true},
                     {kUserTemp, L"u.tmp", 2, false}, {kUserTemp, L"sub", 5, false}, {kWinTemp, L"w.tmp", 5, true}};
  for (const Found& f : found) f.icon == 5 && !f.deleted ? files.PutFolder(In(f.folder, f.name)) : files.Put(In(f.folder, f.name));
  Pass();

  ASSERT_EQ(page.ListView1().Count(), std::size(found));
  std::string expectedLog;
  for (std::size_t i = 0; i < std::size(found); ++i) {
    const JunkRow& row = page.ListView1().Row(i);
    const std::wstring full = In(found[i].folder, found[i].name);
    EXPECT_EQ(row.name, found[i].name);
    EXPECT_EQ(row.path, found[i].folder == kPrefetch ? L"Junk" : full) << i;
    EXPECT_EQ(row.icon, found[i].icon) << i;
    EXPECT_FALSE(row.ticked);
    EXPECT_EQ(files.Find(full) == nullptr, found[i].deleted) << i;
    expectedLog += "05/12/2026" + ToAnsi(found[i].name) + ToAnsi(full) + "\r\n";
  }
  EXPECT_EQ(files.Read(L"C:\\App\\VexaLog.Log"), expectedLog);
  EXPECT_EQ(Labels(), (std::vector<std::wstring>{L"1", L"1", L"1", L"3"}));
  EXPECT_EQ(Label12.text, L"Total Files Found : 6");
  EXPECT_EQ(Label3.text, L"Searching Completed..");
}

TEST_F(Cleaner, EachToggleGatesItsScanners) {
  struct Case {
    int ck1, ck2, ck3;
    std::vector<std::wstring> names;
  } const cases[] = {{0, 0, 0, {L"p"}}, {1, 0, 0, {L"p", L"u", L"w"}}, {0, 1, 0, {L"p", L"c"}}, {0, 0, 1, {L"p", L"r"}}};
  for (const Case& c : cases) {
    for (auto [folder, name] : {std::pair{kPrefetch, L"p"}, {kCookies, L"c"}, {kRecent, L"r"}, {kUserTemp, L"u"},
                                {kWinTemp, L"w"}})
      files.Put(In(folder, name));
    ck1.value = c.ck1, ck2.value = c.ck2, ck3.value = c.ck3;
    page.ck1_Click(), page.ck2_Click(), page.ck3_Click();
    Pass();
    EXPECT_EQ(Names(), c.names) << c.ck1 << c.ck2 << c.ck3;
  }
}

TEST_F(Cleaner, MoreThanFiftyRowsWarnAfterTheSummary) {
  for (auto [rows, warned] : {std::pair{50, false}, {51, true}}) {
    boxes.shown.clear();
    std::wstring totalWhileOpen;
    boxes.whileOpen = [&] { totalWhileOpen = Label12.text + L"|" + Label3.text; };
    ScanUserTempFiles(rows);
    ASSERT_EQ(boxes.shown.size(), warned ? 1u : 0u) << rows;
    if (!warned) continue;
    EXPECT_EQ(boxes.shown[0].text + boxes.shown[0].title, L"Your PC At RiskRisk");
    EXPECT_EQ(boxes.shown[0].icon, ui::BoxIcon::Exclamation);
    EXPECT_EQ(totalWhileOpen, L"Total Files Found : 51|Searching Completed..");
  }
}

TEST_F(Cleaner, CookiesOfExactlyTheKeptTypeOrOfNoKnownTypeStay) {
  ck2.value = 1;
  page.ck2_Click();
  struct Case {
    const wchar_t* name;
    const wchar_t* type;
    bool listed;
  } const cases[] = {{L"index.dat", L"DAT File", false},
                     {L"other.dat", L"DAT file", true},
                     {L"a.txt", L"Text Document", true},
                     {L"unknown.dat", L"", false}};  // the lookup failed
  for (const Case& c : cases) files.Put(In(kCookies, c.name)).type = c.type;
  Pass();
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"other.dat", L"a.txt"}));
  for (const Case& c : cases) EXPECT_EQ(files.Find(In(kCookies, c.name)) == nullptr, c.listed) << c.name;
  EXPECT_EQ(Label11.text, L"2");
}

TEST_F(Cleaner, AScannerWithAnUnsetOrRelativeFolderIsSkipped) {
  // Where the folders would land when a value is missing: the current drive.
  const wchar_t* decoys[] = {L"\\Prefetch\\a", L"\\Temp\\a", L"\\Users\\ann\\Recent\\a", L"C:\\Recent\\a",
                             L"Temp\\a", L"\\Recent\\a"};
  struct Case {
    const wchar_t* variable;
    const wchar_t* value;
  } const cases[] = {{L"SystemRoot", L""}, {L"HOMEDRIVE", L""}, {L"HOMEPATH", L""}, {L"TEMP", L""}, {L"TEMP", L"Temp"}};
  for (const Case& c : cases) {
    fakes::FakeEnvironment saved = env;
    for (const wchar_t* d : decoys) files.Put(d);
    env.Set(c.variable, c.value);
    Pass();
    EXPECT_TRUE(page.ListView1().Empty()) << c.variable << "=" << c.value;
    EXPECT_TRUE(files.removeAttempts.empty()) << c.variable;
    EXPECT_EQ(Labels(), std::vector<std::wstring>(4, L"0"));
    env = saved;
  }
}

TEST_F(Cleaner, CleanAllTakesTheTickedRowsInOnePassAndKeepsTheOthersInOrder) {
  ScanUserTempFiles(5);
  page.Command2_Click();  // nothing ticked
  EXPECT_EQ(page.ListView1().Count(), 5u);
  page.ListView1().SetTicked(1, true);
  page.ListView1().SetTicked(3, true);
  page.Command2_Click();
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"f0", L"f2", L"f4"}));
  EXPECT_EQ(files.removeAttempts, (std::vector<std::wstring>{In(kUserTemp, L"f1"), In(kUserTemp, L"f3")}));
  EXPECT_TRUE(files.attributeResets.empty());  // a delete that works needs no reset
  EXPECT_EQ(Label12.text + Label9.text, L"Total Files Found : 55");
}

TEST_F(Cleaner, CleanAllResetsAttributesOnlyAfterARefusedDelete) {
  files.Put(In(kPrefetch, L"p.pf"));  // row "Junk": deleted by the scan
  files.Put(L"Junk");                // a file of that name in the current folder
  files.Put(In(kUserTemp, L"plain"));
  files.Put(In(kUserTemp, L"ro")).readOnly = true;
  files.Put(In(kUserTemp, L"open")).locked = true;
  files.PutFolder(In(kUserTemp, L"dir"));
  Pass();
  files.removeAttempts.clear();
  page.ListView1().SetAllTicked(true);
  page.Command2_Click();
  EXPECT_TRUE(page.ListView1().Empty());
  const std::wstring plain = In(kUserTemp, L"plain"), ro = In(kUserTemp, L"ro"), open = In(kUserTemp, L"open"),
                     dir = In(kUserTemp, L"dir");
  EXPECT_EQ(files.removeAttempts, (std::vector<std::wstring>{plain, ro, ro, open, dir, dir}));
  EXPECT_EQ(files.attributeResets, (std::vector<std::wstring>{ro, open, dir}));
  for (const std::wstring& gone : {plain, ro}) EXPECT_FALSE(files.Find(gone)) << gone;
  for (const std::wstring& kept : {open, dir, std::wstring(L"Junk")}) EXPECT_TRUE(files.Find(kept)) << kept;
}

TEST_F(Cleaner, ALongCleanAllLetsEventsRunAndIgnoresScanAndCleanAllMeanwhile) {
  ScanUserTempFiles(400);
  page.ListView1().SetAllTicked(true);
  page.ListView1().SetTicked(399, false);
  clock.step = 7;  // each look at the clock finds 7 ms gone
  std::vector<std::uint64_t> pumpedAt = {clock.ms};
  pump.pending = [&] {
    pumpedAt.push_back(clock.ms);
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"f399"});  // the list shows the outcome already
    page.Command1_Click();
    Timer1.enabled = true;
    page.Timer1_Timer();
    page.Command2_Click();
    EXPECT_FALSE(UCP.playing);
    EXPECT_EQ(page.ListView1().Count(), 1u);
  };
  page.Command2_Click();
  ASSERT_GT(pumpedAt.size(), 10u);
  for (std::size_t i = 1; i < pumpedAt.size(); ++i) EXPECT_LE(pumpedAt[i] - pumpedAt[i - 1], 100u) << i;
  EXPECT_FALSE(files.Find(In(kUserTemp, L"f398")));
  EXPECT_TRUE(files.Find(In(kUserTemp, L"f399")));
  pump.pending = nullptr;
  page.Command1_Click();
  EXPECT_TRUE(Timer1.enabled && UCP.playing);  // usable again
}

TEST_F(Cleaner, TwoScanClicksBeforeTheTickRunOnePass) {
  page.Command1_Click();
  page.Command1_Click();
  EXPECT_TRUE(Timer1.enabled && UCP.playing);
  page.Timer1_Timer();
  EXPECT_FALSE(Timer1.enabled || UCP.playing);
}

TEST(ReparseTag, OnlySymbolicLinksAndJunctionsAreLinks) {
  struct Case {
    std::uint32_t tag;
    bool link;
  } const cases[] = {{kReparseTagSymlink, true}, {kReparseTagJunction, true}, {0, true},
                     {0x9000001Au, false}, {0x80000013u, false}, {0x8000001Bu, false}};
  for (const Case& c : cases) EXPECT_EQ(IsLinkTag(c.tag), c.link) << std::hex << c.tag;
}

}  // namespace
}  // namespace vexa::cleaner
