// The whole road in one process: the notice is read, the list filled, "加载" starts the
// real 青岚 plug-in (bin/bindll/qinglan.so), whose window loads a category, previews a
// row and hands its download link to the desktop; closing it returns to the launcher.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <functional>

#include "platform/library.h"
#include "tests/launcher/launcher_fixture.h"

namespace mozhou::testing {
namespace {

constexpr int kCategory = 2;  // "玄幻奇幻"
constexpr int kDriveAttempts = 500;
constexpr int kDrivePollMs = 20;

QWidget* Window_Titled(const QString& prefix) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->isVisible() && top->windowTitle().startsWith(prefix)) return top;
  }
  return nullptr;
}

// What the drive of the 青岚 window saw.
struct Road {
  bool reached = false;
  bool launcher_hidden = false;
  int rows = 0;
  std::string first_number;
  std::string first_title;
  std::string caption;
};

// Works the 青岚 window as a user would; the window is closed in any case.
void Qinglan_Drive(QWidget* dialog, Road& road) {
  struct CloseAtEnd {
    QWidget* dialog;
    ~CloseAtEnd() { dialog->close(); }
  } close_at_end{dialog};
  const auto click = [dialog](const char* name) {
    auto* button = dialog->findChild<QAbstractButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    button->click();
  };

  auto* category = dialog->findChild<QComboBox*>("组合框1");
  ASSERT_NE(category, nullptr);
  category->setCurrentIndex(kCategory);
  click("按钮_GO1");

  auto* list = dialog->findChild<QTreeWidget*>("青岚_列表框");
  ASSERT_NE(list, nullptr);
  road.rows = list->topLevelItemCount();
  ASSERT_GT(road.rows, 0);
  QTreeWidgetItem* first = list->topLevelItem(0);
  road.first_number = first->text(0).toStdString();
  road.first_title = first->text(1).toStdString();
  const QPoint at = list->visualItemRect(first).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);

  auto* detail = dialog->findChild<QGroupBox*>("分组框_总");
  ASSERT_NE(detail, nullptr);
  road.caption = detail->title().toStdString();
  click("按钮_本地下载");
}

class LauncherRoadTest : public LauncherTest {};

TEST_F(LauncherRoadTest, FromTheNoticeToADownloadInTheQinglanWindow) {
  const std::string plugins = MOZHOU_BUILD_BIN "/bindll";
  ASSERT_TRUE(std::filesystem::exists(plugins + "/qinglan.so")) << "build the qinglan target";

  auto qinglan = standin::Site::Start({standin::SiteKind::Qinglan});
  auto notice = standin::Site::Start({standin::SiteKind::Notice});
  ASSERT_NE(qinglan, nullptr);
  ASSERT_NE(notice, nullptr);
  HomePage yuemo(Home::Up);
  HomePage yunjian(Home::Up);
  ScopedEnvironment qinglan_base("MOZHOU_QINGLAN_BASE", qinglan->Base());
  ScopedEnvironment yuemo_base("MOZHOU_YUEMO_BASE", yuemo.Base());
  ScopedEnvironment yunjian_base("MOZHOU_YUNJIAN_BASE", yunjian.Base());
  ScopedEnvironment notice_base("MOZHOU_NOTICE_BASE", notice->Base());

  Start(launcher::LauncherPlaces_Default().notice_address, plugins);
  ASSERT_EQ(window().Text("组合框1"), "青岚网【下载类】(正常)");
  ASSERT_TRUE(desktop->log().empty());

  Road road;
  int attempts = 0;
  std::function<void()> drive = [&] {
    QWidget* dialog = Window_Titled("青岚测试");
    if (dialog == nullptr) {
      if (++attempts < kDriveAttempts) QTimer::singleShot(kDrivePollMs, drive);
      return;
    }
    road.reached = true;
    road.launcher_hidden = !window().IsVisible();
    Qinglan_Drive(dialog, road);
  };
  QTimer::singleShot(0, drive);
  Click("按钮1");  // returns once the 青岚 window has closed

  ASSERT_TRUE(road.reached) << "the 青岚 window did not open";
  EXPECT_TRUE(road.launcher_hidden);
  ASSERT_FALSE(road.first_number.empty()) << "no rows in the category";
  EXPECT_EQ(road.first_number,
            std::to_string(standin::Qinglan_BookNumber(kCategory, 1, 1)));
  EXPECT_EQ(road.caption, road.first_title);
  EXPECT_EQ(desktop->Entries("download"),
            std::vector<std::string>{"download|" + qinglan->Base() +
                                     standin::Qinglan_SiteLink(std::stoi(road.first_number))});
  EXPECT_EQ(desktop->end_code(), 0) << "closing the 青岚 window ends the process";
  EXPECT_TRUE(window().IsVisible()) << "the launcher comes back when the entry returns";
}

}  // namespace
}  // namespace mozhou::testing
