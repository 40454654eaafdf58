// The WinHTTP client against a loopback server that says nothing, hangs up,
// or sends more than the client takes; the caller's window keeps answering
// while a request waits.
#include <gtest/gtest.h>

#include "platform/win32/http_client_win32.h"
#include "tests/support/support.h"

namespace vexa {
namespace {

using Mode = test::LoopbackServer::Mode;

TEST(Win32Http, RepliesThatNeverComeAreCutOffOrAreTooLong) {
  const std::string bigHead = "HTTP/1.1 200 OK\r\nContent-Length: 5242880\r\nConnection: close\r\n\r\n";
  const struct {
    const char* what;
    Mode mode;
    std::string reply;
    std::size_t fill, cap;
    HttpOutcome outcome;
    std::string body;
    bool truncated;
  } cases[] = {
      {"silent server", Mode::Silent, "", 0, kHttpMaxReplyBytes, HttpOutcome::TimedOut, "", false},
      {"connection closed at once", Mode::CloseAtOnce, "", 0, kHttpMaxReplyBytes, HttpOutcome::Failed, "", false},
      {"5 MB reply", Mode::Answer, bigHead, 5242880, kHttpMaxReplyBytes, HttpOutcome::Ok,
       std::string(kHttpMaxReplyBytes, 'x'), true},
      {"reply one over the cap", Mode::Answer, test::LoopbackServer::Ok("0123456789"), 0, 9, HttpOutcome::Ok,
       "012345678", true},
      {"reply at the cap", Mode::Answer, test::LoopbackServer::Ok("0123456789"), 0, 10, HttpOutcome::Ok,
       "0123456789", false},
  };
  for (const auto& c : cases) {
    test::LoopbackServer server(c.mode, c.reply, c.fill);
    HttpRequest request;
    request.url = server.Base() + L"/create.php";
    request.timeoutMs = 1500;
    request.maxReplyBytes = c.cap;
    // Input for this thread arrives while the request waits.
    PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
    bool served = false;
    HttpReply reply = win32::Win32HttpClient().Get(request, [&] {
      MSG msg;
      served = served || PeekMessageW(&msg, nullptr, WM_APP, WM_APP, PM_REMOVE);
    });
    EXPECT_EQ(reply.outcome, c.outcome) << c.what;
    EXPECT_EQ(reply.body, c.body) << c.what;
    EXPECT_EQ(reply.truncated, c.truncated) << c.what;
    EXPECT_TRUE(c.mode != Mode::Silent || served) << "the window's events run during the wait";
    MSG left;
    PeekMessageW(&left, nullptr, WM_APP, WM_APP, PM_REMOVE);
  }
}

}  // namespace
}  // namespace vexa
