#pragma once
// HTTP GET on the system's own HTTP stack, and the system's view of whether
// the machine is on line. Nothing here ever throws or blocks without a bound.
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace vexa {

// Upper bound for one whole request (name look-up, connect, send, the wait
// for the answer, the reply): past it the caller gets TimedOut.
inline constexpr unsigned kHttpTimeoutMs = 8000;

// Replies are cut at this many bytes; nothing past it is read.
inline constexpr std::size_t kHttpMaxReplyBytes = 64 * 1024;

struct HttpRequest {
  // Absolute "http://" or "https://" address. Characters that cannot stand in
  // a request line (blanks, control and non-ASCII characters) are sent
  // percent-escaped (UTF-8); everything else, '%' included, goes as given.
  std::wstring url;
  std::vector<std::pair<std::wstring, std::wstring>> headers;  // name, value
  unsigned timeoutMs = kHttpTimeoutMs;
  std::size_t maxReplyBytes = kHttpMaxReplyBytes;
};

enum class HttpOutcome {
  Ok,        // an answer came: see status and body
  BadUrl,    // not an http/https address
  Failed,    // refused, name not found, connection dropped, bad answer
  TimedOut,  // no complete answer within timeoutMs
};

struct HttpReply {
  HttpOutcome outcome = HttpOutcome::Failed;
  int status = 0;         // HTTP status code when outcome is Ok
  std::string body;       // the reply bytes as received, at most maxReplyBytes
  bool truncated = false; // the server had more than maxReplyBytes to send

  bool Succeeded() const { return outcome == HttpOutcome::Ok && status >= 200 && status < 300; }
};

class HttpClient {
 public:
  virtual ~HttpClient() = default;

  // Makes one GET and returns when it has ended or timed out. While it waits,
  // whileWaiting (when given) is called whenever window input arrives and at
  // least every 100 ms, so that the caller's window keeps answering. The
  // callback may run the caller's other handlers, but must not end the
  // program's use of this client.
  virtual HttpReply Get(const HttpRequest& request, const std::function<void()>& whileWaiting) = 0;
};

// The system's own answer to "is this machine connected to the internet".
class ConnectionCheck {
 public:
  virtual ~ConnectionCheck() = default;
  virtual bool IsInternetConnected() = 0;
};

}  // namespace vexa
