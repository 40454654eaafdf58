// Processes and executable files on the real system.
#include "platform/win32/process_table_win32.h"

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include "platform/win32/handles.h"
#include "platform/win32/win32_platform.h"

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
  ScopedHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snap) return out;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snap.get(), &entry); more; more = Process32NextW(snap.get(), &entry)) {
    entry.szExeFile[MAX_PATH - 1] = L'\0';
    out.push_back({entry.szExeFile, entry.th32ProcessID});
  }
  return out;
}

std::wstring Win32ProcessTable::ImagePath(ProcessId id) const {
  // The rights a module-list read needs: a process we may not read this way
  // has no path here, whatever else we could learn about it.
  ScopedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
  if (!process) return {};
  // The image name the system keeps for the process: one call, where walking
  // the module list reads the other process's memory piece by piece.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD size = static_cast<DWORD>(path.size());
    if (QueryFullProcessImageNameW(process.get(), 0, path.data(), &size)) {
      path.resize(size);
      return path;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= 32768) break;
    path.resize(path.size() * 2);
  }
  // Otherwise the first module of the list: the executable.
  HMODULE first = nullptr;
  DWORD needed = 0;
  if (!EnumProcessModules(process.get(), &first, sizeof first, &needed) || !first) return {};
  path.assign(MAX_PATH, L'\0');
  for (;;) {
    DWORD got = GetModuleFileNameExW(process.get(), first, path.data(), static_cast<DWORD>(path.size()));
    if (got == 0) return {};
    if (got < path.size() - 1 || path.size() >= 32768) {
      path.resize(got);
      return path;
    }
    path.resize(path.size() * 2);  // possibly cut: try a larger buffer
  }
}

bool Win32ProcessTable::IsCritical(ProcessId id) const {
  ScopedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
  if (!process) return false;
  if (auto isCritical = Export<IsProcessCriticalFn>(L"kernel32.dll", "IsProcessCritical")) {
    BOOL critical = FALSE;
    if (isCritical(process.get(), &critical)) return critical != FALSE;
  }
  if (auto query = Export<NtQueryInformationProcessFn>(L"ntdll.dll", "NtQueryInformationProcess")) {
    ULONG flag = 0;
    if (query(process.get(), kProcessBreakOnTermination, &flag, sizeof flag, nullptr) >= 0) return flag != 0;
  }
  return false;
}

ProcessId Win32ProcessTable::CurrentId() const { return GetCurrentProcessId(); }

bool Win32ProcessTable::Terminate(ProcessId id) {
  ScopedHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, id));
  return process && TerminateProcess(process.get(), 0);
}

std::wstring Win32ProcessTable::WindowsFolder() const {
  wchar_t buf[MAX_PATH];
  UINT n = GetWindowsDirectoryW(buf, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return {};
  std::wstring folder(buf, n);
  if (folder.size() > 1 && folder.back() == L'\\') folder.pop_back();
  return folder;
}

bool Win32ProcessTable::PathExists(const std::wstring& path) const {
  return !path.empty() && GetFileAttributesW(ExtendedPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring Win32ProcessTable::StoredFileName(const std::wstring& path) const {
  // Wildcards would make the lookup a search.
  if (path.empty() || path.find_first_of(L"*?", path.rfind(L"\\\\?\\", 0) == 0 ? 4 : 0) != std::wstring::npos)
    return {};
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileExW(ExtendedPath(path).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                 nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) return {};
  FindClose(find);
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {};
  return data.cFileName;
}

std::optional<std::uint64_t> Win32ProcessTable::FileLength(const std::wstring& path) const {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (path.empty() || !GetFileAttributesExW(ExtendedPath(path).c_str(), GetFileExInfoStandard, &data))
    return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool Win32ProcessTable::ReadHead(const std::wstring& path, std::uint64_t limit, char* buffer, std::size_t room,
                                 const ChunkTaker& take) const {
  ScopedHandle file(CreateFileW(ExtendedPath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return false;
  if (room > 0x40000000u) room = 0x40000000u;
  while (limit > 0) {
    DWORD want = static_cast<DWORD>(limit < room ? limit : room);
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, want, &got, nullptr)) return false;
    if (got == 0) break;
    limit -= got;
    if (!take(got)) break;
  }
  return true;
}

}  // namespace vexa::win32
