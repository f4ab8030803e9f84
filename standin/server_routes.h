// The addresses each stand-in server answers: one routine per site.
//
// A routine registers its handlers on a server that is bound but not yet listening;
// `base` is that server's own address, "http://127.0.0.1:PORT". Pages go out as GBK
// HTML; an address the site does not serve is answered with 404 and Error_Page.
#pragma once

#include <httplib.h>

#include <string>
#include <string_view>

#include "standin/standin.h"

namespace mozhou::standin::routes {

inline constexpr const char* kHtmlType = "text/html; charset=gbk";
inline constexpr const char* kTextType = "text/plain; charset=gbk";
inline constexpr const char* kPngType = "image/png";

// `body` with status 200, or 404 and the error page when `body` is empty.
void Answer(httplib::Response& response, std::string body, const char* content_type = kHtmlType);

void Notice(httplib::Server& server, const SiteOptions& options, const std::string& base);
void Maker(httplib::Server& server, const SiteOptions& options, const std::string& base);
void Qinglan(httplib::Server& server, const SiteOptions& options, const std::string& base);
void Yuemo(httplib::Server& server, const SiteOptions& options, const std::string& base);
void YuemoCover(httplib::Server& server, const SiteOptions& options, const std::string& base);
void Yunjian(httplib::Server& server, const SiteOptions& options, const std::string& base);

}  // namespace mozhou::standin::routes
