#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>

#include "app/model/navigation.h"
#include "app/model/tray_record.h"
#include "guard/logger_block_page.h"

namespace vexa::app {
namespace {

TEST(Navigation, ClicksAndThePanelOnView) {
  // h c t o: the four tabs (x: an index past them); L P b: logger, process
  // viewer, back; R r: registry and back; U K u: URL, keywords, back.
  const std::map<char, void (Navigation::*)()> buttons = {
      {'L', &Navigation::oxbutton4_Click},  {'P', &Navigation::oxbutton8_Click},  {'b', &Navigation::BackFromLogger},
      {'R', &Navigation::oxbutton5_Click},  {'r', &Navigation::oxbutton14_Click}, {'U', &Navigation::oxbutton15_Click},
      {'K', &Navigation::oxbutton17_Click}, {'u', &Navigation::BackFromUrl}};
  struct Case { const char* clicks; Panel page, tool; const wchar_t* title; int tab; };
  const Case cases[] = {
      {"", Panel::PicHome, Panel::PicTool, L"Home", -1},
      {"x", Panel::PicHome, Panel::PicTool, L"Home", -1},
      {"ch", Panel::PicHome, Panel::PicTool, L"Home", 0},  // Home over the still visible Cleaner
      {"to", Panel::Picture2, Panel::PicTool, L"Other Option", 3},
      {"oc", Panel::PicClean, Panel::PicTool, L"Cleaner", 1},
      {"oct", Panel::PicTool, Panel::PicTool, L"Toolbox", 2},
      {"tRht", Panel::PicTool, Panel::Picture4, L"Toolbox", 2},  // the registry panel stays open
      {"tRr", Panel::PicTool, Panel::PicTool, L"Toolbox", 2},
      {"KU", Panel::PicHome, Panel::PicURL, L"Home", -1},
      {"UKu", Panel::PicHome, Panel::PicTool, L"Home", -1},
      {"P", Panel::PicHome, Panel::PicTask, L"Home", -1},
      {"PbL", Panel::PicHome, Panel::Picture3, L"Home", -1},
      {"LU", Panel::PicHome, Panel::PicURL, L"Home", -1},
  };
  for (const Case& c : cases) {
    Navigation nav;
    for (char k : std::string_view(c.clicks)) {
      if (const auto tab = std::string_view("hctox").find(k); tab != std::string_view::npos)
        nav.Image1_Click(static_cast<int>(tab));
      else
        (nav.*buttons.at(k))();
    }
    EXPECT_EQ(nav.PageOnView(), c.page) << c.clicks;
    EXPECT_EQ(nav.ToolOnView(), c.tool) << c.clicks;
    EXPECT_EQ(nav.Title(), c.title) << c.clicks;
    EXPECT_EQ(nav.SelectedTab(), c.tab) << c.clicks;
  }
  EXPECT_STREQ(kTabCaptions[3], L"Option");
}

TEST(TrayRecord, TheShellsAnsiRecordByteForByte) {
  auto bytes = MakeTrayIconData(0x1234, "VexaUtility", 0xABCD).Bytes();
  std::string expected("\x58\0\0\0\x34\x12\0\0\x01\0\0\0\x07\0\0\0\0\x02\0\0\xCD\xAB\0\0VexaUtility\0", 36);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected + std::string(52, ' '));
  bytes = MakeTrayIconData(1, std::string(70, 'x'), 2).Bytes();
  EXPECT_EQ(std::string(bytes.begin() + 24, bytes.end()), std::string(64, 'x'));  // cut, no NUL
  for (auto [message, action] : {std::pair{0x205u, TrayAction::ShowMenu}, {0x203u, TrayAction::ShowMainWindow},
                                 {0x204u, TrayAction::None}, {0x201u, TrayAction::None}, {0x200u, TrayAction::None}})
    EXPECT_EQ(DecodeTrayNotification(message), action) << message;
}

TEST(LevelRating, FortyAndEightyAreTheEdges) {
  const std::map<std::wstring, unsigned> colors = {{L"Bad", 0x0000FF}, {L"Good", 0x00FFFF}, {L"OK", 0x00FF00}};
  for (auto [level, caption] : {std::pair{0, L"Bad"}, {39, L"Bad"}, {40, L"Good"}, {79, L"Good"}, {80, L""},
                                {81, L"OK"}, {100, L"OK"}}) {
    const guard::LevelRating r = guard::RateLevel(level);
    EXPECT_EQ(r.caption, caption) << level;  // at 80 nothing changes
    EXPECT_EQ(r.changes, level != 80);
    EXPECT_EQ(r.color, r.changes ? colors.at(caption) : 0u) << level;
  }
  EXPECT_EQ(guard::LevelText(80), L"80 %");
}

}  // namespace
}  // namespace vexa::app
