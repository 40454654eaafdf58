#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/win32_platform.h"
#include "registry/mod_fix_reg.h"
#include "registry/registry_backup.h"
#include "registry/start_with_windows.h"
#include "tests/win/registry_contract.h"

namespace vexa {
namespace {

constexpr RegRoot HKCU = RegRoot::CurrentUser;
constexpr RegRoot HKLM = RegRoot::LocalMachine;

std::wstring Scratch(const wchar_t* what) {
  return L"Software\\VexaTest\\" + std::wstring(what) + L"-" + std::to_wstring(GetCurrentProcessId());
}

// Removes a scratch key and everything below it, in both views.
void RemoveTree(HKEY root, const std::wstring& path) {
  RegDeleteTreeW(root, path.c_str());
  RegDeleteKeyExW(root, path.c_str(), KEY_WOW64_64KEY, 0);
}

class ScratchKey {
 public:
  ScratchKey(HKEY root, std::wstring path) : root_(root), path_(std::move(path)) { RemoveTree(root_, path_); }
  ~ScratchKey() {
    RemoveTree(root_, path_);
    RegDeleteKeyExW(root_, L"Software\\VexaTest", KEY_WOW64_64KEY, 0);  // only when empty
  }
  const std::wstring& path() const { return path_; }

 private:
  HKEY root_;
  std::wstring path_;
};

// Every key below a path with its values, in a stable order.
std::map<std::wstring, std::vector<std::wstring>> Tree(const Registry& reg, RegRoot root, const std::wstring& path) {
  std::map<std::wstring, std::vector<std::wstring>> out;
  RegKeyContents c;
  if (reg.EnumerateKey(root, path, c) != kRegSuccess) return out;
  auto& lines = out[path];
  for (const auto& v : c.values) {
    std::wstring line = v.name + L" type " + std::to_wstring(v.type) + L":";
    for (auto b : v.data) line += L" " + std::to_wstring(b);
    lines.push_back(line);
  }
  std::sort(lines.begin(), lines.end());
  for (const auto& sub : c.subKeys) out.merge(Tree(reg, root, path + L"\\" + sub));
  return out;
}

TEST(Win32Registry, KeepsTheRegistryRules) {
  win32::Win32Registry reg;
  ScratchKey scratch(HKEY_CURRENT_USER, Scratch(L"Contract"));
  contract::CheckRegistryRules(reg, scratch.path());
}

TEST(Win32Registry, WritesLandInTheSixtyFourBitView) {
  win32::Win32Registry reg;
  const std::wstring path = Scratch(L"View");
  ScratchKey scratch(HKEY_LOCAL_MACHINE, path);
  RegResult r = reg.SetString(HKLM, path + L"\\", L"V", L"1");
  if (r.AccessDenied()) GTEST_SKIP() << "no right to write under HKEY_LOCAL_MACHINE";
  ASSERT_TRUE(r.Succeeded());
  HKEY h = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &h), ERROR_SUCCESS);
  if (h) RegCloseKey(h);
  h = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &h), ERROR_FILE_NOT_FOUND);
  if (h) RegCloseKey(h);
  EXPECT_EQ(reg.DeleteKey(HKLM, L"Software\\VexaTest", path.substr(path.rfind(L'\\') + 1)).status, kRegSuccess);
}

TEST(Win32Registry, SystemDirectoryIsAFolderWithoutATrailingBackslash) {
  std::wstring dir = win32::Win32SystemFolders().SystemDirectory();
  ASSERT_FALSE(dir.empty());
  EXPECT_NE(dir.back(), L'\\');
  EXPECT_NE(GetFileAttributesW((dir + L"\\kernel32.dll").c_str()), INVALID_FILE_ATTRIBUTES);
}

bool RunRegedit(const std::wstring& file) {
  std::wstring cmd = L"regedit.exe /s \"" + file + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  win32::ScopedHandle process(pi.hProcess), thread(pi.hThread);
  return WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0;
}

TEST(Win32RegistryBackup, TheRegistryEditorImportPutsTheStateBackExactly) {
  win32::Win32Registry reg;
  ScratchKey scratch(HKEY_CURRENT_USER, Scratch(L"Backup"));
  const std::wstring base = scratch.path();
  const std::wstring a = base + L"\\A", leaf = base + L"\\Leaf", tree = base + L"\\Tree";
  auto put = [&](const std::wstring& key, const std::wstring& name, DWORD type, std::vector<std::uint8_t> data) {
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(h, name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);
    RegCloseKey(h);
  };
  std::vector<std::uint8_t> big(150);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7);
  put(a, L"Name", REG_SZ, RegStringData(L"old \"quoted\" C:\\path"));
  put(a, L"N", REG_DWORD, RegDwordData(10));
  put(a, L"Bin", REG_BINARY, {1, 2, 0xFF});
  put(a, L"Big", REG_BINARY, big);
  put(a, L"Exp", REG_EXPAND_SZ, RegStringData(L"%SystemRoot%\\x"));
  put(a, L"Multi", REG_MULTI_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0});
  put(a, L"Q", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8});
  put(a, L"Lines", REG_SZ, RegStringData(L"one\r\ntwo"));
  put(a, L"Gr\u00F6\u00DFe \u2603", REG_SZ, RegStringData(L"\u00FCn\u00EF \u2603"));
  put(a, L"Odd\\\"Name", REG_SZ, RegStringData(L"v"));
  put(leaf, L"", REG_SZ, RegStringData(L"default"));
  put(leaf, L"L", REG_DWORD, RegDwordData(-1));
  put(tree + L"\\Sub", L"S", REG_SZ, RegStringData(L"s"));
  const auto before = Tree(reg, HKCU, base);
  ASSERT_EQ(before.size(), 5u);

  const std::vector<std::wstring> keep = {a + L"\\", base + L"\\Missing\\Deeper\\", base, a};
  const std::vector<RepairStep> steps = {
      {1, HKCU, keep[0].c_str(), L"Name", RepairAction::SetString, L"new", 0, false},
      {2, HKCU, keep[3].c_str(), L"New", RepairAction::SetString, L"fresh", 0, false},
      {3, HKCU, keep[3].c_str(), L"", RepairAction::SetString, L"default", 0, false},
      {4, HKCU, keep[3].c_str(), L"N", RepairAction::SetNumber, L"", 0, false},
      {5, HKCU, keep[1].c_str(), L"V", RepairAction::SetString, L"1", 0, false},
      {6, HKCU, keep[3].c_str(), L"Bin", RepairAction::DeleteValue, L"", 0, false},
      {7, HKCU, keep[3].c_str(), L"Big", RepairAction::DeleteValue, L"", 0, false},
      {8, HKCU, keep[3].c_str(), L"Exp", RepairAction::DeleteValue, L"", 0, false},
      {9, HKCU, keep[3].c_str(), L"Multi", RepairAction::DeleteValue, L"", 0, false},
      {10, HKCU, keep[3].c_str(), L"Q", RepairAction::DeleteValue, L"", 0, false},
      {11, HKCU, keep[3].c_str(), L"Lines", RepairAction::DeleteValue, L"", 0, false},
      {12, HKCU, keep[3].c_str(), L"Gr\u00F6\u00DFe \u2603", RepairAction::DeleteValue, L"", 0, false},
      {13, HKCU, keep[3].c_str(), L"Odd\\\"Name", RepairAction::DeleteValue, L"", 0, false},
      {14, HKCU, keep[3].c_str(), L"Never", RepairAction::DeleteValue, L"", 0, false},
      {15, HKCU, keep[2].c_str(), L"leaf", RepairAction::DeleteKey, L"", 0, false},
      {16, HKCU, keep[2].c_str(), L"Tree", RepairAction::DeleteKey, L"", 0, false},
  };
  RegistrySnapshot snap = RegistrySnapshot::Capture(reg, steps, L"");
  ModFixReg fix(reg);
  auto results = fix.RunSteps(steps, L"");
  EXPECT_TRUE(results[14].Succeeded());
  EXPECT_EQ(results[15].status, kRegAccessDenied);  // it still has a sub-key
  ASSERT_NE(Tree(reg, HKCU, base), before);

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring file = std::wstring(temp) + L"vexa-backup-" + std::to_wstring(GetCurrentProcessId()) + L".reg";
  win32::Win32FileSystem files;
  ASSERT_TRUE(files.WriteNew(file, snap.RegFileBytes()));
  ASSERT_TRUE(RunRegedit(file));
  DeleteFileW(file.c_str());
  EXPECT_EQ(Tree(reg, HKCU, base), before);
}

bool UnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string ReadFileBytes(const std::wstring& path) {
  win32::ScopedHandle h(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!h) return {};
  std::string out(GetFileSize(h.get(), nullptr), '\0');
  DWORD got = 0;
  ReadFile(h.get(), out.data(), static_cast<DWORD>(out.size()), &got, nullptr);
  out.resize(got);
  return out;
}

// The whole registry as the registry editor exports it.
std::string ExportAll(const std::wstring& file) {
  std::wstring cmd = L"regedit.exe /e \"" + file + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return {};
  win32::ScopedHandle process(pi.hProcess), thread(pi.hThread);
  if (WaitForSingleObject(pi.hProcess, 120000) != WAIT_OBJECT_0) return {};
  std::string bytes = ReadFileBytes(file);
  DeleteFileW(file.c_str());
  return bytes;
}

// Runs the real catalogue, so only inside a Wine prefix made for the tests.
TEST(Win32RegistryBackup, ImportingItUndoesAWholeRepairRun) {
  if (!UnderWine()) GTEST_SKIP() << "changes this machine's registry; runs only in a test Wine prefix";
  win32::Win32Registry reg;
  const std::wstring explorer = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
  const std::wstring winOldApp = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\WinOldApp";
  const std::wstring system = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
  // An infected machine.
  ASSERT_TRUE(reg.SetDword(HKCU, explorer, L"NoDesktop", 1).Succeeded());
  ASSERT_TRUE(reg.SetDword(HKCU, explorer, L"NoSMHelp", 1).Succeeded());
  ASSERT_TRUE(reg.SetDword(HKCU, winOldApp, L"Disabled", 1).Succeeded());
  ASSERT_TRUE(reg.SetDword(HKLM, system, L"DisableTaskMgr", 1).Succeeded());
  RegValue oldCommand;
  bool hadCommand =
      reg.QueryValue(RegRoot::ClassesRoot, L"exefile\\shell\\open\\command", L"", oldCommand) == kRegSuccess;
  ASSERT_TRUE(
      reg.SetString(RegRoot::ClassesRoot, L"exefile\\shell\\open\\command", L"", L"evil.exe \"%1\"").Succeeded());

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring dir = std::wstring(temp) + L"vexa-undo-" + std::to_wstring(GetCurrentProcessId());
  const std::string before = ExportAll(dir + L"-before.reg");
  ASSERT_GT(before.size(), 1000u);

  const std::wstring sys = win32::Win32SystemFolders().SystemDirectory();
  RegistrySnapshot snap = RegistrySnapshot::Capture(reg, RepairCatalogue(), sys);
  ModFixReg fix(reg);
  fix.RunSteps(RepairCatalogue(), sys);
  RegValue v;
  EXPECT_EQ(reg.QueryValue(HKCU, explorer, L"NoDesktop", v), kRegFileNotFound);
  EXPECT_EQ(reg.QueryValue(HKCU, winOldApp, L"Disabled", v), kRegFileNotFound);

  win32::Win32FileSystem files;
  const std::wstring backup = dir + L"-backup.reg";
  ASSERT_TRUE(files.WriteNew(backup, snap.RegFileBytes()));
  ASSERT_TRUE(RunRegedit(backup));
  DeleteFileW(backup.c_str());
  EXPECT_TRUE(ExportAll(dir + L"-after.reg") == before) << "the registry differs from its state before the run";

  // Take the infection away again.
  reg.DeleteValue(HKCU, explorer, L"NoDesktop");
  reg.DeleteValue(HKCU, explorer, L"NoSMHelp");
  reg.DeleteValue(HKCU, winOldApp, L"Disabled");
  reg.DeleteKey(HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies", L"WinOldApp");
  reg.DeleteValue(HKLM, system, L"DisableTaskMgr");
  if (hadCommand)
    reg.SetString(RegRoot::ClassesRoot, L"exefile\\shell\\open\\command", L"", RegDataText(oldCommand.data));
}

TEST(Win32RegistryBackup, ReadsTheWholeCatalogueStateWithoutChangingIt) {
  win32::Win32Registry reg;
  RegistrySnapshot snap =
      RegistrySnapshot::Capture(reg, RepairCatalogue(), win32::Win32SystemFolders().SystemDirectory());
  std::wstring text = snap.RegFileText();
  EXPECT_EQ(text.rfind(L"Windows Registry Editor Version 5.00\r\n\r\n", 0), 0u);
  EXPECT_EQ(text.find(L"; not saved"), std::wstring::npos);
  // Row 90's key does not exist on a normal system; when missing, the run creates it and the file deletes it.
  RegKeyContents c;
  bool exists = reg.EnumerateKey(HKLM, L"SYSTEM\\ControlCurrentSet", c) == kRegSuccess;
  EXPECT_EQ(text.find(L"[-HKEY_LOCAL_MACHINE\\SYSTEM\\ControlCurrentSet]") != std::wstring::npos, !exists);
}

// The Run entry as it was, put back afterwards.
class SavedRunEntry {
 public:
  SavedRunEntry(win32::Win32Registry& reg, RegRoot root) : reg_(reg), root_(root) {
    had_ = reg_.QueryValue(root_, kRunKey, kRunValueName, value_) == kRegSuccess;
    RegKeyContents c;
    hadKey_ = reg_.EnumerateKey(root_, kRunKey, c) == kRegSuccess;
  }
  ~SavedRunEntry() {
    if (!had_) {
      reg_.DeleteValue(root_, kRunKey, kRunValueName);
      RegKeyContents c;
      if (!hadKey_ && reg_.EnumerateKey(root_, kRunKey, c) == kRegSuccess && c.values.empty() && c.subKeys.empty())
        reg_.DeleteKey(root_, kRunKey, L"");
      return;
    }
    HKEY h = nullptr;
    if (RegCreateKeyExW(win32::RootKey(root_), kRunKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &h,
                        nullptr) == ERROR_SUCCESS) {
      RegSetValueExW(h, kRunValueName, 0, value_.type, value_.data.data(), static_cast<DWORD>(value_.data.size()));
      RegCloseKey(h);
    }
  }

 private:
  win32::Win32Registry& reg_;
  RegRoot root_;
  bool had_ = false;
  bool hadKey_ = false;
  RegValue value_;
};

class ToggleStub : public ui::Toggle {
 public:
  int Value() const override { return value; }
  void SetValue(int v) override { value = v; }
  void SetEnabled(bool) override {}
  bool Enabled() const override { return true; }
  int value = 1;
};

TEST(Win32StartWithWindows, SwitchesTheRunEntryOnAndOff) {
  win32::Win32Registry reg;
  SavedRunEntry machine(reg, HKLM), user(reg, HKCU);
  win32::Win32Environment env;
  ToggleStub ckStar;
  StartWithWindows option(reg, env, ckStar);

  ckStar.value = 1;
  option.ckStar_Click();
  RegValue v;
  RegRoot where = reg.QueryValue(HKLM, kRunKey, kRunValueName, v) == kRegSuccess ? HKLM : HKCU;
  ASSERT_EQ(reg.QueryValue(where, kRunKey, kRunValueName, v), kRegSuccess);
  EXPECT_EQ(v.type, kRegSz);
  EXPECT_EQ(RegDataText(v.data), L"win_tests.exe");
  if (where == HKLM) {
    EXPECT_EQ(reg.QueryValue(HKCU, kRunKey, kRunValueName, v), kRegFileNotFound);
  }

  ckStar.value = 0;
  option.ckStar_Click();
  EXPECT_EQ(reg.QueryValue(HKLM, kRunKey, kRunValueName, v), kRegFileNotFound);
  EXPECT_EQ(reg.QueryValue(HKCU, kRunKey, kRunValueName, v), kRegFileNotFound);
  option.ckStar_Click();  // off again: nothing to remove, nothing happens
  EXPECT_EQ(reg.QueryValue(HKLM, kRunKey, kRunValueName, v), kRegFileNotFound);
}

}  // namespace
}  // namespace vexa
