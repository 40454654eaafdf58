#pragma once
// HTTP answers and the connection check in memory.
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
    for (int i = 0; i < waits && whileWaiting; ++i) whileWaiting();
    if (replies.empty()) return {HttpOutcome::Failed};
    HttpReply reply = replies.front();
    replies.pop_front();
    return reply;
  }
  void Answer(std::string body) { replies.push_back({HttpOutcome::Ok, 200, std::move(body)}); }

  std::vector<HttpRequest> requests;
  std::deque<HttpReply> replies;  // in order; none left: the request fails
  int waits = 1;                  // times the caller's events run during each request
};

class FakeConnectionCheck : public ConnectionCheck {
 public:
  bool IsInternetConnected() override { return connected; }
  bool connected = true;
};

}  // namespace vexa::fakes
