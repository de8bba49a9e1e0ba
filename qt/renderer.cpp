#include "qt/renderer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMoveEvent>
#include <QPalette>
#include <QPushButton>
#include <QHeaderView>
#include <QRadioButton>
#include <QTableWidget>
#include <QScreen>
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

// Returns whether the font changed.
bool SetFontOf(QWidget* w, const Control& c) {
  QFont f = ControlFont(Q(c.font), c.fontSize, c.bold);
  if (w->font() == f) return false;
  w->setFont(f);
  return true;
}

// A table's cells and row colours, rebuilt only when they changed since the
// last time (the table remembers a digest of what it shows).
void SyncTable(QTableWidget* table, const Control& c) {
  std::size_t digest = c.rows.size();
  auto mix = [&digest](std::size_t h) { digest ^= h + 0x9E3779B97F4A7C15ull + (digest << 6) + (digest >> 2); };
  for (const auto& row : c.rows) {
    for (const std::string& cell : row) mix(std::hash<std::string>{}(cell));
  }
  for (Rgb color : c.rowColors) mix((std::size_t{color.r} << 16) | (std::size_t{color.g} << 8) | color.b);
  const QVariant shown = table->property("digest");
  if (shown.isValid() && shown.toULongLong() == digest) return;
  table->setProperty("digest", QVariant::fromValue<qulonglong>(digest));
  table->setRowCount(static_cast<int>(c.rows.size()));
  for (std::size_t r = 0; r < c.rows.size(); ++r) {
    const Rgb color = r < c.rowColors.size() ? c.rowColors[r] : c.color;
    for (std::size_t col = 0; col < c.rows[r].size() && col < static_cast<std::size_t>(table->columnCount()); ++col) {
      auto* item = new QTableWidgetItem(QString::fromStdString(c.rows[r][col]));
      item->setForeground(ToColor(color));
      table->setItem(static_cast<int>(r), static_cast<int>(col), item);
    }
  }
}

}  // namespace

void ExecMessageBox(QMessageBox& box) {
  if (std::getenv("HENGCHUAN_AUTO_ANSWER") != nullptr) {
    std::fprintf(stderr, "message: %s\n", box.text().toUtf8().constData());
    return;
  }
  box.exec();
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
  setFixedSize(shell.ToPixels(screen.layout().clientWidth), shell.ToPixels(screen.layout().clientHeight));
  Build();
  ApplyTabOrder();
  Sync();
}

void ScreenWindow::Build() {
  for (Control& c : screen_.controls()) {
    const ControlSpec& s = *c.layout;
    QWidget* w = nullptr;
    std::string name(c.name());
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
        w = edit;
        break;
      }
      case Kind::Label: {
        auto* label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setFocusPolicy(Qt::NoFocus);
        // Captions start at the label's top-left corner; a fixed-size label
        // whose wrapped caption runs long loses its last line, not its first.
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        w = label;
        break;
      }
      case Kind::Button: {
        auto* button = new QPushButton(this);
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, button, [this, name] { shell_.Press(screen_, name); });
        w = button;
        break;
      }
      case Kind::Option: {
        // The model keeps one option of a group selected; the widget only
        // shows it and reports the click.
        auto* option = new QRadioButton(this);
        option->setAutoExclusive(false);
        QObject::connect(option, &QRadioButton::clicked, option, [this, name] { shell_.Press(screen_, name); });
        w = option;
        break;
      }
      case Kind::Table: {
        auto* table = new QTableWidget(this);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->verticalHeader()->setVisible(false);
        QStringList headers;
        for (std::string_view h : s.columns) headers << Q(h);
        table->setColumnCount(static_cast<int>(headers.size()));
        table->setHorizontalHeaderLabels(headers);
        w = table;
        break;
      }
    }
    w->setObjectName(Q(c.name()));
    w->setAccessibleName(Q(c.name()));
    w->setGeometry(shell_.ToPixels(s.left), shell_.ToPixels(s.top), shell_.ToPixels(s.width),
                   shell_.ToPixels(s.height));
    widgets_.emplace(name, w);
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
    const QString text = QString::fromStdString(c.text);
    switch (c.kind()) {
      case Kind::Text: {
        auto* edit = static_cast<QLineEdit*>(w);
        if (edit->text() != text) edit->setText(text);
        if (edit->isReadOnly() != c.readOnly) edit->setReadOnly(c.readOnly);
        SetTextColor(edit, QPalette::Text, c.color);
        SetFontOf(edit, c);
        break;
      }
      case Kind::Label: {
        auto* label = static_cast<QLabel*>(w);
        SetTextColor(label, QPalette::WindowText, c.color);
        const bool fontChanged = SetFontOf(label, c);
        if (label->text() != text || fontChanged || label->property("sized").isNull()) {
          label->setText(text);
          // Labels size themselves to their caption, also when only the
          // font changes; a fixed-size label keeps its table geometry.
          if (c.layout->autoSize) {
            label->adjustSize();
          } else {
            label->setWordWrap(true);
            label->setToolTip(text);  // the whole caption, should it not fit
          }
          label->setProperty("sized", true);
        }
        break;
      }
      case Kind::Button: {
        auto* button = static_cast<QPushButton*>(w);
        if (button->text() != text) button->setText(text);
        SetTextColor(button, QPalette::ButtonText, c.color);
        SetFontOf(button, c);
        break;
      }
      case Kind::Option: {
        auto* option = static_cast<QRadioButton*>(w);
        if (option->text() != text) option->setText(text);
        if (option->isChecked() != c.checked) option->setChecked(c.checked);
        SetTextColor(option, QPalette::WindowText, c.color);
        SetFontOf(option, c);
        break;
      }
      case Kind::Table:
        SyncTable(static_cast<QTableWidget*>(w), c);
        break;
    }
    if (w->isEnabled() != c.enabled) w->setEnabled(c.enabled);
    if (w->isVisibleTo(this) != c.visible) w->setVisible(c.visible);
  }
  const QString title = QString::fromStdString(screen_.title());
  if (windowTitle() != title) setWindowTitle(title);
  syncing_ = false;
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
