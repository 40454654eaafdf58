#pragma once
// A small HTTP server on 127.0.0.1 for the Win32 tests: a free port of its
// own, one thread, stopped and joined when it goes out of scope.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/handles.h"

namespace vexa::test_support {

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
  std::string LastRequestLine() {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_.empty() ? std::string() : requests_.back().substr(0, requests_.back().find("\r\n"));
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

}  // namespace vexa::test_support
