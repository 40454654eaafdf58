#include "registry/registry_repair_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/registry_backup.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_system.h"
#include "tests/fakes/fake_ui.h"

namespace vexa {
namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;
const std::wstring kFolder = L"C:\\Program Files\\Vexa";
const std::wstring kLogPath = kFolder + L"\\VexaLog.Log";

class FakeSystemFolders : public SystemFolders {
 public:
  std::wstring SystemDirectory() const override { return dir; }
  std::wstring dir = L"C:\\Windows\\system32";
};

class RepairPage : public ::testing::Test {
 protected:
  fakes::FakeProgressBar PB1{kRepairBarMax};
  fakes::FakeCaption lblStat{L"-"};
  fakes::FakeCaption Label26;
  fakes::FakeButton oxbutton12{L"Scan + Repair", true};
  fakes::FakeButton oxbutton13{L"Stop", false};
  fakes::FakeButton oxbutton14{L"<< Back", true};
  fakes::FakeTimer Timer4{kRepairTickMs, false};
  fakes::FakeTimer Timer5{kDotsTickMs, false};

  fakes::FakeRegistry reg;
  FakeSystemFolders system;
  fakes::FakeFileSystem files;
  fakes::FakeClock clock;
  ActivityLog log{files, clock, kFolder};
  fakes::FakeMessageBoxes boxes;
  fakes::FakeEventPump pump;

  RegistryRepairPage page{{PB1, lblStat, Label26, oxbutton12, oxbutton13, oxbutton14, Timer4, Timer5},
                          {reg, system, files, clock, log, boxes, pump}};

  // Delivers Timer4 ticks as the window does: only while the timer runs.
  void Ticks(int n) {
    for (int i = 0; i < n && Timer4.enabled; ++i) page.Timer4_Timer();
  }
  std::string LogText() const { return files.Read(kLogPath); }
  int LogBlocks() const {
    std::string text = LogText();
    int n = 0;
    for (auto at = text.find("DONE"); at != std::string::npos; at = text.find("DONE", at + 1)) ++n;
    return n;
  }
  void ExpectIdleAfterRun() {
    EXPECT_FALSE(Timer4.enabled);
    EXPECT_FALSE(Timer5.enabled);
    EXPECT_TRUE(oxbutton12.enabled);
    EXPECT_FALSE(oxbutton13.enabled);
    EXPECT_TRUE(oxbutton14.enabled);
    EXPECT_EQ(Label26.text, L"");
    EXPECT_EQ(lblStat.text, L"-");
    EXPECT_EQ(PB1.Value(), 200);
  }
};

TEST_F(RepairPage, StageTableNamesTheRootsAndRepairsOnTheHundredthTick) {
  page.oxbutton12_Click();
  EXPECT_TRUE(Timer4.enabled && Timer5.enabled && oxbutton13.enabled);
  EXPECT_TRUE(oxbutton12.enabled);  // switched off by the first tick
  Ticks(1);
  EXPECT_FALSE(oxbutton12.enabled || oxbutton14.enabled);
  Ticks(3);
  EXPECT_EQ(lblStat.text, L"-");
  Ticks(1);  // 1 s
  EXPECT_EQ(PB1.Value(), 10);
  EXPECT_EQ(lblStat.text, L"HKEY_CLASSES_ROOT");
  Ticks(34);
  EXPECT_EQ(lblStat.text, L"HKEY_CLASSES_ROOT");
  Ticks(1);  // 8 s
  EXPECT_EQ(lblStat.text, L"HKEY_CURRENT_USER");
  Ticks(40);  // 16 s
  EXPECT_EQ(lblStat.text, L"HKEY_LOCAL_MACHINE");
  Ticks(19);
  EXPECT_EQ(PB1.Value(), 198);
  EXPECT_TRUE(reg.calls.empty());  // the roots are timing only
  EXPECT_FALSE(files.Exists(kLogPath));
  EXPECT_TRUE(boxes.shown.empty());

  Ticks(1);  // 20 s
  EXPECT_EQ(reg.calls.size(), 99u);
  EXPECT_EQ(pump.calls, 1);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"Success Repair Value Registry Corupt Or Infected Virus");
  EXPECT_EQ(boxes.shown[0].title, L"Success");
  EXPECT_EQ(boxes.shown[0].icon, ui::BoxIcon::Information);
  const std::string sep = "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n";
  EXPECT_EQ(LogText(), sep + "05/12/2026Scan Registry : HKEY_CLASSES_ROOT\r\n" +
                           "05/12/2026Scan Registry : HKEY_CURRENT_USER\r\n" +
                           "05/12/2026Scan Registry : HKEY_LOCAL_MACHINE\r\n" + sep +
                           "~~~~~~~~~~~~~~~~~ DONE ~~~~~~~~~~~~~~~~~~\r\n" + sep);
  ExpectIdleAfterRun();
}

TEST_F(RepairPage, StopAfterTenSecondsChangesNothingAndTheNextStartBeginsAtZero) {
  page.oxbutton12_Click();
  Ticks(50);
  page.oxbutton13_Click();
  EXPECT_EQ(PB1.Value(), 100);
  EXPECT_EQ(lblStat.text, L"HKEY_CURRENT_USER");
  EXPECT_FALSE(Timer4.enabled);
  EXPECT_FALSE(Timer5.enabled);
  EXPECT_FALSE(oxbutton13.enabled);
  EXPECT_TRUE(oxbutton12.enabled);
  EXPECT_TRUE(oxbutton14.enabled);
  EXPECT_TRUE(reg.calls.empty());
  EXPECT_FALSE(files.Exists(kLogPath));
  EXPECT_TRUE(boxes.shown.empty());

  page.oxbutton12_Click();
  EXPECT_EQ(PB1.Value(), 0);
  Ticks(99);
  EXPECT_TRUE(reg.calls.empty());
  Ticks(1);
  EXPECT_EQ(reg.calls.size(), 99u);
}

TEST_F(RepairPage, AStartAfterACompletedRunResetsTheFullBar) {
  page.oxbutton12_Click();
  Ticks(100);
  ASSERT_EQ(PB1.Value(), 200);
  page.oxbutton12_Click();
  EXPECT_EQ(PB1.Value(), 0);
  Ticks(1);
  EXPECT_EQ(PB1.Value(), 2);
  Ticks(99);
  EXPECT_EQ(reg.calls.size(), 198u);
  EXPECT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(LogBlocks(), 2);
}

TEST_F(RepairPage, TicksAndStopDuringTheYieldStillGiveOnePassOneBlockOneBox) {
  pump.pending = [&] {
    page.Timer4_Timer();
    page.Timer5_Timer();
    page.Timer4_Timer();
    page.oxbutton13_Click();
    page.Timer4_Timer();
    page.oxbutton12_Click();  // a press while the repair finishes has no run of its own
  };
  page.oxbutton12_Click();
  Ticks(100);
  EXPECT_EQ(reg.calls.size(), 99u);
  EXPECT_EQ(LogBlocks(), 1);
  EXPECT_EQ(boxes.shown.size(), 1u);
  ExpectIdleAfterRun();
  Ticks(200);
  EXPECT_EQ(reg.calls.size(), 99u);
}

TEST_F(RepairPage, TicksAndStopWhileTheBoxIsOpenStillGiveOnePass) {
  boxes.whileOpen = [&] {
    EXPECT_TRUE(page.Repairing());
    for (int i = 0; i < 5; ++i) page.Timer4_Timer();
    page.oxbutton13_Click();
    page.Timer4_Timer();
  };
  page.oxbutton12_Click();
  Ticks(100);
  EXPECT_FALSE(page.Repairing());
  EXPECT_EQ(reg.calls.size(), 99u);
  EXPECT_EQ(LogBlocks(), 1);
  EXPECT_EQ(boxes.shown.size(), 1u);
  ExpectIdleAfterRun();
}

TEST_F(RepairPage, DotsCycleEverySixteenTicks) {
  page.StartDots();
  std::vector<std::wstring> seen;
  for (int i = 0; i < 32; ++i) {
    page.Timer5_Timer();
    seen.push_back(Label26.text);
  }
  std::vector<std::wstring> cycle = {L""};
  for (int n = 1; n <= 14; ++n) cycle.push_back(L" " + std::wstring(static_cast<std::size_t>(n - 1), L'.'));
  cycle.push_back(cycle.back());  // holds one tick
  ASSERT_EQ(cycle.size(), 16u);
  EXPECT_EQ(cycle[14], L" .............");
  for (int i = 0; i < 32; ++i)
    EXPECT_EQ(seen[static_cast<std::size_t>(i)], cycle[static_cast<std::size_t>(i % 16)]) << i;

  // A new start begins the cycle again from its first frame.
  page.StartDots();
  page.Timer5_Timer();
  page.Timer5_Timer();
  EXPECT_EQ(Label26.text, L" ");
}

TEST_F(RepairPage, RefusedValuesAreCountedAndReportedInsteadOfSuccess) {
  const std::wstring policies = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\";
  const std::wstring winlogon = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
  reg.PutDword(HKLM, policies, L"NoDrives", 4);              // row 47: needs deleting, refused
  reg.CreateKey(HKLM, policies);                             // rows 30, 49, 57...: nothing to delete, not failures
  reg.PutString(HKLM, winlogon, L"Shell", L"Explorer.exe");  // row 17: already right
  reg.DenyWrites(HKLM);
  reg.DenyWrites(RegRoot::ClassesRoot);
  reg.DenyWrites(RegRoot::Users);

  page.oxbutton12_Click();
  Ticks(100);
  // Refused writes: HKCR 1-10, HKLM 12-16, 18-20, 23-26, 90, 92, HKU 89 (row 17 held its data already),
  // and the deletion of row 47.
  EXPECT_EQ(page.LastRepair().unrepaired, 10 + 5 + 3 + 4 + 2 + 1 + 1);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].icon, ui::BoxIcon::Exclamation);
  EXPECT_EQ(boxes.shown[0].text, RegistryRepairPage::DeniedText(26));
  EXPECT_NE(boxes.shown[0].text.find(L"26 registry values could not be repaired"), std::wstring::npos);
  EXPECT_NE(boxes.shown[0].text.find(L"administrator"), std::wstring::npos);
  EXPECT_EQ(RegistryRepairPage::DeniedText(1).rfind(L"1 registry value could not be repaired", 0), 0u);
  EXPECT_EQ(LogBlocks(), 1);  // the log block is the same
  ExpectIdleAfterRun();
  EXPECT_EQ(reg.GetDword(HKLM, policies, L"NoDrives"), 4);
}

TEST_F(RepairPage, WritesTheBackupBesideTheLogBeforeChangingAnything) {
  reg.PutString(RegRoot::ClassesRoot, L"exefile", L"", L"Virus");
  page.oxbutton12_Click();
  Ticks(100);
  const std::wstring path = kFolder + L"\\VexaRegBackup-20261205-143015.reg";
  EXPECT_EQ(page.LastRepair().backupPath, path);
  std::string bytes = files.Read(path);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  // The saved state is the one before the run: the infected default value.
  std::string virus;
  AppendUtf16Le(virus, L"[HKEY_CLASSES_ROOT\\exefile]\r\n@=\"Virus\"\r\n");
  EXPECT_NE(bytes.find(virus), std::string::npos);
}

TEST_F(RepairPage, ABackupThatCannotBeWrittenDoesNotStopTheRepair) {
  files.DenyWrites(kFolder + L"\\VexaRegBackup-20261205-143015.reg");
  page.oxbutton12_Click();
  Ticks(100);
  EXPECT_EQ(page.LastRepair().backupPath, L"");
  EXPECT_EQ(reg.calls.size(), 99u);
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, L"Success");
}

}  // namespace
}  // namespace vexa
