// What the network tests share: a fetch that collects every answer, the default header
// lines of a request, and a clean cookie store per test.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/cookie_store.h"
#include "tests/support/http_fixture.h"
#include "toolkit/web_fetch.h"

namespace mozhou::nettest {

using mozhou::testing::LoopbackServer;
using mozhou::testing::RecordedRequest;
using Clock = std::chrono::steady_clock;

inline constexpr const char* kDefaultAgent =
    "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1; .NET CLR 2.0.50727; "
    ".NET CLR 3.0.04506.648; .NET CLR 3.5.21022)";
inline constexpr const char* kAcceptValue =
    "image/gif, image/bmp, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*";

struct Fetched {
  std::string body;
  std::string headers;
  std::string cookies;
  std::string address;  // the caller's address text afterwards
};

// Web_Fetch with both out arguments given.
inline Fetched FetchAll(std::string address, FetchOptions options = {}) {
  Fetched fetched;
  options.response_headers = &fetched.headers;
  options.received_cookies = &fetched.cookies;
  fetched.body = Web_Fetch(address, options);
  fetched.address = address;
  return fetched;
}

// The header lines every request carries after the request line, for `address`.
inline std::vector<std::string> DefaultLines(const LoopbackServer& server, const std::string& address) {
  return {"Host: 127.0.0.1:" + std::to_string(server.port()), std::string("User-Agent: ") + kDefaultAgent,
          std::string("Accept: ") + kAcceptValue, "Referer: " + address, "Accept-Language: zh-cn"};
}

inline double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

class NetTest : public ::testing::Test {
 protected:
  void SetUp() override { net::CookieStore_Clear(); }
  void TearDown() override { net::CookieStore_Clear(); }
};

}  // namespace mozhou::nettest
