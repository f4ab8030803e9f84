// The control kinds on Qt widgets: the one place where a ControlKind becomes a widget.
//
// Internal to the window layer (window.cpp builds windows with it). Control_Make creates
// the widget of one table line as a child of the given container, with its objectName,
// geometry, initial text, items and flags; Qt's parent ownership keeps it. The per-kind
// reads and writes below do nothing (or read empty) for kinds they do not apply to.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/window.h"

class QLabel;
class QMenu;

namespace mozhou::ui::controls {

struct Control final {
  ControlKind kind = ControlKind::ShapeBox;
  std::string name;
  QWidget* widget = nullptr;   // owned by its Qt parent; a pop-up menu's QMenu too
  std::vector<QLabel*> parts;  // status bar parts, left to right
  std::string caption;         // hyperlink caption
  std::string address;         // hidden browser address
  std::string site_base;       // hidden browser site base
  std::uint32_t color = 0;
  bool has_picture = false;
};

// Builds the control of `spec` inside `container` (a pop-up menu: owned by `container`,
// never placed).
Control Control_Make(const ControlSpec& spec, QWidget* container);

// Where the children of `control` go: a tab control's page `page` (nullptr for a page it
// does not have), the widget itself for every other kind.
QWidget* Control_ChildContainer(const Control& control, int page);

std::string Control_Text(const Control& control);
void Control_SetText(Control& control, const std::string& text);
void Control_SetTextColor(Control& control, std::uint32_t rgb);
void Control_SetPicture(Control& control, const std::string& bytes);

QMenu* Control_Menu(const Control& control);  // nullptr unless a pop-up menu

// Edit box line ends: "\r\n" inside the program, "\n" inside the widget.
std::string Edit_ToWidget(const std::string& text);
std::string Edit_FromWidget(const std::string& text);

}  // namespace mozhou::ui::controls
