#include "qt/caption_label.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>
#include <cmath>

namespace hc::qt {

CaptionLabel::CaptionLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  // Captions start at the label's top-left corner; a fixed-size label
  // whose wrapped caption runs long ends in "…" on its last line.
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  // Selecting takes the focus by a click; the Tab key passes labels by.
  setFocusPolicy(Qt::ClickFocus);
}

bool CaptionLabel::Fits(const QFont& font, const QString& shown, bool checkHeight) {
  if (this->font() != font) setFont(font);
  if (text() != shown) setText(shown);
  if (!sizesToCaption_) return heightForWidth(width()) <= height();
  const QSize needed = sizeHint();
  // For a plain caption the label's size hint is its text's extent.
  return needed.width() <= room_.width() &&
         (!checkHeight || needed.height() <= room_.height());
}

// The caption broken into lines that each fit the room's width, preferring
// breaks after a comma, a blank or a Chinese character.
QStringList CaptionLabel::Lines(const QFont& font) const {
  const QFontMetricsF metrics(font);
  QStringList lines;
  QString rest = caption_;
  while (!rest.isEmpty()) {
    qsizetype fit = 0;
    while (fit < rest.size() && metrics.horizontalAdvance(rest.left(fit + 1)) <= room_.width()) ++fit;
    if (fit == 0) return {};  // not even one character fits
    if (fit < rest.size()) {
      for (qsizetype i = fit; i > fit / 2; --i) {
        const QChar c = rest.at(i - 1);
        if (c == QLatin1Char(',') || c == QLatin1Char(' ') || c.unicode() >= 0x2E80) {
          fit = i;
          break;
        }
      }
    }
    lines << rest.left(fit);
    rest = rest.mid(fit);
  }
  return lines;
}

void CaptionLabel::Show(const QString& caption, const QFont& font, QSize room, bool sizesToCaption) {
  if (shown_ && caption == caption_ && font == tableFont_ && room == room_ && sizesToCaption == sizesToCaption_) return;
  shown_ = true;
  caption_ = caption;
  tableFont_ = font;
  room_ = room;
  sizesToCaption_ = sizesToCaption;
  setWordWrap(!sizesToCaption);
  elided_ = false;
  wrapped_ = false;

  // The caption whole on its line, in the control's font or smaller.
  QFont drawn = font;
  auto shrinkToFit = [&](bool checkHeight) {
    drawn = font;
    if (Fits(drawn, caption, checkHeight) || caption.isEmpty()) return true;
    for (double size = font.pointSizeF() - 0.5; size >= kSmallestFontSize; size -= 0.5) {
      drawn.setPointSizeF(size);
      if (Fits(drawn, caption, checkHeight)) return true;
    }
    return false;
  };
  bool fits = shrinkToFit(true);
  // Else on further lines, where the room below is free.
  if (!fits && sizesToCaption) {
    const QStringList lines = Lines(font);
    if (lines.size() > 1 && Fits(font, lines.join(QLatin1Char('\n')), true)) {
      fits = true;
      wrapped_ = true;
    }
  }
  // A face with taller lines than the table's rows: the caption whole on
  // its line comes before its line's height.
  if (!fits && sizesToCaption) fits = shrinkToFit(false);
  // Else as much as the room holds at the smallest size.
  if (!fits) {
    elided_ = true;
    drawn.setPointSizeF(std::min(font.pointSizeF(), kSmallestFontSize));
    if (this->font() != drawn) setFont(drawn);
    if (sizesToCaption) {
      setText(QFontMetrics(drawn).elidedText(caption, Qt::ElideRight, room.width()));
    } else {
      // As much of the caption as the label's lines hold, marked as cut.
      const QString mark(QChar(0x2026));
      qsizetype low = 0;
      qsizetype high = caption.size();
      while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (Fits(drawn, caption.left(mid) + mark, true)) {
          low = mid;
        } else {
          high = mid - 1;
        }
      }
      setText(caption.left(low) + mark);
    }
  }
  setToolTip(elided_ ? caption : QString());
  if (sizesToCaption) {
    adjustSize();
    if (width() > room.width()) resize(room.width(), height());
  }
}

void CaptionLabel::keyPressEvent(QKeyEvent* event) {
  // A caption elided or broken into lines copies whole.
  if ((elided_ || wrapped_) && event->matches(QKeySequence::Copy)) {
    QGuiApplication::clipboard()->setText(caption_);
    event->accept();
    return;
  }
  QLabel::keyPressEvent(event);
}

void CaptionLabel::contextMenuEvent(QContextMenuEvent* event) {
  if (!elided_ && !wrapped_) {
    QLabel::contextMenuEvent(event);
    return;
  }
  QMenu menu(this);
  // Qt's own wording of the entry, translated with the rest of its texts.
  menu.addAction(QCoreApplication::translate("QWidgetTextControl", "&Copy"), this,
                 [this] { QGuiApplication::clipboard()->setText(caption_); });
  menu.exec(event->globalPos());
}

}  // namespace hc::qt
