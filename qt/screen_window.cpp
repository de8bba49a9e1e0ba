#include "qt/screen_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMoveEvent>
#include <QPalette>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QShortcut>
#include <algorithm>
#include <cmath>

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

std::string_view BackButton(const Screen& screen) {
  if (!screen.layout().backButton.empty()) return screen.layout().backButton;
  for (const Control& c : screen.controls()) {
    if (c.kind() == Kind::Button && (c.text == "切换回去" || c.text == "返回")) return c.name();
  }
  return {};
}


ScreenWindow::ScreenWindow(QtShell& shell, Screen& screen)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                           (Resizable(screen.layout()) ? Qt::WindowMaximizeButtonHint : Qt::WindowType(0))),
      shell_(shell),
      screen_(screen),
      resizable_(Resizable(screen.layout())) {
  setObjectName(Q(screen.name()));
  setAccessibleName(Q(screen.name()));
  setWindowTitle(QString::fromStdString(screen.title()));
  // The menu bar stands above the client area, which keeps the table's
  // size; the window grows by the bar's height. A resizable window starts
  // at that size and cannot be made smaller.
  menuBar_ = BuildMenuBar(this, [this](const MenuNode& item) { shell_.Choose(screen_, item); });
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("client"));
  tableClient_ = QSize(shell.ToPixels(screen.clientWidth()), shell.ToPixels(screen.clientHeight()));
  const int width = tableClient_.width();
  const int height = tableClient_.height();
  const int bar = menuBar_->sizeHint().height();
  menuBar_->setGeometry(0, 0, width, bar);
  client_->setGeometry(0, bar, width, height);
  if (resizable_) {
    setMinimumSize(width, bar + height);
    resize(width, bar + height);
  } else {
    setFixedSize(width, bar + height);
  }
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
      auto* edit = new FigureField(client_);
      QObject::connect(edit, &QLineEdit::textEdited, edit,
                       [this, name](const QString& t) { screen_.Type(name, t.toStdString()); });
      // Where Enter presses the default button anywhere, the key reaches the
      // window (a line edit passes it on) and the window presses it.
      if (!screen_.layout().defaultButton.empty() && !screen_.layout().enterAnywhere) {
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
        screen_.Type(name, area->toPlainText().toStdString());
      });
      return area;
    }
  }
  return nullptr;
}

void ScreenWindow::Build() {
  for (const Control& c : screen_.controls()) {
    QWidget* w = BuildWidget(c);
    w->setObjectName(Q(c.name()));
    w->setAccessibleName(Q(c.name()));
    w->setGeometry(ControlRect(c));
    widgets_.emplace(std::string(c.name()), w);
  }
}

QRect ScreenWindow::ControlRect(const Control& c) const {
  const ControlSpec& s = *c.layout;
  const Anchors& a = s.anchors;
  const double across = std::max(0, client_->width() - tableClient_.width());
  const double down = std::max(0, client_->height() - tableClient_.height());
  auto px = [this](int twips) { return shell_.ToPixels(twips); };
  auto moved = [](int edge, double share, double growth) {
    return edge + static_cast<int>(std::lround(share * growth));
  };
  const int left = moved(px(s.left), a.left, across);
  const int top = moved(px(s.top), a.top, down);
  const int right = moved(px(s.left) + px(s.width), a.right, across);
  const int bottom = moved(px(s.top) + px(s.height), a.bottom, down);
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void ScreenWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int bar = menuBar_->height();
  if (menuBar_->width() != width()) menuBar_->setGeometry(0, 0, width(), bar);
  const QRect client(0, bar, width(), height() - bar);
  if (client_->geometry() == client) return;
  client_->setGeometry(client);
  Relayout();
}

void ScreenWindow::Relayout() {
  for (const Control& c : screen_.controls()) {
    QWidget* w = ControlWidget(c.name());
    if (w == nullptr) continue;
    const QRect r = ControlRect(c);
    auto* label = qobject_cast<CaptionLabel*>(w);
    // A label sized to its caption keeps its size; its room is fitted below.
    if (label != nullptr && c.layout->autoSize) {
      w->move(r.topLeft());
    } else if (w->geometry() != r) {
      w->setGeometry(r);
    }
  }
  for (const Control& c : screen_.controls()) {
    if (auto* label = qobject_cast<CaptionLabel*>(ControlWidget(c.name()))) SyncLabel(label, c);
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
      case Kind::Text: SyncField(static_cast<FigureField*>(w), c); break;
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

void ScreenWindow::SyncField(FigureField* field, const Control& c) {
  SetTextColor(field, QPalette::Text, c.color);
  field->Show(QString::fromStdString(c.text), FontOf(c), c.readOnly);
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
  const QRect own = ControlRect(label);
  const int left = own.left();
  const int top = own.top();
  const int rowBottom = top + std::max(own.height(), lineHeight);
  const int tableBottom = top + own.height();
  // Hidden controls and empty labels draw nothing a caption could run into.
  auto draws = [&label](const Control& o) {
    return &o != &label && o.visible && !(o.kind() == Kind::Label && o.text.empty());
  };
  int right = client_->width();
  for (const Control& o : screen_.controls()) {
    if (!draws(o)) continue;
    const QRect t = ControlRect(o);
    if (t.left() > left && t.top() < rowBottom && top < t.top() + t.height()) right = std::min(right, t.left());
  }
  // Below: down to the next control under the caption's room, or the
  // window's bottom edge. A neighbour overlapping by a pixel or two of
  // rounding does not count.
  int bottom = client_->height();
  for (const Control& o : screen_.controls()) {
    if (!draws(o)) continue;
    const QRect t = ControlRect(o);
    const int overlap = std::min(right, t.left() + t.width()) - std::max(left, t.left());
    if (t.top() >= tableBottom && overlap > 2) bottom = std::min(bottom, t.top());
  }
  return {std::max(1, right - left), std::max(own.height(), bottom - top)};
}

void ScreenWindow::PressBack() {
  const std::string_view back = BackButton(screen_);
  if (back.empty()) return;
  const Control* c = screen_.Find(back);
  if (c == nullptr || !c->visible || !c->enabled) return;
  shell_.Press(screen_, back);
}

void ScreenWindow::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  const std::string_view button = screen_.layout().defaultButton;
  // A multi-line field keeps Enter for its line breaks.
  if (!enter || !plain || !screen_.layout().enterAnywhere || button.empty() ||
      qobject_cast<QPlainTextEdit*>(QApplication::focusWidget()) != nullptr) {
    return QWidget::keyPressEvent(event);
  }
  event->accept();
  const Control* c = screen_.Find(button);
  if (c == nullptr || !c->visible || !c->enabled) return;
  shell_.Press(screen_, button);
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
