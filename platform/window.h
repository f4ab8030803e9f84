// The window layer: windows built from a control table and an event table, on Qt Widgets.
//
// A window is data: a WindowSpec lists its controls (kind, name, parent, position, size,
// initial text, flags) and an event list says which handler runs for which control and
// event. Geometry is absolute, as given; a control inside a tab control is placed on the
// page its `page` field names, relative to that page. Every widget's objectName is its
// control name, so tests and accessibility tools find it.
//
// Every member of Window must be called on the GUI thread, except Root(), whose answer
// never changes. Texts are UTF-8; edit boxes take and give line ends as "\r\n". A table
// error (a duplicate name, a parent that is not listed before its child) throws
// std::invalid_argument from the constructor. Naming a control that does not exist, or
// one of another kind, does nothing and reads as empty (-1 for indexes).
//
// Events: Created runs once from the event loop after the first Show()/ShowModal();
// WillBeDestroyed when the shown window is closed (by the user, Escape or Close());
// Clicked for buttons and the check box; DoubleClicked for a list row and for labels;
// RightButtonReleased on the list view, over a row or not; MenuSelected for an enabled
// item; PageChanged for the tab control, also when the program changes the page.
// Handlers run on the GUI thread and may be entered again while one waits in a nested
// event loop. A handler may destroy its Window: the widgets then go away once control is
// back in the event loop, and no further handler of that window runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QWidget;
class QApplication;

namespace mozhou::ui {

inline constexpr std::size_t kPictureByteLimit = 16u << 20;

enum class ControlKind {
  Button,
  SuperButton,
  PictureButton,
  Label,
  TransparentLabel,  // no background; `color` is its text colour; lies over its siblings
  EditBox,
  CheckBox,
  ComboBox,          // `items`: the entries; `text` selects the entry of that text
  TabControl,        // `items`: the page captions
  Hyperlink,         // `text`: caption; `items[0].text`: the address it opens
  ListView,          // report view; `items`: column titles with widths
  StatusBar,         // `items`: part texts with widths
  PictureBox,
  GroupBox,          // `text`: caption
  ShapeBox,
  PopupMenu,         // not placed; `items`: item texts, "-" a separator, `enabled`
  HiddenBrowser,     // not visible; setting its address hands the link to the system
};

enum ControlFlag : unsigned {
  kDisabled = 1u << 0,
  kMultiLine = 1u << 1,  // edit box
  kReadOnly = 1u << 2,   // edit box
  kVScroll = 1u << 3,    // edit box: vertical scroll bar
  kCentered = 1u << 4,   // edit box: text centred
  kNoFocus = 1u << 5,    // takes no keyboard focus
  kHidden = 1u << 6,     // not shown at start (SetShown shows it)
};

// The root widget is the client area: the outer size less the frame allowance.
inline constexpr int kFrameAllowanceWidth = 6;
inline constexpr int kFrameAllowanceHeight = 32;

struct Item {
  std::string text;
  int width = 0;
  bool enabled = true;
};

struct ControlSpec {
  ControlKind kind;
  std::string name;
  std::string parent;  // empty: the window itself
  int page;            // page of the parent tab control; 0 otherwise
  int left, top, width, height;
  std::string text;
  unsigned flags = 0;
  std::vector<Item> items = {};
  std::uint32_t color = 0x000000;  // 0xRRGGBB
};

struct WindowSpec {
  std::string title;
  int left, top;
  int width, height;  // outer size, frame included
  std::vector<ControlSpec> controls;
};

enum class Event {
  Created,              // the window: after it was built and shown
  WillBeDestroyed,      // the window: the user closes it
  Clicked,              // buttons, check box
  DoubleClicked,        // list view, labels
  RightButtonReleased,  // list view
  MenuSelected,         // a pop-up menu item; EventSpec::item names it
  PageChanged,          // tab control
};

struct EventSpec {
  std::string control;  // empty: the window itself; for MenuSelected the menu's name
  Event event;
  std::function<void()> action;
  std::string item = {};  // MenuSelected: the item text
};

// The application object: the existing one, or a new QApplication when the process has
// none (a plug-in may be entered from any Qt process or from none); a created one is never
// destroyed. Sets the application font once: Noto Sans CJK SC where installed, 12 px.
// Throws std::runtime_error when the process runs a Qt application without widgets.
QApplication& EnsureApplication();

class Window final {
 public:
  Window(const WindowSpec& spec, std::vector<EventSpec> events);
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Showing. Created runs once, from the event loop, after the first show.
  void Show();
  int ShowModal();  // runs until the window is closed; returns 1 when it opened
  void Hide();
  void Close();     // as if the user closed it (WillBeDestroyed runs)
  bool IsVisible() const;

  QWidget* Root() const;
  QWidget* Widget(std::string_view name) const;  // nullptr for an unknown name

  std::string Title() const;
  void SetTitle(const std::string& title);

  // Caption or text, by kind: button, label, check box, hyperlink, group box: caption;
  // edit box: its text; combo box: the current entry's text (setting it selects the entry
  // of that text, if there is one); tab control: the current page's caption; hidden
  // browser: its address (read only here; Browser_SetAddress sets it).
  std::string Text(std::string_view name) const;
  void SetText(std::string_view name, const std::string& text);

  bool IsEnabled(std::string_view name) const;
  void SetEnabled(std::string_view name, bool enabled);
  // The control's own shown state (kHidden, SetShown), whether or not the window shows.
  bool IsShown(std::string_view name) const;
  void SetShown(std::string_view name, bool shown);
  std::uint32_t TextColor(std::string_view name) const;
  void SetTextColor(std::string_view name, std::uint32_t rgb);
  void SetFocus(std::string_view name);
  std::string FocusedControl() const;  // name of the control with the keyboard focus

  // Combo box.
  void Combo_Clear(std::string_view name);
  void Combo_Add(std::string_view name, const std::string& text);
  void Combo_Select(std::string_view name, int index);
  int Combo_Selected(std::string_view name) const;  // -1 when none
  int Combo_Count(std::string_view name) const;
  std::string Combo_Item(std::string_view name, int index) const;

  // Tab control.
  int Tab_Current(std::string_view name) const;
  void Tab_SetCurrent(std::string_view name, int page);

  // List view. Rows and columns count from 0.
  void List_Clear(std::string_view name);
  int List_AppendRow(std::string_view name);  // an empty row; returns its index
  void List_SetCell(std::string_view name, int row, int column, const std::string& text);
  // Empties the list and fills it with `rows` in one step, so no other load's rows can
  // come between.
  void List_ReplaceRows(std::string_view name, const std::vector<std::vector<std::string>>& rows);
  std::string List_Cell(std::string_view name, int row, int column) const;
  int List_RowCount(std::string_view name) const;
  int List_SelectedRow(std::string_view name) const;  // -1 when none
  void List_SelectRow(std::string_view name, int row);

  // Status bar parts, counted from 0.
  std::string Status_Part(std::string_view name, int part) const;
  void Status_SetPart(std::string_view name, int part, const std::string& text);

  // Picture box and picture button: GIF, JPEG, PNG or BMP bytes, scaled to fit; empty,
  // undecodable or oversized (kPictureByteLimit) bytes empty the box.
  void Picture_SetBytes(std::string_view name, const std::string& bytes);
  bool Picture_IsEmpty(std::string_view name) const;

  // Pop-up menu. Popping up returns at once; a chosen item fires MenuSelected.
  void Menu_Popup(std::string_view menu);  // at the mouse position
  bool Menu_IsEnabled(std::string_view menu, std::string_view item) const;
  void Menu_SetEnabled(std::string_view menu, std::string_view item, bool enabled);
  void Menu_Trigger(std::string_view menu, std::string_view item);  // as if chosen

  // Hidden browser: setting the address remembers it and hands the link that the link
  // rules (links.h) make of it, with the site base set here, to
  // Desktop_Current().HandDownload. An empty or refused address hands on nothing.
  void Browser_SetSiteBase(std::string_view name, const std::string& site_base);
  void Browser_SetAddress(std::string_view name, const std::string& address);
  std::string Browser_Address(std::string_view name) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace mozhou::ui
