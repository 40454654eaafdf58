#include "tests/e2e/driver.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "app/form1_layout.h"
#include "controls/win32/controls.h"
#include "ui/scoped.h"

namespace vexa::e2e {

namespace {

std::wstring g_program;
std::unique_ptr<Shared> g_shared;

// The test's own environment with `env` laid over it, as CreateProcessW
// takes it: NAME=value strings, each ended by a NUL, then one more.
std::wstring EnvironmentBlock(const EnvVars& env) {
  std::wstring block;
  wchar_t* own = GetEnvironmentStringsW();
  for (const wchar_t* p = own; *p; p += wcslen(p) + 1) {
    const std::wstring entry = p, name = entry.substr(0, entry.find(L'=', 1));  // "=C:" names start with '='
    if (std::none_of(env.begin(), env.end(), [&](const auto& v) { return _wcsicmp(v.first.c_str(), name.c_str()) == 0; }))
      block += entry + L'\0';
  }
  FreeEnvironmentStringsW(own);
  for (const auto& [name, value] : env)
    if (!value.empty()) block += name + L"=" + value + L'\0';
  return block + L'\0';
}

// The first window that matches: a top-level one (root null) or a descendant of root.
HWND FindWindowOf(HWND root, const std::function<bool(HWND)>& match) {
  std::pair<const std::function<bool(HWND)>*, HWND> find{&match, nullptr};
  const WNDENUMPROC visit = [](HWND h, LPARAM lp) -> BOOL {
    auto* f = reinterpret_cast<decltype(find)*>(lp);
    if (!(*f->first)(h)) return TRUE;
    f->second = h;
    return FALSE;
  };
  root ? EnumChildWindows(root, visit, reinterpret_cast<LPARAM>(&find))
       : EnumWindows(visit, reinterpret_cast<LPARAM>(&find));
  return find.second;
}

std::wstring ClassOf(HWND h) {
  wchar_t name[64] = {};
  GetClassNameW(h, name, 64);
  return name;
}

}  // namespace

LRESULT Ask(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(h, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &answer) ? static_cast<LRESULT>(answer) : -1;
}

namespace {

std::wstring Prepared(const std::wstring& folder, bool fresh) {
  if (fresh) {
    test::RemoveTree(folder);
    CreateDirectoryW(folder.c_str(), nullptr);
    CopyFileW(g_program.c_str(), (folder + L"\\VexaUtility.exe").c_str(), FALSE);
  }
  return folder + L"\\VexaUtility.exe";
}

bool IsBox(HWND h) { return ClassOf(h) == L"#32770" && IsWindowVisible(h); }
bool IsMenu(HWND h) { return ClassOf(h) == L"#32768" && IsWindowVisible(h); }
bool IsForm(HWND h) { return ClassOf(h) != L"#32770"; }

void ClickAt(HWND window, int x, int y) {
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// One of the four tabs, as a click on it.
void ClickTab(HWND form1, int index) {
  ui::ScopedWindowDc dc(form1);
  const int dpi = GetDeviceCaps(dc.get(), LOGPIXELSX);
  ClickAt(form1, MulDiv(app::kTabLeft + 200, dpi, 1440), MulDiv(app::kTabTops[index] + 100, dpi, 1440));
}

}  // namespace

void SetProgramPath(const char* path) {
  wchar_t full[MAX_PATH];
  GetFullPathNameW(std::wstring(path, path + strlen(path)).c_str(), MAX_PATH, full, nullptr);
  g_program = full;
}

Process::Process(const std::wstring& exe, const std::wstring& args, const EnvVars& env, const std::wstring& folder) {
  STARTUPINFOW si{sizeof si};
  std::wstring cmd = L"\"" + exe + L"\" " + args, block = EnvironmentBlock(env);
  CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                 env.empty() ? nullptr : block.data(), folder.empty() ? nullptr : folder.c_str(), &si, &pi_);
}

Process::~Process() {
  if (Running()) TerminateProcess(pi_.hProcess, 99), WaitForSingleObject(pi_.hProcess, 5000);
  if (pi_.hProcess) CloseHandle(pi_.hProcess), CloseHandle(pi_.hThread);
}

bool Process::Running() const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

bool Process::WaitExit(int ms) const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0; }

long Process::ExitCode() const {
  DWORD code = 0;
  return WaitExit(0) && GetExitCodeProcess(pi_.hProcess, &code) ? static_cast<long>(code) : -1;
}

Program::Program(const std::wstring& folder, const EnvVars& env, bool fresh)
    : Process(Prepared(folder, fresh), L"", env, folder), folder_(folder) {}

HWND Program::Find(bool (*kind)(HWND), const std::wstring& caption) const {
  return FindWindowOf(nullptr, [&](HWND h) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    return pid == pi_.dwProcessId && kind(h) && (caption.empty() || TextOf(h) == caption);
  });
}

HWND Program::Window(const std::wstring& caption) const { return Find(IsForm, caption); }

HWND Program::WaitWindow(const std::wstring& caption, bool visible, int ms) const {
  HWND found = nullptr;
  return WaitFor([&] { return (found = Window(caption)) && (IsWindowVisible(found) != FALSE) == visible; }, ms)
             ? found : nullptr;
}

HWND Program::Box() const { return Find(IsBox); }

HWND Program::WaitBox(int ms) const {
  HWND box = nullptr;
  return WaitFor([&] { return (box = Box()) != nullptr; }, ms) ? box : nullptr;
}

bool Program::TrayMenu(int item) const {
  PostMessageW(Window(L"Form2"), WM_MOUSEMOVE, 0, WM_RBUTTONUP);  // the icon's callback message
  if (!WaitFor([&] { return Find(IsMenu) != nullptr; }, 5000)) return false;
  for (int i = 0; i < item; ++i) PostMessageW(Find(IsMenu), WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(Find(IsMenu), WM_KEYDOWN, VK_RETURN, 0);
  return WaitFor([&] { return Find(IsMenu) == nullptr; }, 5000);
}

bool Program::TrayIconPresent() const {
  NOTIFYICONDATAW nid{sizeof nid};
  nid.hWnd = Window(L"Form2");
  nid.uID = 1;  // a change of nothing: it succeeds only while the icon exists
  return nid.hWnd && Shell_NotifyIconW(NIM_MODIFY, &nid);
}

HWND ControlById(HWND root, int id) {
  return FindWindowOf(root, [id](HWND h) { return GetDlgCtrlID(h) == id; });
}

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR n = 0;  // WM_GETTEXT crosses processes; GetWindowText does not for controls
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &n);
  return std::wstring(text, std::min<DWORD_PTR>(n, 1023));
}

bool OnView(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  for (HWND w = child; GetWindowLongW(w, GWL_STYLE) & WS_CHILD; w = GetParent(w)) {
    POINT at = centre;
    ScreenToClient(GetParent(w), &at);
    if (ChildWindowFromPointEx(GetParent(w), at, CWP_SKIPINVISIBLE) != w) return false;
  }
  return IsWindowVisible(child);
}

void Click(HWND control) { PostMessageW(control, BM_CLICK, 0, 0); }

bool ClickAndWait(HWND control, int ms) {
  DWORD_PTR ignored;
  return SendMessageTimeoutW(control, BM_CLICK, 0, 0, SMTO_BLOCK, ms, &ignored) != 0;
}

bool SetTextOf(HWND control, const std::wstring& text) {
  DWORD_PTR ok = 0;
  return SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 2000,
                             &ok) && ok;
}

int CheckOf(HWND control) { return static_cast<int>(Ask(control, BM_GETCHECK)); }

void HoverOver(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  SetCursorPos(r.left - 40, r.top - 40);  // from outside, so that the control sees the pointer arrive
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void ClickWithMouse(HWND control) {
  HoverOver(control);
  INPUT press[2]{};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, press, sizeof(INPUT));
}

void PressKey(HWND window, WORD key) {
  SetForegroundWindow(window);
  WaitFor([&] { return GetForegroundWindow() == window; }, 2000);
  INPUT press[2]{};
  press[0].type = press[1].type = INPUT_KEYBOARD;
  press[0].ki.wVk = press[1].ki.wVk = key;
  press[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, press, sizeof(INPUT));
}

HWND TipShowing(const Program& program, const std::wstring& text) {
  for (HWND tip = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); tip;
       tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(tip, &pid);
    if (pid == program.Id() && IsWindowVisible(tip) && TextOf(tip) == text) return tip;
  }
  return nullptr;
}

std::wstring BoxText(HWND box) { return TextOf(GetDlgItem(box, 0xFFFF)); }

void AnswerOk(HWND box) { PostMessageW(box, WM_COMMAND, IDOK, 0); }

std::vector<std::wstring> ListBoxLines(HWND list) {
  std::vector<std::wstring> lines;
  for (LRESULT i = 0, n = Ask(list, LB_GETCOUNT); i < n; ++i) {
    std::wstring line(std::max<LRESULT>(Ask(list, LB_GETTEXTLEN, i), 0) + 1, L'\0');
    line.resize(std::max<LRESULT>(Ask(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data())), 0));
    lines.push_back(line);
  }
  return lines;
}

bool ClickListBoxLine(HWND list, int index) {
  Ask(list, LB_SETTOPINDEX, index);
  const int height = std::max<int>(Ask(list, LB_GETITEMHEIGHT), 1);
  ClickAt(list, 8, (index - static_cast<int>(Ask(list, LB_GETTOPINDEX))) * height + height / 2);
  return WaitFor([&] { return Ask(list, LB_GETCURSEL) == index; });
}

std::vector<std::vector<std::wstring>> ListViewRows(HWND list, int columns) {
  // LVM_GETITEMTEXT carries a pointer, which must be valid in the list's own
  // process: the item and its text go through memory placed there.
  constexpr int kChars = 1024;
  DWORD pid = 0;
  GetWindowThreadProcessId(list, &pid);
  ui::ScopedHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
  const SIZE_T size = sizeof(LVITEMW) + kChars * sizeof(wchar_t);
  auto* remote = static_cast<char*>(VirtualAllocEx(process.get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE));
  std::vector<std::vector<std::wstring>> rows(std::max<LRESULT>(Ask(list, LVM_GETITEMCOUNT), 0));
  for (std::size_t r = 0; remote && r < rows.size(); ++r) {
    for (int c = 0; c < columns; ++c) {
      LVITEMW item{};
      item.iSubItem = c;
      item.cchTextMax = kChars;
      item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof item);
      wchar_t text[kChars] = {};
      WriteProcessMemory(process.get(), remote, &item, sizeof item, nullptr);
      const LRESULT n = Ask(list, LVM_GETITEMTEXTW, r, reinterpret_cast<LPARAM>(remote));
      ReadProcessMemory(process.get(), remote + sizeof item, text, sizeof text, nullptr);
      rows[r].push_back(std::wstring(text, std::clamp<LRESULT>(n, 0, kChars - 1)));
    }
  }
  if (remote) VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
  return rows;
}

void Screenshot(HWND window, const std::wstring& name) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Ask(window, WM_NULL);  // its queue served, its painting done
  RECT rc;
  GetWindowRect(window, &rc);
  const int w = rc.right - rc.left, h = rc.bottom - rc.top, stride = (w * 3 + 3) / 4 * 4;
  ui::ScopedWindowDc screen(nullptr);
  ui::ScopedMemoryDc mem(CreateCompatibleDC(screen.get()));
  BITMAPINFOHEADER head{sizeof head, w, -h, 1, 24, BI_RGB};
  void* bits = nullptr;
  ui::ScopedGdi<HBITMAP> picture(CreateDIBSection(screen.get(), reinterpret_cast<BITMAPINFO*>(&head),
                                                  DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!picture || w <= 0 || h <= 0) return;
  {
    ui::ScopedSelect into(mem.get(), picture.get());
    BitBlt(mem.get(), 0, 0, w, h, screen.get(), rc.left, rc.top, SRCCOPY);
  }
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof file + sizeof head + stride * h), 0, 0,
                        sizeof file + sizeof head};
  wchar_t folder[MAX_PATH] = L"";
  if (!GetEnvironmentVariableW(L"VEXA_E2E_ARTIFACTS", folder, MAX_PATH)) GetTempPathW(MAX_PATH, folder);
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&head), sizeof head).append(static_cast<const char*>(bits), stride * h);
  test::MakeFile(std::wstring(folder) + L"\\" + name + L".bmp", 0, bytes);
}

std::wstring BesideTests(const wchar_t* name) {
  wchar_t self[MAX_PATH];
  std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
  return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

Shared::Shared()
    : standIn(test::LoopbackServer::Mode::Answer, test::LoopbackServer::Ok(kShortUrl + "\n")),
      program(test::FreshFolder(L"app"), {{L"VEXA_SHORTENER_BASE", standIn.Base()},
                                          {L"TEMP", L""}, {L"HOMEPATH", L""}, {L"SystemRoot", L""}}) {
  if (HWND splash = program.WaitWindow(L"Form2", true, 20000)) {
    splashSpinnerTurned = Ask(ControlById(splash, 3), controls::kSpinnerIsPlaying) != 0;
    Screenshot(splash, L"splash");
  }
  // The splash ends, the tray icon comes, then "Show".
  if (program.WaitWindow(L"Form2", false, 20000) && WaitFor([&] { return program.TrayIconPresent(); }) &&
      program.TrayMenu(1))
    form1 = program.WaitWindow(L"VexaUtility Solace", true);
}

Shared& App() {
  if (!g_shared) g_shared = std::make_unique<Shared>();
  return *g_shared;
}

bool EndApp() {
  if (!g_shared) return true;
  NOTIFYICONDATAW nid{sizeof nid};
  nid.hWnd = g_shared->program.Window(L"Form2");
  nid.uID = 1;
  const bool ended = g_shared->program.TrayMenu(2) && g_shared->program.WaitExit(5000);
  const bool iconLeft = Shell_NotifyIconW(NIM_MODIFY, &nid);
  g_shared.reset();
  return ended && !iconLeft;
}

HWND OnTab(int index) {
  Shared& app = App();
  for (HWND box; (box = app.program.Box()) != nullptr;) {  // left open by an earlier failure
    AnswerOk(box);
    WaitFor([&] { return !IsWindow(box); }, 3000);
  }
  if (!IsWindowVisible(app.form1)) app.program.TrayMenu(1);
  ClickTab(app.form1, index);
  return app.form1;
}

bool OpenTool(int button, int control) {
  OnTab(2);
  Click(App().C(button));
  return WaitFor([&] { return OnView(App().C(control)); });
}

}  // namespace vexa::e2e
