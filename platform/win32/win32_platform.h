#pragma once
// The platform interfaces on the real Windows API (wide calls throughout).
#include <windows.h>

#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/shell.h"

namespace vexa::win32 {

class Win32FileSystem : public FileSystem {
 public:
  bool Exists(const Path& path) const override;
  bool Append(const Path& path, std::string_view bytes) override;
  bool WriteNew(const Path& path, std::string_view bytes) override;
  bool CreateNew(const Path& path, std::string_view bytes) override;
  // Folder walks, type names and deletes: platform/win32/folder_win32.cpp.
  bool ListFolder(const Path& folder, std::vector<FolderEntry>& entries) const override;
  std::wstring TypeDescription(const Path& path) const override;
  bool SetNormalAttributes(const Path& path) override;
  bool RemoveFile(const Path& path) override;
  std::wstring StoredFileName(const Path& path) const override;
  std::optional<std::uint64_t> FileLength(const Path& path) const override;
  bool ReadHead(const Path& path, std::uint64_t limit, char* buffer, std::size_t room,
                const ChunkTaker& take) const override;
};

class Win32Environment : public Environment {
 public:
  std::wstring Get(std::wstring_view name) const override;
  std::wstring ExecutablePath() const override;
};

class Win32Clock : public Clock {
 public:
  std::wstring ShortDate() const override;
  LocalTime Now() const override;
  std::uint64_t MonotonicMs() const override;
};

class Win32Shell : public Shell {
 public:
  explicit Win32Shell(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  void OpenDocument(const std::wstring& file, const std::wstring& workingFolder) override;
  void OpenAddress(const std::wstring& address, std::uintptr_t ownerWindow) override;

 private:
  HWND owner_;
};

class Win32Desktop : public Desktop {
 public:
  std::vector<WindowInfo> TopLevelWindows() const override;
  WindowId Foreground() const override;
  std::wstring Title(WindowId window) const override;
  void RequestClose(WindowId window) override;
  std::wstring UpperCase(std::wstring_view text) const override;
};

// A full path (drive or share) as the wide file calls take it exactly: with
// the \\?\ prefix, so that it may be longer than MAX_PATH and its last name
// may end in a dot or a space (the system strips those from a plain path and
// would reach another file). The folder part is normalised first; a relative
// path is returned as it is.
std::wstring ExtendedPath(const std::wstring& path);

}  // namespace vexa::win32
