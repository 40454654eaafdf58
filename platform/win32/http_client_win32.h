#pragma once
// HttpClient on WinHTTP, and ConnectionCheck on WinINet.
#include "platform/http_client.h"

namespace vexa::win32 {

// Each Get runs its WinHTTP request on a worker thread of its own while the
// calling thread waits, pumping through whileWaiting. Past the request's
// time-out the caller gets TimedOut at once and the worker is left to end on
// its own WinHTTP time-outs; it touches nothing the caller still owns.
class Win32HttpClient : public HttpClient {
 public:
  HttpReply Get(const HttpRequest& request, const std::function<void()>& whileWaiting) override;
};

// InternetGetConnectedState. It answers false on a machine without a
// default route even though loopback works; callers that talk to loopback
// only should not ask it.
class Win32ConnectionCheck : public ConnectionCheck {
 public:
  bool IsInternetConnected() override;
};

}  // namespace vexa::win32
