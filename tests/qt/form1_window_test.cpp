// The real main window: typing, clicking and reading back through widgets.
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include "qt/fonts.h"
#include "qt/qt_shell.h"

class Form1WindowTest : public QObject {
  Q_OBJECT

 private:
  template <class W>
  static W* Get(hc::qt::ScreenWindow* window, const char* name) {
    auto* w = qobject_cast<W*>(window->ControlWidget(name));
    if (w == nullptr) qFatal("no widget %s", name);
    return w;
  }

  static void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    for (const QChar ch : text) {  // one key press per character, Chinese ones too
      QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
  }

 private slots:
  void initTestCase() {
    qputenv("HENGCHUAN_AUTO_ANSWER", "1");
    hc::qt::InstallFonts();
  }

  void window_is_fixed_and_titled() {
    hc::qt::QtShell shell;
    shell.Start();
    auto* window = shell.Window(shell.app().Get("Form1"));
    QVERIFY(window != nullptr);
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("衡川2.0（升级版）    作者：听风客"));
    // The table's 4605 x 3465, grown to hold the second line of the footer,
    // below the menu bar.
    QCOMPARE(window->client()->size(), QSize(shell.ToPixels(4605), shell.ToPixels(3540)));
    QCOMPARE(window->size(), window->client()->size() + QSize(0, window->menuBar()->height()));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(Get<QLineEdit>(window, "Text3")->isReadOnly());
    QCOMPARE(Get<QLabel>(window, "Label8")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  }

  void typed_inputs_are_cleaned_and_computed_data() {
    QTest::addColumn<QString>("close");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("fall");
    QTest::addColumn<QString>("high");
    QTest::addColumn<QString>("distance");
    QTest::newRow("defaults") << "10" << "3.0" << "9.70" << "0.30元" << "10.30" << "0.60元";
    QTest::newRow("units") << "10元" << "3%" << "9.70" << "0.30元" << "10.30" << "0.60元";
    QTest::newRow("12.34 at 5") << "12.34" << "5" << "11.72" << "0.62元" << "12.96" << "1.24元";
    QTest::newRow("negative") << "15.5" << "-2" << "15.81" << "-0.31元" << "15.19" << "-0.62元";
  }

  void typed_inputs_are_cleaned_and_computed() {
    QFETCH(QString, close);
    QFETCH(QString, percent);
    hc::qt::QtShell shell;
    shell.Start();
    auto* window = shell.Window(shell.app().Get("Form1"));
    Type(Get<QLineEdit>(window, "Text1"), close);
    Type(Get<QLineEdit>(window, "Text2"), percent);
    QTest::mouseClick(Get<QPushButton>(window, "Command1"), Qt::LeftButton);
    QTEST(Get<QLineEdit>(window, "Text3")->text(), "low");
    QTEST(Get<QLabel>(window, "Label7")->text(), "fall");
    QTEST(Get<QLabel>(window, "Label8")->text(), "high");
    QTEST(Get<QLabel>(window, "Label9")->text(), "distance");
    QVERIFY(!Get<QLineEdit>(window, "Text1")->text().contains(QStringLiteral("元")));
    // Labels size themselves to their caption.
    auto* label = Get<QLabel>(window, "Label9");
    QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
  }

  void enter_presses_calculate() {
    hc::qt::QtShell shell;
    shell.Start();
    auto* window = shell.Window(shell.app().Get("Form1"));
    auto* close = Get<QLineEdit>(window, "Text1");
    Type(close, QStringLiteral("8.88"));
    Type(Get<QLineEdit>(window, "Text2"), QStringLiteral("10"));
    QTest::keyClick(close, Qt::Key_Return);
    QCOMPARE(Get<QLineEdit>(window, "Text3")->text(), QStringLiteral("7.99"));
  }

  void missing_input_computes_nothing() {
    hc::qt::QtShell shell;
    shell.Start();
    auto* window = shell.Window(shell.app().Get("Form1"));
    Type(Get<QLineEdit>(window, "Text1"), QStringLiteral("元"));
    QTest::mouseClick(Get<QPushButton>(window, "Command1"), Qt::LeftButton);
    QCOMPARE(Get<QLineEdit>(window, "Text1")->text(), QString());
    QCOMPARE(Get<QLineEdit>(window, "Text3")->text(), QStringLiteral("最低价"));
  }

  void close_box_ends_the_program() {
    hc::qt::QtShell shell;
    shell.Start();
    auto* window = shell.Window(shell.app().Get("Form1"));
    window->close();
    QVERIFY(shell.exited());
  }
};

QTEST_MAIN(Form1WindowTest)
#include "form1_window_test.moc"
