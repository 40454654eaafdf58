// The desktop's top-level windows on the real system.
#include "platform/win32/win32_platform.h"

namespace vexa::win32 {
namespace {

// Titles and class names are read into 255-character buffers.
std::wstring WindowText(HWND hwnd) {
  wchar_t buf[255];
  int n = GetWindowTextW(hwnd, buf, 255);
  return std::wstring(buf, n > 0 ? n : 0);
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t buf[256];
  int n = GetClassNameW(hwnd, buf, 256);
  return std::wstring(buf, n > 0 ? n : 0);
}

}  // namespace

std::vector<WindowInfo> Win32Desktop::TopLevelWindows() const {
  std::vector<WindowInfo> out;
  for (HWND h = FindWindowExW(nullptr, nullptr, nullptr, nullptr); h; h = FindWindowExW(nullptr, h, nullptr, nullptr))
    out.push_back({reinterpret_cast<WindowId>(h), WindowText(h), ClassOf(h), IsWindowVisible(h) != FALSE});
  return out;
}

WindowId Win32Desktop::Foreground() const { return reinterpret_cast<WindowId>(GetForegroundWindow()); }

std::wstring Win32Desktop::Title(WindowId window) const { return WindowText(reinterpret_cast<HWND>(window)); }

void Win32Desktop::RequestClose(WindowId window) {
  // Posted: a window whose program does not answer cannot hold us up.
  PostMessageW(reinterpret_cast<HWND>(window), WM_SYSCOMMAND, SC_CLOSE, 0);
}

std::wstring Win32Desktop::UpperCase(std::wstring_view text) const {
  std::wstring out(text);
  if (!out.empty()) CharUpperBuffW(out.data(), static_cast<DWORD>(out.size()));
  return out;
}

}  // namespace vexa::win32
