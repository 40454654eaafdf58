// VexaUtility: start-up. The splash loads the main window hidden, shows for
// three seconds, then the program lives in the notification area.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/app_context.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/form4.h"
#include "app/uninstall.h"

namespace {

[[noreturn]] void EndProgram(vexa::app::ModTray& tray) {
  // "Exit" ends at once: no window's unload step runs. The icon goes first so
  // that no dead icon is left in the notification area.
  tray.RemoveTrayIcon();
  ExitProcess(0);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  if (int code = 0; vexa::app::RunInstallerSwitch(commandLine, code)) return code;  // run by the installer
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  // The shell's file-type names (the cookie filter) need COM on this thread.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

  vexa::app::AppContext app;
  vexa::app::Form1 form1(app);
  vexa::app::Form2* splash = nullptr;
  vexa::app::Form4 form4([&form1] { form1.ShowMain(); }, [&splash] { EndProgram(splash->Tray()); });
  vexa::app::Form2 form2(app, form1, form4);
  splash = &form2;

  if (!form2.Form_Load()) ExitProcess(0);  // another copy runs: nothing else happens
  form2.ShowSplash();
  form2.LoadMainWindow();

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // In every window of the program Tab and the arrow keys move between its
    // controls, Enter presses the default button and Escape cancels.
    HWND window = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (window && IsDialogMessageW(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
