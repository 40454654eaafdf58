#include "platform/win32/win32_platform.h"

#include "ui/scoped.h"

namespace vexa::win32 {

std::wstring ExtendedPath(const std::wstring& path) {
  if (path.rfind(L"\\\\?\\", 0) == 0 || path.rfind(L"\\\\.\\", 0) == 0) return path;  // prefixed, or a device
  const bool share = path.rfind(L"\\\\", 0) == 0;
  const bool drive = path.size() > 2 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
  if (!share && !drive) return path;
  // The folder part as the system spells it (separators, "." and ".."), then
  // the last name exactly as given, unless it is itself "." or "..".
  const std::size_t cut = path.find_last_of(L"\\/");
  const std::wstring name = path.substr(cut + 1);
  const bool dots = name == L"." || name == L"..";
  const std::wstring folder = dots ? path : path.substr(0, cut + 1);
  std::wstring full(MAX_PATH, L'\0');
  DWORD n = GetFullPathNameW(folder.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (n >= full.size()) {
    full.assign(n, L'\0');
    n = GetFullPathNameW(folder.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  }
  full.resize(n < full.size() ? n : 0);
  if (full.empty()) full = folder;  // taken as it stands
  if (!dots) full += name;
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

bool Win32FileSystem::Exists(const Path& path) const {
  return GetFileAttributesW(ExtendedPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {
bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD chunk = bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}
}  // namespace

bool Win32FileSystem::Append(const Path& path, std::string_view bytes) {
  // FILE_APPEND_DATA without FILE_WRITE_DATA: every write lands at the end,
  // even when another program appends to the same file.
  ui::ScopedHandle file(CreateFileW(ExtendedPath(path).c_str(), FILE_APPEND_DATA | SYNCHRONIZE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  return WriteAll(file.get(), bytes);
}

namespace {
bool Write(const Path& path, DWORD disposition, std::string_view bytes) {
  ui::ScopedHandle file(CreateFileW(ExtendedPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && WriteAll(file.get(), bytes);
}
}  // namespace

bool Win32FileSystem::WriteNew(const Path& path, std::string_view bytes) { return Write(path, CREATE_ALWAYS, bytes); }

// CREATE_NEW: the system creates the file only when there is none, in one
// step, so a log that exists is never emptied.
bool Win32FileSystem::CreateNew(const Path& path, std::string_view bytes) { return Write(path, CREATE_NEW, bytes); }

std::wstring Win32FileSystem::StoredFileName(const Path& path) const {
  // Wildcards would make the lookup a search.
  if (path.empty() || path.find_first_of(L"*?", path.rfind(L"\\\\?\\", 0) == 0 ? 4 : 0) != std::wstring::npos)
    return {};
  WIN32_FIND_DATAW data;
  ui::ScopedFind find(FindFirstFileExW(ExtendedPath(path).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                      nullptr, 0));
  if (!find) return {};
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {};
  return data.cFileName;
}

std::optional<std::uint64_t> Win32FileSystem::FileLength(const Path& path) const {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (path.empty() || !GetFileAttributesExW(ExtendedPath(path).c_str(), GetFileExInfoStandard, &data))
    return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool Win32FileSystem::ReadHead(const Path& path, std::uint64_t limit, char* buffer, std::size_t room,
                                 const ChunkTaker& take) const {
  ui::ScopedHandle file(CreateFileW(ExtendedPath(path).c_str(), GENERIC_READ,
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
