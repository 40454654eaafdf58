// The WinHTTP client against a loopback server that each test starts and
// stops.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/http_client_win32.h"
#include "shortener/url_shorten.h"
#include "tests/fakes/fake_http.h"
#include "tests/fakes/fake_ui.h"
#include "tests/win/loopback_server.h"

namespace vexa {
namespace {

using test_support::LoopbackServer;

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
