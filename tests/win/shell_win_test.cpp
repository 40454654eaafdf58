// The main window and the skinned controls in this process, through their
// messages: fonts, captions, ratings, clamps and clicks.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/app_context.h"
#include "app/form1.h"
#include "app/tray/mod_tray.h"
#include "app/win/adapters.h"
#include "controls/win32/controls.h"

namespace vexa::app {
namespace {

void Pump() {
  MSG msg;
  for (int i = 0; i < 200 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

LONG WeightOf(HWND label) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
  LOGFONTW lf{};
  GetObjectW(font, sizeof lf, &lf);
  return lf.lfWeight;
}

class Form1Test : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    app = new AppContext();
    form = new Form1(*app);
    form->Form_Initialize();
  }
  static void TearDownTestSuite() {
    delete form;
    delete app;
  }
  HWND C(ControlId id) { return form->Control(id); }
  // A user's left click on the navigation row of a tab.
  void ClickTab(int index) {
    int dpi = DpiOf(form->hwnd());
    SendMessageW(form->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(TwipsToPixels(900, dpi), TwipsToPixels(kTabTops[index] + 100, dpi)));
  }
  void Tick6() { SendMessageW(form->hwnd(), WM_TIMER, Timer6, 0); }

  static AppContext* app;
  static Form1* form;
};
AppContext* Form1Test::app = nullptr;
Form1* Form1Test::form = nullptr;

TEST_F(Form1Test, WindowIsBorderlessAtItsDesignSizeAndCaption) {
  HWND h = form->hwnd();
  EXPECT_EQ(WindowTextOf(h), L"VexaUtility Solace");
  EXPECT_FALSE(GetWindowLongW(h, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
  RECT rc;
  GetClientRect(h, &rc);
  int dpi = DpiOf(h);
  EXPECT_EQ(rc.right, TwipsToPixels(11880, dpi));
  EXPECT_EQ(rc.bottom, TwipsToPixels(7590, dpi));
  EXPECT_FALSE(IsWindowVisible(h)) << "loaded hidden";
}

TEST_F(Form1Test, EveryDesignControlExistsWithItsCaption) {
  for (const ControlSpec& s : Form1Layout()) {
    HWND h = C(s.id);
    ASSERT_TRUE(h) << s.id;
    if (s.kind != Kind::ListBox && s.kind != Kind::ListView && s.kind != Kind::HScroll) {
      EXPECT_EQ(WindowTextOf(h), s.caption) << s.id;
    }
  }
  EXPECT_EQ(SendMessageW(C(List2), LB_GETCOUNT, 0, 0), 11);
  EXPECT_EQ(SendMessageW(C(chk1), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(C(chk2), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(C(ck2), BM_GETCHECK, 0, 0), 0);
  EXPECT_EQ(SendMessageW(C(ckStar), BM_GETCHECK, 0, 0), 1);
  EXPECT_EQ(SendMessageW(C(Option3), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_FALSE(IsWindowEnabled(C(oxbutton2)));
  EXPECT_FALSE(IsWindowEnabled(C(oxbutton13)));
  EXPECT_EQ(SendMessageW(C(PB1), PBM_GETRANGE, FALSE, 0), 200);
}

TEST_F(Form1Test, SelectedTabCaptionIsBoldAndTheOthersNormal) {
  for (int i = 0; i < 4; ++i)
    EXPECT_LT(WeightOf(C(static_cast<ControlId>(Label1_0 + i))), FW_BOLD) << "none bold before a click";
  ClickTab(2);
  EXPECT_EQ(WeightOf(C(Label1_2)), FW_BOLD);
  EXPECT_LT(WeightOf(C(Label1_0)), FW_BOLD);
  EXPECT_EQ(WindowTextOf(C(Label2)), L"Toolbox");
  EXPECT_TRUE(IsWindowVisible(C(PicTool)) || (GetWindowLongW(C(PicTool), GWL_STYLE) & WS_VISIBLE));
  ClickTab(3);
  EXPECT_EQ(WeightOf(C(Label1_3)), FW_BOLD);
  EXPECT_LT(WeightOf(C(Label1_2)), FW_BOLD);
  EXPECT_EQ(WindowTextOf(C(Label2)), L"Other Option");
  // A click on the caption itself selects the tab as well.
  SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(Label1_0, STN_CLICKED), reinterpret_cast<LPARAM>(C(Label1_0)));
  EXPECT_EQ(WindowTextOf(C(Label2)), L"Home");
  EXPECT_EQ(form->Nav().SelectedTab(), 0);
}

TEST_F(Form1Test, LevelRatingFollowsTheScrollBarAndOverwritesTypedText) {
  HWND bar = C(BLog);
  auto set = [&](int v) {
    SendMessageW(bar, SBM_SETPOS, v, TRUE);
    Tick6();
  };
  set(39);
  EXPECT_EQ(WindowTextOf(C(Label28)), L"Bad");
  EXPECT_EQ(WindowTextOf(C(Text1)), L"39 %");
  set(80);
  EXPECT_EQ(WindowTextOf(C(Label28)), L"Bad") << "at exactly 80 the rating stays";
  EXPECT_EQ(WindowTextOf(C(Text1)), L"80 %");
  set(40);
  EXPECT_EQ(WindowTextOf(C(Label28)), L"Good");
  set(81);
  EXPECT_EQ(WindowTextOf(C(Label28)), L"OK");
  SetWindowTextW(C(Text1), L"typed");
  Tick6();
  EXPECT_EQ(WindowTextOf(C(Text1)), L"81 %");
  // The scroll bar moves with its arrows and stays within 0..100.
  SendMessageW(form->hwnd(), WM_HSCROLL, SB_RIGHT, reinterpret_cast<LPARAM>(bar));
  SendMessageW(form->hwnd(), WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(SendMessageW(bar, SBM_GETPOS, 0, 0), 100);
  SendMessageW(form->hwnd(), WM_HSCROLL, SB_PAGELEFT, reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(SendMessageW(bar, SBM_GETPOS, 0, 0), 90);
  SendMessageW(bar, SBM_SETPOS, 80, TRUE);
}

TEST_F(Form1Test, HideAndMinimiseButtons) {
  form->ShowMain();
  Pump();
  EXPECT_TRUE(IsWindowVisible(form->hwnd()));
  SendMessageW(C(oxbutton6), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowVisible(form->hwnd()));
  form->ShowMain();
  SendMessageW(form->hwnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(form->hwnd())) << "closing hides; the window stays loaded";
  EXPECT_TRUE(IsWindow(form->hwnd()));
}

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    controls::RegisterAll(GetModuleHandleW(nullptr));
    parent = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override { DestroyWindow(parent); }
  HWND Make(const wchar_t* cls, int id, DWORD extra = 0) {
    return CreateWindowExW(0, cls, L"cap", WS_CHILD | WS_VISIBLE | extra, 0, 0, 60, 20, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  }
  HWND parent = nullptr;
};

TEST_F(ControlsTest, ProgressBarXpReadsBackAboveMaxAsMax) {
  WinProgressBar bar(Make(controls::kProgressXpClass, 1));
  SendMessageW(GetDlgItem(parent, 1), PBM_SETRANGE32, 0, 200);
  bar.SetValue(150);
  EXPECT_EQ(bar.Value(), 150);
  bar.SetValue(202);
  EXPECT_EQ(bar.Value(), 200);
  EXPECT_EQ(bar.Min(), 0);
  EXPECT_EQ(bar.Max(), 200);
}

TEST_F(ControlsTest, ToggleFlipsOnLeftClickOnlyAndNotWhenDisabled) {
  HWND h = Make(controls::kCheckboxClass, 2);
  WinToggle t(h);
  EXPECT_EQ(t.Value(), 0);
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(t.Value(), 1);
  SendMessageW(h, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  SendMessageW(h, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(t.Value(), 1);
  t.SetValue(2);
  SendMessageW(h, BM_CLICK, 0, 0);
  EXPECT_EQ(t.Value(), 1) << "any value but 1 is off; a click turns it on";
  t.SetEnabled(false);
  SendMessageW(h, BM_CLICK, 0, 0);
  EXPECT_EQ(t.Value(), 1);
}

TEST_F(ControlsTest, SpinnerPlaysAndStops) {
  WinSpinner s(Make(controls::kSpinnerClass, 3));
  EXPECT_FALSE(s.IsPlaying());
  s.PlayWait();
  EXPECT_TRUE(s.IsPlaying());
  s.StopWait();
  EXPECT_FALSE(s.IsPlaying());
}

TEST_F(ControlsTest, OxButtonClicksOnlyWhenReleasedInsideAndEnabled) {
  HWND h = Make(controls::kOxButtonClass, 4);
  int clicks = 0;
  SetWindowSubclass(
      parent,
      [](HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) -> LRESULT {
        if (m == WM_COMMAND && HIWORD(wp) == BN_CLICKED) ++*reinterpret_cast<int*>(ref);
        return DefSubclassProc(w, m, wp, lp);
      },
      1, reinterpret_cast<DWORD_PTR>(&clicks));
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(clicks, 1);
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(500, 5));  // released outside
  EXPECT_EQ(clicks, 1);
  EnableWindow(h, FALSE);
  SendMessageW(h, BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(WindowTextOf(h), L"cap");
}

TEST_F(ControlsTest, VistaBarEnableReadsBack) {
  WinAnimatedBar bar(Make(controls::kVistaClass, 5));
  EXPECT_FALSE(bar.Enable());
  bar.SetEnable(true);
  EXPECT_TRUE(bar.Enable());
  bar.SetEnable(false);
  EXPECT_FALSE(bar.Enable());
}

TEST(TrayIcon, AddsWithTheRecordsValuesAndRemoves) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"Form2", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ModTray tray;
  bool added = tray.AddTrayIcon(owner, L"VexaUtility", LoadIconW(nullptr, IDI_APPLICATION));
  EXPECT_EQ(tray.Record().uCallbackMessage, 0x200u);
  EXPECT_EQ(tray.Record().uFlags, 7u);
  EXPECT_EQ(std::string(tray.Record().szTip.data(), 11), "VexaUtility");
  if (added) {
    NOTIFYICONDATAW nid{sizeof nid};
    nid.hWnd = owner;
    nid.uID = 1;
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &nid));
    tray.RemoveTrayIcon();
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &nid));
  }
  DestroyWindow(owner);
}

}  // namespace
}  // namespace vexa::app
