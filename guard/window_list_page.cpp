#include "guard/window_list_page.h"

namespace vexa::guard {

WindowListPage::WindowListPage(Desktop& desktop, WindowLines& list1, const ui::Toggle& chk1, const ui::Toggle& chk2,
                               ui::EventPump& pump)
    : desktop_(desktop), list1_(list1), chk1_(chk1), chk2_(chk2), pump_(pump) {}

bool WindowListPage::IsListed(int chk1, int chk2, bool visible) {
  if ((chk1 & chk2) != 0) return true;
  if (chk1 != 0) return visible;
  if (chk2 != 0) return !visible;
  return false;
}

std::wstring WindowListPage::LineFor(const WindowInfo& window) {
  auto cut = [](const std::wstring& text) {
    std::wstring s = text.substr(0, text.find(L'\0'));
    if (s.size() > kWindowTextChars) s.resize(kWindowTextChars);
    return s;
  };
  return cut(window.title) + L" (" + cut(window.className) + L")";
}

void WindowListPage::cmdRefresh_Click() {
  const ui::RunMark run(refreshing_);
  if (run.Refused()) return;
  list1_.Clear();
  for (const WindowInfo& window : desktop_.TopLevelWindows()) {
    if (IsListed(chk1_.Value(), chk2_.Value(), window.visible)) list1_.Add(LineFor(window), window.id);
    pump_.DoEvents();
  }
}

void WindowListPage::List1_Click() {
  if (std::optional<WindowId> data = list1_.SelectedData()) selected_ = *data;
}

void WindowListPage::cmdEndTsk_Click() {
  if (selected_ != 0) desktop_.RequestClose(selected_);
}

}  // namespace vexa::guard
