// Environment, clock, shell and text on the real system.
#include "platform/win32/win32_platform.h"

#include <shellapi.h>

#include "platform/text.h"

namespace vexa::win32 {

std::wstring Win32Environment::Get(std::wstring_view name) const {
  std::wstring key(name);
  DWORD needed = GetEnvironmentVariableW(key.c_str(), nullptr, 0);
  if (needed == 0) return {};
  std::wstring value(needed, L'\0');
  DWORD got = GetEnvironmentVariableW(key.c_str(), value.data(), needed);
  value.resize(got < needed ? got : 0);
  return value;
}

std::wstring Win32Environment::ExecutablePath() const {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD got = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (got == 0) return {};
    if (got < path.size()) {
      path.resize(got);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring Win32Clock::ShortDate() const {
  wchar_t buf[128];
  int n = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buf, 128, nullptr);
  return n > 0 ? std::wstring(buf, n - 1) : std::wstring();
}

LocalTime Win32Clock::Now() const {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::uint64_t Win32Clock::MonotonicMs() const { return GetTickCount64(); }

void Win32Shell::OpenAddress(const std::wstring& address, std::uintptr_t ownerWindow) {
  ShellExecuteW(reinterpret_cast<HWND>(ownerWindow), L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32Shell::OpenDocument(const std::wstring& file, const std::wstring& workingFolder) {
  ShellExecuteW(owner_, nullptr, file.c_str(), nullptr, workingFolder.c_str(), SW_SHOWNORMAL);
}

}  // namespace vexa::win32

namespace vexa {

std::string ToAnsi(std::wstring_view text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  if (n > 0)
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring FromAnsi(std::string_view text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(n > 0 ? n : 0, L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

}  // namespace vexa
