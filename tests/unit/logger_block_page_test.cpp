#include "guard/logger_block_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_guard_ui.h"
#include "tests/fakes/fake_process.h"
#include "tests/fakes/fake_system.h"
#include "tests/fakes/fake_ui.h"

namespace vexa::guard {
namespace {

class LoggerBlockPageTest : public ::testing::Test {
 protected:
  fakes::FakeProcessTable table;
  fakes::FakeFileSystem logFiles;
  fakes::FakeClock clock;
  ActivityLog log{logFiles, clock, L"C:\\App"};
  fakes::FakeMessageBoxes boxes;
  fakes::FakeEventPump pump;
  ModBlokLogger engine{table, log, boxes, pump};

  fakes::FakeButton oxbutton1{L"Scan"};
  fakes::FakeButton oxbutton2{L"Clear List", false};
  fakes::FakeRowList listView2;
  fakes::FakeProgressBar pb{200};
  fakes::FakeAnimatedBar pb2;
  fakes::FakeSpinner ucp1;
  fakes::FakeTimer timer2{100, false};
  fakes::FakeLevel blog{80};
  LoggerBlockPage page{engine, {oxbutton1, oxbutton2, listView2, pb, pb2, ucp1, timer2, blog}};

  // Ticks as the window would: only while Timer2 is enabled.
  int TickUntilIdle(int limit = 1000) {
    int ticks = 0;
    while (timer2.enabled && ticks < limit) {
      page.Timer2_Timer();
      ++ticks;
    }
    return ticks;
  }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) page.Timer2_Timer();
  }
  int CountRows(const std::wstring& text) const {
    return static_cast<int>(std::count(listView2.rows.begin(), listView2.rows.end(), text));
  }
  void AddKeylogger(ProcessId id, const std::wstring& path) {
    table.PutFile(path, "MZ" + MarkerSet::Keylogger().Needle(1));
    table.AddProcess(path.substr(path.find_last_of(L'\\') + 1), id, path);
  }
};

const std::vector<std::wstring> kFinish = {L".", L".", L".", L".", L".", L"", L"Finish..."};

TEST_F(LoggerBlockPageTest, ScanStartsTheRunAndStopPausesIt) {
  page.oxbutton1_Click();
  EXPECT_EQ(oxbutton1.caption, L"Stop");
  EXPECT_TRUE(ucp1.playing);
  EXPECT_TRUE(pb2.enable);
  EXPECT_TRUE(timer2.enabled);
  EXPECT_FALSE(oxbutton2.enabled);
  EXPECT_TRUE(page.Scanning());

  page.oxbutton1_Click();
  EXPECT_EQ(oxbutton1.caption, L"Scan");
  EXPECT_FALSE(ucp1.playing);
  EXPECT_FALSE(pb2.enable);
  EXPECT_FALSE(timer2.enabled);
  EXPECT_FALSE(oxbutton2.enabled);  // Stop leaves it as it was
}

TEST_F(LoggerBlockPageTest, AFullRunAddsThePhaseRowsThenFinishesAndResets) {
  page.oxbutton1_Click();
  EXPECT_EQ(TickUntilIdle(), 100);  // 200 in steps of 2
  std::vector<std::wstring> expected = {L"Scan Now..", L"Scan Proccess... ", L"Scan Proccess Windows....",
                                        L"Scan C:\\Windows\\System32..... "};
  expected.insert(expected.end(), kFinish.begin(), kFinish.end());
  EXPECT_EQ(listView2.rows, expected);
  EXPECT_EQ(table.snapshots, 1);
  EXPECT_EQ(pb.value, 0);
  EXPECT_FALSE(timer2.enabled);
  EXPECT_FALSE(ucp1.playing);
  EXPECT_TRUE(oxbutton2.enabled);
  EXPECT_EQ(oxbutton1.caption, L"Scan");
  EXPECT_FALSE(pb2.enable);
}

TEST_F(LoggerBlockPageTest, PhaseRowsComeAtTheirValuesOnly) {
  page.oxbutton1_Click();
  Ticks(9);  // 18
  EXPECT_TRUE(listView2.rows.empty());
  Ticks(1);  // 20
  EXPECT_EQ(listView2.rows, std::vector<std::wstring>{L"Scan Now.."});
  Ticks(24);  // 68
  EXPECT_EQ(listView2.rows.size(), 1u);
  Ticks(1);  // 70
  EXPECT_EQ(listView2.rows.back(), L"Scan Proccess... ");
  Ticks(40);  // 150
  EXPECT_EQ(listView2.rows.back(), L"Scan C:\\Windows\\System32..... ");
  EXPECT_EQ(listView2.rows.size(), 4u);
  EXPECT_EQ(table.snapshots, 0);  // nothing examined before the bar is full
}

TEST_F(LoggerBlockPageTest, AStopAtOneHundredResumesAtOneHundredTwoWithoutRepeatingARow) {
  page.oxbutton1_Click();
  Ticks(50);
  ASSERT_EQ(pb.value, 100);
  page.oxbutton1_Click();  // Stop
  EXPECT_EQ(pb.value, 100);
  EXPECT_EQ(TickUntilIdle(), 0);
  page.oxbutton1_Click();  // Scan again
  Ticks(1);
  EXPECT_EQ(pb.value, 102);
  TickUntilIdle();
  EXPECT_EQ(CountRows(L"Scan Proccess Windows...."), 1);
  EXPECT_EQ(CountRows(L"Scan Now.."), 1);
  EXPECT_EQ(CountRows(L"Finish..."), 1);
  EXPECT_EQ(table.snapshots, 1);
}

TEST_F(LoggerBlockPageTest, LevelSixtyFourExaminesNothingButStillFinishes) {
  AddKeylogger(100, L"C:\\Apps\\k.exe");
  blog.value = 64;
  page.oxbutton1_Click();
  TickUntilIdle();
  EXPECT_TRUE(table.reads.empty());
  EXPECT_TRUE(table.Running(100));
  EXPECT_EQ(listView2.rows.back(), L"Finish...");
  EXPECT_EQ(oxbutton1.caption, L"Scan");
}

TEST_F(LoggerBlockPageTest, DetectionsFollowTheFinishRowsAndRowsAccumulateUntilCleared) {
  AddKeylogger(100, L"C:\\Apps\\k.exe");
  page.oxbutton1_Click();
  TickUntilIdle();
  ASSERT_EQ(listView2.rows.size(), 4u + 7u + 4u);
  EXPECT_EQ(listView2.rows[11], L".");
  EXPECT_EQ(listView2.rows[13], L"- Keylogger Detected ... [ k.exe ]");
  EXPECT_FALSE(table.Running(100));
  EXPECT_FALSE(ucp1.playing);

  page.oxbutton1_Click();
  TickUntilIdle();
  EXPECT_EQ(listView2.rows.size(), 15u + 11u);  // second run, nothing left to find
  page.oxbutton2_Click();
  EXPECT_TRUE(listView2.rows.empty());
  EXPECT_FALSE(oxbutton2.enabled);
}

TEST_F(LoggerBlockPageTest, TicksArrivingDuringThePassDoNotStartItAgain) {
  AddKeylogger(100, L"C:\\Apps\\a.exe");
  AddKeylogger(101, L"C:\\Apps\\b.exe");
  // While the "Found" box is open and while events are pumped, the timer
  // keeps ticking and the user may press Scan again.
  int reentered = 0;
  boxes.whileOpen = [&] {
    ++reentered;
    page.oxbutton1_Click();
    page.oxbutton1_Click();
    timer2.enabled = true;
    Ticks(5);
  };
  pump.pending = [&] { Ticks(2); };
  page.oxbutton1_Click();
  Ticks(100);
  EXPECT_EQ(reentered, 2);
  EXPECT_EQ(table.snapshots, 1);
  EXPECT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(CountRows(L"Finish..."), 1);
  EXPECT_EQ(pb.value, 0);
  EXPECT_FALSE(timer2.enabled);
  EXPECT_EQ(oxbutton1.caption, L"Scan");
}

}  // namespace
}  // namespace vexa::guard
