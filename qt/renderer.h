// The Qt Widgets renderer: builds every window from its screen's layout
// table, keeps the widgets and the model's texts in step, routes clicks to
// the handlers, and shows the message boxes.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <string>

#include "shell/app.h"

class QMessageBox;

namespace hc::qt {

class QtShell;

// One screen's window.
class ScreenWindow final : public QWidget {
 public:
  ScreenWindow(QtShell& shell, Screen& screen);

  Screen& screen() { return screen_; }
  // The widget of a control, by its name.
  QWidget* ControlWidget(std::string_view name) const;
  // Brings every widget in step with the model.
  void Sync();
  // Gives the input focus to the screen's first control, once.
  void FocusFirstTime();
  // Hides the window and gives its native window and backing store back to
  // the window system; the widgets stay and the next show creates them anew.
  void HideAndRelease();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void Build();
  void ApplyTabOrder();

  QtShell& shell_;
  Screen& screen_;
  std::map<std::string, QWidget*, std::less<>> widgets_;
  bool focused_ = false;
  bool syncing_ = false;
};

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
  // Every created window in step with the model.
  void SyncAll();
  bool exited() const { return exited_; }

  // Twips and pixels.
  int ToPixels(int twips) const;
  int ToTwips(int pixels) const;

  // Host
  void ShowMessage(std::string_view text) override;
  void ReportError(ErrorKind kind) override;
  void WindowChanged(Screen& screen, WindowEvent event) override;
  void ExitProgram() override;

 private:
  ScreenWindow& EnsureWindow(Screen& screen);
  void RunBox(QMessageBox& box);

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
