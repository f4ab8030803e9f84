// 悦墨网's pages and its cover server's. For now the home pages: the launcher's probe
// only asks whether "/" answers. The category keys are the plug-in's, so the list and
// detail pages can be added beside these.

#include <array>
#include <string_view>

#include "standin/pages_markup.h"
#include "standin/standin.h"

namespace mozhou::standin {
namespace {

struct YuemoCategory {
  std::string_view name;
  std::string_view key;
};

constexpr std::array<YuemoCategory, 13> kYuemoCategories{{
    {"最新全本", "newbook"}, {"玄幻奇幻", "xuanhuan"}, {"言情小说", "yanqing"}, {"武侠修真", "wuxia"},
    {"历史军事", "lishi"},   {"网游小说", "wangyou"},  {"科幻小说", "kehuan"},  {"恐怖小说", "kongbu"},
    {"文学名著", "mingzhu"}, {"人物传记", "zhuanji"},  {"经管励志", "jingji"},  {"法律教育", "jiaoyu"},
    {"外国名著", "waiguo"},
}};

}  // namespace

std::string Yuemo_HomePage() {
  std::string body = "<div id=\"header\"><h1>悦墨网</h1></div>\r\n<ul class=\"nav\">\r\n";
  for (const YuemoCategory& category : kYuemoCategories) {
    body += "\t<li><a href=\"/" + std::string{category.key} + "/\">" + std::string{category.name} + "</a></li>\r\n";
  }
  body += "</ul>\r\n<p>悦墨网：TXT小说免费下载。</p>\r\n";
  return markup::Gbk(markup::Document("悦墨网 - TXT小说下载", body));
}

std::string YuemoCover_HomePage() {
  return markup::Gbk(markup::Document("悦墨网 封面服务器", "<p>悦墨网封面图片服务器。</p>\r\n"));
}

}  // namespace mozhou::standin
