#include "guard/keyword_watch_page.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_desktop.h"
#include "tests/fakes/fake_guard_ui.h"
#include "tests/fakes/fake_ui.h"

namespace vexa::guard {
namespace {

class KeywordWatchTest : public ::testing::Test {
 protected:
  fakes::FakeDesktop desktop;
  fakes::FakeTitleAlert alert;
  fakes::FakeStringList list2{KeywordWatchPage::DesignKeywords()};
  fakes::FakeCaption text2;
  fakes::FakeCaption text3{KeywordWatchPage::DesignMessage()};
  fakes::FakeToggle ckWatch{1};
  fakes::FakeTimer timer8{1000, true};
  fakes::FakeMessageBoxes boxes;
  KeywordWatchPage page{desktop, alert, {list2, text2, text3, ckWatch, timer8, boxes}};

  void Foreground(const std::wstring& title) {
    desktop.windows = {{0x99, title, L"Cls", true}};
    desktop.foreground = 0x99;
  }
  bool Matches(const std::wstring& title, const std::wstring& keyword) {
    return KeywordWatchPage::TitleHasKeyword(desktop, title, keyword);
  }
};

TEST_F(KeywordWatchTest, StartsWithTheElevenDesignKeywordsAndAFiveSecondWatch) {
  EXPECT_EQ(KeywordWatchPage::DesignKeywords(),
            (std::vector<std::wstring>{L"ANJING", L"BABI", L"Ngepet", L"TAI", L"Bangsat", L"FUCK", L"MONYET",
                                       L"MONKEY", L"BANGKE", L"KON", L"TOL"}));
  EXPECT_EQ(KeywordWatchPage::DesignMessage(), L"jangan coba-coba berkata kasar bro\r\n");
  page.Form_Initialize();
  EXPECT_EQ(timer8.interval, 5000u);
}

TEST_F(KeywordWatchTest, MatchIgnoresCaseAndFindsKeywordsInsideWords) {
  EXPECT_TRUE(Matches(L"Ini babi", L"BABI"));
  EXPECT_TRUE(Matches(L"xxBaBiyy", L"BABI"));
  EXPECT_TRUE(Matches(L"BABI", L"babi"));
  EXPECT_FALSE(Matches(L"BAB I", L"BABI"));
  EXPECT_TRUE(Matches(L"any title", L""));  // the empty keyword matches everything
  EXPECT_TRUE(Matches(L"", L""));
  EXPECT_FALSE(Matches(L"", L"TOL"));
  EXPECT_TRUE(Matches(L"Message", L"SAG"));  // the alert's own title
}

TEST_F(KeywordWatchTest, OnlyTheFirst254CharactersOfATitleAreSearched) {
  std::wstring title(250, L'.');
  EXPECT_TRUE(Matches(title + L"babi", L"BABI"));         // ends at 254
  EXPECT_FALSE(Matches(title + L".babi", L"BABI"));       // ends at 255
}

TEST_F(KeywordWatchTest, EachTickTestsTheForegroundTitleAndShowsTheCurrentMessage) {
  Foreground(L"Chat - monyet kon");
  page.Timer8_Timer();
  ASSERT_EQ(alert.shown.size(), 2u);  // MONYET and KON each raise it
  EXPECT_EQ(alert.shown[0], KeywordWatchPage::DesignMessage());
  text3.text = L"Stop it";
  page.Timer8_Timer();
  EXPECT_EQ(alert.shown.back(), L"Stop it");  // no memory between ticks
  EXPECT_EQ(alert.shown.size(), 4u);

  Foreground(L"Calculator");
  page.Timer8_Timer();
  EXPECT_EQ(alert.shown.size(), 4u);
  desktop.foreground = 0;  // no foreground window: an empty title
  page.Timer8_Timer();
  EXPECT_EQ(alert.shown.size(), 4u);
  list2.Add(L"");
  page.Timer8_Timer();
  EXPECT_EQ(alert.shown.size(), 5u);
}

TEST_F(KeywordWatchTest, AddRefusesAnExactDuplicateOnly) {
  text2.text = L"BABI";
  page.Command3_Click();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"Keyword exist");
  EXPECT_EQ(boxes.shown[0].title, L"BABI");
  EXPECT_EQ(boxes.shown[0].icon, ui::BoxIcon::Exclamation);
  EXPECT_EQ(list2.items.size(), 11u);
  EXPECT_EQ(text2.text, L"BABI");  // kept for correcting

  text2.text = L"babi";
  page.Command3_Click();
  EXPECT_EQ(list2.items.back(), L"babi");
  EXPECT_EQ(text2.text, L"");

  page.Command3_Click();  // empty: appended without the duplicate test
  page.Command3_Click();
  EXPECT_EQ(list2.items.size(), 14u);
  EXPECT_EQ(list2.items.back(), L"");
  EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(KeywordWatchTest, HapusNeedsASelection) {
  page.Command4_Click();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"Please selected item");
  EXPECT_EQ(boxes.shown[0].title, L"Select");
  EXPECT_EQ(boxes.shown[0].icon, ui::BoxIcon::Information);
  EXPECT_EQ(list2.items.size(), 11u);
  list2.selected = 1;
  page.Command4_Click();
  EXPECT_EQ(list2.items.size(), 10u);
  EXPECT_EQ(list2.items[1], L"Ngepet");
}

TEST_F(KeywordWatchTest, ASingleBlankIsEmptiedAsItIsTyped) {
  text2.text = L" ";
  page.Text2_Change();
  EXPECT_EQ(text2.text, L"");
  text2.text = L"  ";
  page.Text2_Change();
  EXPECT_EQ(text2.text, L"  ");
  text2.text = L" a";
  page.Text2_Change();
  EXPECT_EQ(text2.text, L" a");
}

TEST_F(KeywordWatchTest, TheSwitchTurnsTheWatchOnAndOffAndLeavesTheListAlone) {
  ckWatch.value = 0;
  page.ckWatch_Click();
  EXPECT_FALSE(timer8.enabled);
  ckWatch.value = 2;
  page.ckWatch_Click();
  EXPECT_FALSE(timer8.enabled);
  ckWatch.value = 1;
  page.ckWatch_Click();
  EXPECT_TRUE(timer8.enabled);
  EXPECT_EQ(list2.items, KeywordWatchPage::DesignKeywords());
}

}  // namespace
}  // namespace vexa::guard
