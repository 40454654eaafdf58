#pragma once
// The guard pages' lists and the level over real controls. The main window
// creates the controls and hands their handles to these adapters:
//   List1 (window list)   - ListBoxLines   over a LISTBOX (no LBS_SORT)
//   List2 (keywords)      - ListBoxStrings over a LISTBOX (no LBS_SORT)
//   ListView2 (results)   - ListViewRows   over a SysListView32 in report view
//   BLog (level)          - ScrollBarLevel over a SCROLLBAR control
#include <windows.h>

#include "guard/keyword_watch_page.h"
#include "guard/logger_block_page.h"
#include "guard/window_list_page.h"
#include "platform/win32/handles.h"

namespace vexa::guard::win32 {

class ListBoxLines : public WindowLines {
 public:
  explicit ListBoxLines(HWND listBox) : list_(listBox) {}
  void Clear() override;
  void Add(const std::wstring& line, WindowId data) override;
  std::optional<WindowId> SelectedData() const override;

 private:
  HWND list_;
};

class ListBoxStrings : public StringList {
 public:
  explicit ListBoxStrings(HWND listBox) : list_(listBox) {}
  int Count() const override;
  std::wstring Item(int index) const override;
  void Add(const std::wstring& text) override;
  void RemoveAt(int index) override;
  int SelectedIndex() const override;

 private:
  HWND list_;
};

class ListViewRows : public RowList {
 public:
  explicit ListViewRows(HWND listView) : list_(listView) {}
  void AddRow(const std::wstring& text) override;
  void Clear() override;
  int Count() const;
  std::wstring Row(int index) const;

 private:
  HWND list_;
};

class ScrollBarLevel : public LevelSource {
 public:
  explicit ScrollBarLevel(HWND scrollBar) : bar_(scrollBar) {}
  int Value() const override { return GetScrollPos(bar_, SB_CTL); }

 private:
  HWND bar_;
};

// Puts the window list in a fixed-pitch font (Courier New, 9 points); the
// font lives as long as the returned owner.
::vexa::win32::ScopedGdi<HFONT> UseFixedPitchFont(HWND list);

}  // namespace vexa::guard::win32
