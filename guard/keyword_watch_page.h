#pragma once
// The keyword blocker panel: a keyword list and a watch that compares the
// foreground window's title with it every five seconds and raises the
// "Message" alert window on a match.
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/ui.h"

namespace vexa::guard {

// List2: a list box of texts with at most one selected item.
class StringList {
 public:
  virtual ~StringList() = default;
  virtual int Count() const = 0;
  virtual std::wstring Item(int index) const = 0;
  virtual void Add(const std::wstring& text) = 0;
  virtual void RemoveAt(int index) = 0;
  // -1 when no item is selected.
  virtual int SelectedIndex() const = 0;
};

// Form5: shown modeless and topmost, loaded again after OK unloaded it.
class TitleAlert {
 public:
  virtual ~TitleAlert() = default;
  // Shows the window (loading it when needed) with this text in its label.
  virtual void Show(const std::wstring& message) = 0;
};

struct KeywordWatchControls {
  StringList& list2;       // the keywords
  ui::Caption& text2;      // a keyword being typed
  const ui::Caption& text3;  // the warning text
  const ui::Toggle& ckWatch;
  ui::Timer& timer8;
  ui::MessageBoxes& boxes;
};

// The title read is at most 254 characters long.
inline constexpr std::size_t kTitleChars = 254;
inline constexpr unsigned kWatchIntervalMs = 5000;

class KeywordWatchPage {
 public:
  KeywordWatchPage(const Desktop& desktop, TitleAlert& alert, KeywordWatchControls controls);

  // The keywords List2 starts with.
  static const std::vector<std::wstring>& DesignKeywords();
  // The text Text3 starts with.
  static const std::wstring& DesignMessage();

  // Form1's initialise step: one title check every five seconds.
  void Form_Initialize();

  void Command3_Click();  // "Add"
  void Command4_Click();  // "Hapus"
  void Text2_Change();
  void ckWatch_Click();
  void Timer8_Timer() { WatchTitle(); }

  // ShowTitleAlert for each keyword, in list order.
  void WatchTitle();
  // Raises the alert when the keyword occurs in the foreground title, both
  // upper-cased, the title cut at 254 characters.
  void ShowTitleAlert(const std::wstring& keyword);

  static bool TitleHasKeyword(const Desktop& desktop, const std::wstring& title, const std::wstring& keyword);

 private:
  const Desktop& desktop_;
  TitleAlert& alert_;
  KeywordWatchControls c_;
};

}  // namespace vexa::guard
