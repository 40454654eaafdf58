#pragma once
// What the Win32 and end-to-end tests share: files and folder trees on the
// real disk, the activity log's text, links made by the host under Wine,
// registry values, polling, a window's pixels and a small HTTP server on
// loopback.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <mutex>
#include <ostream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/registry.h"
#include "platform/text.h"

namespace vexa::test {

// ---- Files and folders
std::string ReadBytes(const std::wstring& path);  // "<missing>" when it cannot be opened
bool MakeFile(const std::wstring& path, DWORD attributes = 0, std::string_view bytes = "junk");
bool Exists(const std::wstring& path);
// %TEMP%\vexa-test-<name>, empty and ready.
std::wstring FreshFolder(const std::wstring& name);
// Removes a folder and everything below it; links are dropped, never entered.
void RemoveTree(const std::wstring& folder);
// Names of the direct files of a folder, in listing order.
std::vector<std::wstring> Names(const std::wstring& folder);

// ---- The activity log's text
inline const std::string kLogHead = "[VexaTools Utility]\r\n";
inline const std::string kLogRule = std::string(39, '~') + "\r\n";
std::string ShortDate();  // today as the log writes it

// ---- Wine
bool UnderWine();
// Wine cannot make links itself; its links are the host's symbolic links,
// which the host makes and removes on request.
bool MakeLink(const std::wstring& link, const std::wstring& target);
void DropLink(const std::wstring& link);

// Polls `done` until it holds or `ms` pass; true when it held.
bool WaitFor(const std::function<bool()>& done, int ms = 8000);

// ---- What a window paints for WM_PRINTCLIENT: its client area as
// COLORREFs, top row first.
struct Snapshot {
  explicit Snapshot(HWND window);
  COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * w + x]; }
  bool Shows(COLORREF c) const { return std::find(pixels.begin(), pixels.end(), c) != pixels.end(); }
  int w = 0, h = 0;
  std::vector<COLORREF> pixels;
};

// ---- Registry: a value, or (wholeKey) the key `name` below `key`
struct RegPlace {
  RegRoot root;
  std::wstring key, name;
  bool wholeKey = false;
};
struct RegState {
  RegStatus status = kRegFileNotFound;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  bool operator==(const RegState&) const = default;
};
RegState ReadPlace(const RegPlace& place);
// Puts a value back as read (a value that was not there is deleted).
bool WritePlace(const RegPlace& place, const RegState& state);
void PrintTo(const RegState& state, std::ostream* out);  // for failure messages

// ---- An HTTP server on 127.0.0.1 with a port of its own, on one thread.
class LoopbackServer {
 public:
  enum class Mode {
    Answer,      // reads the request, sends `reply` and then `fillBytes` of 'x', closes
    Silent,      // reads the request and never answers
    CloseAtOnce  // closes every connection without reading
  };
  explicit LoopbackServer(Mode mode, std::string reply = {}, std::size_t fillBytes = 0);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  // A 200 answer with the body and its length.
  static std::string Ok(const std::string& body);

  std::wstring Base() const { return L"http://127.0.0.1:" + std::to_wstring(port_); }
  std::vector<std::string> Requests();  // every request's head, in order

 private:
  void Serve();

  Mode mode_;
  std::string reply_;
  std::size_t fillBytes_;
  std::uintptr_t listen_;
  unsigned short port_ = 0;
  std::mutex mutex_;
  bool stopping_ = false;
  std::vector<std::string> requests_;
  std::vector<std::uintptr_t> held_;
  std::thread thread_;
};

}  // namespace vexa::test
