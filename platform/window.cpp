#include "platform/window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <unordered_map>
#include <utility>

#include "platform/desktop.h"
#include "platform/links.h"
#include "platform/window_controls.h"

namespace mozhou::ui {
namespace {

using controls::Control;

constexpr const char* kCjkFontFamily = "Noto Sans CJK SC";
constexpr int kFontPixelSize = 12;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The root widget. Closing it by the title bar, by Escape or by Close() runs the hook
// first (the window's WillBeDestroyed).
class WindowDialog final : public QDialog {
 public:
  std::function<void()> on_user_close;

 protected:
  void closeEvent(QCloseEvent* event) override {
    closing_ = true;
    if (isVisible() && on_user_close) {
      const std::function<void()> hook = on_user_close;  // the hook may clear the member
      hook();
    }
    QDialog::closeEvent(event);
    closing_ = false;
  }

  // Escape ends in reject(); make it a close so it is seen like the title bar's button.
  void reject() override {
    if (closing_) {
      QDialog::reject();
    } else {
      close();
    }
  }

 private:
  bool closing_ = false;
};

// Passes the watched objects' mouse events on to the window.
class EventRelay final : public QObject {
 public:
  std::function<void(QObject*, QEvent*)> observe;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (observe) observe(watched, event);
    return false;
  }
};

// Outlives the Window while one of its handlers or its modal run is on the stack.
struct Activity final {
  int running = 0;  // handlers and modal runs in progress
  bool alive = true;
};

void ApplyProgramFont(QApplication& app) {
  static bool applied = false;
  if (applied) return;
  applied = true;
  QFont font = app.font();
  if (QFontDatabase::families().contains(kCjkFontFamily)) font.setFamily(kCjkFontFamily);
  font.setPixelSize(kFontPixelSize);
  app.setFont(font);
}

}  // namespace

QApplication& EnsureApplication() {
  if (QCoreApplication* existing = QCoreApplication::instance()) {
    auto* app = qobject_cast<QApplication*>(existing);
    if (app == nullptr) throw std::runtime_error("the running Qt application has no widgets");
    ApplyProgramFont(*app);
    return *app;
  }
  // Never destroyed: windows, plug-ins and process-wide state may outlive any owner.
  static int argc = 1;
  static char program_name[] = "mozhou";
  static char* argv[] = {program_name, nullptr};
  static QApplication* const created = new QApplication(argc, argv);
  ApplyProgramFont(*created);
  return *created;
}

struct Window::Impl final {
  std::unique_ptr<WindowDialog> dialog;
  std::unique_ptr<QObject> wiring;  // context of every connection: gone, all are cut
  std::unique_ptr<EventRelay> relay;
  std::map<std::string, Control, std::less<>> controls;
  std::unordered_map<const QObject*, std::string> names;  // widget → control name
  std::unordered_map<const QObject*, std::pair<std::string, Event>> mouse_targets;
  std::vector<EventSpec> events;
  std::shared_ptr<Activity> activity = std::make_shared<Activity>();
  bool created_scheduled = false;

  void Add(const ControlSpec& spec);
  void Wire();
  void Fire(std::string_view control, Event event, std::string_view item = {});
  void ObserveMouse(QObject* watched, QEvent* event);
  void ScheduleCreated();

  Control* Find(std::string_view name) {
    auto found = controls.find(name);
    return found == controls.end() ? nullptr : &found->second;
  }
  const Control* Find(std::string_view name) const {
    auto found = controls.find(name);
    return found == controls.end() ? nullptr : &found->second;
  }
  template <typename W>
  W* Find(std::string_view name, ControlKind kind) const {
    const Control* control = Find(name);
    return control != nullptr && control->kind == kind ? static_cast<W*>(control->widget) : nullptr;
  }
  QTreeWidget* List(std::string_view name) const { return Find<QTreeWidget>(name, ControlKind::ListView); }
  QComboBox* Combo(std::string_view name) const { return Find<QComboBox>(name, ControlKind::ComboBox); }
  QAction* MenuItem(std::string_view menu, std::string_view item) const;
};

void Window::Impl::Add(const ControlSpec& spec) {
  if (controls.contains(spec.name)) throw std::invalid_argument("duplicate control name: " + spec.name);
  QWidget* container = dialog.get();
  if (!spec.parent.empty()) {
    const Control* parent = Find(spec.parent);
    if (parent == nullptr) {
      throw std::invalid_argument("control " + spec.name + " is inside " + spec.parent +
                                  ", which is not listed before it");
    }
    container = controls::Control_ChildContainer(*parent, spec.page);
    if (container == nullptr) {
      throw std::invalid_argument("control " + spec.name + " is on a page " + spec.parent + " lacks");
    }
  }
  Control control = controls::Control_Make(spec, container);
  names.emplace(control.widget, spec.name);
  controls.emplace(spec.name, std::move(control));
}

void Window::Impl::Wire() {
  QObject* context = wiring.get();
  for (auto& [name, control] : controls) {
    QWidget* widget = control.widget;
    switch (control.kind) {
      case ControlKind::Button:
      case ControlKind::SuperButton:
      case ControlKind::PictureButton:
      case ControlKind::CheckBox:
        QObject::connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, context,
                         [this, name = name] { Fire(name, Event::Clicked); });
        break;
      case ControlKind::Label:
      case ControlKind::TransparentLabel:
        mouse_targets.emplace(widget, std::pair{name, Event::DoubleClicked});
        widget->installEventFilter(relay.get());
        break;
      case ControlKind::ListView: {
        auto* list = static_cast<QTreeWidget*>(widget);
        QObject::connect(list, &QTreeWidget::itemDoubleClicked, context,
                         [this, name = name] { Fire(name, Event::DoubleClicked); });
        mouse_targets.emplace(list->viewport(), std::pair{name, Event::RightButtonReleased});
        list->viewport()->installEventFilter(relay.get());
        break;
      }
      case ControlKind::TabControl:
        QObject::connect(static_cast<QTabWidget*>(widget), &QTabWidget::currentChanged, context,
                         [this, name = name] { Fire(name, Event::PageChanged); });
        break;
      case ControlKind::PopupMenu:
        for (QAction* action : controls::Control_Menu(control)->actions()) {
          if (action->isSeparator()) continue;
          QObject::connect(action, &QAction::triggered, context,
                           [this, name = name, item = action->objectName().toStdString()] {
                             Fire(name, Event::MenuSelected, item);
                           });
        }
        break;
      default:
        break;
    }
    // A transparent label lies over a neighbour's caption (a group box title): it stays
    // above every sibling, whatever the table order, to be seen and clicked.
    if (control.kind == ControlKind::TransparentLabel) widget->raise();
  }
  relay->observe = [this](QObject* watched, QEvent* event) { ObserveMouse(watched, event); };
  dialog->on_user_close = [this] { Fire("", Event::WillBeDestroyed); };
}

void Window::Impl::ObserveMouse(QObject* watched, QEvent* event) {
  const auto target = mouse_targets.find(watched);
  if (target == mouse_targets.end()) return;
  const auto& [name, wanted] = target->second;
  if (wanted == Event::DoubleClicked && event->type() == QEvent::MouseButtonDblClick) {
    Fire(std::string(name), Event::DoubleClicked);
  } else if (wanted == Event::RightButtonReleased && event->type() == QEvent::MouseButtonRelease &&
             static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    Fire(std::string(name), Event::RightButtonReleased);
  }
}

void Window::Impl::Fire(std::string_view control, Event event, std::string_view item) {
  // Copies first: a handler may destroy this window or re-enter it from a nested loop.
  std::vector<std::function<void()>> actions;
  for (const EventSpec& spec : events) {
    if (spec.event == event && spec.control == control &&
        (event != Event::MenuSelected || spec.item == item) && spec.action) {
      actions.push_back(spec.action);
    }
  }
  const std::shared_ptr<Activity> activity_kept = activity;
  for (const auto& action : actions) {
    if (!activity_kept->alive) return;
    ++activity_kept->running;
    try {
      action();
    } catch (...) {
      // An exception must not unwind through Qt's event delivery; the handler is over.
    }
    --activity_kept->running;
  }
}

void Window::Impl::ScheduleCreated() {
  if (created_scheduled) return;
  created_scheduled = true;
  QTimer::singleShot(0, wiring.get(), [this] { Fire("", Event::Created); });
}

QAction* Window::Impl::MenuItem(std::string_view menu, std::string_view item) const {
  const Control* control = Find(menu);
  QMenu* qmenu = control != nullptr ? controls::Control_Menu(*control) : nullptr;
  if (qmenu == nullptr) return nullptr;
  const QString wanted = QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
  for (QAction* action : qmenu->actions()) {
    if (!action->isSeparator() && action->objectName() == wanted) return action;
  }
  return nullptr;
}

Window::Window(const WindowSpec& spec, std::vector<EventSpec> events) : impl_(std::make_unique<Impl>()) {
  EnsureApplication();
  Impl& impl = *impl_;
  impl.events = std::move(events);
  impl.wiring = std::make_unique<QObject>();
  impl.relay = std::make_unique<EventRelay>();
  impl.dialog = std::make_unique<WindowDialog>();
  impl.dialog->setWindowTitle(Q(spec.title));
  impl.dialog->move(spec.left, spec.top);
  impl.dialog->setFixedSize(std::max(0, spec.width - kFrameAllowanceWidth),
                            std::max(0, spec.height - kFrameAllowanceHeight));
  for (const ControlSpec& control : spec.controls) impl.Add(control);
  impl.Wire();
}

Window::~Window() {
  Impl& impl = *impl_;
  impl.activity->alive = false;
  impl.wiring.reset();  // no handler of this window runs again
  impl.relay.reset();
  impl.dialog->on_user_close = nullptr;
  if (impl.activity->running > 0) {
    // A handler or a modal run of this window is still on the stack: the widgets go
    // once control is back in the event loop.
    impl.dialog->hide();
    impl.dialog.release()->deleteLater();
  }
}

void Window::Show() {
  impl_->dialog->show();
  impl_->ScheduleCreated();
}

int Window::ShowModal() {
  impl_->ScheduleCreated();
  WindowDialog* dialog = impl_->dialog.get();
  dialog->setWindowModality(Qt::ApplicationModal);
  const std::shared_ptr<Activity> activity = impl_->activity;
  ++activity->running;
  dialog->exec();  // a handler may destroy this Window meanwhile: touch nothing after
  --activity->running;
  return 1;
}

void Window::Hide() { impl_->dialog->hide(); }
void Window::Close() { impl_->dialog->close(); }
bool Window::IsVisible() const { return impl_->dialog->isVisible(); }
QWidget* Window::Root() const { return impl_->dialog.get(); }

QWidget* Window::Widget(std::string_view name) const {
  const Control* control = impl_->Find(name);
  return control != nullptr ? control->widget : nullptr;
}

std::string Window::Title() const { return impl_->dialog->windowTitle().toStdString(); }
void Window::SetTitle(const std::string& title) { impl_->dialog->setWindowTitle(Q(title)); }

std::string Window::Text(std::string_view name) const {
  const Control* control = impl_->Find(name);
  return control != nullptr ? controls::Control_Text(*control) : std::string();
}

void Window::SetText(std::string_view name, const std::string& text) {
  if (Control* control = impl_->Find(name)) controls::Control_SetText(*control, text);
}

bool Window::IsEnabled(std::string_view name) const {
  const Control* control = impl_->Find(name);
  return control != nullptr && control->widget->isEnabled();
}

void Window::SetEnabled(std::string_view name, bool enabled) {
  if (Control* control = impl_->Find(name)) control->widget->setEnabled(enabled);
}

bool Window::IsShown(std::string_view name) const {
  const Control* control = impl_->Find(name);
  return control != nullptr && control->kind != ControlKind::PopupMenu && !control->widget->isHidden();
}

void Window::SetShown(std::string_view name, bool shown) {
  Control* control = impl_->Find(name);
  if (control == nullptr || control->kind == ControlKind::PopupMenu ||
      control->kind == ControlKind::HiddenBrowser) {
    return;
  }
  control->widget->setVisible(shown);
}

std::uint32_t Window::TextColor(std::string_view name) const {
  const Control* control = impl_->Find(name);
  return control != nullptr ? control->color : 0;
}

void Window::SetTextColor(std::string_view name, std::uint32_t rgb) {
  if (Control* control = impl_->Find(name)) controls::Control_SetTextColor(*control, rgb);
}

void Window::SetFocus(std::string_view name) {
  if (Control* control = impl_->Find(name)) control->widget->setFocus(Qt::OtherFocusReason);
}

std::string Window::FocusedControl() const {
  for (const QWidget* widget = impl_->dialog->focusWidget(); widget != nullptr && widget != impl_->dialog.get();
       widget = widget->parentWidget()) {
    const auto found = impl_->names.find(widget);
    if (found != impl_->names.end()) return found->second;
  }
  return {};
}

// Combo box

void Window::Combo_Clear(std::string_view name) {
  if (QComboBox* combo = impl_->Combo(name)) combo->clear();
}

void Window::Combo_Add(std::string_view name, const std::string& text) {
  if (QComboBox* combo = impl_->Combo(name)) combo->addItem(Q(text));
}

void Window::Combo_Select(std::string_view name, int index) {
  QComboBox* combo = impl_->Combo(name);
  if (combo == nullptr) return;
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

int Window::Combo_Selected(std::string_view name) const {
  const QComboBox* combo = impl_->Combo(name);
  return combo != nullptr ? combo->currentIndex() : -1;
}

int Window::Combo_Count(std::string_view name) const {
  const QComboBox* combo = impl_->Combo(name);
  return combo != nullptr ? combo->count() : 0;
}

std::string Window::Combo_Item(std::string_view name, int index) const {
  const QComboBox* combo = impl_->Combo(name);
  if (combo == nullptr || index < 0 || index >= combo->count()) return {};
  return combo->itemText(index).toStdString();
}

// Tab control

int Window::Tab_Current(std::string_view name) const {
  const auto* tabs = impl_->Find<QTabWidget>(name, ControlKind::TabControl);
  return tabs != nullptr ? tabs->currentIndex() : -1;
}

void Window::Tab_SetCurrent(std::string_view name, int page) {
  auto* tabs = impl_->Find<QTabWidget>(name, ControlKind::TabControl);
  if (tabs != nullptr && page >= 0 && page < tabs->count()) tabs->setCurrentIndex(page);
}

// List view

void Window::List_Clear(std::string_view name) {
  if (QTreeWidget* list = impl_->List(name)) list->clear();
}

int Window::List_AppendRow(std::string_view name) {
  QTreeWidget* list = impl_->List(name);
  if (list == nullptr) return -1;
  new QTreeWidgetItem(list);  // the list owns its rows
  return list->topLevelItemCount() - 1;
}

void Window::List_SetCell(std::string_view name, int row, int column, const std::string& text) {
  QTreeWidget* list = impl_->List(name);
  if (list == nullptr || column < 0 || column >= list->columnCount()) return;
  if (QTreeWidgetItem* item = list->topLevelItem(row)) item->setText(column, Q(text));
}

void Window::List_ReplaceRows(std::string_view name, const std::vector<std::vector<std::string>>& rows) {
  QTreeWidget* list = impl_->List(name);
  if (list == nullptr) return;
  const int columns = list->columnCount();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(rows.size()));
  for (const auto& row : rows) {
    QStringList cells;
    for (int column = 0; column < columns && column < static_cast<int>(row.size()); ++column) {
      cells << Q(row[static_cast<std::size_t>(column)]);
    }
    items << new QTreeWidgetItem(cells);  // handed to the list just below
  }
  list->setUpdatesEnabled(false);
  list->clear();
  list->addTopLevelItems(items);
  list->setUpdatesEnabled(true);
}

std::string Window::List_Cell(std::string_view name, int row, int column) const {
  const QTreeWidget* list = impl_->List(name);
  if (list == nullptr || column < 0 || column >= list->columnCount()) return {};
  const QTreeWidgetItem* item = list->topLevelItem(row);
  return item != nullptr ? item->text(column).toStdString() : std::string();
}

int Window::List_RowCount(std::string_view name) const {
  const QTreeWidget* list = impl_->List(name);
  return list != nullptr ? list->topLevelItemCount() : 0;
}

int Window::List_SelectedRow(std::string_view name) const {
  const QTreeWidget* list = impl_->List(name);
  if (list == nullptr) return -1;
  const QList<QTreeWidgetItem*> selected = list->selectedItems();
  return selected.isEmpty() ? -1 : list->indexOfTopLevelItem(selected.front());
}

void Window::List_SelectRow(std::string_view name, int row) {
  QTreeWidget* list = impl_->List(name);
  if (list == nullptr) return;
  QTreeWidgetItem* item = list->topLevelItem(row);
  if (item == nullptr) {
    list->clearSelection();
    list->setCurrentItem(nullptr);
    return;
  }
  list->setCurrentItem(item);
  item->setSelected(true);
}

// Status bar

std::string Window::Status_Part(std::string_view name, int part) const {
  const Control* control = impl_->Find(name);
  if (control == nullptr || part < 0 || part >= static_cast<int>(control->parts.size())) return {};
  return control->parts[static_cast<std::size_t>(part)]->text().toStdString();
}

void Window::Status_SetPart(std::string_view name, int part, const std::string& text) {
  const Control* control = impl_->Find(name);
  if (control == nullptr || part < 0 || part >= static_cast<int>(control->parts.size())) return;
  control->parts[static_cast<std::size_t>(part)]->setText(Q(text));
}

// Picture box

void Window::Picture_SetBytes(std::string_view name, const std::string& bytes) {
  if (Control* control = impl_->Find(name)) controls::Control_SetPicture(*control, bytes);
}

bool Window::Picture_IsEmpty(std::string_view name) const {
  const Control* control = impl_->Find(name);
  return control == nullptr || !control->has_picture;
}

// Pop-up menu

void Window::Menu_Popup(std::string_view menu) {
  const Control* control = impl_->Find(menu);
  if (QMenu* qmenu = control != nullptr ? controls::Control_Menu(*control) : nullptr) {
    qmenu->popup(QCursor::pos());
  }
}

bool Window::Menu_IsEnabled(std::string_view menu, std::string_view item) const {
  const QAction* action = impl_->MenuItem(menu, item);
  return action != nullptr && action->isEnabled();
}

void Window::Menu_SetEnabled(std::string_view menu, std::string_view item, bool enabled) {
  if (QAction* action = impl_->MenuItem(menu, item)) action->setEnabled(enabled);
}

void Window::Menu_Trigger(std::string_view menu, std::string_view item) {
  if (QAction* action = impl_->MenuItem(menu, item)) action->trigger();  // a disabled item does nothing
}

// Hidden browser

void Window::Browser_SetSiteBase(std::string_view name, const std::string& site_base) {
  Control* control = impl_->Find(name);
  if (control != nullptr && control->kind == ControlKind::HiddenBrowser) control->site_base = site_base;
}

void Window::Browser_SetAddress(std::string_view name, const std::string& address) {
  Control* control = impl_->Find(name);
  if (control == nullptr || control->kind != ControlKind::HiddenBrowser) return;
  control->address = address;
  if (const auto link = links::Link_ForSystem(address, control->site_base)) {
    Desktop_Current().HandDownload(*link);
  }
}

std::string Window::Browser_Address(std::string_view name) const {
  const Control* control = impl_->Find(name);
  return control != nullptr && control->kind == ControlKind::HiddenBrowser ? control->address : std::string();
}

}  // namespace mozhou::ui
