// Layout tables: every screen describes its window and controls as data.
// Positions and sizes are in twips (1/1440 inch, 15 twips a pixel at 96 dpi).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace hc {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend constexpr bool operator==(Rgb, Rgb) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kDarkRed{192, 0, 0};
inline constexpr Rgb kGreen{0, 192, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kDarkBlue{0, 0, 192};
inline constexpr Rgb kMagenta{255, 0, 255};
inline constexpr Rgb kDarkGrey{64, 64, 64};
inline constexpr Rgb kLightGrey{192, 192, 192};
inline constexpr Rgb kDarkPurple{64, 0, 64};

// Text fields, labels, push buttons, option buttons (one selected per group),
// read-only tables (a header row and rows of cells) and multi-line text
// fields (plain text, one entry a line).
enum class Kind { Text, Label, Button, Option, Table, TextArea };

// The default font size of every control that sets no font of its own.
inline constexpr double kDefaultFontSize = 9;

// How a control follows the edges of a window the user can resize: each of
// its edges moves by a share of the client area's growth beyond the table's
// size, across for the left and right edges, down for the top and bottom:
// 0 keeps the edge where the table puts it, 1 keeps its distance to the
// window's right or bottom edge. Two tables stacked share the room by
// halves: the upper one's bottom edge and the lower one's top edge 0.5.
// A screen whose table anchors any control can be resized and maximized,
// and not made smaller than its table; the others keep their size.
struct Anchors {
  double left = 0, top = 0, right = 0, bottom = 0;
  constexpr bool any() const { return left != 0 || top != 0 || right != 0 || bottom != 0; }
  friend constexpr bool operator==(const Anchors&, const Anchors&) = default;
};

// A control below a growing table: it keeps its distance to the bottom edge.
inline constexpr Anchors kFollowBottom{.top = 1, .bottom = 1};
// A table that takes all the added room.
inline constexpr Anchors kFillRoom{.right = 1, .bottom = 1};

// One control of a layout table: its state right after the screen's load.
struct ControlSpec {
  std::string_view name;
  Kind kind = Kind::Label;
  std::string_view text;  // field text, label or button caption
  int left = 0, top = 0, width = 0, height = 0;
  Rgb color = kBlack;
  bool readOnly = false;
  bool visible = true;
  bool enabled = true;
  std::string_view font;  // empty: the program's default font
  double fontSize = kDefaultFontSize;  // points; 10.5 and the like occur
  bool bold = false;
  bool autoSize = true;  // a label sizes itself to its caption
  int group = 0;         // option buttons: the group in which one is selected
  bool checked = false;  // option buttons: selected at load
  bool today = false;    // text fields: today's date at load, as YYYY-MM-DD
  std::span<const std::string_view> columns;  // tables: the column headers
  std::span<const Rgb> columnColors;          // tables: each column's text colour; empty: `color` for all
  Anchors anchors;                            // how it follows a resizable window's edges

  constexpr ControlSpec Color(Rgb c) const {
    ControlSpec s = *this;
    s.color = c;
    return s;
  }
  constexpr ControlSpec ReadOnly() const {
    ControlSpec s = *this;
    s.readOnly = true;
    return s;
  }
  constexpr ControlSpec Hidden() const {
    ControlSpec s = *this;
    s.visible = false;
    return s;
  }
  constexpr ControlSpec Disabled() const {
    ControlSpec s = *this;
    s.enabled = false;
    return s;
  }
  // A label of fixed size: it keeps its table geometry whatever its caption.
  constexpr ControlSpec FixedSize() const {
    ControlSpec s = *this;
    s.autoSize = false;
    return s;
  }
  // An option button selected at load.
  constexpr ControlSpec Checked() const {
    ControlSpec s = *this;
    s.checked = true;
    return s;
  }
  // A table whose columns have text colours of their own, one per column.
  constexpr ControlSpec ColumnColors(std::span<const Rgb> colors) const {
    ControlSpec s = *this;
    s.columnColors = colors;
    return s;
  }
  // A text field that shows today's date (local time, YYYY-MM-DD) when its
  // screen loads, in place of a fixed text.
  constexpr ControlSpec TodayAtLoad() const {
    ControlSpec s = *this;
    s.today = true;
    return s;
  }
  // A control whose edges follow a resizable window's right and bottom edges.
  constexpr ControlSpec Anchored(Anchors a) const {
    ControlSpec s = *this;
    s.anchors = a;
    return s;
  }
  constexpr ControlSpec Font(std::string_view family, double size, bool isBold) const {
    ControlSpec s = *this;
    s.font = family;
    s.fontSize = size;
    s.bold = isBold;
    return s;
  }
};

constexpr ControlSpec Label(std::string_view name, std::string_view caption, int l, int t, int w, int h) {
  return ControlSpec{name, Kind::Label, caption, l, t, w, h};
}
// An editable single-line text field.
constexpr ControlSpec TextField(std::string_view name, std::string_view text, int l, int t, int w, int h) {
  return ControlSpec{name, Kind::Text, text, l, t, w, h};
}
// A read-only text field that a calculation writes.
constexpr ControlSpec ResultField(std::string_view name, std::string_view text, int l, int t, int w, int h) {
  return TextField(name, text, l, t, w, h).ReadOnly();
}
// An editable multi-line text field: Enter starts a new line, Tab moves on.
constexpr ControlSpec TextArea(std::string_view name, std::string_view text, int l, int t, int w, int h) {
  return ControlSpec{name, Kind::TextArea, text, l, t, w, h};
}
constexpr ControlSpec Button(std::string_view name, std::string_view caption, int l, int t, int w, int h) {
  return ControlSpec{name, Kind::Button, caption, l, t, w, h};
}

// An option button of a group; the option of a group that is selected at
// load is marked .Checked().
constexpr ControlSpec OptionButton(std::string_view name, std::string_view caption, int group, int l, int t, int w,
                                   int h) {
  ControlSpec s{name, Kind::Option, caption, l, t, w, h};
  s.group = group;
  return s;
}
// A read-only table with the given column headers, empty at load.
constexpr ControlSpec Table(std::string_view name, std::span<const std::string_view> columns, int l, int t, int w,
                            int h) {
  ControlSpec s{name, Kind::Table, "", l, t, w, h};
  s.columns = columns;
  return s;
}

// Client sizes of the screens.
inline constexpr int kScreenWidth = 4605;
inline constexpr int kScreenHeight = 3465;
inline constexpr int kWideScreenWidth = 6195;
inline constexpr int kWideScreenHeight = 5025;

enum class SwitchOrder { HideFirst, ShowFirst };

// A navigation button: pressing it switches from its screen to the target.
struct Link {
  std::string_view button;
  std::string_view target;
  SwitchOrder order = SwitchOrder::HideFirst;
};

// The target of a tool screen's way back: the screen from which the tool was
// opened (the main screen when it was opened otherwise).
inline constexpr std::string_view kOpener = "(opener)";
// The load placement of a screen that is centred on the display.
inline constexpr std::string_view kCentred = "(centre)";

// A screen's window and controls.
struct ScreenSpec {
  std::string_view name;
  std::string_view title;
  int clientWidth = kScreenWidth;
  int clientHeight = kScreenHeight;
  std::span<const ControlSpec> controls;
  std::span<const std::string_view> tabOrder;  // controls that take the focus, in Tab order
  std::string_view initialFocus;               // empty: the first of the tab order
  std::string_view defaultButton;              // pressed by Enter in a one-line input field; empty: none
  // Enter presses the default button wherever the focus is (an option, a
  // button, a result field), except inside a multi-line field.
  bool enterAnywhere = false;
  std::span<const Link> links;                 // the navigation buttons
  // The load placement: the top and left of the named screen, kCentred, or
  // empty for a screen that places itself in its load step.
  std::string_view placedLike;
  std::string_view backButton;  // the way back (Esc); empty: none
};

// Whether the user can resize and maximize the screen's window: its table
// anchors a control to the window's edges.
constexpr bool Resizable(const ScreenSpec& screen) {
  for (const ControlSpec& c : screen.controls) {
    if (c.anchors.any()) return true;
  }
  return false;
}

}  // namespace hc
