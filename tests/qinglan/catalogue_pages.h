// Small 青岚 pages for tests that need a page of their own (a counter that reads a given
// way, a detail page with or without links), in the markup the plug-in reads.
#pragma once

#include <string>

#include "platform/codepage.h"

namespace mozhou::testing {

inline std::string Qinglan_ListEntry(const std::string& number, const std::string& title) {
  return "<div class=\"mainListName\"><span class=\"mainSoftName\"><a href=\"/Shtml" + number +
         ".html\" title=\"" + title + "\">" + title +
         "</a></span></div><div class=\"mainListSize\">1.5 MB</div><div class=\"mainListDate\">"
         "<span class=\"oldDate\"><span class=\"d\">2024-05-01</span></span></div>"
         "<div class=\"mainListHist\">TXT全本</div>\r\n\t\t\t\t</div>\r\n\t\t\t\t"
         "<div class=\"mainListIntro\" id=\"soft_content_1\">简介</div>\r\n\t\t\t\t"
         "<div class=\"mainListBottom\">\r\n\t\t\t\t\t<div class=\"mainRunSystem\"><span "
         "class=\"mainGreen\">运行环境：</span>Win9x/NT</div><div class=\"mainAccredit\"><span "
         "class=\"mainGreen\">书籍作者：</span>某人</div><div class=\"mainstar\"><span "
         "class=\"mainGreen\">推荐星级：</span><img src=\"/s3.gif\"></div>\r\n";
}

inline std::string Qinglan_Counter(const std::string& current, const std::string& count) {
  return "<td class=\"tabletitle1\" title=\"页次\">&nbsp;" + current + "/" + count +
         "页&nbsp;</td>\r\n";
}

inline std::string Gbk_Page(const std::string& utf8_body) {
  return codepage::Utf8_ToGbk("<html><body>\r\n" + utf8_body + "</body></html>\r\n");
}

inline std::string Qinglan_DetailPage(const std::string& title, const std::string& description,
                                      const std::string& thunder, const std::string& site_link,
                                      const std::string& cover = "/cover/1.png") {
  std::string page = "<script>var softname='" + title + "';\r\nvar softid=77;</script>\r\n";
  page += "<DIV><a><img src=\"" + cover +
          "\" width=\"170\" height=\"210\" border=\"0\"/></a></DIV>\r\n\t\t\t\t\t"
          "<p class=\"downInfoRowL\"><b>运行环境：</b>Win<br/>\r\n\t\t\t\t\t"
          "<b>书籍语言：</b>简体中文<br/>\r\n\t\t\t\t\t<b>书籍大小：</b>1 MB<br/>\r\n\t\t\t\t\t"
          "<b>书籍类型：</b>TXT<br/>\r\n\t\t\t\t\t<b>是否连载：</b>完结<br/>\r\n\t\t\t\t\t"
          "<b>书籍作者：</b>某人<br/>\r\n\t\t\t\t\t<b>更新时间：</b>2024-01-01<br/>\r\n\t\t\t\t\t"
          "<b>书籍评级：</b><img src=\"/r.gif\"><br/>\r\n";
  page += "<div id=\"mainSoftIntro\"><div id='clickeye_content'>" + description + "</div></div>\r\n";
  if (!site_link.empty()) {
    page += "<a thunderHref='" + thunder +
            "'class=downLinks>迅雷专用高速下载点</A><br><img src=/d.gif> <A  href='" + site_link +
            "'><strong>本站下载地址</strong></A>\r\n";
  }
  return Gbk_Page(page);
}

}  // namespace mozhou::testing
