#pragma once
// Which page and tool panels of the main window are visible, and what the
// tab clicks and the Toolbox buttons change. Panels stack: a visible panel
// covers every visible panel below it, so the page on view is the first
// visible one in stacking order.
#include <array>
#include <string>

namespace vexa::app {

enum class Panel {
  // Page panels, first on top.
  PicHome, Picture2, PicTool, PicClean,
  // Tool panels inside PicTool, first on top; PicKeyBlock lies inside
  // PicURL and PicTask inside Picture3.
  PicURL, PicKeyBlock, Picture3, PicTask, Picture4,
  kCount
};

class Navigation {
 public:
  Navigation();

  bool Visible(Panel p) const { return visible_[static_cast<int>(p)]; }
  // -1 until a tab has been clicked: no tab caption is bold at first.
  int SelectedTab() const { return selectedTab_; }
  const std::wstring& Title() const { return title_; }

  // The page panel on view (the first visible in stacking order).
  Panel PageOnView() const;
  // What the Toolbox page shows: a tool panel (PicKeyBlock or PicTask when
  // they cover their holders) or, with none open, PicTool itself (the menu).
  Panel ToolOnView() const;

  // Click of Image1 element index; an index outside 0..3 does nothing.
  void Image1_Click(int index);

  void oxbutton4_Click();   // "Logger Block"
  void oxbutton8_Click();   // "Proccess Viewer" (the window list is filled by its page)
  void BackFromLogger();    // oxbutton7 and oxbutton9
  void oxbutton5_Click();   // "Registry Repair"
  void oxbutton14_Click();  // "<< Back" on the registry panel
  void oxbutton15_Click();  // "Url Shortner"
  void oxbutton17_Click();  // "Keyword Blocker"
  void BackFromUrl();       // oxbutton16 and oxbutton18

 private:
  void Set(Panel p, bool on) { visible_[static_cast<int>(p)] = on; }
  std::array<bool, static_cast<int>(Panel::kCount)> visible_{};
  int selectedTab_ = -1;
  std::wstring title_ = L"Home";
};

// The tab captions and page titles.
inline constexpr const wchar_t* kTabCaptions[4] = {L"Home", L"Cleaner", L"Toolbox", L"Option"};
inline constexpr const wchar_t* kPageTitles[4] = {L"Home", L"Cleaner", L"Toolbox", L"Other Option"};

}  // namespace vexa::app
