// mozhou-screenshots DIR: draws the catalogue window of 青岚 on the offscreen platform,
// against a stand-in site started in this process, with a loaded list page and a
// previewed book, and saves it as DIR/qinglan-window.png.
#include <QAbstractButton>
#include <QApplication>
#include <QPixmap>
#include <QTreeWidget>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

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

  auto site = mozhou::standin::Site::Start({mozhou::standin::SiteKind::Qinglan});
  if (!site) {
    std::fprintf(stderr, "mozhou-screenshots: the stand-in site could not start\n");
    return 1;
  }
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

  return Save(window.Root(), dir + "/qinglan-window.png") ? 0 : 1;
}
