#pragma once
// The switches the installer runs the program with. Neither opens a window:
//   /close      ends a running copy of this same executable (before an upgrade
//               replaces it), its tray icon going first
//   /uninstall  the same, then takes the program's own "Utility" entry off
//               both Run keys where the entry names this program
// Any other command line starts the program as usual.
#include <windows.h>

namespace vexa::app {

// Runs the switch on `commandLine` (the arguments without the program name).
// False when it holds none: the program then starts. Otherwise `exitCode` is
// 0, or 1 when a running copy could not be ended.
bool RunInstallerSwitch(const wchar_t* commandLine, int& exitCode);

// True for the message on which a running copy ends as its tray menu's
// "Exit" would end it (a message registered for this program).
bool IsEndRunningCopyMessage(UINT msg);
// Lets that message reach `window` from an installer that runs with fewer
// rights than this copy (a copy started as administrator).
void AcceptEndRunningCopy(HWND window);

}  // namespace vexa::app
