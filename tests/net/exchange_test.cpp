// Http_Exchange on the wire: the request as a loopback server sees it, the answer fields,
// cookies, redirects, proxies and failures.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "platform/cookie_store.h"
#include "tests/net/net_fixture.h"
#include "toolkit/fetch_record.h"
#include "toolkit/http_exchange.h"

namespace mozhou::nettest {
namespace {

using ExchangeTest = NetTest;

const std::string kBlankHeaders(kRawHeaderLimit, ' ');

RecordedRequest OnlyRequest(const LoopbackServer& server) {
  const auto requests = server.Requests();
  EXPECT_EQ(requests.size(), 1u);
  return requests.empty() ? RecordedRequest{} : requests.front();
}

std::vector<std::string> Plus(std::vector<std::string> lines, std::initializer_list<std::string> more) {
  lines.insert(lines.end(), more);
  return lines;
}

TEST_F(ExchangeTest, GetSendsHostAgentAndTheComposedLinesOnly) {
  LoopbackServer server;
  server.ServeBytes("/list_2.html", "page");
  const std::string address = server.Base() + "/list_2.html?x=1";

  EXPECT_EQ(FetchAll(address).body, "page");

  const RecordedRequest request = OnlyRequest(server);
  EXPECT_EQ(request.request_line, "GET /list_2.html?x=1 HTTP/1.1");
  EXPECT_EQ(request.header_lines, DefaultLines(server, address));
}

TEST_F(ExchangeTest, PostSendsTypeLengthCookieAndData) {
  LoopbackServer server;
  server.Post("/form", [](const httplib::Request& req, httplib::Response& res) {
    res.set_content("got " + req.body, "text/plain");
  });
  const std::string address = server.Base() + "/form";
  FetchOptions options;
  options.method = 1;
  options.data = "a=1&b=2";
  options.cookies = "c=3";

  EXPECT_EQ(FetchAll(address, options).body, "got a=1&b=2");

  const RecordedRequest request = OnlyRequest(server);
  EXPECT_EQ(request.request_line, "POST /form HTTP/1.1");
  EXPECT_EQ(request.header_lines,
            Plus(DefaultLines(server, address), {"Content-Type: application/x-www-form-urlencoded",
                                                 "Content-Length: 7", "Cookie: c=3"}));
  EXPECT_EQ(request.body, "a=1&b=2");
}

// The composition adds no body lines; the transport's own length line is all there is.
TEST_F(ExchangeTest, PostWithoutDataCarriesOnlyALengthOfZero) {
  LoopbackServer server;
  server.Post("/form", [](const httplib::Request&, httplib::Response& res) { res.set_content("ok", "text/plain"); });
  const std::string address = server.Base() + "/form";
  FetchOptions options;
  options.method = 1;

  EXPECT_EQ(FetchAll(address, options).body, "ok");
  const RecordedRequest request = OnlyRequest(server);
  EXPECT_EQ(request.request_line, "POST /form HTTP/1.1");
  EXPECT_EQ(request.header_lines, Plus(DefaultLines(server, address), {"Content-Length: 0"}));
}

TEST_F(ExchangeTest, CallerLinesShapeTheRequest) {
  struct Case {
    const char* name;
    std::string headers;
    std::string cookies;
    std::vector<std::string> after_host;  // the lines after Host, in order
  };
  LoopbackServer server;
  server.ServeBytes("/p", "p");
  const std::string address = server.Base() + "/p";
  const std::string accept = std::string("Accept: ") + kAcceptValue;
  const std::string referer = "Referer: " + address;
  const Case cases[] = {
      {"own agent, still sent", "User-Agent: X\r\n", "",
       {"User-Agent: X", "User-Agent: X", accept, referer, "Accept-Language: zh-cn"}},
      {"own Referer", "Referer: http://elsewhere/\r\n", "",
       {std::string("User-Agent: ") + kDefaultAgent, "Referer: http://elsewhere/", accept,
        "Accept-Language: zh-cn"}},
      {"RefererNo", "X-Tag: RefererNo\r\n", "",
       {std::string("User-Agent: ") + kDefaultAgent, "X-Tag:", accept, "Accept-Language: zh-cn"}},
      {"Accept-Language only", "Accept-Language: en\r\n", "",
       {std::string("User-Agent: ") + kDefaultAgent, "Accept-Language: en", referer}},
      {"cookie of one blank", "", " ",
       {std::string("User-Agent: ") + kDefaultAgent, accept, referer, "Accept-Language: zh-cn", "Cookie:"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    server.ClearRequests();
    FetchOptions options;
    options.headers = c.headers;
    options.cookies = c.cookies;
    EXPECT_EQ(FetchAll(address, options).body, "p");
    const RecordedRequest request = OnlyRequest(server);
    std::vector<std::string> expected = {"Host: 127.0.0.1:" + std::to_string(server.port())};
    expected.insert(expected.end(), c.after_host.begin(), c.after_host.end());
    EXPECT_EQ(request.header_lines, expected);
  }
}

TEST_F(ExchangeTest, AnswerHoldsTheRawHeadersOfTheResponse) {
  LoopbackServer server;
  server.Get("/missing", [](const httplib::Request&, httplib::Response& res) {
    res.status = 404;
    res.set_header("X-Thing", "1");
    res.set_content("no such page", "text/html");
  });

  const Fetched fetched = FetchAll(server.Base() + "/missing");

  // An error page comes back like any other.
  EXPECT_EQ(fetched.body, "no such page");
  EXPECT_TRUE(fetched.headers.starts_with("HTTP/1.1 404 Not Found\r\n")) << fetched.headers;
  EXPECT_NE(fetched.headers.find("\r\nX-Thing: 1\r\n"), std::string::npos);
  EXPECT_TRUE(fetched.headers.ends_with("\r\n\r\n"));
  EXPECT_EQ(fetched.cookies, "");
}

TEST_F(ExchangeTest, HeadersOf2048BytesOrMoreBecomeBlanks) {
  LoopbackServer server;
  server.Get("/pad", [](const httplib::Request& req, httplib::Response& res) {
    res.set_header("Set-Cookie", "a=1; path=/");
    res.set_header("X-Pad", std::string(std::stoul(req.get_param_value("n")), 'p'));
    res.set_content("body", "text/html");
  });
  auto fetch_with_pad = [&](std::size_t n) { return FetchAll(server.Base() + "/pad?n=" + std::to_string(n)); };

  const std::size_t base_length = fetch_with_pad(1).headers.size() - 1;  // without the pad
  ASSERT_LT(base_length, 2000u);

  const Fetched just_under = fetch_with_pad(kRawHeaderLimit - 1 - base_length);
  EXPECT_EQ(just_under.headers.size(), kRawHeaderLimit - 1);
  EXPECT_EQ(just_under.cookies, "a=1;");

  const Fetched at_limit = fetch_with_pad(kRawHeaderLimit - base_length);
  EXPECT_EQ(at_limit.headers, kBlankHeaders);
  EXPECT_EQ(at_limit.cookies, "");
  EXPECT_EQ(at_limit.body, "body");
}

TEST_F(ExchangeTest, ReceivedCookiesAreCollectedAndStoredForTheHost) {
  LoopbackServer server;
  server.Get("/login", [](const httplib::Request&, httplib::Response& res) {
    res.set_header("Set-Cookie", "a=1; path=/");
    res.set_header("Set-Cookie", "b=2; path=/");
    res.set_header("Set-Cookie", "sid=9");  // no ";": the whole value counts
    res.set_content("in", "text/html");
  });
  server.ServeBytes("/next", "next");

  const Fetched login = FetchAll(server.Base() + "/login");
  EXPECT_EQ(login.cookies, "a=1;b=2;sid=9;");
  EXPECT_EQ(net::CookieStore_HeaderValue("127.0.0.1"), "a=1; b=2; sid=9");

  // A later request to the host sends them, after the composed lines.
  const std::string next = server.Base() + "/next";
  server.ClearRequests();
  FetchAll(next);
  EXPECT_EQ(OnlyRequest(server).header_lines,
            Plus(DefaultLines(server, next), {"Cookie: a=1; b=2; sid=9"}));
}

TEST_F(ExchangeTest, CallerCookiesReplaceTheStoredOnes) {
  LoopbackServer server;
  server.Get("/p", [](const httplib::Request&, httplib::Response& res) {
    res.set_header("Set-Cookie", "fresh=1; path=/");
    res.set_content("p", "text/html");
  });
  net::CookieStore_Set("127.0.0.1", "old", "0; path=/");
  const std::string address = server.Base() + "/p";
  FetchOptions options;
  options.cookies = "mine=5";

  const Fetched fetched = FetchAll(address, options);

  EXPECT_EQ(OnlyRequest(server).header_lines, Plus(DefaultLines(server, address), {"Cookie: mine=5"}));
  // The response's cookies are still taken and stored.
  EXPECT_EQ(fetched.cookies, "fresh=1;");
  EXPECT_EQ(net::CookieStore_HeaderValue("127.0.0.1"), "old=0; fresh=1");
}

TEST_F(ExchangeTest, RedirectsAreFollowedUnlessForbidden) {
  LoopbackServer server;
  server.Get("/start", [&](const httplib::Request&, httplib::Response& res) {
    res.status = 302;
    res.set_header("Location", "/middle");
    res.set_header("Set-Cookie", "hop=1; path=/");
    res.set_content("moved", "text/html");
  });
  server.ServeRedirect("/middle", server.Base() + "/end", 301);
  server.ServeBytes("/end", "arrived");

  const Fetched followed = FetchAll(server.Base() + "/start");
  EXPECT_EQ(followed.body, "arrived");
  EXPECT_TRUE(followed.headers.starts_with("HTTP/1.1 200 OK\r\n")) << followed.headers;
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[2].request_line, "GET /end HTTP/1.1");
  // The cookie set on the way is kept and sent on the next hops.
  EXPECT_EQ(requests[2].Header("Cookie"), "hop=1");

  net::CookieStore_Clear();
  server.ClearRequests();
  FetchOptions options;
  options.follow_redirects = false;
  const Fetched held = FetchAll(server.Base() + "/start", options);
  EXPECT_EQ(held.body, "moved");
  EXPECT_TRUE(held.headers.starts_with("HTTP/1.1 302 Found\r\n")) << held.headers;
  EXPECT_NE(held.headers.find("\r\nLocation: /middle\r\n"), std::string::npos);
  EXPECT_EQ(held.cookies, "hop=1;");
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(ExchangeTest, CallerCookiesGoToEveryHopButNoStoredOnes) {
  LoopbackServer server;
  server.Get("/start", [](const httplib::Request&, httplib::Response& res) {
    res.status = 302;
    res.set_header("Location", "/end");
    res.set_header("Set-Cookie", "hop=1");
  });
  server.ServeBytes("/end", "end");
  FetchOptions options;
  options.cookies = "mine=5";

  EXPECT_EQ(FetchAll(server.Base() + "/start", options).body, "end");

  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].HeaderCount("Cookie"), 1);
  EXPECT_EQ(requests[1].Header("Cookie"), "mine=5");
}

TEST_F(ExchangeTest, RedirectChainsAreBounded) {
  LoopbackServer server;
  server.Get(R"(/hop/(\d+))", [&](const httplib::Request& req, httplib::Response& res) {
    const int n = std::stoi(req.matches[1]);
    if (n == 0) {
      res.set_content("landed", "text/html");
      return;
    }
    res.status = 302;
    res.set_header("Location", "/hop/" + std::to_string(n - 1));
  });
  server.ServeRedirect("/loop", "/loop");

  EXPECT_EQ(FetchAll(server.Base() + "/hop/" + std::to_string(kRedirectLimit)).body, "landed");

  server.ClearRequests();
  const Fetched too_long = FetchAll(server.Base() + "/hop/" + std::to_string(kRedirectLimit + 1));
  EXPECT_EQ(too_long.body, "");
  EXPECT_EQ(server.Requests().size(), static_cast<std::size_t>(kRedirectLimit + 1));

  server.ClearRequests();
  const Fetched loop = FetchAll(server.Base() + "/loop");
  EXPECT_EQ(loop.body, "");
  EXPECT_EQ(loop.headers, kBlankHeaders);
  EXPECT_EQ(server.Requests().size(), static_cast<std::size_t>(kRedirectLimit + 1));
}

TEST_F(ExchangeTest, PostRedirectedBy302BecomesAPlainGet) {
  LoopbackServer server;
  server.Post("/form", [](const httplib::Request&, httplib::Response& res) {
    res.status = 302;
    res.set_header("Location", "/done");
  });
  server.ServeBytes("/done", "done");
  FetchOptions options;
  options.method = 1;
  options.data = "a=1";

  EXPECT_EQ(FetchAll(server.Base() + "/form", options).body, "done");

  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].request_line, "GET /done HTTP/1.1");
  EXPECT_EQ(requests[1].HeaderCount("Content-Length"), 0);
  EXPECT_EQ(requests[1].HeaderCount("Content-Type"), 0);
  EXPECT_EQ(requests[1].body, "");
}

TEST_F(ExchangeTest, HttpToHttpsRedirectIsFollowed) {
  LoopbackServer server;
  LoopbackServer secure_port;  // plain HTTP: the TLS hand-shake fails there, but it is tried
  server.ServeRedirect("/up", "https://127.0.0.1:" + std::to_string(secure_port.port()) + "/");

  FetchOptions forbid;
  forbid.follow_redirects = false;
  EXPECT_EQ(FetchAll(server.Base() + "/up", forbid).body, "moved");
  EXPECT_EQ(secure_port.Connections(), 0);

  EXPECT_EQ(FetchAll(server.Base() + "/up").body, "");
  EXPECT_GE(secure_port.Connections(), 1);
}

TEST_F(ExchangeTest, ProxyServesHttpAddressesOnly) {
  LoopbackServer proxy;
  proxy.Get(".*", [](const httplib::Request&, httplib::Response& res) { res.set_content("via proxy", "text/plain"); });
  LoopbackServer origin;
  origin.ServeBytes("/x", "direct");
  FetchOptions options;
  options.proxy = "127.0.0.1:" + std::to_string(proxy.port());

  const std::string address = origin.Base() + "/x";
  EXPECT_EQ(FetchAll(address, options).body, "via proxy");
  const RecordedRequest request = OnlyRequest(proxy);
  EXPECT_EQ(request.request_line, "GET " + address + " HTTP/1.1");
  EXPECT_EQ(request.header_lines, DefaultLines(origin, address));
  EXPECT_TRUE(origin.Requests().empty());

  // A secure address goes direct (and fails here: the origin speaks no TLS).
  proxy.ClearRequests();
  EXPECT_EQ(FetchAll("https://127.0.0.1:" + std::to_string(origin.port()) + "/x", options).body, "");
  EXPECT_TRUE(proxy.Requests().empty());
  EXPECT_GE(origin.Connections(), 1);
}

TEST_F(ExchangeTest, FailuresGiveAnEmptyBody) {
  LoopbackServer server;
  server.Get("/huge", [](const httplib::Request&, httplib::Response& res) {
    // One byte over the cap, streamed so the server holds no copy.
    res.set_content_provider(kBodyCap + 1, "application/octet-stream",
                             [](size_t offset, size_t length, httplib::DataSink& sink) {
                               static const std::string chunk(64 * 1024, 'z');
                               (void)offset;
                               return sink.write(chunk.data(), std::min(length, chunk.size()));
                             });
  });
  const int closed_port = [] {
    LoopbackServer gone;
    return gone.port();
  }();

  struct Case {
    const char* name;
    std::string address;
  };
  const Case cases[] = {
      {"nobody listens", "http://127.0.0.1:" + std::to_string(closed_port) + "/"},
      {"port zero", "http://127.0.0.1:0/"},
      {"port not a number", "http://127.0.0.1:x/"},
      {"body over the cap", server.Base() + "/huge"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Fetched fetched = FetchAll(c.address);
    EXPECT_EQ(fetched.body, "");
    EXPECT_EQ(fetched.cookies, "");
  }
  EXPECT_EQ(FetchAll(cases[0].address).headers, kBlankHeaders);
}

TEST_F(ExchangeTest, ZeroBytesInTheBodyComeBackUntouched) {
  LoopbackServer server;
  const std::string body("a\0b\0\0c", 6);
  server.ServeBytes("/z", body, "application/octet-stream");
  EXPECT_EQ(FetchAll(server.Base() + "/z").body, body);
}

TEST_F(ExchangeTest, RecordWithAnotherVerbSendsNothing) {
  LoopbackServer server;
  server.ServeBytes("/p", "p");
  FetchRecord record;
  record[FetchRecord::kAddress] = server.Base() + "/p";
  record[FetchRecord::kMethod] = "PUT";
  record[FetchRecord::kHeaders] = "X: 1\r\n";
  record[FetchRecord::kFollowRedirects] = "1";
  const std::atomic<bool> cancelled{false};

  Http_Exchange(record, cancelled);

  EXPECT_EQ(record[FetchRecord::kAddress], "");
  EXPECT_EQ(record[FetchRecord::kCookies], kBlankHeaders);
  EXPECT_EQ(record[FetchRecord::kHeaders], "X: 1\r\n");  // request fields stay
  EXPECT_EQ(server.Connections(), 0);
}

TEST_F(ExchangeTest, CancelledExchangeEndsPromptlyWithAnEmptyAnswer) {
  LoopbackServer server;
  server.ServeNever("/never");
  FetchRecord record;
  record[FetchRecord::kAddress] = server.Base() + "/never";
  record[FetchRecord::kMethod] = "GET";
  record[FetchRecord::kFollowRedirects] = "1";
  std::atomic<bool> cancelled{false};

  std::thread canceller([&] {
    while (server.Held() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    cancelled = true;
  });
  const auto start = Clock::now();
  Http_Exchange(record, cancelled);
  const double waited_after_cancel = SecondsSince(start);
  canceller.join();

  EXPECT_EQ(record[FetchRecord::kAddress], "");
  EXPECT_LT(waited_after_cancel, 5.0);  // returns once cancelled, not when the server lets go
}

}  // namespace
}  // namespace mozhou::nettest
