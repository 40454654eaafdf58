// Baseline for the start-up benchmark: the least a Windows program can do to
// put a window on screen. Shows a window captioned "Baseline" and waits.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.lpszClassName = L"BaselineWindow";
  RegisterClassW(&wc);
  HWND w = CreateWindowExW(0, L"BaselineWindow", L"Baseline", WS_POPUP | WS_VISIBLE, 100, 100, 412, 140, nullptr,
                           nullptr, instance, nullptr);
  UpdateWindow(w);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
