// vexa_tray: works the tray menu of a running VexaUtility as the shell would.
//   vexa_tray show   waits for the splash to end, then picks "Show"
//   vexa_tray exit   picks "Exit"
// Used by scripts/run to open the main window without a desktop shell.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

namespace {

// Polls every 50 ms until `found` gives a window or `ms` pass.
template <typename Find>
HWND Wait(Find found, int ms) {
  HWND h = nullptr;
  for (int waited = 0; !(h = found()) && waited < ms; waited += 50) Sleep(50);
  return h;
}

HWND Visible(const wchar_t* cls) {
  for (HWND h = FindWindowExW(nullptr, nullptr, cls, nullptr); h; h = FindWindowExW(nullptr, h, cls, nullptr))
    if (IsWindowVisible(h)) return h;
  return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int item = argc > 1 && std::wcscmp(argv[1], L"exit") == 0 ? 2 : 1;
  // The icon belongs to the splash window and is added when the splash ends.
  HWND splash = Wait([] { return FindWindowW(L"VexaForm2", L"Form2"); }, 30000);
  NOTIFYICONDATAW nid{sizeof nid};
  nid.uID = 1;
  nid.hWnd = splash;
  if (!splash || !Wait([&] { return Shell_NotifyIconW(NIM_MODIFY, &nid) ? splash : nullptr; }, 20000)) {
    std::fputs("VexaUtility is not running, or its tray icon never came\n", stderr);
    return 1;
  }
  PostMessageW(splash, WM_MOUSEMOVE, 0, WM_RBUTTONUP);  // the icon's callback message
  HWND menu = Wait([] { return Visible(L"#32768"); }, 5000);
  if (!menu) {
    std::fputs("the tray menu did not open\n", stderr);
    return 1;
  }
  for (int i = 0; i < item; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  if (item == 1 && !Wait([] { return Visible(L"VexaForm1"); }, 5000)) {
    std::fputs("the main window did not show\n", stderr);
    return 1;
  }
  return 0;
}
