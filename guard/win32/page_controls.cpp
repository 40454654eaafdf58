#include "guard/win32/page_controls.h"

#include <commctrl.h>

namespace vexa::guard::win32 {

void ListBoxLines::Clear() { SendMessageW(list_, LB_RESETCONTENT, 0, 0); }

void ListBoxLines::Add(const std::wstring& line, WindowId data) {
  LRESULT at = SendMessageW(list_, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(line.c_str()));
  if (at >= 0) SendMessageW(list_, LB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(data));
}

std::optional<WindowId> ListBoxLines::SelectedData() const {
  LRESULT at = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  if (at == LB_ERR) return std::nullopt;
  return static_cast<WindowId>(SendMessageW(list_, LB_GETITEMDATA, static_cast<WPARAM>(at), 0));
}

int ListBoxStrings::Count() const {
  LRESULT n = SendMessageW(list_, LB_GETCOUNT, 0, 0);
  return n > 0 ? static_cast<int>(n) : 0;
}

std::wstring ListBoxStrings::Item(int index) const {
  LRESULT len = SendMessageW(list_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (len == LB_ERR || len <= 0) return {};
  std::wstring text(static_cast<std::size_t>(len) + 1, L'\0');
  LRESULT got = SendMessageW(list_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

void ListBoxStrings::Add(const std::wstring& text) {
  SendMessageW(list_, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
}

void ListBoxStrings::RemoveAt(int index) { SendMessageW(list_, LB_DELETESTRING, static_cast<WPARAM>(index), 0); }

int ListBoxStrings::SelectedIndex() const {
  LRESULT at = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  return at == LB_ERR ? -1 : static_cast<int>(at);
}

void ListViewRows::AddRow(const std::wstring& text) {
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = Count();
  item.pszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void ListViewRows::Clear() { SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0); }

int ListViewRows::Count() const { return static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring ListViewRows::Row(int index) const {
  wchar_t buf[1024] = {};
  LVITEMW item{};
  item.iSubItem = 0;
  item.pszText = buf;
  item.cchTextMax = 1024;
  LRESULT n = SendMessageW(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return std::wstring(buf, n > 0 ? static_cast<std::size_t>(n) : 0);
}

::vexa::win32::ScopedGdi<HFONT> UseFixedPitchFont(HWND list) {
  HDC dc = GetDC(list);
  int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(list, dc);
  ::vexa::win32::ScopedGdi<HFONT> font(CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                                   DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                                   DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"Courier New"));
  SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  return font;
}

}  // namespace vexa::guard::win32
