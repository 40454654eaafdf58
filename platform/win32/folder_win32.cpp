// Folder walks, file type names and deletes on the real file system. Links
// (junctions, symbolic links) are never followed: a walk lists them as they
// are, and a delete or an attribute change touches the link itself or
// nothing.
#include "platform/win32/win32_platform.h"

#include <shellapi.h>

#include "ui/scoped.h"

namespace vexa::win32 {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsLink(const WIN32_FIND_DATAW& found) {
  return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsLinkTag(found.dwReserved0);
}

// "\\?\C:\x" as "C:\x", "\\?\UNC\server\x" as "\\server\x".
std::wstring WithoutPrefix(const std::wstring& path) {
  if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\" + path.substr(7);
  if (path.rfind(L"\\\\?\\", 0) == 0) return path.substr(4);
  return path;
}

// The path of an open item as the system resolves it, without the "\\?\"
// prefix; empty when the system cannot tell.
std::wstring FinalPath(HANDLE item) {
  std::wstring path(MAX_PATH, L'\0');
  DWORD n = GetFinalPathNameByHandleW(item, path.data(), static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
  if (n >= path.size()) {
    path.assign(n, L'\0');
    n = GetFinalPathNameByHandleW(item, path.data(), static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
    if (n >= path.size()) n = 0;
  }
  path.resize(n);
  return WithoutPrefix(path);
}

std::wstring FinalPathOf(const std::wstring& path) {
  ui::ScopedHandle item(CreateFileW(ExtendedPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  return item ? FinalPath(item.get()) : std::wstring();
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

std::wstring FullPath(const std::wstring& path) { return WithoutPrefix(ExtendedPath(path)); }

// Whether the open item resolves to a place other than its path's: false
// when it is where the path says, or when the system cannot tell.
bool ResolvesElsewhere(HANDLE item, const std::wstring& path) {
  std::wstring resolved = FinalPath(item);
  if (resolved.empty()) return false;
  std::wstring full = FullPath(path);
  if (full.empty() || SamePath(resolved, full)) return false;
  // A folder above may be reached through a link or a short name: the item
  // belongs there when it resolves to its folder's place plus its name. The
  // folder itself is looked up as it is (a link is not followed), so nothing
  // is taken through a folder that is itself a link.
  std::size_t cut = full.find_last_of(L"\\/");
  if (cut == std::wstring::npos || cut == 0) return false;
  std::wstring folder = full.substr(0, cut);
  if (folder.back() == L':') folder += L'\\';  // a drive's root
  folder = FinalPathOf(folder);
  if (folder.empty()) return false;
  if (IsSeparator(folder.back())) folder.pop_back();
  return !SamePath(resolved, folder + L'\\' + full.substr(cut + 1));
}

// Opens the item a path names, with `access`, for an attribute change or a
// delete through the handle. Some systems (Wine) report a symbolic link to a
// file as the file it points at and open that file even when asked for the
// link itself; such an item resolves outside its folder and is not opened,
// so nothing reaches a file elsewhere.
ui::ScopedHandle OpenInPlace(const std::wstring& path, DWORD access) {
  ui::ScopedHandle item(CreateFileW(ExtendedPath(path).c_str(), access | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (item && ResolvesElsewhere(item.get(), path)) item.reset();
  return item;
}

// Opens a link itself, not what it points at, and runs the action on it.
// Where the system opened the target instead (it ignored the request), the
// handle is not a reparse point, and nothing is done; nor is anything done
// to a reparse point that is no link, or to a link reached through a link
// in its folder's path (it lies elsewhere).
template <typename Action>
bool OnLinkItself(const std::wstring& path, DWORD access, Action action) {
  ui::ScopedHandle link(CreateFileW(ExtendedPath(path).c_str(), access | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!link) return false;
  FILE_ATTRIBUTE_TAG_INFO tag{};
  if (!GetFileInformationByHandleEx(link.get(), FileAttributeTagInfo, &tag, sizeof tag)) return false;
  if (!(tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || !IsLinkTag(tag.ReparseTag)) return false;
  if (ResolvesElsewhere(link.get(), path)) return false;
  return action(link.get());
}

bool SetNormal(HANDLE item) {
  FILE_BASIC_INFO basic{};  // zero times: left as they are
  basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
  return SetFileInformationByHandle(item, FileBasicInfo, &basic, sizeof basic) != FALSE;
}

// Marks the item for deletion. Where the system can, its name goes at once
// even while another program holds it open (as DeleteFileW does today);
// elsewhere when the last handle closes. A read-only file stays.
bool Dispose(HANDLE item) {
  // FileDispositionInfoEx with FILE_DISPOSITION_FLAG_DELETE and _POSIX_SEMANTICS
  // (Windows 10 1607 on; the headers show them only to builds for it). A
  // system that does not know the class is not asked again.
  constexpr auto kDispositionInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(21);
  static bool exKnown = true;
  if (exKnown) {
    DWORD now = 0x1 | 0x2;
    if (SetFileInformationByHandle(item, kDispositionInfoEx, &now, sizeof now)) return true;
    const DWORD error = GetLastError();
    exKnown = error != ERROR_INVALID_PARAMETER && error != ERROR_NOT_SUPPORTED && error != ERROR_INVALID_FUNCTION;
  }
  FILE_DISPOSITION_INFO dispose{TRUE};
  return SetFileInformationByHandle(item, FileDispositionInfo, &dispose, sizeof dispose) != FALSE;
}

}  // namespace

bool Win32FileSystem::ListFolder(const Path& folder, std::vector<FolderEntry>& entries) const {
  entries.clear();
  if (folder.empty()) return false;
  std::wstring pattern = folder;
  if (!IsSeparator(pattern.back())) pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW found;
  ui::ScopedFind search(FindFirstFileExW(ExtendedPath(pattern).c_str(), FindExInfoBasic, &found,
                                        FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!search) {
    // A drive root holding nothing has no "." entry: readable, and empty.
    return GetLastError() == ERROR_FILE_NOT_FOUND &&
           GetFileAttributesW(ExtendedPath(folder).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  do {
    const wchar_t* name = found.cFileName;
    if (name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0))) continue;
    entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, IsLink(found)});
  } while (FindNextFileW(search.get(), &found));
  return true;
}

std::wstring Win32FileSystem::TypeDescription(const Path& path) const {
  // With SHGFI_USEFILEATTRIBUTES the shell looks at the name only and never
  // opens the file; the name alone also keeps long paths out of its buffer.
  auto cut = path.find_last_of(L"\\/");
  std::wstring name = cut == std::wstring::npos ? path : path.substr(cut + 1);
  SHFILEINFOW info{};
  if (!SHGetFileInfoW(name.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                      SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES))
    return {};
  return info.szTypeName;
}

bool Win32FileSystem::SetNormalAttributes(const Path& path) {
  std::wstring full = ExtendedPath(path);
  DWORD attributes = GetFileAttributesW(full.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return OnLinkItself(path, FILE_WRITE_ATTRIBUTES, SetNormal);
  ui::ScopedHandle item = OpenInPlace(path, FILE_WRITE_ATTRIBUTES);
  return item && SetNormal(item.get());
}

bool Win32FileSystem::RemoveFile(const Path& path) {
  std::wstring full = ExtendedPath(path);
  DWORD attributes = GetFileAttributesW(full.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  // A link to a folder counts as an empty folder of its own: marking the
  // link for deletion removes the link and leaves its target alone.
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return OnLinkItself(path, DELETE, Dispose);
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  ui::ScopedHandle item = OpenInPlace(path, DELETE);
  return item && Dispose(item.get());
}

}  // namespace vexa::win32
