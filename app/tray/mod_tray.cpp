#include "app/tray/mod_tray.h"

#include <shellapi.h>

#include "platform/text.h"

namespace vexa::app {

NOTIFYICONDATAW ModTray::Native() const {
  // The shell takes the current structure; its fields carry the record's values.
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof nid;
  nid.hWnd = window_;
  nid.uID = record_.uID;
  nid.uFlags = record_.uFlags;
  nid.uCallbackMessage = record_.uCallbackMessage;
  nid.hIcon = icon_;
  tip_.copy(nid.szTip, std::min<size_t>(tip_.size(), 63));
  return nid;
}

bool ModTray::AddTrayIcon(HWND window, const std::wstring& tip, HICON icon) {
  window_ = window;
  icon_ = icon;
  tip_ = tip.substr(0, 64);
  record_ = MakeTrayIconData(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window)), ToAnsi(tip),
                             static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(icon)));
  NOTIFYICONDATAW nid = Native();
  Shell_NotifyIconW(NIM_DELETE, &nid);  // one this window added before: NIM_ADD fails on it
  added_ = Shell_NotifyIconW(NIM_ADD, &nid) != FALSE;
  return added_;
}

bool ModTray::ReAdd() {
  if (!window_) return false;
  NOTIFYICONDATAW nid = Native();
  added_ = Shell_NotifyIconW(NIM_ADD, &nid) != FALSE;
  return added_;
}

void ModTray::RemoveTrayIcon() {
  if (!window_) return;
  NOTIFYICONDATAW nid = Native();
  Shell_NotifyIconW(NIM_DELETE, &nid);
  added_ = false;
}

}  // namespace vexa::app
