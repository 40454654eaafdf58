#pragma once
// In-memory HTTP client and connection check, for host tests.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/http_client.h"

namespace vexa::fakes {

class FakeHttpClient : public HttpClient {
 public:
  HttpReply Get(const HttpRequest& request, const std::function<void()>& whileWaiting) override {
    requests.push_back(request);
    for (int i = 0; i < waitsPerRequest && whileWaiting; ++i) whileWaiting();
    if (respond) return respond(request);
    if (replies.empty()) return HttpReply{HttpOutcome::Failed, 0, {}, false};
    HttpReply r = replies.front();
    replies.pop_front();
    return r;
  }

  // Queues a 200 answer with this body.
  void Answer(std::string body) { replies.push_back(HttpReply{HttpOutcome::Ok, 200, std::move(body), false}); }
  void Fail(HttpOutcome outcome, int status = 0, std::string body = {}) {
    replies.push_back(HttpReply{outcome, status, std::move(body), false});
  }

  std::vector<std::wstring> Urls() const {
    std::vector<std::wstring> out;
    for (const auto& r : requests) out.push_back(r.url);
    return out;
  }

  std::vector<HttpRequest> requests;
  std::deque<HttpReply> replies;                        // used in order when respond is empty
  std::function<HttpReply(const HttpRequest&)> respond;  // answers every request when set
  int waitsPerRequest = 1;                              // calls of whileWaiting per request
};

class FakeConnectionCheck : public ConnectionCheck {
 public:
  bool IsInternetConnected() override {
    ++asked;
    if (!answers.empty()) {
      bool a = answers.front();
      answers.pop_front();
      return a;
    }
    return connected;
  }
  bool connected = true;
  std::deque<bool> answers;  // answered first, in order, before falling back to connected
  int asked = 0;
};

}  // namespace vexa::fakes
