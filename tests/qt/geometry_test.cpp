// Every screen readable at real figures, at the display scale the test runs
// under (1, and 2 in the scaled CTest run): at load, after each calculate
// or clear button with the load texts, after calculating with its large,
// realistic figures (which every screen accepts: any message fails) and
// after each other button with them, and for a window the user can resize,
// at half as large again: every visible control's text fits its widget
// whole (a field's may end in "…" with the whole text as its tooltip), every
// table cell in view shows whole, no two controls' drawn texts overlap where
// their table rectangles do not, and every widget lies inside its window.
#include <QStyle>
#include <QStyleOptionButton>
#include <QtTest>

#include <map>

#include "qt/fonts.h"
#include "qt/qt_shell.h"
#include "tests/qt/window_test_support.h"
#include "tools/large_figures.h"

using namespace hc::test;

namespace {

// What a control draws: the rectangle of its text, or nothing.
QRect DrawnRect(QWidget* w) {
  if (auto* label = qobject_cast<QLabel*>(w); label != nullptr && label->text().isEmpty()) return {};
  return w->geometry();
}

// The faults of one state of a window, one line each.
QStringList Faults(hc::qt::ScreenWindow& window, const QString& state) {
  QStringList faults;
  auto fault = [&](const hc::Control& c, const QString& what) {
    faults << QStringLiteral("%1 %2: %3").arg(state, Q(c.name()), what);
  };
  const QRect inside(QPoint(0, 0), window.size());
  struct Drawn {
    const hc::Control* control;
    QRect drawn;
    QRect table;
  };
  std::vector<Drawn> drawn;
  for (const hc::Control& c : window.screen().controls()) {
    QWidget* w = window.ControlWidget(c.name());
    if (!w->isVisibleTo(&window)) continue;
    if (!inside.contains(w->geometry())) fault(c, QStringLiteral("outside the window"));
    const QFontMetricsF metrics(w->font());
    if (auto* label = qobject_cast<hc::qt::CaptionLabel*>(w)) {
      if (label->elided()) fault(c, QStringLiteral("elided [%1]").arg(label->caption()));
      QString shown = label->text();
      if (label->wrapped()) shown.remove(QLatin1Char('\n'));
      if (!label->elided() && shown != label->caption()) {
        fault(c, QStringLiteral("shows [%1] for [%2]").arg(label->text(), label->caption()));
      }
      if (w->font().pointSizeF() < hc::qt::kSmallestFontSize) fault(c, QStringLiteral("font below 7 pt"));
      if (c.layout->autoSize && std::ceil(TextWidth(w->font(), label->text())) > label->contentsRect().width()) {
        fault(c, QStringLiteral("[%1] wider than the label").arg(label->text()));
      } else if (!c.layout->autoSize && label->heightForWidth(label->width()) > label->height()) {
        fault(c, QStringLiteral("[%1] taller than the label").arg(label->text()));
      }
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
      QStyleOptionButton option;
      option.initFrom(button);
      option.text = button->text();
      const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
      if (TextWidth(button->font(), button->text()) > room.width() || metrics.height() > button->height()) {
        fault(c, QStringLiteral("caption [%1] cut").arg(button->text()));
      }
    } else if (auto* field = qobject_cast<hc::qt::FigureField*>(w)) {
      if (metrics.height() > field->contentsRect().height()) fault(c, QStringLiteral("text taller than the field"));
      if (w->font().pointSizeF() < hc::qt::kSmallestFontSize) fault(c, QStringLiteral("font below 7 pt"));
      // A text wider than its field even at the smallest size ends in "…"
      // and is whole in its tooltip.
      if (TextWidth(field->font(), field->text()) > hc::qt::FieldTextRoom(*field) &&
          (!field->elided() || field->toolTip() != field->text())) {
        fault(c, QStringLiteral("[%1] cut without a mark").arg(field->text()));
      }
    } else if (auto* table = qobject_cast<hc::qt::ResultTable*>(w)) {
      const hc::qt::TableModel& model = table->Model();
      for (int k = 0; k < model.columnCount(); ++k) {
        if (table->columnWidth(k) < table->NeededWidth(k)) fault(c, QStringLiteral("column %1 narrowed").arg(k));
      }
      const int first = table->rowAt(0);
      int last = table->rowAt(table->viewport()->height() - 1);
      if (last < 0) last = model.rowCount() - 1;
      for (int r = std::max(first, 0); first >= 0 && r <= last; ++r) {
        for (int k = 0; k < model.columnCount(); ++k) {
          if (!table->ShowsWhole(r, k)) fault(c, QStringLiteral("cell [%1] cut").arg(model.Text(r, k)));
        }
      }
    }
    if (const QRect r = DrawnRect(w); !r.isEmpty()) drawn.push_back({&c, r, window.ControlRect(c)});
  }
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    for (std::size_t j = i + 1; j < drawn.size(); ++j) {
      if (drawn[i].drawn.intersects(drawn[j].drawn) && !drawn[i].table.intersects(drawn[j].table)) {
        fault(*drawn[i].control, QStringLiteral("overlaps %1").arg(Q(drawn[j].control->name())));
      }
    }
  }
  return faults;
}

// The window half as large again, and then as small as the user can make
// it: a window that can be resized gives the added height to its tables
// (together) and the added width to each; the controls below the tables keep
// their distance to the bottom edge, those above them their place; it is
// never smaller than its table. The others keep their size.
QStringList ResizeFaults(hc::qt::ScreenWindow& window) {
  QStringList faults;
  const QSize table = window.size();
  std::map<std::string, QRect, std::less<>> before;
  int tablesTop = table.height();
  int tablesBottom = 0;
  for (const hc::Control& c : window.screen().controls()) {
    const QRect r = window.ControlWidget(c.name())->geometry();
    before.emplace(std::string(c.name()), r);
    if (c.kind() == hc::Kind::Table) {
      tablesTop = std::min(tablesTop, r.top());
      tablesBottom = std::max(tablesBottom, r.bottom());
    }
  }
  const QSize larger(table.width() * 3 / 2, table.height() * 3 / 2);
  window.resize(larger);
  QApplication::processEvents();
  if (!window.resizable()) {
    if (window.size() != table) faults << QStringLiteral("a fixed window resized");
    return faults;
  }
  if (window.size() != larger) return {QStringLiteral("not resized")};
  const QSize added = larger - table;
  int grown = 0;
  for (const hc::Control& c : window.screen().controls()) {
    const QRect was = before.find(c.name())->second;
    const QRect now = window.ControlWidget(c.name())->geometry();
    const QString name = Q(c.name());
    if (c.kind() == hc::Kind::Table) {
      grown += now.height() - was.height();
      if (now.width() - was.width() != added.width()) faults << name + QStringLiteral(" not as much wider");
    } else if (was.top() > tablesBottom && now.topLeft() != was.topLeft() + QPoint(0, added.height())) {
      faults << name + QStringLiteral(" below the tables moved off its distance to the bottom");
    } else if (was.bottom() < tablesTop && now.topLeft() != was.topLeft()) {
      faults << name + QStringLiteral(" above the tables moved");
    }
  }
  if (grown != added.height()) faults << QStringLiteral("tables grew by %1 of %2").arg(grown).arg(added.height());
  faults << Faults(window, QStringLiteral("resized"));
  window.resize(table / 2);
  QApplication::processEvents();
  if (window.size() != table) faults << QStringLiteral("smaller than its table");
  return faults;
}

}  // namespace

class GeometryTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    qunsetenv("HENGCHUAN_AUTO_ANSWER");
    hc::qt::InstallFonts();
  }

  void every_text_whole_data() { AddScreenRows(); }
  void every_text_whole() {
    QFETCH(QString, screen);
    BoxWatchdog watchdog;
    hc::qt::QtShell shell;
    hc::Screen& model = shell.app().Get(screen.toStdString());
    model.Show();
    hc::qt::ScreenWindow* window = shell.Window(model);
    QApplication::processEvents();
    QStringList faults = Faults(*window, QStringLiteral("load"));

    auto press = [&shell](hc::Screen& on, std::string_view button) { shell.Press(on, button); };
    for (const std::string& button : WorkButtons(model)) {
      if (!model.At(button).visible || !model.At(button).enabled) continue;
      press(model, button);
      QApplication::processEvents();
      faults << Faults(*window, QStringLiteral("load texts ") + Q(button));
    }
    watchdog.TakeMessages();

    // The large figures: accepted, and shown whole.
    if (hc::figures::CalculateWithLargeFigures(shell.app(), model, press)) {
      QApplication::processEvents();
      faults << Faults(*window, QStringLiteral("large"));
      for (const QString& m : watchdog.TakeMessages()) faults << QStringLiteral("large figures refused: ") + m;
      // The other buttons with them, where the screen's own fields hold them.
      const hc::figures::LargeRun run = hc::figures::LargeRunOf(model);
      for (const std::string& button : WorkButtons(model)) {
        if (!run.source.empty() || button == run.button) continue;
        if (!model.At(button).visible || !model.At(button).enabled) continue;
        hc::figures::FillLargeFigures(model, model.name());
        press(model, button);
        QApplication::processEvents();
        faults << Faults(*window, QStringLiteral("large ") + Q(button));
        for (const QString& m : watchdog.TakeMessages()) {
          if (!m.startsWith(QStringLiteral("prompt:"))) {
            faults << QStringLiteral("large ") + Q(button) + QStringLiteral(": ") + m;
          }
        }
      }
    }
    faults << ResizeFaults(*window);
    faults.removeDuplicates();
    QVERIFY2(faults.isEmpty(), qPrintable(QLatin1Char('\n') + faults.join(QLatin1Char('\n'))));
  }
};

QTEST_MAIN(GeometryTest)
#include "geometry_test.moc"
