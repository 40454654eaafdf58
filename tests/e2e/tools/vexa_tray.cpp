// vexa_tray: works the tray menu of a running VexaUtility as the shell would.
//   vexa_tray show   waits for the splash to end, then picks "Show"
//   vexa_tray exit   picks "Exit"
// Used by scripts/run to open the main window without a desktop shell.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

namespace {

HWND FindVisibleClass(const wchar_t* cls) {
  for (HWND h = FindWindowExW(nullptr, nullptr, cls, nullptr); h; h = FindWindowExW(nullptr, h, cls, nullptr))
    if (IsWindowVisible(h)) return h;
  return nullptr;
}

bool Wait(bool (*done)(), int ms) {
  for (int waited = 0; waited < ms; waited += 50) {
    if (done()) return true;
    Sleep(50);
  }
  return done();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int item = (argc > 1 && std::wcscmp(argv[1], L"exit") == 0) ? 2 : 1;
  static HWND splash;
  if (!Wait([] { return (splash = FindWindowW(L"VexaForm2", L"Form2")) != nullptr; }, 30000)) {
    std::fprintf(stderr, "VexaUtility is not running\n");
    return 1;
  }
  // The icon is added when the splash ends; until then the menu cannot open.
  if (!Wait([] {
        NOTIFYICONDATAW nid{};
        nid.cbSize = sizeof nid;
        nid.hWnd = splash;
        nid.uID = 1;
        return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
      }, 20000)) {
    std::fprintf(stderr, "the tray icon did not appear\n");
    return 1;
  }
  Sleep(200);
  PostMessageW(splash, WM_MOUSEMOVE, 0, WM_RBUTTONUP);
  static HWND menu;
  if (!Wait([] { return (menu = FindVisibleClass(L"#32768")) != nullptr; }, 5000)) {
    std::fprintf(stderr, "the tray menu did not open\n");
    return 1;
  }
  for (int i = 0; i < item; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  if (item == 1 && !Wait([] { return FindWindowW(L"VexaForm1", nullptr) && IsWindowVisible(FindWindowW(L"VexaForm1", nullptr)); }, 5000)) {
    std::fprintf(stderr, "the main window did not show\n");
    return 1;
  }
  return 0;
}
