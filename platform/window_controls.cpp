#include "platform/window_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

#include <utility>

#include "platform/desktop.h"

namespace mozhou::ui::controls {
namespace {

constexpr const char* kMenuSeparator = "-";
constexpr int kStatusPartMargin = 2;

QString Q(const std::string& text) { return QString::fromStdString(text); }

QColor Rgb(std::uint32_t rgb) {
  return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>(rgb & 0xFF));
}

bool Has(const ControlSpec& spec, ControlFlag flag) { return (spec.flags & flag) != 0; }

// A hyperlink opens its address through the desktop when it is clicked anywhere on its
// caption, so the program (and a test) sees the request.
class LinkOpener final : public QObject {
 public:
  LinkOpener(QLabel* label, std::string address) : QObject(label), address_(std::move(address)) {
    label->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonRelease) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const auto* label = static_cast<QWidget*>(watched);
      if (mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint())) {
        Desktop_Current().OpenAddress(address_);
      }
    }
    return false;
  }

 private:
  std::string address_;
};

QString LinkMarkup(const std::string& caption) {
  return QStringLiteral("<a href=\"#\">%1</a>").arg(Q(caption).toHtmlEscaped());
}

QWidget* MakeEditBox(const ControlSpec& spec, QWidget* container) {
  if (Has(spec, kMultiLine)) {
    auto* edit = new QPlainTextEdit(container);
    edit->setPlainText(Q(Edit_ToWidget(spec.text)));
    edit->setReadOnly(Has(spec, kReadOnly));
    edit->setVerticalScrollBarPolicy(Has(spec, kVScroll) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
    return edit;
  }
  auto* line = new QLineEdit(Q(Edit_ToWidget(spec.text)), container);
  line->setReadOnly(Has(spec, kReadOnly));
  if (Has(spec, kCentered)) line->setAlignment(Qt::AlignCenter);
  line->setCursorPosition(0);
  return line;
}

QWidget* MakeComboBox(const ControlSpec& spec, QWidget* container) {
  auto* combo = new QComboBox(container);
  combo->setEditable(false);
  for (const Item& item : spec.items) combo->addItem(Q(item.text));
  const int index = combo->findText(Q(spec.text), Qt::MatchExactly);
  combo->setCurrentIndex(index);
  // A text that is no entry is shown while nothing is chosen.
  if (index < 0) combo->setPlaceholderText(Q(spec.text));
  return combo;
}

QWidget* MakeTabControl(const ControlSpec& spec, QWidget* container) {
  auto* tabs = new QTabWidget(container);
  for (const Item& item : spec.items) tabs->addTab(new QWidget(tabs), Q(item.text));
  return tabs;
}

QWidget* MakeHyperlink(const ControlSpec& spec, QWidget* container, Control& control) {
  auto* label = new QLabel(container);
  label->setTextFormat(Qt::RichText);
  label->setTextInteractionFlags(Qt::NoTextInteraction);
  label->setText(LinkMarkup(spec.text));
  label->setCursor(Qt::PointingHandCursor);
  control.caption = spec.text;
  new LinkOpener(label, spec.items.empty() ? std::string() : spec.items.front().text);
  return label;
}

QWidget* MakeListView(const ControlSpec& spec, QWidget* container) {
  auto* list = new QTreeWidget(container);
  list->setRootIsDecorated(false);
  list->setItemsExpandable(false);
  list->setUniformRowHeights(true);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setAllColumnsShowFocus(true);
  list->setSortingEnabled(false);
  list->header()->setStretchLastSection(false);
  list->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QStringList titles;
  for (const Item& item : spec.items) titles << Q(item.text);
  list->setColumnCount(static_cast<int>(titles.size()));
  list->setHeaderLabels(titles);
  for (int column = 0; column < static_cast<int>(spec.items.size()); ++column) {
    list->setColumnWidth(column, spec.items[static_cast<std::size_t>(column)].width);
  }
  return list;
}

QWidget* MakeStatusBar(const ControlSpec& spec, QWidget* container, Control& control) {
  auto* bar = new QFrame(container);
  int left = 0;
  for (const Item& item : spec.items) {
    auto* part = new QLabel(Q(item.text), bar);
    part->setTextFormat(Qt::PlainText);
    part->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    part->setMargin(kStatusPartMargin);
    part->setGeometry(left, 0, item.width, spec.height);
    left += item.width;
    control.parts.push_back(part);
  }
  return bar;
}

QWidget* MakeMenu(const ControlSpec& spec, QWidget* container) {
  auto* menu = new QMenu(container);
  for (const Item& item : spec.items) {
    if (item.text == kMenuSeparator) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(Q(item.text));
    action->setObjectName(Q(item.text));
    action->setEnabled(item.enabled);
  }
  return menu;
}

QLabel* PlainLabel(const std::string& text, QWidget* container) {
  auto* label = new QLabel(Q(text), container);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QWidget* MakeWidget(const ControlSpec& spec, QWidget* container, Control& control) {
  switch (spec.kind) {
    case ControlKind::Button:
    case ControlKind::SuperButton:
    case ControlKind::PictureButton:
      return new QPushButton(Q(spec.text), container);
    case ControlKind::Label:
      return PlainLabel(spec.text, container);
    case ControlKind::TransparentLabel: {
      QLabel* label = PlainLabel(spec.text, container);
      label->setAutoFillBackground(false);
      label->setAttribute(Qt::WA_TranslucentBackground);
      return label;
    }
    case ControlKind::EditBox:
      return MakeEditBox(spec, container);
    case ControlKind::CheckBox:
      return new QCheckBox(Q(spec.text), container);
    case ControlKind::ComboBox:
      return MakeComboBox(spec, container);
    case ControlKind::TabControl:
      return MakeTabControl(spec, container);
    case ControlKind::Hyperlink:
      return MakeHyperlink(spec, container, control);
    case ControlKind::ListView:
      return MakeListView(spec, container);
    case ControlKind::StatusBar:
      return MakeStatusBar(spec, container, control);
    case ControlKind::PictureBox: {
      auto* picture = new QLabel(container);
      picture->setAlignment(Qt::AlignCenter);
      return picture;
    }
    case ControlKind::GroupBox:
      return new QGroupBox(Q(spec.text), container);
    case ControlKind::ShapeBox: {
      auto* frame = new QFrame(container);
      frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      return frame;
    }
    case ControlKind::PopupMenu:
      return MakeMenu(spec, container);
    case ControlKind::HiddenBrowser:
      control.address = spec.text;
      return new QWidget(container);
  }
  return new QWidget(container);
}

}  // namespace

std::string Edit_ToWidget(const std::string& text) {
  std::string converted;
  converted.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    converted += text[i];
  }
  return converted;
}

std::string Edit_FromWidget(const std::string& text) {
  std::string converted;
  converted.reserve(text.size() + text.size() / 16);
  for (const char c : text) {
    if (c == '\n') converted += '\r';
    converted += c;
  }
  return converted;
}

Control Control_Make(const ControlSpec& spec, QWidget* container) {
  Control control;
  control.kind = spec.kind;
  control.name = spec.name;
  control.color = spec.color;
  QWidget* widget = MakeWidget(spec, container, control);
  control.widget = widget;
  widget->setObjectName(Q(spec.name));

  if (spec.kind == ControlKind::PopupMenu) return control;  // a menu is never placed

  widget->setGeometry(spec.left, spec.top, spec.width, spec.height);
  if (Has(spec, kDisabled)) widget->setEnabled(false);
  if (Has(spec, kNoFocus) || spec.kind == ControlKind::Label ||
      spec.kind == ControlKind::TransparentLabel || spec.kind == ControlKind::Hyperlink) {
    widget->setFocusPolicy(Qt::NoFocus);
  }
  if (spec.kind == ControlKind::TransparentLabel) Control_SetTextColor(control, spec.color);
  if (spec.kind == ControlKind::HiddenBrowser || Has(spec, kHidden)) widget->hide();
  return control;
}

QWidget* Control_ChildContainer(const Control& control, int page) {
  if (control.kind == ControlKind::TabControl) {
    auto* tabs = static_cast<QTabWidget*>(control.widget);
    return tabs->widget(page);
  }
  return control.widget;
}

QMenu* Control_Menu(const Control& control) {
  return control.kind == ControlKind::PopupMenu ? static_cast<QMenu*>(control.widget) : nullptr;
}

std::string Control_Text(const Control& control) {
  QWidget* widget = control.widget;
  switch (control.kind) {
    case ControlKind::Button:
    case ControlKind::SuperButton:
    case ControlKind::PictureButton:
      return static_cast<QPushButton*>(widget)->text().toStdString();
    case ControlKind::Label:
    case ControlKind::TransparentLabel:
      return static_cast<QLabel*>(widget)->text().toStdString();
    case ControlKind::EditBox:
      if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        return Edit_FromWidget(edit->toPlainText().toStdString());
      }
      return Edit_FromWidget(static_cast<QLineEdit*>(widget)->text().toStdString());
    case ControlKind::CheckBox:
      return static_cast<QCheckBox*>(widget)->text().toStdString();
    case ControlKind::ComboBox: {
      auto* combo = static_cast<QComboBox*>(widget);
      return combo->currentIndex() < 0 ? std::string() : combo->currentText().toStdString();
    }
    case ControlKind::TabControl: {
      auto* tabs = static_cast<QTabWidget*>(widget);
      return tabs->tabText(tabs->currentIndex()).toStdString();
    }
    case ControlKind::Hyperlink:
      return control.caption;
    case ControlKind::GroupBox:
      return static_cast<QGroupBox*>(widget)->title().toStdString();
    case ControlKind::HiddenBrowser:
      return control.address;
    case ControlKind::ListView:
    case ControlKind::StatusBar:
    case ControlKind::PictureBox:
    case ControlKind::ShapeBox:
    case ControlKind::PopupMenu:
      break;
  }
  return {};
}

void Control_SetText(Control& control, const std::string& text) {
  QWidget* widget = control.widget;
  switch (control.kind) {
    case ControlKind::Button:
    case ControlKind::SuperButton:
    case ControlKind::PictureButton:
      static_cast<QPushButton*>(widget)->setText(Q(text));
      break;
    case ControlKind::Label:
    case ControlKind::TransparentLabel:
      static_cast<QLabel*>(widget)->setText(Q(text));
      break;
    case ControlKind::EditBox:
      if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        edit->setPlainText(Q(Edit_ToWidget(text)));
      } else {
        auto* line = static_cast<QLineEdit*>(widget);
        line->setText(Q(Edit_ToWidget(text)));
        line->setCursorPosition(0);
      }
      break;
    case ControlKind::CheckBox:
      static_cast<QCheckBox*>(widget)->setText(Q(text));
      break;
    case ControlKind::ComboBox: {
      auto* combo = static_cast<QComboBox*>(widget);
      const int index = combo->findText(Q(text), Qt::MatchExactly);
      if (index >= 0) combo->setCurrentIndex(index);
      break;
    }
    case ControlKind::Hyperlink:
      control.caption = text;
      static_cast<QLabel*>(widget)->setText(LinkMarkup(text));
      break;
    case ControlKind::GroupBox:
      static_cast<QGroupBox*>(widget)->setTitle(Q(text));
      break;
    case ControlKind::TabControl:
    case ControlKind::ListView:
    case ControlKind::StatusBar:
    case ControlKind::PictureBox:
    case ControlKind::ShapeBox:
    case ControlKind::PopupMenu:
    case ControlKind::HiddenBrowser:  // its address is set through Browser_SetAddress
      break;
  }
}

void Control_SetTextColor(Control& control, std::uint32_t rgb) {
  control.color = rgb;
  QWidget* widget = control.widget;
  QPalette palette = widget->palette();
  const QColor color = Rgb(rgb);
  palette.setColor(QPalette::WindowText, color);
  palette.setColor(QPalette::Text, color);
  palette.setColor(QPalette::ButtonText, color);
  widget->setPalette(palette);
}

void Control_SetPicture(Control& control, const std::string& bytes) {
  QImage image;
  if (!bytes.empty() && bytes.size() <= kPictureByteLimit) {
    image.loadFromData(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
  }
  control.has_picture = !image.isNull();
  const QSize room = control.widget->size();
  const QPixmap pixmap = image.isNull() ? QPixmap()
                                        : QPixmap::fromImage(image.scaled(room, Qt::KeepAspectRatio,
                                                                          Qt::SmoothTransformation));
  if (control.kind == ControlKind::PictureBox) {
    auto* label = static_cast<QLabel*>(control.widget);
    if (pixmap.isNull()) {
      label->clear();
    } else {
      label->setPixmap(pixmap);
    }
  } else if (control.kind == ControlKind::PictureButton) {
    auto* button = static_cast<QPushButton*>(control.widget);
    button->setIcon(pixmap.isNull() ? QIcon() : QIcon(pixmap));
    button->setIconSize(room);
  } else {
    control.has_picture = false;
  }
}

}  // namespace mozhou::ui::controls
