#pragma once
// The process viewer panel: the desktop's top-level windows, one line each,
// and "End Task" for the one chosen last.
#include <optional>
#include <string>

#include "platform/desktop.h"
#include "platform/ui.h"

namespace vexa::guard {

// List1: lines with a window id as item data.
class WindowLines {
 public:
  virtual ~WindowLines() = default;
  virtual void Clear() = 0;
  virtual void Add(const std::wstring& line, WindowId data) = 0;
  // Item data of the selected line; nothing when no line is selected.
  virtual std::optional<WindowId> SelectedData() const = 0;
};

// Titles and class names are read into 255-character buffers.
inline constexpr std::size_t kWindowTextChars = 254;

class WindowListPage {
 public:
  WindowListPage(Desktop& desktop, WindowLines& list1, const ui::Toggle& chk1, const ui::Toggle& chk2,
                 ui::EventPump& pump);

  // Rebuilds List1 in Z order, filtered by chk1 and chk2 as they are now.
  // A Refresh pressed while the list fills (events run after each window)
  // is the same request: it adds nothing twice.
  void cmdRefresh_Click();
  // The selected window becomes the one of the selected line.
  void List1_Click();
  // Asks the selected window to close (nothing when none was ever chosen).
  void cmdEndTsk_Click();

  WindowId SelectedWindow() const { return selected_; }

  // chk1 ticked: visible windows; chk2 ticked: hidden ones; both (values with
  // a bit in common): every window; neither: none.
  static bool IsListed(int chk1, int chk2, bool visible);
  // "title (class)", each text cut at 254 characters.
  static std::wstring LineFor(const WindowInfo& window);

 private:
  Desktop& desktop_;
  WindowLines& list1_;
  const ui::Toggle& chk1_;
  const ui::Toggle& chk2_;
  ui::EventPump& pump_;
  WindowId selected_ = 0;
  bool refreshing_ = false;
};

}  // namespace vexa::guard
