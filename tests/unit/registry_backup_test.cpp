#include "registry/registry_backup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/mod_fix_reg.h"
#include "tests/fakes/fake_registry.h"

namespace vexa {
namespace {

constexpr RegRoot HKCR = RegRoot::ClassesRoot;
constexpr RegRoot HKCU = RegRoot::CurrentUser;
constexpr RegRoot HKLM = RegRoot::LocalMachine;
const std::wstring kSys = L"C:\\Windows\\system32";

RepairStep Str(RegRoot root, const wchar_t* key, const wchar_t* name, const wchar_t* text) {
  return {0, root, key, name, RepairAction::SetString, text, 0, false};
}
RepairStep Num(RegRoot root, const wchar_t* key, const wchar_t* name, std::int32_t n) {
  return {0, root, key, name, RepairAction::SetNumber, L"", n, false};
}
RepairStep DelV(RegRoot root, const wchar_t* key, const wchar_t* name) {
  return {0, root, key, name, RepairAction::DeleteValue, L"", 0, false};
}
RepairStep DelK(RegRoot root, const wchar_t* key, const wchar_t* name) {
  return {0, root, key, name, RepairAction::DeleteKey, L"", 0, false};
}

// Applies a registry editor file to the in-memory registry, as an import does.
class RegImporter {
 public:
  explicit RegImporter(fakes::FakeRegistry& reg) : reg_(reg) {}

  void Import(const std::wstring& text) {
    std::wstring logical;
    std::size_t pos = 0;
    while (pos < text.size()) {
      std::size_t end = text.find(L"\r\n", pos);
      std::wstring line = text.substr(pos, end - pos);
      pos = end == std::wstring::npos ? text.size() : end + 2;
      if (!logical.empty()) line.erase(0, line.find_first_not_of(L' '));
      logical += line;
      if (!logical.empty() && logical.back() == L'\\' && logical.front() != L'[') {
        logical.pop_back();
        continue;
      }
      Apply(logical);
      logical.clear();
    }
  }

 private:
  static std::pair<RegRoot, std::wstring> Split(const std::wstring& full) {
    static const std::pair<const wchar_t*, RegRoot> roots[] = {{L"HKEY_CLASSES_ROOT", HKCR},
                                                               {L"HKEY_CURRENT_USER", HKCU},
                                                               {L"HKEY_LOCAL_MACHINE", HKLM},
                                                               {L"HKEY_USERS", RegRoot::Users}};
    for (auto [name, root] : roots) {
      std::wstring prefix = name;
      if (full.rfind(prefix, 0) == 0) return {root, full.size() > prefix.size() ? full.substr(prefix.size() + 1) : L""};
    }
    ADD_FAILURE() << "unknown root";
    return {HKCU, L""};
  }

  void DeleteTree(RegRoot root, const std::wstring& path) {
    RegKeyContents c;
    if (reg_.EnumerateKey(root, path, c) != kRegSuccess) return;
    for (const auto& sub : c.subKeys) DeleteTree(root, path + L"\\" + sub);
    reg_.DeleteKey(root, path, L"");
  }

  static std::vector<std::uint8_t> HexBytes(const std::wstring& s) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i + 1 < s.size(); i += 3)
      out.push_back(static_cast<std::uint8_t>(std::stoul(s.substr(i, 2), nullptr, 16)));
    return out;
  }

  void Apply(const std::wstring& line) {
    if (line.empty() || line[0] == L';' || line.rfind(L"Windows Registry Editor", 0) == 0) return;
    if (line[0] == L'[') {
      bool remove = line[1] == L'-';
      auto [root, path] = Split(line.substr(remove ? 2 : 1, line.size() - (remove ? 3 : 2)));
      if (remove) {
        DeleteTree(root, path);
        haveKey_ = false;
      } else {
        reg_.CreateKey(root, path);
        root_ = root;
        key_ = path;
        haveKey_ = true;
      }
      return;
    }
    ASSERT_TRUE(haveKey_) << "value outside a key";
    std::wstring name;
    std::size_t i = 0;
    if (line[0] == L'@') {
      i = 1;
    } else {
      for (i = 1; line[i] != L'"'; ++i) {
        if (line[i] == L'\\') ++i;
        name.push_back(line[i]);
      }
      ++i;
    }
    std::wstring data = line.substr(i + 1);
    if (data == L"-") {
      reg_.DeleteValue(root_, key_, name);
    } else if (data[0] == L'"') {
      std::wstring text;
      for (std::size_t j = 1; j + 1 < data.size(); ++j) {
        if (data[j] == L'\\') ++j;
        text.push_back(data[j]);
      }
      reg_.Put(root_, key_, RegValue{name, kRegSz, RegStringData(text)});
    } else if (data.rfind(L"dword:", 0) == 0) {
      reg_.Put(
          root_, key_,
          RegValue{name, kRegDword, RegDwordData(static_cast<std::int32_t>(std::stoul(data.substr(6), nullptr, 16)))});
    } else if (data.rfind(L"hex:", 0) == 0) {
      reg_.Put(root_, key_, RegValue{name, kRegBinary, HexBytes(data.substr(4))});
    } else {
      ASSERT_EQ(data.rfind(L"hex(", 0), 0u) << ToNarrow(line);
      std::size_t close = data.find(L"):");
      auto type = static_cast<std::uint32_t>(std::stoul(data.substr(4, close - 4), nullptr, 16));
      reg_.Put(root_, key_, RegValue{name, type, HexBytes(data.substr(close + 2))});
    }
  }

  static std::string ToNarrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

  fakes::FakeRegistry& reg_;
  RegRoot root_ = HKCU;
  std::wstring key_;
  bool haveKey_ = false;
};

TEST(RegistryBackup, SavesOldValuesNewValuesAsDeletionsCreatedKeysAndDeletedTrees) {
  fakes::FakeRegistry reg;
  reg.PutString(HKCU, L"Soft\\A", L"Name", L"old");
  reg.PutDword(HKCU, L"Soft\\A", L"N", 10);
  reg.CreateKey(HKLM, L"SYSTEM");
  reg.Put(HKCU, L"Soft\\B", RegValue{L"Bin", kRegBinary, {1, 2, 0xFF}});
  reg.Put(HKCU, L"Soft\\B", RegValue{L"Multi", kRegMultiSz, {'a', 0, 0, 0, 0, 0}});
  reg.PutString(HKCU, L"Soft\\Tree", L"a", L"1");
  reg.Put(HKCU, L"Soft\\Tree\\Sub", RegValue{L"q\"uote\\", kRegExpandSz, {'%', 0, 0, 0}});
  const std::vector<RepairStep> steps = {
      Str(HKCU, L"Soft\\A\\", L"Name", L"new"),
      Str(HKCU, L"Soft\\A", L"", L"x"),
      Num(HKCU, L"Soft\\A", L"N", 1),
      Str(HKLM, L"SYSTEM\\Missing\\Deeper", L"V", L"1"),
      Str(HKLM, L"SYSTEM\\Missing\\Other", L"V", L"1"),
      DelV(HKCU, L"Soft\\B", L"Bin"),
      DelV(HKCU, L"Soft\\B", L"Gone"),
      DelK(HKCU, L"Soft", L"Tree"),
      DelV(HKCU, L"Soft\\B", L"Multi"),
      DelV(HKCU, L"Soft\\A\\", L"Name"),
      DelK(HKCU, L"Soft", L"NoSuchKey"),
  };
  RegistrySnapshot snap = RegistrySnapshot::Capture(reg, steps, kSys);
  EXPECT_EQ(snap.RegFileText(),
            L"Windows Registry Editor Version 5.00\r\n\r\n"
            L"[-HKEY_LOCAL_MACHINE\\SYSTEM\\Missing]\r\n\r\n"
            L"[HKEY_CURRENT_USER\\Soft\\Tree]\r\n\"a\"=\"1\"\r\n\r\n"
            L"[HKEY_CURRENT_USER\\Soft\\Tree\\Sub]\r\n\"q\\\"uote\\\\\"=hex(2):25,00,00,00\r\n\r\n"
            L"[HKEY_CURRENT_USER\\Soft\\A]\r\n\"Name\"=\"old\"\r\n@=-\r\n\"N\"=dword:0000000a\r\n\r\n"
            L"[HKEY_CURRENT_USER\\Soft\\B]\r\n\"Bin\"=hex:01,02,ff\r\n\"Multi\"=hex(7):61,00,00,00,00,00\r\n\r\n");
  // Deletions that find nothing had nothing to change; the rest had.
  EXPECT_TRUE(snap.NothingToChange(6));
  EXPECT_TRUE(snap.NothingToChange(10));
  EXPECT_FALSE(snap.NothingToChange(0));
  EXPECT_FALSE(snap.NothingToChange(5));
  EXPECT_FALSE(snap.NothingToChange(7));

  std::string bytes = snap.RegFileBytes();
  EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFE"
                                            "W\0",
                                            4));
  EXPECT_EQ(bytes.size(), 2 + 2 * snap.RegFileText().size());
}

TEST(RegistryBackup, QuotesStringsOnlyWhenTheQuotedFormRestoresThemExactly) {
  fakes::FakeRegistry reg;
  reg.PutString(HKCU, L"K", L"Path", L"C:\\a \"b\"");
  reg.PutString(HKCU, L"K", L"Lines", L"a\nb");
  reg.Put(HKCU, L"K", RegValue{L"NoNul", kRegSz, {'a', 0}});
  reg.Put(HKCU, L"K", RegValue{L"Short", kRegDword, {1, 0}});
  reg.Put(HKCU, L"K", RegValue{L"Q", kRegQword, {1, 0, 0, 0, 0, 0, 0, 0}});
  std::vector<std::uint8_t> big(100);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i);
  reg.Put(HKCU, L"K", RegValue{L"Big", kRegBinary, big});
  const std::vector<RepairStep> steps = {DelV(HKCU, L"K", L"Path"),  DelV(HKCU, L"K", L"Lines"),
                                         DelV(HKCU, L"K", L"NoNul"), DelV(HKCU, L"K", L"Short"),
                                         DelV(HKCU, L"K", L"Q"),     DelV(HKCU, L"K", L"Big")};
  std::wstring text = RegistrySnapshot::Capture(reg, steps, kSys).RegFileText();
  EXPECT_NE(text.find(L"\"Path\"=\"C:\\\\a \\\"b\\\"\"\r\n"), std::wstring::npos);
  EXPECT_NE(text.find(L"\"Lines\"=hex(1):61,00,0a,00,62,00,00,00\r\n"), std::wstring::npos);
  EXPECT_NE(text.find(L"\"NoNul\"=hex(1):61,00\r\n"), std::wstring::npos);
  EXPECT_NE(text.find(L"\"Short\"=hex(4):01,00\r\n"), std::wstring::npos);
  EXPECT_NE(text.find(L"\"Q\"=hex(b):01,00,00,00,00,00,00,00\r\n"), std::wstring::npos);
  // Long data is continued over lines of at most 80 characters.
  std::size_t at = text.find(L"\"Big\"=hex:00,01,");
  ASSERT_NE(at, std::wstring::npos);
  std::size_t lines = 0;
  for (std::size_t p = at; p < text.size();) {
    std::size_t end = text.find(L"\r\n", p);
    EXPECT_LE(end - p, 80u);
    ++lines;
    bool more = text[end - 1] == L'\\';
    p = end + 2;
    if (!more) break;
    EXPECT_EQ(text.substr(p, 2), L"  ");
  }
  EXPECT_GE(lines, 4u);
}

TEST(RegistryBackup, NotesWhatCouldNotBeReadAndCountsItsRefusalAsAFailure) {
  fakes::FakeRegistry reg;
  reg.PutDword(HKLM, L"Pol", L"NoRun", 1);
  reg.DenyReads(HKLM, L"Pol");
  reg.DenyWrites(HKLM);
  const std::vector<RepairStep> steps = {DelV(HKLM, L"Pol", L"NoRun")};
  RegistrySnapshot snap = RegistrySnapshot::Capture(reg, steps, kSys);
  EXPECT_NE(snap.RegFileText().find(L"; not saved (error 5): HKEY_LOCAL_MACHINE\\Pol : NoRun\r\n"), std::wstring::npos);
  EXPECT_FALSE(snap.NothingToChange(0));
  ModFixReg fix(reg);
  EXPECT_EQ(CountUnrepaired(steps, fix.RunSteps(steps, kSys), snap), 1);
}

TEST(RegistryBackup, CountsEachRefusedValueOnceAndLeavesOutWhatNeededNoChange) {
  fakes::FakeRegistry reg;
  reg.PutDword(HKLM, L"Pol\\Explorer", L"NoDesktop", 1);
  reg.PutString(HKLM, L"Winlogon", L"Shell", L"Explorer.exe");
  reg.DenyWrites(HKLM);
  const std::vector<RepairStep> steps = {
      DelV(HKLM, L"Pol\\Explorer", L"NoDesktop"), DelV(HKLM, L"Pol\\Explorer\\", L"NoDesktop"),
      DelV(HKLM, L"Pol\\Explorer", L"NoRun"),     Str(HKLM, L"Winlogon", L"Shell", L"Explorer.exe"),
      Str(HKLM, L"Winlogon", L"Userinit", L"x"),  Num(HKLM, L"New\\Key", L"N", 1),
  };
  RegistrySnapshot snap = RegistrySnapshot::Capture(reg, steps, kSys);
  ModFixReg fix(reg);
  auto results = fix.RunSteps(steps, kSys);
  for (const auto& r : results) EXPECT_TRUE(r.AccessDenied());
  EXPECT_EQ(CountUnrepaired(steps, results, snap), 3);  // NoDesktop, Userinit, N
}

TEST(RegistryBackup, ImportingItUndoesAWholeRepairRun) {
  fakes::FakeRegistry reg;
  const std::wstring explorer = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
  // An infected machine: policies set, file types hijacked, a policy key with a subtree.
  reg.PutString(HKCR, L"exefile\\shell\\open\\command", L"", L"evil.exe \"%1\" %*");
  reg.PutString(HKCR, L"exefile", L"", L"Application");
  reg.PutDword(HKCU, explorer, L"NoDesktop", 1);
  reg.PutDword(HKCU, explorer, L"NoSMHelp", 1);
  reg.PutDword(HKCU, explorer, L"NoViewOnDrive\\", 67108863);
  reg.PutDword(HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", L"DisableTaskMgr", 1);
  reg.PutString(HKLM, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", L"Shell", L"explorer.exe evil.exe");
  reg.PutString(HKLM, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", L"LegalNoticeText", L"Pay up");
  reg.PutDword(HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\WinOldApp", L"Disabled", 1);
  reg.Put(HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\WinOldApp",
          RegValue{L"Blob", kRegBinary, std::vector<std::uint8_t>(70, 0xAB)});
  reg.PutDword(HKCU, L"Software\\Policies\\Microsoft\\Windows\\System", L"DisableCMD", 2);
  reg.CreateKey(HKLM, L"SYSTEM\\ControlSet001\\Control\\SafeBoot");
  reg.PutString(HKCU, L"Control Panel\\Desktop", L"SCRNSAVE.EXE", L"evil.scr");
  reg.CreateKey(HKLM, L"SYSTEM");
  const std::wstring before = reg.Dump();

  auto steps = RepairCatalogue();
  RegistrySnapshot snap = RegistrySnapshot::Capture(reg, steps, kSys);
  ModFixReg fix(reg);
  fix.RunSteps(steps, kSys);
  ASSERT_NE(reg.Dump(), before);

  RegImporter(reg).Import(snap.RegFileText());
  EXPECT_EQ(reg.Dump(), before);
}

TEST(RegistryBackup, FileNameCarriesTheLocalTime) {
  EXPECT_EQ(BackupFileName({2026, 3, 7, 9, 5, 1}), L"VexaRegBackup-20260307-090501.reg");
  EXPECT_EQ(BackupFileName({2026, 12, 31, 23, 59, 59}), L"VexaRegBackup-20261231-235959.reg");
}

}  // namespace
}  // namespace vexa
