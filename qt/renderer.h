// The Qt Widgets renderer: builds every window from its screen's layout
// table, keeps the widgets and the model's texts in step, routes clicks to
// the handlers, and shows the message boxes.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "shell/app.h"

class QMessageBox;

namespace hc::qt {

class QtShell;

// The smallest size a label's caption is drawn in before it is elided.
inline constexpr double kSmallestFontSize = 7;

// A label's caption, drawn whole in the room the table leaves it: in the
// control's own font where it fits, else smaller down to kSmallestFontSize,
// and only past that elided, with the whole caption as its tooltip. The
// caption can be selected with the mouse and the keyboard and copied.
class CaptionLabel final : public QLabel {
  Q_OBJECT

 public:
  explicit CaptionLabel(QWidget* parent);

  // The caption and font the model gives, and the room there is for it:
  // across up to the next control on its row or the window's edge, down to
  // the next control below or the window's bottom. A caption too wide for
  // its line even at the smallest size goes onto further lines where the
  // room below holds them. Labels that size themselves to their caption
  // take the size the caption needs within that room; the others keep
  // their size and wrap.
  void Show(const QString& caption, const QFont& font, QSize room, bool sizesToCaption);

  const QString& caption() const { return caption_; }
  const QFont& tableFont() const { return tableFont_; }
  bool elided() const { return elided_; }
  bool wrapped() const { return wrapped_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // Shows the text in the font; true when it fits the room (its width, and
  // its height when asked).
  bool Fits(const QFont& font, const QString& shown, bool checkHeight);
  QStringList Lines(const QFont& font) const;

  QString caption_;
  QFont tableFont_;
  QSize room_;
  bool sizesToCaption_ = true;
  bool shown_ = false;
  bool elided_ = false;
  bool wrapped_ = false;
};

// A button that Enter and Space press while it has the focus.
class PushButton final : public QPushButton {
  Q_OBJECT

 public:
  explicit PushButton(QWidget* parent) : QPushButton(parent) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// The width in pixels a field has for its text, inside its frame and margins.
int FieldTextRoom(const QLineEdit& edit);

// The button that takes the user back from a screen ("切换回去" or "返回"),
// pressed by Esc; empty where the screen has none.
std::string_view BackButton(const Screen& screen);

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
  // Brings the window in front of the others, restored if minimised.
  void BringToFront();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void Build();
  QWidget* BuildWidget(const Control& c);
  void ApplyTabOrder();
  void PressBack();
  void SyncField(QLineEdit* edit, const Control& c);
  void SyncLabel(CaptionLabel* label, const Control& c);
  void SyncButton(QPushButton* button, const Control& c);
  // The room in pixels a label's caption may take: across up to the
  // nearest visible control to its right that shares its row, or the
  // window's edge; down to the nearest one below, or the window's bottom.
  QSize Room(const Control& label, int lineHeight) const;

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
