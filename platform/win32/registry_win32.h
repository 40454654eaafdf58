#pragma once
// The registry and the system folders on the real Windows API.
#include <windows.h>

#include "platform/registry.h"

namespace vexa::win32 {

// Works on the 64-bit view of the registry in every build, so nothing is
// redirected to Wow6432Node. Keys are opened with the rights the caller has
// (MAXIMUM_ALLOWED): a key the user may only read opens, and the change then
// reports access denied, as the classic RegCreateKey/RegOpenKey calls do.
class Win32Registry : public Registry {
 public:
  RegResult SetString(RegRoot root, const std::wstring& subKey, const std::wstring& name,
                      const std::wstring& data) override;
  RegResult SetDword(RegRoot root, const std::wstring& subKey, const std::wstring& name, std::int32_t data) override;
  RegResult DeleteValue(RegRoot root, const std::wstring& subKey, const std::wstring& name) override;
  RegResult DeleteKey(RegRoot root, const std::wstring& subKey, const std::wstring& keyName) override;

  RegStatus QueryValue(RegRoot root, const std::wstring& subKey, const std::wstring& name,
                       RegValue& out) const override;
  RegStatus EnumerateKey(RegRoot root, const std::wstring& subKey, RegKeyContents& out) const override;
};

class Win32SystemFolders : public SystemFolders {
 public:
  std::wstring SystemDirectory() const override;
};

HKEY RootKey(RegRoot root);

}  // namespace vexa::win32
