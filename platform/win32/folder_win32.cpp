// Folder walks, file type names and deletes on the real file system. Links
// (junctions, symbolic links) are never followed: a walk lists them as they
// are, and a delete removes the link itself or nothing.
#include "platform/win32/win32_platform.h"

#include <shellapi.h>

#include "platform/win32/handles.h"

namespace vexa::win32 {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// Junctions and symbolic links are "name surrogates": they stand for
// another place. Other reparse points (cloud placeholders, dedup) are the
// file itself. Some systems report no tag at all for a link.
bool IsLink(const WIN32_FIND_DATAW& found) {
  if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  return found.dwReserved0 == 0 || IsReparseTagNameSurrogate(found.dwReserved0);
}

// Opens a link itself, not what it points at, and runs the action on it.
// Where the system opened the target instead (it ignored the request), the
// handle is not a reparse point, and nothing is done.
template <typename Action>
bool OnLinkItself(const std::wstring& path, DWORD access, Action action) {
  ScopedHandle link(CreateFileW(path.c_str(), access | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!link) return false;
  FILE_ATTRIBUTE_TAG_INFO tag{};
  if (!GetFileInformationByHandleEx(link.get(), FileAttributeTagInfo, &tag, sizeof tag)) return false;
  if (!(tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  return action(link.get());
}

}  // namespace

bool Win32FileSystem::ListFolder(const Path& folder, std::vector<FolderEntry>& entries) const {
  entries.clear();
  if (folder.empty()) return false;
  std::wstring pattern = folder;
  if (!IsSeparator(pattern.back())) pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileExW(ExtendedPath(pattern).c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) {
    // A drive root holding nothing has no "." entry: readable, and empty.
    return GetLastError() == ERROR_FILE_NOT_FOUND &&
           GetFileAttributesW(ExtendedPath(folder).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  do {
    const wchar_t* name = found.cFileName;
    if (name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0))) continue;
    entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, IsLink(found)});
  } while (FindNextFileW(search, &found));
  FindClose(search);
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
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    return OnLinkItself(full, FILE_WRITE_ATTRIBUTES, [](HANDLE link) {
      FILE_BASIC_INFO basic{};  // zero times: left as they are
      basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
      return SetFileInformationByHandle(link, FileBasicInfo, &basic, sizeof basic) != FALSE;
    });
  }
  return SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL) != FALSE;
}

bool Win32FileSystem::RemoveFile(const Path& path) {
  std::wstring full = ExtendedPath(path);
  DWORD attributes = GetFileAttributesW(full.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    // A link to a folder counts as an empty folder of its own: marking the
    // link for deletion removes the link and leaves its target alone.
    return OnLinkItself(full, DELETE, [](HANDLE link) {
      FILE_DISPOSITION_INFO dispose{TRUE};
      return SetFileInformationByHandle(link, FileDispositionInfo, &dispose, sizeof dispose) != FALSE;
    });
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  return DeleteFileW(full.c_str()) != FALSE;
}

}  // namespace vexa::win32
