#include "shortener/win32/url_page_controls_win32.h"

#include <commctrl.h>

#include <utility>

namespace vexa::win32 {

void EditText::SetText(const std::wstring& text) { SetWindowTextW(hwnd_, text.c_str()); }

std::wstring EditText::Text() const {
  int length = GetWindowTextLengthW(hwnd_);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  int got = GetWindowTextW(hwnd_, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

int OptionButton::Value() const { return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0; }

void OptionButton::SetValue(int value) {
  SendMessageW(hwnd_, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void OptionButton::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }

bool OptionButton::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

namespace {
constexpr UINT_PTR kSubclassId = 0x56455855;  // one hook of this kind per control
}

DoubleClickHook::DoubleClickHook(HWND control, std::function<void()> onDoubleClick)
    : control_(control), onDoubleClick_(std::move(onDoubleClick)) {
  attached_ = control_ && SetWindowSubclass(control_, Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

DoubleClickHook::~DoubleClickHook() {
  if (attached_ && IsWindow(control_)) RemoveWindowSubclass(control_, Proc, kSubclassId);
}

LRESULT CALLBACK DoubleClickHook::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
  auto* hook = reinterpret_cast<DoubleClickHook*>(self);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, Proc, kSubclassId);
    hook->attached_ = false;
    return DefSubclassProc(hwnd, msg, wp, lp);
  }
  LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
  // After the edit's own handling (which selects a word), so that the
  // handler's new text is what stays.
  if (msg == WM_LBUTTONDBLCLK && hook->onDoubleClick_) hook->onDoubleClick_();
  return result;
}

}  // namespace vexa::win32
