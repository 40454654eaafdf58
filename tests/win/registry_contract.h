#pragma once
// The rules every Registry must keep, checked on the in-memory registry by
// the Win32 tests alongside the real one. `base` is a scratch key
// under HKEY_CURRENT_USER that does not exist yet; the caller removes it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/registry.h"
#include "registry/mod_fix_reg.h"

namespace vexa::contract {

inline bool KeyExists(const Registry& reg, const std::wstring& path) {
  RegKeyContents c;
  return reg.EnumerateKey(RegRoot::CurrentUser, path, c) == kRegSuccess;
}

inline void CheckRegistryRules(Registry& reg, const std::wstring& base) {
  constexpr RegRoot HKCU = RegRoot::CurrentUser;
  registry::ModFixReg fix(reg);
  RegValue v;

  // Writes create the whole key path.
  const std::wstring deep = base + L"\\One\\Two\\Three";
  ASSERT_FALSE(KeyExists(reg, base));
  RegResult r = fix.SetStringValue(HKCU, deep, L"Text", L"Hello");
  EXPECT_EQ(r.status, kRegSuccess);
  EXPECT_EQ(r.keyStatus, kRegSuccess);
  ASSERT_EQ(reg.QueryValue(HKCU, deep, L"Text", v), kRegSuccess);
  EXPECT_EQ(v.type, kRegSz);
  EXPECT_EQ(v.data, RegStringData(L"Hello"));
  EXPECT_EQ(v.data.size(), 12u);  // five characters and the NUL, two bytes each

  // An empty string is the NUL alone.
  EXPECT_TRUE(fix.SetStringValue(HKCU, deep, L"Empty", L"").Succeeded());
  ASSERT_EQ(reg.QueryValue(HKCU, deep, L"Empty", v), kRegSuccess);
  EXPECT_EQ(v.type, kRegSz);
  EXPECT_EQ(v.data, (std::vector<std::uint8_t>{0, 0}));

  // Numbers: 4 bytes, little-endian, negative ones too.
  const std::wstring numbers = base + L"\\Numbers";
  EXPECT_TRUE(fix.SetDwordValue(HKCU, numbers, L"N", -2).Succeeded());
  ASSERT_EQ(reg.QueryValue(HKCU, numbers, L"N", v), kRegSuccess);
  EXPECT_EQ(v.type, kRegDword);
  EXPECT_EQ(v.data, (std::vector<std::uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}));

  // A trailing backslash names the same key; a value name may end in one.
  EXPECT_TRUE(fix.SetStringValue(HKCU, base + L"\\Slash\\", L"NoViewOnDrive\\", L"x").Succeeded());
  EXPECT_EQ(reg.QueryValue(HKCU, base + L"\\Slash", L"NoViewOnDrive\\", v), kRegSuccess);
  EXPECT_EQ(reg.QueryValue(HKCU, base + L"\\Slash", L"NoViewOnDrive", v), kRegFileNotFound);
  EXPECT_TRUE(fix.DeleteValue(HKCU, base + L"\\Slash\\", L"NoViewOnDrive\\").Succeeded());

  // The empty name is the default value.
  EXPECT_TRUE(fix.SetStringValue(HKCU, base + L"\\Def", L"", L"Application").Succeeded());
  ASSERT_EQ(reg.QueryValue(HKCU, base + L"\\Def", L"", v), kRegSuccess);
  EXPECT_EQ(RegDataText(v.data), L"Application");
  EXPECT_TRUE(fix.DeleteValue(HKCU, base + L"\\Def", L"").Succeeded());
  EXPECT_EQ(reg.QueryValue(HKCU, base + L"\\Def", L"", v), kRegFileNotFound);

  // Names compare without regard to case.
  EXPECT_TRUE(fix.DeleteValue(HKCU, base + L"\\ONE\\two\\THREE", L"TEXT").Succeeded());
  EXPECT_EQ(reg.QueryValue(HKCU, deep, L"Text", v), kRegFileNotFound);

  // Deletions never create: the change meets no key.
  r = fix.DeleteValue(HKCU, base + L"\\Missing\\Key", L"Any");
  EXPECT_EQ(r.keyStatus, kRegFileNotFound);
  EXPECT_EQ(r.status, kRegInvalidHandle);
  EXPECT_FALSE(r.AccessDenied());
  EXPECT_FALSE(KeyExists(reg, base + L"\\Missing"));
  r = fix.DeleteKey(HKCU, base + L"\\Missing", L"Key");
  EXPECT_EQ(r.keyStatus, kRegFileNotFound);
  EXPECT_EQ(r.status, kRegInvalidHandle);
  EXPECT_FALSE(KeyExists(reg, base + L"\\Missing"));

  // A missing value or key below an existing key.
  r = fix.DeleteValue(HKCU, deep, L"NotThere");
  EXPECT_EQ(r.keyStatus, kRegSuccess);
  EXPECT_EQ(r.status, kRegFileNotFound);
  EXPECT_EQ(fix.DeleteKey(HKCU, deep, L"NotThere").status, kRegFileNotFound);

  // A key with sub-keys stays; a leaf goes with its values.
  r = fix.DeleteKey(HKCU, base, L"One");
  EXPECT_EQ(r.status, kRegAccessDenied);
  EXPECT_TRUE(KeyExists(reg, deep));
  EXPECT_TRUE(fix.DeleteKey(HKCU, base + L"\\One\\Two", L"Three").Succeeded());
  EXPECT_FALSE(KeyExists(reg, deep));
  EXPECT_TRUE(KeyExists(reg, base + L"\\One\\Two"));

  // Enumeration lists the values and direct sub-keys.
  RegKeyContents c;
  ASSERT_EQ(reg.EnumerateKey(HKCU, base, c), kRegSuccess);
  std::vector<std::wstring> subs = c.subKeys;
  std::sort(subs.begin(), subs.end());
  EXPECT_EQ(subs, (std::vector<std::wstring>{L"Def", L"Numbers", L"One", L"Slash"}));
  ASSERT_EQ(reg.EnumerateKey(HKCU, numbers, c), kRegSuccess);
  ASSERT_EQ(c.values.size(), 1u);
  EXPECT_EQ(c.values[0].name, L"N");
  EXPECT_EQ(reg.EnumerateKey(HKCU, base + L"\\Missing", c), kRegFileNotFound);
}

}  // namespace vexa::contract
