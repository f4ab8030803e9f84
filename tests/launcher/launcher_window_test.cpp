// The launcher window as drawn: every control of a page can be seen whole when its page
// is shown, and the version caption frames its edit box.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <algorithm>
#include <QLabel>
#include <QWidget>

#include "tests/launcher/launcher_fixture.h"

namespace mozhou::testing {
namespace {

using LauncherWindowTest = ShownLauncherTest;

// The part of a control that must be seen: all of its width, and of its height as much
// as one line of its text needs (a hyperlink's box reaches below the tab control).
QRect Needed(const QWidget* widget) {
  return {0, 0, widget->width(), std::min(widget->height(), widget->fontMetrics().height())};
}

// True when no ancestor up to `top` cuts into `rect` (in `widget`'s coordinates).
bool Unclipped(const QWidget* widget, QRect rect, const QWidget* top) {
  for (const QWidget* w = widget; w != top; w = w->parentWidget()) {
    if (!w->rect().contains(rect)) return false;
    rect.translate(w->pos());
  }
  return true;
}

TEST_F(LauncherWindowTest, EveryControlOfAPageIsSeenWholeWithItsPage) {
  const ui::WindowSpec spec = launcher::LauncherWindow_Spec();
  for (int page = 0; page < 2; ++page) {
    window().Tab_SetCurrent("高级选择夹1", page);
    QCoreApplication::processEvents();
    for (const ui::ControlSpec& control : spec.controls) {
      if (control.parent != "高级选择夹1") continue;
      SCOPED_TRACE(control.name);
      const QWidget* widget = window().Widget(control.name);
      ASSERT_NE(widget, nullptr);
      EXPECT_EQ(widget->isVisible(), control.page == page);
      if (control.page != page) continue;
      EXPECT_TRUE(Unclipped(widget, Needed(widget), window().Root()));
      if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        const QString caption = QString::fromStdString(window().Text(control.name));
        EXPECT_LE(label->fontMetrics().horizontalAdvance(caption), widget->width()) << "caption cut";
      }
    }
  }
}

// "当前版本:" ends where 编辑框2 begins, and "版" begins after it ends.
TEST_F(LauncherWindowTest, TheVersionCaptionFramesItsEditBox) {
  const QWidget* caption = window().Widget("标签1");
  const QWidget* box = window().Widget("编辑框2");
  const QFontMetrics metrics = caption->fontMetrics();
  const int caption_left = caption->mapTo(window().Root(), QPoint(0, 0)).x();
  const int box_left = box->mapTo(window().Root(), QPoint(0, 0)).x();
  EXPECT_LE(caption_left + metrics.horizontalAdvance("当前版本:"), box_left);
  EXPECT_GE(caption_left + metrics.horizontalAdvance("当前版本:     "), box_left + box->width());
  EXPECT_LE(box->fontMetrics().horizontalAdvance(QString::fromStdString(window().Text("编辑框2"))),
            box->width());
}

}  // namespace
}  // namespace mozhou::testing
