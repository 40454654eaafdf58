// The URL panel through the real program, whose services are the shared
// loopback stand-in: it answers with a short address and a line break.
#include <gtest/gtest.h>

#include "app/form1_layout.h"
#include "platform/text.h"
#include "shortener/win32/url_panel.h"
#include "tests/e2e/driver.h"

namespace vexa::e2e {
namespace {

TEST(Shortener, ServerThreeSendsTheAddressEscapedAndShowsAndLogsTheAnswer) {
  Shared& app = App();
  ASSERT_TRUE(OpenTool(app::oxbutton15, shortener::Tlong));
  const std::wstring longUrl = L"http://example.com/caf\u00e9 menu?q=1&x=(y)";
  ASSERT_TRUE(SetTextOf(app.C(shortener::Tlong), longUrl));
  const std::string log = app.program.Log();
  Click(app.C(shortener::C));
  const std::wstring out = FromUtf8(kShortUrl) + L"\r\n";  // the service's own line break dropped
  ASSERT_TRUE(WaitFor([&] { return TextOf(app.C(shortener::Tout)) == out; }, 15000));
  Screenshot(app.form1, L"url-answer");

  ASSERT_FALSE(app.standIn.Requests().empty());
  const std::string request = app.standIn.Requests().back();
  EXPECT_EQ(request.substr(0, request.find("\r\n")),
            "GET /create.php?format=simple&url=http%3A%2F%2Fexample.com%2Fcaf%C3%A9%20menu%3Fq%3D1%26x%3D%28y%29 "
            "HTTP/1.1");
  EXPECT_NE(request.find("\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"), std::string::npos);
  EXPECT_TRUE(WaitFor([&] {
    return app.program.Log() == log + test::kLogRule + test::ShortDate() + "Long URL :" + ToAnsi(longUrl) +
                                    "To :" + ToAnsi(out) + "\r\n" + test::kLogRule;
  })) << app.program.Log().substr(log.size());
  Click(app.C(shortener::oxbutton16));
}

}  // namespace
}  // namespace vexa::e2e
