#include "platform/http_url.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

TEST(SplitHttpUrl, ReadsSchemeHostPortAndPath) {
  struct Case {
    const wchar_t* url;
    bool secure;
    const wchar_t* host;
    unsigned port;
    const wchar_t* path;
  };
  const Case cases[] = {
      {L"http://127.0.0.1:8080/create.php?format=simple&url=x", false, L"127.0.0.1", 8080,
       L"/create.php?format=simple&url=x"},
      {L"HTTPS://Is.GD/create.php", true, L"is.gd", 443, L"/create.php"},
      {L"http://po.st", false, L"po.st", 80, L"/"},
      {L"http://h?c=1", false, L"h", 80, L"/?c=1"},
      {L"https://tiny.cc/?c=rest_api&format=json&&longUrl=a", true, L"tiny.cc", 443,
       L"/?c=rest_api&format=json&&longUrl=a"},
      {L"http://[::1]:81/x#frag", false, L"::1", 81, L"/x"},
      {L"http://h:65535/", false, L"h", 65535, L"/"},
  };
  for (const Case& c : cases) {
    auto parts = SplitHttpUrl(c.url);
    ASSERT_TRUE(parts) << c.url;
    EXPECT_EQ(parts->secure, c.secure) << c.url;
    EXPECT_EQ(parts->host, c.host) << c.url;
    EXPECT_EQ(parts->port, c.port) << c.url;
    EXPECT_EQ(parts->pathAndQuery, c.path) << c.url;
  }
}

TEST(SplitHttpUrl, RefusesWhatIsNotAnHttpAddress) {
  for (const wchar_t* bad : {L"", L"ftp://h/", L"http://", L"http:///x", L"http://h:0/", L"http://h:65536/",
                             L"http://h:/", L"http://h:8x/", L"http://user@h/", L"http://h h/", L"http://[::1/",
                             L"http://[::1]x/", L"127.0.0.1:80", L"http://h:1234567/"})
    EXPECT_FALSE(SplitHttpUrl(bad)) << bad;
}

TEST(EscapeForRequestLine, EscapesOnlyWhatARequestLineCannotHold) {
  EXPECT_EQ(EscapeForRequestLine(L"/a b?c=%20&d=\u00e9"), L"/a%20b?c=%20&d=%C3%A9");
  EXPECT_EQ(EscapeForRequestLine(L"\t\r\n\"<>\\^`{|}\x7f"), L"%09%0D%0A%22%3C%3E%5C%5E%60%7B%7C%7D%7F");
  EXPECT_EQ(EscapeForRequestLine(L"/?&&=!$'()*+,;:@[]~-._%"), L"/?&&=!$'()*+,;:@[]~-._%");
  EXPECT_EQ(EscapeForRequestLine(L"\U0001F600"), L"%F0%9F%98%80");
}

TEST(HttpUrl, LoopbackHostsOnly) {
  EXPECT_TRUE(IsLoopbackUrl(L"http://127.0.0.1:5000"));
  EXPECT_TRUE(IsLoopbackUrl(L"HTTP://LOCALHOST/x"));
  EXPECT_TRUE(IsLoopbackUrl(L"https://127.1.2.3"));
  EXPECT_TRUE(IsLoopbackUrl(L"http://[::1]:80"));
  EXPECT_FALSE(IsLoopbackUrl(L"http://127.0.0.1.evil.example"));
  EXPECT_FALSE(IsLoopbackUrl(L"http://127.example.com"));
  EXPECT_FALSE(IsLoopbackUrl(L"http://localhost.example.com"));
  EXPECT_FALSE(IsLoopbackUrl(L"http://10.0.0.1"));
  EXPECT_FALSE(IsLoopbackUrl(L"http://127.0.0.1@evil.example"));
  EXPECT_FALSE(IsLoopbackUrl(L"127.0.0.1"));
}

}  // namespace
}  // namespace vexa
