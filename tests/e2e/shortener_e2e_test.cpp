// The URL panel as a user meets it: the real program, started with its
// services redirected to a loopback stand-in run by the test, typing into
// Tlong, picking a server, pressing "Short URL" and reading Tout, the boxes
// and the activity log.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "tests/e2e/driver.h"
#include "tests/win/loopback_server.h"

namespace vexa::e2e {
namespace {

using namespace vexa::app;
using test_support::LoopbackServer;

const std::string kHeader = "[VexaTools Utility]\r\n";
const std::string kSep = "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n";
const std::string kUserAgent = "\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n";
// What the stand-in for is.gd answers: the short address and a line break.
const std::string kShort = "https://is.gd/Vx3aB";

std::string Ansi(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

// Today in the user's short date form, as the log writes it.
std::string ShortDate() {
  wchar_t buf[128];
  int n = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buf, 128, nullptr);
  return Ansi(std::wstring(buf, n > 0 ? n - 1 : 0));
}

// The block one answer adds to the log; `out` is Tout's whole text.
std::string Block(const std::string& date, const std::wstring& longUrl, const std::string& out) {
  return kSep + date + "Long URL :" + Ansi(longUrl) + "To :" + out + "\r\n" + kSep;
}

int Px(HWND w, int twips) {
  HDC dc = GetDC(w);
  int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(w, dc);
  return MulDiv(twips, dpi, 1440);
}

bool Checked(HWND radio) {
  DWORD_PTR state = 0;
  SendMessageTimeoutW(radio, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
  return state == BST_CHECKED;
}

void SetText(HWND edit, const std::wstring& text) {
  DWORD_PTR ignored;
  SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 2000, &ignored);
}

// The lines Tout shows, as its edit control breaks them.
std::vector<std::wstring> ShownLines(HWND edit) {
  std::wstring text = TextOf(edit);
  std::vector<std::wstring> lines;
  DWORD_PTR count = 0, index = 0, length = 0;
  SendMessageTimeoutW(edit, EM_GETLINECOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count);
  for (DWORD_PTR i = 0; i < count; ++i) {
    SendMessageTimeoutW(edit, EM_LINEINDEX, i, 0, SMTO_ABORTIFHUNG, 2000, &index);
    SendMessageTimeoutW(edit, EM_LINELENGTH, index, 0, SMTO_ABORTIFHUNG, 2000, &length);
    lines.push_back(index < text.size() ? text.substr(index, length) : std::wstring());
  }
  return lines;
}

// Whether `lower` is under `upper` in their parent's stacking order.
bool Under(HWND lower, HWND upper) {
  for (HWND h = GetWindow(upper, GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT))
    if (h == lower) return true;
  return false;
}

// Points inside `frame` (off its edge) that no control drawn over it covers
// and that do not show the colour of the panel just below it: what the frame
// leaves unpainted.
int UnpaintedPointsIn(HWND frame, std::initializer_list<HWND> over) {
  RECT f;
  GetWindowRect(frame, &f);
  HDC screen = GetDC(nullptr);
  // The panel's own colour, just below the frame.
  COLORREF page = GetPixel(screen, f.left + 4, f.bottom + 3);
  int bad = 0;
  for (int y = f.top + 8; y < f.bottom - 6; y += 2) {
    for (int x = f.left + 6; x < f.right - 6; x += 3) {
      POINT pt{x, y};
      bool covered = false;
      for (HWND h : over) {
        RECT r;
        GetWindowRect(h, &r);
        InflateRect(&r, 1, 1);
        covered = covered || PtInRect(&r, pt);
      }
      if (!covered && GetPixel(screen, x, y) != page) ++bad;
    }
  }
  ReleaseDC(nullptr, screen);
  return bad;
}

// The program started against a stand-in, its main window shown on the URL
// panel, and the log holding the start-up header only.
class UrlPanel : public ::testing::Test {
 protected:
  void Open(LoopbackServer::Mode mode, const std::string& head = {}) {
    server = std::make_unique<LoopbackServer>(mode, head);
    program = std::make_unique<Program>(Scratch(L"url"), EnvVars{{L"VEXA_SHORTENER_BASE", server->Base()}});
    ASSERT_TRUE(program->WaitWindow(L"Form2", false, 20000)) << "the splash never ended";
    ASSERT_TRUE(WaitFor([&] { return program->TrayIconPresent(); }, 5000));
    ASSERT_TRUE(program->TrayMenu(1));
    form1 = program->WaitWindow(L"VexaUtility Solace", true, 5000);
    ASSERT_TRUE(form1);
    ClickAt(form1, Px(form1, 800), Px(form1, 3240 + 100));  // the "Toolbox" tab
    ASSERT_TRUE(WaitFor([&] { return OnView(form1, W(PicTool)); }));
    Click(W(oxbutton15));
    ASSERT_TRUE(WaitFor([&] { return OnView(W(PicTool), W(PicURL)) && !IsWindowVisible(W(PicKeyBlock)); }));
    ASSERT_EQ(ReadFileBytes(program->LogPath()), kHeader);
  }

  HWND W(int id) const { return ControlById(form1, id); }
  std::string Log() const { return ReadFileBytes(program->LogPath()); }
  // Waits for the log to differ from `before`, then for it to stay put.
  bool LogGrows(const std::string& before, int ms = 15000) const {
    if (!WaitFor([&] { return Log() != before; }, ms)) return false;
    std::string now;
    WaitFor(
        [&] {
          now = Log();
          Sleep(200);
          return Log() == now;
        },
        2000);
    return true;
  }

  // Declared first, so the program has ended before its stand-in stops.
  std::unique_ptr<LoopbackServer> server;
  std::unique_ptr<Program> program;
  HWND form1 = nullptr;
};

TEST_F(UrlPanel, ServerThreeShowsTheShortAddressAndLogsOneBlockAndServerTwoReplacesIt) {
  ASSERT_NO_FATAL_FAILURE(Open(LoopbackServer::Mode::Answer, LoopbackServer::Ok(kShort + "\n")));
  EXPECT_EQ(TextOf(W(Tlong)), L"Url");
  EXPECT_EQ(TextOf(W(app::C)), L"Short URL");
  EXPECT_TRUE(Checked(W(Option3)));
  EXPECT_FALSE(Checked(W(Option1)) || Checked(W(Option2)));
  // The three choices show inside their frame (not covered by it).
  for (int id : {Option1, Option2, Option3, Label43}) {
    EXPECT_TRUE(OnView(W(PicURL), W(id))) << "control " << id;
    EXPECT_TRUE(Under(W(frameServices), W(id))) << "the group box is drawn over control " << id;
  }
  EXPECT_EQ(TextOf(W(Option3)), L"Server 3");
  EXPECT_EQ(TextOf(W(Label43)), L"(recommended)");
  Screenshot(form1, L"url-panel-start");
  EXPECT_EQ(UnpaintedPointsIn(W(frameServices), {W(Option1), W(Option2), W(Option3), W(Label43)}), 0)
      << "the frame shows what was on the screen before";

  // Reserved characters, a blank and a letter outside ASCII.
  const std::wstring longUrl = L"http://example.com/caf\u00e9 menu?q=1&x=(y)";
  SetText(W(Tlong), longUrl);
  const std::string date = ShortDate();
  Click(W(app::C));
  ASSERT_TRUE(LogGrows(kHeader)) << "no log block within the time-out";

  EXPECT_EQ(server->Connections(), 1);
  EXPECT_EQ(server->LastRequestLine(),
            "GET /create.php?format=simple&url=http%3A%2F%2Fexample.com%2Fcaf%C3%A9%20menu%3Fq%3D1%26x%3D%28y%29 "
            "HTTP/1.1");
  const std::string request = server->FirstRequest();
  EXPECT_NE(request.find(kUserAgent), std::string::npos) << request;
  EXPECT_NE(request.find("\r\nHost: 127.0.0.1:"), std::string::npos) << request;

  // One line with the short address: the service's own line break is not
  // carried into Tout.
  const std::wstring out = std::wstring(kShort.begin(), kShort.end()) + L"\r\n";
  EXPECT_EQ(TextOf(W(Tout)), out);
  EXPECT_EQ(ShownLines(W(Tout)), (std::vector<std::wstring>{std::wstring(kShort.begin(), kShort.end()), L""}));
  const std::string firstBlock = Block(date, longUrl, Ansi(out));
  std::string log = Log();
  if (log != kHeader + firstBlock) {
    EXPECT_EQ(log, kHeader + Block(ShortDate(), longUrl, Ansi(out)));  // past midnight, or wrong
  }
  EXPECT_FALSE(program->MessageBoxWindow());
  Screenshot(form1, L"url-server3-result");

  // "Server 2": TinyURL's path; Tout holds the last request's answer only.
  ASSERT_TRUE(ClickAndWait(W(Option2)));
  EXPECT_TRUE(Checked(W(Option2)));
  EXPECT_FALSE(Checked(W(Option3)));
  const std::string before = Log();
  SetText(W(Tlong), L"http://a.b/c");
  Click(W(app::C));
  ASSERT_TRUE(LogGrows(before));
  EXPECT_EQ(server->Connections(), 2);
  EXPECT_EQ(server->LastRequestLine(), "GET /api-create.php?url=http%3A%2F%2Fa.b%2Fc HTTP/1.1");
  EXPECT_EQ(TextOf(W(Tout)), out);
  log = Log();
  ASSERT_EQ(log.substr(0, before.size()), before) << "earlier entries stay as they were";
  EXPECT_EQ(log.substr(before.size()), Block(date, L"http://a.b/c", Ansi(out)));
}

TEST_F(UrlPanel, ServerOneAsksForItsTokenAndSendsNothing) {
  ASSERT_NO_FATAL_FAILURE(Open(LoopbackServer::Mode::Answer, LoopbackServer::Ok(kShort + "\n")));
  // A first answer, so that Tout has something to lose.
  SetText(W(Tlong), L"http://example.com/");
  Click(W(app::C));
  ASSERT_TRUE(LogGrows(kHeader));
  ASSERT_FALSE(TextOf(W(Tout)).empty());
  const std::string before = Log();

  ASSERT_TRUE(ClickAndWait(W(Option1)));
  EXPECT_TRUE(Checked(W(Option1)));
  EXPECT_FALSE(Checked(W(Option3)));
  Click(W(app::C));
  HWND box = program->WaitMessageBox();
  ASSERT_TRUE(box) << "no box for the missing token";
  EXPECT_EQ(TextOf(box), L"Not Supplies");
  EXPECT_EQ(MessageBoxText(box),
            L"cUrlShorten.sShortUrl.access token [ACCESSTOKENbitly] not supplied Or Connected to server error");
  EXPECT_TRUE(WaitFor([&] { return MessageBoxIcon(box) == BoxIcon::Exclamation; }, 3000));
  EXPECT_EQ(GetWindow(box, GW_OWNER), form1) << "modal to the main window";
  EXPECT_EQ(TextOf(W(Tout)), L"") << "emptied by the click";
  Screenshot(box, L"url-server1-box");
  AnswerOk(box);
  ASSERT_TRUE(WaitFor([&] { return !program->MessageBoxWindow(); }));
  // The click has ended once the window answers a click of its own again.
  ASSERT_TRUE(ClickAndWait(W(Option1)));
  Sleep(300);
  EXPECT_EQ(server->Connections(), 1) << "no request for Bitly without its token";
  EXPECT_EQ(Log(), before) << "no log block";
  EXPECT_EQ(TextOf(W(Tout)), L"");
}

TEST_F(UrlPanel, BlankOrPlaceholderLongUrlDoesNothingAndDoubleClickSetsHttp) {
  ASSERT_NO_FATAL_FAILURE(Open(LoopbackServer::Mode::Answer, LoopbackServer::Ok(kShort + "\n")));
  SetText(W(Tout), L"kept\r\n");
  for (const wchar_t* text : {L"", L"    ", L" Long URL ", L"long url", L"LONG url  "}) {
    SetText(W(Tlong), text);
    ASSERT_TRUE(ClickAndWait(W(app::C), 5000)) << "the click never ended";
    EXPECT_FALSE(program->MessageBoxWindow()) << "a box for \"" << text << "\"";
    EXPECT_EQ(TextOf(W(Tlong)), text);
  }
  Sleep(300);
  EXPECT_EQ(server->Connections(), 0);
  EXPECT_EQ(Log(), kHeader);
  EXPECT_EQ(TextOf(W(Tout)), L"kept\r\n");

  SetText(W(Tlong), L"http://example.com/typed");
  PostMessageW(W(Tlong), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageW(W(Tlong), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  EXPECT_TRUE(WaitFor([&] { return TextOf(W(Tlong)) == L"http://"; }, 5000)) << TextOf(W(Tlong));
  Screenshot(form1, L"url-double-click");
  EXPECT_EQ(server->Connections(), 0);
  EXPECT_EQ(Log(), kHeader);
}

TEST_F(UrlPanel, SilentServiceKeepsTheWindowAnsweringAndEndsInAnEmptyBlock) {
  ASSERT_NO_FATAL_FAILURE(Open(LoopbackServer::Mode::Silent));
  const std::wstring longUrl = L"http://example.com/slow";
  SetText(W(Tlong), longUrl);
  SetText(W(Tout), L"old\r\n");
  const std::string date = ShortDate();
  Click(W(app::C));
  ASSERT_TRUE(WaitFor([&] { return !server->FirstRequest().empty(); }, 5000)) << "the request never came";
  const ULONGLONG asked = GetTickCount64();

  // While the service says nothing: the window answers at once, a second
  // click starts nothing, and nothing is shown or logged yet.
  int slowest = 0;
  bool clickedAgain = false;
  while (GetTickCount64() - asked < 5000) {
    int ms = RoundTripMs(form1, 2000);
    ASSERT_GE(ms, 0) << "the window stopped answering";
    slowest = std::max(slowest, ms);
    if (!clickedAgain && GetTickCount64() - asked > 1000) {
      ASSERT_TRUE(ClickAndWait(W(app::C), 2000)) << "the second click was not handled during the wait";
      clickedAgain = true;
      Screenshot(form1, L"url-waiting");
    }
    Sleep(100);
  }
  EXPECT_LT(slowest, 500);
  EXPECT_EQ(TextOf(W(Tout)), L"");
  EXPECT_EQ(Log(), kHeader);

  // The time-out: an empty answer, one block with nothing after "To :".
  ASSERT_TRUE(LogGrows(kHeader, 12000)) << "no block after the time-out";
  const ULONGLONG waited = GetTickCount64() - asked;
  EXPECT_GE(waited, 6000u);
  EXPECT_LE(waited, 12000u);
  EXPECT_EQ(TextOf(W(Tout)), L"");
  std::string log = Log();
  if (log != kHeader + Block(date, longUrl, "")) {
    EXPECT_EQ(log, kHeader + Block(ShortDate(), longUrl, ""));  // past midnight, or wrong
  }
  EXPECT_FALSE(program->MessageBoxWindow()) << "no connection box for a service on loopback";

  // The stand-in sees the program hang up; the second click's request would
  // be accepted right after, and none comes.
  EXPECT_TRUE(server->WaitForHangUp(8000));
  Sleep(1500);
  EXPECT_EQ(server->Connections(), 1);
  EXPECT_EQ(Log(), log);

  // The page takes clicks again once the wait is over.
  Click(W(app::C));
  EXPECT_TRUE(WaitFor([&] { return server->Connections() == 2; }, 5000));
}

}  // namespace
}  // namespace vexa::e2e
