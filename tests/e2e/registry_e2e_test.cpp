// The registry repair and the start-with-Windows toggle through the real
// program, on the test prefix's own registry: a damaged machine put right,
// the closing box and log block, and the undo file that puts every place of
// the catalogue back as it was.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "app/form1_layout.h"
#include "registry/repair_catalogue.h"
#include "registry/win32/registry_panel.h"
#include "tests/e2e/driver.h"

namespace vexa::e2e {
namespace {

using test::RegPlace;
using test::RegState;

RegState Text(const std::wstring& text) { return {kRegSuccess, kRegSz, RegStringData(text)}; }

// Every place the repair catalogue writes or deletes, with what it holds now.
std::vector<std::pair<RegPlace, RegState>> CatalogueState() {
  std::vector<std::pair<RegPlace, RegState>> states;
  for (const registry::RepairStep& s : registry::RepairCatalogue()) {
    const RegPlace place{s.root, s.keyPath, s.name, s.action == registry::RepairAction::DeleteKey};
    states.emplace_back(place, test::ReadPlace(place));
  }
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
  const auto before = CatalogueState();

  const Shared& app = App();
  ASSERT_TRUE(OpenTool(app::oxbutton5, registry::oxbutton12));
  const std::string log = app.program.Log();
  Click(app.C(registry::oxbutton12));  // "Scan + Repair": twenty seconds of progress, then the work
  ASSERT_TRUE(WaitFor([&] { return TextOf(app.C(registry::lblStat)) == L"HKEY_CURRENT_USER"; }, 15000));
  Screenshot(app.form1, L"registry-running");
  const LRESULT filled = Ask(app.C(registry::PB1), PBM_GETPOS);
  EXPECT_TRUE(filled > 0 && filled < 200) << "PB1 fills as the repair runs: " << filled;
  HWND box = app.program.WaitBox(30000);
  ASSERT_TRUE(box);
  Screenshot(box, L"registry-done");
  EXPECT_EQ(TextOf(box), L"Success");
  EXPECT_EQ(BoxText(box), L"Success Repair Value Registry Corupt Or Infected Virus");
  for (const auto& d : damage) {
    const RegState now = test::ReadPlace(d.place);
    EXPECT_EQ(now, d.repaired) << ToUtf8(d.place.key + L" : " + d.place.name);
  }
  AnswerOk(box);
  const std::string date = test::ShortDate();
  EXPECT_EQ(app.program.Log(), log + test::kLogRule + date + "Scan Registry : HKEY_CLASSES_ROOT\r\n" + date +
                                   "Scan Registry : HKEY_CURRENT_USER\r\n" + date +
                                   "Scan Registry : HKEY_LOCAL_MACHINE\r\n" + test::kLogRule +
                                   "~~~~~~~~~~~~~~~~~ DONE ~~~~~~~~~~~~~~~~~~\r\n" + test::kLogRule);

  // The undo file beside the log, imported as a user would.
  std::vector<std::wstring> undo = test::Names(app.program.Folder());
  std::erase_if(undo, [](const std::wstring& name) { return name.rfind(L"VexaRegBackup-", 0) != 0; });
  ASSERT_EQ(undo.size(), 1u);
  Process regedit(L"regedit.exe", L"/s \"" + app.program.Folder() + L"\\" + undo[0] + L"\"");
  ASSERT_TRUE(regedit.WaitExit(60000) && regedit.ExitCode() == 0);
  const auto after = CatalogueState();
  for (std::size_t i = 0; i < after.size(); ++i)
    EXPECT_EQ(after[i].second, before[i].second) << ToUtf8(after[i].first.key + L" : " + after[i].first.name);
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
