#include "qt/figure_field.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

#include "qt/caption_label.h"

namespace hc::qt {

namespace {

// QLineEdit keeps its text this far inside its contents, across and down.
constexpr int kTextMarginX = 2;
constexpr int kTextMarginY = 1;

}  // namespace

int FieldTextRoom(const QLineEdit& edit) {
  QStyleOptionFrame option;
  option.initFrom(&edit);
  option.rect = edit.rect();
  option.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
  option.midLineWidth = 0;
  option.state |= QStyle::State_Sunken;
  const QRect contents = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
  const QMargins margins = edit.textMargins();
  return contents.width() - margins.left() - margins.right() - 2 * kTextMarginX;
}

FigureField::FigureField(QWidget* parent) : QLineEdit(parent), tableFont_(font()) {}

void FigureField::Show(const QString& text, const QFont& font, bool readOnly) {
  bool changed = false;
  if (isReadOnly() != readOnly) {
    setReadOnly(readOnly);
    changed = true;
  }
  if (tableFont_ != font) {
    tableFont_ = font;
    changed = true;
  }
  if (this->text() != text) {
    setText(text);
    changed = true;
  }
  if (changed || !shown_) {
    shown_ = true;
    Fit();
  }
}

void FigureField::Fit() {
  const QString shown = text();
  const int room = FieldTextRoom(*this);
  auto fits = [&](const QFont& f) { return QFontMetricsF(f).horizontalAdvance(shown) <= room; };
  QFont drawn = tableFont_;
  bool elided = false;
  if (Fitted() && !fits(drawn) && tableFont_.pointSizeF() > 0) {
    bool fitted = false;
    for (double size = tableFont_.pointSizeF() - 0.5; size >= kSmallestFontSize && !fitted; size -= 0.5) {
      drawn.setPointSizeF(size);
      fitted = fits(drawn);
    }
    if (!fitted) {
      drawn.setPointSizeF(std::min(tableFont_.pointSizeF(), kSmallestFontSize));
      elided = true;
    }
  }
  elided_ = elided;
  if (font() != drawn) setFont(drawn);
  // Shown from its start; the user editing the field keeps the cursor where it is.
  if (Fitted()) setCursorPosition(0);
  const QString tip = elided_ || !fits(drawn) ? shown : QString();
  if (toolTip() != tip) setToolTip(tip);
  update();
}

void FigureField::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (!isReadOnly()) Fit();
}

void FigureField::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (!isReadOnly()) Fit();
}

void FigureField::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  Fit();
}

void FigureField::paintEvent(QPaintEvent* event) {
  // A selection shows as Qt draws it, over the whole text scrolled.
  if (!elided_ || !Fitted() || hasSelectedText()) {
    QLineEdit::paintEvent(event);
    return;
  }
  QPainter painter(this);
  QStyleOptionFrame panel;
  initStyleOption(&panel);
  style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
  QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
  r = r.marginsRemoved(textMargins()).adjusted(kTextMarginX, kTextMarginY, -kTextMarginX, -kTextMarginY);
  painter.setFont(font());
  painter.setPen(palette().color(isEnabled() ? QPalette::Normal : QPalette::Disabled, QPalette::Text));
  painter.drawText(r, Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetrics(font()).elidedText(text(), Qt::ElideRight, r.width()));
}

}  // namespace hc::qt
