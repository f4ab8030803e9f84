// Fill_Site_List: probe the novel sites and rebuild the launcher's site list.
//
// Empties 组合框1, reads the home pages ("/") of 青岚网, 悦墨网 and 云笺书屋 with the plain
// URL reader, all three at once, each within kProbeTimeout, and adds the four entries in
// their order: 青岚网 and 悦墨网 as "(正常)" when their home page gave a non-empty text
// (bytes before the first zero byte), else "(维护)"; 云笺书屋 as "(待开放)" whatever it
// answered; then "敬请期待". The first entry is selected. So a fill takes about as long
// as its slowest probe, at most one probe time-out.
//
// 按钮1 is disabled while the probes run, so "加载" never acts on a list being rebuilt,
// and enabled once the four entries are in: the load handler answers every entry it
// cannot start itself. The keyboard focus then goes to 按钮1. Window events keep running
// while the probes wait; the widgets are touched on the GUI thread only.
#pragma once

#include <chrono>
#include <string_view>

#include "platform/window.h"

namespace mozhou::launcher {

inline constexpr std::chrono::seconds kProbeTimeout{5};

inline constexpr std::string_view kQinglanUp = "青岚网【下载类】(正常)";
inline constexpr std::string_view kQinglanDown = "青岚网【下载类】(维护)";
inline constexpr std::string_view kYuemoUp = "悦墨网【下载类】(正常)";
inline constexpr std::string_view kYuemoDown = "悦墨网【下载类】(维护)";
inline constexpr std::string_view kYunjianEntry = "云笺书屋【阅读类】(待开放)";
inline constexpr std::string_view kComingEntry = "敬请期待";

void Fill_Site_List(ui::Window& window);

}  // namespace mozhou::launcher
