// The registry repair and start-with-Windows as a user meets them: a prefix
// damaged the way malware leaves a machine, the Toolbox's "Registry Repair"
// page run to its box (or stopped half-way), the log block and the undo file
// it leaves, and the Option page's "Start program automatically" toggle.
// The test process shares the program's Wine prefix, so it seeds and reads
// the registry directly, and puts every value it or the program touched back
// as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "registry/repair_catalogue.h"
#include "tests/e2e/driver.h"

namespace vexa::e2e {
namespace {

using namespace vexa::app;

// ---- The registry, read and written by the test itself ----------------------

std::wstring TrimKey(std::wstring path) {
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

std::wstring Fold(std::wstring s) {
  CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
  return s;
}

const wchar_t* RootName(HKEY root) {
  if (root == HKEY_CLASSES_ROOT) return L"HKCR";
  if (root == HKEY_CURRENT_USER) return L"HKCU";
  if (root == HKEY_LOCAL_MACHINE) return L"HKLM";
  return L"HKU";
}

HKEY RootOf(RegRoot root) {
  switch (root) {
    case RegRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    default: return HKEY_USERS;
  }
}

// A value, or a whole key below `key` (wholeKey: `name` is that key).
struct Place {
  HKEY root;
  std::wstring key;
  std::wstring name;
  bool wholeKey = false;
};

std::wstring Where(const Place& p) {
  return std::wstring(RootName(p.root)) + L"\\" + p.key + (p.wholeKey ? L"\\" : L" : ") + p.name;
}

struct PlaceState {
  bool keyExists = false;  // `key`, or key\name for a whole key
  bool valueExists = false;
  DWORD type = 0;
  std::vector<BYTE> data;
  bool operator==(const PlaceState&) const = default;
};

std::vector<BYTE> StringData(const std::wstring& text) {
  const BYTE* p = reinterpret_cast<const BYTE*>(text.c_str());
  return std::vector<BYTE>(p, p + (text.size() + 1) * sizeof(wchar_t));
}

std::vector<BYTE> DwordData(DWORD n) {
  return {static_cast<BYTE>(n), static_cast<BYTE>(n >> 8), static_cast<BYTE>(n >> 16), static_cast<BYTE>(n >> 24)};
}

std::string Show(const PlaceState& s) {
  if (!s.keyExists) return "no key";
  if (!s.valueExists) return "no value";
  std::string out = "type " + std::to_string(s.type) + ":";
  if (s.type == REG_SZ || s.type == REG_EXPAND_SZ) {
    std::wstring text(reinterpret_cast<const wchar_t*>(s.data.data()), s.data.size() / sizeof(wchar_t));
    if (!text.empty() && text.back() == L'\0') text.pop_back();
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), n, nullptr, nullptr);
    out += " \"";
    out += utf8;
    out += "\"";
    return out;
  }
  for (BYTE b : s.data) {
    out += ' ';
    out += std::to_string(b);
  }
  return out;
}

void PrintTo(const PlaceState& s, std::ostream* os) { *os << Show(s); }

bool KeyExists(HKEY root, const std::wstring& path) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

PlaceState Read(const Place& p) {
  PlaceState s;
  if (p.wholeKey) {
    s.keyExists = KeyExists(p.root, p.key + L"\\" + p.name);
    return s;
  }
  HKEY h = nullptr;
  if (RegOpenKeyExW(p.root, p.key.c_str(), 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) return s;
  s.keyExists = true;
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(h, p.name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    s.data.resize(size);
    if (RegQueryValueExW(h, p.name.c_str(), nullptr, &type, s.data.data(), &size) == ERROR_SUCCESS) {
      s.valueExists = true;
      s.type = type;
      s.data.resize(size);
    } else {
      s.data.clear();
    }
  }
  RegCloseKey(h);
  return s;
}

bool Write(HKEY root, const std::wstring& key, const std::wstring& name, DWORD type, const std::vector<BYTE>& data) {
  HKEY h = nullptr;
  if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr) != ERROR_SUCCESS)
    return false;
  bool ok = RegSetValueExW(h, name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
  RegCloseKey(h);
  return ok;
}

bool WriteString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& text) {
  return Write(root, key, name, REG_SZ, StringData(text));
}

PlaceState StringState(const std::wstring& text) { return {true, true, REG_SZ, StringData(text)}; }

// The values and keys of a list of places as they are now; put back as they
// were when the object goes (keys the test or the program created since are
// removed again).
class SavedPlaces {
 public:
  explicit SavedPlaces(std::vector<Place> places) : places_(std::move(places)), before_(ReadAll()) {
    for (const Place& p : places_) {
      std::wstring path = p.wholeKey ? p.key + L"\\" + p.name : p.key;
      for (std::size_t cut = 0; cut != std::wstring::npos;) {
        cut = path.find(L'\\', cut + 1);
        std::wstring prefix = path.substr(0, cut);
        auto id = std::make_pair(p.root, Fold(prefix));
        if (!prefixes_.count(id)) prefixes_[id] = {prefix, KeyExists(p.root, prefix)};
      }
    }
  }
  ~SavedPlaces() { Restore(); }
  SavedPlaces(const SavedPlaces&) = delete;
  SavedPlaces& operator=(const SavedPlaces&) = delete;

  const std::vector<Place>& places() const { return places_; }
  const std::vector<PlaceState>& before() const { return before_; }

  std::vector<PlaceState> ReadAll() const {
    std::vector<PlaceState> out;
    for (const Place& p : places_) out.push_back(Read(p));
    return out;
  }

  // The places whose states differ between a and b, one line each.
  std::string Differences(const std::vector<PlaceState>& a, const std::vector<PlaceState>& b) const {
    std::string out;
    for (std::size_t i = 0; i < places_.size() && i < a.size() && i < b.size(); ++i) {
      if (a[i] == b[i]) continue;
      std::wstring w = Where(places_[i]);
      out += std::string(w.begin(), w.end()) + ": " + Show(a[i]) + " / " + Show(b[i]) + "\n";
    }
    return out;
  }

  void Restore() {
    for (std::size_t i = places_.size(); i-- > 0;) {
      const Place& p = places_[i];
      const PlaceState& was = before_[i];
      if (p.wholeKey) continue;
      if (was.valueExists) {
        if (!(Read(p) == was)) Write(p.root, p.key, p.name, was.type, was.data);
      } else if (Read(p).valueExists) {
        RegDeleteKeyValueW(p.root, p.key.c_str(), p.name.c_str());
      }
    }
    // Keys that did not exist before, deepest first.
    std::vector<std::pair<HKEY, std::wstring>> created;
    for (const auto& [id, prefix] : prefixes_)
      if (!prefix.second && KeyExists(id.first, prefix.first)) created.emplace_back(id.first, prefix.first);
    std::sort(created.begin(), created.end(),
              [](const auto& a, const auto& b) { return a.second.size() > b.second.size(); });
    for (const auto& [root, path] : created) {
      RegDeleteTreeW(root, path.c_str());
      RegDeleteKeyW(root, path.c_str());
    }
  }

 private:
  std::vector<Place> places_;
  std::vector<PlaceState> before_;
  std::map<std::pair<HKEY, std::wstring>, std::pair<std::wstring, bool>> prefixes_;  // path as written, existed
};

// Every place the repair catalogue writes or deletes, once each.
std::vector<Place> CataloguePlaces() {
  std::vector<Place> out;
  std::set<std::wstring> seen;
  for (const RepairStep& step : RepairCatalogue()) {
    Place p{RootOf(step.root), TrimKey(step.keyPath), step.name, step.action == RepairAction::DeleteKey};
    if (seen.insert(Fold(Where(p))).second) out.push_back(p);
  }
  return out;
}

// What the catalogue leaves at each of those places.
std::vector<PlaceState> RepairedStates(const std::vector<Place>& places) {
  wchar_t sys[MAX_PATH];
  UINT n = GetSystemDirectoryW(sys, MAX_PATH);
  std::wstring systemDirectory(sys, n < MAX_PATH ? n : 0);
  std::map<std::wstring, PlaceState> last;
  for (const RepairStep& step : RepairCatalogue()) {
    Place p{RootOf(step.root), TrimKey(step.keyPath), step.name, step.action == RepairAction::DeleteKey};
    PlaceState s;
    switch (step.action) {
      case RepairAction::SetString: s = StringState(RepairText(step, systemDirectory)); break;
      case RepairAction::SetNumber: s = {true, true, REG_DWORD, DwordData(static_cast<DWORD>(step.number))}; break;
      case RepairAction::DeleteValue: s.keyExists = true; break;  // or no key at all
      case RepairAction::DeleteKey: break;
    }
    last[Fold(Where(p))] = s;
  }
  std::vector<PlaceState> out;
  for (const Place& p : places) out.push_back(last[Fold(Where(p))]);
  return out;
}

// A deleted value counts as repaired whether or not its key is there.
bool Repaired(const PlaceState& now, const PlaceState& want) {
  if (!want.valueExists) return !now.valueExists;
  return now == want;
}

// ---- What a virus left behind -------------------------------------------------

const std::wstring kPolicies = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies";
const std::wstring kWinlogon = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const std::wstring kExeOpen = L"exefile\\shell\\open\\command";
const std::wstring kHijack = L"C:\\windows\\temp\\svch0st.exe \"%1\" %*";
const std::wstring kHijackShell = L"Explorer.exe C:\\windows\\temp\\svch0st.exe";

const Place kTaskMgr{HKEY_CURRENT_USER, kPolicies + L"\\System", L"DisableTaskMgr"};
const Place kRegTools{HKEY_CURRENT_USER, kPolicies + L"\\Explorer\\System", L"DisableRegistryTools"};
const Place kFolderOptions{HKEY_CURRENT_USER, kPolicies + L"\\Explorer", L"NoFolderOptions"};
const Place kExeCommand{HKEY_CLASSES_ROOT, kExeOpen, L""};
const Place kShell{HKEY_LOCAL_MACHINE, kWinlogon, L"Shell"};

void SeedInfection() {
  ASSERT_TRUE(Write(kTaskMgr.root, kTaskMgr.key, kTaskMgr.name, REG_DWORD, DwordData(1)));
  ASSERT_TRUE(Write(kRegTools.root, kRegTools.key, kRegTools.name, REG_DWORD, DwordData(1)));
  ASSERT_TRUE(Write(kFolderOptions.root, kFolderOptions.key, kFolderOptions.name, REG_DWORD, DwordData(1)));
  ASSERT_TRUE(WriteString(kExeCommand.root, kExeCommand.key, kExeCommand.name, kHijack));
  ASSERT_TRUE(WriteString(kShell.root, kShell.key, kShell.name, kHijackShell));
}

// The seeded values are all still there as seeded.
void ExpectInfected(const char* when) {
  PlaceState one{true, true, REG_DWORD, DwordData(1)};
  EXPECT_EQ(Read(kTaskMgr), one) << when;
  EXPECT_EQ(Read(kRegTools), one) << when;
  EXPECT_EQ(Read(kFolderOptions), one) << when;
  EXPECT_EQ(Read(kExeCommand), StringState(kHijack)) << when;
  EXPECT_EQ(Read(kShell), StringState(kHijackShell)) << when;
}

// ---- The page -------------------------------------------------------------------

std::string Ansi(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring ShortDate() {
  wchar_t buf[128];
  int n = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buf, 128, nullptr);
  return n > 0 ? std::wstring(buf, static_cast<size_t>(n - 1)) : std::wstring();
}

const std::string kHeader = "[VexaTools Utility]\r\n";

std::string RepairBlock(const std::wstring& date) {
  const std::string d = Ansi(date), sep = std::string(39, '~') + "\r\n";
  return sep + d + "Scan Registry : HKEY_CLASSES_ROOT\r\n" + d + "Scan Registry : HKEY_CURRENT_USER\r\n" + d +
         "Scan Registry : HKEY_LOCAL_MACHINE\r\n" + sep + "~~~~~~~~~~~~~~~~~ DONE ~~~~~~~~~~~~~~~~~~\r\n" + sep;
}

// A caption the dots animation shows: empty, or a space and up to thirteen dots.
bool IsDots(const std::wstring& s) {
  if (s.empty()) return true;
  return s[0] == L' ' && s.size() <= 14 && s.find_first_not_of(L'.', 1) == std::wstring::npos;
}

ULONGLONG Stamp(const SYSTEMTIME& t) {
  FILETIME ft;
  SystemTimeToFileTime(&t, &ft);
  return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime) / 10000000ull;
}

SYSTEMTIME LocalNow() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  t.wMilliseconds = 0;
  return t;
}

// The program started, its main window shown, the Registry Repair page open.
class RegistryRepairE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!UnderWine()) GTEST_SKIP() << "damages and repairs the registry; runs only in a test Wine prefix";
    saved = std::make_unique<SavedPlaces>(CataloguePlaces());
    SeedInfection();
    if (HasFatalFailure()) return;
    seeded = saved->ReadAll();

    program = std::make_unique<Program>(Scratch(L"registry"));
    form1 = ShowMainWindow(*program);
    ASSERT_TRUE(form1) << "the main window never came up";
    ClickTab(form1, 2);
    ASSERT_TRUE(WaitFor([&] { return OnView(form1, C(PicTool)); })) << "no Toolbox page";
    Click(C(oxbutton5));
    ASSERT_TRUE(WaitFor([&] { return OnView(C(PicTool), C(Picture4)); })) << "no Registry Repair page";
    EXPECT_EQ(TextOf(C(Label24)), L"Registry Repair");
    ExpectIdle("before the first run");
    EXPECT_EQ(TextOf(C(lblStat)), L"-");
    EXPECT_EQ(ProgressValue(C(PB1)), 0);
  }

  void TearDown() override {
    program.reset();  // ends the program before its registry work is undone
    saved.reset();
  }

  HWND C(int id) const { return ControlById(form1, id); }
  bool Enabled(int id) const { return IsWindowEnabled(C(id)) != FALSE; }
  std::wstring Stat() const { return TextOf(C(lblStat)); }
  int Bar() const { return ProgressValue(C(PB1)); }

  void ExpectIdle(const char* when) const {
    EXPECT_TRUE(Enabled(oxbutton12)) << when;
    EXPECT_FALSE(Enabled(oxbutton13)) << when;
    EXPECT_TRUE(Enabled(oxbutton14)) << when;
    EXPECT_EQ(TextOf(C(oxbutton12)), L"Scan + Repair");
    EXPECT_EQ(TextOf(C(oxbutton13)), L"Stop");
  }
  void ExpectRunning(const char* when) const {
    EXPECT_FALSE(Enabled(oxbutton12)) << when;
    EXPECT_TRUE(Enabled(oxbutton13)) << when;
    EXPECT_FALSE(Enabled(oxbutton14)) << when;
  }

  // Presses "Scan + Repair" and waits for the first tick (the start button greys).
  void Start() {
    Click(C(oxbutton12));
    ASSERT_TRUE(WaitFor([&] { return !Enabled(oxbutton12); }, 3000)) << "the run never ticked";
  }

  // Waits for a root caption, watching the dots on the way; the bar's value then.
  int WaitStat(const std::wstring& caption, std::set<std::wstring>& dots, int ms = 15000) {
    bool seen = WaitFor(
        [&] {
          dots.insert(TextOf(C(Label26)));
          return Stat() == caption;
        },
        ms);
    EXPECT_TRUE(seen) << "lblStat never showed the root";
    return Bar();
  }

  std::unique_ptr<SavedPlaces> saved;
  std::vector<PlaceState> seeded;
  std::unique_ptr<Program> program;
  HWND form1 = nullptr;
};

TEST_F(RegistryRepairE2E, ScanAndRepairPutsTheCatalogueBackLogsItAndLeavesAnUndoFile) {
  const SYSTEMTIME pressed = LocalNow();
  const std::wstring dateBefore = ShortDate();
  Start();
  ExpectRunning("from the first tick on");

  std::set<std::wstring> dots;
  int v = WaitStat(L"HKEY_CLASSES_ROOT", dots, 5000);
  EXPECT_GE(v, 10);
  EXPECT_LT(v, 80);
  // "<< Back" is greyed: the page stays.
  Click(C(oxbutton14));
  v = WaitStat(L"HKEY_CURRENT_USER", dots);
  EXPECT_GE(v, 80);
  EXPECT_LT(v, 160);
  EXPECT_TRUE(OnView(C(PicTool), C(Picture4)));
  ExpectRunning("half-way");
  Screenshot(form1, L"registry-running");
  ExpectInfected("nothing is changed before the bar is full");
  EXPECT_EQ(ReadFileBytes(program->LogPath()), kHeader);
  v = WaitStat(L"HKEY_LOCAL_MACHINE", dots);
  EXPECT_GE(v, 160);
  EXPECT_LE(v, 200);
  EXPECT_GE(dots.size(), 5u) << "the dots never moved";
  for (const auto& d : dots) EXPECT_TRUE(IsDots(d)) << "Label26 showed \"" << Ansi(d) << "\"";

  HWND box = program->WaitMessageBox(15000);
  ASSERT_TRUE(box) << "no box at the end of the run";
  const std::wstring dateAfter = ShortDate();
  const SYSTEMTIME boxed = LocalNow();
  EXPECT_EQ(TextOf(box), L"Success");
  EXPECT_EQ(MessageBoxText(box), L"Success Repair Value Registry Corupt Or Infected Virus");
  Screenshot(box, L"registry-success-box");

  // The work is done before the box: the seeded damage is gone...
  EXPECT_EQ(Read(kTaskMgr).valueExists, false);
  EXPECT_EQ(Read(kRegTools).valueExists, false);
  EXPECT_EQ(Read(kFolderOptions).valueExists, false);
  EXPECT_EQ(Read(kExeCommand), StringState(L"\"%1\" %*"));
  EXPECT_EQ(Read(kShell), StringState(L"Explorer.exe"));
  // ...and so is every other place of the catalogue.
  const std::vector<PlaceState> repaired = saved->ReadAll(), want = RepairedStates(saved->places());
  for (std::size_t i = 0; i < repaired.size(); ++i) {
    std::wstring w = Where(saved->places()[i]);
    EXPECT_TRUE(Repaired(repaired[i], want[i]))
        << std::string(w.begin(), w.end()) << " holds " << Show(repaired[i]) << ", not " << Show(want[i]);
  }
  // The log block is written once, with the prefix's short date.
  const std::string log = ReadFileBytes(program->LogPath());
  EXPECT_TRUE(log == kHeader + RepairBlock(dateBefore) || log == kHeader + RepairBlock(dateAfter)) << log;
  // Ticks that come while the box is open do not run the repair again.
  Sleep(1200);
  EXPECT_EQ(ReadFileBytes(program->LogPath()), log);
  EXPECT_EQ(program->MessageBoxWindow(), box);
  EXPECT_EQ(Stat(), L"HKEY_LOCAL_MACHINE");
  ExpectRunning("while the box is open");

  AnswerOk(box);
  ASSERT_TRUE(WaitFor([&] { return Enabled(oxbutton12); }, 5000)) << "the page never went back to idle";
  ExpectIdle("after the box");
  EXPECT_EQ(Stat(), L"-");
  EXPECT_EQ(TextOf(C(Label26)), L"");
  EXPECT_EQ(Bar(), 200) << "the bar is left full";
  Sleep(600);
  EXPECT_EQ(program->MessageBoxWindow(), nullptr) << "one box per run";
  EXPECT_EQ(ReadFileBytes(program->LogPath()), log) << "one log block per run";
  EXPECT_EQ(TextOf(C(Label26)), L"") << "the dots stopped";
  Screenshot(form1, L"registry-done");

  // The undo file beside the log, named for the moment of the repair.
  std::vector<std::wstring> backups = FilesIn(program->Folder(), L"VexaRegBackup-*.reg");
  ASSERT_EQ(backups.size(), 1u);
  const std::wstring& name = backups[0];
  auto digits = [&](std::size_t from, std::size_t count) {
    return std::all_of(name.begin() + from, name.begin() + from + count,
                       [](wchar_t c) { return c >= L'0' && c <= L'9'; });
  };
  ASSERT_TRUE(name.size() == 33 && name.substr(0, 14) == L"VexaRegBackup-" && digits(14, 8) && name[22] == L'-' &&
              digits(23, 6) && name.substr(29) == L".reg")
      << Ansi(name);
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(std::stoi(name.substr(14, 4)));
  t.wMonth = static_cast<WORD>(std::stoi(name.substr(18, 2)));
  t.wDay = static_cast<WORD>(std::stoi(name.substr(20, 2)));
  t.wHour = static_cast<WORD>(std::stoi(name.substr(23, 2)));
  t.wMinute = static_cast<WORD>(std::stoi(name.substr(25, 2)));
  t.wSecond = static_cast<WORD>(std::stoi(name.substr(27, 2)));
  EXPECT_GE(Stamp(t) + 1, Stamp(pressed) + 15) << Ansi(name) << ": written when the bar was full";
  EXPECT_LE(Stamp(t), Stamp(boxed) + 1) << Ansi(name);
  const std::wstring backup = program->Folder() + L"\\" + name;
  const std::string bytes = ReadFileBytes(backup);
  const std::wstring head = L"\xFEFFWindows Registry Editor Version 5.00\r\n";
  ASSERT_GE(bytes.size(), head.size() * 2);
  EXPECT_EQ(bytes.compare(0, head.size() * 2, reinterpret_cast<const char*>(head.c_str()), head.size() * 2), 0);

  // A second start from the full bar begins again from 0; stopped at once.
  Click(C(oxbutton12));
  ASSERT_TRUE(WaitFor([&] { return Bar() < 200; }, 3000));
  EXPECT_LE(Bar(), 20);
  Click(C(oxbutton13));
  ASSERT_TRUE(WaitFor([&] { return !Enabled(oxbutton13); }, 3000));

  // Importing the undo file puts back everything the run changed, the damage included.
  ASSERT_EQ(RunAndWait(L"regedit.exe /s \"" + backup + L"\""), 0);
  const std::vector<PlaceState> undone = saved->ReadAll();
  EXPECT_TRUE(undone == seeded) << "differs from before the run (now / before):\n"
                                << saved->Differences(undone, seeded);
  ExpectInfected("after the undo file is imported");
}

TEST_F(RegistryRepairE2E, StopHalfWayLeavesTheRegistryTheLogAndTheBarAsTheyAre) {
  Start();
  std::set<std::wstring> dots;
  WaitStat(L"HKEY_CURRENT_USER", dots);
  Click(C(oxbutton13));
  ASSERT_TRUE(WaitFor([&] { return !Enabled(oxbutton13); }, 3000)) << "Stop did nothing";
  ExpectIdle("after Stop");
  const int stoppedAt = Bar();
  const std::wstring dotsAt = TextOf(C(Label26));
  EXPECT_GE(stoppedAt, 80);
  EXPECT_LT(stoppedAt, 160);
  Screenshot(form1, L"registry-stopped");

  // The timers are off: nothing moves, no box comes, nothing is written.
  Sleep(1500);
  EXPECT_EQ(Bar(), stoppedAt);
  EXPECT_EQ(TextOf(C(Label26)), dotsAt);
  EXPECT_EQ(Stat(), L"HKEY_CURRENT_USER");
  EXPECT_EQ(program->MessageBoxWindow(), nullptr);
  EXPECT_EQ(ReadFileBytes(program->LogPath()), kHeader);
  EXPECT_TRUE(FilesIn(program->Folder(), L"VexaRegBackup-*.reg").empty());
  const std::vector<PlaceState> now = saved->ReadAll();
  EXPECT_TRUE(now == seeded) << "the registry changed (now / before):\n" << saved->Differences(now, seeded);
  ExpectInfected("after Stop");
  // "Stop" is greyed now; "<< Back" leaves the page.
  Click(C(oxbutton13));
  Click(C(oxbutton14));
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(C(Picture4)); }));

  // Back again, the next start begins from 0 and runs the roots again.
  Click(C(oxbutton5));
  ASSERT_TRUE(WaitFor([&] { return OnView(C(PicTool), C(Picture4)); }));
  Start();
  EXPECT_LT(Bar(), stoppedAt);
  WaitStat(L"HKEY_CLASSES_ROOT", dots, 5000);
  Click(C(oxbutton13));
  ASSERT_TRUE(WaitFor([&] { return !Enabled(oxbutton13); }, 3000));
  Sleep(300);
  EXPECT_EQ(ReadFileBytes(program->LogPath()), kHeader);
  ExpectInfected("after the second Stop");
}

// ---- Start with Windows ------------------------------------------------------------

const std::wstring kRun = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class StartWithWindowsE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!UnderWine()) GTEST_SKIP() << "changes the Run keys; runs only in a test Wine prefix";
    saved = std::make_unique<SavedPlaces>(std::vector<Place>{machine, user, sibling});
  }
  void TearDown() override {
    program.reset();
    saved.reset();
  }

  // Starts the program and opens the Option page.
  void Open() {
    program.reset();
    program = std::make_unique<Program>(Scratch(L"startup"));
    form1 = ShowMainWindow(*program);
    ASSERT_TRUE(form1);
    ClickTab(form1, 3);
    ASSERT_TRUE(WaitFor([&] { return OnView(form1, ControlById(form1, Picture2)); })) << "no Option page";
    ckStar = ControlById(form1, app::ckStar);
    EXPECT_EQ(TextOf(ControlById(form1, Label53)), L"Start program automatically");
    EXPECT_EQ(SendMessageW(ckStar, BM_GETCHECK, 0, 0), 1) << "the toggle starts on, whatever the registry holds";
  }

  // Clicks the toggle as the mouse would and waits for its new value.
  void Toggle(LRESULT expect) {
    RECT rc;
    GetClientRect(ckStar, &rc);
    ClickAt(ckStar, rc.right / 2, rc.bottom / 2);
    ASSERT_TRUE(WaitFor([&] { return SendMessageW(ckStar, BM_GETCHECK, 0, 0) == expect; }, 3000));
    DWORD_PTR ignored;  // the click handler has run once the program answers
    SendMessageTimeoutW(form1, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
  }

  const Place machine{HKEY_LOCAL_MACHINE, kRun, L"Utility"};
  const Place user{HKEY_CURRENT_USER, kRun, L"Utility"};
  const Place sibling{HKEY_LOCAL_MACHINE, kRun, L"VexaE2EOther"};
  std::unique_ptr<SavedPlaces> saved;
  std::unique_ptr<Program> program;
  HWND form1 = nullptr;
  HWND ckStar = nullptr;
};

TEST_F(StartWithWindowsE2E, OffRemovesTheUtilityEntriesAndOnWritesTheProgramsFileName) {
  ASSERT_TRUE(WriteString(machine.root, machine.key, machine.name, L"D:\\Old\\Other.exe"));
  ASSERT_TRUE(WriteString(user.root, user.key, user.name, L"Stale.exe"));
  ASSERT_TRUE(WriteString(sibling.root, sibling.key, sibling.name, L"keep.exe"));
  Open();
  if (HasFatalFailure()) return;
  Screenshot(form1, L"option-start-with-windows");

  Toggle(0);
  EXPECT_FALSE(Read(machine).valueExists);
  EXPECT_FALSE(Read(user).valueExists) << "a per-user entry would still start the program";
  EXPECT_EQ(Read(sibling), StringState(L"keep.exe"));
  EXPECT_EQ(program->MessageBoxWindow(), nullptr);

  // A per-user entry left from a run without the rights goes when the machine's is written.
  ASSERT_TRUE(WriteString(user.root, user.key, user.name, L"Stale.exe"));
  Toggle(1);
  EXPECT_EQ(Read(machine), StringState(L"VexaUtility.exe"));
  EXPECT_FALSE(Read(user).valueExists);
  Toggle(0);
  EXPECT_FALSE(Read(machine).valueExists);

  // After a restart the toggle shows on again; the entry stays removed until it is switched.
  Open();
  if (HasFatalFailure()) return;
  EXPECT_FALSE(Read(machine).valueExists);
  Toggle(0);  // nothing to remove
  EXPECT_FALSE(Read(machine).valueExists);
  EXPECT_EQ(program->MessageBoxWindow(), nullptr);
  Toggle(1);
  Toggle(0);
  Toggle(1);
  EXPECT_EQ(Read(machine), StringState(L"VexaUtility.exe")) << "one value with the file name";
  EXPECT_EQ(Read(sibling), StringState(L"keep.exe"));
}

}  // namespace
}  // namespace vexa::e2e
