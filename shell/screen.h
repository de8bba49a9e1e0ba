// The screen model: a screen owns its controls (built from its layout table)
// and its handlers. Handlers read and write control texts through the model,
// so later steps of a calculation read earlier results back from the texts.
//
// Everything a screen shows outside itself (message boxes, error reports,
// windows appearing and moving, the end of the program) goes through Host,
// which the Qt program, the script driver and the tests each implement.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "numeric/checked.h"
#include "numeric/numeric.h"
#include "shell/layout.h"

namespace hc {

class App;
class Screen;

// What happened to a screen's window, for the renderer.
enum class WindowEvent { Created, Shown, Hidden, Moved };

// The fee rates the user saved as the defaults of later starts: the texts
// of the trading-costs screen's four rate fields.
struct SavedRates {
  std::string commission;
  std::string minimum;
  std::string stampDuty;
  std::string transferFee;
};

class Host {
 public:
  virtual ~Host() = default;
  // A modal box with the text, an OK button, no icon and the program's
  // title; returns when the user closes it.
  virtual void ShowMessage(std::string_view text) = 0;
  // A calculation stopped by a CalcError.
  virtual void ReportError(ErrorKind kind) = 0;
  // A screen was created, shown, hidden or moved.
  virtual void WindowChanged(Screen& screen, WindowEvent event) = 0;
  // The program ends.
  virtual void ExitProgram() = 0;
  // The "关于" window: the program's name, version and notes, one line each,
  // and a close button. Without a window system it is a message box.
  virtual void ShowAbout(std::string_view text) { ShowMessage(text); }
  // Puts the text on the desktop's clipboard.
  virtual void SetClipboard(std::string_view /*text*/) {}
  // Asks the user for a file name with the desktop's file dialog and writes
  // the bytes to it whole or not at all, telling the user of a failure.
  // Returns false when nothing was written (cancelled or failed).
  virtual bool SaveFile(std::string_view /*suggestedName*/, std::string_view /*bytes*/) { return false; }
  // The default fee rates the user saved; none where nothing was saved.
  // A saved set missing a rate comes with that text empty.
  virtual std::optional<SavedRates> LoadSavedRates() { return std::nullopt; }
  // Keeps the rates for later starts; false when they could not be written.
  virtual bool SaveRates(const SavedRates& /*rates*/) { return false; }
  // Forgets the saved rates: later starts use the load texts.
  virtual void RemoveSavedRates() {}
};

// The title shown in the prompt boxes.
inline constexpr std::string_view kProgramTitle = "衡川2.0";

// What the user sees of a control, and what a calculation reads and writes.
// Every control starts from its layout table's entry (From).
struct ControlState {
  std::string text;  // field text, label, button or option caption
  Rgb color;
  bool readOnly = false;
  bool visible = true;
  bool enabled = true;
  std::string font;
  double fontSize = kDefaultFontSize;
  bool bold = false;
  bool checked = false;                        // option buttons
  std::vector<std::vector<std::string>> rows;  // tables: the cells, row by row
  // Tables: a colour for each row that has one of its own (a row beyond
  // the list takes its column's colour, else the control's).
  std::vector<Rgb> rowColors;

  static ControlState From(const ControlSpec& entry);
  friend bool operator==(const ControlState&, const ControlState&) = default;
};

// A control while the program runs: its layout entry and its state.
struct Control : ControlState {
  const ControlSpec* layout = nullptr;  // name, kind, geometry

  std::string_view name() const { return layout->name; }
  Kind kind() const { return layout->kind; }
  ControlState& state() { return *this; }
  const ControlState& state() const { return *this; }
  // Back to the state right after the screen's load.
  void Reset() { state() = From(*layout); }
};

class Screen {
 public:
  Screen(App& app, const ScreenSpec& layout);
  virtual ~Screen() = default;
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  const ScreenSpec& layout() const { return layout_; }
  std::string_view name() const { return layout_.name; }
  const std::string& title() const { return title_; }
  // The window's client area in twips: the table's, grown just enough to
  // hold every control's table rectangle (a table may place a footer or a
  // button past the edge it gives).
  int clientWidth() const;
  int clientHeight() const;
  App& app() { return app_; }

  // Controls, in layout-table order.
  std::span<Control> controls() { return controls_; }
  std::span<const Control> controls() const { return controls_; }
  Control* Find(std::string_view name);
  // The named control; an unknown name is a programming error (std::out_of_range).
  Control& At(std::string_view name);
  // The named control's text (field text or caption), to read and write.
  std::string& text(std::string_view name) { return At(name).text; }
  // The named table's rows.
  std::vector<std::vector<std::string>>& rows(std::string_view name) { return At(name).rows; }
  // Whether the named option button is selected.
  bool checked(std::string_view name) { return At(name).checked; }
  // The user typed or pasted into a field: it shows the text, and the
  // screen remembers the text as what the user last typed there. Only the
  // user's next edit of the field replaces that memory; a calculation that
  // writes a rounded figure back into the field does not.
  void Type(std::string_view field, std::string text);
  // What the user last typed into the field; null where they never did.
  const std::string* Typed(std::string_view field) const;

  // The window.
  int top() const { return top_; }
  int left() const { return left_; }
  bool visible() const { return visible_; }
  void Show();
  void Hide();
  // A tool screen's way back leads to the screen it was opened from.
  void SetOpener(std::string_view screen) { opener_ = std::string(screen); }
  const std::string& opener() const { return opener_; }
  void SetPosition(int top, int left);
  // The user moved the window: the model follows without telling the host.
  void NoteMovedByUser(int top, int left);

  // Buttons.
  bool HasHandler(std::string_view button) const;
  bool IsNavigation(std::string_view button) const;
  // Runs the button's click handler to its end. A CalcError stops the
  // calculation and is reported through the host. Clicking an option button
  // first selects it and clears the other options of its group.
  void Click(std::string_view button);
  // The window's close box. Ends the program.
  virtual void Close();

  // Runs the load step; App calls it once, right after creating the screen.
  void RunLoad();

 protected:
  // The load step beyond the texts of the layout table (which are already in
  // place) and the placement the table names.
  virtual void Load() {}
  // Runs each time the screen is shown, before the window appears.
  virtual void Showing() {}

  // Registers a click handler.
  void OnClick(std::string_view button, std::function<void()> handler);
  template <class S>
  void OnClick(std::string_view button, void (S::*handler)()) {
    S* self = static_cast<S*>(this);
    OnClick(button, [self, handler] { (self->*handler)(); });
  }

  // A missing input or a limit message: a modal OK box; the handler then
  // returns without writing any result.
  void PromptMissing(std::string_view message);
  void ShowMessage(std::string_view message);

  // Load placements.
  void PlaceLike(std::string_view other);  // top and left of another screen
  void CenterOnScreen();

 private:
  App& app_;
  const ScreenSpec& layout_;
  std::string title_;
  std::vector<Control> controls_;
  std::map<std::string, std::function<void()>, std::less<>> handlers_;
  std::map<std::string, std::string, std::less<>> typed_;  // by field
  std::string opener_ = "Form1";
  int top_ = 0;
  int left_ = 0;
  bool visible_ = false;
};

// Moves the user from source to target: hide-first hides the source, then
// shows the target; show-first the other way round. Then the target takes
// the source's top and left.
void SwitchScreen(Screen& source, std::string_view target, SwitchOrder order);

// Places a screen at the centre of the display.
void CenterOnScreen(Screen& screen);

}  // namespace hc
