#include "ui/layout.h"

#include <commctrl.h>

#include "controls/designs.h"
#include "controls/win32/controls.h"
#include "ui/dpi.h"
#include "ui/window.h"

namespace vexa::ui {
namespace {

HWND RootOf(HWND panel) { return GetAncestor(panel, GA_ROOT); }

LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_HSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
      return SendMessageW(RootOf(hwnd), msg, wp, lp);
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wp);
      RECT rc;
      GetClientRect(hwnd, &rc);
      SetDCBrushColor(dc, PanelColor(hwnd));
      FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
      SendMessageW(RootOf(hwnd), kPanelPaintArt, wp, reinterpret_cast<LPARAM>(hwnd));
      return 1;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      SendMessageW(RootOf(hwnd), msg == WM_LBUTTONDOWN ? kPanelLeftDown : kPanelRightDown,
                   reinterpret_cast<WPARAM>(hwnd), lp);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

// A panel keeps its colour plus one in its user data (0: none set).
void SetPanelColor(HWND panel, COLORREF color) {
  SetWindowLongPtrW(panel, GWLP_USERDATA, static_cast<LONG_PTR>(color) + 1);
}

void RegisterPanelClass() { RegisterWindowClass(kPanelClass, PanelProc, nullptr, CLR_INVALID, 0); }

COLORREF PanelColor(HWND panel) {
  LONG_PTR v = GetWindowLongPtrW(panel, GWLP_USERDATA);
  return v > 0 ? static_cast<COLORREF>(v - 1) : kPageColor;
}

void Layout::Begin(HWND form, int dpi) {
  RegisterPanelClass();
  controls::RegisterAll(AppInstance());
  form_ = form;
  dpi_ = dpi;
  MakeFonts();
}

void Layout::MakeFonts() {
  normal_ = MakeFont({L"Segoe UI", 9}, dpi_);
  bold_ = MakeFont({L"Segoe UI", 9, true}, dpi_);
  header_ = MakeFont({L"Segoe UI", 11, true}, dpi_);
  title_ = MakeFont({L"Arial Rounded MT Bold", 26, true}, dpi_);
  narrow_ = MakeFont({L"Arial Narrow", 20, true}, dpi_);
  mono_ = MakeFont({L"Courier New", 9, false, false, true}, dpi_);
  tab_ = MakeFont({L"Segoe UI", 11}, dpi_);
  tabBold_ = MakeFont({L"Segoe UI", 11, true}, dpi_);
}

HFONT Layout::FontFor(unsigned flags) const {
  if (flags & kTab) return tab_.get();
  if (flags & kMono) return mono_.get();
  if (flags & kNarrow) return narrow_.get();
  if (flags & kTitleFont) return title_.get();
  if ((flags & kHeaderText) && (flags & kBold)) return header_.get();
  if (flags & kBold) return bold_.get();
  return normal_.get();
}

HBRUSH Layout::Brush(COLORREF color) {
  auto& b = brushes_[color];
  if (!b) b.reset(CreateSolidBrush(color));
  return b.get();
}

RECT Layout::Rect(int x, int y, int w, int h) const { return TwipsRect(x, y, w, h, dpi_); }

HWND Layout::Control(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

const ControlRow* Layout::Row(int id) const {
  for (const Placed& p : placed_)
    if (p.row->id == id) return p.row;
  return nullptr;
}

HWND Layout::ParentOf(const ControlRow& row) const {
  for (const Placed& p : placed_)
    if (p.row == &row) return p.parent;
  return nullptr;
}

void Layout::Add(std::span<const ControlRow> rows, const Site& site) {
  for (const ControlRow& row : rows) {
    HWND parent = row.parent == kOnForm    ? form_
                  : row.parent == kOnPage  ? site.page
                  : row.parent == kOnOptions ? site.options
                                           : Control(row.parent);
    placed_.push_back({&row, parent});
    HWND h = Create(row, parent);
    if (!h) continue;  // created by its panel
    controls_[row.id] = h;
    // Table order is stacking order, first on top.
    SetWindowPos(h, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

HWND Layout::Create(const ControlRow& s, HWND parent) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD ex = 0;
  const wchar_t* cls = L"STATIC";
  if (!(s.flags & kHidden)) style |= WS_VISIBLE;
  if (s.flags & kDisabled) style |= WS_DISABLED;
  switch (s.kind) {
    case Kind::Panel:
      cls = kPanelClass;
      style |= WS_CLIPCHILDREN;
      ex = WS_EX_CONTROLPARENT;  // Tab moves through the panel's controls
      break;
    case Kind::Label: style |= SS_LEFT | ((s.flags & kNotify) ? SS_NOTIFY : 0); break;
    case Kind::Button: cls = controls::kOxButtonClass; style |= WS_TABSTOP; break;
    case Kind::CheckBox: cls = L"BUTTON"; style |= BS_AUTOCHECKBOX | WS_TABSTOP; break;
    case Kind::Radio:
      cls = L"BUTTON";
      style |= BS_AUTORADIOBUTTON | WS_TABSTOP | ((s.flags & kGroupStart) ? WS_GROUP : 0);
      break;
    case Kind::Toggle: cls = controls::kCheckboxClass; style |= WS_TABSTOP; break;
    case Kind::Edit: cls = L"EDIT"; style |= ES_AUTOHSCROLL | WS_TABSTOP; ex = WS_EX_CLIENTEDGE; break;
    case Kind::Memo:
      cls = L"EDIT";
      style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP;
      ex = WS_EX_CLIENTEDGE;
      break;
    case Kind::ListBox:
      cls = L"LISTBOX";
      style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
      ex = WS_EX_CLIENTEDGE;
      break;
    case Kind::ListView:
      cls = WC_LISTVIEWW;
      style |= LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER | WS_TABSTOP;
      ex = WS_EX_CLIENTEDGE;
      break;
    case Kind::HScroll: cls = L"SCROLLBAR"; style |= SBS_HORZ | WS_TABSTOP; break;
    case Kind::Spinner: cls = controls::kSpinnerClass; break;
    case Kind::ProgressXp: cls = controls::kProgressXpClass; break;
    case Kind::Vista: cls = controls::kVistaClass; break;
    case Kind::StdProgress: cls = PROGRESS_CLASSW; break;
    case Kind::Hosted: return nullptr;
    case Kind::Frame:
      // A group box draws its edge only; transparent, so that its panel
      // (which clips its children) still paints the inside.
      cls = L"BUTTON";
      style |= BS_GROUPBOX;
      ex = WS_EX_TRANSPARENT;
      break;
  }
  RECT rc = RectOf(s);
  HWND h = CreateWindowExW(ex, cls, s.caption, style, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(s.id)), AppInstance(), nullptr);
  if (!h) return nullptr;
  SetFont(h, FontFor(s.flags));
  if (s.flags & kChecked) SendMessageW(h, BM_SETCHECK, BST_CHECKED, 0);
  // Every command button is a skinned plate unless its row says otherwise.
  const controls::PropertyBag* properties = s.properties;
  if (!properties && s.kind == Kind::Button) properties = &controls::PlateButton();
  if (properties) SendMessageW(h, controls::kLoadProperties, 0, reinterpret_cast<LPARAM>(properties));
  if (s.kind == Kind::Panel)
    SetPanelColor(h, (s.flags & kTitlePanel) ? kTitleColor : (s.flags & kHeaderPanel) ? kHeaderColor : kPageColor);
  if (s.kind == Kind::ListView) {
    ListView_SetExtendedListViewStyle(h, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    LVCOLUMNW col{LVCF_TEXT | LVCF_WIDTH};
    col.cx = ColumnWidth(rc);
    col.pszText = const_cast<wchar_t*>(L"");
    ListView_InsertColumn(h, 0, &col);
  }
  return h;
}

void Layout::ChangeDpi(int dpi) {
  dpi_ = dpi;
  MakeFonts();
  for (const Placed& p : placed_) {
    HWND h = Control(p.row->id);
    RECT rc = RectOf(*p.row);
    SetWindowPos(h, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SetFont(h, FontFor(p.row->flags), true);
    if (p.row->kind == Kind::ListView) ListView_SetColumnWidth(h, 0, ColumnWidth(rc));
  }
}

// A list's one column: its width less the vertical scroll bar at the DPI.
int Layout::ColumnWidth(const RECT& list) const {
  return list.right - list.left - MulDiv(GetSystemMetrics(SM_CXVSCROLL), dpi_, DpiOf(nullptr)) - Scale(4, dpi_);
}

HBRUSH Layout::CtlColor(HDC dc, HWND control, COLORREF formBack, std::optional<COLORREF> text) {
  const ControlRow* row = Row(GetDlgCtrlID(control));
  HWND parent = GetParent(control);
  COLORREF back = parent == form_ ? formBack : PanelColor(parent);
  unsigned flags = row ? row->flags : 0;
  if (flags & kBadge) back = kBadgeColor;
  COLORREF fore = kTextColor;
  if (flags & kHeaderText) fore = RGB(255, 255, 255);
  if (flags & kGreen) fore = RGB(0, 150, 60);
  SetTextColor(dc, text.value_or(fore));
  SetBkColor(dc, back);
  return Brush(back);
}

}  // namespace vexa::ui
