// mozhou-screenshots DIR: draws the windows on the offscreen platform against stand-in
// servers started in this process, and saves them in DIR: both pages of the launcher after
// its update check (launcher-home.png, launcher-update.png), and the 青岚 catalogue window
// with a loaded list page and a previewed book (qinglan-window.png).
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTreeWidget>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "launcher/launcher_window.h"
#include "platform/desktop.h"
#include "platform/window.h"
#include "plugins/qinglan/catalogue_window.h"
#include "plugins/qinglan/catalogue_window_table.h"
#include "standin/standin.h"

namespace {

bool Save(QWidget* widget, const std::string& path) {
  const bool saved = widget->grab().save(QString::fromStdString(path), "PNG");
  std::printf("%s %s\n", saved ? "wrote" : "could not write", path.c_str());
  return saved;
}

constexpr int kUpdateCheckWaitMs = 15000;

bool DrawLauncher(const std::string& dir) {
  mozhou::standin::NoticeBlock block;
  block.notice = "墨舟 1.3.1 版已发布";
  block.features = "浏览青岚网与悦墨网的书库<br>预览书籍,一键下载";
  auto notice = mozhou::standin::Site::Start({mozhou::standin::SiteKind::Notice, 0, {block}});
  auto qinglan = mozhou::standin::Site::Start({mozhou::standin::SiteKind::Qinglan});
  auto yuemo = mozhou::standin::Site::Start({mozhou::standin::SiteKind::Yuemo});
  if (!notice || !qinglan || !yuemo) return false;
  setenv("MOZHOU_QINGLAN_BASE", qinglan->Base().c_str(), 1);
  setenv("MOZHOU_YUEMO_BASE", yuemo->Base().c_str(), 1);
  setenv("MOZHOU_YUNJIAN_BASE", "http://127.0.0.1:1", 1);  // 云笺书屋 does not answer

  mozhou::launcher::Launcher launcher({notice->Base() + "/cnwzsj.html", "/nonexistent"});
  launcher.Show();
  QElapsedTimer waited;
  waited.start();
  while (!launcher.UpdateCheckFinished() && waited.elapsed() < kUpdateCheckWaitMs) {
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  bool saved = launcher.UpdateCheckFinished();
  const struct {
    int page;
    const char* file;
  } pictures[] = {{0, "/launcher-home.png"}, {1, "/launcher-update.png"}};
  for (const auto& picture : pictures) {
    launcher.window().Tab_SetCurrent("高级选择夹1", picture.page);
    QApplication::processEvents();
    saved = Save(launcher.window().Root(), dir + picture.file) && saved;
  }
  return saved;
}

bool DrawQinglan(const std::string& dir) {
  auto site = mozhou::standin::Site::Start({mozhou::standin::SiteKind::Qinglan});
  if (!site) return false;
  mozhou::qinglan::CatalogueWindow catalogue(site->Base());
  mozhou::ui::Window& window = catalogue.window();
  window.Show();
  QApplication::processEvents();

  window.Combo_Select(mozhou::qinglan::kCategoryBox, 2);
  catalogue.Category_Go();
  catalogue.Page_Next();
  window.List_SelectRow(mozhou::qinglan::kList, 2);
  catalogue.Book_Preview();
  QApplication::processEvents();
  return Save(window.Root(), dir + "/qinglan-window.png");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: mozhou-screenshots DIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  mozhou::ui::EnsureApplication();
  mozhou::ui::Desktop_Install(std::make_unique<mozhou::ui::ScriptedDesktop>());

  const bool drawn = DrawLauncher(dir) && DrawQinglan(dir);
  if (!drawn) std::fprintf(stderr, "mozhou-screenshots: not every window could be drawn\n");
  return drawn ? 0 : 1;
}
