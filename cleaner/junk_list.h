#pragma once
// The rows of ListView1: what the junk scan found, each with a tick for
// removal. The list control shows these rows and asks for them as it paints.
#include <cstddef>
#include <string>
#include <vector>

namespace vexa::cleaner {

// Pictures of ImageList1, numbered from 1 as the list control numbers them.
enum JunkIcon : int {
  kIconPrefetch = 1,
  kIconUserTemp = 2,
  kIconRecent = 3,
  kIconOther = 5,  // cookies, Windows temp files, user temp sub-folders
};

// The Path cell of a prefetch row.
inline constexpr wchar_t kJunkPathCell[] = L"Junk";

struct JunkRow {
  std::wstring name;  // column "File Name"
  std::wstring path;  // column "Path"
  int icon = 0;
  bool ticked = false;
};

// Told when rows came, went or changed their ticks, so that a list control
// can set its row count and repaint.
class RowsObserver {
 public:
  virtual ~RowsObserver() = default;
  virtual void RowsChanged() = 0;
};

// The changes do not notify on their own: a scan adds many rows and then
// calls NotifyChanged once.
class JunkList {
 public:
  std::size_t Count() const { return rows_.size(); }
  bool Empty() const { return rows_.empty(); }
  const JunkRow& Row(std::size_t i) const { return rows_[i]; }
  const std::vector<JunkRow>& Rows() const { return rows_; }

  void Clear() { rows_.clear(); }
  void Add(JunkRow row) { rows_.push_back(std::move(row)); }

  // Rows outside the list are ignored.
  void SetTicked(std::size_t i, bool ticked) {
    if (i < rows_.size()) rows_[i].ticked = ticked;
  }
  void SetAllTicked(bool ticked) {
    for (JunkRow& row : rows_) row.ticked = ticked;
  }

  // Calls visit(row) for every ticked row, in list order, and drops those
  // rows; the unticked ones keep their order. One pass over the list.
  template <typename Visit>
  std::size_t RemoveTicked(Visit&& visit) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      if (rows_[i].ticked) {
        visit(static_cast<const JunkRow&>(rows_[i]));
      } else {
        if (kept != i) rows_[kept] = std::move(rows_[i]);
        ++kept;
      }
    }
    std::size_t removed = rows_.size() - kept;
    rows_.resize(kept);
    return removed;
  }

  void SetObserver(RowsObserver* observer) { observer_ = observer; }
  void NotifyChanged() const {
    if (observer_) observer_->RowsChanged();
  }

 private:
  std::vector<JunkRow> rows_;
  RowsObserver* observer_ = nullptr;
};

}  // namespace vexa::cleaner
