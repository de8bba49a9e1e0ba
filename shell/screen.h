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
};

// The title shown in the prompt boxes.
inline constexpr std::string_view kProgramTitle = "衡川2.0";

// A control's state while the program runs.
struct Control {
  const ControlSpec* layout = nullptr;  // name, kind, geometry
  std::string text;
  Rgb color;
  bool readOnly = false;
  bool visible = true;
  bool enabled = true;
  std::string font;
  double fontSize = kDefaultFontSize;
  bool bold = false;

  std::string_view name() const { return layout->name; }
  Kind kind() const { return layout->kind; }
};

enum class SwitchOrder { HideFirst, ShowFirst };

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
  std::vector<Control>& controls() { return controls_; }
  const std::vector<Control>& controls() const { return controls_; }
  Control* Find(std::string_view name);
  // The named control; an unknown name is a programming error (std::out_of_range).
  Control& At(std::string_view name);
  // The named control's text (field text or caption), to read and write.
  std::string& text(std::string_view name) { return At(name).text; }

  // The window.
  int top() const { return top_; }
  int left() const { return left_; }
  bool visible() const { return visible_; }
  void Show();
  void Hide();
  void SetPosition(int top, int left);
  // The user moved the window: the model follows without telling the host.
  void NoteMovedByUser(int top, int left);

  // Buttons.
  bool HasHandler(std::string_view button) const;
  bool IsNavigation(std::string_view button) const;
  // Runs the button's click handler to its end. A CalcError stops the
  // calculation and is reported through the host.
  void Click(std::string_view button);
  // The window's close box. Ends the program.
  virtual void Close();

  // Runs the load step; App calls it once, right after creating the screen.
  void RunLoad() { Load(); }

 protected:
  // The load step beyond the texts of the layout table (which are already
  // in place): typically the window's placement.
  virtual void Load() {}

  // Registers a click handler.
  void OnClick(std::string_view button, std::function<void()> handler);
  template <class S>
  void OnClick(std::string_view button, void (S::*handler)()) {
    S* self = static_cast<S*>(this);
    OnClick(button, [self, handler] { (self->*handler)(); });
  }
  // Registers a navigation button: SwitchScreen from this screen to target.
  void Navigate(std::string_view button, std::string_view target, SwitchOrder order);

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
  std::map<std::string, bool, std::less<>> navigation_;
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
