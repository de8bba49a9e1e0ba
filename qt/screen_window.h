// One screen's window, built from its layout table: the menu bar above the
// client area, a widget per control, kept in step with the model.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <map>
#include <string>
#include <string_view>

#include "qt/caption_label.h"
#include "qt/result_table.h"
#include "shell/app.h"

class QMenuBar;
class QRadioButton;

namespace hc::qt {

// The width in pixels a field has for its text, inside its frame and margins.
int FieldTextRoom(const QLineEdit& edit);

// The button that takes the user back from a screen, pressed by Esc: the
// one its table names, else the one captioned "切换回去" or "返回"; empty
// where the screen has none.
std::string_view BackButton(const Screen& screen);

// One screen's window.
class QtShell;

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
  QMenuBar* menuBar() const { return menuBar_; }
  // The client area, which holds the controls at their table geometry.
  QWidget* client() const { return client_; }
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
  void SyncOption(QRadioButton* option, const Control& c);
  void SyncTable(ResultTable* table, const Control& c);
  // The room in pixels a label's caption may take: across up to the
  // nearest visible control to its right that shares its row, or the
  // window's edge; down to the nearest one below, or the window's bottom.
  QSize Room(const Control& label, int lineHeight) const;

  QtShell& shell_;
  Screen& screen_;
  QMenuBar* menuBar_ = nullptr;  // above the client area
  QWidget* client_ = nullptr;    // the area the layout table fills
  std::map<std::string, QWidget*, std::less<>> widgets_;
  bool focused_ = false;
  bool syncing_ = false;
};

}  // namespace hc::qt
