// The registry rules the repair relies on, kept alike by the real registry
// and by the in-memory one the host tests use. `base` is a scratch key under
// HKEY_CURRENT_USER that does not exist yet.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "platform/win32/registry_win32.h"
#include "registry/mod_fix_reg.h"
#include "tests/fakes/fake_registry.h"

namespace vexa {
namespace {

void CheckRegistryRules(Registry& reg, const std::wstring& base) {
  constexpr RegRoot HKCU = RegRoot::CurrentUser;
  registry::ModFixReg fix(reg);
  using State = std::tuple<RegStatus, std::uint32_t, std::vector<std::uint8_t>>;
  auto read = [&](const std::wstring& key, const std::wstring& name) {
    RegValue v;
    const RegStatus s = reg.QueryValue(HKCU, base + key, name, v);
    return s == kRegSuccess ? State{s, v.type, v.data} : State{s, kRegNone, {}};
  };
  auto exists = [&](const std::wstring& key) {
    RegKeyContents c;
    return reg.EnumerateKey(HKCU, base + key, c) == kRegSuccess;
  };
  auto done = [](const RegResult& r) { return std::pair{r.status, r.keyStatus}; };
  const std::pair ok{kRegSuccess, kRegSuccess}, noKey{kRegInvalidHandle, kRegFileNotFound};
  const State missing{kRegFileNotFound, kRegNone, {}};
  const std::wstring deep = L"\\One\\Two\\Three";
  ASSERT_FALSE(exists(L""));

  // Writes create the whole path: strings UTF-16LE with their NUL, numbers 4 bytes little-endian.
  EXPECT_EQ(done(fix.SetStringValue(HKCU, base + deep, L"Text", L"Hello")), ok);
  EXPECT_EQ(read(deep, L"Text"), (State{kRegSuccess, kRegSz, RegStringData(L"Hello")}));
  EXPECT_EQ(done(fix.SetStringValue(HKCU, base + deep, L"Empty", L"")), ok);
  EXPECT_EQ(read(deep, L"Empty"), (State{kRegSuccess, kRegSz, {0, 0}}));
  EXPECT_EQ(done(fix.SetDwordValue(HKCU, base + L"\\Numbers", L"N", -2)), ok);
  EXPECT_EQ(read(L"\\Numbers", L"N"), (State{kRegSuccess, kRegDword, {0xFE, 0xFF, 0xFF, 0xFF}}));
  // A trailing backslash names the same key; a value name may end in one.
  EXPECT_EQ(done(fix.SetStringValue(HKCU, base + L"\\Slash\\", L"NoViewOnDrive\\", L"x")), ok);
  EXPECT_EQ(std::get<0>(read(L"\\Slash", L"NoViewOnDrive\\")), kRegSuccess);
  EXPECT_EQ(read(L"\\Slash", L"NoViewOnDrive"), missing);
  // The empty name is the default value; names compare without regard to case.
  EXPECT_EQ(done(fix.SetStringValue(HKCU, base + L"\\Def", L"", L"Application")), ok);
  EXPECT_EQ(read(L"\\Def", L""), (State{kRegSuccess, kRegSz, RegStringData(L"Application")}));
  EXPECT_EQ(done(fix.DeleteValue(HKCU, base + L"\\DEF", L"")), ok);
  EXPECT_EQ(read(L"\\Def", L""), missing);
  EXPECT_EQ(done(fix.DeleteValue(HKCU, base + L"\\ONE\\two\\THREE", L"TEXT")), ok);
  EXPECT_EQ(read(deep, L"Text"), missing);
  // Deletions never create; a missing value or key below a key is not found.
  EXPECT_EQ(done(fix.DeleteValue(HKCU, base + L"\\Missing\\Key", L"Any")), noKey);
  EXPECT_EQ(done(fix.DeleteKey(HKCU, base + L"\\Missing", L"Key")), noKey);
  EXPECT_FALSE(exists(L"\\Missing"));
  EXPECT_EQ(done(fix.DeleteValue(HKCU, base + deep, L"NotThere")), (std::pair{kRegFileNotFound, kRegSuccess}));
  EXPECT_EQ(fix.DeleteKey(HKCU, base + deep, L"NotThere").status, kRegFileNotFound);
  // A key with sub-keys stays; a leaf goes.
  EXPECT_EQ(fix.DeleteKey(HKCU, base, L"One").status, kRegAccessDenied);
  EXPECT_TRUE(exists(deep));
  EXPECT_EQ(done(fix.DeleteKey(HKCU, base + L"\\One\\Two", L"Three")), ok);
  EXPECT_FALSE(exists(deep));
  EXPECT_TRUE(exists(L"\\One\\Two"));
  // A listing holds the values and the direct sub-keys.
  RegKeyContents c;
  ASSERT_EQ(reg.EnumerateKey(HKCU, base, c), kRegSuccess);
  std::sort(c.subKeys.begin(), c.subKeys.end());
  EXPECT_EQ(c.subKeys, (std::vector<std::wstring>{L"Def", L"Numbers", L"One", L"Slash"}));
  ASSERT_EQ(reg.EnumerateKey(HKCU, base + L"\\Numbers", c), kRegSuccess);
  ASSERT_EQ(c.values.size(), 1u);
  EXPECT_EQ(c.values[0].name, L"N");
}

TEST(Win32Registry, KeepsTheRegistryRules) {
  const std::wstring base = L"Software\\VexaTest\\Contract-" + std::to_wstring(GetCurrentProcessId());
  win32::Win32Registry real;
  CheckRegistryRules(real, base);
  RegDeleteTreeW(HKEY_CURRENT_USER, base.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, base.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\VexaTest");
}

TEST(Win32Registry, TheInMemoryRegistryKeepsTheSameRules) {
  fakes::FakeRegistry fake;
  CheckRegistryRules(fake, L"Software\\VexaTest\\Contract");
}

}  // namespace
}  // namespace vexa
