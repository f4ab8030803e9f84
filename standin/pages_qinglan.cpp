// 青岚网's pages: home, list pages with their page counter, detail pages.
//
// The list rows, the page counter and the detail blocks are written in exactly the
// markup the plug-in's patterns read: CR LF line ends, TAB indentation, no LF inside a
// field. A few rows on each list page use an older or a promoted layout that those
// patterns do not take.

#include <string_view>
#include <vector>

#include "standin/pages_markup.h"
#include "standin/standin.h"

namespace mozhou::standin {
namespace {

constexpr std::string_view kSiteName = "青岚网";

std::string ListAddress(int category, int page) {
  return "/soft/" + Qinglan_ListKey(category) + "_" + std::to_string(page) + ".html";
}

std::string DetailAddress(int book_number) { return "/Shtml" + std::to_string(book_number) + ".html"; }

std::string StarPicture(const QinglanBook& book) { return "/images/star" + std::to_string(book.stars) + ".gif"; }

std::string TitleLink(const QinglanBook& book) {
  return "<a href=\"" + DetailAddress(book.number) + "\" title=\"" + book.title + "\">" + book.title + "</a>";
}

// The row layout the list pattern reads.
std::string ListRow(const QinglanBook& book) {
  const char* date_class = book.page == 1 && book.entry <= 10 ? "dateNew" : "dateOld";
  std::string row = "\t\t<div class=\"mainListInfo\">\r\n";
  row += "\t\t\t\t<div class=\"mainListTop\"><div class=\"mainListName\"><span class=\"mainSoftName\">" +
         TitleLink(book) + "</span></div><div class=\"mainListSize\">" + book.size +
         "</div><div class=\"mainListDate\"><span class=\"oldDate\"><span class=\"" + date_class + "\">" +
         book.date + "</span></span></div><div class=\"mainListHist\">" + book.type + "</div>\r\n";
  row += "\t\t\t\t</div>\r\n";
  row += "\t\t\t\t<div class=\"mainListIntro\" id=\"soft_content_1\">" + book.intro + "</div>\r\n";
  row += "\t\t\t\t<div class=\"mainListBottom\">\r\n";
  row += "\t\t\t\t\t<div class=\"mainRunSystem\"><span class=\"mainGreen\">运行环境：</span>" + book.environment +
         "</div><div class=\"mainAccredit\"><span class=\"mainGreen\">书籍作者：</span>" + book.author +
         "</div><div class=\"mainstar\"><span class=\"mainGreen\">推荐星级：</span><img src=\"" +
         StarPicture(book) + "\"></div>\r\n";
  row += "\t\t\t\t</div>\r\n";
  row += "\t\t</div>\r\n";
  return row;
}

// A promoted row: other class names, one line fewer.
std::string PromotedRow(const QinglanBook& book) {
  std::string row = "\t\t<div class=\"mainTopInfo\">\r\n";
  row += "\t\t\t\t<div class=\"mainTopName\"><span class=\"mainTopSoft\">" + TitleLink(book) +
         "</span></div><div class=\"mainTopSize\">" + book.size + "</div><div class=\"mainTopDate\">" + book.date +
         "</div><div class=\"mainTopHist\">站长推荐</div>\r\n";
  row += "\t\t\t\t<div class=\"mainTopIntro\">" + book.intro + "</div>\r\n";
  row += "\t\t</div>\r\n";
  return row;
}

// A row left over from the site's older templates: the same class names, but LF line
// ends and blanks for indentation.
std::string OldLayoutRow(const QinglanBook& book) {
  std::string row = "    <div class=\"mainListName\"><span class=\"mainSoftName\">" + TitleLink(book) +
                    "</span></div><div class=\"mainListSize\">" + book.size +
                    "</div><div class=\"mainListDate\"><span class=\"oldDate\"><span class=\"dateOld\">" +
                    book.date + "</span></span></div><div class=\"mainListHist\">" + book.type + "</div>\n";
  row += "        </div>\n";
  row += "        <div class=\"mainListIntro\" id=\"soft_content_1\">" + book.intro + "</div>\n";
  row += "        <div class=\"mainListBottom\">\n";
  row += "          <div class=\"mainRunSystem\"><span class=\"mainGreen\">运行环境：</span>" + book.environment +
         "</div><div class=\"mainAccredit\"><span class=\"mainGreen\">书籍作者：</span>" + book.author +
         "</div><div class=\"mainstar\"><span class=\"mainGreen\">推荐星级：</span><img src=\"" +
         StarPicture(book) + "\"></div>\n";
  row += "        </div>\n";
  return row;
}

// The rows that do not follow the list layout point at books of the next category.
QinglanBook RecommendedBook(int category, int page, int entry) {
  const int other = category % kQinglanCategoryCount + 1;
  const int other_page = (page - 1) % Qinglan_PageCount(other) + 1;
  return *Qinglan_Book(Qinglan_BookNumber(other, other_page, entry));
}

std::string NavigationBar() {
  std::string bar = "<div id=\"nav\"><a href=\"/\">首页</a>";
  for (int category = 1; category <= kQinglanCategoryCount; ++category) {
    bar += " | <a href=\"" + ListAddress(category, 1) + "\">" + Qinglan_CategoryName(category) + "</a>";
  }
  bar += "</div>\r\n";
  return bar;
}

std::string Header() {
  return "<div id=\"header\"><a href=\"/\"><img src=\"/images/logo.gif\" alt=\"青岚网\" /></a></div>\r\n" +
         NavigationBar();
}

std::string Footer() {
  return "<div id=\"footer\">青岚网 书籍均来自网友上传，仅供交流试读。</div>\r\n";
}

std::string Pager(int category, int page) {
  const int count = Qinglan_PageCount(category);
  auto link = [&](int target, std::string_view text) {
    if (target < 1 || target > count || target == page) return "<span>" + std::string{text} + "</span>";
    return "<a href=\"" + ListAddress(category, target) + "\">" + std::string{text} + "</a>";
  };
  std::string pager = "\t<table class=\"tablePage\"><tr>\r\n";
  pager += "\t\t<td class=\"tabletitle1\" title=\"页次\">&nbsp;" + std::to_string(page) + "/" +
           std::to_string(count) + "页&nbsp;</td>\r\n";
  pager += "\t\t<td class=\"tabletitle1\" title=\"每页\">&nbsp;" + std::to_string(kQinglanEntriesPerPage) +
           "本/页&nbsp;</td>\r\n";
  pager += "\t\t<td class=\"tablePageLink\">" + link(1, "首页") + " " + link(page - 1, "上一页") + " " +
           link(page + 1, "下一页") + " " + link(count, "尾页") + "</td>\r\n";
  pager += "\t</tr></table>\r\n";
  return pager;
}

// Rows 1 to 30 in the list layout, with the other layouts between them: a promoted row
// after row 4, an old one after row 15 and, on odd pages, another promoted one after 27.
std::vector<std::string> ListRows(int category, int page) {
  std::vector<std::string> rows;
  for (int entry = 1; entry <= kQinglanEntriesPerPage; ++entry) {
    rows.push_back(ListRow(*Qinglan_Book(Qinglan_BookNumber(category, page, entry))));
    if (entry == 4) rows.push_back(PromotedRow(RecommendedBook(category, page, 1)));
    if (entry == 15) rows.push_back(OldLayoutRow(RecommendedBook(category, page, 2)));
    if (entry == 27 && page % 2 == 1) rows.push_back(PromotedRow(RecommendedBook(category, page, 3)));
  }
  return rows;
}

std::string ListDocument(int category, int page, const std::string& rows) {
  const std::string name = Qinglan_CategoryName(category);
  std::string body = Header();
  body += "<div id=\"main\">\r\n";
  body += "\t<div class=\"mainList\">\r\n";
  body += "\t\t<div class=\"mainListTitle\">" + name + "</div>\r\n";
  body += rows;
  body += "\t</div>\r\n";
  body += Pager(category, page);
  body += "</div>\r\n";
  body += Footer();
  return markup::Document(name + "_第" + std::to_string(page) + "页 - " + std::string{kSiteName}, body);
}

std::string DownloadBlock(const QinglanBook& book, const std::string& site_base) {
  std::string block = "\t<div class=\"downLinks\">\r\n\t\t<h2>下载地址</h2>\r\n";
  if (book.has_downloads) {
    block += "\t\t<A href=\"#\" thunderHref='" + Qinglan_ThunderLink(book.number, site_base) +
             "'class=downLinks>迅雷专用高速下载点</A><br><img src=/images/down.gif> <A  href='" +
             Qinglan_SiteLink(book.number) + "'><strong>本站下载地址</strong></A>\r\n";
  } else {
    block += "\t\t<p>本书暂无下载地址。</p>\r\n";
  }
  block += "\t</div>\r\n";
  return block;
}

}  // namespace

std::string Qinglan_ListPage(int category, int page, const std::string& /*site_base*/) {
  if (Qinglan_BookNumber(category, page, 1) == 0) return {};
  std::string rows;
  for (const std::string& row : ListRows(category, page)) rows += row;
  return markup::Gbk(ListDocument(category, page, rows));
}

std::string Qinglan_LargeListPage(std::size_t min_bytes, const std::string& /*site_base*/) {
  constexpr int kCategory = 1;
  constexpr int kPage = 1;
  const std::vector<std::string> rows = ListRows(kCategory, kPage);
  std::size_t size = markup::Gbk(ListDocument(kCategory, kPage, {})).size();
  std::string repeated;
  // The page's rows over and over, one at a time, until the page is large enough.
  for (std::size_t next = 0; size < min_bytes; next = (next + 1) % rows.size()) {
    repeated += rows[next];
    size += markup::Gbk(rows[next]).size();
  }
  return markup::Gbk(ListDocument(kCategory, kPage, repeated));
}

std::string Qinglan_DetailPage(int book_number, const std::string& site_base) {
  const std::optional<QinglanBook> found = Qinglan_Book(book_number);
  if (!found) return {};
  const QinglanBook& book = *found;
  const std::string number = std::to_string(book.number);
  const std::string cover = "/cover/" + number + ".png";

  const std::string script = "<script type=\"text/javascript\">\r\nvar softname='" + book.title +
                             "';\r\nvar softid=" + number + ";\r\n</script>\r\n";

  std::string body = Header();
  body += "<div id=\"downInfo\">\r\n";
  body += "\t<div class=\"downPlace\">当前位置：<a href=\"/\">首页</a> &gt; <a href=\"" +
          ListAddress(book.category, book.page) + "\">" + Qinglan_CategoryName(book.category) + "</a> &gt; " +
          book.title + "</div>\r\n";
  body += "\t<h1>" + book.title + "</h1>\r\n";
  body += "\t<div class=\"downInfoMain\">\r\n";
  body += "\t\t\t\t\t<DIV class=\"downInfoImg\"><a href=\"" + cover + "\" target=\"_blank\"><img src=\"" + cover +
          "\" width=\"170\" height=\"210\" border=\"0\"/></a></DIV>\r\n";
  body += "\t\t\t\t\t<p class=\"downInfoRowL\"><b>运行环境：</b>" + book.environment + "<br/>\r\n";
  body += "\t\t\t\t\t<b>书籍语言：</b>简体中文<br/>\r\n";
  body += "\t\t\t\t\t<b>书籍大小：</b>" + book.size + "<br/>\r\n";
  body += "\t\t\t\t\t<b>书籍类型：</b>" + book.type + "<br/>\r\n";
  body += "\t\t\t\t\t<b>是否连载：</b>" + book.serial + "<br/>\r\n";
  body += "\t\t\t\t\t<b>书籍作者：</b>" + book.author + "<br/>\r\n";
  body += "\t\t\t\t\t<b>更新时间：</b>" + book.date + "<br/>\r\n";
  body += "\t\t\t\t\t<b>书籍评级：</b><img src=\"" + StarPicture(book) + "\"><br/>\r\n";
  body += "\t\t\t\t\t</p>\r\n";
  body += "\t</div>\r\n";
  body += "\t<div class=\"downIntro\">\r\n\t\t<h2>内容简介</h2>\r\n";
  body += "\t\t<div id=\"mainSoftIntro\"><div id='clickeye_content'>" + book.description + "</div></div>\r\n";
  body += "\t</div>\r\n";
  body += DownloadBlock(book, site_base);
  body += "</div>\r\n";
  body += Footer();
  return markup::Gbk(markup::Document(book.title + " - " + std::string{kSiteName}, body, script));
}

std::string Qinglan_HomePage(const std::string& /*site_base*/) {
  constexpr int kNewestShown = 10;
  std::string body = Header();
  body += "<div id=\"main\">\r\n\t<h2>最新全本</h2>\r\n\t<ul class=\"newBooks\">\r\n";
  for (int entry = 1; entry <= kNewestShown; ++entry) {
    const QinglanBook book = *Qinglan_Book(Qinglan_BookNumber(1, 1, entry));
    body += "\t\t<li>" + TitleLink(book) + " <span>" + book.author + "</span> <span>" + book.date + "</span></li>\r\n";
  }
  body += "\t</ul>\r\n</div>\r\n";
  body += Footer();
  return markup::Gbk(markup::Document(std::string{kSiteName} + " - 全本TXT小说下载", body));
}

}  // namespace mozhou::standin
