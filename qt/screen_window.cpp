#include "qt/screen_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QMoveEvent>
#include <QPalette>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

#include "qt/caption_label.h"
#include "qt/convert.h"
#include "qt/fonts.h"
#include "qt/menu_bar.h"
#include "qt/push_button.h"
#include "qt/qt_shell.h"

namespace hc::qt {

namespace {

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

// A multi-line field: plain text only, one entry a line as typed (no
// wrapping); Tab moves the focus on and Enter starts a new line, so the
// screen's default button is not pressed from here.
QPlainTextEdit* NewTextArea(QWidget* parent) {
  auto* area = new QPlainTextEdit(parent);
  area->setTabChangesFocus(true);
  area->setLineWrapMode(QPlainTextEdit::NoWrap);
  return area;
}

void SyncTextArea(QPlainTextEdit* area, const Control& c) {
  if (area->isReadOnly() != c.readOnly) area->setReadOnly(c.readOnly);
  SetTextColor(area, QPalette::Text, c.color);
  SetFontOf(area, c);
  const QString text = QString::fromStdString(c.text);
  if (area->toPlainText() != text) area->setPlainText(text);
}

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
  // QLineEdit keeps two pixels clear on either side of its text.
  return contents.width() - margins.left() - margins.right() - 4;
}

std::string_view BackButton(const Screen& screen) {
  if (!screen.layout().backButton.empty()) return screen.layout().backButton;
  for (const Control& c : screen.controls()) {
    if (c.kind() == Kind::Button && (c.text == "切换回去" || c.text == "返回")) return c.name();
  }
  return {};
}


ScreenWindow::ScreenWindow(QtShell& shell, Screen& screen)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      shell_(shell),
      screen_(screen) {
  setObjectName(Q(screen.name()));
  setAccessibleName(Q(screen.name()));
  setWindowTitle(QString::fromStdString(screen.title()));
  // The menu bar stands above the client area, which keeps the table's
  // size; the window grows by the bar's height.
  menuBar_ = BuildMenuBar(this, [this](const MenuNode& item) { shell_.Choose(screen_, item); });
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("client"));
  const int width = shell.ToPixels(screen.clientWidth());
  const int height = shell.ToPixels(screen.clientHeight());
  const int bar = menuBar_->sizeHint().height();
  menuBar_->setGeometry(0, 0, width, bar);
  client_->setGeometry(0, bar, width, height);
  setFixedSize(width, bar + height);
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
      auto* edit = new QLineEdit(client_);
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
      return new CaptionLabel(client_);
    case Kind::Button: {
      auto* button = new PushButton(client_);
      button->setAutoDefault(false);
      QObject::connect(button, &QPushButton::clicked, button, [this, name] { shell_.Press(screen_, name); });
      return button;
    }
    case Kind::Option: {
      // The model keeps one option of a group selected; Sync shows which.
      auto* option = new QRadioButton(client_);
      option->setAutoExclusive(false);
      QObject::connect(option, &QRadioButton::clicked, option, [this, name] { shell_.Press(screen_, name); });
      return option;
    }
    case Kind::Table:
      return new ResultTable(*c.layout, client_);
    case Kind::TextArea: {
      QPlainTextEdit* area = NewTextArea(client_);
      QObject::connect(area, &QPlainTextEdit::textChanged, area, [this, area, name] {
        if (syncing_) return;  // the model's own text arriving
        if (Control* ctl = screen_.Find(name)) ctl->text = area->toPlainText().toStdString();
      });
      return area;
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
      case Kind::Option: SyncOption(static_cast<QRadioButton*>(w), c); break;
      case Kind::Table: SyncTable(static_cast<ResultTable*>(w), c); break;
      case Kind::TextArea: SyncTextArea(static_cast<QPlainTextEdit*>(w), c); break;
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

void ScreenWindow::SyncOption(QRadioButton* option, const Control& c) {
  const QString text = QString::fromStdString(c.text);
  if (option->text() != text) option->setText(text);
  if (option->isChecked() != c.checked) option->setChecked(c.checked);
  SetTextColor(option, QPalette::WindowText, c.color);
  SetTextColor(option, QPalette::ButtonText, c.color);
  SetFontOf(option, c);
}

void ScreenWindow::SyncTable(ResultTable* table, const Control& c) {
  SetFontOf(table, c);
  table->SetRows(c.rows, c.rowColors, c.color);
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

}  // namespace hc::qt
