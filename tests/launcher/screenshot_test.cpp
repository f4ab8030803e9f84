// Pictures of the launcher's two pages after a normal update check, for the docs.
// Runs only when MOZHOU_SCREENSHOT_DIR names the folder to write them to
// (scripts/screenshots_launcher.sh sets it).
#include <gtest/gtest.h>

#include <QPixmap>
#include <QWidget>
#include <cstdlib>

#include "tests/launcher/launcher_fixture.h"

namespace mozhou::testing {
namespace {

class LauncherScreenshot : public LauncherTest {};

TEST_F(LauncherScreenshot, BothPages) {
  const char* dir = std::getenv("MOZHOU_SCREENSHOT_DIR");
  if (dir == nullptr || *dir == '\0') GTEST_SKIP() << "MOZHOU_SCREENSHOT_DIR is not set";

  ProbedSites sites(Home::Up, Home::Up, Home::Down);
  standin::NoticeBlock block;
  block.notice = "墨舟 1.3.1 版已发布";
  block.features = "浏览青岚网与悦墨网的书库<br>预览书籍,一键下载";
  StartWithNotice({block});

  const struct {
    int page;
    const char* file;
  } pictures[] = {{0, "/launcher-home.png"}, {1, "/launcher-update.png"}};
  for (const auto& picture : pictures) {
    window().Tab_SetCurrent("高级选择夹1", picture.page);
    QCoreApplication::processEvents();
    const QString path = QString::fromUtf8(dir) + picture.file;
    EXPECT_TRUE(window().Root()->grab().save(path, "PNG")) << path.toStdString();
  }
}

}  // namespace
}  // namespace mozhou::testing
