// The Qt host of the screens: creates their windows, routes the user's
// presses and menu choices to the model, and shows the message boxes,
// dialogs and clipboard the screens ask for.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string_view>

#include "qt/screen_window.h"
#include "shell/app.h"
#include "shell/menu.h"

class QMessageBox;

namespace hc::qt {

class QtShell final : public Host {
 public:
  QtShell();
  ~QtShell() override;

  App& app() { return *app_; }
  // Program start: the main screen, centred and shown.
  void Start();
  // The window of a screen; null while the screen has not been shown.
  ScreenWindow* Window(const Screen& screen) const;
  // A button pressed by the user: runs its handler, then shows its results.
  void Press(Screen& screen, std::string_view button);
  // An item chosen from a screen's menu bar.
  void Choose(Screen& screen, const MenuNode& item);
  // Every shown window in step with the model.
  void SyncAll();
  // Another start of the program asked for this one: its visible windows
  // come to the front.
  void BringToFront();
  bool exited() const { return exited_; }

  // Twips and pixels.
  int ToPixels(int twips) const;
  int ToTwips(int pixels) const;

  // Host
  void ShowMessage(std::string_view text) override;
  void ReportError(ErrorKind kind) override;
  void WindowChanged(Screen& screen, WindowEvent event) override;
  void ExitProgram() override;
  void ShowAbout(std::string_view text) override;
  void SetClipboard(std::string_view text) override;
  bool SaveFile(std::string_view suggestedName, std::string_view bytes) override;
  // The saved default rates live in the user's settings (QSettings: an INI
  // file in the user's configuration folder on Linux, the user's registry
  // on Windows).
  std::optional<SavedRates> LoadSavedRates() override;
  bool SaveRates(const SavedRates& rates) override;
  void RemoveSavedRates() override;

 private:
  ScreenWindow& EnsureWindow(Screen& screen);
  void RunBox(QMessageBox& box);
  // Runs a step of the model that the user started, then shows its
  // results; a fault of the program itself is said, the screen stays usable.
  template <class Step>
  void RunUserStep(Screen& screen, Step step);

  double dpi_ = 96.0;
  std::unique_ptr<App> app_;
  std::map<const Screen*, std::unique_ptr<ScreenWindow>> windows_;
  bool exited_ = false;
  bool autoAnswer_ = false;
};

// Shows a modal box and waits for it; when HENGCHUAN_AUTO_ANSWER is set the
// box is answered OK at once and its text goes to standard error (tests).
void ExecMessageBox(QMessageBox& box);

}  // namespace hc::qt
