#include "shortener/url_shorten.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/fake_http.h"
#include "tests/fakes/fake_system.h"
#include "tests/fakes/fake_ui.h"

namespace vexa {
namespace {

using fakes::FakeConnectionCheck;
using fakes::FakeEventPump;
using fakes::FakeHttpClient;
using fakes::FakeMessageBoxes;

// ------------------------------------------------------------------ EncodeUrl

TEST(EncodeUrl, EscapesEachReservedCharacterInUpperCaseHex) {
  const std::pair<const wchar_t*, const wchar_t*> table[] = {
      {L"!", L"%21"}, {L"#", L"%23"}, {L"$", L"%24"}, {L"&", L"%26"}, {L"'", L"%27"}, {L"(", L"%28"},
      {L")", L"%29"}, {L"*", L"%2A"}, {L"+", L"%2B"}, {L",", L"%2C"}, {L"/", L"%2F"}, {L":", L"%3A"},
      {L";", L"%3B"}, {L"=", L"%3D"}, {L"?", L"%3F"}, {L"@", L"%40"}, {L"[", L"%5B"}, {L"]", L"%5D"},
  };
  for (const auto& [c, escape] : table) {
    std::wstring text = std::wstring(L"a") + c + L"b" + c;
    EXPECT_EQ(cUrlShorten::EncodeUrl(text), std::wstring(L"a") + escape + L"b" + escape) << c;
  }
}

TEST(EncodeUrl, WritesTheEncodedTextBackIntoItsArgument) {
  std::wstring url = L"http://example.com/a?b=c&d=e";
  std::wstring result = cUrlShorten::EncodeUrl(url);
  EXPECT_EQ(result, L"http%3A%2F%2Fexample.com%2Fa%3Fb%3Dc%26d%3De");
  EXPECT_EQ(url, result);
}

TEST(EncodeUrl, LeavesPercentEscapesBlanksAndOtherCharactersAlone) {
  std::wstring url = L"  x%20y z\t\u00e9~-_.%";
  EXPECT_EQ(cUrlShorten::EncodeUrl(url), L"  x%20y z\t\u00e9~-_.%");
  std::wstring empty;
  EXPECT_EQ(cUrlShorten::EncodeUrl(empty), L"");
}

// ------------------------------------------------------------------ JSON rules

TEST(StripJson, RemovesBlanksQuotesAndBracesOnly) {
  EXPECT_EQ(cUrlShorten::StripJson(L"{ \"a\" : \"b c\" ,\n\"d\":{\"e\":[1, 2]} }"), L"a:bc,\nd:e:[1,2]");
  EXPECT_EQ(cUrlShorten::StripJson(L"    "), L"");
  EXPECT_EQ(cUrlShorten::StripJson(L""), L"");
}

TEST(ParseJsonReply, ReadsTheAddressByMarker) {
  struct Case {
    const wchar_t* name;
    const wchar_t* reply;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"worked example", L"{\"long_url\": \"x\", \"url\": \"ab\\/cd\", \"hash\": \"h\"}", L"ab/cd"},
      {L"url member first is not found by ,url:", L"{\"url\": \"http://a\", \"hash\": \"h\"}", L""},
      {L"url member first, short_url later",
       L"{\"url\":\"no\",\"short_url\":\"http:\\/\\/s.co\\/1\"}", L"http://s.co/1"},
      {L",link: when there is no ,url:", L"{\"status\": 200, \"link\": \"https:\\/\\/ink.co\\/q\"}",
       L"https://ink.co/q"},
      {L"short_url: alone", L"{\"short_url\": \"http:\\/\\/tiny.cc\\/z\"}", L"http://tiny.cc/z"},
      {L",url: wins over short_url:", L"{\"short_url\":\"S\",\"url\":\"U\"}", L"U"},
      {L",url: wins over short_url: that comes first in the text", L"{\"a\":1,\"short_url\":\"S\",\"url\":\"U\"}",
       L"U"},
      {L",url: wins over ,link:", L"{\"x\":1,\"link\":\"L\",\"url\":\"U\"}", L"U"},
      {L"nested object keeps its marker", L"{\"data\": {\"x\": 1, \"url\": \"http:\\/\\/bit.ly\\/a\"}}",
       L"http://bit.ly/a"},
      {L"value runs to the end of the text", L"{\"x\":1,\"url\":\"abc\"}", L"abc"},
      {L"value cut at the first comma", L"a,url:b,c,d", L"b"},
      {L"first occurrence of the marker", L"a,url:first,url:second", L"first"},
      {L"empty value", L"{\"x\":1,\"url\":\"\",\"y\":2}", L""},
      {L"empty reply", L"", L""},
      {L"no marker", L"{\"error\": \"INVALID_URI\"}", L""},
      {L"plain text is not JSON", L"http://is.gd/abc", L""},
      {L"backslash before something else stays", L"{\"x\":1,\"url\":\"a\\\\b\\n\"}", L"a\\\\b\\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(cUrlShorten::ParseJsonReply(c.reply), c.expected) << c.name;
}

// ------------------------------------------------------------------ endpoints

TEST(ShortenerEndpoints, PublicHostsUseHttpsWhereOffered) {
  auto e = ShortenerEndpoints::Public();
  EXPECT_EQ(e.Of(ShortenService::Bitly), L"https://api-ssl.bitly.com");
  EXPECT_EQ(e.Of(ShortenService::TinyUrl), L"https://tinyurl.com");
  EXPECT_EQ(e.Of(ShortenService::IsGd), L"https://is.gd");
  EXPECT_FALSE(e.OnLoopback());
}

TEST(ShortenerEndpoints, EnvironmentRedirectsAllSixOrIsIgnoredWhenUnusable) {
  fakes::FakeEnvironment env;
  EXPECT_EQ(ShortenerEndpoints::FromEnvironment(env).Of(ShortenService::IsGd), L"https://is.gd");

  env.Set(kShortenerBaseVariable, L"http://127.0.0.1:8089/");
  auto e = ShortenerEndpoints::FromEnvironment(env);
  for (auto s : {ShortenService::Bitly, ShortenService::TinyUrl, ShortenService::IsGd, ShortenService::InkCo,
                 ShortenService::TinyCC, ShortenService::PoSt})
    EXPECT_EQ(e.Of(s), L"http://127.0.0.1:8089");
  EXPECT_TRUE(e.OnLoopback());

  env.Set(kShortenerBaseVariable, L"http://stand-in.test");
  EXPECT_FALSE(ShortenerEndpoints::FromEnvironment(env).OnLoopback());
  EXPECT_EQ(ShortenerEndpoints::FromEnvironment(env).Of(ShortenService::Bitly), L"http://stand-in.test");

  for (const wchar_t* bad : {L"ftp://127.0.0.1", L"127.0.0.1:80", L"http://", L"http://h/?q", L"   "}) {
    env.Set(kShortenerBaseVariable, bad);
    EXPECT_EQ(ShortenerEndpoints::FromEnvironment(env).Of(ShortenService::IsGd), L"https://is.gd") << bad;
  }
}

// ------------------------------------------------------------------ ShortUrl

struct Shortener : ::testing::Test {
  FakeHttpClient http;
  FakeConnectionCheck connection;
  FakeMessageBoxes boxes;
  FakeEventPump pump;
  cUrlShorten c{http, connection, boxes, pump};
  std::vector<std::wstring> events;  // "E:" + error text or "S:" + short address

  void SetUp() override {
    c.Error = [this](const std::wstring& t) { events.push_back(L"E:" + t); };
    c.sShortUrl = [this](const std::wstring& t) { events.push_back(L"S:" + t); };
  }
  void FillAll() {
    c.ACCESSTOKENbityly = L"BT";
    c.ACCESSTOKENtinycc = L"CK";
    c.USERNAMEtinycc = L"CU";
    c.ACCESSTOKENpost = L"PK";
    c.smodLongUrl = L"http://example.com/p?q=1&r=2";
  }
};

TEST_F(Shortener, BuildsTheSixRequestUrlsByteForByte) {
  FillAll();
  for (int i = 0; i < 6; ++i) http.Answer("{\"x\":1,\"url\":\"u\"}");
  c.ShortUrl(true, true, true, true, true, true);
  const std::wstring e = L"http%3A%2F%2Fexample.com%2Fp%3Fq%3D1%26r%3D2";
  std::vector<std::wstring> expected = {
      L"https://api-ssl.bitly.com/v3/shorten?access_token=BT&longUrl=" + e,
      L"https://tinyurl.com/api-create.php?url=" + e,
      L"https://is.gd/create.php?format=simple&url=" + e,
      L"https://ink.co/api.php?task=quicken&url=" + e,
      L"https://tiny.cc/?c=rest_api&m=shorten&version=2.0.3&format=json&&longUrl=" + e + L"&login=CU&apiKey=CK",
      L"http://po.st/api/shorten?&longUrl=" + e + L"&apiKey=PK",
  };
  EXPECT_EQ(http.Urls(), expected);
  EXPECT_EQ(c.smodLongUrl, e);
  for (const auto& r : http.requests) {
    ASSERT_EQ(r.headers.size(), 1u);
    EXPECT_EQ(r.headers[0].first, L"User-Agent");
    EXPECT_EQ(r.headers[0].second, L"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)");
    EXPECT_EQ(r.timeoutMs, kHttpTimeoutMs);
  }
}

TEST_F(Shortener, TokensAndLoginGoIntoTheQueryUnencoded) {
  FillAll();
  c.ACCESSTOKENbityly = L"a/b&c";
  http.Answer("{}");
  c.ShortUrl(true);
  ASSERT_EQ(http.requests.size(), 1u);
  EXPECT_NE(http.requests[0].url.find(L"access_token=a/b&c&longUrl="), std::wstring::npos);
}

TEST_F(Shortener, AllSixFlagsGiveSixEventsInTableOrderEachFollowedByAPump) {
  FillAll();
  std::vector<int> pumpsAtEvent;
  c.sShortUrl = [&](const std::wstring& t) {
    events.push_back(L"S:" + t);
    pumpsAtEvent.push_back(pump.calls);
  };
  http.waitsPerRequest = 0;
  http.Answer("{\"a\":1,\"url\":\"b1\"}");
  http.Answer("t2\r\n");
  http.Answer("t3");
  http.Answer("{\"a\":1,\"link\":\"i4\"}");
  http.Answer("{\"short_url\":\"c5\"}");
  http.Answer("{\"a\":1,\"url\":\"p6\"}");
  c.ShortUrl(true, true, true, true, true, true);
  EXPECT_EQ(events, (std::vector<std::wstring>{L"S:b1", L"S:t2\r\n", L"S:t3", L"S:i4", L"S:c5", L"S:p6"}));
  EXPECT_EQ(pumpsAtEvent, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(pump.calls, 6);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(Shortener, ReplyIsReadByTheServiceItWasMadeForEvenWhenAllShareOneBase) {
  cUrlShorten local(http, connection, boxes, pump, *ShortenerEndpoints::Redirected(L"http://127.0.0.1:9"));
  local.sShortUrl = [this](const std::wstring& t) { events.push_back(t); };
  local.smodLongUrl = L"x";
  http.Answer("plain\n");  // TinyURL: as received
  http.Answer("{\"a\":1,\"url\":\"j\"}");  // is.gd: plain text too, so the JSON is passed on
  local.ShortUrl(false, true, true);
  EXPECT_EQ(events, (std::vector<std::wstring>{L"plain\n", L"{\"a\":1,\"url\":\"j\"}"}));
  EXPECT_EQ(http.requests[0].url, L"http://127.0.0.1:9/api-create.php?url=x");
}

TEST_F(Shortener, BlankLongUrlRaisesOneErrorAndMakesNoRequest) {
  for (const wchar_t* blank : {L"", L"    "}) {
    events.clear();
    FillAll();
    c.smodLongUrl = blank;
    c.ShortUrl(true, true, true, true, true, true);
    EXPECT_EQ(events, (std::vector<std::wstring>{L"E:cUrlShorten.sShortUrl.variable [sLongUrl] not supplied"}));
  }
  EXPECT_TRUE(http.requests.empty());
  EXPECT_EQ(pump.calls, 0);
}

TEST_F(Shortener, MissingTokenSkipsOnlyItsServiceWithItsOwnError) {
  c.smodLongUrl = L"http://a.b";
  c.ACCESSTOKENbityly = L"  ";
  c.USERNAMEtinycc = L"user only";
  for (int i = 0; i < 3; ++i) http.Answer("{\"a\":1,\"url\":\"ok\"}");
  c.ShortUrl(true, true, true, true, true, true);
  EXPECT_EQ(events, (std::vector<std::wstring>{
                        L"E:cUrlShorten.sShortUrl.access token [ACCESSTOKENbitly] not supplied",
                        L"S:{\"a\":1,\"url\":\"ok\"}",  // TinyURL and is.gd answer in plain text
                        L"S:{\"a\":1,\"url\":\"ok\"}",
                        L"S:ok",
                        L"E:cUrlShorten.sShortUrl.access token [ACCESSTOKENtinycc] not supplied",
                        L"E:cUrlShorten.sShortUrl.access token [ACCESSTOKENpost] not supplied",
                    }));
  ASSERT_EQ(http.requests.size(), 3u);
  EXPECT_EQ(http.requests[0].url.find(L"https://tinyurl.com/"), 0u);
}

TEST_F(Shortener, NoFlagsMeansNoRequestAndNoEvent) {
  FillAll();
  c.ShortUrl();
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(http.requests.empty());
  EXPECT_EQ(c.smodLongUrl, L"http%3A%2F%2Fexample.com%2Fp%3Fq%3D1%26r%3D2");
}

TEST_F(Shortener, FailedRequestsGiveOneEmptyEventEach) {
  FillAll();
  http.Fail(HttpOutcome::Failed);
  http.Fail(HttpOutcome::TimedOut);
  http.Fail(HttpOutcome::Ok, 404, "Not Found");
  http.Fail(HttpOutcome::Ok, 500, "{\"a\":1,\"url\":\"err\"}");
  http.Fail(HttpOutcome::BadUrl);
  http.Answer("");
  c.ShortUrl(true, true, true, true, true, true);
  EXPECT_EQ(events, std::vector<std::wstring>(6, L"S:"));
  EXPECT_EQ(pump.calls, 6 + 6);  // one per wait slice of the fake, one after each event
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(Shortener, PlainTextIsPassedOnAsReceivedIncludingNonAscii) {
  c.smodLongUrl = L"x";
  http.Answer("https://is.gd/\xC3\xA9t\r\n");
  c.ShortUrl(false, false, true);
  EXPECT_EQ(events, (std::vector<std::wstring>{L"S:https://is.gd/\u00e9t\r\n"}));
}

TEST_F(Shortener, OffLineShowsTheBoxAndGivesEmptyTextPerService) {
  connection.connected = false;
  FillAll();
  c.ShortUrl(false, true, true);
  EXPECT_TRUE(http.requests.empty());
  EXPECT_EQ(events, (std::vector<std::wstring>{L"S:", L"S:"}));
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].text, L"Not Connected To Internet");
  EXPECT_EQ(boxes.shown[0].title, L"Not Connected");
  EXPECT_EQ(boxes.shown[0].icon, ui::BoxIcon::Exclamation);
}

TEST_F(Shortener, ConnectionLostDuringTheRequestKeepsTheReplyAndShowsTheBox) {
  connection.answers = {true, false};
  c.smodLongUrl = L"x";
  http.Answer("short");
  c.ShortUrl(false, true);
  EXPECT_EQ(events, (std::vector<std::wstring>{L"S:short"}));
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(connection.asked, 2);
}

TEST_F(Shortener, LoopbackEndpointsDoNotDependOnTheSystemConnectionCheck) {
  connection.connected = false;
  cUrlShorten local(http, connection, boxes, pump, *ShortenerEndpoints::Redirected(L"http://127.0.0.1:8080"));
  local.sShortUrl = [this](const std::wstring& t) { events.push_back(t); };
  local.smodLongUrl = L"x";
  http.Answer("http://is.gd/q");
  local.ShortUrl(false, false, true);
  EXPECT_EQ(events, (std::vector<std::wstring>{L"http://is.gd/q"}));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(connection.asked, 0);
}

TEST_F(Shortener, WaitsByPumpingAndIgnoresACallMadeWhileRunning) {
  c.smodLongUrl = L"x";
  http.waitsPerRequest = 3;
  int nested = 0;
  pump.pending = [&] {
    ++nested;
    EXPECT_TRUE(c.Busy());
    c.smodLongUrl = L"y";
    c.ShortUrl(false, false, true);  // arrives from the window while the first call waits
  };
  http.Answer("a");
  c.ShortUrl(false, false, true);
  EXPECT_EQ(http.requests.size(), 1u);
  EXPECT_EQ(events, (std::vector<std::wstring>{L"S:a"}));
  EXPECT_EQ(nested, 4);  // three wait slices and the pump after the event
  EXPECT_FALSE(c.Busy());
  pump.pending = nullptr;
  http.Answer("b");
  c.ShortUrl(false, false, true);  // usable again afterwards
  EXPECT_EQ(http.requests.size(), 2u);
}

}  // namespace
}  // namespace vexa
