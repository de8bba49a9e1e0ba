// The menu bar, option buttons, result tables, the about window and saving,
// through the real widgets as a user works them.
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "qt/dialogs.h"
#include "qt/fonts.h"
#include "qt/menu_bar.h"
#include "qt/qt_shell.h"

namespace {

// The item of a screen, its menus' items made as a user opening them would.
QAction* MenuAction(QMenuBar* bar, const QString& name) {
  hc::qt::FillMenus(bar);
  for (QAction* a : bar->findChildren<QAction*>()) {
    if (a->objectName() == name) return a;
  }
  return nullptr;
}

hc::qt::ScreenWindow* Shown(hc::qt::QtShell& shell, const char* screen) {
  return shell.Window(shell.app().Get(screen));
}

}  // namespace

class ToolWidgetsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    qputenv("HENGCHUAN_AUTO_ANSWER", "1");
    hc::qt::InstallFonts();
  }

  // From the grid screen straight to the PE screen, in the grid screen's
  // place; then a tool, whose way back returns to the screen it came from.
  void menu_switches_in_place() {
    hc::qt::QtShell shell;
    shell.Start();
    hc::qt::ScreenWindow* main = Shown(shell, "Form1");
    MenuAction(main->menuBar(), QStringLiteral("Form39"))->trigger();
    hc::qt::ScreenWindow* grid = Shown(shell, "Form39");
    QVERIFY(grid->isVisible());
    QVERIFY(!main->isVisible());
    grid->move(60, 45);
    MenuAction(grid->menuBar(), QStringLiteral("Form11"))->trigger();
    hc::qt::ScreenWindow* pe = Shown(shell, "Form11");
    QVERIFY(pe->isVisible());
    QVERIFY(!grid->isVisible());
    QCOMPARE(pe->pos(), QPoint(60, 45));
    MenuAction(pe->menuBar(), QStringLiteral("Form40"))->trigger();
    hc::qt::ScreenWindow* costs = Shown(shell, "Form40");
    QVERIFY(costs->isVisible());
    QTest::mouseClick(qobject_cast<QPushButton*>(costs->ControlWidget("Command3")), Qt::LeftButton);
    QVERIFY(pe->isVisible());
    QVERIFY(!costs->isVisible());
    // The tools' menu lists the three tools.
    auto* tools = pe->menuBar()->findChild<QMenu*>(QStringLiteral("工具"));
    QVERIFY(tools != nullptr);
    QStringList items;
    for (QAction* a : tools->actions()) items << a->objectName();
    QCOMPARE(items, (QStringList{"Form40", "Form41", "Form42"}));
  }

  // A click on an option selects it and clears its group; the custom limit
  // field follows the choice.
  void options_select_within_their_group() {
    hc::qt::QtShell shell;
    shell.Start();
    MenuAction(Shown(shell, "Form1")->menuBar(), QStringLiteral("Form41"))->trigger();
    hc::qt::ScreenWindow* w = Shown(shell, "Form41");
    auto* custom = qobject_cast<QRadioButton*>(w->ControlWidget("Option5"));
    auto* main = qobject_cast<QRadioButton*>(w->ControlWidget("Option1"));
    auto* fund = qobject_cast<QRadioButton*>(w->ControlWidget("Option7"));
    QVERIFY(custom && main && fund);
    QVERIFY(main->isChecked());
    QVERIFY(!w->ControlWidget("Text2")->isEnabled());
    QTest::mouseClick(custom, Qt::LeftButton);
    QVERIFY(custom->isChecked());
    QVERIFY(!main->isChecked());
    QVERIFY(w->ControlWidget("Text2")->isEnabled());
    QVERIFY(shell.app().Get("Form41").checked("Option5"));
    QTest::mouseClick(fund, Qt::LeftButton);
    QVERIFY(custom->isChecked());  // another group
    QVERIFY(fund->isChecked());
    // Clicking the selected option keeps it selected.
    QTest::mouseClick(fund, Qt::LeftButton);
    QVERIFY(fund->isChecked());
  }

  // Ctrl+C on selected rows copies them with the header, tab-separated;
  // with none selected, every row.
  void table_rows_copy_as_tab_separated_text() {
    hc::qt::QtShell shell;
    shell.Start();
    MenuAction(Shown(shell, "Form1")->menuBar(), QStringLiteral("Form41"))->trigger();
    hc::qt::ScreenWindow* w = Shown(shell, "Form41");
    QTest::mouseClick(qobject_cast<QPushButton*>(w->ControlWidget("Command1")), Qt::LeftButton);
    auto* table = qobject_cast<hc::qt::ResultTable*>(w->ControlWidget("Table1"));
    QVERIFY(table != nullptr);
    QCOMPARE(table->Model().rowCount(), 5);
    QCOMPARE(table->Model().Text(1, 1), QStringLiteral("12.10"));
    table->setFocus();
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    const QString all = QApplication::clipboard()->text();
    QCOMPARE(all.count('\n'), 6);
    QVERIFY(all.startsWith(QStringLiteral("天数\t涨停价\t累计涨幅\t跌停价\t累计跌幅\n1\t11.00\t10.00%\t9.00\t-10.00%\n")));
    table->selectRow(1);
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("天数\t涨停价\t累计涨幅\t跌停价\t累计跌幅\n2\t12.10\t21.00%\t8.10\t-19.00%\n"));
  }

  // "复制明细" puts the ladder on the desktop's clipboard; pasted back it
  // gives the table's cells.
  void ladder_copy_reaches_the_clipboard() {
    hc::qt::QtShell shell;
    shell.Start();
    shell.app().Get("Form39").Click("Command1");
    MenuAction(Shown(shell, "Form1")->menuBar(), QStringLiteral("Form42"))->trigger();
    hc::qt::ScreenWindow* w = Shown(shell, "Form42");
    QTest::mouseClick(qobject_cast<QPushButton*>(w->ControlWidget("Command2")), Qt::LeftButton);
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    auto* table = qobject_cast<hc::qt::ResultTable*>(w->ControlWidget("Table1"));
    QVERIFY(table != nullptr && table->Model().rowCount() > 0);
    QStringList first;
    for (int k = 0; k < table->Model().columnCount(); ++k) first << table->Model().Text(0, k);
    QVERIFY2(lines.contains(first.join('\t')), qPrintable(first.join('\t')));
  }

  // The file is written whole or not at all.
  void saving_is_all_or_nothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("网格挂单明细.csv"));
    QString error;
    QVERIFY(hc::qt::WriteFileAtomically(path, QByteArray("\xEF\xBB\xBF" "a,b\n"), &error));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("\xEF\xBB\xBF" "a,b\n"));
    f.close();
    // A folder that does not exist: nothing is written, and it says why.
    const QString nowhere = dir.filePath(QStringLiteral("无此文件夹/x.csv"));
    QVERIFY(!hc::qt::WriteFileAtomically(nowhere, QByteArray("x"), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(nowhere));
    // A failed write leaves the earlier file as it was, and no stray file.
    QVERIFY(!hc::qt::WriteFileAtomically(dir.path(), QByteArray("x"), &error));  // a folder, not a file
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("网格挂单明细.csv")});
  }

  // The about window: the program, the disclaimer, and a close button.
  void about_window_names_the_program() {
    qunsetenv("HENGCHUAN_AUTO_ANSWER");
    QStringList seen;
    QTimer::singleShot(50, [&seen] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      for (QLabel* l : dialog->findChildren<QLabel*>()) seen << l->text();
      for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
        seen << QStringLiteral("button: ") + b->text();
        if (b->text() == QStringLiteral("关闭")) QTest::mouseClick(b, Qt::LeftButton);
      }
    });
    hc::qt::ShowAboutDialog(nullptr, QStringLiteral("衡川2.0（升级版）\n版本 2.0.0\n本软件仅作为计算器"));
    qputenv("HENGCHUAN_AUTO_ANSWER", "1");
    QCOMPARE(seen, (QStringList{"衡川2.0（升级版）", "版本 2.0.0", "本软件仅作为计算器", "button: 关闭"}));
  }
};

QTEST_MAIN(ToolWidgetsTest)
#include "tool_widgets_test.moc"
