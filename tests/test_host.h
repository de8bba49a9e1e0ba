// The host of the core tests and benchmarks: it records what the screens ask
// of the windowing side instead of showing it. One for every test, so that
// a change to the Host interface is made once.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "shell/screen.h"

namespace hc {

class TestHost final : public Host {
 public:
  void ShowMessage(std::string_view text) override {
    messages.emplace_back(text);
    reports.push_back("message: " + std::string(text));
  }
  void ReportError(ErrorKind kind) override {
    errors.push_back(kind);
    reports.push_back("error: " + std::string(ErrorKindName(kind)));
  }
  void WindowChanged(Screen& screen, WindowEvent event) override {
    if (event == WindowEvent::Shown) windows.push_back("show " + std::string(screen.name()));
    if (event == WindowEvent::Hidden) windows.push_back("hide " + std::string(screen.name()));
  }
  void ExitProgram() override { ++exits; }
  void ShowAbout(std::string_view text) override { about.emplace_back(text); }
  void SetClipboard(std::string_view text) override { clipboard = std::string(text); }
  // Writes nothing: records what the screen asked to save.
  bool SaveFile(std::string_view suggestedName, std::string_view bytes) override {
    saved.emplace_back(std::string(suggestedName), std::string(bytes));
    return saveSucceeds;
  }

  // Rates saved as the defaults: held here as the user's settings would hold them.
  std::optional<SavedRates> LoadSavedRates() override { return savedRates; }
  bool SaveRates(const SavedRates& rates) override {
    if (!ratesSaveSucceeds) return false;
    savedRates = rates;
    return true;
  }
  void RemoveSavedRates() override { savedRates.reset(); }

  // Forgets everything recorded so far.
  void Forget() {
    messages.clear();
    errors.clear();
    reports.clear();
    windows.clear();
  }

  std::vector<std::string> messages;  // the message boxes' texts
  std::vector<ErrorKind> errors;      // the calculations stopped by an error
  std::vector<std::string> reports;   // both, in order: "message: TEXT" or "error: KIND"
  std::vector<std::string> windows;   // "show FORM" and "hide FORM", in order
  int exits = 0;                      // times the program was ended
  std::vector<std::string> about;     // the about windows' texts
  std::string clipboard;              // what was last copied
  std::vector<std::pair<std::string, std::string>> saved;  // name and bytes of every save asked for
  bool saveSucceeds = true;           // what SaveFile answers
  std::optional<SavedRates> savedRates;  // the saved default rates
  bool ratesSaveSucceeds = true;         // what SaveRates answers
};

}  // namespace hc
