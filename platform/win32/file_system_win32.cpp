#include "platform/win32/handles.h"
#include "platform/win32/win32_platform.h"

namespace vexa::win32 {

std::wstring ExtendedPath(const std::wstring& path) {
  if (path.size() < MAX_PATH - 12 || path.rfind(L"\\\\?\\", 0) == 0) return path;
  if (path.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + path.substr(2);
  if (path.size() > 2 && path[1] == L':') return L"\\\\?\\" + path;
  return path;
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
  ScopedHandle file(CreateFileW(ExtendedPath(path).c_str(), FILE_APPEND_DATA | SYNCHRONIZE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  return WriteAll(file.get(), bytes);
}

bool Win32FileSystem::WriteNew(const Path& path, std::string_view bytes) {
  ScopedHandle file(CreateFileW(ExtendedPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  return WriteAll(file.get(), bytes);
}

}  // namespace vexa::win32
