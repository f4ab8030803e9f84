// 悦墨网 and its cover server: their home pages "/" for now.

#include "standin/server_routes.h"

namespace mozhou::standin::routes {

void Yuemo(httplib::Server& server, const SiteOptions&, const std::string&) {
  server.Get("/", [](const httplib::Request&, httplib::Response& response) { Answer(response, Yuemo_HomePage()); });
}

void YuemoCover(httplib::Server& server, const SiteOptions&, const std::string&) {
  server.Get("/", [](const httplib::Request&, httplib::Response& response) {
    Answer(response, YuemoCover_HomePage());
  });
}

}  // namespace mozhou::standin::routes
