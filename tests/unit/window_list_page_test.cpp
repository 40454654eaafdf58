#include "guard/window_list_page.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_desktop.h"
#include "tests/fakes/fake_guard_ui.h"
#include "tests/fakes/fake_ui.h"

namespace vexa::guard {
namespace {

class WindowListPageTest : public ::testing::Test {
 protected:
  fakes::FakeDesktop desktop;
  fakes::FakeWindowLines list1;
  fakes::FakeToggle chk1{1};
  fakes::FakeToggle chk2{0};
  fakes::FakeEventPump pump;
  WindowListPage page{desktop, list1, chk1, chk2, pump};

  void SetUp() override {
    desktop.windows = {
        {0x10, L"Untitled - Notepad", L"Notepad", true},
        {0x20, L"", L"Shell_TrayWnd", true},
        {0x30, L"Hidden helper", L"HelperClass", false},
        {0x40, L"", L"tooltips_class32", false},
    };
  }
  std::vector<std::wstring> Lines() const {
    std::vector<std::wstring> out;
    for (const auto& l : list1.lines) out.push_back(l.text);
    return out;
  }
};

TEST(WindowListFilter, TableOfTheTwoBoxes) {
  struct Row {
    int chk1, chk2;
    bool visibleListed, hiddenListed;
  } rows[] = {
      {1, 1, true, true},   {1, 0, true, false},  {0, 1, false, true}, {0, 0, false, false},
      {1, 2, true, false},  // both ticked but no bit in common: chk1's rule
      {2, 1, true, false},  {2, 2, true, true},   {0, 2, false, true},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(WindowListPage::IsListed(r.chk1, r.chk2, true), r.visibleListed) << r.chk1 << "," << r.chk2;
    EXPECT_EQ(WindowListPage::IsListed(r.chk1, r.chk2, false), r.hiddenListed) << r.chk1 << "," << r.chk2;
  }
}

TEST_F(WindowListPageTest, DesignBoxesListVisibleWindowsInZOrderWithTheirHandles) {
  page.cmdRefresh_Click();
  EXPECT_EQ(Lines(), (std::vector<std::wstring>{L"Untitled - Notepad (Notepad)", L" (Shell_TrayWnd)"}));
  EXPECT_EQ(list1.lines[0].data, 0x10u);
  EXPECT_EQ(list1.lines[1].data, 0x20u);
  EXPECT_EQ(pump.calls, 4);  // after every window, listed or not
}

TEST_F(WindowListPageTest, BoxesAreReadAtEachRefresh) {
  chk1.value = 0;
  chk2.value = 1;
  page.cmdRefresh_Click();
  EXPECT_EQ(Lines(), (std::vector<std::wstring>{L"Hidden helper (HelperClass)", L" (tooltips_class32)"}));
  chk1.value = 1;
  page.cmdRefresh_Click();
  EXPECT_EQ(list1.lines.size(), 4u);
  chk1.value = 0;
  chk2.value = 0;
  page.cmdRefresh_Click();
  EXPECT_TRUE(list1.lines.empty());
}

TEST_F(WindowListPageTest, RefreshPressedWhileTheListFillsAddsNothingTwice) {
  int nested = 0;
  pump.pending = [&] {
    if (nested++ < 3) page.cmdRefresh_Click();
  };
  page.cmdRefresh_Click();
  EXPECT_EQ(Lines(), (std::vector<std::wstring>{L"Untitled - Notepad (Notepad)", L" (Shell_TrayWnd)"}));
}

TEST_F(WindowListPageTest, LongTitlesAreCutLikeTheirBuffers) {
  desktop.windows = {{0x50, std::wstring(300, L'a'), std::wstring(L"Cls\0junk", 8), true}};
  page.cmdRefresh_Click();
  EXPECT_EQ(Lines()[0], std::wstring(254, L'a') + L" (Cls)");
}

TEST_F(WindowListPageTest, EndTaskClosesTheChosenWindowEachTimeAndNothingBeforeAChoice) {
  page.cmdEndTsk_Click();
  EXPECT_TRUE(desktop.closed.empty());
  page.cmdRefresh_Click();
  page.List1_Click();  // nothing selected: nothing chosen
  EXPECT_EQ(page.SelectedWindow(), 0u);
  list1.selected = 1;
  page.List1_Click();
  page.cmdEndTsk_Click();
  page.cmdRefresh_Click();  // a refresh keeps the choice
  page.cmdEndTsk_Click();
  EXPECT_EQ(desktop.closed, (std::vector<WindowId>{0x20, 0x20}));
}

}  // namespace
}  // namespace vexa::guard
