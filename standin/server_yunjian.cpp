// 云笺书屋: its home page "/".

#include "standin/server_routes.h"

namespace mozhou::standin::routes {

void Yunjian(httplib::Server& server, const SiteOptions&, const std::string&) {
  server.Get("/", [](const httplib::Request&, httplib::Response& response) { Answer(response, Yunjian_HomePage()); });
}

}  // namespace mozhou::standin::routes
