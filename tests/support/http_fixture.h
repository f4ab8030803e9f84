// A loopback HTTP server for tests, on cpp-httplib.
//
// Binds 127.0.0.1 on an ephemeral port and serves on its own thread until destroyed.
// Records every request raw: the request line and the header lines exactly as they came
// over the wire, in order, and the body. A request is recorded before its handler runs,
// so a client that has its answer finds its request recorded. Every connection is
// answered once and closed.
//
// Slow and never-answering handlers are released when the server stops, so a test never
// hangs in its tear-down.
#pragma once

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <regex>
#include <string>
#include <thread>
#include <vector>

namespace mozhou::testing {

struct RecordedRequest {
  std::string request_line;               // "GET /a HTTP/1.1"
  std::vector<std::string> header_lines;  // "Host: 127.0.0.1:1234", in wire order
  std::string body;

  // The value of the first header line named `name` (any letter case), trimmed;
  // empty when there is none. `found` tells the two apart.
  std::string Header(const std::string& name, bool* found = nullptr) const;
  int HeaderCount(const std::string& name) const;
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
  // A redirect answer: `status` with a Location line and a small body.
  void ServeRedirect(const std::string& path, std::string location, int status = 302);

  // For handlers: sleeps `delay` unless the server stops first; true when the whole
  // delay passed.
  bool SleepUnlessStopping(std::chrono::milliseconds delay);

  std::vector<RecordedRequest> Requests() const;
  void ClearRequests();
  // Connections accepted so far, whether or not they held a readable request.
  int Connections() const;
  // Requests held by ServeNever right now.
  int Held() const;

 private:
  class RecordingServer;
  friend class RecordingServer;
  struct Route {
    std::string method;
    std::regex pattern;
    Handler handler;
  };
  void AddRoute(const std::string& method, const std::string& pattern, Handler handler);
  // Runs the first route that matches the request's method and whole path; 404 otherwise.
  void Dispatch(const httplib::Request& request, httplib::Response& response);
  void Record(RecordedRequest request);

  std::unique_ptr<RecordingServer> server_;
  std::thread thread_;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::atomic<int> connections_{0};
  std::atomic<int> held_{0};
  mutable std::mutex mutex_;
  std::condition_variable stop_cv_;
  std::vector<RecordedRequest> requests_;
  // Routes may be added while the server serves: they are kept here, under a lock,
  // rather than in httplib's own tables.
  mutable std::mutex routes_mutex_;
  std::vector<Route> routes_;
};

}  // namespace mozhou::testing
