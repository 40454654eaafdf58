#include "tests/support/support.h"

#include <winsock2.h>

#include "platform/text.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/win32_platform.h"
#include "ui/scoped.h"

namespace vexa::test {

std::string ReadBytes(const std::wstring& path) {
  ui::ScopedHandle h(CreateFileW(win32::ExtendedPath(path).c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                 nullptr));
  if (!h) return "<missing>";
  std::string out(GetFileSize(h.get(), nullptr), '\0');
  DWORD got = 0;
  ReadFile(h.get(), out.data(), static_cast<DWORD>(out.size()), &got, nullptr);
  out.resize(got);
  return out;
}

bool MakeFile(const std::wstring& path, DWORD attributes, std::string_view bytes) {
  ui::ScopedHandle h(CreateFileW(win32::ExtendedPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 attributes ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return h && WriteFile(h.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(win32::ExtendedPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring FreshFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"vexa-test-" + name;
  RemoveTree(folder);
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

std::vector<std::wstring> Names(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  ui::ScopedFind find(FindFirstFileW((folder + L"\\*").c_str(), &found));
  for (bool more = static_cast<bool>(find); more; more = FindNextFileW(find.get(), &found))
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  return names;
}

std::string ShortDate() {
  wchar_t buf[128];
  int n = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buf, 128, nullptr);
  return ToAnsi(std::wstring(buf, n > 0 ? n - 1 : 0));
}

bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

namespace {

std::string UnixName(const std::wstring& path) {
  using Fn = char*(CDECL*)(LPCWSTR);
  auto unixName = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* name = unixName ? unixName(path.c_str()) : nullptr;
  std::string out = name ? name : "";
  HeapFree(GetProcessHeap(), 0, name);
  return out;
}

// Runs a host program; it gives no handle to wait on, so its result is
// watched instead: `path` appearing or going.
bool OnHost(const std::wstring& program, const std::vector<std::string>& args, const std::wstring& path,
            bool appears) {
  std::wstring command = program;
  for (const std::string& a : args) command += L" \"" + FromUtf8(a) + L"\"";
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return WaitFor([&] { return Exists(path) == appears; }, 5000);
}

}  // namespace

bool MakeLink(const std::wstring& link, const std::wstring& target) {
  const std::string to = UnixName(target), from = UnixName(link);
  return !to.empty() && !from.empty() && OnHost(L"Z:\\bin\\ln -s", {to, from}, link, true);
}

// A link whose target is gone reads as missing: the host is asked anyway.
void DropLink(const std::wstring& link) {
  const std::string name = UnixName(link);
  if (!name.empty()) OnHost(L"Z:\\bin\\rm -f", {name}, link, false);
}

void RemoveTree(const std::wstring& folder) {
  // The program's own deletes never reach through a link (under Wine a
  // plain DeleteFileW of a link to a file deletes the file it points at);
  // what they leave is a link, dropped by the host.
  win32::Win32FileSystem files;
  std::vector<FolderEntry> entries;
  files.ListFolder(folder, entries);
  for (const FolderEntry& e : entries) {
    const std::wstring path = folder + L"\\" + e.name;
    if (e.isFolder && !e.isLink) {
      RemoveTree(path);
    } else if (!(files.SetNormalAttributes(path), files.RemoveFile(path))) {
      DropLink(path);
    }
  }
  SetFileAttributesW(win32::ExtendedPath(folder).c_str(), FILE_ATTRIBUTE_NORMAL);
  // What Wine cannot list (a link whose target is gone) the host removes.
  if (!RemoveDirectoryW(win32::ExtendedPath(folder).c_str()) && Exists(folder) && UnderWine())
    OnHost(L"Z:\\bin\\rm -rf", {UnixName(folder)}, folder, false);
}

bool WaitFor(const std::function<bool()>& done, int ms) {
  for (ULONGLONG end = GetTickCount64() + ms;;) {
    if (done()) return true;
    if (GetTickCount64() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG msg;  // this thread's own windows keep answering meanwhile
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
}

Snapshot::Snapshot(HWND window) {
  RECT rc;
  GetClientRect(window, &rc);
  w = rc.right, h = rc.bottom;
  BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB}};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bmp);
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  GdiFlush();
  const auto* px = static_cast<const DWORD*>(bits);
  for (int i = 0; bits && i < w * h; ++i) pixels.push_back(RGB(px[i] >> 16 & 0xFF, px[i] >> 8 & 0xFF, px[i] & 0xFF));
  DeleteObject(SelectObject(dc, old));
  DeleteDC(dc);
}

RegState ReadPlace(const RegPlace& p) {
  win32::Win32Registry reg;
  RegState s;
  if (p.wholeKey) {
    RegKeyContents c;
    s.status = reg.EnumerateKey(p.root, p.key + L"\\" + p.name, c);
    return s;
  }
  RegValue v;
  s.status = reg.QueryValue(p.root, p.key, p.name, v);
  if (s.status == kRegSuccess) {
    s.type = v.type;
    s.data = v.data;
  }
  return s;
}

bool WritePlace(const RegPlace& p, const RegState& s) {
  if (s.status != kRegSuccess) return win32::Win32Registry().DeleteValue(p.root, p.key, p.name).status != kRegAccessDenied;
  ui::ScopedKey key;
  return RegCreateKeyExW(win32::RootKey(p.root), p.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY,
                         nullptr, key.put(), nullptr) == ERROR_SUCCESS &&
         RegSetValueExW(key.get(), p.name.c_str(), 0, s.type, s.data.data(), static_cast<DWORD>(s.data.size())) ==
             ERROR_SUCCESS;
}

void PrintTo(const RegState& s, std::ostream* out) {
  *out << "status " << s.status << ", type " << s.type << ":";
  if (s.type == kRegSz || s.type == kRegExpandSz) *out << " \"" << ToUtf8(RegDataText(s.data)) << '"';
  else for (std::uint8_t b : s.data) *out << ' ' << int{b};
}

// ---- LoopbackServer

LoopbackServer::LoopbackServer(Mode mode, std::string reply, std::size_t fillBytes)
    : mode_(mode), reply_(std::move(reply)), fillBytes_(fillBytes) {
  WSADATA wsa;
  WSAStartup(MAKEWORD(2, 2), &wsa);
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int len = sizeof addr;
  bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
  listen(s, 8);
  listen_ = s;
  port_ = ntohs(addr.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

LoopbackServer::~LoopbackServer() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    closesocket(listen_);
    for (std::uintptr_t s : held_) closesocket(s);  // ends a wait in recv
  }
  thread_.join();
  WSACleanup();
}

std::string LoopbackServer::Ok(const std::string& body) {
  return "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\n\r\n" + body;
}

std::vector<std::string> LoopbackServer::Requests() {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

namespace {

bool Send(SOCKET s, std::string_view bytes) {
  for (int n = 0; !bytes.empty(); bytes.remove_prefix(static_cast<std::size_t>(n)))
    if ((n = send(s, bytes.data(), static_cast<int>(bytes.size()), 0)) <= 0) return false;  // the client stopped reading
  return true;
}

}  // namespace

// Every connection stays open until the server goes, except that a reply
// ends with the end of sending.
void LoopbackServer::Serve() {
  for (SOCKET client; (client = accept(listen_, nullptr, nullptr)) != INVALID_SOCKET;) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (stopping_ || mode_ == Mode::CloseAtOnce) {
        closesocket(client);
        continue;  // when stopping, the next accept fails
      }
      held_.push_back(client);
    }
    // A client that stops reading a long reply ends the sending at last (under
    // Wine, closing the socket does not end a send that waits).
    const DWORD ms = 2000;
    setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&ms), sizeof ms);
    std::string request;
    char buf[4096];
    for (int n = 1; n > 0 && request.find("\r\n\r\n") == std::string::npos;)
      if ((n = recv(client, buf, sizeof buf, 0)) > 0) request.append(buf, n);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      requests_.push_back(request);
    }
    if (mode_ == Mode::Answer && Send(client, reply_ + std::string(fillBytes_, 'x'))) shutdown(client, SD_SEND);
  }
}

}  // namespace vexa::test
