// Registry changes and reads with the wide calls on the 64-bit view.
#include "platform/win32/registry_win32.h"

#include <utility>

#include "ui/scoped.h"

namespace vexa::win32 {

namespace {

constexpr REGSAM kView = KEY_WOW64_64KEY;

using ui::ScopedKey;

// Opens or creates the key; on failure the change is made on no key and
// reports an invalid handle, like the change call on a 0 handle does.
template <typename Change>
RegResult OnKey(LONG keyStatus, ScopedKey& key, Change change) {
  RegResult result;
  result.keyStatus = keyStatus;
  result.status = keyStatus == ERROR_SUCCESS && key.get() ? change(key.get()) : ERROR_INVALID_HANDLE;
  return result;
}

LONG CreateKey(RegRoot root, const std::wstring& subKey, ScopedKey& key) {
  return RegCreateKeyExW(RootKey(root), subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, MAXIMUM_ALLOWED | kView,
                         nullptr, key.put(), nullptr);
}

LONG OpenKey(RegRoot root, const std::wstring& subKey, REGSAM access, ScopedKey& key) {
  return RegOpenKeyExW(RootKey(root), subKey.c_str(), 0, access | kView, key.put());
}

}  // namespace

HKEY RootKey(RegRoot root) {
  switch (root) {
    case RegRoot::ClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegRoot::CurrentUser:
      return HKEY_CURRENT_USER;
    case RegRoot::LocalMachine:
      return HKEY_LOCAL_MACHINE;
    case RegRoot::Users:
      return HKEY_USERS;
  }
  return nullptr;
}

RegResult Win32Registry::SetString(RegRoot root, const std::wstring& subKey, const std::wstring& name,
                                   const std::wstring& data) {
  ScopedKey key;
  LONG keyStatus = CreateKey(root, subKey, key);
  return OnKey(keyStatus, key, [&](HKEY h) {
    auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(h, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes);
  });
}

RegResult Win32Registry::SetDword(RegRoot root, const std::wstring& subKey, const std::wstring& name,
                                  std::int32_t data) {
  ScopedKey key;
  LONG keyStatus = CreateKey(root, subKey, key);
  return OnKey(keyStatus, key, [&](HKEY h) {
    auto bytes = RegDwordData(data);
    return RegSetValueExW(h, name.c_str(), 0, REG_DWORD, bytes.data(), static_cast<DWORD>(bytes.size()));
  });
}

RegResult Win32Registry::DeleteValue(RegRoot root, const std::wstring& subKey, const std::wstring& name) {
  ScopedKey key;
  LONG keyStatus = OpenKey(root, subKey, MAXIMUM_ALLOWED, key);
  return OnKey(keyStatus, key, [&](HKEY h) { return RegDeleteValueW(h, name.c_str()); });
}

RegResult Win32Registry::DeleteKey(RegRoot root, const std::wstring& subKey, const std::wstring& keyName) {
  ScopedKey key;
  LONG keyStatus = OpenKey(root, subKey, MAXIMUM_ALLOWED, key);
  return OnKey(keyStatus, key, [&](HKEY h) { return RegDeleteKeyExW(h, keyName.c_str(), kView, 0); });
}

RegStatus Win32Registry::QueryValue(RegRoot root, const std::wstring& subKey, const std::wstring& name,
                                    RegValue& out) const {
  ScopedKey key;
  LONG status = OpenKey(root, subKey, KEY_QUERY_VALUE, key);
  if (status != ERROR_SUCCESS) return status;
  std::vector<std::uint8_t> data(256);
  for (;;) {
    DWORD type = 0;
    auto size = static_cast<DWORD>(data.size());
    status = RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, data.data(), &size);
    if (status == ERROR_MORE_DATA) {
      data.resize(size > data.size() ? size : data.size() * 2);
      continue;
    }
    if (status != ERROR_SUCCESS) return status;
    data.resize(size);
    out = RegValue{name, type, std::move(data)};
    return ERROR_SUCCESS;
  }
}

RegStatus Win32Registry::EnumerateKey(RegRoot root, const std::wstring& subKey, RegKeyContents& out) const {
  ScopedKey key;
  LONG status = OpenKey(root, subKey, KEY_READ, key);
  if (status != ERROR_SUCCESS) return status;
  RegKeyContents contents;

  DWORD maxSubKey = 0, maxName = 0, maxData = 0;
  status = RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, &maxSubKey, nullptr, nullptr, &maxName,
                            &maxData, nullptr, nullptr);
  if (status != ERROR_SUCCESS) return status;

  std::wstring name(maxName + 1, L'\0');
  std::vector<std::uint8_t> data(maxData + 1);
  for (DWORD i = 0;;) {
    auto nameLen = static_cast<DWORD>(name.size());
    auto dataLen = static_cast<DWORD>(data.size());
    DWORD type = 0;
    status = RegEnumValueW(key.get(), i, name.data(), &nameLen, nullptr, &type, data.data(), &dataLen);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status == ERROR_MORE_DATA) {  // the key grew since it was measured
      name.resize(name.size() * 2 + 64);
      data.resize(data.size() * 2 + 64);
      continue;
    }
    if (status != ERROR_SUCCESS) return status;
    contents.values.push_back(RegValue{std::wstring(name.data(), nameLen), type,
                                       std::vector<std::uint8_t>(data.begin(), data.begin() + dataLen)});
    ++i;
  }

  std::wstring sub(maxSubKey + 1, L'\0');
  for (DWORD i = 0;;) {
    auto len = static_cast<DWORD>(sub.size());
    status = RegEnumKeyExW(key.get(), i, sub.data(), &len, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status == ERROR_MORE_DATA) {
      sub.resize(sub.size() * 2 + 64);
      continue;
    }
    if (status != ERROR_SUCCESS) return status;
    contents.subKeys.emplace_back(sub.data(), len);
    ++i;
  }
  out = std::move(contents);
  return ERROR_SUCCESS;
}

std::wstring Win32SystemFolders::SystemDirectory() const {
  wchar_t buf[MAX_PATH];
  UINT n = GetSystemDirectoryW(buf, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return {};
  std::wstring dir(buf, n);
  while (!dir.empty() && dir.back() == L'\\') dir.pop_back();
  return dir;
}

}  // namespace vexa::win32
