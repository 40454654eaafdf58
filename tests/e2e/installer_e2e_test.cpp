// The per-user package as a user meets it: a silent install into the user's
// programs folder, the installed program running from there, and a silent
// uninstall that ends it and removes the program, its shortcut, its entry and
// its start-up entry while the user's log and undo files stay.
#include <windows.h>
#include <msi.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cwchar>

#include "tests/e2e/driver.h"

namespace vexa::e2e {
namespace {

constexpr wchar_t kUpgradeCode[] = L"{FC3BCA31-8093-47FE-96E4-377575D6BEAE}";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  std::wstring out = SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)) ? path : L"";
  CoTaskMemFree(path);
  return out;
}

std::wstring InstalledProduct() {
  wchar_t code[39] = {};
  return MsiEnumRelatedProductsW(kUpgradeCode, 0, 0, code) == ERROR_SUCCESS ? code : L"";
}

std::wstring ProductInfo(const std::wstring& product, const wchar_t* property) {
  wchar_t buf[MAX_PATH] = {};
  DWORD n = MAX_PATH;
  return MsiGetProductInfoW(product.c_str(), property, buf, &n) == ERROR_SUCCESS ? buf : L"<none>";
}

// The executable's own version, from its version resource.
std::wstring ResourceVersion(const std::wstring& exe) {
  std::string block(GetFileVersionInfoSizeW(exe.c_str(), nullptr), '\0');
  VS_FIXEDFILEINFO* v = nullptr;
  UINT n = 0;
  if (block.empty() || !GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
      !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&v), &n))
    return L"<none>";
  wchar_t text[64];
  std::swprintf(text, 64, L"%u.%u.%u.%u", HIWORD(v->dwProductVersionMS), LOWORD(v->dwProductVersionMS),
                HIWORD(v->dwProductVersionLS), LOWORD(v->dwProductVersionLS));
  return text;
}

std::wstring RunValue(HKEY root) {
  wchar_t buf[MAX_PATH] = {};
  DWORD size = sizeof buf;
  return RegGetValueW(root, kRunKey, L"Utility", RRF_RT_REG_SZ, nullptr, buf, &size) == ERROR_SUCCESS ? buf : L"";
}

void SetRunValue(HKEY root, const std::wstring& data) {
  RegSetKeyValueW(root, kRunKey, L"Utility", REG_SZ, data.c_str(), static_cast<DWORD>((data.size() + 1) * 2));
}

long Msiexec(const std::wstring& args) {
  Process msiexec(L"msiexec.exe", args);
  return msiexec.WaitExit(180000) ? msiexec.ExitCode() : -1;
}

TEST(Installer, InstallsForTheUserAndUninstallsKeepingTheUsersFiles) {
  wchar_t given[MAX_PATH] = {}, msi[MAX_PATH] = {};
  if (!UnderWine() || !GetEnvironmentVariableW(L"VEXA_E2E_MSI", given, MAX_PATH))
    GTEST_SKIP() << "installs into the test Wine prefix; needs VEXA_E2E_MSI (the package)";
  GetFullPathNameW(given, MAX_PATH, msi, nullptr);
  ASSERT_TRUE(EndApp()) << "a running copy would refuse the installed one";
  if (!InstalledProduct().empty()) Msiexec(L"/x " + InstalledProduct() + L" /qn");  // an earlier try
  ASSERT_EQ(Msiexec(L"/i \"" + std::wstring(msi) + L"\" /qn"), 0);

  const std::wstring folder = KnownFolder(FOLDERID_LocalAppData) + L"\\Programs\\VexaUtility";
  const std::wstring exe = folder + L"\\VexaUtility.exe", log = folder + L"\\VexaLog.Log";
  const std::wstring shortcut = KnownFolder(FOLDERID_Programs) + L"\\VexaUtility.lnk";
  const std::wstring product = InstalledProduct();
  EXPECT_TRUE(test::Exists(exe));
  EXPECT_TRUE(test::Exists(shortcut));
  ASSERT_NE(product, L"");
  EXPECT_EQ(ProductInfo(product, INSTALLPROPERTY_INSTALLEDPRODUCTNAME), L"VexaUtility");
  EXPECT_EQ(ProductInfo(product, INSTALLPROPERTY_PUBLISHER), L"VexaTools");
  EXPECT_EQ(ProductInfo(product, INSTALLPROPERTY_VERSIONSTRING), ResourceVersion(exe));
  EXPECT_EQ(ProductInfo(product, INSTALLPROPERTY_INSTALLLOCATION), folder + L"\\");
  EXPECT_TRUE(test::Exists(ProductInfo(product, INSTALLPROPERTY_PRODUCTICON))) << "the entry's icon";

  // The installed program runs from its folder and keeps its log there.
  Process installed(exe);
  NOTIFYICONDATAW icon{sizeof icon};
  icon.uID = 1;
  auto iconShown = [&] { return icon.hWnd && Shell_NotifyIconW(NIM_MODIFY, &icon) != FALSE; };
  EXPECT_TRUE(WaitFor([&] { return (icon.hWnd = FindWindowW(L"VexaForm2", L"Form2")) && iconShown(); }, 20000));
  EXPECT_TRUE(test::Exists(log));
  SetRunValue(HKEY_LOCAL_MACHINE, L"VexaUtility.exe");  // as "Start program automatically" stores it
  SetRunValue(HKEY_CURRENT_USER, L"C:\\Other\\Utility.exe");  // another program's entry of the same name
  test::MakeFile(log, 0, "[VexaTools Utility]\r\nkept\r\n");
  test::MakeFile(folder + L"\\VexaRegBackup-20261205-143015.reg", 0, "Windows Registry Editor Version 5.00\r\n");

  EXPECT_EQ(Msiexec(L"/x " + product + L" /qn"), 0);
  EXPECT_TRUE(installed.WaitExit(10000)) << "the running copy is ended";
  EXPECT_EQ(installed.ExitCode(), 0) << "ended as \"Exit\" ends it";
  EXPECT_FALSE(iconShown()) << "no dead tray icon";
  EXPECT_FALSE(test::Exists(exe));
  EXPECT_FALSE(test::Exists(shortcut));
  EXPECT_EQ(InstalledProduct(), L"");
  EXPECT_EQ(MsiQueryProductStateW(product.c_str()), INSTALLSTATE_UNKNOWN);
  EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), L"");
  EXPECT_EQ(RunValue(HKEY_CURRENT_USER), L"C:\\Other\\Utility.exe");
  EXPECT_EQ(test::ReadBytes(log), "[VexaTools Utility]\r\nkept\r\n");
  EXPECT_TRUE(test::Exists(folder + L"\\VexaRegBackup-20261205-143015.reg"));

  RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Utility");
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, L"Utility");
  test::RemoveTree(folder);
}

}  // namespace
}  // namespace vexa::e2e
