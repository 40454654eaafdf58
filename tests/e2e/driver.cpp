#include "tests/e2e/driver.h"

#include <commctrl.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace vexa::e2e {
namespace {
std::wstring g_program;
}

void SetProgramPath(const char* path) {
  int n = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
  g_program.assign(n > 0 ? n - 1 : 0, L'\0');
  MultiByteToWideChar(CP_ACP, 0, path, -1, g_program.data(), n);
  wchar_t full[MAX_PATH];
  if (GetFullPathNameW(g_program.c_str(), MAX_PATH, full, nullptr)) g_program = full;
}

const std::wstring& ProgramPath() { return g_program; }

std::wstring ArtifactFolder() {
  wchar_t buf[MAX_PATH];
  DWORD n = GetEnvironmentVariableW(L"VEXA_E2E_ARTIFACTS", buf, MAX_PATH);
  std::wstring dir;
  if (n > 0 && n < MAX_PATH) {
    dir = buf;
  } else {
    GetTempPathW(MAX_PATH, buf);
    dir = std::wstring(buf) + L"vexa-e2e-artifacts";
  }
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

std::wstring Scratch(const wchar_t* name) {
  wchar_t buf[MAX_PATH];
  GetTempPathW(MAX_PATH, buf);
  return std::wstring(buf) + L"vexa-e2e-" + name;
}

bool UnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool WaitFor(const std::function<bool()>& done, int ms) {
  DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (static_cast<int>(GetTickCount() - start) > ms) return false;
    Sleep(20);
  }
}

std::wstring TextOf(HWND hwnd) {
  wchar_t buf[1024] = {};
  DWORD_PTR n = 0;
  // WM_GETTEXT works across processes (GetWindowText does not read controls of another process).
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000, &n)) n = 0;
  return std::wstring(buf, n < 1024 ? static_cast<size_t>(n) : 1023);
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t buf[256];
  int n = GetClassNameW(hwnd, buf, 256);
  return std::wstring(buf, n > 0 ? n : 0);
}

namespace {

void DeleteTree(const std::wstring& dir) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = dir + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        DeleteTree(path);
      else
        DeleteFileW(path.c_str());
    } while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryW(dir.c_str());
}

struct FindTop {
  DWORD pid;
  std::function<bool(HWND)> match;
  HWND found = nullptr;
};

HWND FindTopLevel(DWORD pid, std::function<bool(HWND)> match) {
  FindTop f{pid, std::move(match)};
  EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        auto* f = reinterpret_cast<FindTop*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (owner == f->pid && f->match(h)) {
          f->found = h;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&f));
  return f.found;
}

// The test's own environment with `env` laid over it, as a block for
// CreateProcessW (NAME=value strings, each ended by a NUL, then one more).
std::wstring EnvironmentBlock(const EnvVars& env) {
  std::wstring block;
  if (wchar_t* own = GetEnvironmentStringsW()) {
    for (const wchar_t* p = own; *p; p += wcslen(p) + 1) {
      std::wstring entry = p;
      // Names may start with '=' (the per-drive folders); the name ends at the next '='.
      std::wstring name = entry.substr(0, entry.find(L'=', 1));
      bool replaced = false;
      for (const auto& var : env)
        replaced = replaced || CompareStringOrdinal(var.first.c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL;
      if (!replaced) block += entry + L'\0';
    }
    FreeEnvironmentStringsW(own);
  }
  for (const auto& [n, v] : env) block += n + L"=" + v + L'\0';
  block += L'\0';
  return block;
}

bool Launch(const std::wstring& exe, const std::wstring& folder, PROCESS_INFORMATION& pi,
            const EnvVars* env = nullptr) {
  STARTUPINFOW si{sizeof si};
  std::wstring cmd = L"\"" + exe + L"\"";
  std::wstring block = env ? EnvironmentBlock(*env) : std::wstring();
  return CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, env ? CREATE_UNICODE_ENVIRONMENT : 0,
                        env ? block.data() : nullptr, folder.c_str(), &si, &pi) != FALSE;
}

}  // namespace

Program::Program(const std::wstring& folder) : Program(folder, EnvVars{}) {}

Program::Program(const std::wstring& folder, const EnvVars& env) : folder_(folder) {
  DeleteTree(folder_);
  CreateDirectoryW(folder_.c_str(), nullptr);
  exe_ = folder_ + L"\\VexaUtility.exe";
  CopyFileW(g_program.c_str(), exe_.c_str(), FALSE);
  Launch(exe_, folder_, pi_, env.empty() ? nullptr : &env);
}

Program::Program(const Program& first, int) : folder_(first.folder_), exe_(first.exe_) { Launch(exe_, folder_, pi_); }

Program::~Program() {
  Kill();
  if (pi_.hProcess) CloseHandle(pi_.hProcess);
  if (pi_.hThread) CloseHandle(pi_.hThread);
}

bool Program::Running() const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

bool Program::WaitExit(int ms) const {
  return pi_.hProcess && WaitForSingleObject(pi_.hProcess, static_cast<DWORD>(ms)) == WAIT_OBJECT_0;
}

void Program::Kill() {
  if (Running()) {
    TerminateProcess(pi_.hProcess, 99);
    WaitForSingleObject(pi_.hProcess, 5000);
  }
}

HWND Program::Window(const std::wstring& caption) const {
  return FindTopLevel(pid(), [&](HWND h) { return TextOf(h) == caption && ClassOf(h) != L"#32770"; });
}

HWND Program::WaitWindow(const std::wstring& caption, bool visible, int ms) const {
  HWND found = nullptr;
  WaitFor(
      [&] {
        found = Window(caption);
        return found && (IsWindowVisible(found) != FALSE) == visible;
      },
      ms);
  return found && (IsWindowVisible(found) != FALSE) == visible ? found : nullptr;
}

HWND Program::MessageBoxWindow() const {
  return FindTopLevel(pid(), [](HWND h) { return ClassOf(h) == L"#32770" && IsWindowVisible(h); });
}

HWND Program::WaitMessageBox(int ms) const {
  HWND box = nullptr;
  WaitFor([&] { return (box = MessageBoxWindow()) != nullptr; }, ms);
  return box;
}

HWND Program::MenuWindow() const {
  return FindTopLevel(pid(), [](HWND h) { return ClassOf(h) == L"#32768" && IsWindowVisible(h); });
}

bool Program::TrayMenu(int item) {
  HWND owner = Form2();
  if (!owner) return false;
  PostMessageW(owner, WM_MOUSEMOVE, 0, WM_RBUTTONUP);
  HWND menu = nullptr;
  if (!WaitFor([&] { return (menu = MenuWindow()) != nullptr; }, 5000)) return false;
  for (int i = 0; i < item; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  return WaitFor([&] { return MenuWindow() == nullptr; }, 5000);
}

bool Program::TrayIconPresent() const {
  HWND owner = Form2();
  if (!owner) return false;
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof nid;
  nid.hWnd = owner;
  nid.uID = 1;
  nid.uFlags = 0;  // changes nothing; succeeds only while the icon exists
  return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

HWND ControlById(HWND root, int id) {
  struct Find {
    int id;
    HWND found;
  } f{id, nullptr};
  EnumChildWindows(
      root,
      [](HWND h, LPARAM lp) -> BOOL {
        auto* f = reinterpret_cast<Find*>(lp);
        if (GetDlgCtrlID(h) == f->id) {
          f->found = h;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&f));
  return f.found;
}

void Click(HWND control) { PostMessageW(control, BM_CLICK, 0, 0); }


int RoundTripMs(HWND window, int ms) {
  DWORD_PTR ignored;
  ULONGLONG start = GetTickCount64();
  if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(ms), &ignored)) return -1;
  return static_cast<int>(GetTickCount64() - start);
}

void ClickAt(HWND window, int x, int y) {
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

std::wstring MessageBoxText(HWND box) { return TextOf(GetDlgItem(box, 0xFFFF)); }

void AnswerOk(HWND box) { PostMessageW(box, WM_COMMAND, IDOK, 0); }

bool OnView(HWND parent, HWND child) {
  if (!IsWindowVisible(child)) return false;
  RECT rc;
  GetWindowRect(child, &rc);
  POINT pt{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  ScreenToClient(parent, &pt);
  return ChildWindowFromPointEx(parent, pt, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT) == child;
}

bool ClickAndWait(HWND control, int ms) {
  DWORD_PTR ignored;
  return SendMessageTimeoutW(control, BM_CLICK, 0, 0, SMTO_NORMAL, static_cast<UINT>(ms), &ignored) != 0;
}

bool SetTextOf(HWND control, const std::wstring& text) {
  DWORD_PTR ok = 0;
  return SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, 3000, &ok) &&
         ok;
}

namespace {

// A message with no pointer in it, bounded in time; `fail` when it timed out.
LRESULT Ask(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT fail) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, 3000, &result)) return fail;
  return static_cast<LRESULT>(result);
}

}  // namespace

int ListBoxCount(HWND list) {
  LRESULT n = Ask(list, LB_GETCOUNT, 0, 0, LB_ERR);
  return n > 0 ? static_cast<int>(n) : 0;
}

std::wstring ListBoxText(HWND list, int index) {
  LRESULT len = Ask(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0, LB_ERR);
  if (len <= 0) return {};
  std::wstring text(static_cast<size_t>(len) + 1, L'\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, 3000, &got) ||
      static_cast<LRESULT>(got) == LB_ERR)
    return {};
  text.resize(got <= static_cast<DWORD_PTR>(len) ? static_cast<size_t>(got) : static_cast<size_t>(len));
  return text;
}

std::vector<std::wstring> ListBoxLines(HWND list) {
  std::vector<std::wstring> lines;
  for (int i = 0, n = ListBoxCount(list); i < n; ++i) lines.push_back(ListBoxText(list, i));
  return lines;
}

LRESULT ListBoxData(HWND list, int index) { return Ask(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0, LB_ERR); }

int ListBoxSelection(HWND list) {
  LRESULT at = Ask(list, LB_GETCURSEL, 0, 0, LB_ERR);
  return at == LB_ERR ? -1 : static_cast<int>(at);
}

void ClickListBoxLine(HWND list, int index) {
  Ask(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0, LB_ERR);
  int top = static_cast<int>(Ask(list, LB_GETTOPINDEX, 0, 0, 0));
  int height = static_cast<int>(Ask(list, LB_GETITEMHEIGHT, 0, 0, 16));
  if (height <= 0) height = 16;
  ClickAt(list, 8, (index - top) * height + height / 2);
}

int ListViewCount(HWND list) {
  LRESULT n = Ask(list, LVM_GETITEMCOUNT, 0, 0, 0);
  return n > 0 ? static_cast<int>(n) : 0;
}


std::vector<std::wstring> ListViewRows(HWND list, int col) {
  std::vector<std::wstring> rows;
  for (int i = 0, n = ListViewCount(list); i < n; ++i) rows.push_back(ListViewText(list, i, col));
  return rows;
}

namespace {

// 32-bit pixels of a screen area, or of an icon drawn on a plain background.
std::vector<DWORD> Pixels(HDC source, int x, int y, int w, int h, HICON icon, COLORREF back) {
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::vector<DWORD> out;
  if (bmp) {
    HGDIOBJ old = SelectObject(mem, bmp);
    if (icon) {
      HBRUSH brush = CreateSolidBrush(back);
      RECT rc{0, 0, w, h};
      FillRect(mem, &rc, brush);
      DeleteObject(brush);
      DrawIconEx(mem, 0, 0, icon, w, h, 0, nullptr, DI_NORMAL);
    } else {
      BitBlt(mem, 0, 0, w, h, source, x, y, SRCCOPY);
    }
    GdiFlush();
    const DWORD* p = static_cast<const DWORD*>(bits);
    out.assign(p, p + static_cast<size_t>(w) * h);
    for (DWORD& px : out) px &= 0xFFFFFF;
    SelectObject(mem, old);
    DeleteObject(bmp);
  }
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return out;
}

int Channel(DWORD px, int shift) { return static_cast<int>((px >> shift) & 0xFF); }

}  // namespace

BoxIcon MessageBoxIcon(HWND box) {
  struct Find {
    HWND icon = nullptr;
  } f;
  EnumChildWindows(
      box,
      [](HWND h, LPARAM lp) -> BOOL {
        if (ClassOf(h) == L"Static" && (GetWindowLongW(h, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(h)) {
          reinterpret_cast<Find*>(lp)->icon = h;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&f));
  if (!f.icon) return BoxIcon::None;
  RECT rc;
  GetClientRect(f.icon, &rc);
  POINT at{0, 0};
  ClientToScreen(f.icon, &at);
  const int w = rc.right, h = rc.bottom;
  if (w <= 0 || h <= 0) return BoxIcon::None;
  HDC screen = GetDC(nullptr);
  std::vector<DWORD> shown = Pixels(screen, at.x, at.y, w, h, nullptr, 0);
  ReleaseDC(nullptr, screen);

  // Each standard icon drawn on black and on white: where the two agree the
  // icon is opaque, and only there is it compared with the screen.
  const std::pair<BoxIcon, LPCWSTR> kinds[] = {{BoxIcon::Stop, IDI_HAND},
                                               {BoxIcon::Exclamation, IDI_EXCLAMATION},
                                               {BoxIcon::Information, IDI_ASTERISK},
                                               {BoxIcon::Question, IDI_QUESTION}};
  BoxIcon best = BoxIcon::Unknown;
  double bestDiff = 1e9;
  for (auto [kind, id] : kinds) {
    HICON icon = LoadIconW(nullptr, id);
    std::vector<DWORD> black = Pixels(nullptr, 0, 0, w, h, icon, RGB(0, 0, 0));
    std::vector<DWORD> white = Pixels(nullptr, 0, 0, w, h, icon, RGB(255, 255, 255));
    if (black.size() != shown.size() || white.size() != shown.size()) continue;
    long long sum = 0, count = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
      if (black[i] != white[i]) continue;
      for (int shift : {0, 8, 16}) sum += std::abs(Channel(black[i], shift) - Channel(shown[i], shift));
      ++count;
    }
    if (count < static_cast<long long>(shown.size()) / 4) continue;
    double diff = static_cast<double>(sum) / static_cast<double>(count * 3);
    if (diff < bestDiff) {
      bestDiff = diff;
      best = kind;
    }
  }
  // Within a few levels per channel: the same picture, not just the nearest.
  return bestDiff <= 12.0 ? best : BoxIcon::Unknown;
}

std::wstring BesideTests(const wchar_t* name) {
  wchar_t self[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring dir(self, n);
  size_t slash = dir.find_last_of(L"\\/");
  dir = slash == std::wstring::npos ? std::wstring(L".") : dir.substr(0, slash);
  return dir + L"\\" + name;
}

void Screenshot(HWND window, const std::wstring& name) {
  // Let the program finish what it was asked before (the round trip returns
  // once its queue is served), then paint everything now.
  DWORD_PTR ignored;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(300);
  RECT rc;
  GetWindowRect(window, &rc);
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  if (w <= 0 || h <= 0) return;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 24, BI_RGB};
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
  SelectObject(mem, old);
  int stride = ((w * 3 + 3) / 4) * 4;
  BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader + stride * h), 0, 0,
                      sizeof fh + sizeof bi.bmiHeader};
  std::wstring path = ArtifactFolder() + L"\\" + name + L".bmp";
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f != INVALID_HANDLE_VALUE) {
    DWORD wr;
    WriteFile(f, &fh, sizeof fh, &wr, nullptr);
    WriteFile(f, &bi.bmiHeader, sizeof bi.bmiHeader, &wr, nullptr);
    WriteFile(f, bits, stride * h, &wr, nullptr);
    CloseHandle(f);
  }
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
}

std::string ReadFileBytes(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string out(GetFileSize(h, nullptr), '\0');
  DWORD got = 0;
  ReadFile(h, out.data(), static_cast<DWORD>(out.size()), &got, nullptr);
  CloseHandle(h);
  out.resize(got);
  return out;
}

HWND ShowMainWindow(Program& program) {
  if (!program.WaitWindow(L"Form2", true, 15000) || !program.WaitWindow(L"Form2", false, 8000)) return nullptr;
  if (!WaitFor([&] { return program.TrayIconPresent(); }, 5000) || !program.TrayMenu(1)) return nullptr;
  return program.WaitWindow(L"VexaUtility Solace", true, 5000);
}

void ClickTab(HWND form1, int index) {
  // The tab rows of the navigation column, in twips.
  static const int tops[4] = {1920, 2640, 3240, 3840};
  if (index < 0 || index > 3) return;
  HDC dc = GetDC(form1);
  int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(form1, dc);
  ClickAt(form1, MulDiv(800, dpi, 1440), MulDiv(tops[index] + 100, dpi, 1440));
}

int ProgressValue(HWND bar) {
  DWORD_PTR pos = 0;
  if (!SendMessageTimeoutW(bar, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 2000, &pos)) return -1;
  return static_cast<int>(pos);
}

long RunAndWait(const std::wstring& commandLine, int ms) {
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  std::wstring cmd = commandLine;
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  long result = -1;
  if (WaitForSingleObject(pi.hProcess, static_cast<DWORD>(ms)) == WAIT_OBJECT_0) {
    DWORD code = 0;
    if (GetExitCodeProcess(pi.hProcess, &code)) result = static_cast<long>(code);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return result;
}

std::vector<std::wstring> FilesIn(const std::wstring& folder, const std::wstring& pattern) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((folder + L"\\" + pattern).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(fd.cFileName);
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return names;
}


namespace {

// Memory inside the process that owns a window, for the messages whose
// parameter is a pointer the receiver writes through.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) base_ = static_cast<char*>(VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
  }
  ~RemoteBuffer() {
    if (base_) VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool ok() const { return base_ != nullptr; }
  char* at(size_t offset) const { return base_ + offset; }
  bool Write(size_t offset, const void* data, size_t n) const {
    SIZE_T done = 0;
    return offset + n <= size_ && WriteProcessMemory(process_, base_ + offset, data, n, &done) && done == n;
  }
  bool Read(size_t offset, void* data, size_t n) const {
    SIZE_T done = 0;
    return offset + n <= size_ && ReadProcessMemory(process_, base_ + offset, data, n, &done) && done == n;
  }

 private:
  HANDLE process_ = nullptr;
  char* base_ = nullptr;
  size_t size_;
};

constexpr int kTextChars = 1024;

bool AskList(HWND list, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(list, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &answer)) return false;
  result = static_cast<LRESULT>(answer);
  return true;
}

// Reads a row's text through a buffer laid out as an LVITEMW, then the text.
std::wstring RemoteText(HWND list, const RemoteBuffer& buf, int row, int column) {
  LVITEMW item{};
  item.iSubItem = column;
  item.cchTextMax = kTextChars;
  item.pszText = reinterpret_cast<wchar_t*>(buf.at(sizeof item));
  LRESULT n = 0;
  if (!buf.Write(0, &item, sizeof item) ||
      !AskList(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buf.at(0)), n) || n <= 0)
    return {};
  std::wstring text(static_cast<size_t>(std::min<LRESULT>(n, kTextChars - 1)), L'\0');
  if (!buf.Read(sizeof item, text.data(), text.size() * sizeof(wchar_t))) return {};
  return text;
}

constexpr size_t kItemBufferSize = sizeof(LVITEMW) + kTextChars * sizeof(wchar_t);

}  // namespace

std::wstring ListViewText(HWND list, int row, int col) {
  RemoteBuffer buf(list, kItemBufferSize);
  return buf.ok() ? RemoteText(list, buf, row, col) : std::wstring();
}

std::vector<std::vector<std::wstring>> ListViewTable(HWND list, int columns) {
  std::vector<std::vector<std::wstring>> rows;
  RemoteBuffer buf(list, kItemBufferSize);
  int n = ListViewCount(list);
  if (!buf.ok() || n < 0) return rows;
  for (int r = 0; r < n; ++r) {
    rows.emplace_back();
    for (int c = 0; c < columns; ++c) rows.back().push_back(RemoteText(list, buf, r, c));
  }
  return rows;
}

int ListViewImage(HWND list, int row) {
  RemoteBuffer buf(list, sizeof(LVITEMW));
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  item.iImage = -1;
  LRESULT ok = 0;
  if (!buf.ok() || !buf.Write(0, &item, sizeof item) ||
      !AskList(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(buf.at(0)), ok) || !ok || !buf.Read(0, &item, sizeof item))
    return -1;
  return item.iImage;
}

int ListViewStateImage(HWND list, int row) {
  LRESULT state = 0;
  if (!AskList(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK, state)) return -1;
  return static_cast<int>((static_cast<UINT>(state) & LVIS_STATEIMAGEMASK) >> 12);
}

bool ListViewSetStateImage(HWND list, int row, int image) {
  RemoteBuffer buf(list, sizeof(LVITEMW));
  LVITEMW item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(image);
  LRESULT ok = 0;
  return buf.ok() && buf.Write(0, &item, sizeof item) &&
         AskList(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buf.at(0)), ok) && ok;
}

bool ListViewStateIconPoint(HWND list, int row, POINT& at) {
  LRESULT ok = 0;
  AskList(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE, ok);
  RemoteBuffer buf(list, sizeof(RECT) + sizeof(LVHITTESTINFO));
  RECT bounds{LVIR_BOUNDS, 0, 0, 0};
  if (!buf.ok() || !buf.Write(0, &bounds, sizeof bounds) ||
      !AskList(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buf.at(0)), ok) || !ok ||
      !buf.Read(0, &bounds, sizeof bounds))
    return false;
  int y = (bounds.top + bounds.bottom) / 2;
  int first = -1, last = -1;
  for (int x = std::max<int>(bounds.left, 0); x < bounds.left + 64; ++x) {
    LVHITTESTINFO hit{};
    hit.pt = {x, y};
    LRESULT index = -1;
    if (!buf.Write(sizeof(RECT), &hit, sizeof hit) ||
        !AskList(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(buf.at(sizeof(RECT))), index) ||
        !buf.Read(sizeof(RECT), &hit, sizeof hit))
      return false;
    bool onBox = index == row && (hit.flags & LVHT_ONITEMSTATEICON);
    if (onBox && first < 0) first = x;
    if (onBox) last = x;
    if (!onBox && first >= 0) break;
  }
  if (first < 0) return false;
  at = {(first + last) / 2, y};  // the middle of the box
  return true;
}

}  // namespace vexa::e2e
