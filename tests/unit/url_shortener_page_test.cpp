#include "shortener/url_shortener_page.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_http.h"
#include "tests/fakes/fake_system.h"
#include "tests/fakes/fake_ui.h"

namespace vexa {
namespace {

// Remembers the name each append used, which the case-folding fake hides.
class NamingFileSystem : public fakes::FakeFileSystem {
 public:
  bool Append(const Path& path, std::string_view bytes) override {
    appendedTo.push_back(path);
    return FakeFileSystem::Append(path, bytes);
  }
  std::vector<Path> appendedTo;
};

struct Page : ::testing::Test {
  static constexpr wchar_t kFolder[] = L"C:\\Vexa";
  const std::string kSep = "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n";

  fakes::FakeCaption Tlong{L"Url"}, Tout;
  fakes::FakeToggle Option1{0}, Option2{0}, Option3{1};
  fakes::FakeButton C{L"Short URL"};
  fakes::FakeHttpClient http;
  fakes::FakeConnectionCheck connection;
  fakes::FakeMessageBoxes boxes;
  fakes::FakeEventPump pump;
  fakes::FakeClock clock;
  NamingFileSystem files;
  fakes::FakeEnvironment env;
  ActivityLog log{files, clock, kFolder};
  UrlShortenerPage page{{Tlong, Tout, Option1, Option2, Option3, C},
                        {http, connection, boxes, pump, log, files, env}};

  std::string Log() const { return files.Read(std::wstring(kFolder) + L"\\VexaLog.Log"); }
  std::string Block(const std::string& longUrl, const std::string& out) const {
    return kSep + "05/12/2026Long URL :" + longUrl + "To :" + out + "\r\n" + kSep;
  }
};

TEST_F(Page, PlaceholderOrBlankLongUrlDoesNothing) {
  Tout.text = L"kept";
  for (const wchar_t* text : {L"", L"     ", L"  Long URL  ", L"LONG url", L"long url"}) {
    Tlong.text = text;
    page.C_Click();
  }
  EXPECT_TRUE(http.requests.empty());
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(Tout.text, L"kept");
  EXPECT_EQ(Log(), "");
}

TEST_F(Page, ServerThreeShowsTheShortUrlAndLogsOneBlock) {
  Tlong.text = L"http://example.com/a b";
  http.Answer("https://is.gd/Xy1");
  page.C_Click();
  ASSERT_EQ(http.requests.size(), 1u);
  EXPECT_EQ(http.requests[0].url, L"https://is.gd/create.php?format=simple&url=http%3A%2F%2Fexample.com%2Fa b");
  EXPECT_EQ(Tout.text, L"https://is.gd/Xy1\r\n");
  // The "To :" item is Tout's whole text, so the entry ends with an empty line.
  EXPECT_EQ(Log(), Block("http://example.com/a b", "https://is.gd/Xy1\r\n"));
  ASSERT_EQ(files.appendedTo.size(), 1u);
  EXPECT_EQ(files.appendedTo[0], L"C:\\Vexa\\VexaLog.log");
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(Tlong.text, L"http://example.com/a b");  // the box keeps what was typed
}

TEST_F(Page, ServerOneShowsTheMissingTokenErrorAndNothingElse) {
  Option3.value = 0;
  Option1.value = 1;
  Tlong.text = L"http://example.com";
  Tout.text = L"old";
  page.C_Click();
  EXPECT_TRUE(http.requests.empty());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text,
            L"cUrlShorten.sShortUrl.access token [ACCESSTOKENbitly] not supplied Or Connected to server error");
  EXPECT_EQ(boxes.shown[0].title, L"Not Supplies");
  EXPECT_EQ(boxes.shown[0].icon, ui::BoxIcon::Exclamation);
  EXPECT_EQ(Tout.text, L"");
  EXPECT_EQ(Log(), "");
}

TEST_F(Page, CredentialsAreEmptiedBeforeEachClick) {
  Option1.value = 1;
  Option3.value = 0;
  page.cShort.ACCESSTOKENbityly = L"left over";
  page.cShort.ACCESSTOKENpost = L"left over";
  Tlong.text = L"http://a";
  page.C_Click();
  EXPECT_TRUE(http.requests.empty());
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(page.cShort.ACCESSTOKENpost, L"");
}

TEST_F(Page, ServerTwoPassesTheLongUrlAsTypedAndShowsTheReplyAsOneLine) {
  Option3.value = 0;
  Option2.value = 1;
  Tlong.text = L"  http://x.y  ";
  http.Answer("http://tinyurl.com/q\n");
  page.C_Click();
  ASSERT_EQ(http.requests.size(), 1u);
  EXPECT_EQ(http.requests[0].url, L"https://tinyurl.com/api-create.php?url=  http%3A%2F%2Fx.y  ");
  // The service's own line break is not kept: one CR LF-ended line in Tout
  // and no bare LF in the log.
  EXPECT_EQ(Tout.text, L"http://tinyurl.com/q\r\n");
  EXPECT_EQ(Log(), Block("  http://x.y  ", "http://tinyurl.com/q\r\n"));
}

TEST_F(Page, ReplyLineBreaksAreDroppedAndALineBreakAloneCountsAsNoAnswer) {
  Tlong.text = L"http://a";
  http.Answer("s1\r\n\r\n");
  http.Answer("\r\n");
  page.C_Click();
  EXPECT_EQ(Tout.text, L"s1\r\n");
  page.C_Click();
  EXPECT_EQ(Tout.text, L"");
  EXPECT_EQ(Log(), Block("http://a", "s1\r\n") + Block("http://a", ""));
}

TEST_F(Page, EachAcceptedClickStartsTheOutputAfresh) {
  Tlong.text = L"http://a";
  http.Answer("s1");
  http.Answer("s2");
  page.C_Click();
  page.C_Click();
  EXPECT_EQ(Tout.text, L"s2\r\n");
  EXPECT_EQ(Log(), Block("http://a", "s1\r\n") + Block("http://a", "s2\r\n"));
}

TEST_F(Page, NoServiceSelectedKeepsTheOutputAndMakesNoRequest) {
  Option3.value = 0;
  Tlong.text = L"http://a";
  Tout.text = L"old";
  page.C_Click();
  EXPECT_EQ(Tout.text, L"old");
  EXPECT_TRUE(http.requests.empty());
  EXPECT_EQ(Log(), "");
}

TEST_F(Page, FailedOrOffLineRequestLogsABlockWithNoShortUrl) {
  Tlong.text = L"http://a";
  Tout.text = L"old";
  http.Fail(HttpOutcome::TimedOut);
  page.C_Click();
  EXPECT_EQ(Tout.text, L"");
  EXPECT_EQ(Log(), Block("http://a", ""));

  connection.connected = false;
  page.C_Click();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"Not Connected To Internet");
  EXPECT_EQ(Log(), Block("http://a", "") + Block("http://a", ""));
}

TEST_F(Page, SecondClickWhileARequestWaitsStartsNothing) {
  Tlong.text = L"http://a";
  http.waitsPerRequest = 2;
  int clicksDuringWait = 0;
  pump.pending = [&] {
    if (!page.Busy()) return;
    ++clicksDuringWait;
    page.C_Click();
  };
  http.Answer("s1");
  http.Answer("s2");
  page.C_Click();
  EXPECT_EQ(clicksDuringWait, 3);  // two wait slices, one pump after the answer
  EXPECT_EQ(http.requests.size(), 1u);
  EXPECT_EQ(Tout.text, L"s1\r\n");  // the last nested click did not empty it
  EXPECT_EQ(Log(), Block("http://a", "s1\r\n"));
  EXPECT_FALSE(page.Busy());
}

TEST_F(Page, LogEntryTakesTheLongUrlBoxAsItIsWhenTheAnswerArrives) {
  Tlong.text = L"http://a";
  http.respond = [&](const HttpRequest&) {
    page.Tlong_DblClick();  // the user double-clicks the box while waiting
    return HttpReply{HttpOutcome::Ok, 200, "s", false};
  };
  page.C_Click();
  EXPECT_EQ(Log(), Block("http://", "s\r\n"));
}

TEST_F(Page, UnwritableLogLosesTheBlockButNotTheOutput) {
  files.DenyWrites(L"C:\\Vexa\\VexaLog.log");
  Tlong.text = L"http://a";
  http.Answer("s");
  page.C_Click();
  EXPECT_EQ(Tout.text, L"s\r\n");
  EXPECT_EQ(Log(), "");
}

TEST_F(Page, DoubleClickReplacesTheLongUrlWithTheScheme) {
  Tlong.text = L"anything at all";
  page.Tlong_DblClick();
  EXPECT_EQ(Tlong.text, L"http://");
}

TEST_F(Page, BlankShortUrlEventLeavesTheOutputAlone) {
  Tout.text = L"a\r\n";
  page.cShort_sShortUrl(L"   ");
  EXPECT_EQ(Tout.text, L"a\r\n");
  page.cShort_sShortUrl(L"b");
  EXPECT_EQ(Tout.text, L"a\r\nb\r\n");
  EXPECT_EQ(Log(), Block("Url", "a\r\n") + Block("Url", "a\r\nb\r\n"));
}

TEST_F(Page, BaseAddressFromTheEnvironmentTakesTheRequestsOffLineChecksAndAll) {
  env.Set(kShortenerBaseVariable, L"http://127.0.0.1:8123");
  UrlShortenerPage local({Tlong, Tout, Option1, Option2, Option3, C}, {http, connection, boxes, pump, log, files, env});
  connection.connected = false;  // no default route: loopback still works
  Tlong.text = L"http://a";
  http.Answer("s");
  local.C_Click();
  ASSERT_EQ(http.requests.size(), 1u);
  EXPECT_EQ(http.requests[0].url, L"http://127.0.0.1:8123/create.php?format=simple&url=http%3A%2F%2Fa");
  EXPECT_EQ(Tout.text, L"s\r\n");
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
}  // namespace vexa
