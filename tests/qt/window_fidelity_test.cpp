// Every screen of the registry as a real window: the widgets are the layout
// table (kind, names, texts, colours, flags, fonts, geometry, focus), and a
// press through a widget leaves the window, the messages shown and the model
// exactly as the same press through the model alone.
#include <QMenu>
#include <QMenuBar>
#include <QtTest>
#include <algorithm>

#include "qt/fonts.h"
#include "qt/menu_bar.h"
#include "qt/qt_shell.h"
#include "shell/menu.h"
#include "tests/qt/window_test_support.h"

using namespace hc::test;

namespace {

// The menu bar as lines: each menu and item by its caption, indented by its
// depth; a screen item with the screen it opens, a separator as "---".
void Picture(const QList<QAction*>& actions, int depth, QStringList& out) {
  const QString indent(2 * depth, QLatin1Char(' '));
  for (QAction* a : actions) {
    if (a->isSeparator()) {
      out << indent + QStringLiteral("---");
    } else if (a->menu() != nullptr) {
      out << indent + a->text() + QStringLiteral(" >");
      Picture(a->menu()->actions(), depth + 1, out);
    } else {
      out << indent + a->text() + QStringLiteral(" = ") + a->objectName();
    }
  }
}

QStringList MenuPicture(const QMenuBar& bar) {
  QStringList out;
  Picture(bar.actions(), 0, out);
  return out;
}

void ModelPicture(const std::vector<hc::MenuNode>& nodes, int depth, QStringList& out) {
  const QString indent(2 * depth, QLatin1Char(' '));
  for (const hc::MenuNode& n : nodes) {
    switch (n.type) {
      case hc::MenuNode::Type::Separator: out << indent + QStringLiteral("---"); break;
      case hc::MenuNode::Type::Submenu:
        out << indent + Q(n.caption) + QStringLiteral(" >");
        ModelPicture(n.children, depth + 1, out);
        break;
      case hc::MenuNode::Type::Screen: out << indent + Q(n.caption) + QStringLiteral(" = ") + Q(n.screen); break;
      case hc::MenuNode::Type::About: out << indent + Q(n.caption) + QStringLiteral(" = about"); break;
    }
  }
}

// What every window's menu bar shows: the model's menus in order, and in
// them one item for every screen of the registry.
QStringList ExpectedMenuPicture() {
  QStringList out;
  ModelPicture(hc::MenuBar(), 0, out);
  return out;
}

}  // namespace

class WindowFidelityTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // Real modal boxes, answered by the watchdog.
    qunsetenv("HENGCHUAN_AUTO_ANSWER");
    hc::qt::InstallFonts();
  }

  void window_is_its_layout_table_data() { AddScreenRows(); }
  void window_is_its_layout_table() {
    QFETCH(QString, screen);
    hc::qt::QtShell shell;
    hc::Screen& model = shell.app().Get(screen.toStdString());
    model.Show();
    hc::qt::ScreenWindow* window = shell.Window(model);
    QVERIFY(window != nullptr);
    QVERIFY(window->isVisible());
    const hc::ScreenSpec& layout = model.layout();

    // The window: named, titled, the menu bar above its client area (the
    // table's, grown to hold every control); fixed to that size, unless the
    // table anchors controls to its edges: then it cannot be made smaller,
    // but larger and maximised.
    QCOMPARE(window->objectName(), screen);
    QCOMPARE(window->windowTitle(), Q(layout.title));
    const QSize client(Px(model.clientWidth()), Px(model.clientHeight()));
    QCOMPARE(window->client()->size(), client);
    QCOMPARE(window->client()->pos(), QPoint(0, window->menuBar()->height()));
    QCOMPARE(window->menuBar()->geometry(), QRect(0, 0, client.width(), window->menuBar()->sizeHint().height()));
    const QSize outer = client + QSize(0, window->menuBar()->height());
    QCOMPARE(window->size(), outer);
    QCOMPARE(window->minimumSize(), outer);
    const bool resizable = hc::Resizable(layout);
    QCOMPARE(window->resizable(), resizable);
    QCOMPARE(window->maximumSize(), resizable ? QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX) : outer);
    QCOMPARE(bool(window->windowFlags() & Qt::WindowMaximizeButtonHint), resizable);
    hc::qt::FillMenus(window->menuBar());
    QCOMPARE(MenuPicture(*window->menuBar()), ExpectedMenuPicture());

    // The table, the model after load and the widgets agree control by control.
    const QStringList table = DescribeTable(layout);
    QCOMPARE(DescribeModel(model), table);
    QCOMPARE(DescribeWidgets(*window), table);

    // No widget of the window's own but the menu bar and the client area,
    // and none in the client area that the table does not list.
    QCOMPARE(window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), qsizetype(2));
    const auto children = window->client()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QCOMPARE(children.size(), qsizetype(layout.controls.size()));

    for (const hc::ControlSpec& c : layout.controls) {
      QWidget* w = window->ControlWidget(c.name);
      QVERIFY2(w != nullptr, c.name.data());
      QCOMPARE(w->objectName(), Q(c.name));
      QCOMPARE(w->accessibleName(), Q(c.name));
      QCOMPARE(w->parentWidget(), window->client());
      const QPoint topLeft(Px(c.left), Px(c.top));
      if (c.kind == hc::Kind::Label && c.autoSize) {
        // Labels keep their corner and size themselves to the caption.
        QCOMPARE(w->pos(), topLeft);
      } else {
        QCOMPARE(w->geometry(), QRect(topLeft, QSize(Px(c.width), Px(c.height))));
      }
    }
    QCOMPARE(ClippedLabels(*window), QStringList());

    // The input focus starts where the table says.
    std::string_view first = layout.initialFocus;
    if (first.empty() && !layout.tabOrder.empty()) first = layout.tabOrder.front();
    if (!first.empty()) {
      QWidget* expected = window->ControlWidget(first);
      QVERIFY2(expected != nullptr, first.data());
      QCOMPARE(window->focusWidget(), expected);
    }
  }

  // The bar's menus and their captions, and one item for each screen.
  void menu_bar_lists_every_screen() {
    QStringList tops;
    for (const hc::MenuNode& n : hc::MenuBar()) tops << Q(n.caption);
    QCOMPARE(tops, (QStringList{QStringLiteral("计算器(&C)"), QStringLiteral("工具(&T)"), QStringLiteral("帮助(&H)")}));
    QStringList items;
    for (const QString& line : ExpectedMenuPicture()) {
      const qsizetype at = line.indexOf(QStringLiteral(" = Form"));
      if (at >= 0) items << line.mid(at + 3);
    }
    QStringList registry;
    for (const hc::ScreenEntry& e : hc::ScreenRegistry()) registry << Q(e.name);
    std::sort(items.begin(), items.end());
    std::sort(registry.begin(), registry.end());
    QCOMPARE(items, registry);
  }

  void presses_match_the_model_data() { AddScreenRows(); }
  void presses_match_the_model() {
    QFETCH(QString, screen);
    const std::string name = screen.toStdString();
    BoxWatchdog watchdog;
    hc::qt::QtShell shell;
    HeadlessProgram twin;
    hc::Screen& model = shell.app().Get(name);
    model.Show();
    hc::Screen& other = twin.app().Get(name);
    other.Show();
    hc::qt::ScreenWindow* window = shell.Window(model);
    QVERIFY(window != nullptr);
    watchdog.TakeMessages();
    twin.TakeMessages();

    const std::vector<std::string> buttons = WorkButtons(model);
    if (buttons.empty()) QSKIP("no calculate or clear button");

    // The load texts first, then the same input typed into every field:
    // nothing, zero, a negative, a value at the edge of the double range and
    // a unit with no number.
    const QStringList inputs{QString(), QStringLiteral(""), QStringLiteral("0"), QStringLiteral("-2.5"),
                             QStringLiteral("1e308"), QStringLiteral("元")};
    bool first = true;
    for (const QString& input : inputs) {
      const QString round = first ? QStringLiteral("load texts") : QStringLiteral("input [%1]").arg(input);
      if (!first) {
        for (const std::string& field : EditableFields(model)) {
          auto* edit = qobject_cast<QLineEdit*>(window->ControlWidget(field));
          QVERIFY2(edit != nullptr, field.c_str());
          Type(edit, input);
          other.text(field) = input.toStdString();
        }
        QCOMPARE(DescribeModel(model), DescribeModel(other));
      }
      first = false;
      for (const std::string& button : buttons) {
        const QByteArray where = (screen + QStringLiteral(" ") + round + QStringLiteral(" ") + Q(button)).toUtf8();
        auto* widget = qobject_cast<QPushButton*>(window->ControlWidget(button));
        QVERIFY2(widget != nullptr, where.constData());
        if (!widget->isVisible() || !widget->isEnabled()) continue;  // the user cannot press it now
        QTest::mouseClick(widget, Qt::LeftButton);
        twin.Press(other, button);

        const QStringList shown = watchdog.TakeMessages();
        QVERIFY2(shown == twin.TakeMessages(), (where + " messages: " + shown.join(" / ").toUtf8()).constData());
        for (const QString& m : shown) QVERIFY2(!m.startsWith(QStringLiteral("internal:")), m.toUtf8().constData());
        QCOMPARE(DescribeModel(model), DescribeModel(other));
        QCOMPARE(DescribeWidgets(*window), DescribeModel(model));
        QCOMPARE(window->windowTitle(), QString::fromStdString(other.title()));
        QCOMPARE(VisibleScreens(shell.app()), VisibleScreens(twin.app()));
        QCOMPARE(ClippedLabels(*window), QStringList());
        // Bad input never leaves an infinity or a not-a-number in a field.
        static const QRegularExpression kNotANumber(QStringLiteral("\\b(inf|infinity|nan)\\b"),
                                                    QRegularExpression::CaseInsensitiveOption);
        for (const QString& line : DescribeWidgets(*window)) QVERIFY2(!kNotANumber.match(line).hasMatch(), qPrintable(line));
      }
    }
  }
};

QTEST_MAIN(WindowFidelityTest)
#include "window_fidelity_test.moc"
