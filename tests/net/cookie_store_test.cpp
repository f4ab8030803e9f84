// The process-wide cookie store.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "platform/cookie_store.h"
#include "tests/net/net_fixture.h"

namespace mozhou::nettest {
namespace {

using CookieStoreTest = NetTest;

TEST_F(CookieStoreTest, KeepsCookiesPerHostInFirstStoredOrder) {
  net::CookieStore_Set("a.example", "x", "1; path=/");
  net::CookieStore_Set("a.example", "y", "2");
  net::CookieStore_Set("b.example", "z", "3");
  net::CookieStore_Set("A.Example", "x", "9; path=/");  // same host, replaced in place

  EXPECT_EQ(net::CookieStore_HeaderValue("a.example"), "x=9; y=2");
  EXPECT_EQ(net::CookieStore_HeaderValue("b.example"), "z=3");
  EXPECT_EQ(net::CookieStore_HeaderValue("c.example"), "");

  net::CookieStore_Clear();
  EXPECT_EQ(net::CookieStore_HeaderValue("a.example"), "");
}

TEST_F(CookieStoreTest, SafeAcrossThreads) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < 200; ++i) {
        net::CookieStore_Set("h", "c" + std::to_string(i % 10), std::to_string(t));
        (void)net::CookieStore_HeaderValue("h");
      }
    });
  }
  for (auto& thread : threads) thread.join();
  const std::string value = net::CookieStore_HeaderValue("h");
  EXPECT_TRUE(value.starts_with("c0=")) << value;
  EXPECT_EQ(std::count(value.begin(), value.end(), ';'), 9);
}

}  // namespace
}  // namespace mozhou::nettest
