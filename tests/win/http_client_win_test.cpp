// The WinHTTP client against a small HTTP server on 127.0.0.1 that each test
// starts on a free port and stops at its end.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/http_client_win32.h"
#include "shortener/url_shorten.h"
#include "tests/fakes/fake_http.h"
#include "tests/fakes/fake_ui.h"

namespace vexa {
namespace {

class LoopbackServer {
 public:
  enum class Mode { Answer, Silent, CloseAtOnce };

  // Answer: after reading the request, waits delayMs, then sends head, then
  // bodyBytes of body (repeated as needed), then closes.
  LoopbackServer(Mode mode, std::string head = {}, std::string body = {}, std::size_t bodyBytes = 0,
                 unsigned delayMs = 0)
      : mode_(mode), head_(std::move(head)), body_(std::move(body)), bodyBytes_(bodyBytes), delayMs_(delayMs) {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    listen_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    bind(listen_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    int len = sizeof addr;
    getsockname(listen_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    listen(listen_, 8);
    thread_ = std::thread([this] { Run(); });
  }

  // A plain 200 answer with the body and its length.
  static std::string Ok(const std::string& body, const char* type = "text/plain") {
    return "HTTP/1.1 200 OK\r\nContent-Type: " + std::string(type) + "\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
  }

  ~LoopbackServer() {
    stopping_ = true;
    closesocket(listen_);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      for (SOCKET s : held_) closesocket(s);
    }
    thread_.join();
    WSACleanup();
  }

  // Silent mode: true once the client has closed the connection it opened.
  bool WaitForHangUp(DWORD ms) { return WaitForSingleObject(hungUp_.get(), ms) == WAIT_OBJECT_0; }

  std::wstring Base() const { return L"http://127.0.0.1:" + std::to_wstring(port_); }
  int Connections() const { return connections_; }
  std::string FirstRequest() {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_.empty() ? std::string() : requests_.front();
  }

 private:
  void Run() {
    for (;;) {
      SOCKET client = accept(listen_, nullptr, nullptr);
      if (client == INVALID_SOCKET) return;  // closed by the destructor
      ++connections_;
      if (mode_ == Mode::CloseAtOnce) {
        closesocket(client);
        continue;
      }
      DWORD ms = 5000;
      setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&ms), sizeof ms);
      setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&ms), sizeof ms);
      std::string request = ReadRequest(client);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(request);
      }
      if (mode_ == Mode::Silent) {
        // Never answered; watched until the client hangs up (or the test ends).
        DWORD forever = 0;
        setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&forever), sizeof forever);
        {
          std::lock_guard<std::mutex> lock(mutex_);
          held_.push_back(client);
        }
        char byte;
        while (recv(client, &byte, 1, 0) > 0) {
        }
        if (!stopping_) SetEvent(hungUp_.get());
        continue;
      }
      for (unsigned waited = 0; waited < delayMs_ && !stopping_; waited += 10) Sleep(10);
      SendAll(client, head_);
      for (std::size_t sent = 0; sent < bodyBytes_;) {
        std::size_t n = std::min(body_.size(), bodyBytes_ - sent);
        if (!SendAll(client, body_.substr(0, n))) break;  // the client stopped reading
        sent += n;
      }
      shutdown(client, SD_SEND);
      closesocket(client);
    }
  }

  static std::string ReadRequest(SOCKET s) {
    std::string got;
    char buf[4096];
    while (got.find("\r\n\r\n") == std::string::npos && got.size() < 65536) {
      int n = recv(s, buf, sizeof buf, 0);
      if (n <= 0) break;
      got.append(buf, n);
    }
    return got;
  }

  static bool SendAll(SOCKET s, const std::string& bytes) {
    for (std::size_t off = 0; off < bytes.size();) {
      int n = send(s, bytes.data() + off, static_cast<int>(bytes.size() - off), 0);
      if (n <= 0) return false;
      off += n;
    }
    return true;
  }

  Mode mode_;
  std::string head_, body_;
  std::size_t bodyBytes_;
  unsigned delayMs_;
  SOCKET listen_ = INVALID_SOCKET;
  unsigned short port_ = 0;
  std::thread thread_;
  std::atomic<bool> stopping_{false};
  std::atomic<int> connections_{0};
  std::mutex mutex_;
  std::vector<std::string> requests_;
  std::vector<SOCKET> held_;
  win32::ScopedHandle hungUp_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

HttpRequest Request(const std::wstring& url, unsigned timeoutMs = kHttpTimeoutMs) {
  HttpRequest r;
  r.url = url;
  r.headers.emplace_back(L"User-Agent", cUrlShorten::kUserAgent);
  r.timeoutMs = timeoutMs;
  return r;
}

TEST(Win32HttpClient, PlainTextReplyArrivesByteForByteWithTheRequestAsBuilt) {
  LoopbackServer server(LoopbackServer::Mode::Answer, LoopbackServer::Ok("https://is.gd/aBc1\n"));
  win32::Win32HttpClient http;
  HttpReply reply =
      http.Get(Request(server.Base() + L"/create.php?format=simple&url=http%3A%2F%2Fa.b%2Fc%3Fd%3De"), nullptr);
  EXPECT_EQ(reply.outcome, HttpOutcome::Ok);
  EXPECT_EQ(reply.status, 200);
  EXPECT_EQ(reply.body, "https://is.gd/aBc1\n");
  EXPECT_FALSE(reply.truncated);
  std::string request = server.FirstRequest();
  EXPECT_EQ(request.rfind("GET /create.php?format=simple&url=http%3A%2F%2Fa.b%2Fc%3Fd%3De HTTP/1.1\r\n", 0), 0u)
      << request;
  EXPECT_NE(request.find("\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"),
            std::string::npos)
      << request;
}

TEST(Win32HttpClient, QueriesWithDoubledAmpersandsBlanksAndNonAsciiGoOutAsExpected) {
  LoopbackServer server(LoopbackServer::Mode::Answer, LoopbackServer::Ok("{}", "application/json"));
  win32::Win32HttpClient http;
  HttpReply reply = http.Get(Request(server.Base() + L"/api/shorten?&longUrl=a b\u00e9&&apiKey=k"), nullptr);
  EXPECT_EQ(reply.outcome, HttpOutcome::Ok);
  EXPECT_EQ(reply.body, "{}");
  EXPECT_EQ(server.FirstRequest().rfind("GET /api/shorten?&longUrl=a%20b%C3%A9&&apiKey=k HTTP/1.1\r\n", 0), 0u)
      << server.FirstRequest();
}

TEST(Win32HttpClient, JsonAndErrorStatusesAreReportedWithTheirBody) {
  const std::string json = "{ \"status_code\": 200, \"data\": { \"url\": \"http:\\/\\/bit.ly\\/x\" } }";
  {
    LoopbackServer server(LoopbackServer::Mode::Answer, LoopbackServer::Ok(json, "application/json"));
    win32::Win32HttpClient http;
    HttpReply reply = http.Get(Request(server.Base() + L"/v3/shorten?access_token=t&longUrl=u"), nullptr);
    EXPECT_TRUE(reply.Succeeded());
    EXPECT_EQ(reply.body, json);
  }
  {
    LoopbackServer server(LoopbackServer::Mode::Answer,
                          "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\nNot Found");
    win32::Win32HttpClient http;
    HttpReply reply = http.Get(Request(server.Base() + L"/missing"), nullptr);
    EXPECT_EQ(reply.outcome, HttpOutcome::Ok);
    EXPECT_EQ(reply.status, 404);
    EXPECT_FALSE(reply.Succeeded());
  }
}

TEST(Win32HttpClient, SilentServerEndsInTimedOutWithinTheTimeOutWhileTheCallerPumps) {
  LoopbackServer server(LoopbackServer::Mode::Silent);
  win32::Win32HttpClient http;
  int pumps = 0;
  ULONGLONG start = GetTickCount64();
  HttpReply reply = http.Get(Request(server.Base() + L"/create.php", 1500), [&] { ++pumps; });
  ULONGLONG elapsed = GetTickCount64() - start;
  EXPECT_EQ(reply.outcome, HttpOutcome::TimedOut);
  EXPECT_TRUE(reply.body.empty());
  EXPECT_GE(elapsed, 1400u);
  EXPECT_LT(elapsed, 4000u);  // bounded by the time-out, not by the server
  EXPECT_GE(pumps, 10);       // at least every 100 ms
  EXPECT_EQ(server.Connections(), 1);
  // The worker left behind ends on its own time-out and lets the connection go.
  EXPECT_TRUE(server.WaitForHangUp(5000));
}

TEST(Win32HttpClient, ConnectionClosedAtOnceOrRefusedFails) {
  win32::Win32HttpClient http;
  {
    LoopbackServer server(LoopbackServer::Mode::CloseAtOnce);
    HttpReply reply = http.Get(Request(server.Base() + L"/x", 3000), nullptr);
    EXPECT_EQ(reply.outcome, HttpOutcome::Failed);
    EXPECT_TRUE(reply.body.empty());
  }
  std::wstring base;
  {
    LoopbackServer server(LoopbackServer::Mode::CloseAtOnce);
    base = server.Base();
  }  // nothing listens there any more
  HttpReply reply = http.Get(Request(base + L"/x", 3000), nullptr);
  EXPECT_NE(reply.outcome, HttpOutcome::Ok);
}

TEST(Win32HttpClient, HugeReplyIsCutAtTheCap) {
  const std::size_t fiveMb = 5 * 1024 * 1024;
  std::string pattern;
  for (int i = 0; i < 4096; ++i) pattern.push_back(static_cast<char>('a' + i % 26));
  LoopbackServer server(LoopbackServer::Mode::Answer,
                        "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(fiveMb) +
                            "\r\nConnection: close\r\n\r\n",
                        pattern, fiveMb);
  win32::Win32HttpClient http;
  HttpReply reply = http.Get(Request(server.Base() + L"/big"), nullptr);
  EXPECT_EQ(reply.outcome, HttpOutcome::Ok);
  ASSERT_EQ(reply.body.size(), kHttpMaxReplyBytes);
  EXPECT_TRUE(reply.truncated);
  for (std::size_t i = 0; i < reply.body.size(); i += 997)
    ASSERT_EQ(reply.body[i], static_cast<char>('a' + (i % 4096) % 26)) << i;
}

TEST(Win32HttpClient, ReplyExactlyAtTheCapIsNotMarkedCut) {
  HttpRequest request;
  request.maxReplyBytes = 10;
  LoopbackServer server(LoopbackServer::Mode::Answer, LoopbackServer::Ok("0123456789"));
  request.url = server.Base() + L"/";
  win32::Win32HttpClient http;
  HttpReply reply = http.Get(request, nullptr);
  EXPECT_EQ(reply.body, "0123456789");
  EXPECT_FALSE(reply.truncated);
}

TEST(Win32HttpClient, AddressesThatAreNotHttpAreRefusedWithoutARequest) {
  win32::Win32HttpClient http;
  EXPECT_EQ(http.Get(Request(L"ftp://127.0.0.1/x"), nullptr).outcome, HttpOutcome::BadUrl);
  EXPECT_EQ(http.Get(Request(L"http://"), nullptr).outcome, HttpOutcome::BadUrl);
}

// A window that counts the messages it was sent.
struct CountingWindow {
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP) ++received;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  static inline int received = 0;
};

TEST(Win32HttpClient, WindowMessagesAreHandledWhileARequestWaits) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = CountingWindow::Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VexaHttpWaitTest";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowW(L"VexaHttpWaitTest", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  ASSERT_TRUE(hwnd);
  CountingWindow::received = 0;

  LoopbackServer server(LoopbackServer::Mode::Answer, LoopbackServer::Ok("late"), {}, 0, 600);
  PostMessageW(hwnd, WM_APP, 0, 0);
  win32::Win32HttpClient http;
  int seenDuringWait = -1;
  HttpReply reply = http.Get(Request(server.Base() + L"/slow"), [&] {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    seenDuringWait = CountingWindow::received;
  });
  EXPECT_EQ(reply.body, "late");
  EXPECT_EQ(seenDuringWait, 1);
  DestroyWindow(hwnd);
  UnregisterClassW(L"VexaHttpWaitTest", wc.hInstance);
}

// The whole client over the real HTTP stack: all six services redirected to
// the loopback server, which the system's connection check is not asked
// about.
TEST(Win32UrlShorten, LoopbackStandInAnswersEveryService) {
  LoopbackServer server(LoopbackServer::Mode::Answer,
                        LoopbackServer::Ok("{\"a\":1,\"url\":\"http:\\/\\/s.test\\/1\"}", "application/json"));
  win32::Win32HttpClient http;
  fakes::FakeConnectionCheck offline;
  offline.connected = false;
  fakes::FakeMessageBoxes boxes;
  fakes::FakeEventPump pump;
  cUrlShorten c(http, offline, boxes, pump, *ShortenerEndpoints::Redirected(server.Base()));
  std::vector<std::wstring> got;
  c.sShortUrl = [&](const std::wstring& s) { got.push_back(s); };
  c.smodLongUrl = L"http://example.com/";
  c.ShortUrl(false, false, true, true);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0], L"{\"a\":1,\"url\":\"http:\\/\\/s.test\\/1\"}");  // is.gd: plain text
  EXPECT_EQ(got[1], L"http://s.test/1");                            // the JSON service
  EXPECT_EQ(server.Connections(), 2);
  EXPECT_EQ(server.FirstRequest().rfind("GET /create.php?format=simple&url=http%3A%2F%2Fexample.com%2F HTTP/1.1", 0),
            0u);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(offline.asked, 0);
}

TEST(Win32UrlShorten, SilentServiceGivesEmptyTextWithinTheTimeOut) {
  LoopbackServer server(LoopbackServer::Mode::Silent);
  win32::Win32HttpClient http;
  fakes::FakeConnectionCheck online;
  fakes::FakeMessageBoxes boxes;
  fakes::FakeEventPump pump;
  cUrlShorten c(http, online, boxes, pump, *ShortenerEndpoints::Redirected(server.Base()));
  c.SetTimeout(1000);
  std::vector<std::wstring> got;
  c.sShortUrl = [&](const std::wstring& s) { got.push_back(s); };
  c.smodLongUrl = L"http://example.com/";
  c.ShortUrl(false, true);
  EXPECT_EQ(got, std::vector<std::wstring>{L""});
  EXPECT_GT(pump.calls, 5);
}

}  // namespace
}  // namespace vexa
