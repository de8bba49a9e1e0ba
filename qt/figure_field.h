// A text field that never hides part of its text without a mark.
#pragma once

#include <QFont>
#include <QLineEdit>
#include <QString>

namespace hc::qt {

// The width in pixels a field has for its text, inside its frame and margins.
int FieldTextRoom(const QLineEdit& edit);

// A field showing the model's text. A read-only field, and an input field
// while the user is not editing it, draw a text wider than the field
// smaller, down to kSmallestFontSize as labels do; past that the text ends
// in "…" and its whole text is the tooltip. Its text() is always the whole
// text, so selecting and copying copy all of it. An input field with the
// focus shows its text in the table's font and scrolls it as Qt does.
class FigureField final : public QLineEdit {
  Q_OBJECT

 public:
  explicit FigureField(QWidget* parent);

  // The text and font the model gives.
  void Show(const QString& text, const QFont& font, bool readOnly);
  const QFont& tableFont() const { return tableFont_; }
  // Whether the text is drawn cut, ending in "…".
  bool elided() const { return elided_; }

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // Whether the text is fitted to the field now: read-only, or not being edited.
  bool Fitted() const { return isReadOnly() || !hasFocus(); }
  void Fit();

  QFont tableFont_;
  bool shown_ = false;
  bool elided_ = false;
};

}  // namespace hc::qt
