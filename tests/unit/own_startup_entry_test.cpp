#include "registry/own_startup_entry.h"

#include <gtest/gtest.h>

#include "registry/start_with_windows.h"
#include "tests/fakes/fake_registry.h"

namespace vexa {
namespace {

struct EntryRow {
  std::uint32_t type;
  std::wstring data;
  bool namesProgram;
};

class EntryNamesProgramTest : public ::testing::TestWithParam<EntryRow> {};

TEST_P(EntryNamesProgramTest, OnlyTheProgramsOwnFileName) {
  const EntryRow& row = GetParam();
  EXPECT_EQ(EntryNamesProgram(RegValue{L"Utility", row.type, RegStringData(row.data)}, L"VexaUtility.exe"),
            row.namesProgram)
      << ::testing::PrintToString(row.data);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EntryNamesProgramTest,
    ::testing::Values(EntryRow{kRegSz, L"VexaUtility.exe", true}, EntryRow{kRegSz, L"VEXAUTILITY.EXE", true},
                      EntryRow{kRegExpandSz, L"%LOCALAPPDATA%\\Programs\\VexaUtility\\VexaUtility.exe", true},
                      EntryRow{kRegSz, L"\"C:\\Tools\\VexaUtility.exe\"", true}, EntryRow{kRegSz, L"Other.exe", false},
                      EntryRow{kRegSz, L"NotVexaUtility.exe", false}, EntryRow{kRegSz, L"VexaUtility.exe.bak", false},
                      EntryRow{kRegSz, L"\"C:\\Tools\\VexaUtility.exe\" /min", false}, EntryRow{kRegSz, L"", false},
                      EntryRow{kRegBinary, L"VexaUtility.exe", false}));

TEST(RemoveOwnStartupEntries, EitherRunKeyLosesOnlyTheProgramsOwnEntry) {
  constexpr RegRoot HKCU = RegRoot::CurrentUser, HKLM = RegRoot::LocalMachine;
  fakes::FakeRegistry reg;
  EXPECT_EQ(RemoveOwnStartupEntries(reg, L"VexaUtility.exe"), 0);
  EXPECT_FALSE(reg.HasKey(HKLM, kRunKey)) << "nothing is created";

  reg.PutString(HKLM, kRunKey, kRunValueName, L"C:\\Other\\Utility.exe");
  reg.PutString(HKCU, kRunKey, kRunValueName, L"vexautility.exe");
  reg.PutString(HKCU, kRunKey, L"Other", L"VexaUtility.exe");
  EXPECT_EQ(RemoveOwnStartupEntries(reg, L"VexaUtility.exe"), 1);
  EXPECT_EQ(reg.GetString(HKLM, kRunKey, kRunValueName), L"C:\\Other\\Utility.exe");
  EXPECT_FALSE(reg.Get(HKCU, kRunKey, kRunValueName).has_value());
  EXPECT_EQ(reg.GetString(HKCU, kRunKey, L"Other"), L"VexaUtility.exe");

  reg.PutString(HKLM, kRunKey, kRunValueName, L"VexaUtility.exe");
  reg.DenyWrites(HKLM);  // a standard user
  EXPECT_EQ(RemoveOwnStartupEntries(reg, L"VexaUtility.exe"), 0);
  EXPECT_EQ(reg.GetString(HKLM, kRunKey, kRunValueName), L"VexaUtility.exe");
}

}  // namespace
}  // namespace vexa
