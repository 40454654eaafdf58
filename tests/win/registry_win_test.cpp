// The registry rules, kept alike by the real registry and by the in-memory
// one the host tests use.
#include <gtest/gtest.h>

#include "platform/win32/registry_win32.h"
#include "tests/fakes/fake_registry.h"
#include "tests/win/registry_contract.h"

namespace vexa {
namespace {

TEST(Win32Registry, KeepsTheRegistryRules) {
  const std::wstring base = L"Software\\VexaTest\\Contract-" + std::to_wstring(GetCurrentProcessId());
  win32::Win32Registry real;
  contract::CheckRegistryRules(real, base);
  RegDeleteTreeW(HKEY_CURRENT_USER, base.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, base.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\VexaTest");
}

TEST(Win32Registry, TheInMemoryRegistryKeepsTheSameRules) {
  fakes::FakeRegistry fake;
  contract::CheckRegistryRules(fake, L"Software\\VexaTest\\Contract");
}

}  // namespace
}  // namespace vexa
