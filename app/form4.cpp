#include "app/form4.h"

namespace vexa::app {

Form4::Form4(std::function<void()> onShow, std::function<void()> onExit)
    : onShow_(std::move(onShow)), onExit_(std::move(onExit)) {}

void Form4::Load() {
  if (Loaded()) return;
  RegisterClass(L"VexaForm4");
  Create(0, L"VexaForm4", L"Form4", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 300, 200, nullptr);
  mnuPop_.reset(CreatePopupMenu());
  AppendMenuW(mnuPop_.get(), MF_STRING, kMnuShow, L"Show");
  AppendMenuW(mnuPop_.get(), MF_STRING, kMnuExit, L"Exit");
}

void Form4::PopupMenu(HWND owner) {
  Load();
  POINT pt;
  GetCursorPos(&pt);
  // The owner must be foreground, or a click elsewhere would not close the menu.
  SetForegroundWindow(owner);
  UINT cmd = TrackPopupMenu(mnuPop_.get(), TPM_RETURNCMD | TPM_NONOTIFY, pt.x, pt.y, 0, owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
  if (cmd == kMnuShow) mnuShow_Click();
  if (cmd == kMnuExit) mnuExit_Click();
}

void Form4::mnuShow_Click() {
  if (onShow_) onShow_();
}

void Form4::mnuExit_Click() {
  if (onExit_) onExit_();
}

}  // namespace vexa::app
