// The URL panel over real edit and radio controls, the WinHTTP client and a
// loopback stand-in for the service, writing the log on the real disk.
#include <gtest/gtest.h>

#include <string>

#include "log/activity_log.h"
#include "platform/text.h"
#include "platform/win32/http_client_win32.h"
#include "platform/win32/win32_platform.h"
#include "shortener/url_shortener_page.h"
#include "shortener/win32/url_page_controls_win32.h"
#include "tests/fakes/fake_http.h"
#include "tests/fakes/fake_system.h"
#include "tests/fakes/fake_ui.h"
#include "tests/win/loopback_server.h"

namespace vexa {
namespace {

using test_support::LoopbackServer;

class MessageLoopPump : public ui::EventPump {
 public:
  void DoEvents() override {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
};

std::string ReadFileBytes(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string out(GetFileSize(h, nullptr), '\0');
  DWORD got = 0;
  ReadFile(h, out.data(), static_cast<DWORD>(out.size()), &got, nullptr);
  CloseHandle(h);
  out.resize(got);
  return out;
}

struct Panel {
  HWND parent = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
  HWND tlong = CreateWindowW(L"EDIT", L"Url", WS_CHILD, 0, 0, 200, 20, parent, nullptr, nullptr, nullptr);
  HWND tout = CreateWindowW(L"EDIT", L"", WS_CHILD | ES_MULTILINE, 0, 30, 200, 60, parent, nullptr, nullptr, nullptr);
  HWND o1 = CreateWindowW(L"BUTTON", L"", WS_CHILD | WS_GROUP | BS_AUTORADIOBUTTON, 0, 100, 20, 20, parent, nullptr,
                          nullptr, nullptr);
  HWND o2 = CreateWindowW(L"BUTTON", L"", WS_CHILD | BS_AUTORADIOBUTTON, 0, 120, 20, 20, parent, nullptr, nullptr,
                          nullptr);
  HWND o3 = CreateWindowW(L"BUTTON", L"", WS_CHILD | BS_AUTORADIOBUTTON, 0, 140, 20, 20, parent, nullptr, nullptr,
                          nullptr);
  ~Panel() { DestroyWindow(parent); }
};

TEST(Win32UrlPage, ServerThreeThroughRealControlsAndALoopbackStandIn) {
  Panel p;
  // Windows need a desktop: under Wine, a display (Xvfb) for the prefix.
  if (!p.parent) GTEST_SKIP() << "no desktop to create windows on";
  ASSERT_TRUE(p.tlong);
  ASSERT_TRUE(p.tout);
  ASSERT_TRUE(p.o3);
  win32::EditText Tlong(p.tlong), Tout(p.tout);
  win32::OptionButton Option1(p.o1), Option2(p.o2), Option3(p.o3);
  fakes::FakeButton C;

  LoopbackServer server(LoopbackServer::Mode::Answer, LoopbackServer::Ok("https://is.gd/Zz9\n"));
  win32::Win32HttpClient http;
  win32::Win32ConnectionCheck connection;  // not asked: the services are on loopback
  fakes::FakeMessageBoxes boxes;
  MessageLoopPump pump;
  win32::Win32FileSystem files;
  win32::Win32Clock clock;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"vexa-url-page";
  CreateDirectoryW(folder.c_str(), nullptr);
  DeleteFileW((folder + L"\\VexaLog.Log").c_str());
  ActivityLog log(files, clock, folder);

  fakes::FakeEnvironment env;
  env.Set(kShortenerBaseVariable, server.Base());
  UrlShortenerPage page({Tlong, Tout, Option1, Option2, Option3, C},
                        {http, connection, boxes, pump, log, files, env});
  page.ApplyDesignValues();
  EXPECT_EQ(Option3.Value(), 1);
  EXPECT_EQ(Option1.Value(), 0);

  win32::DoubleClickHook dbl(p.tlong, [&] { page.Tlong_DblClick(); });
  ASSERT_TRUE(dbl.Attached());
  SendMessageW(p.tlong, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(p.tlong, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Tlong.Text(), L"http://");

  Tlong.SetText(L"http://example.com/a?b=1");
  page.C_Click();
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(server.LastRequestLine(), "GET /create.php?format=simple&url=http%3A%2F%2Fexample.com%2Fa%3Fb%3D1 HTTP/1.1");
  EXPECT_EQ(Tout.Text(), L"https://is.gd/Zz9\r\n");
  const std::string sep = "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n";
  EXPECT_EQ(ReadFileBytes(folder + L"\\VexaLog.Log"),
            sep + ToAnsi(clock.ShortDate()) + "Long URL :http://example.com/a?b=1To :https://is.gd/Zz9\r\n\r\n" +
                sep);
  DeleteFileW((folder + L"\\VexaLog.Log").c_str());
}

}  // namespace
}  // namespace vexa
