// The registry repair and the start-with-Windows toggle through the real
// program, on the test prefix's own registry: a damaged machine put right,
// the closing box and log block, and the undo file that puts every place of
// the catalogue back as it was.
#include <gtest/gtest.h>

#include "app/form1_layout.h"
#include "registry/repair_catalogue.h"
#include "registry/win32/registry_panel.h"
#include "tests/e2e/driver.h"

namespace vexa::e2e {
namespace {

using test::RegPlace;
using test::RegState;

RegState Text(const std::wstring& text) { return {kRegSuccess, kRegSz, RegStringData(text)}; }

std::vector<RegPlace> CataloguePlaces() {
  std::vector<RegPlace> places;
  for (const registry::RepairStep& s : registry::RepairCatalogue()) {
    std::wstring key = s.keyPath;
    while (!key.empty() && key.back() == L'\\') key.pop_back();
    places.push_back({s.root, key, s.name, s.action == registry::RepairAction::DeleteKey});
  }
  return places;
}

std::vector<RegState> ReadAll(const std::vector<RegPlace>& places) {
  std::vector<RegState> states;
  for (const RegPlace& p : places) states.push_back(test::ReadPlace(p));
  return states;
}

TEST(Registry, RepairPutsADamagedMachineRightAndItsUndoFilePutsItAllBack) {
  if (!UnderWine()) GTEST_SKIP() << "damages the registry: runs only in a test Wine prefix";
  const std::wstring policies = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies";
  const RegState one{kRegSuccess, kRegDword, RegDwordData(1)}, none{};
  const struct {
    RegPlace place;
    RegState infected, repaired;
  } damage[] = {
      {{RegRoot::CurrentUser, policies + L"\\System", L"DisableTaskMgr"}, one, none},
      {{RegRoot::CurrentUser, policies + L"\\Explorer", L"NoFolderOptions"}, one, none},
      {{RegRoot::ClassesRoot, L"exefile\\shell\\open\\command", L""}, Text(L"C:\\temp\\svch0st.exe \"%1\" %*"),
       Text(L"\"%1\" %*")},
      {{RegRoot::LocalMachine, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", L"Shell"},
       Text(L"Explorer.exe C:\\temp\\svch0st.exe"), Text(L"Explorer.exe")},
  };
  std::vector<RegState> healthy;
  for (const auto& d : damage) {
    healthy.push_back(test::ReadPlace(d.place));
    ASSERT_TRUE(test::WritePlace(d.place, d.infected));
  }
  const std::vector<RegPlace> places = CataloguePlaces();
  const std::vector<RegState> before = ReadAll(places);

  const Shared& app = App();
  OnTab(2);
  Click(app.C(app::oxbutton5));
  ASSERT_TRUE(WaitFor([&] { return OnView(app.C(registry::oxbutton12)); }));
  const std::string log = app.program.Log();
  Click(app.C(registry::oxbutton12));  // "Scan + Repair": twenty seconds of progress, then the work
  ASSERT_TRUE(WaitFor([&] { return TextOf(app.C(registry::lblStat)) == L"HKEY_CURRENT_USER"; }, 15000));
  Screenshot(app.form1, L"registry-running");
  HWND box = app.program.WaitBox(30000);
  ASSERT_TRUE(box);
  Screenshot(box, L"registry-done");
  EXPECT_EQ(TextOf(box), L"Success");
  EXPECT_EQ(BoxText(box), L"Success Repair Value Registry Corupt Or Infected Virus");
  for (const auto& d : damage) {
    const RegState now = test::ReadPlace(d.place);
    EXPECT_EQ(now, d.repaired) << test::Describe(d.place, now);
  }
  AnswerOk(box);
  const std::string date = test::ShortDate();
  EXPECT_EQ(app.program.Log(), log + test::kLogRule + date + "Scan Registry : HKEY_CLASSES_ROOT\r\n" + date +
                                   "Scan Registry : HKEY_CURRENT_USER\r\n" + date +
                                   "Scan Registry : HKEY_LOCAL_MACHINE\r\n" + test::kLogRule +
                                   "~~~~~~~~~~~~~~~~~ DONE ~~~~~~~~~~~~~~~~~~\r\n" + test::kLogRule);

  // The undo file beside the log, imported as a user would.
  const std::vector<std::wstring> undo = FilesIn(app.program.Folder(), L"VexaRegBackup-*.reg");
  ASSERT_EQ(undo.size(), 1u);
  ASSERT_EQ(RunAndWait(L"regedit.exe /s \"" + app.program.Folder() + L"\\" + undo[0] + L"\""), 0);
  const std::vector<RegState> after = ReadAll(places);
  for (std::size_t i = 0; i < places.size(); ++i)
    EXPECT_EQ(after[i], before[i]) << test::Describe(places[i], after[i]) << ", was "
                                   << test::Describe(places[i], before[i]);
  for (std::size_t i = 0; i < healthy.size(); ++i) test::WritePlace(damage[i].place, healthy[i]);
  Click(app.C(registry::oxbutton14));
}

// On: the quoted full path of the running program under the machine's Run
// key; off: no entry of this program in either Run key.
TEST(Registry, StartWithWindowsStoresTheQuotedFullPathAndTakesItAway) {
  if (!UnderWine()) GTEST_SKIP() << "changes the Run keys: runs only in a test Wine prefix";
  const RegPlace machine{RegRoot::LocalMachine, registry::kRunKey, registry::kRunValueName},
      user{RegRoot::CurrentUser, registry::kRunKey, registry::kRunValueName};
  const RegState savedMachine = test::ReadPlace(machine), savedUser = test::ReadPlace(user);
  const Shared& app = App();
  OnTab(3);
  HWND ckStar = app.C(registry::ckStar);
  Screenshot(app.form1, L"option-start-with-windows");
  for (int click = 0; click < 2; ++click) {
    ASSERT_TRUE(ClickAndWait(ckStar));
    if (CheckOf(ckStar) == 1) {
      EXPECT_EQ(test::ReadPlace(machine), Text(L"\"" + app.program.Exe() + L"\""));
    } else {
      EXPECT_NE(test::ReadPlace(machine).status, kRegSuccess);
      EXPECT_NE(test::ReadPlace(user).status, kRegSuccess);
    }
  }
  test::WritePlace(machine, savedMachine);
  test::WritePlace(user, savedUser);
}

}  // namespace
}  // namespace vexa::e2e
