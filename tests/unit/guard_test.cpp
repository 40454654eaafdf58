#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "guard/keyword_watch_page.h"
#include "guard/logger_block_page.h"
#include "guard/window_list_page.h"
#include "tests/fakes/fake_system.h"
#include "tests/fakes/fake_process.h"
#include "tests/fakes/fake_ui.h"

namespace vexa::guard {
namespace {

// The markers come from the set itself: this file must not carry them.
std::string Marker(std::size_t i) { return MarkerSet::Keylogger().Needle(i); }
const std::string kSep(39, '~');
const std::vector<std::wstring> kFinish = {L".", L".", L".", L".", L".", L"", L"Finish..."};

struct Rows : RowList, LevelSource {
  void AddRow(const std::wstring& text) override { rows.push_back(text); }
  void Clear() override { rows.clear(); }
  int Value() const override { return level; }
  std::vector<std::wstring> rows;
  int level = 80;
};

struct Logger : ::testing::Test {
  void Program(const std::wstring& path, ProcessId id, std::string bytes) {
    table.Add(path.substr(path.rfind(L'\\') + 1), id, path);
    files.Put(path, std::move(bytes));
  }
  void Pass() {  // the run's last tick
    pb.value = 198;
    timer2.enabled = true;
    page.Timer2_Timer();
  }
  int TickUntilIdle() {
    int ticks = 0;
    for (; timer2.enabled && ticks < 1000; ++ticks) page.Timer2_Timer();
    return ticks;
  }
  std::vector<std::wstring> Detections() const { return {rows.rows.begin() + kFinish.size(), rows.rows.end()}; }
  std::vector<std::wstring> Reported(const std::wstring& name, bool blocked) const {
    return {L".", L".", L"- Keylogger Detected ... [ " + name + L" ]",
            blocked ? L"- Keylogger Has Blocked" : L"- Keylogger Could Not Be Blocked"};
  }
  std::string Logged(const std::string& name, bool blocked) const {
    return kSep + "\r\n05/12/2026Keylogger " + (blocked ? "Has" : "Could Not Be") + " Blocked" + name + "\r\n" + kSep +
           "\r\n";
  }

  fakes::FakeProcessTable table;
  fakes::FakeFileSystem files;
  fakes::FakeClock clock;
  ActivityLog log{files, clock, L"C:\\App"};
  ModBlokLogger engine{table, files, log};
  fakes::FakeButton oxbutton1{L"Scan"}, oxbutton2{L"Clear List", false};
  Rows rows;
  fakes::FakeProgressBar pb{200};
  fakes::FakeAnimatedBar pb2;
  fakes::FakeSpinner ucp1;
  fakes::FakeTimer timer2{100};
  fakes::FakeMessageBoxes boxes;
  fakes::FakeEventPump pump;
  LoggerBlockPage page{engine, {oxbutton1, oxbutton2, rows, pb, pb2, ucp1, timer2, rows}, boxes, pump};
};

TEST_F(Logger, MarkersAreFoundAcrossReadPieces) {
  for (std::size_t piece : {std::size_t{4096}, std::size_t{0}}) {
    files.piece = piece;
    const std::size_t boundary = piece ? piece : kReadPieceBytes;
    for (std::size_t m = 0; m < 3; ++m) {
      for (std::size_t before : {std::size_t{1}, Marker(m).size() / 2, Marker(m).size() - 1}) {
        std::string bytes(3 * boundary, 'x');
        files.Put(L"C:\\split.exe", bytes.replace(boundary - before, Marker(m).size(), Marker(m)));
        EXPECT_TRUE(engine.IsLoggerFile(L"C:\\split.exe")) << piece << " " << m << " " << before;
      }
    }
  }
}

TEST_F(Logger, FilesAreJudgedUpToTwentyMillionBytes) {
  std::string big(kMaxExaminedFileBytes, 'x');
  files.Put(L"C:\\big.exe", big.replace(big.size() - Marker(2).size(), Marker(2).size(), Marker(2)));
  EXPECT_TRUE(engine.IsLoggerFile(L"C:\\big.exe"));
  EXPECT_EQ(engine.LastBytesRead(), kMaxExaminedFileBytes);
  files.Put(L"C:\\bigger.exe", Marker(1)).length = kMaxExaminedFileBytes + 1;
  files.Put(L"C:\\empty.exe", "");
  EXPECT_FALSE(engine.IsLoggerFile(L"C:\\bigger.exe") || engine.IsLoggerFile(L"C:\\empty.exe"));
  EXPECT_EQ(files.reads, 1);  // neither was opened
}

TEST_F(Logger, TwoKeyloggersInOnePassAreEndedListedAndLoggedInSnapshotOrder) {
  Program(L"C:\\Apps\\one.exe", 100, "MZ" + Marker(2));
  Program(L"C:\\Apps\\clean.exe", 101, "MZ plain");
  Program(L"C:\\Apps\\Two.exe", 102, Marker(0) + "MZ");
  std::vector<bool> runningWhileOpen;
  boxes.whileOpen = [&] {
    runningWhileOpen.push_back(table.processes[runningWhileOpen.empty() ? 0 : 2]->running);
    page.Timer2_Timer();  // a tick while the box is open starts nothing
  };
  Pass();
  EXPECT_EQ(table.snapshots, 1);
  EXPECT_EQ(runningWhileOpen, (std::vector<bool>{true, true}));
  EXPECT_EQ(table.ended, (std::vector<std::wstring>{L"one.exe", L"Two.exe"}));
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].text + L"|" + boxes.shown[1].title,
            L"Your PC has detected a Logger Proccess..!! Proccess this block|Found");
  EXPECT_EQ(boxes.shown[1].icon, ui::BoxIcon::Critical);
  std::vector<std::wstring> expected = Reported(L"one.exe", true), two = Reported(L"Two.exe", true);
  expected.insert(expected.end(), two.begin(), two.end());
  EXPECT_EQ(Detections(), expected);
  EXPECT_EQ(files.Read(L"C:\\App\\VexaLog.Log"), Logged("one.exe", true) + Logged("Two.exe", true));
  EXPECT_FALSE(timer2.enabled || ucp1.playing);
}

TEST_F(Logger, AProcessThatWasNotEndedIsReportedAsNotBlocked) {
  for (bool reused : {false, true}) {
    table.processes.clear();
    rows.rows.clear();
    files.Put(L"C:\\App\\VexaLog.Log", "");
    files.Put(L"C:\\Windows\\spy.exe", Marker(1));  // found through the Windows-folder fallback
    auto& spy = table.Add(L"spy.exe", 300, L"");
    spy.refusesEnd = !reused;
    boxes.whileOpen = [&] {
      if (!reused) return;
      spy.running = false;  // it ends, and its id goes to another program
      table.Add(L"edit.exe", 300, L"");
    };
    Pass();
    EXPECT_TRUE(table.ended.empty() && table.processes.back()->running) << reused;
    EXPECT_EQ(Detections(), Reported(L"spy.exe", false));
    EXPECT_EQ(files.Read(L"C:\\App\\VexaLog.Log"), Logged("spy.exe", false));
  }
}

TEST_F(Logger, ProtectedProcessesAreNeitherExaminedNorEnded) {
  struct Case { const wchar_t* name; ProcessId id; const wchar_t *image, *file; bool critical; };
  const Case cases[] = {
      {L"VexaUtility.exe", 7000, L"C:\\App\\VexaUtility.exe", L"C:\\App\\VexaUtility.exe", false},  // itself
      {L"idle.exe", 0, L"C:\\Apps\\idle.exe", L"C:\\Apps\\idle.exe", false},
      {L"system.exe", 4, L"C:\\Apps\\system.exe", L"C:\\Apps\\system.exe", false},
      {L"crit.exe", 501, L"C:\\Apps\\crit.exe", L"C:\\Apps\\crit.exe", true},
      {L"csrss.exe", 502, L"", L"C:\\Windows\\System32\\csrss.exe", false},
      {L"smss.exe", 503, L"\\SystemRoot\\System32\\smss.exe", L"C:\\Windows\\System32\\smss.exe", false},
      {L"lsass.exe", 504, L"\\??\\C:\\WINDOWS\\system32\\LSASS.EXE", L"C:\\Windows\\System32\\lsass.exe", false},
      {L"services.exe", 505, L"C:\\Windows\\System32\\services.exe", L"C:\\Windows\\System32\\services.exe", false},
      {L"winlogon.exe", 506, L"D:\\Games\\winlogon.exe", L"D:\\Games\\winlogon.exe", false},  // not the system's
  };
  for (const Case& c : cases) {
    table.Add(c.name, c.id, c.image).critical = c.critical;
    files.Put(c.file, Marker(1));
  }
  Pass();
  EXPECT_EQ(table.ended, std::vector<std::wstring>{L"winlogon.exe"});
  EXPECT_EQ(files.reads, 1);
}

TEST_F(Logger, StopAtOneHundredResumesAtOneHundredTwoAndEachPhaseRowComesOnce) {
  page.oxbutton1_Click();
  EXPECT_TRUE(page.Scanning() && ucp1.playing && pb2.enable && timer2.enabled && !oxbutton2.enabled);
  for (int i = 0; i < 50; ++i) page.Timer2_Timer();
  page.oxbutton1_Click();
  EXPECT_EQ(oxbutton1.caption + std::to_wstring(pb.Value()), L"Scan100");
  EXPECT_EQ(TickUntilIdle(), 0);
  page.oxbutton1_Click();
  page.Timer2_Timer();
  EXPECT_EQ(pb.Value(), 102);
  TickUntilIdle();
  std::vector<std::wstring> expected = {L"Scan Now..", L"Scan Proccess... ", L"Scan Proccess Windows....",
                                        L"Scan C:\\Windows\\System32..... "};
  expected.insert(expected.end(), kFinish.begin(), kFinish.end());
  EXPECT_EQ(rows.rows, expected);
  EXPECT_EQ(table.snapshots, 1);
  EXPECT_EQ(oxbutton1.caption + std::to_wstring(pb.Value()), L"Scan0");
  EXPECT_TRUE(oxbutton2.enabled && !pb2.enable && !ucp1.playing);
}

TEST_F(Logger, BelowLevelSixtyFiveNothingIsExamined) {
  for (auto [level, ended] : {std::pair{64, false}, {65, true}}) {
    table.processes.clear();
    Program(L"C:\\Apps\\k.exe", 100, Marker(1));
    rows.level = level;
    files.reads = 0;
    Pass();
    EXPECT_EQ(files.reads + table.ended.size(), ended ? 2u : 0u) << level;
  }
}

TEST(WindowList, TheTwoBoxesFilterByVisibility) {
  struct Case { int chk1, chk2; bool visibleListed, hiddenListed; };
  const Case cases[] = {{1, 1, true, true},  {1, 0, true, false}, {0, 1, false, true}, {0, 0, false, false},
                        {1, 2, true, false}, {2, 1, true, false}, {2, 2, true, true},  {0, 2, false, true}};
  for (const Case& c : cases) {
    EXPECT_EQ(WindowListPage::IsListed(c.chk1, c.chk2, true), c.visibleListed) << c.chk1 << c.chk2;
    EXPECT_EQ(WindowListPage::IsListed(c.chk1, c.chk2, false), c.hiddenListed) << c.chk1 << c.chk2;
  }
}

struct Watch : Desktop, StringList, TitleAlert {
  std::vector<WindowInfo> TopLevelWindows() const override { return {}; }
  WindowId Foreground() const override { return 9; }
  std::wstring Title(WindowId) const override { return title; }
  void RequestClose(WindowId) override {}
  int Count() const override { return static_cast<int>(keywords.size()); }
  std::wstring Item(int i) const override { return keywords[static_cast<std::size_t>(i)]; }
  void Add(const std::wstring& text) override { keywords.push_back(text); }
  void RemoveAt(int i) override { keywords.erase(keywords.begin() + i); }
  int SelectedIndex() const override { return -1; }
  void Show(const std::wstring& message) override { shown.push_back(message); }
  std::wstring title;
  std::vector<std::wstring> keywords = KeywordWatchPage::DesignKeywords(), shown;
};

TEST(KeywordWatch, TitlesAreComparedInCapitalsWithinTheirFirst254Characters) {
  const std::pair<std::wstring, bool> cases[] = {{L"Ini babi", true},  {L"xxBaBiyy", true},
                                                 {L"BAB I", false},    {L"", false},
                                                 {std::wstring(250, L'.') + L"babi", true},
                                                 {std::wstring(251, L'.') + L"babi", false}};
  Watch desk;
  for (const auto& [title, match] : cases)
    EXPECT_EQ(KeywordWatchPage::TitleHasKeyword(desk, title, L"BaBI"), match) << title.size();
}

TEST(KeywordWatch, EveryKeywordInTheForegroundTitleRaisesTheAlert) {
  Watch w;
  fakes::FakeCaption text2, text3{KeywordWatchPage::DesignMessage()};
  fakes::FakeToggle ckWatch{1};
  fakes::FakeTimer timer8;
  fakes::FakeMessageBoxes boxes;
  KeywordWatchPage page(w, w, {w, text2, text3, ckWatch, timer8, boxes});
  w.title = L"Chat - monyet kon";
  page.Timer8_Timer();  // MONYET, KON
  EXPECT_EQ(w.shown, std::vector<std::wstring>(2, L"jangan coba-coba berkata kasar bro\r\n"));
  text2.text = L"chat";
  page.Command3_Click();
  text3.text = L"Stop it";
  page.Timer8_Timer();
  EXPECT_EQ(w.shown.size(), 5u);
  EXPECT_EQ(w.shown.back(), L"Stop it");
}

}  // namespace
}  // namespace vexa::guard
