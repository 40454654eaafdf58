// The shell as a user meets it: the pages and tool panels, the About window,
// and a second copy of the program.
#include <gtest/gtest.h>

#include <set>

#include "app/form1_layout.h"
#include "app/form3.h"
#include "guard/win32/guard_panels.h"
#include "registry/win32/registry_panel.h"
#include "shortener/win32/url_panel.h"
#include "tests/e2e/driver.h"

namespace vexa::e2e {
namespace {

// Where the keyboard can go: every tab stop, and the focus, lie in the
// frame or in the panel on view, never in a panel it covers.
void ExpectKeyboardOnlyOnView(const Shared& app, HWND onView, const wchar_t* shot) {
  std::set<HWND> panels;
  for (int id : {app::PicHome, app::Picture2, app::PicTool, app::PicClean, app::PicURL, app::PicKeyBlock,
                 app::Picture3, app::PicTask, app::Picture4})
    panels.insert(app.C(id));
  auto panelOf = [&](HWND h) -> HWND {
    for (; h && h != app.form1; h = GetParent(h))
      if (panels.count(h)) return h;
    return nullptr;
  };
  GUITHREADINFO gui{sizeof gui};
  GetGUIThreadInfo(GetWindowThreadProcessId(app.form1, nullptr), &gui);
  EXPECT_TRUE(!panelOf(gui.hwndFocus) || panelOf(gui.hwndFocus) == onView) << ToAnsi(shot);
  HWND first = GetNextDlgTabItem(app.form1, nullptr, FALSE), stop = first;
  for (int n = 0; stop && n < 64; ++n) {
    EXPECT_TRUE(!panelOf(stop) || panelOf(stop) == onView) << ToAnsi(shot) << ": control " << GetDlgCtrlID(stop);
    stop = GetNextDlgTabItem(app.form1, stop, FALSE);
    if (stop == first) break;
  }
}

// Each page comes on view from its tab, each tool panel from its Toolbox
// button, and goes with its back button; a screenshot of each. The keyboard
// reaches only what is on view.
TEST(Shell, EveryPageAndPanelComesOnViewAndGoes) {
  struct Step {
    int tab, open, panel, back;
    const wchar_t* shot;
  };
  const Step steps[] = {
      {0, 0, app::PicHome, 0, L"home"},
      {1, 0, app::PicClean, 0, L"cleaner"},
      {3, 0, app::Picture2, 0, L"option"},
      {2, 0, app::PicTool, 0, L"toolbox"},
      {2, app::oxbutton5, app::Picture4, registry::oxbutton14, L"registry"},
      {2, app::oxbutton4, app::Picture3, guard::oxbutton7, L"logger"},
      {2, app::oxbutton8, app::PicTask, guard::oxbutton9, L"process-viewer"},
      {2, app::oxbutton17, app::PicKeyBlock, guard::oxbutton18, L"keywords"},
      {2, app::oxbutton15, app::PicURL, shortener::oxbutton16, L"url"},
  };
  const Shared& app = App();
  ASSERT_TRUE(app.form1) << "the main window never came up";
  EXPECT_TRUE(app.splashSpinnerTurned);
  for (const Step& s : steps) {
    OnTab(s.tab);
    if (s.open) Click(app.C(s.open));
    EXPECT_TRUE(WaitFor([&] { return OnView(app.C(s.panel)); })) << ToAnsi(s.shot);
    ExpectKeyboardOnlyOnView(app, app.C(s.panel), s.shot);
    Screenshot(app.form1, s.shot);
    if (s.back) Click(app.C(s.back));
    EXPECT_TRUE(!s.back || WaitFor([&] { return !IsWindowVisible(app.C(s.panel)); })) << ToAnsi(s.shot);
  }
}

// "About" opens the About window; ">" shows the versions of the parts, "X"
// unloads it.
TEST(Shell, AboutShowsBothPanelsAndGoes) {
  const Shared& app = App();
  OnTab(0);
  Click(app.C(app::oxbutton10));
  HWND about = app.program.WaitWindow(L"About", true);
  ASSERT_TRUE(about);
  Screenshot(about, L"about");
  HWND versions = ControlById(about, app::Form3::Picture1);
  EXPECT_FALSE(IsWindowVisible(versions));
  Click(ControlById(about, app::Form3::oxbutton1));
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(versions) != FALSE; }));
  EXPECT_EQ(ListBoxLines(ControlById(versions, app::Form3::List1)).front(), L"Engine Version : 3.1.1.4");
  Screenshot(about, L"about-versions");
  Click(ControlById(about, app::Form3::oxbutton3));
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); }));
}

// A second copy shows "2 Proccess" and ends: no splash, no window, no second
// icon, nothing written.
TEST(Shell, ASecondCopyShowsItsBoxAndNothingElse) {
  const Shared& app = App();
  const std::string log = app.program.Log();
  Program second(app.program.Folder(), {}, false);
  HWND box = second.WaitBox(15000);
  ASSERT_TRUE(box);
  Screenshot(box, L"second-copy");
  EXPECT_EQ(TextOf(box), L"2 Proccess");
  EXPECT_EQ(BoxText(box), L"Aplication Is Runing...");
  EXPECT_FALSE(IsWindowVisible(second.Window(L"Form2")));
  EXPECT_FALSE(second.Window(L"VexaUtility Solace"));
  AnswerOk(box);
  EXPECT_TRUE(second.WaitExit());
  EXPECT_EQ(app.program.Log(), log);
  EXPECT_TRUE(app.program.Running() && app.program.TrayIconPresent());
}

}  // namespace
}  // namespace vexa::e2e
