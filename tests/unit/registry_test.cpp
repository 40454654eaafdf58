#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "registry/registry_backup.h"
#include "registry/registry_repair_page.h"
#include "registry/start_with_windows.h"
#include "tests/fakes/fake_system.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_ui.h"

namespace vexa::registry {
namespace {

constexpr RegRoot HKCR = RegRoot::ClassesRoot, HKCU = RegRoot::CurrentUser, HKLM = RegRoot::LocalMachine,
                  HKU = RegRoot::Users;
const std::wstring kSys = L"C:\\WINDOWS\\system32";
const std::wstring kWinlogon = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

TEST(RepairCatalogue, EveryRowHasItsRootActionAndKeyPath) {
  // One letter a row, ten rows a group. R HKCR, C HKCU, M HKLM, U HKU;
  // S string, N number, V value deleted, K key deleted; / where the key path
  // ends in a backslash.
  const std::string roots = "RRRRRRRRRR" "CMMMMMMMMM" "CCMMMMCMCM" "CCCCCCCCCM" "CCCCCCMCMC"
                            "CCCCCCMCCM" "CCCCCMMMCM" "CMCCMMMCMM" "MCCCCCCCUM" "CMCMCMCCM";
  const std::string actions = "SSSSSSSSSS" "SSSSSSSSSS" "SSNNNNVVVV" "VVVVVVVVVV" "VVVVVVVVVV"
                              "VVVVVVVVVV" "VVVVVVVVVV" "VVVVVVVKKV" "VVVVVVSSSS" "NSVVVVKVV";
  const std::string slashes = ".........." "/////....." "//////..//" "......./.." "....//////"
                              "//////////" "/////.////" "////.//..." "//////../." "./..//...";
  const std::map<char, RegRoot> root{{'R', HKCR}, {'C', HKCU}, {'M', HKLM}, {'U', HKU}};
  const std::map<char, RepairAction> action{{'S', RepairAction::SetString}, {'N', RepairAction::SetNumber},
                                            {'V', RepairAction::DeleteValue}, {'K', RepairAction::DeleteKey}};
  auto steps = RepairCatalogue();
  ASSERT_EQ(steps.size(), 99u);
  for (int row = 1; row <= 99; ++row) {
    const RepairStep& s = steps[row - 1];
    EXPECT_EQ(s.row, row);
    EXPECT_EQ(s.root, root.at(roots[row - 1])) << row;
    EXPECT_EQ(s.action, action.at(actions[row - 1])) << row;
    EXPECT_EQ(std::wstring(s.keyPath).back() == L'\\', slashes[row - 1] == '/') << row;
  }
}

TEST(RepairCatalogue, NamesAndDataOfTheWrites) {
  const std::wstring d1 = L"\"%1\" %*";
  struct Row { int row; const wchar_t* name; std::wstring data; };
  const Row rows[] = {{1, L"", L"Application"},     {2, L"", d1}, {8, L"", L"\"%1\" /S"}, {9, L"", L"regedit.exe %1"},
                      {10, L"", L"%SystemRoot%\\System32\\WScript.exe " + d1}, {11, L"SCRNSAVE.EXE", L""},
                      {17, L"Shell", L"Explorer.exe"}, {18, L"Userinit", L"C:\\WINDOWS\\system32\\userinit.exe,"},
                      {23, L"CheckedValue", L"0"}, {24, L"UncheckedValue", L"1"}, {25, L"CheckedValue", L"1"},
                      {26, L"UncheckedValue", L"0"}, {89, L"MenuShowDelay", L"1"}, {91, L"DesktopProcess", L"1"}};
  for (const Row& r : rows) {
    const RepairStep& s = RepairCatalogue()[r.row - 1];
    EXPECT_STREQ(s.name, r.name) << r.row;
    EXPECT_EQ(s.action == RepairAction::SetNumber ? std::to_wstring(s.number) : RepairText(s, kSys), r.data) << r.row;
  }
  EXPECT_STREQ(RepairCatalogue()[49].name, L"NoViewOnDrive\\");
  EXPECT_STREQ(RepairCatalogue()[89].keyPath, L"SYSTEM\\ControlCurrentSet\\Control\\CrashControl");
  // Userinit follows the machine's own system folder.
  EXPECT_EQ(RepairText(RepairCatalogue()[17], L"D:\\Win\\System32\\"), L"D:\\Win\\System32\\userinit.exe,");
  EXPECT_EQ(RepairText(RepairCatalogue()[17], L""), L"C:\\WINDOWS\\system32\\userinit.exe,");
}

RepairStep Step(RegRoot root, const wchar_t* key, const wchar_t* name, RepairAction action, const wchar_t* text = L"") {
  return {0, root, key, name, action, text, 7, false};
}

TEST(RegistryBackup, TheUndoFileRestoresValuesDeletesNewOnesAndBringsBackDeletedTrees) {
  fakes::FakeRegistry reg;
  reg.PutString(HKCU, L"Soft\\A", L"Name", L"C:\\a \"b\"");
  reg.PutString(HKCU, L"Soft\\A", L"Lines", L"a\nb");
  reg.PutDword(HKCU, L"Soft\\A", L"N", 10);
  reg.PutString(HKCU, L"Soft\\Tree", L"a", L"1");
  reg.Put(HKCU, L"Soft\\Tree\\Sub", {L"q\"uote\\", kRegExpandSz, {'%', 0, 0, 0}});
  reg.PutString(HKLM, L"SYSTEM", L"x", L"");
  using A = RepairAction;
  const std::vector<RepairStep> steps = {
      Step(HKCU, L"Soft\\A\\", L"Name", A::SetString, L"new"), Step(HKCU, L"Soft\\A", L"", A::SetString, L"x"),
      Step(HKCU, L"Soft\\A", L"N", A::SetNumber),              Step(HKCU, L"Soft\\A", L"Lines", A::DeleteValue),
      Step(HKLM, L"SYSTEM\\New\\Deeper", L"V", A::SetString),  Step(HKCU, L"Soft", L"TREE", A::DeleteKey),
      Step(HKCU, L"Soft\\A", L"Gone", A::DeleteValue)};
  RegistrySnapshot snap = RegistrySnapshot::Capture(reg, steps, kSys);
  EXPECT_EQ(snap.RegFileText(),
            L"Windows Registry Editor Version 5.00\r\n\r\n"
            L"[-HKEY_LOCAL_MACHINE\\SYSTEM\\New]\r\n\r\n"
            L"[HKEY_CURRENT_USER\\Soft\\Tree]\r\n\"a\"=\"1\"\r\n\r\n"
            L"[HKEY_CURRENT_USER\\Soft\\Tree\\Sub]\r\n\"q\\\"uote\\\\\"=hex(2):25,00,00,00\r\n\r\n"
            L"[HKEY_CURRENT_USER\\Soft\\A]\r\n\"Name\"=\"C:\\\\a \\\"b\\\"\"\r\n@=-\r\n\"N\"=dword:0000000a\r\n"
            L"\"Lines\"=hex(1):61,00,0a,00,62,00,00,00\r\n\r\n");
  EXPECT_EQ(snap.RegFileBytes().substr(0, 4), std::string("\xFF\xFEW\0", 4));
  for (std::size_t i = 0; i < steps.size(); ++i) EXPECT_EQ(snap.NothingToChange(i), i == 6) << i;
}

struct FakeSystemFolders : SystemFolders {
  std::wstring SystemDirectory() const override { return kSys; }
};

struct RepairPage : ::testing::Test {
  void Ticks(int n) {
    for (int i = 0; i < n && Timer4.enabled; ++i) page.Timer4_Timer();
  }
  void Run() {
    page.oxbutton12_Click();
    Ticks(100);
  }
  int Blocks() const {  // log blocks written
    const std::string text = files.Read(kFolder + L"\\VexaLog.Log");
    int n = 0;
    for (auto at = text.find("DONE"); at != std::string::npos; at = text.find("DONE", at + 1)) ++n;
    return n;
  }
  void ExpectIdle() const {
    EXPECT_FALSE(Timer4.enabled || Timer5.enabled || oxbutton13.enabled);
    EXPECT_TRUE(oxbutton12.enabled && oxbutton14.enabled);
  }

  const std::wstring kFolder = L"C:\\Vexa", kBackup = kFolder + L"\\VexaRegBackup-20261205-143015.reg";
  fakes::FakeProgressBar PB1{kRepairBarMax};
  fakes::FakeCaption lblStat{L"-"}, Label26;
  fakes::FakeButton oxbutton12{L"Scan + Repair"}, oxbutton13{L"Stop", false}, oxbutton14{L"<< Back"};
  fakes::FakeTimer Timer4{kRepairTickMs}, Timer5{kDotsTickMs};
  fakes::FakeRegistry reg;
  FakeSystemFolders system;
  fakes::FakeFileSystem files;
  fakes::FakeClock clock;
  ActivityLog log{files, clock, kFolder};
  fakes::FakeMessageBoxes boxes;
  fakes::FakeEventPump pump;
  RegistryRepairPage page{{PB1, lblStat, Label26, oxbutton12, oxbutton13, oxbutton14, Timer4, Timer5},
                          reg, {system, files, clock, log}, boxes, pump};
};

TEST_F(RepairPage, TheBarNamesTheRootsAndTheHundredthTickRepairs) {
  struct Stage { int ticks; const wchar_t* status; };
  const Stage stages[] = {{4, L"-"},  {1, L"HKEY_CLASSES_ROOT"},  {34, L"HKEY_CLASSES_ROOT"}, {1, L"HKEY_CURRENT_USER"},
                          {39, L"HKEY_CURRENT_USER"}, {1, L"HKEY_LOCAL_MACHINE"}, {19, L"HKEY_LOCAL_MACHINE"}};
  page.oxbutton12_Click();
  EXPECT_TRUE(Timer4.enabled && Timer5.enabled && oxbutton13.enabled);
  int done = 0;
  for (const Stage& s : stages) {
    Ticks(s.ticks);
    done += s.ticks;
    EXPECT_EQ(lblStat.text, s.status) << done;
    EXPECT_EQ(PB1.Value(), 2 * done);
    EXPECT_FALSE(oxbutton12.enabled || oxbutton14.enabled);
  }
  EXPECT_EQ(reg.changes + static_cast<int>(boxes.shown.size()) + Blocks(), 0);  // timing only so far
  Ticks(1);
  EXPECT_EQ(reg.changes, 99);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text + L"|" + boxes.shown[0].title,
            L"Success Repair Value Registry Corupt Or Infected Virus|Success");
  EXPECT_EQ(boxes.shown[0].icon, ui::BoxIcon::Information);
  EXPECT_EQ(Blocks(), 1);
  ExpectIdle();
  EXPECT_EQ(Label26.text + lblStat.text, L"-");
}

TEST_F(RepairPage, StopHalfWayChangesNothingAndTheNextStartBeginsAtZero) {
  page.oxbutton12_Click();
  Ticks(50);
  page.oxbutton13_Click();
  ExpectIdle();
  EXPECT_EQ(PB1.Value(), 100);
  EXPECT_EQ(lblStat.text, L"HKEY_CURRENT_USER");
  EXPECT_EQ(reg.changes + static_cast<int>(boxes.shown.size()) + Blocks(), 0);
  EXPECT_FALSE(files.Find(kBackup));
  page.oxbutton12_Click();
  EXPECT_EQ(PB1.Value(), 0);
  Ticks(99);
  EXPECT_EQ(reg.changes, 0);
  Ticks(1);
  EXPECT_EQ(reg.changes, 99);
}

TEST_F(RepairPage, TicksStopAndStartDuringTheFinalStepStillGiveOnePass) {
  auto meddle = [&] {
    for (int i = 0; i < 3; ++i) page.Timer4_Timer();
    page.Timer5_Timer();
    page.oxbutton13_Click();
    page.Timer4_Timer();
    page.oxbutton12_Click();
    page.Timer4_Timer();
  };
  for (int during : {0, 1}) {  // the yield, the closing box
    (during ? boxes.whileOpen : pump.pending) = meddle;
    reg.changes = 0;
    boxes.shown.clear();
    Run();
    EXPECT_EQ(reg.changes, 99) << during;
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(Blocks(), during + 1);
    EXPECT_EQ(PB1.Value(), 200);  // a start pressed meanwhile had no run of its own
    ExpectIdle();
    pump.pending = boxes.whileOpen = nullptr;
  }
}

TEST_F(RepairPage, AStandardUsersRepairCountsOnlyTheValuesThatNeededAChange) {
  reg.PutString(HKLM, kWinlogon, L"Shell", L"explorer.exe");  // Windows' own spellings
  reg.PutString(HKLM, kWinlogon, L"Userinit", L"C:\\Windows\\System32\\userinit.exe,");
  reg.PutDword(HKLM, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\", L"NoDrives", 4);
  // Row 97's key keeps a key of its own: refused as "access denied" whatever the rights.
  reg.PutString(HKCU, L"Software\\Policies\\Microsoft\\Windows\\system\\Own", L"x", L"y");
  for (RegRoot root : {HKCR, HKLM, HKU}) reg.DenyWrites(root);
  Run();
  // Rows 1-10, 12-16, 19-20, 23-26, 89, 90 and 92 could not be written;
  // row 47's value could not be deleted; row 97 is not for want of rights.
  EXPECT_EQ(page.LastRepair().unrepaired, 10 + 5 + 2 + 4 + 3 + 1);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text,
            L"25 registry values could not be repaired because access was denied.\r\n"
            L"Run the program as administrator to repair them.");
  EXPECT_EQ(boxes.shown[0].title, L"Registry Repair");
  EXPECT_EQ(boxes.shown[0].icon, ui::BoxIcon::Exclamation);
  EXPECT_EQ(RegistryRepairPage::DeniedText(1),
            L"1 registry value could not be repaired because access was denied.\r\n"
            L"Run the program as administrator to repair it.");
  EXPECT_EQ(Blocks(), 1);
}

TEST_F(RepairPage, TheBoxSaysWhenNoUndoFileCouldBeWritten) {
  reg.PutString(HKCR, L"exefile", L"", L"Virus");
  files.denied.insert(fakes::FakeFileSystem::Key(kBackup));
  Run();
  EXPECT_EQ(page.LastRepair().backupPath, L"");
  EXPECT_EQ(reg.changes, 99);
  files.denied.clear();
  reg.PutString(HKCR, L"exefile", L"", L"Virus");
  reg.DenyWrites(HKLM);
  Run();
  EXPECT_EQ(page.LastRepair().backupPath, kBackup);
  const std::wstring noUndo = L"\r\nNo undo file was written: the changes cannot be undone.";
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].text, std::wstring(kRepairSuccessText) + noUndo);
  EXPECT_EQ(boxes.shown[1].text.find(noUndo), std::wstring::npos);
  // The undo file holds the state from before the run.
  std::string virus;
  AppendUtf16Le(virus, L"[HKEY_CLASSES_ROOT\\exefile]\r\n@=\"Virus\"\r\n");
  EXPECT_NE(files.Read(kBackup).find(virus), std::string::npos);
}

TEST(StartWithWindows, OnStoresTheQuotedFullPathAndNoUtilityOfAnotherProgramIsRemoved) {
  fakes::FakeRegistry reg;
  fakes::FakeEnvironment env;
  fakes::FakeToggle ckStar;
  StartWithWindows option(reg, env, ckStar);
  auto entry = [&](RegRoot root) { return reg.GetString(root, kRunKey, L"Utility").value_or(L"-"); };
  auto click = [&](int value) {
    ckStar.value = value;
    option.ckStar_Click();
    return entry(HKLM) + L" | " + entry(HKCU);
  };
  const std::wstring own = L"\"C:\\Program Files\\Vexa\\VexaUtility.exe\"", other = L"\"C:\\Other\\tool.exe\"";
  reg.PutString(HKCU, kRunKey, L"Utility", other);
  EXPECT_EQ(click(1), own + L" | " + other);
  EXPECT_EQ(click(0), L"- | " + other);
  reg.PutString(HKCU, kRunKey, L"Utility", L"VexaUtility.exe");  // this program's, from an earlier version
  EXPECT_EQ(click(1), own + L" | -");  // one entry only
  EXPECT_EQ(click(0), L"- | -");
  reg.DenyWrites(HKLM);  // a standard user
  EXPECT_EQ(click(1), L"- | " + own);
  EXPECT_EQ(click(0), L"- | -");
}

TEST(StartWithWindows, LoadShowsWhetherThisProgramsEntryIsThere) {
  struct Case { const wchar_t *machine, *user; int shown; };
  const Case cases[] = {{nullptr, nullptr, 0},
                        {L"\"C:\\Program Files\\Vexa\\VexaUtility.exe\"", nullptr, 1},
                        {nullptr, L"c:\\program files\\vexa\\VEXAUTILITY.EXE", 1},
                        {nullptr, L"VexaUtility.exe", 1},  // what earlier versions stored
                        {L"\"C:\\Other\\tool.exe\"", L"C:\\Program Files\\Vexa\\Other.exe", 0},
                        {L"", nullptr, 0}};
  fakes::FakeEnvironment env;
  for (const Case& c : cases) {
    fakes::FakeRegistry reg;
    if (c.machine) reg.PutString(HKLM, kRunKey, L"Utility", c.machine);
    if (c.user) reg.PutString(HKCU, kRunKey, L"Utility", c.user);
    fakes::FakeToggle ckStar{1 - c.shown};
    StartWithWindows(reg, env, ckStar).Load();
    EXPECT_EQ(ckStar.value, c.shown) << (c.machine ? c.machine : L"-") << " " << (c.user ? c.user : L"-");
  }
}

}  // namespace
}  // namespace vexa::registry
