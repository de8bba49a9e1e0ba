// What the program takes from the platform, in Chinese and with its keys:
// Qt's own texts translated, Enter and Space pressing a focused button, Esc
// pressing the screen's way back, results copied from labels and fields
// exactly as shown, and a later start bringing the window to the front.
#include <QClipboard>
#include <QMenu>
#include <QtTest>

#include "qt/fonts.h"
#include "qt/qt_shell.h"
#include "qt/translations.h"
#include "tests/qt/window_test_support.h"

using namespace hc::test;

namespace {

// An action's text without its mnemonic and shortcut: "复制(&C)\tCtrl+C" -> "复制".
QString Plain(QString text) {
  text = text.section(QLatin1Char('\t'), 0, 0);
  static const QRegularExpression kMnemonic(QStringLiteral("\\(&.\\)|&"));
  return text.remove(kMnemonic).trimmed();
}

// Copies the whole text of the focused widget by the keyboard.
QString CopyAll(QWidget* w) {
  QGuiApplication::clipboard()->clear();
  w->setFocus(Qt::OtherFocusReason);
  QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier);
  return QGuiApplication::clipboard()->text();
}

}  // namespace

class ChromeTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    qunsetenv("HENGCHUAN_AUTO_ANSWER");
    hc::qt::InstallFonts();
    QVERIFY(hc::qt::InstallTranslations());
  }

  void qt_texts_are_chinese() {
    QMessageBox box(QMessageBox::NoIcon, Q(hc::kProgramTitle), QStringLiteral("请输入昨天收盘价！"), QMessageBox::Ok);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    QLineEdit edit;
    edit.setText(QStringLiteral("10.00"));
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList entries;
    for (QAction* a : menu->actions()) {
      if (!a->isSeparator()) entries << Plain(a->text());
    }
    QCOMPARE(entries, QStringList({"撤销", "重做", "剪切", "复制", "粘贴", "删除", "全选"}));
  }

  // Enter and Space on a focused button press it, as the model alone would.
  void keys_press_a_focused_button_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    HeadlessProgram program;
    for (const hc::ScreenEntry& e : hc::ScreenRegistry()) {
      hc::Screen& s = program.app().Get(e.name);
      for (const hc::Control& c : s.controls()) {
        if (c.kind() != hc::Kind::Button || !c.visible || !c.enabled || !s.HasHandler(c.name())) continue;
        for (int key : {int(Qt::Key_Return), int(Qt::Key_Enter), int(Qt::Key_Space)}) {
          const std::string row = std::string(e.name) + " " + std::string(c.name()) + " " + std::to_string(key);
          QTest::newRow(row.c_str()) << Q(e.name) << Q(c.name()) << key;
        }
      }
    }
  }
  void keys_press_a_focused_button() {
    QFETCH(QString, screen);
    QFETCH(QString, button);
    QFETCH(int, key);
    BoxWatchdog watchdog;
    hc::qt::QtShell shell;
    HeadlessProgram twin;
    hc::Screen& model = shell.app().Get(screen.toStdString());
    model.Show();
    hc::Screen& other = twin.app().Get(screen.toStdString());
    other.Show();
    QWidget* w = shell.Window(model)->ControlWidget(button.toStdString());
    w->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(w, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    twin.Press(other, button.toStdString());
    QCOMPARE(watchdog.TakeMessages(), twin.TakeMessages());
    QCOMPARE(DescribeModel(model), DescribeModel(other));
    QCOMPARE(VisibleScreens(shell.app()), VisibleScreens(twin.app()));
  }

  // Esc presses the way back of every screen but the main one, from any
  // control that has the focus.
  void escape_goes_back_data() { AddScreenRows(); }
  void escape_goes_back() {
    QFETCH(QString, screen);
    hc::qt::QtShell shell;
    HeadlessProgram twin;
    hc::Screen& model = shell.app().Get(screen.toStdString());
    model.Show();
    hc::Screen& other = twin.app().Get(screen.toStdString());
    other.Show();
    const std::string_view back = hc::qt::BackButton(model);
    QCOMPARE(back.empty(), screen == QLatin1String("Form1"));
    if (!back.empty()) QVERIFY(model.IsNavigation(back));
    hc::qt::ScreenWindow* window = shell.Window(model);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QWidget* focus = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : window;
    QTest::keyClick(focus, Qt::Key_Escape);
    if (!back.empty()) twin.Press(other, back);
    QCOMPARE(VisibleScreens(shell.app()), VisibleScreens(twin.app()));
  }

  // Every label and result field of a calculated screen copies exactly the
  // text it shows, by the keyboard.
  void results_copy_as_shown_data() {
    QTest::addColumn<QString>("screen");
    for (const char* s : {"Form1", "Form38", "Form39"}) QTest::newRow(s) << QString::fromLatin1(s);
  }
  void results_copy_as_shown() {
    QFETCH(QString, screen);
    BoxWatchdog watchdog;
    hc::qt::QtShell shell;
    hc::Screen& model = shell.app().Get(screen.toStdString());
    model.Show();
    shell.Press(model, model.layout().defaultButton);
    hc::qt::ScreenWindow* window = shell.Window(model);
    int copied = 0;
    for (const hc::Control& c : model.controls()) {
      QWidget* w = window->ControlWidget(c.name());
      if (!w->isVisible() || c.text.empty() || (c.kind() == hc::Kind::Text && !c.readOnly)) continue;
      if (c.kind() == hc::Kind::Button) continue;
      QCOMPARE(CopyAll(w), QString::fromStdString(c.text));
      ++copied;
    }
    QVERIFY(copied > 0);
  }

  // A caption elided in its room still copies whole.
  void elided_caption_copies_whole() {
    QWidget window;
    auto* label = new hc::qt::CaptionLabel(&window);
    const QString caption = QStringLiteral("盈利：16692548.35");
    label->Show(caption, QApplication::font(), QSize(20, 12), true);
    QVERIFY(label->elided());
    QCOMPARE(label->toolTip(), caption);
    window.show();
    QCOMPARE(CopyAll(label), caption);
  }

  void later_start_brings_the_window_forward() {
    hc::qt::QtShell shell;
    shell.Start();
    hc::qt::ScreenWindow* window = shell.Window(shell.app().Get("Form1"));
    window->showMinimized();
    shell.BringToFront();
    QVERIFY(!window->isMinimized());
    QVERIFY(window->isVisible());
  }
};

QTEST_MAIN(ChromeTest)
#include "chrome_test.moc"
