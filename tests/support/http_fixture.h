// A loopback HTTP server for tests, on cpp-httplib.
//
// Binds 127.0.0.1 on an ephemeral port and serves on its own thread until destroyed.
// Records every request raw: the request line and the header lines exactly as they came
// over the wire, in order, and the body.
#pragma once

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace mozhou::testing {

struct RecordedRequest {
  std::string request_line;               // "GET /a HTTP/1.1"
  std::vector<std::string> header_lines;  // "Host: 127.0.0.1:1234", in wire order
  std::string body;
};

class LoopbackServer final {
 public:
  using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

  LoopbackServer();
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  std::string Base() const;  // "http://127.0.0.1:PORT"
  int port() const;

  void Get(const std::string& pattern, Handler handler);
  void Post(const std::string& pattern, Handler handler);

  // Canned answers.
  void ServeBytes(const std::string& path, std::string body,
                  std::string content_type = "text/html");
  void ServeSlow(const std::string& path, std::string body, std::chrono::milliseconds delay);
  void ServeNever(const std::string& path);  // holds the request until the server stops

  std::vector<RecordedRequest> Requests() const;
  void ClearRequests();

 private:
  class RecordingServer;
  std::unique_ptr<RecordingServer> server_;
  std::thread thread_;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::vector<RecordedRequest> requests_;
};

}  // namespace mozhou::testing
