#include "guard/win32/page_controls.h"

#include <commctrl.h>

namespace vexa::guard {

void ListBoxLines::Clear() { SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0); }

void ListBoxLines::Add(const std::wstring& line, WindowId data) {
  LRESULT at = SendMessageW(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(line.c_str()));
  if (at >= 0) SendMessageW(hwnd_, LB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(data));
}

std::optional<WindowId> ListBoxLines::SelectedData() const {
  LRESULT at = SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
  if (at == LB_ERR) return std::nullopt;
  return static_cast<WindowId>(SendMessageW(hwnd_, LB_GETITEMDATA, static_cast<WPARAM>(at), 0));
}

int ListBoxStrings::Count() const {
  LRESULT n = SendMessageW(hwnd_, LB_GETCOUNT, 0, 0);
  return n > 0 ? static_cast<int>(n) : 0;
}

std::wstring ListBoxStrings::Item(int index) const {
  LRESULT len = SendMessageW(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (len == LB_ERR || len <= 0) return {};
  std::wstring text(static_cast<std::size_t>(len) + 1, L'\0');
  LRESULT got = SendMessageW(hwnd_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

void ListBoxStrings::Add(const std::wstring& text) {
  SendMessageW(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
}

void ListBoxStrings::RemoveAt(int index) { SendMessageW(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0); }

int ListBoxStrings::SelectedIndex() const {
  LRESULT at = SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
  return at == LB_ERR ? -1 : static_cast<int>(at);
}

void ListViewRows::AddRow(const std::wstring& text) {
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = Count();
  item.pszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void ListViewRows::Clear() { SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0); }

int ListViewRows::Count() const { return static_cast<int>(SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0)); }

}  // namespace vexa::guard
