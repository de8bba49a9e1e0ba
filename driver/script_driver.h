// The headless script driver: runs the program's screens without a window
// system, driven by one command a line (set, click, checked, rows, menu,
// get, dump, props, title, visible, pos, move, close, display). Message
// boxes print as "message: TEXT" and are answered OK at once; a stopped
// calculation prints "error: KIND"; a mistake in the script prints
// "fail: REASON".
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "shell/app.h"

namespace hc {

class ScriptDriver final : public Host {
 public:
  explicit ScriptDriver(std::ostream& out);

  // Runs every line of the input until its end or a close that ends the
  // program. Returns the exit status: 2 when any "fail" was printed, 1 when
  // the output could not be written, else 0.
  int Run(std::istream& in);
  // Runs one command line. Returns false once the program has ended.
  bool Execute(std::string_view line);

  bool failed() const { return failed_; }
  App& app() { return app_; }
  // What the program last put on the clipboard.
  const std::string& clipboard() const { return clipboard_; }

  // Host
  void ShowMessage(std::string_view text) override;
  void ReportError(ErrorKind kind) override;
  void WindowChanged(Screen&, WindowEvent) override {}
  void ExitProgram() override;
  void ShowAbout(std::string_view text) override;
  void SetClipboard(std::string_view text) override { clipboard_ = std::string(text); }
  // There is no file dialog without a window system.
  bool SaveFile(std::string_view suggestedName, std::string_view bytes) override;
  // Saved rates live in memory for the rest of the script; none is read at
  // start, so a script shows the same lines on every machine.
  bool SaveRates(const SavedRates& rates) override;

 private:
  struct Command;
  void Fail(std::string_view reason);
  Screen* ScreenArg(std::string_view name);
  Control* ControlArg(Screen& screen, std::string_view name);
  void PrintGet(Screen& screen, const Control& control);

  // The commands, all of one shape so that they fit one table: the screen
  // and the control the command names (null where it names none) and the
  // rest of its line.
  void Set(Screen* s, Control* c, std::string_view text);
  void Click(Screen* s, Control* c, std::string_view);
  void Checked(Screen* s, Control* c, std::string_view);
  void Rows(Screen* s, Control* c, std::string_view);
  void Get(Screen* s, Control* c, std::string_view) { PrintGet(*s, *c); }
  void Props(Screen* s, Control* c, std::string_view);
  void Menu(Screen* s, Control*, std::string_view item);
  void Dump(Screen* s, Control*, std::string_view);
  void Title(Screen* s, Control*, std::string_view);
  void Pos(Screen* s, Control*, std::string_view);
  void Move(Screen* s, Control*, std::string_view args);
  void Close(Screen* s, Control*, std::string_view);
  void Visible(Screen*, Control*, std::string_view);
  void Display(Screen*, Control*, std::string_view args);

  std::ostream& out_;
  App app_;
  std::string clipboard_;
  bool failed_ = false;
  bool ended_ = false;
};

}  // namespace hc
