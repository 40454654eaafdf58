#include "registry/repair_catalogue.h"

#include <array>

namespace vexa::registry {

namespace {

constexpr RegRoot HKCR = RegRoot::ClassesRoot;
constexpr RegRoot HKCU = RegRoot::CurrentUser;
constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr RegRoot HKU = RegRoot::Users;

constexpr RepairStep Str(int row, RegRoot root, const wchar_t* key, const wchar_t* name, const wchar_t* text) {
  return {row, root, key, name, RepairAction::SetString, text, 0, false};
}
constexpr RepairStep Num(int row, RegRoot root, const wchar_t* key, const wchar_t* name, std::int32_t number) {
  return {row, root, key, name, RepairAction::SetNumber, L"", number, false};
}
constexpr RepairStep DelV(int row, RegRoot root, const wchar_t* key, const wchar_t* name) {
  return {row, root, key, name, RepairAction::DeleteValue, L"", 0, false};
}
constexpr RepairStep DelK(int row, RegRoot root, const wchar_t* key, const wchar_t* name) {
  return {row, root, key, name, RepairAction::DeleteKey, L"", 0, false};
}
constexpr RepairStep SysStr(int row, RegRoot root, const wchar_t* key, const wchar_t* name, const wchar_t* text) {
  return {row, root, key, name, RepairAction::SetString, text, 0, true};
}

// "%1" %*  /  "%1" /S  /  the script host followed by "%1" %*
constexpr const wchar_t* D1 = L"\"%1\" %*";
constexpr const wchar_t* D2 = L"\"%1\" /S";
constexpr const wchar_t* D3 = L"%SystemRoot%\\System32\\WScript.exe \"%1\" %*";

constexpr const wchar_t* kWinlogon = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr const wchar_t* kPolExplorer = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const wchar_t* kPolExplorerB = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\";
constexpr const wchar_t* kPolSystem = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr const wchar_t* kTaskSched = L"Software\\Policies\\Microsoft\\Windows\\Task Scheduler5.0\\";
constexpr const wchar_t* kInstaller = L"SOFTWARE\\Policies\\Microsoft\\Windows\\Installer";
constexpr const wchar_t* kSystemRestore = L"SOFTWARE\\Policies\\Microsoft\\Windows NT\\SystemRestore\\";
constexpr const wchar_t* kSuperHidden =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\Folder\\SuperHidden\\";
constexpr const wchar_t* kHideFileExt =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\Folder\\HideFileExt\\";

constexpr std::array<RepairStep, 99> kCatalogue = {{
    Str(1, HKCR, L"exefile", L"", L"Application"),
    Str(2, HKCR, L"exefile\\shell\\open\\command", L"", D1),
    Str(3, HKCR, L"lnkfile\\shell\\open\\command", L"", D1),
    Str(4, HKCR, L"piffile\\shell\\open\\command", L"", D1),
    Str(5, HKCR, L"batfile\\shell\\open\\command", L"", D1),
    Str(6, HKCR, L"comfile\\shell\\open\\command", L"", D1),
    Str(7, HKCR, L"cmdfile\\shell\\open\\command", L"", D1),
    Str(8, HKCR, L"scrfile\\shell\\open\\command", L"", D2),
    Str(9, HKCR, L"regfile\\shell\\open\\command", L"", L"regedit.exe %1"),
    Str(10, HKCR, L"vbsfile\\shell\\open\\command", L"", D3),
    Str(11, HKCU, L"Control Panel\\Desktop\\", L"SCRNSAVE.EXE", L""),
    Str(12, HKLM, L"SYSTEM\\ControlSet001\\Control\\SafeBoot\\", L"AlternateShell", L"cmd.exe"),
    Str(13, HKLM, L"SYSTEM\\ControlSet002\\Control\\SafeBoot\\", L"AlternateShell", L"cmd.exe"),
    Str(14, HKLM, L"SYSTEM\\ControlSet003\\Control\\SafeBoot\\", L"AlternateShell", L"cmd.exe"),
    Str(15, HKLM, L"SYSTEM\\CurrentControlSet\\Control\\SafeBoot\\", L"AlternateShell", L"cmd.exe"),
    Str(16, HKLM, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug", L"Auto", L"0"),
    Str(17, HKLM, kWinlogon, L"Shell", L"Explorer.exe"),
    // Userinit must name the userinit.exe of this machine's own system folder.
    SysStr(18, HKLM, kWinlogon, L"Userinit", L"\\userinit.exe,"),
    Str(19, HKLM, kWinlogon, L"LegalNoticeText", L""),
    Str(20, HKLM, kWinlogon, L"LegalNoticeCaption", L""),
    Str(21, HKCU, L"Control Panel\\International\\", L"s1159", L"AM"),
    Str(22, HKCU, L"Control Panel\\International\\", L"s2359", L"PM"),
    Num(23, HKLM, kSuperHidden, L"CheckedValue", 0),
    Num(24, HKLM, kSuperHidden, L"UncheckedValue", 1),
    Num(25, HKLM, kHideFileExt, L"CheckedValue", 1),
    Num(26, HKLM, kHideFileExt, L"UncheckedValue", 0),
    DelV(27, HKCU, kPolExplorer, L"NoWinKeys"),
    DelV(28, HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", L"NoWinKeys"),
    DelV(29, HKCU, kPolExplorerB, L"NoActiveDesktop"),
    DelV(30, HKLM, kPolExplorerB, L"NoActiveDesktop"),
    DelV(31, HKCU, kPolExplorer, L"NoClose"),
    DelV(32, HKCU, kPolExplorer, L"NoDesktop"),
    DelV(33, HKCU, kPolExplorer, L"NoRun"),
    DelV(34, HKCU, kPolExplorer, L"NoLogoff"),
    DelV(35, HKCU, kPolExplorer, L"NoFind"),
    DelV(36, HKCU, kPolExplorer, L"NoTrayContextMenu"),
    DelV(37, HKCU, kPolExplorer, L"NoViewContextMenu"),
    DelV(38, HKCU, kPolExplorerB, L"NoStarMenuMorePrograms"),
    DelV(39, HKCU, kPolSystem, L"NoDispSettingsPage"),
    DelV(40, HKLM, kPolSystem, L"NoDispSettingsPage"),
    DelV(41, HKCU, kPolSystem, L"NoDispBackgroundPage"),
    DelV(42, HKCU, kPolSystem, L"NoScrSavPage"),
    DelV(43, HKCU, kPolSystem, L"NoDispApprearancePage"),
    DelV(44, HKCU, kPolSystem, L"NoDispCpl"),
    DelV(45, HKCU, kPolExplorerB, L"NoSMHelp"),
    DelV(46, HKCU, kPolExplorerB, L"NoDrives"),
    DelV(47, HKLM, kPolExplorerB, L"NoDrives"),
    DelV(48, HKCU, kPolExplorerB, L"NoDrive"),
    DelV(49, HKLM, kPolExplorerB, L"NoDrive"),
    DelV(50, HKCU, kPolExplorerB, L"NoViewOnDrive\\"),
    DelV(51, HKCU, kPolExplorerB, L"NoSaveSettings"),
    DelV(52, HKCU, kPolExplorerB, L"NoSetFolders"),
    DelV(53, HKCU, kPolExplorerB, L"NoSetTaskbar"),
    DelV(54, HKCU, kPolExplorerB, L"NoTrayContextMenu"),
    DelV(55, HKCU, kPolExplorerB, L"NoViewContextMenu"),
    DelV(56, HKCU, kPolExplorerB, L"NoUserNameInStartMenu"),
    DelV(57, HKLM, kPolExplorerB, L"NoPrinters"),
    DelV(58, HKCU, kPolExplorerB, L"NoDesktop"),
    DelV(59, HKCU, kPolExplorerB, L"NoThemesTab"),
    DelV(60, HKLM, kPolExplorerB, L"NoThemesTab"),
    DelV(61, HKCU, kPolExplorerB, L"NoInstrumentation"),
    DelV(62, HKCU, kPolExplorerB, L"NoPrinters"),
    DelV(63, HKCU, kPolExplorerB, L"NoSMHelp"),
    DelV(64, HKCU, kPolExplorerB, L"NoStartMenuMorePrograms"),
    DelV(65, HKCU, kPolExplorerB, L"NoThemesTabNoThemesTab"),
    DelV(66, HKLM, kInstaller, L"DisableMSI"),
    DelV(67, HKLM, kSystemRestore, L"DisableSR"),
    DelV(68, HKLM, kSystemRestore, L"DisableConfig"),
    DelV(69, HKCU, kTaskSched, L"Execution"),
    DelV(70, HKLM, kTaskSched, L"Execution"),
    DelV(71, HKCU, kTaskSched, L"Property Pages"),
    DelV(72, HKLM, kTaskSched, L"Property Pages"),
    DelV(73, HKCU, kTaskSched, L"Task Creation"),
    DelV(74, HKCU, kTaskSched, L"Task Deletion"),
    DelV(75, HKLM, kInstaller, L"LimitSystemRestoreCheckpointing"),
    DelV(76, HKLM, kPolExplorerB, L"shutdownwithoutlogon"),
    DelV(77, HKLM, kPolExplorerB, L"undockwithoutlogon"),
    DelK(78, HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies", L"WinOldApp"),
    DelK(79, HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies", L"WinOldApp"),
    DelV(80, HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\policies\\System", L"legalnoticetext"),
    DelV(81, HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\policies\\System\\", L"legalnoticecaption"),
    DelV(82, HKCU, kPolExplorerB, L"StartMenuLogOff"),
    DelV(83, HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\", L"ActiveDesktop"),
    DelV(84, HKCU, kPolExplorerB, L"DisallowRun"),
    DelV(85, HKCU, kPolExplorerB, L"ClassicShell"),
    DelV(86, HKCU, kPolExplorerB, L"HideClock"),
    Str(87, HKCU, L"Control Panel\\Desktop", L"AutoEndTasks", L"1"),
    Str(88, HKCU, L"Control Panel\\Desktop", L"MenuShowDelay", L"1"),
    Str(89, HKU, L".DEFAULT\\Control Panel\\Desktop\\", L"MenuShowDelay", L"1"),
    Str(90, HKLM, L"SYSTEM\\ControlCurrentSet\\Control\\CrashControl", L"AutoReboot", L"1"),
    Num(91, HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", L"DesktopProcess", 1),
    Str(92, HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\", L"AlwaysUnloadDLL", L"1"),
    DelV(93, HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\System",
         L"DisableRegistryTools"),
    DelV(94, HKLM, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\System",
         L"DisableRegistryTools"),
    DelV(95, HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\", L"DisableTaskMgr"),
    DelV(96, HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\", L"DisableTaskMgr"),
    DelK(97, HKCU, L"Software\\Policies\\Microsoft\\Windows", L"system"),
    DelV(98, HKCU, kPolExplorer, L"NoFolderOptions"),
    DelV(99, HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", L"NoFolderOptions"),
}};

}  // namespace

std::span<const RepairStep> RepairCatalogue() { return kCatalogue; }

std::wstring RepairText(const RepairStep& step, const std::wstring& systemDirectory) {
  if (!step.underSystemDirectory) return step.text;
  std::wstring dir = systemDirectory;
  while (!dir.empty() && (dir.back() == L'\\' || dir.back() == L'/')) dir.pop_back();
  if (dir.empty()) dir = L"C:\\WINDOWS\\system32";
  return dir + step.text;
}

bool IsWrite(const RepairStep& step) {
  return step.action == RepairAction::SetString || step.action == RepairAction::SetNumber;
}

}  // namespace vexa::registry
