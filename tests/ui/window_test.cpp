// Windows built from a control table: geometry, kinds, texts, operations and events,
// driven through real widgets on the offscreen platform.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>
#include <string>
#include <vector>

#include "platform/window.h"
#include "tests/support/scripted_desktop_scope.h"

namespace mozhou::ui {
namespace {

constexpr const char* kLinkAddress = "http://127.0.0.1:47998/about";

// One control of every kind, laid out like the program's windows: a tab control with
// pages, shape boxes and a group box holding controls, a status bar along the bottom.
WindowSpec SampleSpec() {
  return {
      "样例窗口", 50, 50, 678, 435,
      {
          // kind                          name            inside        pg left top  w    h   text
          {ControlKind::StatusBar,        "状态条1",      "",            0,   0, 383, 672, 20, "", 0,
           {{"  状态:", 50}, {"", 200}, {"页数：", 40}, {"0/0", 60}}},
          {ControlKind::TabControl,       "选择夹1",      "",            0,   8,   8, 304, 176, "", 0,
           {{"首页"}, {"版本更新"}}},
          {ControlKind::ComboBox,         "组合框1",      "选择夹1",     0,  13,  11, 176, 20, "乙", 0,
           {{"甲"}, {"乙"}, {"丙"}}},
          {ControlKind::Button,           "按钮1",        "选择夹1",     0, 200,   8,  80, 24, "加载", kDisabled},
          {ControlKind::EditBox,          "编辑框1",      "选择夹1",     0,   8,  44, 280, 88, "第一行\r\n第二行",
           kMultiLine | kVScroll | kReadOnly},
          {ControlKind::CheckBox,         "选择框1",      "选择夹1",     0,  13, 135, 147, 14, "加载皮肤"},
          {ControlKind::Label,            "标签1",        "选择夹1",     0, 196, 136,  96, 15, "当前版本:     版"},
          {ControlKind::EditBox,          "编辑框2",      "选择夹1",     0, 250, 135,  28, 16, "1.3.1",
           kCentered | kReadOnly},
          {ControlKind::Hyperlink,        "超级链接框1",  "选择夹1",     1, 168, 152, 128, 24, "官网：", 0,
           {{kLinkAddress}}},
          {ControlKind::Button,           "按钮3",        "选择夹1",     1, 158, 129,  60, 22, "手动更新", kNoFocus},
          {ControlKind::ShapeBox,         "外形框1",      "",            0, 320,   8, 344, 256, ""},
          {ControlKind::ListView,         "列表框",       "外形框1",     0,   8,   8, 328, 180, "", 0,
           {{"编号", 80}, {"名称", 150}, {"大小", 60}}},
          {ControlKind::SuperButton,      "按钮_GO",      "外形框1",     0,   8, 226,  32, 24, "GO"},
          {ControlKind::PictureButton,    "图片按钮",     "",            0, 677,   0,  96, 74, "", kHidden},
          {ControlKind::ShapeBox,         "外形框2",      "",            0,   8, 264, 656, 112, ""},
          {ControlKind::TransparentLabel, "透明标签1",    "外形框2",     0,   8,   0, 184, 16, "", 0, {}, 0xFF0000},
          {ControlKind::GroupBox,         "分组框_总",    "外形框2",     0,   0,   2, 656, 110, "等待加载."},
          {ControlKind::PictureBox,       "图片框",       "分组框_总",   0,  11,  15,  64, 80, ""},
          {ControlKind::HiddenBrowser,    "浏览框",       "分组框_总",   0, 536,  80,  32, 24, ""},
          {ControlKind::PopupMenu,        "右键菜单",     "",            0,   0,   0,   0,  0, "", 0,
           {{"预览"}, {"新窗口预览", 0, false}, {"-"}, {"上一页"}}},
      },
  };
}

// Every event of the sample window, recorded as "event control[/item]".
std::vector<EventSpec> RecordingEvents(std::vector<std::string>& log) {
  auto record = [&log](std::string line) { return [&log, line] { log.push_back(line); }; };
  return {
      {"", Event::Created, record("created")},
      {"", Event::WillBeDestroyed, record("closing")},
      {"按钮1", Event::Clicked, record("clicked 按钮1")},
      {"按钮_GO", Event::Clicked, record("clicked 按钮_GO")},
      {"选择框1", Event::Clicked, record("clicked 选择框1")},
      {"列表框", Event::DoubleClicked, record("double 列表框")},
      {"列表框", Event::RightButtonReleased, record("right 列表框")},
      {"透明标签1", Event::DoubleClicked, record("double 透明标签1")},
      {"选择夹1", Event::PageChanged, record("page 选择夹1")},
      {"右键菜单", Event::MenuSelected, record("menu 预览"), "预览"},
      {"右键菜单", Event::MenuSelected, record("menu 新窗口预览"), "新窗口预览"},
      {"右键菜单", Event::MenuSelected, record("menu 上一页"), "上一页"},
  };
}

std::string PictureBytes(int width, int height, const char* format) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::darkCyan);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, format)) << format;
  return bytes.toStdString();
}

// What the system delivers for a double click: press, release, double click, release.
void DoubleClick(QWidget* widget, QPoint at) {
  QTest::mouseClick(widget, Qt::LeftButton, {}, at);
  QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
  QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

class WindowTest : public ::testing::Test {
 protected:
  // Shows the window and lets its Created event run, then starts the log afresh.
  void Show() {
    window_.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.Root()));
    QCoreApplication::processEvents();
    log_.clear();
  }
  template <typename W>
  W* Widget(const char* name) const {
    auto* widget = qobject_cast<W*>(window_.Widget(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QPoint RowCentre(int row) const {
    auto* list = Widget<QTreeWidget>("列表框");
    return list->visualItemRect(list->topLevelItem(row)).center();
  }

  testing::ScriptedDesktopScope desktop_;
  std::vector<std::string> log_;
  Window window_{SampleSpec(), RecordingEvents(log_)};
};

TEST_F(WindowTest, ClientAreaIsTheOuterSizeLessTheFrame) {
  QWidget* root = window_.Root();
  EXPECT_EQ(root->size(), QSize(672, 403));
  EXPECT_EQ(root->pos(), QPoint(50, 50));
  EXPECT_EQ(window_.Title(), "样例窗口");
  // The status bar along the bottom fills the client area's width and ends at its foot.
  const QRect bar = window_.Widget("状态条1")->geometry();
  EXPECT_EQ(bar.right() + 1, root->width());
  EXPECT_EQ(bar.bottom() + 1, root->height());
  window_.SetTitle("新标题");
  EXPECT_EQ(root->windowTitle().toStdString(), "新标题");
}

TEST_F(WindowTest, EveryControlSitsWhereItsTableLineSays) {
  auto* tabs = Widget<QTabWidget>("选择夹1");
  QWidget* root = window_.Root();
  for (const ControlSpec& spec : SampleSpec().controls) {
    SCOPED_TRACE(spec.name);
    QWidget* widget = window_.Widget(spec.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->objectName().toStdString(), spec.name);
    if (spec.kind == ControlKind::PopupMenu) {
      EXPECT_NE(qobject_cast<QMenu*>(widget), nullptr);
      continue;
    }
    EXPECT_EQ(widget->geometry(), QRect(spec.left, spec.top, spec.width, spec.height));
    QWidget* expected_parent = spec.parent.empty()        ? root
                               : spec.parent == "选择夹1" ? tabs->widget(spec.page)
                                                          : window_.Widget(spec.parent);
    EXPECT_EQ(widget->parentWidget(), expected_parent);
  }
}

TEST_F(WindowTest, KindsBecomeTheirWidgets) {
  EXPECT_NE(Widget<QPushButton>("按钮1"), nullptr);
  EXPECT_NE(Widget<QPushButton>("按钮_GO"), nullptr);
  EXPECT_NE(Widget<QPushButton>("图片按钮"), nullptr);
  EXPECT_NE(Widget<QCheckBox>("选择框1"), nullptr);
  EXPECT_NE(Widget<QGroupBox>("分组框_总"), nullptr);
  EXPECT_NE(Widget<QFrame>("外形框1"), nullptr);

  auto* legend = Widget<QPlainTextEdit>("编辑框1");
  EXPECT_TRUE(legend->isReadOnly());
  EXPECT_EQ(legend->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  auto* version = Widget<QLineEdit>("编辑框2");
  EXPECT_TRUE(version->isReadOnly());
  EXPECT_TRUE(version->alignment() & Qt::AlignHCenter);

  auto* combo = Widget<QComboBox>("组合框1");
  EXPECT_FALSE(combo->isEditable());

  auto* tabs = Widget<QTabWidget>("选择夹1");
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(0).toStdString(), "首页");
  EXPECT_EQ(tabs->tabText(1).toStdString(), "版本更新");

  auto* list = Widget<QTreeWidget>("列表框");
  EXPECT_FALSE(list->rootIsDecorated());
  EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);
  ASSERT_EQ(list->columnCount(), 3);
  EXPECT_EQ(list->headerItem()->text(1).toStdString(), "名称");
  EXPECT_EQ(list->columnWidth(0), 80);
  EXPECT_EQ(list->columnWidth(1), 150);
  EXPECT_EQ(list->columnWidth(2), 60);

  auto* menu = Widget<QMenu>("右键菜单");
  ASSERT_EQ(menu->actions().size(), 4);
  EXPECT_TRUE(menu->actions()[2]->isSeparator());
  EXPECT_EQ(menu->actions()[1]->objectName().toStdString(), "新窗口预览");
  EXPECT_EQ(menu->actions()[1]->text().toStdString(), "新窗口预览");
}

TEST_F(WindowTest, InitialTextsStatesAndFocusPolicies) {
  EXPECT_EQ(window_.Text("按钮1"), "加载");
  EXPECT_EQ(window_.Text("标签1"), "当前版本:     版");
  EXPECT_EQ(window_.Text("编辑框1"), "第一行\r\n第二行");
  EXPECT_EQ(window_.Text("编辑框2"), "1.3.1");
  EXPECT_EQ(window_.Text("选择框1"), "加载皮肤");
  EXPECT_EQ(window_.Text("组合框1"), "乙");
  EXPECT_EQ(window_.Text("超级链接框1"), "官网：");
  EXPECT_EQ(window_.Text("分组框_总"), "等待加载.");
  EXPECT_EQ(window_.Text("选择夹1"), "首页");
  EXPECT_EQ(window_.Text("透明标签1"), "");

  EXPECT_FALSE(window_.IsEnabled("按钮1"));
  EXPECT_TRUE(window_.IsEnabled("按钮_GO"));
  EXPECT_TRUE(window_.IsEnabled("选择框1"));
  window_.SetEnabled("按钮1", true);
  EXPECT_TRUE(window_.IsEnabled("按钮1"));

  EXPECT_EQ(window_.Widget("标签1")->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(window_.Widget("透明标签1")->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(window_.Widget("超级链接框1")->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(window_.Widget("按钮3")->focusPolicy(), Qt::NoFocus);
  EXPECT_NE(window_.Widget("按钮_GO")->focusPolicy(), Qt::NoFocus);

  EXPECT_FALSE(window_.IsShown("图片按钮"));
  EXPECT_FALSE(window_.IsShown("浏览框"));
  EXPECT_TRUE(window_.IsShown("按钮_GO"));
  window_.SetShown("图片按钮", true);
  window_.SetShown("浏览框", true);  // the hidden browser never shows
  EXPECT_TRUE(window_.IsShown("图片按钮"));
  EXPECT_FALSE(window_.IsShown("浏览框"));
}

TEST_F(WindowTest, UnknownNamesAndWrongKindsAreHarmless) {
  EXPECT_EQ(window_.Widget("无此控件"), nullptr);
  EXPECT_EQ(window_.Text("无此控件"), "");
  window_.SetText("无此控件", "x");
  EXPECT_FALSE(window_.IsEnabled("无此控件"));
  EXPECT_EQ(window_.Combo_Selected("列表框"), -1);
  EXPECT_EQ(window_.List_AppendRow("组合框1"), -1);
  EXPECT_EQ(window_.List_RowCount("组合框1"), 0);
  EXPECT_EQ(window_.Status_Part("按钮1", 0), "");
  EXPECT_EQ(window_.Tab_Current("列表框"), -1);
  EXPECT_FALSE(window_.Menu_IsEnabled("按钮1", "预览"));
  EXPECT_TRUE(window_.Picture_IsEmpty("按钮1"));
  window_.Browser_SetAddress("按钮1", "http://127.0.0.1/x");
  EXPECT_TRUE(desktop_.desktop().log().empty());
}

TEST(WindowTableTest, TableErrorsAreRefused) {
  const std::vector<ControlSpec> duplicate = {
      {ControlKind::Button, "按钮1", "", 0, 0, 0, 10, 10, "a"},
      {ControlKind::Button, "按钮1", "", 0, 0, 20, 10, 10, "b"},
  };
  const std::vector<ControlSpec> parent_later = {
      {ControlKind::Button, "按钮1", "外形框1", 0, 0, 0, 10, 10, "a"},
      {ControlKind::ShapeBox, "外形框1", "", 0, 0, 0, 100, 100, ""},
  };
  const std::vector<ControlSpec> missing_page = {
      {ControlKind::TabControl, "选择夹1", "", 0, 0, 0, 100, 100, "", 0, {{"首页"}}},
      {ControlKind::Button, "按钮1", "选择夹1", 1, 0, 0, 10, 10, "a"},
  };
  for (const auto& controls : {duplicate, parent_later, missing_page}) {
    EXPECT_THROW(Window(WindowSpec{"x", 0, 0, 100, 100, controls}, {}), std::invalid_argument);
  }
}

TEST_F(WindowTest, EditBoxesTakeAndGiveCrLf) {
  window_.SetText("编辑框1", "甲\r\n乙\r\n\r\n丙");
  EXPECT_EQ(Widget<QPlainTextEdit>("编辑框1")->toPlainText().toStdString(), "甲\n乙\n\n丙");
  EXPECT_EQ(window_.Text("编辑框1"), "甲\r\n乙\r\n\r\n丙");

  // What the user types arrives with "\n" and reads back with "\r\n".
  Widget<QPlainTextEdit>("编辑框1")->setPlainText("一\n二");
  EXPECT_EQ(window_.Text("编辑框1"), "一\r\n二");

  window_.SetText("编辑框1", window_.Text("编辑框1") + "三\r\n");
  EXPECT_EQ(window_.Text("编辑框1"), "一\r\n二三\r\n");

  window_.SetText("编辑框2", "2.0");
  EXPECT_EQ(window_.Text("编辑框2"), "2.0");
}

TEST_F(WindowTest, ComboBoxEntries) {
  EXPECT_EQ(window_.Combo_Count("组合框1"), 3);
  EXPECT_EQ(window_.Combo_Selected("组合框1"), 1);

  window_.SetText("组合框1", "丙");
  EXPECT_EQ(window_.Combo_Selected("组合框1"), 2);
  window_.SetText("组合框1", "不是条目");
  EXPECT_EQ(window_.Text("组合框1"), "丙");

  window_.Combo_Clear("组合框1");
  EXPECT_EQ(window_.Combo_Count("组合框1"), 0);
  EXPECT_EQ(window_.Combo_Selected("组合框1"), -1);
  EXPECT_EQ(window_.Text("组合框1"), "");

  window_.Combo_Add("组合框1", "青岚网【下载类】(正常)");
  window_.Combo_Add("组合框1", "敬请期待");
  window_.Combo_Select("组合框1", 1);
  EXPECT_EQ(window_.Text("组合框1"), "敬请期待");
  EXPECT_EQ(window_.Combo_Item("组合框1", 0), "青岚网【下载类】(正常)");
  EXPECT_EQ(window_.Combo_Item("组合框1", 2), "");
  window_.Combo_Select("组合框1", 5);
  EXPECT_EQ(window_.Combo_Selected("组合框1"), -1);
}

TEST(WindowComboTest, TextThatIsNoEntryLeavesNothingChosen) {
  Window window({"x", 0, 0, 200, 100,
                 {{ControlKind::ComboBox, "组合框1", "", 0, 0, 0, 100, 20, "请选择...", 0, {{"甲"}, {"乙"}}}}},
                {});
  EXPECT_EQ(window.Combo_Selected("组合框1"), -1);
  EXPECT_EQ(qobject_cast<QComboBox*>(window.Widget("组合框1"))->placeholderText().toStdString(), "请选择...");
}

TEST_F(WindowTest, ListRows) {
  std::vector<std::vector<std::string>> rows;
  for (int i = 0; i < 30; ++i) rows.push_back({std::to_string(i), "书" + std::to_string(i), "1MB"});
  window_.List_ReplaceRows("列表框", rows);
  ASSERT_EQ(window_.List_RowCount("列表框"), 30);
  EXPECT_EQ(window_.List_Cell("列表框", 0, 1), "书0");
  EXPECT_EQ(window_.List_Cell("列表框", 29, 0), "29");
  EXPECT_EQ(window_.List_Cell("列表框", 30, 0), "");
  EXPECT_EQ(window_.List_Cell("列表框", 0, 3), "");

  window_.List_SelectRow("列表框", 4);
  EXPECT_EQ(window_.List_SelectedRow("列表框"), 4);

  // A second load replaces every row: none of the first load's rows stays behind.
  window_.List_ReplaceRows("列表框", {{"a", "b", "c"}, {"d"}});
  EXPECT_EQ(window_.List_RowCount("列表框"), 2);
  EXPECT_EQ(window_.List_Cell("列表框", 1, 0), "d");
  EXPECT_EQ(window_.List_Cell("列表框", 1, 1), "");
  EXPECT_EQ(window_.List_SelectedRow("列表框"), -1);

  const int row = window_.List_AppendRow("列表框");
  EXPECT_EQ(row, 2);
  window_.List_SetCell("列表框", row, 2, "大小");
  window_.List_SetCell("列表框", row, 7, "无此列");
  window_.List_SetCell("列表框", 9, 0, "无此行");
  EXPECT_EQ(window_.List_Cell("列表框", row, 2), "大小");
  EXPECT_EQ(window_.List_RowCount("列表框"), 3);

  window_.List_SelectRow("列表框", -1);
  EXPECT_EQ(window_.List_SelectedRow("列表框"), -1);
  window_.List_Clear("列表框");
  EXPECT_EQ(window_.List_RowCount("列表框"), 0);
  EXPECT_EQ(Widget<QTreeWidget>("列表框")->columnCount(), 3);
}

TEST_F(WindowTest, StatusBarParts) {
  EXPECT_EQ(window_.Status_Part("状态条1", 0), "  状态:");
  EXPECT_EQ(window_.Status_Part("状态条1", 2), "页数：");
  EXPECT_EQ(window_.Status_Part("状态条1", 3), "0/0");
  window_.Status_SetPart("状态条1", 1, "跳转完毕.");
  EXPECT_EQ(window_.Status_Part("状态条1", 1), "跳转完毕.");
  window_.Status_SetPart("状态条1", 9, "无此部分");
  EXPECT_EQ(window_.Status_Part("状态条1", 9), "");

  // The parts stand side by side with their fixed widths.
  const auto parts = window_.Widget("状态条1")->findChildren<QLabel*>();
  ASSERT_EQ(parts.size(), 4);
  const int widths[] = {50, 200, 40, 60};
  int left = 0;
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(parts[i]->geometry(), QRect(left, 0, widths[i], 20)) << i;
    left += widths[i];
  }
}

TEST_F(WindowTest, TextColourAndOverlap) {
  EXPECT_EQ(window_.TextColor("透明标签1"), 0xFF0000u);
  window_.SetTextColor("透明标签1", 0xFF00FF);
  EXPECT_EQ(window_.TextColor("透明标签1"), 0xFF00FFu);
  EXPECT_EQ(window_.Widget("透明标签1")->palette().color(QPalette::WindowText), QColor(255, 0, 255));
  EXPECT_FALSE(window_.Widget("透明标签1")->autoFillBackground());
  // Listed before the group box, the label still lies above the group box's caption.
  EXPECT_EQ(window_.Widget("外形框2")->childAt(20, 8), window_.Widget("透明标签1"));
}

TEST_F(WindowTest, TabPages) {
  EXPECT_EQ(window_.Tab_Current("选择夹1"), 0);
  window_.Tab_SetCurrent("选择夹1", 1);
  EXPECT_EQ(window_.Tab_Current("选择夹1"), 1);
  EXPECT_EQ(window_.Text("选择夹1"), "版本更新");
  window_.Tab_SetCurrent("选择夹1", 2);
  EXPECT_EQ(window_.Tab_Current("选择夹1"), 1);
  EXPECT_EQ(log_, (std::vector<std::string>{"page 选择夹1"}));
}

TEST_F(WindowTest, MenuItems) {
  EXPECT_TRUE(window_.Menu_IsEnabled("右键菜单", "预览"));
  EXPECT_FALSE(window_.Menu_IsEnabled("右键菜单", "新窗口预览"));
  EXPECT_FALSE(window_.Menu_IsEnabled("右键菜单", "-"));

  window_.Menu_Trigger("右键菜单", "预览");
  window_.Menu_Trigger("右键菜单", "新窗口预览");  // disabled: nothing
  window_.Menu_SetEnabled("右键菜单", "上一页", false);
  window_.Menu_Trigger("右键菜单", "上一页");
  window_.Menu_SetEnabled("右键菜单", "上一页", true);
  window_.Menu_Trigger("右键菜单", "上一页");
  EXPECT_EQ(log_, (std::vector<std::string>{"menu 预览", "menu 上一页"}));
}

TEST_F(WindowTest, MenuPopsUpWithoutBlocking) {
  Show();
  window_.Menu_Popup("右键菜单");
  auto* menu = Widget<QMenu>("右键菜单");
  EXPECT_TRUE(menu->isVisible());
  menu->hide();
}

TEST_F(WindowTest, PicturesFromBytes) {
  struct Case {
    const char* what;
    std::string bytes;
    bool shows;
  };
  const Case cases[] = {
      {"png", PictureBytes(200, 100, "PNG"), true},
      {"bmp", PictureBytes(32, 40, "BMP"), true},
      {"jpeg", PictureBytes(50, 50, "JPG"), true},
      {"garbage", "GIF89a this is not a picture", false},
      {"empty", "", false},
  };
  auto* box = Widget<QLabel>("图片框");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    window_.Picture_SetBytes("图片框", PictureBytes(10, 10, "PNG"));  // something to replace
    window_.Picture_SetBytes("图片框", c.bytes);
    EXPECT_EQ(window_.Picture_IsEmpty("图片框"), !c.shows);
    EXPECT_EQ(box->pixmap().isNull(), !c.shows);
  }
  // Scaled to fit the 64×80 box, keeping its shape.
  window_.Picture_SetBytes("图片框", PictureBytes(200, 100, "PNG"));
  EXPECT_EQ(box->pixmap().size(), QSize(64, 32));

  window_.Picture_SetBytes("图片按钮", PictureBytes(93, 54, "PNG"));
  EXPECT_FALSE(window_.Picture_IsEmpty("图片按钮"));
  EXPECT_FALSE(Widget<QPushButton>("图片按钮")->icon().isNull());
  window_.Picture_SetBytes("图片按钮", "");
  EXPECT_TRUE(window_.Picture_IsEmpty("图片按钮"));
}

TEST_F(WindowTest, FocusFollowsSetFocus) {
  Show();
  window_.SetFocus("按钮_GO");
  EXPECT_EQ(window_.FocusedControl(), "按钮_GO");
  window_.SetFocus("组合框1");
  EXPECT_EQ(window_.FocusedControl(), "组合框1");
}

TEST_F(WindowTest, CreatedRunsOnceFromTheEventLoop) {
  window_.Show();
  EXPECT_TRUE(log_.empty());  // not inside Show()
  QCoreApplication::processEvents();
  window_.Hide();
  window_.Show();
  QCoreApplication::processEvents();
  EXPECT_EQ(log_, (std::vector<std::string>{"created"}));
}

TEST_F(WindowTest, ClicksReachTheirHandlers) {
  Widget<QAbstractButton>("按钮_GO")->click();
  Widget<QAbstractButton>("选择框1")->click();
  Widget<QAbstractButton>("按钮1")->click();  // disabled
  EXPECT_EQ(log_, (std::vector<std::string>{"clicked 按钮_GO", "clicked 选择框1"}));
}

TEST_F(WindowTest, ListMouseEvents) {
  Show();
  window_.List_ReplaceRows("列表框", {{"1", "甲", "1K"}, {"2", "乙", "2K"}});
  QWidget* viewport = Widget<QTreeWidget>("列表框")->viewport();
  const QPoint empty_area(20, viewport->height() - 5);

  DoubleClick(viewport, RowCentre(1));
  EXPECT_EQ(window_.List_SelectedRow("列表框"), 1);
  DoubleClick(viewport, empty_area);  // no row: no event
  QTest::mouseClick(viewport, Qt::RightButton, {}, RowCentre(0));
  QTest::mouseClick(viewport, Qt::RightButton, {}, empty_area);
  QTest::mouseClick(viewport, Qt::LeftButton, {}, RowCentre(0));
  EXPECT_EQ(log_, (std::vector<std::string>{"double 列表框", "right 列表框", "right 列表框"}));
}

TEST_F(WindowTest, LabelDoubleClick) {
  Show();
  DoubleClick(window_.Widget("透明标签1"), QPoint(5, 5));
  QTest::mouseClick(window_.Widget("透明标签1"), Qt::LeftButton);
  EXPECT_EQ(log_, (std::vector<std::string>{"double 透明标签1"}));
}

TEST_F(WindowTest, HyperlinkOpensItsAddressThroughTheDesktop) {
  Show();
  window_.Tab_SetCurrent("选择夹1", 1);
  QTest::mouseClick(window_.Widget("超级链接框1"), Qt::LeftButton);
  EXPECT_EQ(desktop_.desktop().log(), (std::vector<std::string>{std::string("open|") + kLinkAddress}));
}

TEST_F(WindowTest, ClosingRunsWillBeDestroyed) {
  window_.Close();  // never shown: the user cannot have closed it
  EXPECT_TRUE(log_.empty());

  Show();
  window_.Close();
  EXPECT_FALSE(window_.IsVisible());
  EXPECT_EQ(log_, (std::vector<std::string>{"closing"}));

  Show();
  QTest::keyClick(window_.Root(), Qt::Key_Escape);
  EXPECT_FALSE(window_.IsVisible());
  EXPECT_EQ(log_, (std::vector<std::string>{"closing"}));
}

TEST(WindowModalTest, ShowModalRunsUntilClosed) {
  std::unique_ptr<Window> window;
  std::vector<std::string> log;
  window = std::make_unique<Window>(
      WindowSpec{"模态", 50, 50, 200, 100, {}},
      std::vector<EventSpec>{
          {"", Event::Created, [&] { log.push_back("created"); window->Close(); }},
          {"", Event::WillBeDestroyed, [&] { log.push_back("closing"); }},
      });
  EXPECT_EQ(window->ShowModal(), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"created", "closing"}));
  EXPECT_FALSE(window->IsVisible());
}

TEST(WindowLifetimeTest, AHandlerMayDestroyItsWindow) {
  std::vector<std::string> log;
  std::unique_ptr<Window> window;
  window = std::make_unique<Window>(
      WindowSpec{"x", 0, 0, 200, 100, {{ControlKind::Button, "按钮1", "", 0, 0, 0, 50, 20, "关"}}},
      std::vector<EventSpec>{
          {"按钮1", Event::Clicked, [&] { window.reset(); }},
          {"按钮1", Event::Clicked, [&] { log.push_back("second handler"); }},
      });
  QPointer<QWidget> root = window->Root();
  auto* button = qobject_cast<QAbstractButton*>(window->Widget("按钮1"));
  button->click();
  EXPECT_EQ(window, nullptr);
  EXPECT_TRUE(log.empty());  // the window's other handlers no longer run
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(root.isNull());
}

TEST(WindowLifetimeTest, ClosingHandlerMayDestroyItsWindow) {
  std::unique_ptr<Window> window;
  window = std::make_unique<Window>(WindowSpec{"x", 0, 0, 200, 100, {}},
                                    std::vector<EventSpec>{{"", Event::WillBeDestroyed, [&] { window.reset(); }}});
  QPointer<QWidget> root = window->Root();
  window->Show();
  window->Close();
  EXPECT_EQ(window, nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(root.isNull());
}

TEST_F(WindowTest, HandlersMayBeEnteredAgainFromANestedLoop) {
  std::vector<std::string> order;
  Window window(
      {"x", 0, 0, 200, 100,
       {{ControlKind::Button, "慢", "", 0, 0, 0, 50, 20, "慢"}, {ControlKind::Button, "快", "", 0, 0, 30, 50, 20, "快"}}},
      {{"慢", Event::Clicked,
        [&] {
          order.push_back("slow begins");
          QEventLoop wait;  // as a fetch waits: the window's events keep running
          QTimer::singleShot(0, [&] { qobject_cast<QAbstractButton*>(window.Widget("快"))->click(); });
          QTimer::singleShot(0, &wait, &QEventLoop::quit);
          wait.exec();
          order.push_back("slow ends");
        }},
       {"快", Event::Clicked, [&] { order.push_back("fast"); }}});
  qobject_cast<QAbstractButton*>(window.Widget("慢"))->click();
  EXPECT_EQ(order, (std::vector<std::string>{"slow begins", "fast", "slow ends"}));
}

TEST(ApplicationTest, TheRunningApplicationWithTheCjkFont) {
  QApplication& app = EnsureApplication();
  EXPECT_EQ(&app, QCoreApplication::instance());
  EXPECT_EQ(QApplication::font().pixelSize(), 12);
  if (QFontDatabase::families().contains("Noto Sans CJK SC")) {
    EXPECT_EQ(QApplication::font().family().toStdString(), "Noto Sans CJK SC");
  }
}

}  // namespace
}  // namespace mozhou::ui
