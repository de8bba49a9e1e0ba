// A label's caption drawn whole in the room its table leaves it.
#pragma once

#include <QFont>
#include <QLabel>
#include <QSize>
#include <QString>
#include <QStringList>

namespace hc::qt {

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
  // their size and wrap. A caption that does not fit even so ends in "…"
  // where the room ends, with the whole caption as its tooltip.
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

}  // namespace hc::qt
