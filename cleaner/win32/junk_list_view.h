#pragma once
// ListView1 on the real window system: an owner-data (virtual) report list
// that reads its rows from the Cleaner page's JunkList as it paints, so a
// list of any length fills, scrolls and ticks at once. The ticks live in
// the rows; the list shows them as state images (check boxes) and a click
// on a box or the space bar toggles them.
#include <windows.h>
#include <commctrl.h>

#include "cleaner/junk_list.h"
#include "ui/scoped.h"

namespace vexa::cleaner {

// ImageList1 for a list shown at dpi: five pictures of 16 x 16 at 96 dpi,
// larger at higher dpi (20, 24 or 32 px); picture n (1-based) at index n-1,
// picture 4 blank (no row uses it). The caller destroys the list.
HIMAGELIST CreateImageList1(int dpi);

class JunkListView : public RowsObserver {
 public:
  explicit JunkListView(JunkList& rows);
  ~JunkListView() override;
  JunkListView(const JunkListView&) = delete;
  JunkListView& operator=(const JunkListView&) = delete;

  // Creates the list as a child of parent with the control id and the
  // rectangle (pixels, parent's client coordinates): columns "File Name"
  // and "Path", small icons from ImageList1, a check box per row.
  HWND Create(HWND parent, int id, const RECT& rect);
  HWND hwnd() const { return hwnd_; }

  // The parent hands over every WM_NOTIFY it receives; true when the
  // notification was this list's, with the message result in result.
  bool OnNotify(const NMHDR& header, LRESULT& result);

  // The rows changed: the list takes the new count and repaints.
  void RowsChanged() override;

  // As a click on the row's check box.
  void ToggleRow(int index);

 private:
  static LRESULT CALLBACK ListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
  void FillDisplayInfo(LVITEMW& item) const;
  void ToggleSelection();
  void TakeStateImage(int index, UINT state);
  int FindByName(const NMLVFINDITEMW& find) const;

  JunkList& rows_;
  HWND hwnd_ = nullptr;
  ui::ScopedImageList icons_, ticks_;
  std::size_t shownCount_ = 0;
};

}  // namespace vexa::cleaner
