// The keyboard on every screen of the registry: Enter (the main key or the
// keypad's) in an input field presses the screen's calculate button, and the
// Tab key walks the fields and buttons in the screen's own order.
#include <QtTest>
#include <algorithm>

#include "qt/fonts.h"
#include "qt/qt_shell.h"
#include "tests/qt/window_test_support.h"

using namespace hc::test;

namespace {

// The controls the Tab key stops at now, in Tab order.
QStringList TabStops(hc::qt::ScreenWindow& window) {
  QStringList stops;
  for (std::string_view name : window.screen().layout().tabOrder) {
    QWidget* w = window.ControlWidget(name);
    if (w != nullptr && w->isVisible() && w->isEnabled()) stops << Q(name);
  }
  return stops;
}

// A screen shown in the Qt program and the same screen in the model alone,
// for a key to be compared with the press it stands for.
struct Twins {
  explicit Twins(const std::string& name) : model(shell.app().Get(name)), other(twin.app().Get(name)) {
    model.Show();
    other.Show();
    window = shell.Window(model);
  }
  BoxWatchdog watchdog;
  hc::qt::QtShell shell;
  HeadlessProgram twin;
  hc::Screen& model;
  hc::Screen& other;
  hc::qt::ScreenWindow* window = nullptr;
};

QString FocusName() {
  QWidget* w = QApplication::focusWidget();
  return w == nullptr ? QStringLiteral("(none)") : w->objectName();
}

}  // namespace

class KeyboardTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    qunsetenv("HENGCHUAN_AUTO_ANSWER");
    hc::qt::InstallFonts();
  }

  // A screen with fields to type into has a calculate button for Enter, and
  // its Tab order names fields and buttons of its own, each once.
  void focus_tables_are_sound_data() { AddScreenRows(); }
  void focus_tables_are_sound() {
    QFETCH(QString, screen);
    HeadlessProgram program;
    hc::Screen& s = program.app().Get(screen.toStdString());
    const hc::ScreenSpec& layout = s.layout();
    bool hasInput = false;
    for (const hc::ControlSpec& c : layout.controls) hasInput |= c.kind == hc::Kind::Text && !c.readOnly && c.visible;
    if (hasInput) {
      QVERIFY2(!layout.defaultButton.empty(), "input fields but no button for Enter");
    }
    if (!layout.defaultButton.empty()) {
      const hc::Control* button = s.Find(layout.defaultButton);
      QVERIFY2(button != nullptr && button->kind() == hc::Kind::Button, layout.defaultButton.data());
      QVERIFY2(s.HasHandler(layout.defaultButton) && !s.IsNavigation(layout.defaultButton), layout.defaultButton.data());
    }
    QStringList seen;
    for (std::string_view name : layout.tabOrder) {
      const hc::Control* c = s.Find(name);
      QVERIFY2(c != nullptr, name.data());
      QVERIFY2(c->kind() != hc::Kind::Label, name.data());
      QVERIFY2(!seen.contains(Q(name)), name.data());
      seen << Q(name);
    }
    if (!layout.initialFocus.empty()) QVERIFY2(seen.contains(Q(layout.initialFocus)), layout.initialFocus.data());
  }

  void enter_presses_the_calculate_button_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("keypad");
    HeadlessProgram program;
    for (const hc::ScreenEntry& e : hc::ScreenRegistry()) {
      hc::Screen& s = program.app().Get(e.name);
      if (s.layout().defaultButton.empty()) continue;
      for (const hc::Control& c : s.controls()) {
        if (c.kind() != hc::Kind::Text || !c.visible) continue;
        for (bool keypad : {false, true}) {
          const std::string row = std::string(e.name) + " " + std::string(c.name()) + (keypad ? " keypad" : " return");
          QTest::newRow(row.c_str()) << Q(e.name) << Q(c.name()) << keypad;
        }
      }
    }
  }
  void enter_presses_the_calculate_button() {
    QFETCH(QString, screen);
    QFETCH(QString, field);
    QFETCH(bool, keypad);
    Twins t(screen.toStdString());
    auto& [watchdog, shell, twin, model, other, window] = t;
    auto* edit = qobject_cast<QLineEdit*>(window->ControlWidget(field.toStdString()));
    QVERIFY(edit != nullptr);
    watchdog.TakeMessages();
    twin.TakeMessages();

    edit->setFocus(Qt::OtherFocusReason);
    if (keypad) {
      QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
    } else {
      QTest::keyClick(edit, Qt::Key_Return);
    }
    // Only a field the user can type into presses the button; Enter in a
    // result field or a disabled one does nothing, but for a screen where
    // Enter presses it wherever the focus is (a disabled field takes none).
    const bool anywhere = model.layout().enterAnywhere;
    if (anywhere && !edit->isEnabled()) QSKIP("a disabled field takes no focus");
    if ((!edit->isReadOnly() || anywhere) && edit->isEnabled()) twin.Press(other, model.layout().defaultButton);

    QCOMPARE(watchdog.TakeMessages(), twin.TakeMessages());
    QCOMPARE(DescribeModel(model), DescribeModel(other));
    QCOMPARE(DescribeWidgets(*window), DescribeModel(model));
    QCOMPARE(VisibleScreens(shell.app()), VisibleScreens(twin.app()));
  }

  // On a screen where Enter presses the default button wherever the focus
  // is, an option or a table with the focus passes Enter on to it: the
  // same press as the model's, the same messages. (A focused button is
  // pressed itself, as on every screen.)
  void enter_presses_it_from_options_and_tables_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("control");
    HeadlessProgram program;
    for (const hc::ScreenEntry& e : hc::ScreenRegistry()) {
      const hc::Screen& s = program.app().Get(e.name);
      if (!s.layout().enterAnywhere) continue;
      for (std::string_view name : s.layout().tabOrder) {
        const hc::Kind kind = program.app().Get(e.name).At(name).kind();
        if (kind != hc::Kind::Option && kind != hc::Kind::Table) continue;
        const std::string row = std::string(e.name) + " " + std::string(name);
        QTest::newRow(row.c_str()) << Q(e.name) << Q(name);
      }
    }
  }
  void enter_presses_it_from_options_and_tables() {
    QFETCH(QString, screen);
    QFETCH(QString, control);
    Twins t(screen.toStdString());
    auto& [watchdog, shell, twin, model, other, window] = t;
    QWidget* w = window->ControlWidget(control.toStdString());
    QVERIFY(w != nullptr);
    if (!w->isEnabled()) QSKIP("disabled at load");
    watchdog.TakeMessages();
    twin.TakeMessages();

    w->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(w, Qt::Key_Return);
    twin.Press(other, model.layout().defaultButton);

    QCOMPARE(watchdog.TakeMessages(), twin.TakeMessages());
    QCOMPARE(DescribeModel(model), DescribeModel(other));
    QCOMPARE(VisibleScreens(shell.app()), VisibleScreens(twin.app()));
  }

  // A tool screen's Tab order: its input fields, then its options, then its
  // buttons, each in the order of the layout table, which follows the
  // window's columns (a results table may come last).
  void tool_tab_order_is_fields_options_buttons_data() { AddScreenRows(); }
  void tool_tab_order_is_fields_options_buttons() {
    QFETCH(QString, screen);
    HeadlessProgram program;
    hc::Screen& s = program.app().Get(screen.toStdString());
    if (!s.layout().enterAnywhere) QSKIP("not a tool screen");
    auto rank = [](hc::Kind kind) {
      switch (kind) {
        case hc::Kind::Text:
        case hc::Kind::TextArea: return 0;
        case hc::Kind::Option: return 1;
        case hc::Kind::Button: return 2;
        default: return -1;
      }
    };
    QStringList expected;
    for (int r = 0; r <= 2; ++r) {
      for (const hc::Control& c : s.controls()) {
        if (rank(c.kind()) != r) continue;
        if (r == 0 && c.readOnly) continue;  // results take no Tab stop
        expected << Q(c.name());
      }
    }
    QStringList order;
    for (std::string_view name : s.layout().tabOrder) {
      if (rank(s.At(name).kind()) >= 0) order << Q(name);
    }
    QCOMPARE(order, expected);
  }

  // Type into the last field, Tab, Enter: the focus has moved on to an
  // option (or a button) and Enter still calculates, as a press does.
  void type_tab_enter_calculates_data() {
    QTest::addColumn<QString>("screen");
    for (const char* name : {"Form40", "Form41", "Form43", "Form44", "Form45", "Form46", "Form47", "Form48"}) {
      QTest::newRow(name) << QString::fromLatin1(name);
    }
  }
  void type_tab_enter_calculates() {
    QFETCH(QString, screen);
    Twins t(screen.toStdString());
    auto& [watchdog, shell, twin, model, other, window] = t;
    QVERIFY(QTest::qWaitForWindowActive(window));
    std::string_view last;
    for (std::string_view n : model.layout().tabOrder) {
      if (model.At(n).kind() == hc::Kind::Text && !model.At(n).readOnly && model.At(n).enabled) last = n;
    }
    auto* edit = qobject_cast<QLineEdit*>(window->ControlWidget(last));
    QVERIFY(edit != nullptr);
    // The field's own text typed anew, so the press computes the load example.
    const QString typed = edit->text();
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, typed);
    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != edit);
    QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()) == nullptr);
    watchdog.TakeMessages();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    twin.Press(other, model.layout().defaultButton);
    QCOMPARE(watchdog.TakeMessages(), twin.TakeMessages());
    QCOMPARE(DescribeModel(model), DescribeModel(other));
  }

  void tab_walks_the_screen_order_data() { AddScreenRows(); }
  void tab_walks_the_screen_order() {
    QFETCH(QString, screen);
    hc::qt::QtShell shell;
    hc::Screen& model = shell.app().Get(screen.toStdString());
    model.Show();
    hc::qt::ScreenWindow* window = shell.Window(model);
    QVERIFY(QTest::qWaitForWindowActive(window));
    const QStringList stops = TabStops(*window);
    if (stops.isEmpty()) QSKIP("no Tab order");

    const QString start = FocusName();
    const qsizetype at = stops.indexOf(start);
    QVERIFY2(at >= 0, qPrintable(start));
    QStringList forward;
    QStringList expectedForward;
    for (qsizetype i = 1; i <= stops.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      forward << FocusName();
      expectedForward << stops[(at + i) % stops.size()];
    }
    QCOMPARE(forward, expectedForward);  // once round, back at the start
    QStringList backward;
    QStringList expectedBackward;
    for (qsizetype i = 1; i <= stops.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
      backward << FocusName();
      expectedBackward << stops[((at - i) % stops.size() + stops.size()) % stops.size()];
    }
    QCOMPARE(backward, expectedBackward);
  }

  // A control left out of the Tab order still takes the focus by a click.
  void controls_outside_the_tab_order_take_clicks_data() { AddScreenRows(); }
  void controls_outside_the_tab_order_take_clicks() {
    QFETCH(QString, screen);
    hc::qt::QtShell shell;
    hc::Screen& model = shell.app().Get(screen.toStdString());
    model.Show();
    hc::qt::ScreenWindow* window = shell.Window(model);
    const auto order = model.layout().tabOrder;
    int outside = 0;
    for (const hc::Control& c : model.controls()) {
      if (c.kind() == hc::Kind::Label) continue;
      QWidget* w = window->ControlWidget(c.name());
      const bool listed = order.empty() || std::find(order.begin(), order.end(), c.name()) != order.end();
      QVERIFY2((w->focusPolicy() & Qt::ClickFocus) != 0, c.name().data());
      QCOMPARE(bool(w->focusPolicy() & Qt::TabFocus), listed);
      outside += listed ? 0 : 1;
    }
    if (outside == 0) QSKIP("every field and button is in the Tab order");
  }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
