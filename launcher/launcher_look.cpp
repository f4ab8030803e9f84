#include "launcher/launcher_look.h"

#include <QApplication>
#include <QFont>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <vector>

namespace mozhou::launcher {
namespace {

constexpr int kHomePage = 0;
constexpr int kUpdatePage = 1;
constexpr int kTabHeight = 20;
constexpr int kLineEditInnerMargin = 2;  // QLineEdit's fixed horizontal text margin

// The table was laid out with the tabs at the foot of the tab control and each page's
// hyperlink in that strip, right of the tabs (the hyperlinks reach down to y 176 and 178).
// A Qt page ends above its tab bar, so the hyperlinks are lifted onto the tab control
// itself, at the same place, and shown with their page.
void TabControl_LayOut(ui::Window& window) {
  auto* tabs = qobject_cast<QTabWidget*>(window.Widget("高级选择夹1"));
  if (tabs == nullptr) return;
  tabs->setTabPosition(QTabWidget::South);
  // A compact tab, so that the pages reach down to the bottom row at y 151.
  tabs->tabBar()->setStyleSheet(QString("QTabBar::tab { height: %1px; }").arg(kTabHeight));
  struct Lifted {
    QWidget* widget;
    int page;
  };
  const std::vector<Lifted> lifted = {{window.Widget("超级链接框2"), kHomePage},
                                      {window.Widget("超级链接框1"), kUpdatePage}};
  for (const Lifted& link : lifted) {
    const QRect place = link.widget->geometry();
    link.widget->setParent(tabs);
    link.widget->setGeometry(place);
  }
  const auto show_current = [tabs, lifted] {
    for (const Lifted& link : lifted) {
      link.widget->setVisible(link.page == tabs->currentIndex());
      link.widget->raise();
    }
  };
  QObject::connect(tabs, &QTabWidget::currentChanged, tabs, show_current);
  show_current();
}

// The table was laid out for a face whose ASCII characters are half as wide as a CJK
// character, as in the fixed-pitch CJK faces. Only there does "当前版本:     版" frame
// 编辑框2: "当前版本:" ends at x 250, where the box begins, and the five blanks reach to its
// end; in a proportional face the box covers "版".
void Window_UseHalfWidthFace(ui::Window& window) {
  QFont font = window.Root()->font();
  font.setFamilies({"Noto Sans Mono CJK SC", "WenQuanYi Zen Hei Mono", "monospace"});
  window.Root()->setFont(font);
}

// 编辑框2 is 28 pixels wide, just the width of "1.3.1": it shows the version without a
// frame or Qt's inner margin, in the program's proportional face, so that the digits
// read as part of the caption around them.
void VersionBox_Fit(ui::Window& window) {
  auto* box = qobject_cast<QLineEdit*>(window.Widget("编辑框2"));
  if (box == nullptr) return;
  box->setFrame(false);
  box->setTextMargins(-kLineEditInnerMargin, 0, -kLineEditInnerMargin, 0);
  box->setFont(QApplication::font());
}

}  // namespace

void LauncherWindow_FitLook(ui::Window& window) {
  TabControl_LayOut(window);
  Window_UseHalfWidthFace(window);
  VersionBox_Fit(window);
}

}  // namespace mozhou::launcher
