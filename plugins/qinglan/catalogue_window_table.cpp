#include "plugins/qinglan/catalogue_window_table.h"

namespace mozhou::qinglan {
namespace {

using ui::ControlKind;
using ui::Item;
using ui::kDisabled;
using ui::kMultiLine;

std::vector<Item> CategoryItems() {
  std::vector<Item> items;
  for (const Category& category : kCategories) items.push_back({category.text});
  return items;
}

}  // namespace

ui::WindowSpec CatalogueWindowSpec() {
  return {
      kWindowTitle, 50, 50, 678, 435,
      {
          // kind                          name                 inside         pg  left top  w    h    text
          {ControlKind::StatusBar,        "状态条1",           "",             0,   0, 383, 672,  20, "", 0,
           {{"  状态:", 50}, {"", 200}, {"页数：", 40}, {"0/0", 60},
            {"墨舟 · 青岚网插件", 150}, {"仅供浏览书目，请支持正版", 200}}},
          {ControlKind::ShapeBox,         "外形框1",           "",             0,   8,   8, 656, 256, ""},
          {ControlKind::ListView,         "青岚_列表框",       "外形框1",      0,   8,   8, 640, 216, "", 0,
           {{"青岚编号", 80}, {"名称", 150}, {"大小", 60}, {"日期", 80},
            {"类型", 70}, {"环境", 80}, {"作者", 100}}},
          {ControlKind::ComboBox,         "组合框1",           "外形框1",      0,   8, 228, 112,  20, "请选择...", 0,
           CategoryItems()},
          {ControlKind::SuperButton,      "按钮_GO1",          "外形框1",      0, 120, 226,  32,  24, "GO"},
          {ControlKind::TransparentLabel, "标签_提示",         "外形框1",      0, 167, 230, 121,  16, ""},
          {ControlKind::Button,           "按钮3",             "外形框1",      0, 296, 227,  32,  24, "编"},
          {ControlKind::Button,           "按钮1",             "外形框1",      0, 328, 227,  72,  24, "测试版", kDisabled},
          {ControlKind::EditBox,          "编辑框1",           "外形框1",      0, 418, 228,  40,  24, ""},
          {ControlKind::SuperButton,      "按钮_GO",           "外形框1",      0, 460, 227,  32,  24, "GO"},
          {ControlKind::SuperButton,      "按钮_上一页",       "外形框1",      0, 506, 227,  64,  24, "上一页"},
          {ControlKind::SuperButton,      "按钮_下一页",       "外形框1",      0, 577, 227,  64,  24, "下一页"},
          {ControlKind::ShapeBox,         "外形框2",           "",             0,   8, 264, 656, 112, ""},
          {ControlKind::TransparentLabel, "透明标签1",         "外形框2",      0,   8,   0, 184,  16, ""},
          {ControlKind::GroupBox,         "分组框_总",         "外形框2",      0,   0,   2, 656, 110, "等待加载."},
          {ControlKind::PictureBox,       "图片框_书籍图片",   "分组框_总",    0,  11,  15,  64,  80, ""},
          {ControlKind::EditBox,          "编辑框_内容简介",   "分组框_总",    0,  90,  22, 462,  66, kDescriptionInitial, kMultiLine},
          {ControlKind::Button,           "按钮_在线阅读",     "分组框_总",    0, 571,   7,  80,  25, "在线阅读"},
          {ControlKind::Button,           "按钮2",             "分组框_总",    0, 571,  32,  80,  25, "新窗口", kDisabled},
          {ControlKind::Button,           "按钮_本地下载",     "分组框_总",    0, 571,  58,  80,  25, "本地下载"},
          {ControlKind::Button,           "按钮_迅雷下载",     "分组框_总",    0, 571,  82,  80,  25, "迅雷下载"},
          {ControlKind::HiddenBrowser,    "超文本浏览框1",     "分组框_总",    0, 536,  80,  32,  24, ""},
          {ControlKind::PopupMenu,        "右键菜单",          "",             0,   0,   0,   0,   0, "", 0,
           {{"预览"}, {"新窗口预览", 0, false}, {"-"}, {"上一页"}, {"下一页"}}},
      },
  };
}

}  // namespace mozhou::qinglan
