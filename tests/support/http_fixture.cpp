// GCC 12 under -fsanitize=address reports members of the std::function objects inside
// std::regex's compiler as maybe uninitialised: a false positive of its inliner in
// <regex>, which the routes of this server use.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include "tests/support/http_fixture.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>
#include <utility>

namespace mozhou::testing {
namespace {

constexpr std::string_view kHeaderEnd = "\r\n\r\n";

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::string TrimBlanks(std::string text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// The request line and header lines of the raw bytes, up to the first empty line.
RecordedRequest ParseHead(std::string_view raw) {
  RecordedRequest request;
  const std::size_t end = raw.find(kHeaderEnd);
  std::string_view head = raw.substr(0, end == std::string_view::npos ? raw.size() : end + 2);
  bool first = true;
  while (!head.empty()) {
    const std::size_t eol = head.find("\r\n");
    const std::string_view line = head.substr(0, eol);
    if (first) {
      request.request_line = std::string(line);
      first = false;
    } else {
      request.header_lines.emplace_back(line);
    }
    if (eol == std::string_view::npos) break;
    head.remove_prefix(eol + 2);
  }
  return request;
}

void FillAddress(int fd, bool peer, std::string& ip, int& port) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  const int rc = peer ? getpeername(fd, reinterpret_cast<sockaddr*>(&address), &length)
                      : getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  if (rc != 0 || address.sin_family != AF_INET) return;
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
  ip = text;
  port = ntohs(address.sin_port);
}

// A socket stream that keeps a copy of every byte it reads.
class TeeStream final : public httplib::Stream {
 public:
  TeeStream(int fd, std::chrono::milliseconds read_timeout, std::chrono::milliseconds write_timeout)
      : fd_(fd), read_timeout_(read_timeout), write_timeout_(write_timeout) {}

  bool is_readable() const override { return Poll(POLLIN, read_timeout_); }
  bool is_writable() const override { return Poll(POLLOUT, write_timeout_); }

  ssize_t read(char* ptr, size_t size) override {
    if (!is_readable()) return -1;
    ssize_t n;
    do {
      n = ::recv(fd_, ptr, size, 0);
    } while (n < 0 && errno == EINTR);
    if (n > 0) received_.append(ptr, static_cast<std::size_t>(n));
    return n;
  }

  ssize_t write(const char* ptr, size_t size) override {
    if (!is_writable()) return -1;
    ssize_t n;
    do {
      n = ::send(fd_, ptr, size, MSG_NOSIGNAL);
    } while (n < 0 && errno == EINTR);
    return n;
  }

  void get_remote_ip_and_port(std::string& ip, int& port) const override { FillAddress(fd_, true, ip, port); }
  void get_local_ip_and_port(std::string& ip, int& port) const override { FillAddress(fd_, false, ip, port); }
  socket_t socket() const override { return fd_; }

  const std::string& received() const { return received_; }
  bool recorded = false;

 private:
  bool Poll(short events, std::chrono::milliseconds timeout) const {
    pollfd entry{fd_, events, 0};
    int rc;
    do {
      rc = ::poll(&entry, 1, static_cast<int>(timeout.count()));
    } while (rc < 0 && errno == EINTR);
    return rc > 0;
  }

  int fd_;
  std::chrono::milliseconds read_timeout_;
  std::chrono::milliseconds write_timeout_;
  std::string received_;
};

// The connection the current server thread is answering.
thread_local TeeStream* current_stream = nullptr;

}  // namespace

std::string RecordedRequest::Header(const std::string& name, bool* found) const {
  const std::string wanted = LowerAscii(name);
  for (const std::string& line : header_lines) {
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    if (LowerAscii(TrimBlanks(line.substr(0, colon))) != wanted) continue;
    if (found != nullptr) *found = true;
    return TrimBlanks(line.substr(colon + 1));
  }
  if (found != nullptr) *found = false;
  return {};
}

int RecordedRequest::HeaderCount(const std::string& name) const {
  const std::string wanted = LowerAscii(name);
  int count = 0;
  for (const std::string& line : header_lines) {
    const std::size_t colon = line.find(':');
    if (colon != std::string::npos && LowerAscii(TrimBlanks(line.substr(0, colon))) == wanted) ++count;
  }
  return count;
}

class LoopbackServer::RecordingServer final : public httplib::Server {
 public:
  explicit RecordingServer(LoopbackServer& owner) : owner_(owner) {}

  // Every GET and POST goes to the owner's routes, recorded first.
  void RouteToOwner() {
    auto recorded = [this](const httplib::Request& request, httplib::Response& response) {
      if (current_stream != nullptr && !current_stream->recorded) {
        current_stream->recorded = true;
        RecordedRequest raw = ParseHead(current_stream->received());
        raw.body = request.body;
        owner_.Record(std::move(raw));
      }
      owner_.Dispatch(request, response);
    };
    Server::Get(".*", recorded);
    Server::Post(".*", recorded);
  }

 private:
  bool process_and_close_socket(socket_t sock) override {
    owner_.connections_.fetch_add(1);
    TeeStream stream(sock, std::chrono::seconds(read_timeout_sec_), std::chrono::seconds(write_timeout_sec_));
    current_stream = &stream;
    bool connection_closed = false;
    process_request(stream, /*close_connection=*/true, connection_closed, nullptr);
    current_stream = nullptr;
    // A request no handler took (404, a bad line) is recorded here, after its answer.
    if (!stream.recorded && stream.received().find(kHeaderEnd) != std::string::npos) {
      RecordedRequest recorded = ParseHead(stream.received());
      if (recorded.request_line.find(" HTTP/1.") != std::string::npos) owner_.Record(std::move(recorded));
    }
    ::shutdown(sock, SHUT_RDWR);
    ::close(sock);
    return true;
  }

  LoopbackServer& owner_;
};

LoopbackServer::LoopbackServer() : server_(std::make_unique<RecordingServer>(*this)) {
  server_->RouteToOwner();
  port_ = server_->bind_to_any_port("127.0.0.1");
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  // stop() is a no-op until the loop runs; wait so that the destructor always stops it.
  while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

LoopbackServer::~LoopbackServer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  stop_cv_.notify_all();
  server_->stop();
  if (thread_.joinable()) thread_.join();
}

std::string LoopbackServer::Base() const { return "http://127.0.0.1:" + std::to_string(port_); }
int LoopbackServer::port() const { return port_; }

void LoopbackServer::Get(const std::string& pattern, Handler handler) {
  AddRoute("GET", pattern, std::move(handler));
}

void LoopbackServer::Post(const std::string& pattern, Handler handler) {
  AddRoute("POST", pattern, std::move(handler));
}

void LoopbackServer::AddRoute(const std::string& method, const std::string& pattern, Handler handler) {
  std::lock_guard lock(routes_mutex_);
  routes_.push_back({method, std::regex(pattern), std::move(handler)});
}

void LoopbackServer::Dispatch(const httplib::Request& request, httplib::Response& response) {
  httplib::Request matched = request;  // its own path, so that `matches` refers to it
  Handler handler;
  {
    std::lock_guard lock(routes_mutex_);
    for (const Route& route : routes_) {
      if (route.method == request.method && std::regex_match(matched.path, matched.matches, route.pattern)) {
        handler = route.handler;
        break;
      }
    }
  }
  if (!handler) {
    response.status = 404;
    return;
  }
  handler(matched, response);
}

void LoopbackServer::ServeBytes(const std::string& path, std::string body, std::string content_type) {
  Get(path, [body = std::move(body), content_type = std::move(content_type)](
                const httplib::Request&, httplib::Response& response) {
    response.set_content(body, content_type.c_str());
  });
}

void LoopbackServer::ServeSlow(const std::string& path, std::string body, std::chrono::milliseconds delay) {
  Get(path, [this, body = std::move(body), delay](const httplib::Request&, httplib::Response& response) {
    SleepUnlessStopping(delay);
    response.set_content(body, "text/html");
  });
}

void LoopbackServer::ServeNever(const std::string& path) {
  Get(path, [this](const httplib::Request&, httplib::Response& response) {
    held_.fetch_add(1);
    {
      std::unique_lock lock(mutex_);
      stop_cv_.wait(lock, [this] { return stopping_.load(); });
    }
    held_.fetch_sub(1);
    response.status = 503;
  });
}

void LoopbackServer::ServeRedirect(const std::string& path, std::string location, int status) {
  Get(path, [location = std::move(location), status](const httplib::Request&, httplib::Response& response) {
    response.status = status;
    response.set_header("Location", location);
    response.set_content("moved", "text/html");
  });
}

bool LoopbackServer::SleepUnlessStopping(std::chrono::milliseconds delay) {
  std::unique_lock lock(mutex_);
  return !stop_cv_.wait_for(lock, delay, [this] { return stopping_.load(); });
}

std::vector<RecordedRequest> LoopbackServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void LoopbackServer::ClearRequests() {
  std::lock_guard lock(mutex_);
  requests_.clear();
}

int LoopbackServer::Connections() const { return connections_.load(); }
int LoopbackServer::Held() const { return held_.load(); }

void LoopbackServer::Record(RecordedRequest request) {
  std::lock_guard lock(mutex_);
  requests_.push_back(std::move(request));
}

}  // namespace mozhou::testing
