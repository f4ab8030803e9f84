// The parts of a site's catalogue window that every plug-in has in common: the status
// bar `状态条1` (part 1 carries the messages, part 3 the page counter), the hidden
// browser `超文本浏览框1` that hands download links to the system, and the title in the
// caption of `分组框_总`.
#pragma once

#include <string>

#include "platform/window.h"

namespace mozhou::catalogue {

inline constexpr const char* kStatusBar = "状态条1";
inline constexpr int kStatusMessagePart = 1;
inline constexpr int kStatusPageCounterPart = 3;
inline constexpr const char* kDownloadBrowser = "超文本浏览框1";
inline constexpr const char* kTitleGroup = "分组框_总";

inline constexpr const char* kOnlineReadingRefused = "当前网站不支持在线阅读或版本限制！";
inline constexpr const char* kTitleCopied = "置剪辑板标题成功！";
inline constexpr const char* kTitleNotCopied = "置剪辑板标题失败！";

void Status_Message(ui::Window& window, const std::string& text);
void Status_PageCounter(ui::Window& window, const std::string& text);

// Points the hidden browser at `link`, which hands it to the system's downloader (an
// empty or refused link starts nothing), then trims twice.
void Download_Start(ui::Window& window, const std::string& link);

// Puts the caption of `分组框_总` on the clipboard and says in the status bar whether
// the clipboard took it.
void Title_Copy(ui::Window& window);

}  // namespace mozhou::catalogue
