#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "registry/mod_fix_reg.h"
#include "registry/repair_catalogue.h"
#include "tests/fakes/fake_registry.h"
#include "tests/win/registry_contract.h"

namespace vexa {
namespace {

constexpr RegRoot HKCR = RegRoot::ClassesRoot;
constexpr RegRoot HKCU = RegRoot::CurrentUser;
constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr RegRoot HKU = RegRoot::Users;
const std::wstring kSys = L"C:\\WINDOWS\\system32";
const std::wstring kPolExplorer = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\";

const RepairStep& Row(int row) { return RepairCatalogue()[static_cast<std::size_t>(row - 1)]; }

TEST(RepairCatalogue, HasTheNinetyNineStepsInTheirTotals) {
  auto steps = RepairCatalogue();
  ASSERT_EQ(steps.size(), 99u);
  std::map<RepairAction, int> actions;
  std::map<RegRoot, int> roots;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    EXPECT_EQ(steps[i].row, static_cast<int>(i + 1));
    ++actions[steps[i].action];
    ++roots[steps[i].root];
  }
  EXPECT_EQ(actions[RepairAction::SetString], 27);
  EXPECT_EQ(actions[RepairAction::SetNumber], 5);
  EXPECT_EQ(actions[RepairAction::DeleteValue], 64);
  EXPECT_EQ(actions[RepairAction::DeleteKey], 3);
  EXPECT_EQ(roots[HKCR], 10);
  EXPECT_EQ(roots[HKCU], 52);
  EXPECT_EQ(roots[HKLM], 36);
  EXPECT_EQ(roots[HKU], 1);
}

TEST(RepairCatalogue, KeyPathsEndInABackslashExactlyWhereListed) {
  std::set<int> slashed;
  for (int r : {11, 12, 13, 14, 15, 21, 22, 23, 24, 25, 26, 29, 30, 38, 67, 68, 69,
                70, 71, 72, 73, 74, 76, 77, 81, 82, 83, 84, 85, 86, 89, 92, 95, 96})
    slashed.insert(r);
  for (int r = 45; r <= 65; ++r) slashed.insert(r);
  for (const RepairStep& s : RepairCatalogue()) {
    std::wstring key = s.keyPath;
    EXPECT_EQ(key.back() == L'\\', slashed.count(s.row) == 1) << "row " << s.row;
  }
  EXPECT_STREQ(Row(50).name, L"NoViewOnDrive\\");
}

TEST(RepairCatalogue, SampleRowsAreVerbatim) {
  auto check = [](int row, RegRoot root, const wchar_t* key, const wchar_t* name, RepairAction action) {
    const RepairStep& s = Row(row);
    EXPECT_EQ(s.root, root) << row;
    EXPECT_STREQ(s.keyPath, key) << row;
    EXPECT_STREQ(s.name, name) << row;
    EXPECT_EQ(s.action, action) << row;
  };
  check(1, HKCR, L"exefile", L"", RepairAction::SetString);
  EXPECT_EQ(RepairText(Row(1), kSys), L"Application");
  check(2, HKCR, L"exefile\\shell\\open\\command", L"", RepairAction::SetString);
  EXPECT_EQ(RepairText(Row(2), kSys), L"\"%1\" %*");
  EXPECT_EQ(RepairText(Row(2), kSys).size(), 7u);
  EXPECT_EQ(RepairText(Row(8), kSys), L"\"%1\" /S");
  EXPECT_EQ(RepairText(Row(9), kSys), L"regedit.exe %1");
  EXPECT_EQ(RepairText(Row(10), kSys), L"%SystemRoot%\\System32\\WScript.exe \"%1\" %*");
  check(11, HKCU, L"Control Panel\\Desktop\\", L"SCRNSAVE.EXE", RepairAction::SetString);
  EXPECT_EQ(RepairText(Row(11), kSys), L"");
  check(15, HKLM, L"SYSTEM\\CurrentControlSet\\Control\\SafeBoot\\", L"AlternateShell", RepairAction::SetString);
  check(23, HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\Folder\\SuperHidden\\",
        L"CheckedValue", RepairAction::SetNumber);
  EXPECT_EQ(Row(23).number, 0);
  EXPECT_EQ(Row(24).number, 1);
  EXPECT_EQ(Row(25).number, 1);
  EXPECT_EQ(Row(26).number, 0);
  check(28, HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", L"NoWinKeys",
        RepairAction::DeleteValue);
  check(43, HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", L"NoDispApprearancePage",
        RepairAction::DeleteValue);
  check(65, HKCU, kPolExplorer.c_str(), L"NoThemesTabNoThemesTab", RepairAction::DeleteValue);
  check(69, HKCU, L"Software\\Policies\\Microsoft\\Windows\\Task Scheduler5.0\\", L"Execution",
        RepairAction::DeleteValue);
  check(79, HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies", L"WinOldApp", RepairAction::DeleteKey);
  check(80, HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\policies\\System", L"legalnoticetext",
        RepairAction::DeleteValue);
  check(89, HKU, L".DEFAULT\\Control Panel\\Desktop\\", L"MenuShowDelay", RepairAction::SetString);
  check(90, HKLM, L"SYSTEM\\ControlCurrentSet\\Control\\CrashControl", L"AutoReboot", RepairAction::SetString);
  check(91, HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", L"DesktopProcess",
        RepairAction::SetNumber);
  EXPECT_EQ(Row(91).number, 1);
  check(97, HKCU, L"Software\\Policies\\Microsoft\\Windows", L"system", RepairAction::DeleteKey);
  check(99, HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", L"NoFolderOptions",
        RepairAction::DeleteValue);
}

TEST(RepairCatalogue, UserinitComesFromTheMachinesSystemFolder) {
  const RepairStep& s = Row(18);
  EXPECT_STREQ(s.name, L"Userinit");
  EXPECT_EQ(RepairText(s, L"D:\\Win11\\System32"), L"D:\\Win11\\System32\\userinit.exe,");
  EXPECT_EQ(RepairText(s, L"D:\\Win11\\System32\\"), L"D:\\Win11\\System32\\userinit.exe,");
  // Unknown: the usual folder rather than a bare "\userinit.exe," that would break logon.
  EXPECT_EQ(RepairText(s, L""), L"C:\\WINDOWS\\system32\\userinit.exe,");
}

TEST(FakeRegistry, KeepsTheRegistryRules) {
  fakes::FakeRegistry reg;
  contract::CheckRegistryRules(reg, L"Software\\VexaTest\\Contract");
}

TEST(FakeRegistry, ReadOnlyKeysOpenButRefuseChanges) {
  fakes::FakeRegistry reg;
  reg.PutString(HKLM, L"Soft\\Run", L"Old", L"x");
  reg.DenyWrites(HKLM);
  ModFixReg fix(reg);
  RegResult r = fix.SetStringValue(HKLM, L"Soft\\Run", L"Utility", L"a.exe");
  EXPECT_EQ(r.keyStatus, kRegSuccess);
  EXPECT_EQ(r.status, kRegAccessDenied);
  r = fix.SetStringValue(HKLM, L"Soft\\New\\Key", L"V", L"a");
  EXPECT_EQ(r.keyStatus, kRegAccessDenied);
  EXPECT_EQ(r.status, kRegInvalidHandle);
  EXPECT_TRUE(r.AccessDenied());
  EXPECT_FALSE(reg.HasKey(HKLM, L"Soft\\New"));
  // A read-only handle refuses the deletion whether or not the value is there.
  EXPECT_EQ(fix.DeleteValue(HKLM, L"Soft\\Run", L"Old").status, kRegAccessDenied);
  EXPECT_EQ(fix.DeleteValue(HKLM, L"Soft\\Run", L"Never").status, kRegAccessDenied);
  EXPECT_EQ(fix.DeleteKey(HKLM, L"Soft", L"Run").status, kRegAccessDenied);
  EXPECT_EQ(reg.GetString(HKLM, L"Soft\\Run", L"Old"), L"x");
}

class CatalogueRun : public ::testing::Test {
 protected:
  fakes::FakeRegistry reg;
  ModFixReg fix{reg};
  std::vector<RegResult> Run() { return fix.RunSteps(RepairCatalogue(), kSys); }
};

TEST_F(CatalogueRun, MakesOneCallPerStepInCatalogueOrderWithPathsUnchanged) {
  Run();
  ASSERT_EQ(reg.calls.size(), 99u);
  for (std::size_t i = 0; i < 99; ++i) {
    const RepairStep& s = RepairCatalogue()[i];
    const auto& call = reg.calls[i];
    EXPECT_EQ(call.root, s.root) << s.row;
    EXPECT_EQ(call.subKey, s.keyPath) << s.row;
    EXPECT_EQ(call.name, s.name) << s.row;
    auto kind = s.action == RepairAction::SetString     ? fakes::FakeRegistry::Call::SetString
                : s.action == RepairAction::SetNumber   ? fakes::FakeRegistry::Call::SetDword
                : s.action == RepairAction::DeleteValue ? fakes::FakeRegistry::Call::DeleteValue
                                                        : fakes::FakeRegistry::Call::DeleteKey;
    EXPECT_EQ(call.kind, kind) << s.row;
  }
}

TEST_F(CatalogueRun, OnACleanSystemEveryWriteSucceedsAndEveryDeletionFindsNothing) {
  auto results = Run();
  for (std::size_t i = 0; i < 99; ++i) {
    const RepairStep& s = RepairCatalogue()[i];
    if (IsWrite(s))
      EXPECT_TRUE(results[i].Succeeded()) << s.row;
    else
      EXPECT_FALSE(results[i].Succeeded()) << s.row;
    EXPECT_FALSE(results[i].AccessDenied()) << s.row;
  }
  // The writes created their whole key paths, the unusual ones included.
  EXPECT_EQ(reg.GetString(HKLM, L"SYSTEM\\ControlCurrentSet\\Control\\CrashControl", L"AutoReboot"), L"1");
  EXPECT_EQ(reg.GetString(HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer", L"AlwaysUnloadDLL"), L"1");
  EXPECT_EQ(reg.GetString(HKU, L".DEFAULT\\Control Panel\\Desktop", L"MenuShowDelay"), L"1");
  EXPECT_EQ(reg.GetString(HKCR, L"exefile", L""), L"Application");
  EXPECT_EQ(reg.GetString(HKCR, L"vbsfile\\shell\\open\\command", L""),
            L"%SystemRoot%\\System32\\WScript.exe \"%1\" %*");
  EXPECT_EQ(reg.Get(HKCU, L"Control Panel\\Desktop", L"SCRNSAVE.EXE")->data, (std::vector<std::uint8_t>{0, 0}));
  EXPECT_EQ(reg.GetString(HKLM, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", L"Userinit"),
            L"C:\\WINDOWS\\system32\\userinit.exe,");
  const std::wstring folder = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\Folder\\";
  EXPECT_EQ(reg.GetDword(HKLM, folder + L"SuperHidden", L"CheckedValue"), 0);
  EXPECT_EQ(reg.GetDword(HKLM, folder + L"SuperHidden", L"UncheckedValue"), 1);
  EXPECT_EQ(reg.GetDword(HKLM, folder + L"HideFileExt", L"CheckedValue"), 1);
  EXPECT_EQ(reg.GetDword(HKLM, folder + L"HideFileExt", L"UncheckedValue"), 0);
  // Deletions created nothing.
  EXPECT_FALSE(reg.HasKey(HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies"));
  EXPECT_FALSE(reg.HasKey(HKLM, L"SOFTWARE\\Policies"));
}

TEST_F(CatalogueRun, RemovesAnInfectionsPoliciesAndTheSecondNoSMHelpFindsNothing) {
  reg.PutDword(HKCU, kPolExplorer, L"NoSMHelp", 1);
  reg.PutDword(HKCU, kPolExplorer, L"NoDesktop", 1);
  reg.PutDword(HKCU, kPolExplorer, L"NoViewOnDrive\\", 4);
  reg.PutDword(HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", L"DisableTaskMgr", 1);
  reg.PutDword(HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\WinOldApp", L"Disabled", 1);
  reg.PutDword(HKCU, L"Software\\Policies\\Microsoft\\Windows\\System", L"DisableCMD", 1);
  reg.PutString(HKCR, L"exefile\\shell\\open\\command", L"", L"virus.exe \"%1\"");
  auto results = Run();
  EXPECT_EQ(results[44].status, kRegSuccess);       // row 45
  EXPECT_EQ(results[62].status, kRegFileNotFound);  // row 63, the same value again
  EXPECT_EQ(results[31].status, kRegSuccess);       // row 32 "NoDesktop" without the trailing backslash
  EXPECT_EQ(results[57].status, kRegFileNotFound);  // row 58, the same value with it
  EXPECT_EQ(results[49].status, kRegSuccess);       // row 50
  EXPECT_EQ(results[95].status, kRegSuccess);       // row 96
  EXPECT_EQ(results[77].status, kRegSuccess);       // row 78 deletes the key
  EXPECT_EQ(results[96].status, kRegSuccess);       // row 97, "system" matches "System"
  EXPECT_EQ(reg.ValueCount(HKCU, kPolExplorer), 0u);
  EXPECT_FALSE(reg.HasKey(HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\WinOldApp"));
  EXPECT_FALSE(reg.HasKey(HKCU, L"Software\\Policies\\Microsoft\\Windows\\System"));
  EXPECT_EQ(reg.GetString(HKCR, L"exefile\\shell\\open\\command", L""), L"\"%1\" %*");
}

}  // namespace
}  // namespace vexa
