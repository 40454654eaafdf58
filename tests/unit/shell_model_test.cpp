#include <gtest/gtest.h>

#include "app/model/navigation.h"
#include "app/model/tray_record.h"

namespace vexa::app {
namespace {

TEST(Navigation, OpensOnHomeWithNoTabBold) {
  Navigation nav;
  EXPECT_EQ(nav.PageOnView(), Panel::PicHome);
  EXPECT_EQ(nav.SelectedTab(), -1);
  EXPECT_EQ(nav.Title(), L"Home");
  EXPECT_TRUE(nav.Visible(Panel::PicClean));  // visible under PicHome
  EXPECT_TRUE(nav.Visible(Panel::PicKeyBlock));
}

TEST(Navigation, CleanerThenHomeShowsHomeOverTheStillVisibleCleaner) {
  Navigation nav;
  nav.Image1_Click(1);
  EXPECT_EQ(nav.PageOnView(), Panel::PicClean);
  EXPECT_EQ(nav.Title(), L"Cleaner");
  nav.Image1_Click(0);
  EXPECT_EQ(nav.PageOnView(), Panel::PicHome);
  EXPECT_TRUE(nav.Visible(Panel::PicClean));
}

TEST(Navigation, ToolboxThenOptionShowsOptionOverTheToolbox) {
  Navigation nav;
  nav.Image1_Click(2);
  EXPECT_EQ(nav.PageOnView(), Panel::PicTool);
  nav.Image1_Click(3);
  EXPECT_EQ(nav.PageOnView(), Panel::Picture2);
  EXPECT_TRUE(nav.Visible(Panel::PicTool));
  EXPECT_FALSE(nav.Visible(Panel::PicClean));
  EXPECT_EQ(nav.Title(), L"Other Option");
  EXPECT_STREQ(kTabCaptions[3], L"Option");
  EXPECT_EQ(nav.SelectedTab(), 3);
}

TEST(Navigation, OptionThenCleanerThenToolbox) {
  Navigation nav;
  nav.Image1_Click(3);
  nav.Image1_Click(1);  // hides Picture2 and PicTool, shows PicClean
  EXPECT_EQ(nav.PageOnView(), Panel::PicClean);
  nav.Image1_Click(2);
  EXPECT_EQ(nav.PageOnView(), Panel::PicTool);
}

TEST(Navigation, IndexOutsideTheTabsDoesNothing) {
  Navigation nav;
  nav.Image1_Click(4);
  nav.Image1_Click(-1);
  EXPECT_EQ(nav.SelectedTab(), -1);
  EXPECT_EQ(nav.PageOnView(), Panel::PicHome);
}

TEST(Navigation, RegistryPanelStaysOpenAcrossTabs) {
  Navigation nav;
  nav.Image1_Click(2);
  nav.oxbutton5_Click();
  EXPECT_EQ(nav.ToolOnView(), Panel::Picture4);
  nav.Image1_Click(0);
  nav.Image1_Click(2);
  EXPECT_EQ(nav.PageOnView(), Panel::PicTool);
  EXPECT_EQ(nav.ToolOnView(), Panel::Picture4);
  nav.oxbutton14_Click();
  EXPECT_EQ(nav.ToolOnView(), Panel::PicTool);
}

TEST(Navigation, UrlShortnerAfterKeywordBlockerHidesTheKeywordPanel) {
  Navigation nav;
  nav.oxbutton17_Click();
  EXPECT_EQ(nav.ToolOnView(), Panel::PicKeyBlock);
  nav.oxbutton15_Click();
  EXPECT_EQ(nav.ToolOnView(), Panel::PicURL);
  nav.oxbutton17_Click();
  nav.BackFromUrl();  // "<< Back" on the keyword panel
  EXPECT_EQ(nav.ToolOnView(), Panel::PicTool);
}

TEST(Navigation, ProcessViewerLiesOverTheLoggerBlocker) {
  Navigation nav;
  nav.oxbutton8_Click();
  EXPECT_EQ(nav.ToolOnView(), Panel::PicTask);
  nav.BackFromLogger();
  EXPECT_EQ(nav.ToolOnView(), Panel::PicTool);
  nav.oxbutton4_Click();
  EXPECT_EQ(nav.ToolOnView(), Panel::Picture3);
  nav.oxbutton15_Click();  // the URL panel lies over the logger blocker
  EXPECT_EQ(nav.ToolOnView(), Panel::PicURL);
}

TEST(LevelRating, ThresholdsAroundFortyAndEighty) {
  EXPECT_EQ(RateLevel(39).caption, L"Bad");
  EXPECT_EQ(RateLevel(39).color, 0x0000FFu);
  EXPECT_EQ(RateLevel(40).caption, L"Good");
  EXPECT_EQ(RateLevel(79).caption, L"Good");
  EXPECT_EQ(RateLevel(79).color, 0x00FFFFu);
  EXPECT_FALSE(RateLevel(80).changes);
  EXPECT_EQ(RateLevel(81).caption, L"OK");
  EXPECT_EQ(RateLevel(81).color, 0x00FF00u);
  EXPECT_EQ(RateLevel(0).caption, L"Bad");
  EXPECT_EQ(RateLevel(100).caption, L"OK");
  EXPECT_EQ(LevelText(80), L"80 %");
  EXPECT_EQ(LevelText(0), L"0 %");
}

TEST(TrayRecord, LaidOutAsTheShellsAnsiRecord) {
  TrayIconData d = MakeTrayIconData(0x1234, "VexaUtility", 0xABCD);
  auto b = d.Bytes();
  auto u32 = [&](int off) { return b[off] | b[off + 1] << 8 | b[off + 2] << 16 | static_cast<unsigned>(b[off + 3]) << 24; };
  EXPECT_EQ(u32(0), 88u);
  EXPECT_EQ(u32(4), 0x1234u);
  EXPECT_EQ(u32(8), 1u);
  EXPECT_EQ(u32(12), 7u);
  EXPECT_EQ(u32(16), 0x200u);
  EXPECT_EQ(u32(20), 0xABCDu);
  std::string tip(b.begin() + 24, b.end());
  EXPECT_EQ(tip, std::string("VexaUtility") + '\0' + std::string(52, ' '));
}

TEST(TrayRecord, LongTipIsCutAtSixtyFourWithoutNul) {
  std::string tip(70, 'x');
  auto b = MakeTrayIconData(1, tip, 2).Bytes();
  EXPECT_EQ(std::string(b.begin() + 24, b.end()), std::string(64, 'x'));
}

TEST(TrayRecord, OnlyRightButtonUpAndLeftDoubleClickAct) {
  EXPECT_EQ(DecodeTrayNotification(0x205), TrayAction::ShowMenu);
  EXPECT_EQ(DecodeTrayNotification(0x203), TrayAction::ShowMainWindow);
  for (unsigned m : {0x200u, 0x201u, 0x202u, 0x204u, 0x206u, 0u})
    EXPECT_EQ(DecodeTrayNotification(m), TrayAction::None) << m;
}

}  // namespace
}  // namespace vexa::app
