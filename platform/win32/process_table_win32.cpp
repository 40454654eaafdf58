// Processes and executable files on the real system.
#include "platform/win32/process_table_win32.h"

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include "ui/scoped.h"

namespace vexa::win32 {
namespace {

// ProcessBreakOnTermination of NtQueryInformationProcess.
constexpr ULONG kProcessBreakOnTermination = 29;
using NtQueryInformationProcessFn = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
using IsProcessCriticalFn = BOOL(WINAPI*)(HANDLE, PBOOL);

template <typename Fn>
Fn Export(const wchar_t* module, const char* name) {
  HMODULE m = GetModuleHandleW(module);
  return m ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m, name))) : nullptr;
}

}  // namespace

std::vector<ProcessEntry> Win32ProcessTable::Snapshot() const {
  std::vector<ProcessEntry> out;
  ui::ScopedHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snap) return out;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snap.get(), &entry); more; more = Process32NextW(snap.get(), &entry)) {
    entry.szExeFile[MAX_PATH - 1] = L'\0';
    out.push_back({entry.szExeFile, entry.th32ProcessID});
  }
  return out;
}

namespace {

class Win32OpenedProcess : public OpenedProcess {
 public:
  Win32OpenedProcess(HANDLE process, bool mayEnd) : process_(process), mayEnd_(mayEnd) {}

  std::wstring ImagePath() const override {
    // The image name the system keeps for the process: one call, where
    // walking the module list reads the other process's memory piece by piece.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
      DWORD size = static_cast<DWORD>(path.size());
      if (QueryFullProcessImageNameW(process_.get(), 0, path.data(), &size)) {
        path.resize(size);
        return path;
      }
      if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= 32768) break;
      path.resize(path.size() * 2);
    }
    // Otherwise the first module of the list: the executable.
    HMODULE first = nullptr;
    DWORD needed = 0;
    if (!EnumProcessModules(process_.get(), &first, sizeof first, &needed) || !first) return {};
    path.assign(MAX_PATH, L'\0');
    for (;;) {
      DWORD got = GetModuleFileNameExW(process_.get(), first, path.data(), static_cast<DWORD>(path.size()));
      if (got == 0) return {};
      if (got < path.size() - 1 || path.size() >= 32768) {
        path.resize(got);
        return path;
      }
      path.resize(path.size() * 2);  // possibly cut: try a larger buffer
    }
  }

  bool IsCritical() const override {
    if (auto isCritical = Export<IsProcessCriticalFn>(L"kernel32.dll", "IsProcessCritical")) {
      BOOL critical = FALSE;
      if (isCritical(process_.get(), &critical)) return critical != FALSE;
    }
    if (auto query = Export<NtQueryInformationProcessFn>(L"ntdll.dll", "NtQueryInformationProcess")) {
      ULONG flag = 0;
      if (query(process_.get(), kProcessBreakOnTermination, &flag, sizeof flag, nullptr) >= 0) return flag != 0;
    }
    return false;
  }

  bool Terminate() override { return mayEnd_ && TerminateProcess(process_.get(), 0); }

 private:
  ui::ScopedHandle process_;
  bool mayEnd_;
};

}  // namespace

std::unique_ptr<OpenedProcess> Win32ProcessTable::Open(ProcessId id) {
  constexpr DWORD kExamine = PROCESS_QUERY_INFORMATION | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ;
  if (HANDLE h = OpenProcess(kExamine | PROCESS_TERMINATE, FALSE, id))
    return std::make_unique<Win32OpenedProcess>(h, true);
  // A process we may look at but not end is still examined.
  for (DWORD rights : {kExamine, static_cast<DWORD>(PROCESS_QUERY_LIMITED_INFORMATION)})
    if (HANDLE h = OpenProcess(rights, FALSE, id)) return std::make_unique<Win32OpenedProcess>(h, false);
  return nullptr;
}

ProcessId Win32ProcessTable::CurrentId() const { return GetCurrentProcessId(); }

std::wstring Win32ProcessTable::WindowsFolder() const {
  wchar_t buf[MAX_PATH];
  UINT n = GetWindowsDirectoryW(buf, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return {};
  std::wstring folder(buf, n);
  if (folder.size() > 1 && folder.back() == L'\\') folder.pop_back();
  return folder;
}

}  // namespace vexa::win32
