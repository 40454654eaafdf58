#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/text.h"
#include "shortener/url_shortener_page.h"
#include "tests/fakes/fake_http.h"
#include "tests/fakes/fake_system.h"
#include "tests/fakes/fake_ui.h"

namespace vexa::shortener {
namespace {

struct Events : ShortenSink {
  void Error(const std::wstring& text) override { seen.push_back(L"E:" + text); }
  void sShortUrl(const std::wstring& text) override { seen.push_back(L"S:" + text); }
  void ShowBox(const std::wstring& text, const std::wstring&, ui::BoxIcon) override { seen.push_back(L"B:" + text); }
  void DoEvents() override {}
  std::vector<std::wstring> seen;
};

TEST(ShortUrl, SendsEachServiceItsRequestByteForByte) {
  fakes::FakeHttpClient http;
  fakes::FakeConnectionCheck connection;
  cUrlShorten c(http, connection);
  c.ACCESSTOKENbityly = L"BT";
  c.ACCESSTOKENtinycc = L"CK";
  c.USERNAMEtinycc = L"CU";
  c.ACCESSTOKENpost = L"a/b&c";  // verbatim
  c.smodLongUrl = L"http://a.b/p?q=1&r=2!#$'()*+,;@[] %20\u00e9";
  Events events;
  c.ShortUrl(events, true, true, true, true, true, true);
  const std::wstring e = L"http%3A%2F%2Fa.b%2Fp%3Fq%3D1%26r%3D2%21%23%24%27%28%29%2A%2B%2C%3B%40%5B%5D %20\u00e9";
  const std::wstring urls[] = {
      L"https://api-ssl.bitly.com/v3/shorten?access_token=BT&longUrl=" + e,
      L"https://tinyurl.com/api-create.php?url=" + e,
      L"https://is.gd/create.php?format=simple&url=" + e,
      L"https://ink.co/api.php?task=quicken&url=" + e,
      L"https://tiny.cc/?c=rest_api&m=shorten&version=2.0.3&format=json&&longUrl=" + e + L"&login=CU&apiKey=CK",
      L"http://po.st/api/shorten?&longUrl=" + e + L"&apiKey=a/b&c"};
  ASSERT_EQ(http.requests.size(), std::size(urls));
  for (std::size_t i = 0; i < std::size(urls); ++i) {
    EXPECT_EQ(http.requests[i].url, urls[i]) << i;
    EXPECT_EQ(http.requests[i].headers,
              (decltype(HttpRequest::headers){{L"User-Agent", L"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"}}));
  }
  EXPECT_EQ(c.smodLongUrl, e);
  EXPECT_EQ(events.seen, std::vector<std::wstring>(6, L"S:"));  // every request failed
}

TEST(ShortUrl, JsonRepliesAreReadByTheirFirstMarker) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"{\"long_url\": \"x\", \"url\": \"ab\\/cd\", \"hash\": \"h\"}", L"ab/cd"},
      {L"{\"url\": \"http://a\", \"hash\": \"h\"}", L""},  // first member: no ",url:"
      {L"{\"url\":\"no\",\"short_url\":\"http:\\/\\/s.co\\/1\"}", L"http://s.co/1"},
      {L"{\"status\": 200, \"link\": \"https:\\/\\/ink.co\\/q\"}", L"https://ink.co/q"},
      {L"{\"a\":1,\"short_url\":\"S\",\"url\":\"U\"}", L"U"},
      {L"{\"x\":1,\"link\":\"L\",\"url\":\"U\"}", L"U"},
      {L"{\"data\": {\"x\": 1, \"url\": \"http:\\/\\/bit.ly\\/a\"}}", L"http://bit.ly/a"},
      {L"a,url:first,url:second", L"first"},
      {L"{\"error\": \"INVALID_URI\"}", L""},
      {L"", L""},
  };
  for (auto [reply, address] : cases) EXPECT_EQ(cUrlShorten::ParseJsonReply(reply), address) << reply;
}

struct UrlPage : ::testing::Test {
  std::string Block(const std::wstring& longUrl, const std::wstring& out) const {
    const std::string sep = std::string(39, '~') + "\r\n";
    return sep + "05/12/2026Long URL :" + ToUtf8(longUrl) + "To :" + ToUtf8(out) + "\r\n" + sep;
  }

  fakes::FakeCaption Tlong, Tout{L"old"};
  fakes::FakeToggle Option1{0}, Option2{0}, Option3{1};
  fakes::FakeButton C{L"Short URL"};
  fakes::FakeHttpClient http;
  fakes::FakeConnectionCheck connection;
  fakes::FakeMessageBoxes boxes;
  fakes::FakeEventPump pump;
  fakes::FakeClock clock;
  fakes::FakeFileSystem files;
  fakes::FakeEnvironment env;
  ActivityLog log{files, clock, L"C:\\Vexa"};
  UrlShortenerPage page{{Tlong, Tout, Option1, Option2, Option3, C}, {http, connection, boxes, pump, log, env}};
};

TEST_F(UrlPage, InputRepliesAndTheirLogBlocks) {
  struct Case {
    const wchar_t* tlong;
    int option;
    std::optional<std::string> reply;  // none: the request fails
    bool online;
    const wchar_t* tout;
    bool logged;
    const wchar_t* box;
  };
  const Case cases[] = {
      {L"  Long URL  ", 3, "s", true, L"old", false, L""},
      {L"   ", 3, "s", true, L"old", false, L""},
      {L"http://a", 3, "https://is.gd/Xy1\r\n", true, L"https://is.gd/Xy1\r\n", true, L""},
      {L"http://a", 2, "s\n\r\n", true, L"s\r\n", true, L""},
      {L"http://a", 3, "\r\n", true, L"", true, L""},
      {L"http://a", 3, "http://x\r\n05/12/2026Keylogger Has Blockedevil.exe", true, L"", true, L""},
      {L"http://a", 3, "http://x\x1b[2J", true, L"", true, L""},
      {L"http://a", 3, std::nullopt, true, L"", true, L""},
      {L"http://a", 3, "s", false, L"", true, L"Not Connected To Internet"},
      {L"http://a", 1, "s", true, L"", false,
       L"cUrlShorten.sShortUrl.access token [ACCESSTOKENbitly] not supplied Or Connected to server error"},
  };
  for (const Case& c : cases) {
    Tlong.text = c.tlong;
    Tout.text = L"old";
    Option1.value = c.option == 1, Option2.value = c.option == 2, Option3.value = c.option == 3;
    http.replies.clear();
    if (c.reply) http.Answer(*c.reply);
    connection.connected = c.online;
    boxes.shown.clear();
    files.appends.clear();
    files.Put(L"C:\\Vexa\\VexaLog.Log", "");
    page.C_Click();
    EXPECT_EQ(Tout.text, c.tout) << c.tlong << " " << (c.reply ? c.reply->size() : 0);
    EXPECT_EQ(files.Read(L"C:\\Vexa\\VexaLog.Log"), c.logged ? Block(c.tlong, c.tout) : "") << c.tlong;
    EXPECT_EQ(files.appends, c.logged ? std::vector<std::wstring>{L"C:\\Vexa\\VexaLog.log"} : std::vector<std::wstring>{});
    EXPECT_EQ(boxes.shown.empty() ? L"" : boxes.shown[0].text, c.box);
  }
}

TEST_F(UrlPage, AClickWhileARequestWaitsStartsNothing) {
  Tlong.text = L"http://a";
  http.waits = 2;
  int clicks = 0;
  pump.pending = [&] {
    if (page.Busy()) ++clicks, page.C_Click();
  };
  http.Answer("s1");
  http.Answer("s2");
  page.C_Click();
  EXPECT_EQ(clicks, 3);  // two waits, and the events after the answer
  EXPECT_EQ(http.requests.size(), 1u);
  EXPECT_EQ(Tout.text, L"s1\r\n");
  EXPECT_EQ(files.Read(L"C:\\Vexa\\VexaLog.Log"), Block(L"http://a", L"s1\r\n"));
  EXPECT_FALSE(page.Busy());
}

}  // namespace
}  // namespace vexa::shortener
