#pragma once
// The registry as the engines see it. Each change opens or creates one key,
// makes one change and closes the key again; nothing is held between calls.
// Statuses are Win32 error codes (0 = success).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// The predefined roots, by their handle values.
enum class RegRoot : std::uint32_t {
  ClassesRoot = 0x80000000u,   // HKEY_CLASSES_ROOT
  CurrentUser = 0x80000001u,   // HKEY_CURRENT_USER
  LocalMachine = 0x80000002u,  // HKEY_LOCAL_MACHINE
  Users = 0x80000003u,         // HKEY_USERS, the root of all user profiles
};

using RegStatus = std::int32_t;

inline constexpr RegStatus kRegSuccess = 0;
inline constexpr RegStatus kRegFileNotFound = 2;   // ERROR_FILE_NOT_FOUND
inline constexpr RegStatus kRegAccessDenied = 5;   // ERROR_ACCESS_DENIED
inline constexpr RegStatus kRegInvalidHandle = 6;  // ERROR_INVALID_HANDLE

// Value types as the registry stores them.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;
inline constexpr std::uint32_t kRegQword = 11;

// The result of one change. `status` is what the change call returned and is
// the operation's one status. When the key could not be opened or created the
// change is made on no key and `status` is kRegInvalidHandle; `keyStatus`
// then says why (not found, access denied).
struct RegResult {
  RegStatus status = kRegSuccess;
  RegStatus keyStatus = kRegSuccess;

  bool Succeeded() const { return status == kRegSuccess; }
  // Refused for lack of rights, on the key or on the change.
  bool AccessDenied() const { return status == kRegAccessDenied || keyStatus == kRegAccessDenied; }
};

// One stored value: its name ("" for the key's default value), type and the
// data bytes exactly as stored.
struct RegValue {
  std::wstring name;
  std::uint32_t type = kRegNone;
  std::vector<std::uint8_t> data;
};

// What a key holds directly: its values and the names of its sub-keys.
struct RegKeyContents {
  std::vector<RegValue> values;
  std::vector<std::wstring> subKeys;
};

class Registry {
 public:
  virtual ~Registry() = default;

  // Sub-key paths are relative to the root, key names separated by
  // backslashes; a trailing backslash is allowed. The two writes create the
  // sub-key and every missing key above it; the two deletions only open.

  // Writes a string value (type 1): the text and its terminating NUL.
  virtual RegResult SetString(RegRoot root, const std::wstring& subKey, const std::wstring& name,
                              const std::wstring& data) = 0;
  // Writes a 32-bit number value (type 4), 4 bytes little-endian.
  virtual RegResult SetDword(RegRoot root, const std::wstring& subKey, const std::wstring& name, std::int32_t data) = 0;
  // Deletes one value of the sub-key; "" is the default value.
  virtual RegResult DeleteValue(RegRoot root, const std::wstring& subKey, const std::wstring& name) = 0;
  // Deletes the key `keyName` directly below the sub-key. A key that still has
  // sub-keys cannot be deleted (access denied; nothing changes).
  virtual RegResult DeleteKey(RegRoot root, const std::wstring& subKey, const std::wstring& keyName) = 0;

  // Reads, used to save a state before changing it. kRegFileNotFound when
  // the key or value does not exist.
  virtual RegStatus QueryValue(RegRoot root, const std::wstring& subKey, const std::wstring& name,
                               RegValue& out) const = 0;
  virtual RegStatus EnumerateKey(RegRoot root, const std::wstring& subKey, RegKeyContents& out) const = 0;
};

// Where the operating system keeps its own programs.
class SystemFolders {
 public:
  virtual ~SystemFolders() = default;
  // The system directory (e.g. C:\Windows\system32), without a trailing
  // backslash; empty when it cannot be told.
  virtual std::wstring SystemDirectory() const = 0;
};

// Name of a root as the registry editor writes it ("HKEY_CURRENT_USER").
const wchar_t* RootName(RegRoot root);

// The stored bytes of a string value: the text in UTF-16LE and its NUL.
std::vector<std::uint8_t> RegStringData(std::wstring_view text);
// The stored bytes of a number value: 4 bytes, little-endian.
std::vector<std::uint8_t> RegDwordData(std::int32_t number);
// The text of stored string bytes, up to the first NUL (an odd last byte is
// ignored).
std::wstring RegDataText(const std::vector<std::uint8_t>& data);
// Appends text as UTF-16LE code units.
void AppendUtf16Le(std::string& out, std::wstring_view text);

}  // namespace vexa
