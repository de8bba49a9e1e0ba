// The menu bar, option buttons, result tables, the multi-line record field,
// the about window and saving,
// through the real widgets as a user works them.
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "qt/dialogs.h"
#include "qt/fonts.h"
#include "qt/menu_bar.h"
#include "qt/qt_shell.h"
#include "shell/registry.h"
#include "tools/large_figures.h"

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
    // The tools' menu lists the tool screens, in catalogue order.
    auto* tools = pe->menuBar()->findChild<QMenu*>(QStringLiteral("工具"));
    QVERIFY(tools != nullptr);
    QStringList items;
    for (QAction* a : tools->actions()) items << a->objectName();
    QStringList expected;
    for (const hc::ScreenEntry& e : hc::ScreenRegistry()) {
      if (e.section == hc::MenuSection::Tools) expected << QString::fromUtf8(e.name.data(), static_cast<int>(e.name.size()));
    }
    QVERIFY(expected.size() >= 3);
    QCOMPARE(items, expected);
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

  // What the user types or pastes into a field is what an option gives
  // back: a fund's 1.234, rounded to 1.23 as a stock, is 1.234 again when
  // the fund is chosen again, with the fund's results.
  void options_give_back_the_typed_price() {
    hc::qt::QtShell shell;
    shell.Start();
    MenuAction(Shown(shell, "Form1")->menuBar(), QStringLiteral("Form43"))->trigger();
    hc::qt::ScreenWindow* w = Shown(shell, "Form43");
    QVERIFY(QTest::qWaitForWindowActive(w));
    hc::Screen& model = shell.app().Get("Form43");
    auto* stock = qobject_cast<QRadioButton*>(w->ControlWidget("Option1"));
    auto* fund = qobject_cast<QRadioButton*>(w->ControlWidget("Option2"));
    QTest::mouseClick(fund, Qt::LeftButton);
    for (auto [field, text] : {std::pair{"Text1", "20000"}, {"Text2", "1.3"}, {"Text3", "10000"}}) {
      auto* edit = qobject_cast<QLineEdit*>(w->ControlWidget(field));
      edit->selectAll();
      QTest::keyClicks(edit, QString::fromLatin1(text));
    }
    auto* sell = qobject_cast<QLineEdit*>(w->ControlWidget("Text4"));
    sell->selectAll();
    QTest::keyClicks(sell, QStringLiteral("1.234"));
    auto* buy = qobject_cast<QLineEdit*>(w->ControlWidget("Text5"));
    buy->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("1.196"));
    buy->paste();
    QTest::keyClick(buy, Qt::Key_Return);
    QCOMPARE(model.text("Text12"), std::string("370.00"));
    QTest::mouseClick(stock, Qt::LeftButton);
    QCOMPARE(sell->text(), QStringLiteral("1.23"));
    QCOMPARE(model.text("Text12"), std::string("283.61"));
    QTest::mouseClick(fund, Qt::LeftButton);
    QCOMPARE(sell->text(), QStringLiteral("1.234"));
    QCOMPARE(buy->text(), QStringLiteral("1.196"));
    QCOMPARE(model.text("Text12"), std::string("370.00"));
  }

  // The record field of the annual-return screen takes lines as typed or
  // pasted: Enter (either key) starts a new one and presses nothing, the
  // Tab key moves on (a pasted tab stays), and the model holds the lines;
  // the model's text comes back to it.
  void text_area_takes_lines() {
    hc::qt::QtShell shell;
    shell.Start();
    MenuAction(Shown(shell, "Form1")->menuBar(), QStringLiteral("Form48"))->trigger();
    hc::qt::ScreenWindow* w = Shown(shell, "Form48");
    QVERIFY(QTest::qWaitForWindowActive(w));
    auto* area = qobject_cast<QPlainTextEdit*>(w->ControlWidget("Text1"));
    QVERIFY(area != nullptr);
    QCOMPARE(QApplication::focusWidget(), area);
    QCOMPARE(area->toPlainText().count('\n'), 3);  // the four records of the load
    hc::Screen& model = shell.app().Get("Form48");
    area->selectAll();
    QTest::keyClick(area, Qt::Key_Delete);
    QTest::keyClicks(area, QStringLiteral("2025-01-10 1000"));
    QTest::keyClick(area, Qt::Key_Return);
    area->insertPlainText(QStringLiteral("2025-02-10\t1000"));  // pasted from a spreadsheet
    QTest::keyClick(area, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClicks(area, QStringLiteral("2025-03-10 -500"));
    QCOMPARE(model.text("Text1"), std::string("2025-01-10 1000\n2025-02-10\t1000\n2025-03-10 -500"));
    QVERIFY(model.text("Text4").empty());  // Enter pressed no button
    QTest::keyClick(area, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w->ControlWidget("Text2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), area);
    QCOMPARE(model.text("Text1"), std::string("2025-01-10 1000\n2025-02-10\t1000\n2025-03-10 -500"));

    model.text("Text2") = "2025-05-12";
    QTest::mouseClick(qobject_cast<QPushButton*>(w->ControlWidget("Command1")), Qt::LeftButton);
    QCOMPARE(model.text("Text4"), std::string("2000.00"));
    QCOMPARE(model.text("Text5"), std::string("500.00"));
    QCOMPARE(model.text("Text1"), std::string("2025-01-10 1000\n2025-02-10\t1000\n2025-03-10 -500"));
    QTest::mouseClick(qobject_cast<QPushButton*>(w->ControlWidget("Command2")), Qt::LeftButton);
    QCOMPARE(area->toPlainText(), QString());
    model.text("Text1") = "2025-01-10 1000\n2025-02-10 1000";
    shell.SyncAll();
    QCOMPARE(area->toPlainText(), QStringLiteral("2025-01-10 1000\n2025-02-10 1000"));
    QCOMPARE(model.text("Text1"), std::string("2025-01-10 1000\n2025-02-10 1000"));
  }

  // The order ladder at its limit, scrolled to its last rows: every cell in
  // view is whole, the columns being as wide as the widest text of any row;
  // a column the user narrows ends its cells in "…", each whole in its tooltip.
  void ladder_end_shows_whole() {
    hc::qt::QtShell shell;
    hc::Screen& ladder = shell.app().Get("Form42");
    hc::figures::CalculateWithLargeFigures(shell.app(), ladder,
                                           [&shell](hc::Screen& s, std::string_view b) { shell.Press(s, b); });
    ladder.Show();
    QApplication::processEvents();
    hc::qt::ScreenWindow* w = Shown(shell, "Form42");
    for (const char* name : {"Table1", "Table2"}) {
      auto* table = qobject_cast<hc::qt::ResultTable*>(w->ControlWidget(name));
      QVERIFY(table != nullptr);
      const hc::qt::TableModel& model = table->Model();
      QCOMPARE(model.rowCount(), 10000);
      table->scrollToBottom();
      QApplication::processEvents();
      const int first = table->rowAt(0);
      QVERIFY(first > 9000);
      const int last = table->rowAt(table->viewport()->height() - 1);
      QVERIFY(last == -1 || last == 9999);
      for (int r = first; r < model.rowCount(); ++r) {
        for (int k = 0; k < model.columnCount(); ++k) {
          const QString where = QStringLiteral("%1 row %2: [%3]").arg(name).arg(r).arg(model.Text(r, k));
          QVERIFY2(table->ShowsWhole(r, k), qPrintable(where));
        }
      }
    }
    auto* buys = qobject_cast<hc::qt::ResultTable*>(w->ControlWidget("Table2"));
    QCOMPARE(buys->Model().Text(9999, 0), QStringLiteral("买10000"));
    buys->setColumnWidth(6, buys->NeededWidth(6) / 2);
    QVERIFY(!buys->ShowsWhole(9999, 6));
    QCOMPARE(buys->textElideMode(), Qt::ElideRight);
    QCOMPARE(buys->Model().index(9999, 6).data(Qt::ToolTipRole).toString(), buys->Model().Text(9999, 6));
  }

  // A field never hides part of its text without a mark: a result wider
  // than its field is drawn smaller, down to 7 pt, and past that ends in "…"
  // with the whole text as its tooltip; an input field scrolls as Qt's do
  // while the user edits it, and is fitted the same way once left.
  void fields_show_whole_or_marked() {
    hc::qt::QtShell shell;
    hc::Screen& costs = shell.app().Get("Form40");
    costs.Show();
    hc::qt::ScreenWindow* w = Shown(shell, "Form40");
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
    auto field = [w](const char* name) { return qobject_cast<hc::qt::FigureField*>(w->ControlWidget(name)); };
    costs.text("Text1") = "2999.99";
    costs.text("Text2") = "1000000";
    costs.text("Text3") = "3000.77";
    QTest::mouseClick(qobject_cast<QPushButton*>(w->ControlWidget("Command1")), Qt::LeftButton);
    hc::qt::FigureField* cost = field("Text11");
    QCOMPARE(cost->text(), QStringLiteral("3000769997.40"));
    QVERIFY(!cost->elided());
    QVERIFY(cost->font().pointSizeF() < cost->tableFont().pointSizeF());
    QVERIFY(cost->font().pointSizeF() >= hc::qt::kSmallestFontSize);
    QVERIFY(QFontMetricsF(cost->font()).horizontalAdvance(cost->text()) <= hc::qt::FieldTextRoom(*cost));

    const QString longer = QStringLiteral("12345678901234567890123456789.5");
    hc::qt::FigureField* price = field("Text1");
    price->setFocus();
    price->selectAll();
    QTest::keyClicks(price, longer);
    QCOMPARE(price->text(), longer);
    QCOMPARE(price->font(), price->tableFont());
    QVERIFY(!price->elided());
    field("Text2")->setFocus();
    QVERIFY(price->elided());
    QCOMPARE(price->text(), longer);
    QCOMPARE(price->toolTip(), longer);
    QCOMPARE(costs.text("Text1"), longer.toStdString());
  }

  // A press on another screen leaves a table as it is, scrolled and selected.
  void tables_keep_their_place_across_presses() {
    hc::qt::QtShell shell;
    shell.Start();
    MenuAction(Shown(shell, "Form1")->menuBar(), QStringLiteral("Form41"))->trigger();
    hc::qt::ScreenWindow* w = Shown(shell, "Form41");
    shell.app().Get("Form41").text("Text3") = "60";
    QTest::mouseClick(qobject_cast<QPushButton*>(w->ControlWidget("Command1")), Qt::LeftButton);
    auto* table = qobject_cast<hc::qt::ResultTable*>(w->ControlWidget("Table1"));
    table->scrollToBottom();
    table->selectRow(58);
    const int top = table->rowAt(0);
    QTest::mouseClick(qobject_cast<QPushButton*>(w->ControlWidget("Command1")), Qt::LeftButton);
    QCOMPARE(table->rowAt(0), top);
    QCOMPARE(table->selectionModel()->selectedRows().size(), qsizetype(1));
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
  }

  // A failed save leaves the earlier file as it was and no stray file, and
  // names its cause: a full disk and the others stood in for by writes that
  // fail with the system's error number.
  void failed_save_names_its_cause_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("failure");
    QTest::addColumn<QString>("cause");
    QTest::newRow("folder") << QString() << 0 << QStringLiteral("这是一个文件夹，不是文件。");
    QTest::newRow("no folder") << QStringLiteral("无此文件夹/明细.csv") << 0 << QStringLiteral("文件夹不存在。");
    QTest::newRow("full disk") << QStringLiteral("旧.csv") << ENOSPC << QStringLiteral("磁盘空间不足。");
    QTest::newRow("no permission") << QStringLiteral("旧.csv") << EACCES
                                   << QStringLiteral("没有写入这个文件夹的权限。");
    QTest::newRow("read-only disk") << QStringLiteral("旧.csv") << EROFS << QStringLiteral("磁盘是只读的。");
  }
  void failed_save_names_its_cause() {
    QFETCH(QString, name);
    QFETCH(int, failure);
    QFETCH(QString, cause);
    QTemporaryDir dir;
    const QString old = dir.filePath(QStringLiteral("旧.csv"));
    QVERIFY(hc::qt::WriteFileAtomically(old, QByteArray("old\n"), nullptr));
    QString error;
    const QString path = name.isEmpty() ? dir.path() : dir.filePath(name);
    QVERIFY(!hc::qt::WriteFileAtomically(path, QByteArray("new\n"), &error, failure));
    QCOMPARE(error, cause);
    QFile f(old);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("old\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("旧.csv")});
  }

  // The save dialog is the program's own, its files shown by name alone:
  // a name typed without an extension is saved with ".csv", and the
  // kernel's files (whose reading can wait for good) do not stop it.
  void save_dialog_adds_csv_and_reads_no_file() {
    QTemporaryDir dir;
    bool byName = false;
    bool proc = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      poll.stop();
      byName = dynamic_cast<const hc::qt::NameOnlyIconProvider*>(dialog->iconProvider()) != nullptr;
      // A look into /proc first, as a user typing it would take.
      dialog->setDirectory(QStringLiteral("/proc"));
      QTest::qWait(300);
      proc = true;
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      if (name == nullptr) return dialog->reject();
      name->setText(dir.filePath(QStringLiteral("明细")));
      QTest::keyClick(name, Qt::Key_Return);
    });
    poll.start(10);
    QVERIFY(hc::qt::SaveWithDialog(nullptr, QStringLiteral("网格挂单明细.csv"), QByteArray("a,b\n")));
    QVERIFY(byName);
    QVERIFY(proc);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("明细.csv")});

    // Contents that would say PDF or PNG change nothing.
    hc::qt::NameOnlyIconProvider icons;
    for (const auto& [file, bytes] :
         {std::pair{"a", QByteArray("%PDF-1.4\n")}, {"b", QByteArray("\x89PNG\r\n\x1a\n")}}) {
      QFile f(dir.filePath(QString::fromLatin1(file)));
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write(bytes);
      f.close();
      QCOMPARE(icons.type(QFileInfo(f.fileName())), QStringLiteral("文件"));
    }
    QCOMPARE(icons.type(QFileInfo(dir.path())), QStringLiteral("文件夹"));
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
