// The window as its table, the small commands and the library's one export.
#include <dlfcn.h>

#include <QComboBox>
#include <QMenu>
#include <QProcess>
#include <QTreeWidget>
#include <fstream>

#include "platform/trim_timer.h"
#include "tests/qinglan/catalogue_fixture.h"
#include "toolkit/memory_trim.h"

namespace mozhou::testing {
namespace {

class WindowTest : public CatalogueTest {
 protected:
  void SetUp() override {
    CatalogueTest::SetUp();
    Open("http://127.0.0.1:1");
  }
};

TEST_F(WindowTest, OpensAsItsTable) {
  EXPECT_EQ(window().Title(), "青岚测试1.3.1版");
  struct Placed {
    const char* name;
    int left, top, width, height;
  };
  for (const Placed& p : {Placed{"青岚_列表框", 8, 8, 640, 216}, Placed{"按钮_GO1", 120, 226, 32, 24},
                          Placed{"编辑框1", 418, 228, 40, 24}, Placed{"按钮_下一页", 577, 227, 64, 24},
                          Placed{"图片框_书籍图片", 11, 15, 64, 80}, Placed{"按钮_迅雷下载", 571, 82, 80, 25},
                          Placed{"状态条1", 0, 383, 672, 20}}) {
    QWidget* widget = window().Widget(p.name);
    ASSERT_NE(widget, nullptr) << p.name;
    EXPECT_EQ(widget->geometry(), QRect(p.left, p.top, p.width, p.height)) << p.name;
  }
  EXPECT_FALSE(window().IsEnabled("按钮1"));
  EXPECT_FALSE(window().IsEnabled("按钮2"));
  EXPECT_EQ(window().Text("分组框_总"), "等待加载.");
  EXPECT_EQ(window().Text(qinglan::kDescription).rfind("等待加载.\r\n\r\n", 0), 0u);
  EXPECT_EQ(window().Text(qinglan::kCategoryBox), "请选择...");
  EXPECT_EQ(window().Combo_Count(qinglan::kCategoryBox), 16);
  EXPECT_EQ(window().Combo_Item(qinglan::kCategoryBox, 15), "游戏休闲");
  EXPECT_EQ(Status(0), "  状态:");
  EXPECT_EQ(Status(2), "页数：");
  EXPECT_EQ(Status(3), "0/0");

  auto* list = qobject_cast<QTreeWidget*>(window().Widget(qinglan::kList));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->columnCount(), 7);
  EXPECT_EQ(list->headerItem()->text(0).toStdString(), "青岚编号");
  EXPECT_EQ(list->headerItem()->text(6).toStdString(), "作者");
  EXPECT_EQ(list->columnWidth(1), 150);

  EXPECT_TRUE(window().Menu_IsEnabled(qinglan::kMenu, "预览"));
  EXPECT_FALSE(window().Menu_IsEnabled(qinglan::kMenu, "新窗口预览"));
  EXPECT_TRUE(window().Menu_IsEnabled(qinglan::kMenu, "上一页"));
  EXPECT_TRUE(window().Menu_IsEnabled(qinglan::kMenu, "下一页"));
}

TEST_F(WindowTest, CopyTitleReportsWhatTheClipboardDid) {
  QTest::mouseDClick(window().Widget(qinglan::kTitleLabel), Qt::LeftButton);
  EXPECT_EQ(desktop->Entries("clipboard"), std::vector<std::string>{"clipboard|等待加载."});
  EXPECT_EQ(Status(1), "置剪辑板标题成功！");

  desktop->SetClipboardWilling(false);
  QTest::mouseDClick(window().Widget(qinglan::kTitleLabel), Qt::LeftButton);
  EXPECT_EQ(Status(1), "置剪辑板标题失败！");
}

TEST_F(WindowTest, OnlineReadingOnlySaysItIsNotSupported) {
  Click(qinglan::kOnlineReadingButton);
  EXPECT_EQ(Status(1), "当前网站不支持在线阅读或版本限制！");
  EXPECT_TRUE(desktop->log().empty());
}

TEST_F(WindowTest, DownloadsWithoutABookStartNothing) {
  Click(qinglan::kSiteDownloadButton);
  Click(qinglan::kThunderDownloadButton);
  EXPECT_TRUE(desktop->Entries("download").empty());
}

TEST_F(WindowTest, RightClickOnTheEmptyListShowsTheMenu) {
  auto* list = qobject_cast<QTreeWidget*>(window().Widget(qinglan::kList));
  ASSERT_NE(list, nullptr);
  QTest::mouseClick(list->viewport(), Qt::RightButton, {}, QPoint(300, 150));
  auto* menu = window().Root()->findChild<QMenu*>(qinglan::kMenu);
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->isVisible());
  menu->hide();
}

TEST_F(WindowTest, ClosingEndsTheProcessWithCodeZero) {
  window().Close();
  EXPECT_EQ(desktop->end_code(), 0);
}

TEST(QinglanLibrary, ExportsOnlyItsEntry) {
  const std::string path = std::string(MOZHOU_BUILD_BIN) + "/bindll/qinglan.so";
  ASSERT_TRUE(std::ifstream(path).good()) << path;
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  EXPECT_NE(dlsym(library, "加载青岚"), nullptr);

  QProcess nm;
  nm.start("nm", {"-D", "--defined-only", QString::fromStdString(path)});
  ASSERT_TRUE(nm.waitForFinished(10000));
  const QStringList lines = QString::fromUtf8(nm.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 1) << lines.join('\n').toStdString();
  EXPECT_TRUE(lines[0].endsWith(" T 加载青岚")) << lines[0].toStdString();
}

}  // namespace
}  // namespace mozhou::testing

namespace mozhou::testing {
namespace {

TEST(MemoryTrim, AHundredCallsLeaveOneTimer) {
  for (int i = 0; i < 100; ++i) Memory_Trim();
  EXPECT_EQ(trim::TimerCount(), 1);
}

}  // namespace
}  // namespace mozhou::testing
