// Every screen readable at real figures, at the display scale the test runs
// under (1, and 2 in the scaled CTest run): at load, after each calculate
// or clear button with the load texts, and after each with large, realistic
// figures in every input field, every visible control's text fits its
// widget whole, no two controls' drawn texts overlap where their table
// rectangles do not, and every widget lies inside its window.
#include <QStyle>
#include <QStyleOptionButton>
#include <QtTest>

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
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
      if (metrics.height() > edit->contentsRect().height()) fault(c, QStringLiteral("text taller than the field"));
      // A figure wider than its field shows its leading digits and the
      // whole figure as a tooltip.
      if (TextWidth(edit->font(), edit->text()) > hc::qt::FieldTextRoom(*edit) &&
          (edit->toolTip() != edit->text() || (!edit->hasFocus() && edit->cursorPosition() != 0))) {
        fault(c, QStringLiteral("[%1] cut without its leading digits or tooltip").arg(edit->text()));
      }
    }
    const hc::ControlSpec& s = *c.layout;
    if (const QRect r = DrawnRect(w); !r.isEmpty()) {
      drawn.push_back({&c, r, QRect(Px(s.left), Px(s.top), Px(s.width), Px(s.height))});
    }
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

// Fills every input field with its large figure, as if typed.
void FillLargeFigures(hc::qt::QtShell& shell, hc::Screen& screen) {
  int index = 0;
  for (hc::Control& c : screen.controls()) {
    const bool field = c.kind() == hc::Kind::Text || c.kind() == hc::Kind::TextArea;
    if (!field || c.readOnly || !c.visible || !c.enabled) continue;
    c.text = std::string(hc::figures::LargeFigure(screen.name(), c.name(), index++));
  }
  shell.SyncAll();
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

    for (bool large : {false, true}) {
      for (const std::string& button : WorkButtons(model)) {
        if (!model.At(button).visible || !model.At(button).enabled) continue;
        if (large) FillLargeFigures(shell, model);
        shell.Press(model, button);
        QApplication::processEvents();
        faults << Faults(*window, (large ? QStringLiteral("large ") : QStringLiteral("load texts ")) + Q(button));
        for (const QString& m : watchdog.TakeMessages()) {
          if (large && !m.startsWith(QStringLiteral("prompt:"))) faults << QStringLiteral("large ") + Q(button) + QStringLiteral(": ") + m;
        }
      }
    }
    faults.removeDuplicates();
    QVERIFY2(faults.isEmpty(), qPrintable(QLatin1Char('\n') + faults.join(QLatin1Char('\n'))));
  }
};

QTEST_MAIN(GeometryTest)
#include "geometry_test.moc"
