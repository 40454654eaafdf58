#pragma once
// The guard pages' lists and the level over real controls, attached to
// their windows by the panels:
//   List1 (window list)   - ListBoxLines   over a LISTBOX (no LBS_SORT)
//   List2 (keywords)      - ListBoxStrings over a LISTBOX (no LBS_SORT)
//   ListView2 (results)   - ListViewRows   over a SysListView32 in report view
//   BLog (level)          - ScrollBarLevel over a SCROLLBAR control
#include <windows.h>

#include "guard/keyword_watch_page.h"
#include "guard/logger_block_page.h"
#include "guard/window_list_page.h"
#include "ui/adapters.h"

namespace vexa::guard {

class ListBoxLines : public WindowLines, public ui::Attached {
 public:
  void Clear() override;
  void Add(const std::wstring& line, WindowId data) override;
  std::optional<WindowId> SelectedData() const override;
};

class ListBoxStrings : public StringList, public ui::Attached {
 public:
  int Count() const override;
  std::wstring Item(int index) const override;
  void Add(const std::wstring& text) override;
  void RemoveAt(int index) override;
  int SelectedIndex() const override;
};

class ListViewRows : public RowList, public ui::Attached {
 public:
  void AddRow(const std::wstring& text) override;
  void Clear() override;
  int Count() const;
};

class ScrollBarLevel : public LevelSource, public ui::Attached {
 public:
  int Value() const override { return GetScrollPos(hwnd_, SB_CTL); }
};

}  // namespace vexa::guard
