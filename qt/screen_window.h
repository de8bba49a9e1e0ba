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
#include "qt/figure_field.h"
#include "qt/result_table.h"
#include "shell/app.h"

class QMenuBar;
class QRadioButton;

namespace hc::qt {

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
  // Whether the user can resize and maximize the window (its table anchors
  // controls to the window's edges).
  bool resizable() const { return resizable_; }
  // The rectangle in pixels the layout table gives a control in the client
  // area as large as it is now: its table rectangle, whose edges the
  // control's anchors move by their shares of the client's growth.
  QRect ControlRect(const Control& c) const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // Enter that no control took: the default button, where the screen's
  // table asks for it.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Build();
  QWidget* BuildWidget(const Control& c);
  void ApplyTabOrder();
  // Places every control for the client's size, and fits the captions anew
  // to the room they have there.
  void Relayout();
  void PressBack();
  void SyncField(FigureField* field, const Control& c);
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
  QSize tableClient_;            // the client's size in the layout table, in pixels
  bool resizable_ = false;
  std::map<std::string, QWidget*, std::less<>> widgets_;
  bool focused_ = false;
  bool syncing_ = false;
};

}  // namespace hc::qt
