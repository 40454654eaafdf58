#include "app/win/adapters.h"

#include <commctrl.h>

#include "controls/win32/controls.h"

namespace vexa::app {

std::wstring WindowTextOf(HWND hwnd) {
  int n = GetWindowTextLengthW(hwnd);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(hwnd, s.data(), n + 1);
  s.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return s;
}

void WinCaption::SetText(const std::wstring& text) {
  if (WindowTextOf(hwnd_) != text) SetWindowTextW(hwnd_, text.c_str());
}

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

void WinSpinner::PlayWait() { SendMessageW(hwnd_, controls::kSpinnerPlay, 0, 0); }
void WinSpinner::StopWait() { SendMessageW(hwnd_, controls::kSpinnerStop, 0, 0); }
bool WinSpinner::IsPlaying() const { return SendMessageW(hwnd_, controls::kSpinnerIsPlaying, 0, 0) != 0; }

int WinProgressBar::Min() const { return static_cast<int>(SendMessageW(hwnd_, PBM_GETRANGE, TRUE, 0)); }
int WinProgressBar::Max() const { return static_cast<int>(SendMessageW(hwnd_, PBM_GETRANGE, FALSE, 0)); }
int WinProgressBar::Value() const { return static_cast<int>(SendMessageW(hwnd_, PBM_GETPOS, 0, 0)); }
void WinProgressBar::SetValue(int v) { SendMessageW(hwnd_, PBM_SETPOS, static_cast<WPARAM>(v), 0); }

void WinAnimatedBar::SetEnable(bool on) { SendMessageW(hwnd_, controls::kVistaSetEnable, on, 0); }
bool WinAnimatedBar::Enable() const { return SendMessageW(hwnd_, controls::kVistaGetEnable, 0, 0) != 0; }

void WinMessageBoxes::Show(const std::wstring& text, const std::wstring& title, ui::BoxIcon icon) {
  UINT flags = MB_OK;
  switch (icon) {
    case ui::BoxIcon::Critical: flags |= MB_ICONERROR; break;
    case ui::BoxIcon::Exclamation: flags |= MB_ICONEXCLAMATION; break;
    case ui::BoxIcon::Information: flags |= MB_ICONINFORMATION; break;
    case ui::BoxIcon::None: break;
  }
  // A hidden owner would hide the box too; own it only while the owner shows.
  HWND owner = owner_ && IsWindowVisible(owner_) ? owner_ : nullptr;
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

}  // namespace vexa::app
