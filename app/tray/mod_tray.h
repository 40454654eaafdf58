#pragma once
// ModTray: the notification-area icon.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/model/tray_record.h"

namespace vexa::app {

class ModTray {
 public:
  // Fills the record and adds the icon; errors are ignored (the program then
  // runs without an icon). Returns whether the shell took it.
  bool AddTrayIcon(HWND window, const std::wstring& tip, HICON icon);
  // Adds the icon again after the taskbar has restarted.
  bool ReAdd();
  // Removes the icon (before the program ends).
  void RemoveTrayIcon();

  const TrayIconData& Record() const { return record_; }
  bool Added() const { return added_; }

 private:
  NOTIFYICONDATAW Native() const;

  TrayIconData record_;
  HWND window_ = nullptr;
  HICON icon_ = nullptr;
  std::wstring tip_;
  bool added_ = false;
};

}  // namespace vexa::app
