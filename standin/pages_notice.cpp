// The maker's pages: the update notice "/cnwzsj.html" and the web site with its article.
//
// Each notice block is written in the layout the launcher's notice pattern reads: CR LF
// line ends, TAB indentation, the full-width "：" behind 最新版本, 版本功能 and 当前状态,
// the ASCII ":" behind 最新版本下载地址, one blank between the version and "版".

#include "standin/pages_markup.h"
#include "standin/standin.h"

namespace mozhou::standin {
namespace {

std::string NoticeBlockMarkup(const NoticeBlock& block) {
  std::string text = "<h4>" + block.notice + "</h4>\r\n";
  text += "<div>\r\n";
  text += "\t<ul>\r\n";
  text += "\t\t<li>最新版本：" + block.version + " 版</li>\r\n";
  text += "\t\t<li>最新版本下载地址:<a href=\"" + block.download + "\">" + block.download + "</a></li>\r\n";
  text += "\t\t<li>版本功能：" + block.features + "</li>\r\n";
  text += "\t\t<li>当前状态：" + block.state + "</li>\r\n";
  text += "\t</ul>\r\n";
  text += "</div>\r\n";
  return text;
}

std::string MakerHeader() {
  return "<div id=\"header\"><h1>墨舟软件工作室</h1>"
         "<a href=\"/\">首页</a> | <a href=\"" + std::string{kMakerArticlePath} + "\">最新版本</a></div>\r\n";
}

}  // namespace

std::string Notice_Page(const std::vector<NoticeBlock>& blocks) {
  std::string body = "<div id=\"notice\">\r\n";
  for (const NoticeBlock& block : blocks) body += NoticeBlockMarkup(block);
  body += "</div>\r\n";
  return markup::Gbk(markup::Document("墨舟 更新公告", body));
}

std::string Maker_HomePage() {
  std::string body = MakerHeader();
  body += "<p>墨舟：青岚网、悦墨网书库浏览与下载工具。</p>\r\n";
  body += "<p>问题反馈请联系管理员，QQ：10000001 / 10000002</p>\r\n";
  return markup::Gbk(markup::Document("墨舟软件工作室", body));
}

std::string Maker_ArticlePage() {
  std::string body = MakerHeader();
  body += "<h2>墨舟最新版本下载</h2>\r\n";
  body += "<p>旧版本已停止服务，请下载最新版本后使用。</p>\r\n";
  body += "<p><a href=\"/download/mozhou-1.3.1.zip\">点击下载墨舟最新版</a></p>\r\n";
  return markup::Gbk(markup::Document("墨舟最新版本下载 - 墨舟软件工作室", body));
}

std::string Maker_DownloadPage(const std::string& file_name) {
  std::string body = MakerHeader();
  body += "<h2>" + file_name + "</h2>\r\n";
  body += "<p>这是演示环境：安装包不在此提供。</p>\r\n";
  return markup::Gbk(markup::Document(file_name + " - 墨舟软件工作室", body));
}

}  // namespace mozhou::standin
