#include "registry/start_with_windows.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_system.h"
#include "tests/fakes/fake_ui.h"

namespace vexa {
namespace {

constexpr RegRoot HKCU = RegRoot::CurrentUser;
constexpr RegRoot HKLM = RegRoot::LocalMachine;

class StartWithWindowsTest : public ::testing::Test {
 protected:
  fakes::FakeRegistry reg;
  fakes::FakeEnvironment env;
  fakes::FakeToggle ckStar{1};
  StartWithWindows option{reg, env, ckStar};

  void Switch(int value) {
    ckStar.value = value;
    option.ckStar_Click();
  }
  std::optional<std::wstring> Machine() const { return reg.GetString(HKLM, kRunKey, L"Utility"); }
  std::optional<std::wstring> User() const { return reg.GetString(HKCU, kRunKey, L"Utility"); }
};

TEST_F(StartWithWindowsTest, OnStoresTheFileNameWithoutItsFolderUnderTheMachineRunKey) {
  env.exePath = L"C:\\Tools\\Clean.exe";
  reg.PutString(HKLM, kRunKey, L"Other", L"other.exe");
  Switch(1);
  EXPECT_EQ(Machine(), L"Clean.exe");
  Switch(1);
  EXPECT_EQ(Machine(), L"Clean.exe");
  EXPECT_EQ(reg.ValueCount(HKLM, kRunKey), 2u);  // one "Utility" beside what was there
  EXPECT_FALSE(User().has_value());
  EXPECT_EQ(reg.calls[0].subKey, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run");
}

TEST_F(StartWithWindowsTest, OffRemovesTheEntryAndIsQuietWhenThereIsNone) {
  Switch(0);
  EXPECT_FALSE(reg.HasKey(HKLM, kRunKey));  // deleting creates nothing
  Switch(1);
  EXPECT_EQ(Machine(), L"VexaUtility.exe");
  Switch(0);
  EXPECT_FALSE(Machine().has_value());
  EXPECT_TRUE(reg.HasKey(HKLM, kRunKey));
}

TEST_F(StartWithWindowsTest, AStandardUserGetsThePerUserEntryAndOffRemovesBoth) {
  reg.CreateKey(HKLM, kRunKey);
  reg.DenyWrites(HKLM);
  Switch(1);
  EXPECT_FALSE(Machine().has_value());
  EXPECT_EQ(User(), L"VexaUtility.exe");
  Switch(0);
  EXPECT_FALSE(User().has_value());

  // An entry left in both places by earlier runs goes from wherever it may.
  fakes::FakeRegistry both;
  both.PutString(HKLM, kRunKey, L"Utility", L"VexaUtility.exe");
  both.PutString(HKCU, kRunKey, L"Utility", L"VexaUtility.exe");
  fakes::FakeToggle off{0};
  StartWithWindows(both, env, off).ckStar_Click();
  EXPECT_FALSE(both.GetString(HKLM, kRunKey, L"Utility").has_value());
  EXPECT_FALSE(both.GetString(HKCU, kRunKey, L"Utility").has_value());
}

TEST_F(StartWithWindowsTest, AMachineEntryReplacesAPerUserOneSoTheProgramStartsOnce) {
  reg.PutString(HKCU, kRunKey, L"Utility", L"VexaUtility.exe");
  Switch(1);
  EXPECT_EQ(Machine(), L"VexaUtility.exe");
  EXPECT_FALSE(User().has_value());
}

TEST_F(StartWithWindowsTest, OtherToggleValuesDoNothing) {
  Switch(2);
  Switch(-1);
  EXPECT_TRUE(reg.calls.empty());
}

TEST_F(StartWithWindowsTest, DataIsTheBaseNameFollowedByExe) {
  env.exePath = L"D:\\Apps\\VEXA.EXE";
  EXPECT_EQ(option.EntryData(), L"VEXA.exe");
  env.exePath = L"D:\\Apps\\my.tool.exe";
  EXPECT_EQ(option.EntryData(), L"my.tool.exe");
}

}  // namespace
}  // namespace vexa
