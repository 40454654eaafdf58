#include "cleaner/win32/junk_list_view.h"

#include <algorithm>

#include "platform/text.h"
#include "ui/scoped.h"
#include "ui/dpi.h"
#include "ui/window.h"

namespace vexa::cleaner {

namespace {

constexpr int kTickSize = 16;
constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr UINT kUnticked = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT kTicked = INDEXTOSTATEIMAGEMASK(2);

// State images 1 (empty box) and 2 (ticked box).
HIMAGELIST CreateTickImages() {
  HIMAGELIST list = ImageList_Create(kTickSize, kTickSize, ILC_COLOR24 | ILC_MASK, 2, 0);
  if (!list) return nullptr;
  ui::ScopedWindowDc screen(nullptr);
  ui::ScopedMemoryDc dc(CreateCompatibleDC(screen.get()));
  ui::ScopedGdi<HBITMAP> picture(CreateCompatibleBitmap(screen.get(), kTickSize, kTickSize));
  ui::ScopedGdi<HBRUSH> key(CreateSolidBrush(kKey));
  for (UINT state : {0u, static_cast<UINT>(DFCS_CHECKED)}) {
    {
      ui::ScopedSelect into(dc.get(), picture.get());
      RECT all{0, 0, kTickSize, kTickSize};
      FillRect(dc.get(), &all, key.get());
      RECT box{1, 1, 14, 14};
      DrawFrameControl(dc.get(), &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | state);
    }
    ImageList_AddMasked(list, picture.get(), kKey);
  }
  return list;
}

void CopyText(const std::wstring& text, LVITEMW& item) {
  if (!item.pszText || item.cchTextMax <= 0) return;
  std::size_t n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
  std::copy_n(text.data(), n, item.pszText);
  item.pszText[n] = 0;
}


}  // namespace

JunkListView::JunkListView(JunkList& rows) : rows_(rows) {}

JunkListView::~JunkListView() {
  rows_.SetObserver(nullptr);
  if (hwnd_ && IsWindow(hwnd_)) {
    RemoveWindowSubclass(hwnd_, ListProc, 0);
    DestroyWindow(hwnd_);
  }
  // LVS_SHAREIMAGELISTS: the list leaves its image lists to their owner.
}

HWND JunkListView::Create(HWND parent, int id, const RECT& rect) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS |
                              LVS_SHAREIMAGELISTS,
                          rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ui::AppInstance(), nullptr);
  if (!hwnd_) return nullptr;
  ListView_SetExtendedListViewStyle(hwnd_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);

  int width = rect.right - rect.left - GetSystemMetrics(SM_CXVSCROLL) - 4;
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = const_cast<wchar_t*>(L"File Name");
  column.cx = std::max(60, width / 3);
  ListView_InsertColumn(hwnd_, 0, &column);
  column.pszText = const_cast<wchar_t*>(L"Path");
  column.cx = std::max(60, width - width / 3);
  column.iSubItem = 1;
  ListView_InsertColumn(hwnd_, 1, &column);

  icons_.reset(CreateImageList1(ui::DpiOf(hwnd_)));
  ticks_.reset(CreateTickImages());
  ListView_SetImageList(hwnd_, icons_.get(), LVSIL_SMALL);
  ListView_SetImageList(hwnd_, ticks_.get(), LVSIL_STATE);
  // The list keeps no state images of its own rows: it asks for them.
  ListView_SetCallbackMask(hwnd_, LVIS_STATEIMAGEMASK);
  SetWindowSubclass(hwnd_, ListProc, 0, reinterpret_cast<DWORD_PTR>(this));

  rows_.SetObserver(this);
  shownCount_ = static_cast<std::size_t>(-1);
  RowsChanged();
  return hwnd_;
}

void JunkListView::RowsChanged() {
  if (!hwnd_) return;
  std::size_t count = rows_.Count();
  if (count != shownCount_) {
    // Row numbers now name other rows: drop the selection and focus (only
    // when there is one: clearing touches every row).
    if (ListView_GetSelectedCount(hwnd_) > 0) ListView_SetItemState(hwnd_, -1, 0, LVIS_SELECTED);
    int focused = ListView_GetNextItem(hwnd_, -1, LVNI_FOCUSED);
    if (focused >= 0) ListView_SetItemState(hwnd_, focused, 0, LVIS_FOCUSED);
    ListView_SetItemCountEx(hwnd_, static_cast<int>(count), 0);
    shownCount_ = count;
  }
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void JunkListView::ToggleRow(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= rows_.Count()) return;
  rows_.SetTicked(index, !rows_.Row(index).ticked);
  ListView_RedrawItems(hwnd_, index, index);
}

void JunkListView::ToggleSelection() {
  int focused = ListView_GetNextItem(hwnd_, -1, LVNI_FOCUSED);
  if (focused < 0 || static_cast<std::size_t>(focused) >= rows_.Count()) return;
  if (!(ListView_GetItemState(hwnd_, focused, LVIS_SELECTED) & LVIS_SELECTED)) {
    ToggleRow(focused);
    return;
  }
  // Every selected row takes the new state of the focused one.
  bool tick = !rows_.Row(focused).ticked;
  for (int i = ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED); i >= 0; i = ListView_GetNextItem(hwnd_, i, LVNI_SELECTED))
    rows_.SetTicked(i, tick);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void JunkListView::FillDisplayInfo(LVITEMW& item) const {
  if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= rows_.Count()) return;
  const JunkRow& row = rows_.Row(item.iItem);
  if (item.mask & LVIF_TEXT) CopyText(item.iSubItem == 0 ? row.name : item.iSubItem == 1 ? row.path : L"", item);
  if ((item.mask & LVIF_IMAGE) && item.iSubItem == 0) item.iImage = row.icon - 1;
  if (item.mask & LVIF_STATE) {
    item.state = (item.state & ~LVIS_STATEIMAGEMASK) | (row.ticked ? kTicked : kUnticked);
    item.stateMask |= LVIS_STATEIMAGEMASK;
  }
}

// A program that drives the list (a test, an accessibility tool) ticks a
// row by setting its state image; the list itself would not keep it.
LRESULT CALLBACK JunkListView::ListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
  if (msg == LVM_SETITEMSTATE && lp) {
    const auto& item = *reinterpret_cast<const LVITEMW*>(lp);
    if (item.stateMask & LVIS_STATEIMAGEMASK)
      reinterpret_cast<JunkListView*>(self)->TakeStateImage(static_cast<int>(wp), item.state);
  } else if (msg == WM_NCDESTROY) {  // gone with its parent
    RemoveWindowSubclass(hwnd, ListProc, 0);
    reinterpret_cast<JunkListView*>(self)->hwnd_ = nullptr;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

// A row's state image was set from outside: take it as a tick.
void JunkListView::TakeStateImage(int index, UINT state) {
  UINT image = state & LVIS_STATEIMAGEMASK;
  if (image != kTicked && image != kUnticked) return;
  if (index < 0)
    rows_.SetAllTicked(image == kTicked);
  else
    rows_.SetTicked(index, image == kTicked);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

int JunkListView::FindByName(const NMLVFINDITEMW& find) const {
  if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) return -1;
  std::size_t n = rows_.Count();
  if (n == 0) return -1;
  std::size_t start = find.iStart >= 0 && static_cast<std::size_t>(find.iStart) < n ? find.iStart : 0;
  for (std::size_t k = 0; k < n; ++k) {
    std::size_t i = (start + k) % n;
    if (StartsWithNoCase(rows_.Row(i).name, find.lvfi.psz)) return static_cast<int>(i);
  }
  return -1;
}

bool JunkListView::OnNotify(const NMHDR& header, LRESULT& result) {
  if (!hwnd_ || header.hwndFrom != hwnd_) return false;
  result = 0;
  switch (header.code) {
    case LVN_GETDISPINFOW:
      FillDisplayInfo(reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header)).item);
      return true;
    case NM_CLICK: {
      const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
      LVHITTESTINFO hit{};
      hit.pt = click.ptAction;
      int index = ListView_HitTest(hwnd_, &hit);
      if (index >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) ToggleRow(index);
      return true;
    }
    case LVN_KEYDOWN:
      if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_SPACE) ToggleSelection();
      return true;
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      if ((change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK))
        TakeStateImage(change.iItem, change.uNewState);
      return true;
    }
    case LVN_ODFINDITEMW:
      result = FindByName(reinterpret_cast<const NMLVFINDITEMW&>(header));
      return true;
    default:
      return false;
  }
}

}  // namespace vexa::cleaner
