#include "guard/mod_blok_logger.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_process.h"
#include "tests/fakes/fake_system.h"
#include "tests/fakes/fake_ui.h"

namespace vexa::guard {
namespace {

std::string Keys() { return MarkerSet::Keylogger().Needle(1); }
std::string Viewer() { return MarkerSet::Keylogger().Needle(2); }
std::string Signature() { return MarkerSet::Keylogger().Needle(0); }
std::string Clean() { return std::string("MZ\x90\x00 plain program", 19); }

class RecordingSink : public LoggerScanSink {
 public:
  int Level() const override {
    ++levelReads;
    return levels.empty() ? level : levels[std::min<std::size_t>(levelReads - 1, levels.size() - 1)];
  }
  void AddRow(const std::wstring& text) override { rows.push_back(text); }
  void StopAnimation() override { ++stops; }

  int level = 80;
  std::vector<int> levels;  // one per read, when given
  mutable int levelReads = 0;
  std::vector<std::wstring> rows;
  int stops = 0;
};

class BlokLoggerTest : public ::testing::Test {
 protected:
  fakes::FakeProcessTable table;
  fakes::FakeFileSystem logFiles;
  fakes::FakeClock clock;
  ActivityLog log{logFiles, clock, L"C:\\App"};
  fakes::FakeMessageBoxes boxes;
  fakes::FakeEventPump pump;
  ModBlokLogger engine{table, log, boxes, pump};
  RecordingSink sink;

  void AddProgram(const std::wstring& path, ProcessId id, std::string bytes) {
    table.PutFile(path, std::move(bytes));
    table.AddProcess(path.substr(path.find_last_of(L'\\') + 1), id, path);
  }
  std::string LogText() const { return logFiles.Read(L"C:\\App\\VexaLog.Log"); }
};

TEST_F(BlokLoggerTest, ProcessListIsNameIdPairsEachFollowedByTheSeparator) {
  table.AddProcess(L"a.exe", 12, L"");
  table.AddProcess(std::wstring(L"b.exe\0junk", 10), 345, L"");
  const std::wstring list = engine.GetProcessList();
  EXPECT_EQ(list, L"a.exe\x01" L"12\x01" L"b.exe\x01" L"345\x01");
  EXPECT_EQ(pump.calls, 2);  // pending events after each entry
  auto pairs = ModBlokLogger::SplitProcessList(list);
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(pairs[1].first, L"b.exe");
  EXPECT_EQ(pairs[1].second, 345u);
  EXPECT_TRUE(ModBlokLogger::SplitProcessList(L"").empty());
}

TEST_F(BlokLoggerTest, ImagePathRules) {
  struct Case {
    const wchar_t* reported;
    const wchar_t* expected;
  } cases[] = {
      {L"", L"SYSTEM"},
      {L"\\??\\C:\\Tools\\a.exe", L"C:\\Tools\\a.exe"},
      {L"\\SystemRoot\\System32\\smss.exe", L"C:\\Windows\\System32\\smss.exe"},
      {L"\\systemroot\\System32\\smss.exe", L"\\systemroot\\System32\\smss.exe"},  // case matters
      {L"\\\\?\\C:\\Tools\\a.exe", L"\\\\?\\C:\\Tools\\a.exe"},                   // no other form rewritten
      {L"\\??\\\\SystemRoot\\x.exe", L"\\SystemRoot\\x.exe"},                     // one rule only
      {L"D:\\\u00e9t\u00e9\\\u4e2d.exe", L"D:\\\u00e9t\u00e9\\\u4e2d.exe"},
  };
  for (const Case& c : cases) {
    table.processes.clear();
    table.AddProcess(L"x.exe", 50, c.reported);
    EXPECT_EQ(engine.GetProcessPath(50), c.expected) << std::wstring(c.reported).size();
  }
  EXPECT_EQ(ModBlokLogger::AddBackslash(L"C:\\Windows"), L"C:\\Windows\\");
  EXPECT_EQ(ModBlokLogger::AddBackslash(L"C:\\"), L"C:\\");
  EXPECT_EQ(ModBlokLogger::AddBackslash(L""), L"\\");
}

TEST_F(BlokLoggerTest, FileTestExaminesUpToTwentyMillionBytesAndNoMore) {
  std::string big(20'000'000, 'x');
  big.replace(big.size() - Viewer().size(), Viewer().size(), Viewer());
  table.PutFile(L"C:\\big.exe", big);
  EXPECT_TRUE(engine.IsLoggerFile(L"C:\\big.exe"));
  EXPECT_EQ(engine.LastBytesRead(), 20'000'000u);

  table.reads.clear();
  table.PutFile(L"C:\\bigger.exe", Keys(), 20'000'001);  // reports one byte more
  EXPECT_FALSE(engine.IsLoggerFile(L"C:\\bigger.exe"));
  EXPECT_TRUE(table.reads.empty());  // not even opened

  table.PutFile(L"C:\\empty.exe", "");
  EXPECT_FALSE(engine.IsLoggerFile(L"C:\\empty.exe"));
  EXPECT_TRUE(table.reads.empty());
  EXPECT_FALSE(engine.IsLoggerFile(L"C:\\missing.exe"));

  table.PutFile(L"C:\\locked.exe", Keys());
  table.unreadable.insert(fakes::FoldCase(L"C:\\locked.exe"));
  EXPECT_FALSE(engine.IsLoggerFile(L"C:\\locked.exe"));
}

TEST_F(BlokLoggerTest, FileTestFindsEveryMarker) {
  for (const std::string& marker : {Signature(), Keys(), Viewer()}) {
    table.PutFile(L"C:\\k.exe", "MZ" + marker + "tail");
    EXPECT_TRUE(engine.IsLoggerFile(L"C:\\k.exe"));
  }
  table.PutFile(L"C:\\c.exe", Clean());
  EXPECT_FALSE(engine.IsLoggerFile(L"C:\\c.exe"));
}

TEST_F(BlokLoggerTest, FileTestSeesMarkersSplitBetweenReadPieces) {
  for (std::size_t piece : {std::size_t{4096}, std::size_t{65536}, std::size_t{0}}) {
    table.pieceBytes = piece;
    const std::size_t boundary = piece ? piece : kReadPieceBytes;
    for (const std::string& marker : {Signature(), Keys(), Viewer()}) {
      for (std::size_t before : {std::size_t{1}, marker.size() / 2, marker.size() - 1}) {
        std::string bytes(3 * boundary, 'x');
        bytes.replace(boundary - before, marker.size(), marker);
        table.PutFile(L"C:\\split.exe", bytes);
        EXPECT_TRUE(engine.IsLoggerFile(L"C:\\split.exe")) << piece << " " << before;
      }
    }
  }
}

TEST_F(BlokLoggerTest, FileTestReadsNoFurtherThanItNeeds) {
  table.PutFile(L"C:\\early.exe", Keys() + std::string(3 * kReadPieceBytes, 'x'));
  EXPECT_TRUE(engine.IsLoggerFile(L"C:\\early.exe"));
  EXPECT_EQ(engine.LastBytesRead(), kReadPieceBytes);  // stops at the first piece with a marker

  // A file that grew after its length was taken is judged by that length.
  table.PutFile(L"C:\\grown.exe", std::string(1000, 'x') + Keys(), 1000);
  EXPECT_FALSE(engine.IsLoggerFile(L"C:\\grown.exe"));
  EXPECT_EQ(table.lastRead, 1000u);
}

TEST_F(BlokLoggerTest, AReadFailingPartWayLeavesTheFileUnjudged) {
  table.pieceBytes = 4096;
  table.failAfter = 8192;
  table.PutFile(L"C:\\late.exe", std::string(10000, 'x') + Keys());
  EXPECT_FALSE(engine.IsLoggerFile(L"C:\\late.exe"));
  table.PutFile(L"C:\\soon.exe", Keys() + std::string(10000, 'x'));
  EXPECT_TRUE(engine.IsLoggerFile(L"C:\\soon.exe"));
}

TEST_F(BlokLoggerTest, TwoKeyloggersGiveTwoBoxesEightRowsAndTwoLogBlocksInSnapshotOrder) {
  AddProgram(L"C:\\Apps\\one.exe", 100, "MZ" + Viewer());
  AddProgram(L"C:\\Apps\\clean.exe", 101, Clean());
  AddProgram(L"C:\\Apps\\Two.exe", 102, Signature() + "MZ");
  clock.shortDate = L"01/02/2026";
  engine.ScanLoggers(sink);

  ASSERT_EQ(boxes.shown.size(), 2u);
  for (const auto& box : boxes.shown) {
    EXPECT_EQ(box.text, L"Your PC has detected a Logger Proccess..!! Proccess this block");
    EXPECT_EQ(box.title, L"Found");
    EXPECT_EQ(box.icon, ui::BoxIcon::Critical);
  }
  EXPECT_EQ(sink.rows, (std::vector<std::wstring>{L".", L".", L"- Keylogger Detected ... [ one.exe ]",
                                                  L"- Keylogger Has Blocked", L".", L".",
                                                  L"- Keylogger Detected ... [ Two.exe ]",
                                                  L"- Keylogger Has Blocked"}));
  const std::string sep(39, '~');
  EXPECT_EQ(LogText(), sep + "\r\n01/02/2026Keylogger Has Blockedone.exe\r\n" + sep + "\r\n" + sep +
                           "\r\n01/02/2026Keylogger Has BlockedTwo.exe\r\n" + sep + "\r\n");
  EXPECT_EQ(table.terminated, (std::vector<ProcessId>{100, 102}));
  EXPECT_TRUE(table.Running(101));
  EXPECT_EQ(sink.stops, 2);
}

TEST_F(BlokLoggerTest, TheBoxComesBeforeTheProcessEnds) {
  AddProgram(L"C:\\Apps\\k.exe", 100, Keys());
  bool runningWhileOpen = false;
  boxes.whileOpen = [&] { runningWhileOpen = table.Running(100); };
  engine.ScanLoggers(sink);
  EXPECT_TRUE(runningWhileOpen);
  EXPECT_FALSE(table.Running(100));
}

TEST_F(BlokLoggerTest, AFailedTerminationStillReportsAndLogs) {
  table.PutFile(L"C:\\Apps\\ghost.exe", Keys());
  table.AddProcess(L"ghost.exe", 300, L"C:\\Apps\\ghost.exe");
  boxes.whileOpen = [&] { table.processes.clear(); };  // it ends on its own meanwhile
  engine.ScanLoggers(sink);
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(sink.rows.size(), 4u);
  EXPECT_NE(LogText().find("ghost.exe"), std::string::npos);
}

TEST_F(BlokLoggerTest, AnIdTakenOverByAnotherProgramWhileTheBoxIsOpenIsLeftAlone) {
  AddProgram(L"C:\\Apps\\k.exe", 100, Keys());
  boxes.whileOpen = [&] {
    table.processes.clear();  // the keylogger ends; its id goes to an editor
    table.AddProcess(L"edit.exe", 100, L"C:\\Apps\\edit.exe");
  };
  engine.ScanLoggers(sink);
  EXPECT_TRUE(table.terminated.empty());
  EXPECT_TRUE(table.Running(100));
  EXPECT_EQ(sink.rows.size(), 4u);  // the detection is still reported
}

TEST_F(BlokLoggerTest, LevelBelowSixtyFiveExaminesNothingAndIsReadForEachProcess) {
  AddProgram(L"C:\\Apps\\a.exe", 100, Keys());
  AddProgram(L"C:\\Apps\\b.exe", 101, Keys());
  sink.level = 64;
  engine.ScanLoggers(sink);
  EXPECT_TRUE(table.reads.empty());
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(sink.levelReads, 2);

  sink.levels = {64, 65};  // raised during the pass
  sink.levelReads = 0;
  engine.ScanLoggers(sink);
  EXPECT_EQ(table.terminated, (std::vector<ProcessId>{101}));
}

TEST_F(BlokLoggerTest, UnreadablePathFallsBackToTheWindowsThenTheSystem32Folder) {
  table.PutFile(L"C:\\Windows\\explorer.exe", Keys());
  table.PutFile(L"C:\\Windows\\system32\\spy.exe", Viewer());
  table.AddProcess(L"explorer.exe", 200, L"");
  table.AddProcess(L"spy.exe", 201, L"");
  table.AddProcess(L"nowhere.exe", 202, L"");
  engine.ScanLoggers(sink);
  EXPECT_EQ(table.reads, (std::vector<std::wstring>{L"C:\\Windows\\explorer.exe", L"C:\\Windows\\system32\\spy.exe"}));
  EXPECT_EQ(table.terminated, (std::vector<ProcessId>{200, 201}));
  EXPECT_TRUE(table.Running(202));
}

TEST_F(BlokLoggerTest, SkipRulesInOrder) {
  table.PutFile(L"C:\\Apps\\SYSTEM", Keys());  // a file named "SYSTEM"
  table.AddProcess(L"SYSTEM", 400, L"C:\\Apps\\SYSTEM");
  table.PutFile(L"C:\\Apps\\zero.exe", "");
  table.AddProcess(L"zero.exe", 401, L"C:\\Apps\\zero.exe");
  table.PutFile(L"C:\\Apps\\locked.exe", Keys());
  table.unreadable.insert(fakes::FoldCase(L"C:\\Apps\\locked.exe"));
  table.AddProcess(L"locked.exe", 402, L"C:\\Apps\\locked.exe");
  table.AddProcess(L"gone.exe", 403, L"C:\\Apps\\gone.exe");  // file vanished
  engine.ScanLoggers(sink);
  EXPECT_TRUE(table.terminated.empty());
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(sink.levelReads, 1);  // only the unreadable file got that far
}

TEST_F(BlokLoggerTest, NeverEndsItselfIdleSystemOrCriticalProcesses) {
  table.selfId = 500;
  AddProgram(L"C:\\App\\VexaUtility.exe", 500, Keys());
  AddProgram(L"C:\\Apps\\idle.exe", 0, Keys());
  AddProgram(L"C:\\Apps\\system.exe", 4, Keys());
  table.PutFile(L"C:\\Apps\\crit.exe", Keys());
  table.AddProcess(L"crit.exe", 501, L"C:\\Apps\\crit.exe", /*isCritical=*/true);
  for (const wchar_t* name : {L"csrss.exe", L"wininit.exe", L"winlogon.exe", L"smss.exe", L"services.exe",
                              L"lsass.exe"})
    table.PutFile(std::wstring(L"C:\\Windows\\System32\\") + name, Keys());
  table.AddProcess(L"csrss.exe", 502, L"");                                      // found by the fallback
  table.AddProcess(L"smss.exe", 503, L"\\SystemRoot\\System32\\smss.exe");        // rewritten path
  table.AddProcess(L"lsass.exe", 504, L"\\??\\C:\\WINDOWS\\system32\\LSASS.EXE");  // any case
  table.AddProcess(L"services.exe", 505, L"C:\\Windows\\System32\\services.exe");
  AddProgram(L"D:\\Games\\winlogon.exe", 506, Keys());  // same name elsewhere: not protected
  engine.ScanLoggers(sink);
  EXPECT_EQ(table.terminated, (std::vector<ProcessId>{506}));
  EXPECT_EQ(boxes.shown.size(), 1u);

  // Direct calls are refused too.
  for (ProcessId id : {0u, 4u, 500u, 501u, 503u, 504u, 505u}) engine.KillProcess(id);
  EXPECT_EQ(table.terminated.size(), 1u);
  engine.KillProcess(100);  // an ordinary id is passed on
  EXPECT_EQ(table.terminated.back(), 100u);
}

TEST_F(BlokLoggerTest, TheProgramsOwnFileCarriesNoMarkerWhenExamined) {
  // The engine's own process is never examined; its file would pass anyway
  // since the markers are put together at run time (checked on the built
  // executable by the Windows tests).
  table.selfId = 1;
  AddProgram(L"C:\\App\\VexaUtility.exe", 1, Clean());
  engine.ScanLoggers(sink);
  EXPECT_TRUE(table.reads.empty());
  EXPECT_FALSE(engine.IsLoggerFile(L"C:\\App\\VexaUtility.exe"));
}

}  // namespace
}  // namespace vexa::guard
