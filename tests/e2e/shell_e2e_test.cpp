// The shell as a user meets it: splash, tray, main window, tabs and panels,
// the single running copy, and "Exit".
#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "tests/e2e/driver.h"

namespace vexa::e2e {
namespace {

using namespace vexa::app;

// Pixels of a twips position at the window's DPI.
int Px(HWND w, int twips) {
  HDC dc = GetDC(w);
  int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(w, dc);
  return MulDiv(twips, dpi, 1440);
}

void ClickTab(HWND form1, int index) {
  static const int tops[4] = {1920, 2640, 3240, 3840};
  ClickAt(form1, Px(form1, 800), Px(form1, tops[index] + 100));
}

// Started once the splash has ended and the main window is shown.
class ShownProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    program = std::make_unique<Program>(Scratch(L"shell"));
    ASSERT_TRUE(program->WaitWindow(L"Form2", true, 15000)) << "the splash never showed";
    ASSERT_TRUE(program->WaitWindow(L"Form2", false, 8000)) << "the splash never ended";
    ASSERT_TRUE(WaitFor([&] { return program->TrayIconPresent(); }, 5000));
    ASSERT_TRUE(program->TrayMenu(1));
    form1 = program->WaitWindow(L"VexaUtility Solace", true, 5000);
    ASSERT_TRUE(form1);
  }
  HWND C(int id) const { return ControlById(form1, id); }
  bool View(int parent, int child) const { return OnView(parent == 0 ? form1 : C(parent), C(child)); }
  bool Settle() const { Sleep(150); return true; }

  std::unique_ptr<Program> program;
  HWND form1 = nullptr;
};

TEST(ShellStart, SplashThenOnlyTheTrayIconAndAFreshLog) {
  Program p(Scratch(L"start"));
  HWND splash = p.WaitWindow(L"Form2", true, 15000);
  ASSERT_TRUE(splash);
  Screenshot(splash, L"splash");
  HWND form1 = p.Form1();
  ASSERT_TRUE(form1) << "the main window is loaded during the splash";
  EXPECT_FALSE(IsWindowVisible(form1));
  EXPECT_TRUE(p.WaitWindow(L"Form2", false, 8000));
  EXPECT_TRUE(WaitFor([&] { return p.TrayIconPresent(); }, 5000));
  EXPECT_FALSE(IsWindowVisible(p.Form1()));
  EXPECT_EQ(ReadFileBytes(p.LogPath()), "[VexaTools Utility]\r\n");
}

TEST_F(ShownProgram, ShowOpensTheHomePage) {
  Screenshot(form1, L"home");
  EXPECT_TRUE(View(0, PicHome));
  EXPECT_TRUE(IsWindowVisible(C(PicClean)));
  EXPECT_EQ(TextOf(C(Label2)), L"Home");
  EXPECT_EQ(TextOf(C(Label1_3)), L"Option");
  EXPECT_EQ(TextOf(C(Label20)), L"VexaUtilities");
  EXPECT_EQ(TextOf(C(Label39)), L"View All Proccess Windows && Hidden Proccess");
  // "Show" again leaves it shown.
  ASSERT_TRUE(program->TrayMenu(1));
  EXPECT_TRUE(IsWindowVisible(form1));
}

TEST_F(ShownProgram, TabsShowThePagesTheStackingRulesSay) {
  ClickTab(form1, 1);
  ASSERT_TRUE(WaitFor([&] { return View(0, PicClean); }));
  EXPECT_EQ(TextOf(C(Label2)), L"Cleaner");
  Screenshot(form1, L"cleaner");
  ClickTab(form1, 0);
  ASSERT_TRUE(WaitFor([&] { return View(0, PicHome); }));
  EXPECT_TRUE(IsWindowVisible(C(PicClean)));  // still visible, covered
  ClickTab(form1, 2);
  ASSERT_TRUE(WaitFor([&] { return View(0, PicTool); }));
  Screenshot(form1, L"toolbox");
  ClickTab(form1, 3);
  ASSERT_TRUE(WaitFor([&] { return View(0, Picture2); }));
  EXPECT_TRUE(IsWindowVisible(C(PicTool)));
  EXPECT_EQ(TextOf(C(Label2)), L"Other Option");
  EXPECT_EQ(TextOf(C(Text1)), L"80 %");
  EXPECT_EQ(TextOf(C(Label28)), L"OK");
  Screenshot(form1, L"option");
}

TEST_F(ShownProgram, ToolPanelsOpenCloseAndPersistAcrossTabs) {
  ClickTab(form1, 2);
  ASSERT_TRUE(WaitFor([&] { return View(0, PicTool); }));
  Click(C(oxbutton5));
  ASSERT_TRUE(WaitFor([&] { return View(PicTool, Picture4); }));
  Screenshot(form1, L"registry-panel");
  ClickTab(form1, 0);
  ASSERT_TRUE(WaitFor([&] { return View(0, PicHome); }));
  ClickTab(form1, 2);
  ASSERT_TRUE(WaitFor([&] { return View(0, PicTool); }));
  EXPECT_TRUE(View(PicTool, Picture4)) << "the registry panel stays open across tabs";
  Click(C(oxbutton14));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(C(Picture4)); }));

  Click(C(oxbutton17));
  ASSERT_TRUE(WaitFor([&] { return View(PicTool, PicURL) && IsWindowVisible(C(PicKeyBlock)); }));
  Screenshot(form1, L"keyword-panel");
  Click(C(oxbutton18));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(C(PicURL)); })) << "back on the keyword panel";
  Click(C(oxbutton17));
  Click(C(oxbutton15));
  ASSERT_TRUE(WaitFor([&] { return View(PicTool, PicURL) && !IsWindowVisible(C(PicKeyBlock)); }));
  Screenshot(form1, L"url-panel");
  Click(C(oxbutton16));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(C(PicURL)); }));

  Click(C(oxbutton4));
  ASSERT_TRUE(WaitFor([&] { return View(PicTool, Picture3) && !IsWindowVisible(C(PicTask)); }));
  Screenshot(form1, L"logger-panel");
  Click(C(oxbutton7));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(C(Picture3)); }));
  Click(C(oxbutton8));
  ASSERT_TRUE(WaitFor([&] { return View(PicTool, Picture3) && View(Picture3, PicTask); }));
  Screenshot(form1, L"process-panel");
  Click(C(oxbutton9));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(C(Picture3)); }));
}

TEST_F(ShownProgram, HideMinimiseAndAHiddenWindowComesBackFromTheTray) {
  Click(C(oxbutton6));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(form1); }));
  ASSERT_TRUE(program->TrayMenu(1));
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(form1) != FALSE; }));
  Click(C(oxbutton11));
  EXPECT_TRUE(WaitFor([&] { return IsIconic(form1) != FALSE; }));
  // A left double-click on the icon restores it.
  PostMessageW(program->Form2(), WM_MOUSEMOVE, 0, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitFor([&] { return !IsIconic(form1) && IsWindowVisible(form1); }));
}

TEST_F(ShownProgram, RightButtonOnADragHandleDoesNotMoveTheWindow) {
  RECT before, after;
  GetWindowRect(form1, &before);
  PostMessageW(form1, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(Px(form1, 6000), Px(form1, 300)));
  PostMessageW(form1, WM_RBUTTONUP, 0, MAKELPARAM(Px(form1, 6000), Px(form1, 300)));
  Settle();
  GetWindowRect(form1, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
}

TEST(ShellStart, ASecondCopyShowsTheBoxAndNothingElse) {
  Program first(Scratch(L"second"));
  ASSERT_TRUE(first.WaitWindow(L"Form2", false, 20000) && WaitFor([&] { return first.TrayIconPresent(); }));
  std::string logBefore = ReadFileBytes(first.LogPath());
  Program second(first, 0);
  HWND box = second.WaitMessageBox(10000);
  ASSERT_TRUE(box);
  Screenshot(box, L"second-copy");
  EXPECT_EQ(TextOf(box), L"2 Proccess");
  EXPECT_EQ(MessageBoxText(box), L"Aplication Is Runing...");
  HWND splash = second.Form2();
  EXPECT_TRUE(!splash || !IsWindowVisible(splash)) << "no splash for the second copy";
  AnswerOk(box);
  EXPECT_TRUE(second.WaitExit(8000));
  EXPECT_EQ(ReadFileBytes(first.LogPath()), logBefore);
  EXPECT_TRUE(first.Running());
}

TEST(ShellStart, ExitEndsTheProgramAndRemovesTheIcon) {
  Program p(Scratch(L"exit"));
  ASSERT_TRUE(p.WaitWindow(L"Form2", false, 20000) && WaitFor([&] { return p.TrayIconPresent(); }));
  HWND owner = p.Form2();
  ASSERT_TRUE(p.TrayMenu(2));
  EXPECT_TRUE(p.WaitExit(5000));
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof nid;
  nid.hWnd = owner;
  nid.uID = 1;
  EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &nid)) << "no dead icon left behind";
}

}  // namespace
}  // namespace vexa::e2e

namespace vexa::e2e {
namespace {

TEST_F(ShownProgram, AboutShowsOnceAndOpensFreshAfterX) {
  Click(C(oxbutton10));
  HWND about = program->WaitWindow(L"About", true, 5000);
  ASSERT_TRUE(about);
  Screenshot(about, L"about");
  constexpr int kPicture1 = 20, kOx1 = 22, kOx2 = 23, kOx3 = 24;
  EXPECT_EQ(TextOf(ControlById(about, 11)), L"Cleanner && Additional Tools");
  ASSERT_TRUE(ClickAndWait(ControlById(about, kOx1)));  // ">"
  EXPECT_TRUE(IsWindowVisible(ControlById(about, kPicture1)));
  EXPECT_FALSE(IsWindowEnabled(ControlById(about, kOx1)));
  EXPECT_TRUE(IsWindowEnabled(ControlById(about, kOx2)));
  Click(C(oxbutton10));  // a second "About" shows the same window
  Sleep(200);
  EXPECT_EQ(program->Window(L"About"), about);
  Click(ControlById(about, kOx3));  // "X" with the panel open
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(about); }));
  Click(C(oxbutton10));
  HWND fresh = program->WaitWindow(L"About", true, 5000);
  ASSERT_TRUE(fresh);
  EXPECT_FALSE(IsWindowVisible(ControlById(fresh, kPicture1)));
  EXPECT_TRUE(IsWindowEnabled(ControlById(fresh, kOx1)));
  EXPECT_FALSE(IsWindowEnabled(ControlById(fresh, kOx2)));
}

}  // namespace
}  // namespace vexa::e2e
