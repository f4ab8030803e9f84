// Process end: clean-ups in reverse order, once; running fetches cancelled so that
// ending the process while an exchange runs neither crashes nor hangs.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/http_session.h"
#include "platform/process.h"
#include "tests/net/net_fixture.h"

namespace mozhou::nettest {
namespace {

TEST(ProcessEnd, CleanupsRunInReverseOrderOnce) {
  std::string order;
  process::RegisterCleanup([&] { order += "1"; });
  const auto dropped = process::RegisterCleanup([&] { order += "x"; });
  process::RegisterCleanup([&] { throw std::runtime_error("a failing clean-up does not stop the rest"); });
  process::RegisterCleanup([&] { order += "3"; });
  process::UnregisterCleanup(dropped);

  process::RunCleanups();
  process::RunCleanups();
  EXPECT_EQ(order, "31");
}

// Starts a fetch that the server never answers, on a thread of its own, and returns once
// the request is held.
void StartHeldFetch(LoopbackServer& server) {
  server.ServeNever("/never");
  std::thread([address = server.Base() + "/never"]() mutable { Web_Fetch(address); }).detach();
  while (server.Held() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

[[noreturn]] void EndWhileFetching() {
  auto* server = new LoopbackServer;  // outlives the call: the process ends inside it
  StartHeldFetch(*server);
  process::RegisterCleanup([] { std::fputs("clean-up ran\n", stderr); });
  process::End(4);
}

[[noreturn]] void ExitWhileFetching() {
  auto* server = new LoopbackServer;
  StartHeldFetch(*server);
  process::RegisterCleanup([] { std::fputs("clean-up ran at exit\n", stderr); });
  std::exit(3);
}

TEST(ProcessEndDeathTest, EndingWhileAnExchangeRunsNeitherCrashesNorHangs) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const auto start = Clock::now();
  EXPECT_EXIT(EndWhileFetching(), ::testing::ExitedWithCode(4), "clean-up ran");
  EXPECT_EXIT(ExitWhileFetching(), ::testing::ExitedWithCode(3), "clean-up ran at exit");
  EXPECT_LT(SecondsSince(start), 60.0);
}

}  // namespace
}  // namespace mozhou::nettest
