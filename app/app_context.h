#pragma once
// What the windows share: the platform on the real system, the activity log
// and the program icon.
#include <windows.h>

#include <memory>

#include "log/activity_log.h"
#include "platform/win32/http_client_win32.h"
#include "platform/win32/process_table_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/win32_platform.h"

namespace vexa::app {

struct AppContext {
  win32::Win32FileSystem files;
  win32::Win32Environment env;
  win32::Win32Clock clock;
  win32::Win32Shell shell;
  win32::Win32Desktop desktop;
  win32::Win32Registry registry;
  win32::Win32SystemFolders systemFolders;
  win32::Win32HttpClient http;
  win32::Win32ConnectionCheck connection;
  win32::Win32ProcessTable processes;
  std::unique_ptr<ActivityLog> log;
  HICON icon = nullptr;        // the program icon, 32 x 32
  HICON smallIcon = nullptr;   // 16 x 16, for the tray
  HANDLE instanceMutex = nullptr;
  int anotherCopy = -1;  // -1 until checked

  AppContext();
};

// True when another copy of the program is running (checked once; the answer
// stays the same for the life of the process).
bool AnotherCopyRuns(AppContext& app);

}  // namespace vexa::app
