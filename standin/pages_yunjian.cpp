// 云笺书屋's home page: the launcher probes it, no plug-in reads it yet.

#include "standin/pages_markup.h"
#include "standin/standin.h"

namespace mozhou::standin {

std::string Yunjian_HomePage() {
  std::string body = "<div id=\"header\"><h1>云笺书屋</h1></div>\r\n";
  body += "<p>在线阅读频道即将开放，敬请期待。</p>\r\n";
  return markup::Gbk(markup::Document("云笺书屋 - 在线阅读", body));
}

}  // namespace mozhou::standin
