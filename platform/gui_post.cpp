#include "platform/gui_post.h"

#include <QMetaObject>
#include <QWidget>

namespace mozhou::ui {

void Gui_Post(const Window& window, std::function<void()> step) {
  // Queued on the root widget: Qt runs it in the widget's thread and discards it when the
  // widget goes away first.
  QMetaObject::invokeMethod(window.Root(), std::move(step), Qt::QueuedConnection);
}

}  // namespace mozhou::ui
