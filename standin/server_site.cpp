// Site: one stand-in server on loopback, serving on a thread of its own.

#include <atomic>
#include <chrono>
#include <system_error>
#include <thread>

#include <sys/socket.h>

#include "standin/server_routes.h"
#include "standin/standin.h"

namespace mozhou::standin {
namespace {

constexpr const char* kLoopback = "127.0.0.1";
// Idle keep-alive connections hold a server thread this long after stop().
constexpr time_t kKeepAliveSeconds = 1;
constexpr auto kStartPoll = std::chrono::milliseconds(1);

using RouteTable = void (*)(httplib::Server&, const SiteOptions&, const std::string&);

RouteTable RoutesOf(SiteKind kind) {
  switch (kind) {
    case SiteKind::Notice: return routes::Notice;
    case SiteKind::Maker: return routes::Maker;
    case SiteKind::Qinglan: return routes::Qinglan;
    case SiteKind::Yuemo: return routes::Yuemo;
    case SiteKind::Yunjian: return routes::Yunjian;
    case SiteKind::YuemoCover: return routes::YuemoCover;
  }
  return nullptr;
}

}  // namespace

namespace routes {

void Answer(httplib::Response& response, std::string body, const char* content_type) {
  if (body.empty()) {
    response.status = 404;
    response.set_content(Error_Page(404), kHtmlType);
    return;
  }
  response.status = 200;
  response.set_content(std::move(body), content_type);
}

}  // namespace routes

struct Site::Impl {
  httplib::Server server;
  std::thread thread;
  std::atomic<bool> finished{false};
  int port = 0;
};

Site::Site(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

Site::~Site() {
  impl_->server.stop();
  if (impl_->thread.joinable()) impl_->thread.join();
}

std::unique_ptr<Site> Site::Start(const SiteOptions& options) {
  const RouteTable routes_of_site = RoutesOf(options.kind);
  if (routes_of_site == nullptr) return nullptr;

  auto impl = std::make_unique<Impl>();
  httplib::Server& server = impl->server;
  // httplib's default adds SO_REUSEPORT, which lets a second server share a taken port
  // and take half its requests; a port in use must make Start fail instead.
  server.set_socket_options([](socket_t sock) {
    const int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
  if (options.port == 0) {
    impl->port = server.bind_to_any_port(kLoopback);
  } else {
    impl->port = server.bind_to_port(kLoopback, options.port) ? options.port : -1;
  }
  if (impl->port <= 0) return nullptr;

  server.set_keep_alive_timeout(kKeepAliveSeconds);
  server.set_error_handler([](const httplib::Request&, httplib::Response& response) {
    if (response.body.empty()) response.set_content(Error_Page(response.status), routes::kHtmlType);
  });
  routes_of_site(server, options, "http://" + std::string{kLoopback} + ":" + std::to_string(impl->port));

  Impl* running = impl.get();
  try {
    impl->thread = std::thread([running] {
      running->server.listen_after_bind();
      running->finished = true;
    });
  } catch (const std::system_error&) {
    return nullptr;
  }
  // stop() only reaches a server that has begun to listen: wait for that, so the
  // destructor can always end the thread.
  while (!server.is_running() && !impl->finished) std::this_thread::sleep_for(kStartPoll);
  return std::make_unique<Site>(std::move(impl));
}

std::string Site::Base() const { return "http://" + std::string{kLoopback} + ":" + std::to_string(impl_->port); }

int Site::port() const { return impl_->port; }

}  // namespace mozhou::standin
