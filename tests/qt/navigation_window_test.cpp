// Clicking through real windows: which window is visible, and where.
#include <QPushButton>
#include <QtTest>

#include "qt/fonts.h"
#include "qt/qt_shell.h"

class NavigationWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    qputenv("HENGCHUAN_AUTO_ANSWER", "1");
    hc::qt::InstallFonts();
  }

  void walk_into_the_ratio_menus_and_back() {
    hc::qt::QtShell shell;
    shell.Start();
    struct Step {
      const char* screen;
      const char* button;
      const char* shows;
    };
    const Step steps[] = {
        {"Form1", "Command3", "Form2"},    // 涨跌幅切换
        {"Form2", "Command6", "Form14"},   // 财务分析
        {"Form14", "Command1", "Form15"},  // 偿债能力
        {"Form15", "Command2", "Form17"},  // 速动比率
        {"Form17", "Command3", "Form15"},  // back to the solvency menu
        {"Form15", "Command5", "Form14"},
        {"Form14", "Command5", "Form2"},
        {"Form2", "Command3", "Form1"},
    };
    QPoint place(40, 30);
    shell.Window(shell.app().Get("Form1"))->move(place);
    for (const Step& step : steps) {
      hc::qt::ScreenWindow* from = shell.Window(shell.app().Get(step.screen));
      QVERIFY2(from != nullptr && from->isVisible(), step.screen);
      place = from->pos();
      auto* button = qobject_cast<QPushButton*>(from->ControlWidget(step.button));
      QVERIFY(button != nullptr);
      QTest::mouseClick(button, Qt::LeftButton);
      hc::qt::ScreenWindow* to = shell.Window(shell.app().Get(step.shows));
      QVERIFY2(to != nullptr && to->isVisible(), step.shows);
      QVERIFY2(!from->isVisible(), step.screen);
      QCOMPARE(to->pos(), place);
      // The user drags the window somewhere else before the next switch.
      to->move(place + QPoint(7, 5));
      QCOMPARE(shell.app().Get(step.shows).left(), shell.ToTwips(place.x() + 7));
    }
    int visible = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) visible += w->isVisible() ? 1 : 0;
    QCOMPARE(visible, 1);
  }

  void closing_a_group_menu_ends_the_program() {
    for (const char* menu : {"Form22", "Form23", "Form24"}) {
      hc::qt::QtShell shell;
      shell.Start();
      hc::Screen& screen = shell.app().Get(menu);
      screen.Show();
      shell.Window(screen)->close();
      QVERIFY2(shell.exited(), menu);
    }
  }
};

QTEST_MAIN(NavigationWindowTest)
#include "navigation_window_test.moc"
