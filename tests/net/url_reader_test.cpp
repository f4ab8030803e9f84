// The plain URL reader.
#include <gtest/gtest.h>

#include "platform/url_reader.h"
#include "tests/net/net_fixture.h"

namespace mozhou::nettest {
namespace {

TEST(UrlReader, ReadsHttpAddressesFollowingRedirects) {
  LoopbackServer server;
  const std::string picture("\x89PNG\0\x01", 6);
  server.ServeBytes("/cover.png", picture, "image/png");
  server.ServeRedirect("/old.png", "/cover.png");
  server.Get("/gone", [](const httplib::Request&, httplib::Response& res) {
    res.status = 404;
    res.set_content("missing", "text/plain");
  });

  EXPECT_EQ(net::Url_Read(server.Base() + "/cover.png"), picture);
  EXPECT_EQ(net::Url_Read("HTTP://127.0.0.1:" + std::to_string(server.port()) + "/old.png"), picture);
  EXPECT_EQ(net::Url_Read(server.Base() + "/gone"), "missing");  // the status is not looked at
}

TEST(UrlReader, FailuresGiveEmptyBytes) {
  LoopbackServer server;
  server.ServeBytes("/big", std::string(5000, 'b'));
  server.ServeNever("/never");
  server.ServeRedirect("/loop", "/loop");
  server.ServeRedirect("/to-file", "file:///etc/passwd");
  const std::string authority = "127.0.0.1:" + std::to_string(server.port());

  EXPECT_EQ(net::Url_Read("file:///etc/passwd"), "");
  EXPECT_EQ(net::Url_Read("ftp://" + authority + "/"), "");
  EXPECT_EQ(net::Url_Read(authority + "/big"), "");  // no scheme
  EXPECT_EQ(net::Url_Read(server.Base() + "/big", net::kUrlReadTimeout, 4999), "");
  EXPECT_EQ(net::Url_Read(server.Base() + "/big", net::kUrlReadTimeout, 5000), std::string(5000, 'b'));
  EXPECT_EQ(net::Url_Read(server.Base() + "/loop"), "");
  EXPECT_EQ(net::Url_Read(server.Base() + "/to-file"), "");

  const auto start = Clock::now();
  EXPECT_EQ(net::Url_Read(server.Base() + "/never", std::chrono::milliseconds(300)), "");
  EXPECT_LT(SecondsSince(start), 5.0);
}

}  // namespace
}  // namespace mozhou::nettest
