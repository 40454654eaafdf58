// HTTP GET on WinHTTP. The request runs on a worker thread; the caller waits
// on an event with MsgWaitForMultipleObjectsEx so that its window keeps
// painting and answering while the service thinks.
#include "platform/win32/http_client_win32.h"

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
#include <utility>

#include "platform/http_url.h"
#include "ui/scoped.h"

namespace vexa::win32 {

namespace {

struct CloseInternet {
  void operator()(HINTERNET h) const { WinHttpCloseHandle(h); }
};
using InternetHandle = ui::Scoped<HINTERNET, CloseInternet>;

// What the caller and the worker share. The worker writes reply and then
// signals done; the caller reads reply only after seeing done. A caller that
// gives up sets abandoned and never reads it.
struct Exchange {
  ui::ScopedHandle done{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::atomic<bool> abandoned{false};
  HttpReply reply;
};

int ClampMs(ULONGLONG ms) { return static_cast<int>(std::min<ULONGLONG>(ms, 0x7FFFFFFF)); }

HttpReply Perform(const Exchange& x, const HttpUrlParts& url, const HttpRequest& request, ULONGLONG deadline) {
  HttpReply reply;
  reply.outcome = HttpOutcome::Failed;
  const int timeout = ClampMs(request.timeoutMs);

  // Loopback needs no proxy; anything else goes the way the system's WinHTTP
  // settings say.
  DWORD access = IsLoopbackHost(url.host) ? WINHTTP_ACCESS_TYPE_NO_PROXY : WINHTTP_ACCESS_TYPE_DEFAULT_PROXY;
  InternetHandle session(WinHttpOpen(nullptr, access, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session) return reply;
  WinHttpSetTimeouts(session.get(), timeout, timeout, timeout, timeout);

  InternetHandle connection(WinHttpConnect(session.get(), url.host.c_str(), url.port, 0));
  if (!connection) return reply;

  DWORD flags = WINHTTP_FLAG_ESCAPE_DISABLE | WINHTTP_FLAG_ESCAPE_DISABLE_QUERY;
  if (url.secure) flags |= WINHTTP_FLAG_SECURE;
  InternetHandle req(WinHttpOpenRequest(connection.get(), L"GET", url.pathAndQuery.c_str(), nullptr,
                                        WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, flags));
  if (!req) return reply;
  // WinHttpSetTimeouts alone does not bound the wait for the first byte of a
  // server that accepts and stays silent (seen under Wine); this does.
  DWORD responseTimeout = static_cast<DWORD>(timeout);
  WinHttpSetOption(req.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseTimeout, sizeof responseTimeout);

  std::wstring headers;
  for (const auto& [name, value] : request.headers) headers += name + L": " + value + L"\r\n";
  if (!headers.empty() &&
      !WinHttpAddRequestHeaders(req.get(), headers.c_str(), static_cast<DWORD>(headers.size()),
                                WINHTTP_ADDREQ_FLAG_ADD | WINHTTP_ADDREQ_FLAG_REPLACE))
    return reply;

  if (x.abandoned) return reply;
  if (!WinHttpSendRequest(req.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
      !WinHttpReceiveResponse(req.get(), nullptr)) {
    if (GetLastError() == ERROR_WINHTTP_TIMEOUT) reply.outcome = HttpOutcome::TimedOut;
    return reply;
  }

  DWORD status = 0, size = sizeof status;
  if (!WinHttpQueryHeaders(req.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                           WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
    return reply;

  // The body, never more than the cap. Past the cap one more byte is asked
  // for only to learn whether the reply was cut.
  const std::size_t cap = request.maxReplyBytes;
  std::string body;
  char chunk[16 * 1024];
  for (;;) {
    if (x.abandoned) return reply;
    if (GetTickCount64() >= deadline) {
      reply.outcome = HttpOutcome::TimedOut;
      return reply;
    }
    const std::size_t room = cap - body.size();
    const DWORD want = static_cast<DWORD>(room == 0 ? 1 : std::min(room, sizeof chunk));
    DWORD got = 0;
    if (!WinHttpReadData(req.get(), chunk, want, &got)) {
      if (GetLastError() == ERROR_WINHTTP_TIMEOUT) reply.outcome = HttpOutcome::TimedOut;
      return reply;
    }
    if (got == 0) break;
    if (room == 0) {
      reply.truncated = true;
      break;
    }
    body.append(chunk, std::min<std::size_t>(got, room));
  }
  reply.outcome = HttpOutcome::Ok;
  reply.status = static_cast<int>(status);
  reply.body = std::move(body);
  return reply;
}

}  // namespace

HttpReply Win32HttpClient::Get(const HttpRequest& request, const std::function<void()>& whileWaiting) {
  HttpReply failed;
  auto url = SplitHttpUrl(request.url);
  if (!url) {
    failed.outcome = HttpOutcome::BadUrl;
    return failed;
  }
  auto exchange = std::make_shared<Exchange>();
  if (!exchange->done) return failed;

  const ULONGLONG deadline = GetTickCount64() + request.timeoutMs;
  try {
    std::thread([exchange, parts = std::move(*url), request, deadline] {
      HttpReply reply = Perform(*exchange, parts, request, deadline);
      if (!exchange->abandoned) exchange->reply = std::move(reply);
      SetEvent(exchange->done.get());
    }).detach();
  } catch (...) {
    return failed;  // no thread to be had
  }

  HANDLE done = exchange->done.get();
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) break;
    const DWORD slice = static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 100));
    const DWORD r = whileWaiting ? MsgWaitForMultipleObjectsEx(1, &done, slice, QS_ALLINPUT, MWMO_INPUTAVAILABLE)
                                 : WaitForSingleObject(done, slice);
    if (r == WAIT_OBJECT_0) return std::move(exchange->reply);
    if (r == WAIT_FAILED) break;
    if (whileWaiting) whileWaiting();
  }
  if (WaitForSingleObject(done, 0) == WAIT_OBJECT_0) return std::move(exchange->reply);
  exchange->abandoned = true;
  HttpReply timedOut;
  timedOut.outcome = HttpOutcome::TimedOut;
  return timedOut;
}

}  // namespace vexa::win32
