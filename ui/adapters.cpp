#include "ui/adapters.h"

#include <commctrl.h>

#include "controls/win32/controls.h"
#include "ui/window.h"

namespace vexa::ui {

void WinCaption::SetText(const std::wstring& text) {
  if (WindowText(hwnd_) != text) SetWindowTextW(hwnd_, text.c_str());
}
std::wstring WinCaption::Text() const { return WindowText(hwnd_); }

void WinButton::SetText(const std::wstring& text) { SetWindowTextW(hwnd_, text.c_str()); }
std::wstring WinButton::Text() const { return WindowText(hwnd_); }
void WinButton::SetEnabled(bool on) { EnableWindow(hwnd_, on); }
bool WinButton::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

void WinTimer::SetEnabled(bool on) {
  enabled_ = on;
  if (on && interval_ > 0)
    SetTimer(owner_, id_, interval_, nullptr);
  else
    KillTimer(owner_, id_);
}

void WinTimer::SetInterval(unsigned ms) {
  interval_ = ms;
  if (enabled_) SetEnabled(true);
}

int WinToggle::Value() const { return static_cast<int>(SendMessageW(hwnd_, BM_GETCHECK, 0, 0)); }
void WinToggle::SetValue(int value) { SendMessageW(hwnd_, BM_SETCHECK, static_cast<WPARAM>(value), 0); }
void WinToggle::SetEnabled(bool on) { EnableWindow(hwnd_, on); }
bool WinToggle::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

void WinSpinner::PlayWait() { SendMessageW(hwnd_, controls::kSpinnerPlay, 0, 0); }
void WinSpinner::StopWait() { SendMessageW(hwnd_, controls::kSpinnerStop, 0, 0); }
bool WinSpinner::IsPlaying() const { return SendMessageW(hwnd_, controls::kSpinnerIsPlaying, 0, 0) != 0; }

int WinProgressBar::Min() const { return static_cast<int>(SendMessageW(hwnd_, PBM_GETRANGE, TRUE, 0)); }
int WinProgressBar::Max() const { return static_cast<int>(SendMessageW(hwnd_, PBM_GETRANGE, FALSE, 0)); }
int WinProgressBar::Value() const { return static_cast<int>(SendMessageW(hwnd_, PBM_GETPOS, 0, 0)); }
void WinProgressBar::SetValue(int value) { SendMessageW(hwnd_, PBM_SETPOS, static_cast<WPARAM>(value), 0); }

void WinAnimatedBar::SetEnable(bool on) { SendMessageW(hwnd_, controls::kVistaSetEnable, on, 0); }
bool WinAnimatedBar::Enable() const { return SendMessageW(hwnd_, controls::kVistaGetEnable, 0, 0) != 0; }

void WinMessageBoxes::Show(const std::wstring& text, const std::wstring& title, BoxIcon icon) {
  UINT flags = MB_OK;
  switch (icon) {
    case BoxIcon::Critical: flags |= MB_ICONERROR; break;
    case BoxIcon::Exclamation: flags |= MB_ICONEXCLAMATION; break;
    case BoxIcon::Information: flags |= MB_ICONINFORMATION; break;
    case BoxIcon::None: break;
  }
  HWND owner = hwnd_ && IsWindowVisible(hwnd_) ? hwnd_ : nullptr;
  MessageBoxW(owner, text.c_str(), title.c_str(), flags | (owner ? 0 : MB_SETFOREGROUND));
}

void WinEventPump::DoEvents() {
  MSG msg;
  // Bounded: a flood of posted messages cannot keep the caller here forever.
  for (int i = 0; i < 1000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

namespace {
constexpr UINT_PTR kDoubleClickHookId = 0x56455855;  // one hook of this kind per control
}

bool DoubleClickHook::Attach(HWND control) {
  control_ = control;
  return control && SetWindowSubclass(control, Proc, kDoubleClickHookId, reinterpret_cast<DWORD_PTR>(this));
}

DoubleClickHook::~DoubleClickHook() {
  if (control_ && IsWindow(control_)) RemoveWindowSubclass(control_, Proc, kDoubleClickHookId);
}

LRESULT CALLBACK DoubleClickHook::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
  auto* hook = reinterpret_cast<DoubleClickHook*>(self);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, Proc, kDoubleClickHookId);
    hook->control_ = nullptr;
    return DefSubclassProc(hwnd, msg, wp, lp);
  }
  LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
  // After the edit's own handling (which selects a word), so that the
  // handler's new text is what stays.
  if (msg == WM_LBUTTONDBLCLK && hook->onDoubleClick_) hook->onDoubleClick_();
  return result;
}

}  // namespace vexa::ui
