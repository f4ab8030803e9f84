// The 青岚 catalogue window as data: its control table and the names the routines use.
#pragma once

#include <string>

#include "platform/window.h"

namespace mozhou::qinglan {

inline constexpr const char* kWindowTitle = "青岚测试1.3.1版";

// Control names.
inline constexpr const char* kList = "青岚_列表框";
inline constexpr const char* kCategoryBox = "组合框1";
inline constexpr const char* kCategoryGo = "按钮_GO1";
inline constexpr const char* kCategoryHint = "标签_提示";
inline constexpr const char* kJumpButton = "按钮3";
inline constexpr const char* kPageNumberBox = "编辑框1";
inline constexpr const char* kPageGo = "按钮_GO";
inline constexpr const char* kPreviousButton = "按钮_上一页";
inline constexpr const char* kNextButton = "按钮_下一页";
inline constexpr const char* kTitleLabel = "透明标签1";
inline constexpr const char* kCover = "图片框_书籍图片";
inline constexpr const char* kDescription = "编辑框_内容简介";
inline constexpr const char* kOnlineReadingButton = "按钮_在线阅读";
inline constexpr const char* kSiteDownloadButton = "按钮_本地下载";
inline constexpr const char* kThunderDownloadButton = "按钮_迅雷下载";
inline constexpr const char* kMenu = "右键菜单";
inline constexpr const char* kMenuPreview = "预览";
inline constexpr const char* kMenuNewWindowPreview = "新窗口预览";
inline constexpr const char* kMenuPrevious = "上一页";
inline constexpr const char* kMenuNext = "下一页";

struct Category {
  const char* text;
  const char* key;  // nullptr for the prompt entry
};

// The entries of 组合框1 in order; entry 0 prompts the user.
inline constexpr Category kCategories[] = {
    {"请选择...", nullptr},
    {"最新全本", "special/new_0_0"},
    {"玄幻奇幻", "sort01/list1"},
    {"武侠仙侠", "sort02/list2"},
    {"女频言情", "sort03/list3"},
    {"现代都市", "sort04/list4"},
    {"历史军事", "sort05/list5"},
    {"游戏竞技", "sort06/list6"},
    {"科幻灵异", "sort07/list7"},
    {"美文同人", "sort08/list8"},
    {"剧本教程", "sort09/list9"},
    {"名著杂志", "sort010/list10"},
    {"技术其它", "sort011/list11"},
    {"手机互动", "sort012/list12"},
    {"软件工具", "sort013/list13"},
    {"游戏休闲", "sort014/list14"},
};
inline constexpr int kCategoryCount = sizeof(kCategories) / sizeof(kCategories[0]);

// The initial text of the description box: "等待加载.", an empty line, three credit lines.
inline constexpr const char* kDescriptionInitial =
    "等待加载.\r\n\r\n墨舟 · 青岚网书库浏览插件\r\n书目、封面与简介均来自青岚网\r\n下载交由系统的下载工具完成";

ui::WindowSpec CatalogueWindowSpec();

}  // namespace mozhou::qinglan
