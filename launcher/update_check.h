// Update_Check: read the update notice, show it, and act on the service state.
//
// Update_Check fetches the notice page at `address` with Web_Fetch (address alone, so a
// GET with the 60 s time-out) and runs the notice pattern over its text. For each block,
// in page order: 编辑框3 gets the notice and feature texts ("<br>" in any letter case
// becomes a line end), 标签2 the newest version, Download_Address the download address;
// a newer version than the one in 编辑框2 is offered ("检测到新版本！是否查看详情？", Yes
// shows the "版本更新" page) and the site list is filled. Then the block's state decides:
// "正常" fills the site list and goes on; "关闭" offers the maker's article page and ends
// the process; anything else is maintenance and ends it. Ending is
// Desktop_Current().EndProcess(0), after which Update_Check returns at once.
// No notice at all (unreachable server, time-out, no block) changes nothing, asks
// nothing and leaves the site list empty.
#pragma once

#include <string>
#include <string_view>

namespace mozhou::launcher {

class Launcher;

// The notice block layout of the update-notice page: notice text, newest version,
// download address, feature text, service state.
inline constexpr std::string_view kNoticePattern =
    "<h4>(.*?)</h4>\r\n<div>\r\n\t<ul>\r\n\t\t<li>最新版本：(.*?) 版</li>\r\n"
    "\t\t<li>最新版本下载地址:<a href=\"(.*?)\">.*?</a></li>\r\n"
    "\t\t<li>版本功能：(.*?)</li>\r\n\t\t<li>当前状态：(.*?)</li>";

// The maker's article page, opened when this version is withdrawn; below the maker's site.
inline constexpr std::string_view kMakerArticlePath = "/article.php?id=16";

void Update_Check(Launcher& launcher, std::string address);

// True when `newest` is a later version than `current`. Both are split at "."; parts are
// compared in order, a missing part counting as "0". Two parts made only of digits
// compare as numbers (leading zeros do not count, any length); otherwise byte by byte as
// unsigned values, a leading part of the other being the smaller. The first unequal part
// decides. So against 1.3.1: 1.3.2, 2.0, 1.10 and 1.3.10 are newer; 1.3.1, 1.3.1.0 and the
// empty text are not.
bool Version_IsNewer(std::string_view current, std::string_view newest);

}  // namespace mozhou::launcher
