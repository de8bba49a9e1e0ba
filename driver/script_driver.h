// The headless script driver: runs the program's screens without a window
// system, driven by one command a line (set, click, get, dump, props, title,
// visible, pos, move, close, display). Message boxes print as
// "message: TEXT" and are answered OK at once; a stopped calculation prints
// "error: KIND"; a mistake in the script prints "fail: REASON".
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

  // Runs every line of the input; returns the exit status: 0, or 2 when a
  // "fail" was printed. A close that ends the program stops at once with 0.
  int Run(std::istream& in);
  // Runs one command line. Returns false once the program has ended.
  bool Execute(std::string_view line);

  bool failed() const { return failed_; }
  App& app() { return app_; }

  // Host
  void ShowMessage(std::string_view text) override;
  void ReportError(ErrorKind kind) override;
  void WindowChanged(Screen&, WindowEvent) override {}
  void ExitProgram() override;

 private:
  void Fail(std::string_view reason);
  Screen* ScreenArg(std::string_view name);
  Control* ControlArg(Screen& screen, std::string_view name);
  void PrintGet(Screen& screen, const Control& control);

  std::ostream& out_;
  App app_;
  bool failed_ = false;
  bool ended_ = false;
};

}  // namespace hc
