// The patterns the launcher and the 青岚 plug-in read the stand-in pages with, written
// out here on their own so the tests check the pages against the readers' text, not
// against the page generators.
#pragma once

namespace mozhou::standin::testing {

inline constexpr const char* kNoticePattern =
    "<h4>(.*?)</h4>\r\n<div>\r\n\t<ul>\r\n\t\t<li>最新版本：(.*?) 版</li>\r\n\t\t<li>最新版本下载地址:<a href=\"(.*?)\">.*?</a></li>\r\n\t\t<li>版本功能：(.*?)</li>\r\n\t\t<li>当前状态：(.*?)</li>";

inline constexpr const char* kListPattern =
    "<div class=\"mainListName\"><span class=\"mainSoftName\"><a href=\"/Shtml(.*?).html\" title=\"(.*?)\">.*?</a></span></div><div class=\"mainListSize\">(.*?)</div><div class=\"mainListDate\"><span class=\"oldDate\"><span class=\".*?\">(.*?)</span></span></div><div class=\"mainListHist\">(.*?)</div>\r\n\t\t\t\t</div>\r\n\t\t\t\t<div class=\"mainListIntro\" id=\"soft_content_1\">.*?</div>\r\n\t\t\t\t<div class=\"mainListBottom\">\r\n\t\t\t\t\t<div class=\"mainRunSystem\"><span class=\"mainGreen\">运行环境：</span>(.*?)</div><div class=\"mainAccredit\"><span class=\"mainGreen\">书籍作者：</span>(.*?)</div><div class=\"mainstar\"><span class=\"mainGreen\">推荐星级：</span><img src=\".*?\"></div>";

inline constexpr const char* kPagerPattern =
    "<td class=\"tabletitle1\" title=\"页次\">&nbsp;(.*?)/(.*?)页&nbsp;</td>";

inline constexpr const char* kTitlePattern = "var softname='(.*?)';\r\nvar softid=(.*?);";

inline constexpr const char* kCoverPattern =
    "<img src=\"(.*?)\" width=\"170\" height=\"210\" border=\"0\"/></a></DIV>\r\n\t\t\t\t\t<p class=\"downInfoRowL\"><b>运行环境：</b>(.*?)<br/>\r\n\t\t\t\t\t<b>书籍语言：</b>(.*?)<br/>\r\n\t\t\t\t\t<b>书籍大小：</b>(.*?)<br/>\r\n\t\t\t\t\t<b>书籍类型：</b>(.*?)<br/>\r\n\t\t\t\t\t<b>是否连载：</b>(.*?)<br/>\r\n\t\t\t\t\t<b>书籍作者：</b>(.*?)<br/>\r\n\t\t\t\t\t<b>更新时间：</b>(.*?)<br/>\r\n\t\t\t\t\t<b>书籍评级：</b><img src=\"(.*?)\"><br/>";

inline constexpr const char* kDescriptionPattern =
    "<div id=\"mainSoftIntro\"><div id='clickeye_content'>(.*?)</div>";

inline constexpr const char* kDownloadPattern =
    "thunderHref='(.*?)'class=downLinks>迅雷专用高速下载点</A><br><img src=.*?> <A  href='(.*?)'><strong>本站下载地址</strong></A>";

}  // namespace mozhou::standin::testing
