// 青岚网's addresses: "/", "/soft/KEY_PAGE.html", "/Shtml" + N + ".html",
// "/cover/N.png" and the archives "/down/N.txt".

#include <charconv>

#include "standin/server_routes.h"

namespace mozhou::standin::routes {
namespace {

// A number written the plain way ("12", not "012" or "+12"); 0 for anything else.
int PlainNumber(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || std::to_string(value) != text) return 0;
  return value;
}

int CategoryOfKey(const std::string& key) {
  for (int category = 1; category <= kQinglanCategoryCount; ++category) {
    if (Qinglan_ListKey(category) == key) return category;
  }
  return 0;
}

}  // namespace

void Qinglan(httplib::Server& server, const SiteOptions&, const std::string& base) {
  server.Get("/", [base](const httplib::Request&, httplib::Response& response) {
    Answer(response, Qinglan_HomePage(base));
  });
  // The key holds "/" and "_" itself ("special/new_0_0"): the page is what follows the
  // last "_".
  server.Get(R"(/soft/(.+)_(\d+)\.html)", [base](const httplib::Request& request, httplib::Response& response) {
    const int category = CategoryOfKey(request.matches[1].str());
    Answer(response, category == 0 ? std::string{} : Qinglan_ListPage(category, PlainNumber(request.matches[2].str()), base));
  });
  server.Get(R"(/Shtml(\d+)\.html)", [base](const httplib::Request& request, httplib::Response& response) {
    Answer(response, Qinglan_DetailPage(PlainNumber(request.matches[1].str()), base));
  });
  server.Get(R"(/cover/(\d+)\.png)", [](const httplib::Request& request, httplib::Response& response) {
    Answer(response, Qinglan_Cover(PlainNumber(request.matches[1].str())), kPngType);
  });
  server.Get(R"(/down/(\d+)\.txt)", [](const httplib::Request& request, httplib::Response& response) {
    const int number = PlainNumber(request.matches[1].str());
    const std::optional<QinglanBook> book = Qinglan_Book(number);
    Answer(response, book && book->has_downloads ? Qinglan_Archive(number) : std::string{}, kTextType);
    if (response.status == 200) {
      response.set_header("Content-Disposition", "attachment; filename=\"" + std::to_string(number) + ".txt\"");
    }
  });
}

}  // namespace mozhou::standin::routes
