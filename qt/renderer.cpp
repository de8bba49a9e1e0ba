#include "qt/renderer.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMoveEvent>
#include <QPalette>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "qt/fonts.h"

namespace hc::qt {

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QColor ToColor(Rgb c) { return QColor(c.r, c.g, c.b); }

void SetTextColor(QWidget* w, QPalette::ColorRole role, Rgb c) {
  QPalette pal = w->palette();
  if (pal.color(role) == ToColor(c)) return;
  pal.setColor(role, ToColor(c));
  w->setPalette(pal);
}

QFont FontOf(const Control& c) { return ControlFont(Q(c.font), c.fontSize, c.bold); }

void SetFontOf(QWidget* w, const Control& c) {
  const QFont f = FontOf(c);
  if (w->font() != f) w->setFont(f);
}

// The width a caption takes on one line: its widest line.
int CaptionWidth(const QFont& font, const QString& caption) {
  const QFontMetricsF metrics(font);
  qreal widest = 0;
  for (const QString& line : caption.split(QLatin1Char('\n'))) widest = std::max(widest, metrics.horizontalAdvance(line));
  return static_cast<int>(std::ceil(widest));
}

}  // namespace

void ExecMessageBox(QMessageBox& box) {
  if (std::getenv("HENGCHUAN_AUTO_ANSWER") != nullptr) {
    std::fprintf(stderr, "message: %s\n", box.text().toUtf8().constData());
    return;
  }
  box.exec();
}

int FieldTextRoom(const QLineEdit& edit) {
  QStyleOptionFrame option;
  option.initFrom(&edit);
  option.rect = edit.rect();
  option.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
  option.midLineWidth = 0;
  option.state |= QStyle::State_Sunken;
  const QRect contents = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
  const QMargins margins = edit.textMargins();
  // QLineEdit keeps two pixels clear on either side of its text.
  return contents.width() - margins.left() - margins.right() - 4;
}

std::string_view BackButton(const Screen& screen) {
  for (const Control& c : screen.controls()) {
    if (c.kind() == Kind::Button && (c.text == "切换回去" || c.text == "返回")) return c.name();
  }
  return {};
}

// ---------------------------------------------------------------- CaptionLabel

CaptionLabel::CaptionLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  // Captions start at the label's top-left corner; a fixed-size label
  // whose wrapped caption runs long loses its last line, not its first.
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
  return CaptionWidth(font, shown) <= room_.width() && needed.width() <= room_.width() &&
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
    if (sizesToCaption) setText(QFontMetrics(drawn).elidedText(caption, Qt::ElideRight, room.width()));
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

// ---------------------------------------------------------------- PushButton

void PushButton::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  if (enter && mods == Qt::NoModifier && !event->isAutoRepeat()) {
    event->accept();
    click();
    return;
  }
  QPushButton::keyPressEvent(event);
}

// ---------------------------------------------------------------- ScreenWindow

ScreenWindow::ScreenWindow(QtShell& shell, Screen& screen)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      shell_(shell),
      screen_(screen) {
  setObjectName(Q(screen.name()));
  setAccessibleName(Q(screen.name()));
  setWindowTitle(QString::fromStdString(screen.title()));
  setFixedSize(shell.ToPixels(screen.clientWidth()), shell.ToPixels(screen.clientHeight()));
  Build();
  ApplyTabOrder();
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  QObject::connect(escape, &QShortcut::activated, this, [this] { PressBack(); });
  Sync();
}

QWidget* ScreenWindow::BuildWidget(const Control& c) {
  const std::string name(c.name());
  switch (c.kind()) {
    case Kind::Text: {
      auto* edit = new QLineEdit(this);
      QObject::connect(edit, &QLineEdit::textEdited, edit, [this, name](const QString& t) {
        if (Control* ctl = screen_.Find(name)) ctl->text = t.toStdString();
      });
      if (!screen_.layout().defaultButton.empty()) {
        std::string button(screen_.layout().defaultButton);
        QObject::connect(edit, &QLineEdit::returnPressed, edit, [this, edit, button] {
          if (!edit->isReadOnly()) shell_.Press(screen_, button);
        });
      }
      return edit;
    }
    case Kind::Label:
      return new CaptionLabel(this);
    case Kind::Button: {
      auto* button = new PushButton(this);
      button->setAutoDefault(false);
      QObject::connect(button, &QPushButton::clicked, button, [this, name] { shell_.Press(screen_, name); });
      return button;
    }
  }
  return nullptr;
}

void ScreenWindow::Build() {
  for (const Control& c : screen_.controls()) {
    const ControlSpec& s = *c.layout;
    QWidget* w = BuildWidget(c);
    w->setObjectName(Q(c.name()));
    w->setAccessibleName(Q(c.name()));
    w->setGeometry(shell_.ToPixels(s.left), shell_.ToPixels(s.top), shell_.ToPixels(s.width),
                   shell_.ToPixels(s.height));
    widgets_.emplace(std::string(c.name()), w);
  }
}

void ScreenWindow::ApplyTabOrder() {
  const auto tabOrder = screen_.layout().tabOrder;
  if (tabOrder.empty()) return;  // the order of the layout table
  // Fields and buttons left out of the Tab order still take the focus when
  // clicked, but the Tab key passes them by.
  for (const auto& [name, w] : widgets_) {
    if (w->focusPolicy() == Qt::NoFocus) continue;
    if (std::find(tabOrder.begin(), tabOrder.end(), name) == tabOrder.end()) w->setFocusPolicy(Qt::ClickFocus);
  }
  QWidget* previous = nullptr;
  for (std::string_view name : tabOrder) {
    QWidget* w = ControlWidget(name);
    if (w == nullptr) continue;
    if (previous != nullptr) QWidget::setTabOrder(previous, w);
    previous = w;
  }
}

QWidget* ScreenWindow::ControlWidget(std::string_view name) const {
  auto it = widgets_.find(name);
  return it == widgets_.end() ? nullptr : it->second;
}

void ScreenWindow::Sync() {
  syncing_ = true;
  for (const Control& c : screen_.controls()) {
    QWidget* w = ControlWidget(c.name());
    if (w == nullptr) continue;
    switch (c.kind()) {
      case Kind::Text: SyncField(static_cast<QLineEdit*>(w), c); break;
      case Kind::Label: SyncLabel(static_cast<CaptionLabel*>(w), c); break;
      case Kind::Button: SyncButton(static_cast<QPushButton*>(w), c); break;
    }
    if (w->isEnabled() != c.enabled) w->setEnabled(c.enabled);
    if (w->isVisibleTo(this) != c.visible) w->setVisible(c.visible);
  }
  const QString title = QString::fromStdString(screen_.title());
  if (windowTitle() != title) setWindowTitle(title);
  syncing_ = false;
}

void ScreenWindow::SyncField(QLineEdit* edit, const Control& c) {
  const QString text = QString::fromStdString(c.text);
  if (edit->isReadOnly() != c.readOnly) edit->setReadOnly(c.readOnly);
  SetTextColor(edit, QPalette::Text, c.color);
  SetFontOf(edit, c);
  if (edit->text() != text) {
    edit->setText(text);
    // A figure wider than its field shows its leading digits; the user
    // typing into the field keeps the cursor where it is.
    if (!edit->hasFocus() || edit->isReadOnly()) edit->setCursorPosition(0);
  }
  const bool wider = QFontMetrics(edit->font()).horizontalAdvance(text) > FieldTextRoom(*edit);
  const QString tip = wider ? text : QString();
  if (edit->toolTip() != tip) edit->setToolTip(tip);
}

void ScreenWindow::SyncLabel(CaptionLabel* label, const Control& c) {
  SetTextColor(label, QPalette::WindowText, c.color);
  const QFont font = FontOf(c);
  const QSize room = c.layout->autoSize ? Room(c, QFontMetrics(font).height()) : label->size();
  label->Show(QString::fromStdString(c.text), font, room, c.layout->autoSize);
}

void ScreenWindow::SyncButton(QPushButton* button, const Control& c) {
  const QString text = QString::fromStdString(c.text);
  if (button->text() != text) button->setText(text);
  SetTextColor(button, QPalette::ButtonText, c.color);
  SetFontOf(button, c);
}

QSize ScreenWindow::Room(const Control& label, int lineHeight) const {
  auto px = [this](int twips) { return shell_.ToPixels(twips); };
  const ControlSpec& s = *label.layout;
  const int left = px(s.left);
  const int top = px(s.top);
  const int rowBottom = top + std::max(px(s.height), lineHeight);
  const int tableBottom = top + px(s.height);
  // Hidden controls and empty labels draw nothing a caption could run into.
  auto draws = [&label](const Control& o) {
    return &o != &label && o.visible && !(o.kind() == Kind::Label && o.text.empty());
  };
  int right = px(screen_.clientWidth());
  for (const Control& o : screen_.controls()) {
    if (!draws(o)) continue;
    const ControlSpec& t = *o.layout;
    const int otherLeft = px(t.left);
    const int otherTop = px(t.top);
    if (otherLeft > left && otherTop < rowBottom && top < otherTop + px(t.height)) right = std::min(right, otherLeft);
  }
  // Below: down to the next control under the caption's room, or the
  // window's bottom edge. A neighbour overlapping by a pixel or two of
  // rounding does not count.
  int bottom = px(screen_.clientHeight());
  for (const Control& o : screen_.controls()) {
    if (!draws(o)) continue;
    const ControlSpec& t = *o.layout;
    const int otherLeft = px(t.left);
    const int otherTop = px(t.top);
    const int overlap = std::min(right, otherLeft + px(t.width)) - std::max(left, otherLeft);
    if (otherTop >= tableBottom && overlap > 2) bottom = std::min(bottom, otherTop);
  }
  return {std::max(1, right - left), std::max(px(s.height), bottom - top)};
}

void ScreenWindow::PressBack() {
  const std::string_view back = BackButton(screen_);
  if (back.empty()) return;
  const Control* c = screen_.Find(back);
  if (c == nullptr || !c->visible || !c->enabled) return;
  shell_.Press(screen_, back);
}

void ScreenWindow::FocusFirstTime() {
  if (focused_) return;
  focused_ = true;
  std::string_view first = screen_.layout().initialFocus;
  if (first.empty() && !screen_.layout().tabOrder.empty()) first = screen_.layout().tabOrder.front();
  if (QWidget* w = ControlWidget(first)) w->setFocus(Qt::OtherFocusReason);
}

void ScreenWindow::HideAndRelease() {
  hide();
  destroy(true, true);
}

void ScreenWindow::BringToFront() {
  if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
  raise();
  activateWindow();
}

void ScreenWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  if (!shell_.exited()) screen_.Close();
}

void ScreenWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (syncing_) return;
  const QPoint p = pos();
  screen_.NoteMovedByUser(shell_.ToTwips(p.y()), shell_.ToTwips(p.x()));
}

// ---------------------------------------------------------------- QtShell

QtShell::QtShell() {
  QScreen* primary = QGuiApplication::primaryScreen();
  if (primary != nullptr && primary->logicalDotsPerInch() > 0) dpi_ = primary->logicalDotsPerInch();
  int width = 28800;
  int height = 16200;
  if (primary != nullptr) {
    width = ToTwips(primary->geometry().width());
    height = ToTwips(primary->geometry().height());
  }
  app_ = std::make_unique<App>(*this, width, height);
}

QtShell::~QtShell() {
  exited_ = true;
  windows_.clear();
}

int QtShell::ToPixels(int twips) const { return static_cast<int>(std::lround(twips * dpi_ / 1440.0)); }

int QtShell::ToTwips(int pixels) const { return static_cast<int>(std::lround(pixels * 1440.0 / dpi_)); }

void QtShell::Start() { app_->Start(); }

ScreenWindow* QtShell::Window(const Screen& screen) const {
  auto it = windows_.find(&screen);
  return it == windows_.end() ? nullptr : it->second.get();
}

ScreenWindow& QtShell::EnsureWindow(Screen& screen) {
  if (ScreenWindow* w = Window(screen)) return *w;
  auto window = std::make_unique<ScreenWindow>(*this, screen);
  ScreenWindow& ref = *window;
  ref.move(ToPixels(screen.left()), ToPixels(screen.top()));
  windows_.emplace(&screen, std::move(window));
  return ref;
}

void QtShell::Press(Screen& screen, std::string_view button) {
  if (exited_) return;
  try {
    screen.Click(button);
  } catch (const std::exception& e) {
    // A fault of the program itself: say so and keep the screen usable.
    QMessageBox box(QMessageBox::Critical, Q(kProgramTitle), QStringLiteral("程序内部错误：") + QString::fromUtf8(e.what()),
                    QMessageBox::Ok, Window(screen));
    ExecMessageBox(box);
  }
  if (!exited_) SyncAll();
}

void QtShell::SyncAll() {
  for (auto& [screen, window] : windows_) window->Sync();
}

void QtShell::BringToFront() {
  for (auto& [screen, window] : windows_) {
    if (screen->visible() && window->isVisible()) window->BringToFront();
  }
}

void QtShell::RunBox(QMessageBox& box) {
  SyncAll();  // the box stands in front of the screen as the handler left it
  ExecMessageBox(box);
}

void QtShell::ShowMessage(std::string_view text) {
  QWidget* parent = QApplication::activeWindow();
  QMessageBox box(QMessageBox::NoIcon, Q(kProgramTitle), Q(text), QMessageBox::Ok, parent);
  RunBox(box);
}

void QtShell::ReportError(ErrorKind kind) {
  QWidget* parent = QApplication::activeWindow();
  QMessageBox box(QMessageBox::Warning, Q(kProgramTitle), Q(ErrorKindMessage(kind)), QMessageBox::Ok, parent);
  RunBox(box);
}

void QtShell::WindowChanged(Screen& screen, WindowEvent event) {
  if (exited_) return;
  switch (event) {
    case WindowEvent::Created:
      break;  // the window is built when the screen is first shown
    case WindowEvent::Shown: {
      ScreenWindow& w = EnsureWindow(screen);
      w.Sync();
      w.show();
      w.raise();
      w.activateWindow();
      w.FocusFirstTime();
      break;
    }
    case WindowEvent::Hidden:
      if (ScreenWindow* w = Window(screen)) w->HideAndRelease();
      break;
    case WindowEvent::Moved:
      if (ScreenWindow* w = Window(screen)) w->move(ToPixels(screen.left()), ToPixels(screen.top()));
      break;
  }
}

void QtShell::ExitProgram() {
  if (exited_) return;
  exited_ = true;
  for (auto& [screen, window] : windows_) window->hide();
  QCoreApplication::quit();
}

}  // namespace hc::qt
