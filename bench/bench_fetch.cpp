// Web_Fetch of a 32 KB page on loopback: the whole road of a page read (record, worker
// thread, curl exchange, wait, answer). Off the GUI thread, so the wait is the plain one.
#include <benchmark/benchmark.h>
#include <httplib.h>

#include <atomic>
#include <string>
#include <thread>

#include "toolkit/fetch_record.h"
#include "toolkit/http_exchange.h"
#include "toolkit/web_fetch.h"

namespace {

constexpr std::size_t kPageBytes = 32 * 1024;

// One loopback server for every benchmark of this file; never destroyed, like the process.
class PageServer final {
 public:
  PageServer() {
    std::string page;
    while (page.size() < kPageBytes) page += "<li><a href=\"/Shtml1234.html\">\xD0\xFE\xBB\xC3</a></li>\n";
    page.resize(kPageBytes);
    server_.Get("/page", [page](const httplib::Request&, httplib::Response& res) {
      res.set_content(page, "text/html");
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  std::string Address() const { return "http://127.0.0.1:" + std::to_string(port_) + "/page"; }

 private:
  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
};

const PageServer& Server() {
  static auto* server = new PageServer;
  return *server;
}

void BM_WebFetch32K(benchmark::State& state) {
  const std::string address = Server().Address();
  for (auto _ : state) {
    std::string text = address;
    const std::string body = mozhou::Web_Fetch(text);
    if (body.size() != kPageBytes) state.SkipWithError("short body");
    benchmark::DoNotOptimize(body.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kPageBytes));
}
BENCHMARK(BM_WebFetch32K)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The exchange alone, on the calling thread: what the worker thread and the wait add.
void BM_HttpExchange32K(benchmark::State& state) {
  const std::string address = Server().Address();
  const std::atomic<bool> cancelled{false};
  for (auto _ : state) {
    mozhou::FetchRecord record;
    record[mozhou::FetchRecord::kAddress] = address;
    record[mozhou::FetchRecord::kMethod] = "GET";
    record[mozhou::FetchRecord::kFollowRedirects] = "1";
    mozhou::Http_Exchange(record, cancelled);
    if (record[mozhou::FetchRecord::kAddress].size() != kPageBytes) state.SkipWithError("short body");
  }
}
BENCHMARK(BM_HttpExchange32K)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
