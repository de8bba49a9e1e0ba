// The push button of the screens.
#pragma once

#include <QPushButton>

namespace hc::qt {

// A button that Enter and Space press while it has the focus.
class PushButton final : public QPushButton {
  Q_OBJECT

 public:
  explicit PushButton(QWidget* parent) : QPushButton(parent) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace hc::qt
