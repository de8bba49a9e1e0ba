// Shared by the window tests: a program without windows to compare the real
// windows with, a watchdog that answers every modal box, and readers that
// describe a control as the model holds it and as its widget shows it.
#pragma once

#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStringList>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "qt/qt_shell.h"
#include "shell/app.h"
#include "tests/test_host.h"

namespace hc::test {

inline QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

inline QString ColorName(Rgb c) { return QColor(c.r, c.g, c.b).name(); }

// ---------------------------------------------------------------- headless twin

// The same screens with no windows: what the model alone does for a press,
// on the tests' recording host. Messages are given as the window tests
// record the boxes: "prompt: TEXT", "error: TEXT" or "internal: TEXT".
class HeadlessProgram final {
 public:
  HeadlessProgram() : app_(host_) {}

  App& app() { return app_; }
  QStringList TakeMessages() {
    QStringList out;
    std::size_t error = 0;
    std::size_t message = 0;
    for (const std::string& report : host_.reports) {
      if (report.rfind("error: ", 0) == 0) {
        out << QStringLiteral("error: ") + Q(ErrorKindMessage(host_.errors[error++]));
      } else {
        out << QStringLiteral("prompt: ") + Q(host_.messages[message++]);
      }
    }
    host_.Forget();
    out.append(std::exchange(internal_, {}));
    return out;
  }

  // A press as the Qt program makes it, program faults reported the same way.
  void Press(Screen& screen, std::string_view button) {
    try {
      screen.Click(button);
    } catch (const std::exception& e) {
      internal_ << QStringLiteral("internal: 程序内部错误：") + QString::fromUtf8(e.what());
    }
  }

 private:
  TestHost host_;
  App app_;
  QStringList internal_;
};

// ---------------------------------------------------------------- modal boxes

// Answers every modal box by clicking its OK button, as a user would, and
// records it in the form HeadlessProgram uses. A prompt is a box without an
// icon; any other icon marks an error report. A box that is not a plain OK
// box titled with the program's title is recorded as "bad box: ...".
class BoxWatchdog final : public QObject {
 public:
  BoxWatchdog() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
    timer_.start();
  }

  QStringList TakeMessages() { return std::exchange(messages_, {}); }

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) {
      messages_ << QStringLiteral("bad box: not a message box");
      modal->close();
      return;
    }
    const QString text = box->text();
    if (box->windowTitle() != Q(kProgramTitle) || box->standardButtons() != QMessageBox::Ok) {
      messages_ << QStringLiteral("bad box: ") + box->windowTitle() + QStringLiteral(" | ") + text;
    } else if (box->icon() == QMessageBox::NoIcon) {
      messages_ << QStringLiteral("prompt: ") + text;
    } else if (box->icon() == QMessageBox::Critical) {
      messages_ << QStringLiteral("internal: ") + text;
    } else {
      messages_ << QStringLiteral("error: ") + text;
    }
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
      QTest::mouseClick(ok, Qt::LeftButton);
    }
    if (box->isVisible()) box->done(QMessageBox::Ok);
  }

  QTimer timer_;
  QStringList messages_;
};

// ---------------------------------------------------------------- describing controls

inline QString KindName(Kind kind) {
  switch (kind) {
    case Kind::Text: return QStringLiteral("text");
    case Kind::Label: return QStringLiteral("label");
    case Kind::Button: return QStringLiteral("button");
    case Kind::Option: return QStringLiteral("option");
    case Kind::Table: return QStringLiteral("table");
    case Kind::TextArea: return QStringLiteral("textarea");
  }
  return {};
}

inline QString Describe(const QString& name, const QString& kind, const QString& text, const QString& color,
                        bool readOnly, bool visible, bool enabled, const QString& font, double size, bool bold) {
  return QStringLiteral("%1 %2 text=[%3] color=%4 readonly=%5 visible=%6 enabled=%7 font=%8 size=%9 bold=%10")
      .arg(name, kind, text, color)
      .arg(int(readOnly))
      .arg(int(visible))
      .arg(int(enabled))
      .arg(font.isEmpty() ? QStringLiteral("default") : font)
      .arg(size)
      .arg(int(bold));
}

// Every control of a layout table as the table gives it (today's date
// where a field shows it at load).
inline QStringList DescribeTable(const ScreenSpec& layout) {
  QStringList lines;
  for (const ControlSpec& c : layout.controls) {
    lines << Describe(Q(c.name), KindName(c.kind), QString::fromStdString(ControlState::From(c).text),
                      ColorName(c.color), c.readOnly, c.visible, c.enabled, Q(c.font), c.fontSize, c.bold);
  }
  return lines;
}

// Every control as the model holds it now.
inline QStringList DescribeModel(const Screen& screen) {
  QStringList lines;
  for (const Control& c : screen.controls()) {
    lines << Describe(Q(c.name()), KindName(c.kind()), QString::fromStdString(c.text), ColorName(c.color),
                      c.readOnly, c.visible, c.enabled, QString::fromStdString(c.font), c.fontSize, c.bold);
  }
  return lines;
}

// The family a font asks for, named as the layout names it: empty for the
// program's font.
inline QString RequestedFamily(const QFont& font) {
  const QStringList families = font.families();
  if (families == QApplication::font().families()) return {};
  return families.isEmpty() ? font.family() : families.front();
}

// The widest line of a text in a font.
inline qreal TextWidth(const QFont& font, const QString& text) {
  const QFontMetricsF metrics(font);
  qreal widest = 0;
  for (const QString& line : text.split(QLatin1Char('\n'))) widest = std::max(widest, metrics.horizontalAdvance(line));
  return widest;
}

// Every control as its widget shows it now; a widget of the wrong class or
// a missing one reads "missing". A label reads as the caption and font it
// was given: it may draw them smaller or on more lines to fit its room,
// which the geometry test measures.
inline QStringList DescribeWidgets(qt::ScreenWindow& window) {
  QStringList lines;
  for (const Control& c : window.screen().controls()) {
    QWidget* w = window.ControlWidget(c.name());
    const QString name = Q(c.name());
    QString kind;
    QString text;
    QString color;
    bool readOnly = false;
    QFont font = w != nullptr ? w->font() : QFont();
    if (auto* edit = qobject_cast<qt::FigureField*>(w)) {
      kind = QStringLiteral("text");
      text = edit->text();
      font = edit->tableFont();  // it may draw a long text smaller, which the geometry test measures
      color = edit->palette().color(QPalette::Text).name();
      readOnly = edit->isReadOnly();
    } else if (auto* label = qobject_cast<qt::CaptionLabel*>(w)) {
      kind = QStringLiteral("label");
      text = label->caption();
      font = label->tableFont();
      color = label->palette().color(QPalette::WindowText).name();
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
      kind = QStringLiteral("button");
      text = button->text();
      color = button->palette().color(QPalette::ButtonText).name();
    } else if (auto* option = qobject_cast<QRadioButton*>(w)) {
      kind = QStringLiteral("option");
      text = option->text();
      color = option->palette().color(QPalette::WindowText).name();
    } else if (auto* area = qobject_cast<QPlainTextEdit*>(w)) {
      kind = QStringLiteral("textarea");
      text = area->toPlainText();
      color = area->palette().color(QPalette::Text).name();
      readOnly = area->isReadOnly();
    } else if (auto* table = qobject_cast<qt::ResultTable*>(w)) {
      kind = QStringLiteral("table");
      color = ColorName(c.color);  // the cells carry the colours
      readOnly = table->editTriggers() == QAbstractItemView::NoEditTriggers;
    }
    if (kind.isEmpty()) {
      lines << name + QStringLiteral(" missing");
      continue;
    }
    lines << Describe(name, kind, text, color, readOnly, w->isVisibleTo(&window), w->isEnabled(),
                      RequestedFamily(font), font.pointSizeF(), font.bold());
  }
  return lines;
}

// ---------------------------------------------------------------- typing and pressing

// Replaces a field's text by key presses, one per character (Chinese ones too).
inline void Type(QLineEdit* edit, const QString& text) {
  edit->setFocus(Qt::OtherFocusReason);
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  for (const QChar ch : text) {
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
  }
}

// The fields a user can type into right now.
inline std::vector<std::string> EditableFields(const Screen& screen) {
  std::vector<std::string> names;
  for (const Control& c : screen.controls()) {
    if (c.kind() == Kind::Text && !c.readOnly && c.visible && c.enabled) names.emplace_back(c.name());
  }
  return names;
}

// The buttons that calculate (or clear) rather than change screens.
inline std::vector<std::string> WorkButtons(const Screen& screen) {
  std::vector<std::string> names;
  for (const Control& c : screen.controls()) {
    if (c.kind() == Kind::Button && screen.HasHandler(c.name()) && !screen.IsNavigation(c.name())) {
      names.emplace_back(c.name());
    }
  }
  return names;
}

// Names of the screens visible now.
inline QStringList VisibleScreens(App& app) {
  QStringList names;
  for (const ScreenEntry& e : ScreenRegistry()) {
    if (Screen* s = app.Existing(e.name); s != nullptr && s->visible()) names << Q(e.name);
  }
  return names;
}

// Pixels for twips at the display's logical resolution.
inline int Px(int twips) {
  const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInch();
  return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

// The labels whose caption is wider than the label.
inline QStringList ClippedLabels(qt::ScreenWindow& window) {
  QStringList clipped;
  for (const Control& c : window.screen().controls()) {
    auto* label = qobject_cast<QLabel*>(window.ControlWidget(c.name()));
    // A fixed-size label keeps its table geometry and wraps its caption.
    if (label == nullptr || !c.layout->autoSize) continue;
    const qreal needed = TextWidth(label->font(), label->text());
    if (label->width() < std::ceil(needed)) {
      clipped << QStringLiteral("%1 [%2] %3 < %4").arg(Q(c.name()), label->text()).arg(label->width()).arg(needed);
    }
  }
  return clipped;
}

// Registry rows for data-driven tests.
inline void AddScreenRows() {
  QTest::addColumn<QString>("screen");
  for (const ScreenEntry& e : ScreenRegistry()) QTest::newRow(std::string(e.name).c_str()) << Q(e.name);
}

}  // namespace hc::test
