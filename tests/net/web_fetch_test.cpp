// Web_Fetch: address normalisation, the optional arguments, result forms, and waiting
// with a time-out on the GUI thread (the test main's thread) and on other threads.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <QTimer>
#include <fstream>
#include <thread>

#include "platform/codepage.h"
#include "platform/http_session.h"
#include "tests/net/net_fixture.h"

namespace mozhou::nettest {
namespace {

using WebFetchTest = NetTest;

const std::string kUntouched = "untouched";

std::string TimeoutBytes() { return codepage::Utf8_ToGbk(kFetchTimeoutMessage); }

// Waits (generously) until every worker has ended by itself.
bool WorkersEnd() {
  const auto start = Clock::now();
  while (net::Transfers_Running() != 0) {
    if (SecondsSince(start) > 10.0) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

TEST_F(WebFetchTest, TimeoutMessageIsTheQuotedTextInGbk) {
  EXPECT_EQ(codepage::Gbk_ToUtf8(TimeoutBytes()), kFetchTimeoutMessage);
}

TEST_F(WebFetchTest, BlankAddressReturnsAtOnceAndWritesNothing) {
  std::string headers = kUntouched;
  std::string cookies = kUntouched;
  FetchOptions options;
  options.response_headers = &headers;
  options.received_cookies = &cookies;
  for (std::string address : {"", "   ", " \t "}) {
    EXPECT_EQ(Web_Fetch(address, options), "");
  }
  EXPECT_EQ(headers, kUntouched);
  EXPECT_EQ(cookies, kUntouched);
  EXPECT_EQ(net::Transfers_Running(), 0);
}

TEST_F(WebFetchTest, AddressNormalisation) {
  LoopbackServer server;
  server.ServeBytes("/a", "A");
  const std::string authority = "127.0.0.1:" + std::to_string(server.port());
  const std::string full = "http://" + authority + "/a";
  const std::string capitals = "HTTP://" + authority + "/a";
  struct Case {
    std::string given;
    std::string afterwards;  // the caller's text after the call
    std::string used;        // the address the request names (its Referer line)
  };
  const Case cases[] = {
      {authority + "/a", full, full},
      {" " + authority + "/a ", full, full},          // blanks trimmed before the prefix
      {capitals, capitals, capitals},                // no second prefix
      {"  " + full + "  ", "  " + full + "  ", full},  // trimmed for use, the text itself kept
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.given);
    server.ClearRequests();
    const Fetched fetched = FetchAll(c.given);
    EXPECT_EQ(fetched.body, "A");
    EXPECT_EQ(fetched.address, c.afterwards);
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].Header("Referer"), c.used);
  }
}

TEST_F(WebFetchTest, OutArgumentsAreWrittenOnlyWhenGiven) {
  LoopbackServer server;
  server.Get("/c", [](const httplib::Request&, httplib::Response& res) {
    res.set_header("Set-Cookie", "k=v; path=/");
    res.set_content("c", "text/html");
  });
  std::string address = server.Base() + "/c";

  EXPECT_EQ(Web_Fetch(address), "c");  // neither given

  std::string headers;
  FetchOptions only_headers;
  only_headers.response_headers = &headers;
  EXPECT_EQ(Web_Fetch(address, only_headers), "c");
  EXPECT_NE(headers.find("Set-Cookie: k=v; path=/\r\n"), std::string::npos);

  std::string cookies;
  FetchOptions only_cookies;
  only_cookies.received_cookies = &cookies;
  EXPECT_EQ(Web_Fetch(address, only_cookies), "c");
  EXPECT_EQ(cookies, "k=v;");
}

TEST_F(WebFetchTest, ResultForms) {
  LoopbackServer server;
  const std::string utf8_page = "中文\xF0\x9F\x98\x80尾";      // the emoji has no GBK form
  const std::string big5_page = "\xB0\xEA\xA1\x5A\xBB\x79";   // 國╴語 in Big5; ╴ has no GBK form
  const std::string raw_page("<p>\0</p>", 8);
  server.ServeBytes("/utf8", utf8_page, "text/html; charset=utf-8");
  server.ServeBytes("/big5", big5_page, "text/html; charset=big5");
  server.ServeBytes("/raw", raw_page);

  struct Case {
    const char* path;
    std::optional<int> form;
    std::string expected;
  };
  const Case cases[] = {
      {"/raw", std::nullopt, raw_page},
      {"/raw", 0, raw_page},
      {"/raw", 7, raw_page},
      {"/utf8", 0, utf8_page},
      {"/utf8", 1, codepage::Utf8_ToGbk(utf8_page)},
      {"/big5", 2, codepage::Utf8_ToGbk("国╴语")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.path) + " form " + (c.form ? std::to_string(*c.form) : "omitted"));
    FetchOptions options;
    options.result_form = c.form;
    EXPECT_EQ(FetchAll(server.Base() + c.path, options).body, c.expected);
  }

  // What GBK lacks becomes a substitute; the text goes on after it.
  FetchOptions form1;
  form1.result_form = 1;
  const std::string gbk = FetchAll(server.Base() + "/utf8", form1).body;
  EXPECT_TRUE(gbk.starts_with("\xD6\xD0\xCE\xC4")) << "中文";
  EXPECT_TRUE(gbk.ends_with(codepage::Utf8_ToGbk("尾")));
  FetchOptions form2;
  form2.result_form = 2;
  const std::string simplified = FetchAll(server.Base() + "/big5", form2).body;
  EXPECT_TRUE(simplified.starts_with("\xB9\xFA")) << "国";
  EXPECT_TRUE(simplified.ends_with("\xD3\xEF")) << "语, not cut short";
}

TEST_F(WebFetchTest, GivenTimeoutOfZeroTimesOutAtTheFirstPass) {
  LoopbackServer server;
  server.ServeBytes("/fast", "fast");
  std::string headers = kUntouched;
  FetchOptions options;
  options.timeout_seconds = 0;
  options.response_headers = &headers;
  std::string address = server.Base() + "/fast";

  EXPECT_EQ(Web_Fetch(address, options), TimeoutBytes());
  EXPECT_EQ(headers, kUntouched);
  EXPECT_TRUE(WorkersEnd());
}

TEST_F(WebFetchTest, TimedOutWorkerIsCancelledAndItsAnswerDropped) {
  LoopbackServer server;
  server.ServeNever("/never");
  server.ServeSlow("/late", "late", std::chrono::milliseconds(1500));
  for (const char* path : {"/never", "/late"}) {
    SCOPED_TRACE(path);
    std::string headers = kUntouched;
    std::string cookies = kUntouched;
    FetchOptions options;
    options.timeout_seconds = 1;
    options.result_form = 1;  // the message comes back as it is, whatever the form
    options.response_headers = &headers;
    options.received_cookies = &cookies;
    std::string address = server.Base() + path;

    const auto start = Clock::now();
    EXPECT_EQ(Web_Fetch(address, options), TimeoutBytes());
    const double elapsed = SecondsSince(start);
    EXPECT_GE(elapsed, 1.0);
    EXPECT_LT(elapsed, 5.0);

    // The worker ends by itself although the server never answers, and never writes
    // the caller's out arguments.
    EXPECT_TRUE(WorkersEnd());
    EXPECT_EQ(headers, kUntouched);
    EXPECT_EQ(cookies, kUntouched);
  }
}

// One window event just before the time-out: a pass that began then waits only for
// what is left, not for a whole time-out again.
TEST_F(WebFetchTest, APassWaitsOnlyForTheTimeThatIsLeft) {
  LoopbackServer server;
  server.ServeNever("/never");
  bool event_ran = false;
  QTimer::singleShot(800, [&] { event_ran = true; });
  FetchOptions options;
  options.timeout_seconds = 1;
  std::string address = server.Base() + "/never";

  const auto start = Clock::now();
  EXPECT_EQ(Web_Fetch(address, options), TimeoutBytes());
  const double elapsed = SecondsSince(start);

  EXPECT_TRUE(event_ran);
  EXPECT_GE(elapsed, 1.0);
  EXPECT_LT(elapsed, 1.7);
  EXPECT_TRUE(WorkersEnd());
}

TEST_F(WebFetchTest, EventsRunDuringTheWaitAndNestedFetchesComplete) {
  LoopbackServer server;
  server.ServeSlow("/outer", "outer", std::chrono::milliseconds(300));
  server.ServeBytes("/inner", "inner");
  std::string inner_body;
  bool inner_done_before_outer = false;
  bool outer_returned = false;
  QTimer::singleShot(20, [&] {
    std::string address = server.Base() + "/inner";
    inner_body = Web_Fetch(address);
    inner_done_before_outer = !outer_returned;
  });

  std::string address = server.Base() + "/outer";
  EXPECT_EQ(Web_Fetch(address), "outer");
  outer_returned = true;
  EXPECT_EQ(inner_body, "inner");
  EXPECT_TRUE(inner_done_before_outer);
}

TEST_F(WebFetchTest, OuterTimesOutWhileANestedFetchRuns) {
  LoopbackServer server;
  server.ServeSlow("/outer", "outer", std::chrono::milliseconds(100));
  server.ServeSlow("/inner", "inner", std::chrono::milliseconds(1500));
  std::string inner_body;
  QTimer::singleShot(10, [&] {
    std::string address = server.Base() + "/inner";
    inner_body = Web_Fetch(address);
  });
  FetchOptions options;
  options.timeout_seconds = 1;
  std::string address = server.Base() + "/outer";

  // Its own worker ended in time, but the call resumed only after the time-out.
  EXPECT_EQ(Web_Fetch(address, options), TimeoutBytes());
  EXPECT_EQ(inner_body, "inner");
}

TEST_F(WebFetchTest, OffTheGuiThreadThePlainWaitServes) {
  LoopbackServer server;
  server.ServeBytes("/p", "p");
  server.ServeNever("/never");
  std::string body;
  std::string timed_out;
  double timeout_elapsed = 0;
  std::thread caller([&] {
    std::string address = server.Base() + "/p";
    body = Web_Fetch(address);
    FetchOptions options;
    options.timeout_seconds = 1;
    std::string never = server.Base() + "/never";
    const auto start = Clock::now();
    timed_out = Web_Fetch(never, options);
    timeout_elapsed = SecondsSince(start);
  });
  caller.join();
  EXPECT_EQ(body, "p");
  EXPECT_EQ(timed_out, TimeoutBytes());
  EXPECT_GE(timeout_elapsed, 1.0);
  EXPECT_LT(timeout_elapsed, 5.0);
  EXPECT_TRUE(WorkersEnd());
}

TEST_F(WebFetchTest, ConcurrentFetchesFromManyThreads) {
  LoopbackServer server;
  server.Get(R"(/n/(\d+))", [](const httplib::Request& req, httplib::Response& res) {
    res.set_header("Set-Cookie", "n" + std::string(req.matches[1]) + "=1");
    res.set_content("page " + std::string(req.matches[1]), "text/plain");
  });
  constexpr int kThreads = 6;
  std::vector<std::string> bodies(kThreads);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] {
      std::string address = server.Base() + "/n/" + std::to_string(i);
      bodies[i] = Web_Fetch(address);
    });
  }
  for (auto& t : threads) t.join();
  for (int i = 0; i < kThreads; ++i) EXPECT_EQ(bodies[i], "page " + std::to_string(i));
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
bool ThreadCanStart() {
  try {
    std::thread([] {}).join();
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

// With the address space held to what the process uses, std::thread cannot map a stack
// for the worker. Exits 0 when the call gave an empty body without waiting out its time
// (a started worker would wait for a server that never answers).
[[noreturn]] void FetchWithoutRoomForAThread() {
  auto* server = new LoopbackServer;  // left to the process's end, as the child _Exits
  server->ServeNever("/never");
  std::ifstream statm("/proc/self/statm");
  unsigned long pages = 0;
  statm >> pages;
  const rlim_t room = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (2u << 20);
  const rlimit limit{room, room};
  setrlimit(RLIMIT_AS, &limit);
  if (ThreadCanStart()) std::_Exit(2);
  std::string address = server->Base() + "/never";
  FetchOptions options;
  options.timeout_seconds = 30;
  const auto start = Clock::now();
  const std::string body = Web_Fetch(address, options);
  std::_Exit(body.empty() && SecondsSince(start) < 10.0 ? 0 : 1);
}

TEST(WebFetchDeathTest, WorkerThatCannotStartGivesAnEmptyBodyAtOnce) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(FetchWithoutRoomForAThread(), ::testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
}  // namespace mozhou::nettest
