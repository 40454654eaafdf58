#include "app/uninstall.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/model/tray_record.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/win32_platform.h"
#include "registry/start_with_windows.h"
#include "ui/scoped.h"

namespace vexa::app {

namespace {

constexpr DWORD kGracefulMs = 5000;  // for the copy to end on its own
constexpr DWORD kForcedMs = 5000;    // for a terminated copy to be gone

UINT EndRunningCopyMessage() {
  static const UINT message = RegisterWindowMessageW(L"VexaUtility.EndRunningCopy");
  return message;
}

// The long form of a path, so that a short (8.3) spelling compares equal.
std::wstring LongPath(const std::wstring& path) {
  std::wstring out(MAX_PATH, L'\0');
  DWORD n = GetLongPathNameW(path.c_str(), out.data(), static_cast<DWORD>(out.size()));
  if (n > out.size()) {
    out.resize(n);
    n = GetLongPathNameW(path.c_str(), out.data(), n);
  }
  if (n == 0 || n > out.size()) return path;
  out.resize(n);
  return out;
}

std::wstring OwnPath() {
  std::wstring path(32768, L'\0');
  DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(n < path.size() ? n : 0);
  return LongPath(path);
}

std::wstring ImagePath(HANDLE process) {
  std::wstring path(32768, L'\0');
  DWORD n = static_cast<DWORD>(path.size());
  if (!QueryFullProcessImageNameW(process, 0, path.data(), &n)) return {};
  path.resize(n);
  return LongPath(path);
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return !a.empty() && CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                            static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// The tray windows (the hidden splash, class VexaForm2) of other processes.
std::vector<HWND> TrayWindows() {
  std::vector<HWND> found;
  for (HWND h = FindWindowExW(nullptr, nullptr, L"VexaForm2", nullptr); h;
       h = FindWindowExW(nullptr, h, L"VexaForm2", nullptr))
    found.push_back(h);
  return found;
}

// Ends the copy that owns `window` when it runs this executable. It is asked
// to end as "Exit" ends it; one that does not answer loses its tray icon and
// is terminated. False when it is still running, as when it runs as
// administrator and this copy does not.
bool EndCopy(HWND window, const std::wstring& ownPath) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == 0 || pid == GetCurrentProcessId()) return true;
  // The handle held keeps the id from going to another process meanwhile.
  ui::ScopedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid));
  if (!process) return GetLastError() == ERROR_INVALID_PARAMETER;  // gone already
  if (!SamePath(ImagePath(process.get()), ownPath)) return true;     // another install's copy
  PostMessageW(window, EndRunningCopyMessage(), 0, 0);
  if (WaitForSingleObject(process.get(), kGracefulMs) == WAIT_OBJECT_0) return true;
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof nid;
  nid.hWnd = window;
  nid.uID = TrayIconData{}.uID;
  Shell_NotifyIconW(NIM_DELETE, &nid);
  ui::ScopedHandle end(OpenProcess(PROCESS_TERMINATE, FALSE, pid));
  if (end) TerminateProcess(end.get(), 1);
  return WaitForSingleObject(process.get(), kForcedMs) == WAIT_OBJECT_0;
}

bool IsSwitch(std::wstring_view arg, std::wstring_view name) {
  if (arg.size() != name.size() + 1 || (arg[0] != L'/' && arg[0] != L'-')) return false;
  arg.remove_prefix(1);
  return CompareStringOrdinal(arg.data(), static_cast<int>(arg.size()), name.data(), static_cast<int>(name.size()),
                              TRUE) == CSTR_EQUAL;
}

}  // namespace

bool RunInstallerSwitch(const wchar_t* commandLine, int& exitCode) {
  std::wstring_view arg = commandLine ? commandLine : L"";
  while (!arg.empty() && (arg.front() == L' ' || arg.front() == L'\t')) arg.remove_prefix(1);
  while (!arg.empty() && (arg.back() == L' ' || arg.back() == L'\t')) arg.remove_suffix(1);
  const bool uninstall = IsSwitch(arg, L"uninstall");
  if (!uninstall && !IsSwitch(arg, L"close")) return false;

  const std::wstring ownPath = OwnPath();
  bool allEnded = true;
  for (HWND window : TrayWindows()) allEnded = EndCopy(window, ownPath) && allEnded;
  if (uninstall) {
    win32::Win32Registry registry;
    win32::Win32Environment environment;
    registry::StartupEntry(registry, environment).RemoveOwn();
  }
  exitCode = allEnded ? 0 : 1;
  return true;
}

bool IsEndRunningCopyMessage(UINT msg) {
  const UINT message = EndRunningCopyMessage();
  return message != 0 && msg == message;
}

void AcceptEndRunningCopy(HWND window) {
  if (const UINT message = EndRunningCopyMessage()) ChangeWindowMessageFilterEx(window, message, MSGFLT_ALLOW, nullptr);
}

}  // namespace vexa::app
