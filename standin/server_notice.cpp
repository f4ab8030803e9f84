// The maker's servers: the notice server ("/cnwzsj.html") and the web site ("/",
// "/article.php?id=16", "/download/FILE").

#include "standin/server_routes.h"

namespace mozhou::standin::routes {

void Notice(httplib::Server& server, const SiteOptions& options, const std::string&) {
  server.Get("/cnwzsj.html", [page = Notice_Page(options.notice)](const httplib::Request&, httplib::Response& response) {
    Answer(response, page);
  });
}

void Maker(httplib::Server& server, const SiteOptions&, const std::string&) {
  server.Get("/", [](const httplib::Request&, httplib::Response& response) { Answer(response, Maker_HomePage()); });
  server.Get("/article.php", [](const httplib::Request& request, httplib::Response& response) {
    Answer(response, request.get_param_value("id") == "16" ? Maker_ArticlePage() : std::string{});
  });
  server.Get(R"(/download/([A-Za-z0-9._-]+))", [](const httplib::Request& request, httplib::Response& response) {
    Answer(response, Maker_DownloadPage(request.matches[1].str()));
  });
}

}  // namespace mozhou::standin::routes
