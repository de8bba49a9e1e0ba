// Every window under a display scale (QT_SCALE_FACTOR, 2 in the scaled
// CTest run) against the same windows at scale 1, measured by a second run of
// this program: each window and control is scaled exactly, no caption is cut
// off, and nothing overlaps or leaves its window that does not already at 1.
//
// Run with the argument --measure, the program prints its measurements (in
// device pixels) and ends; the tests run it that way at scale 1.
#include <QProcess>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtTest>
#include <cstdio>
#include <cstring>
#include <map>

#include "qt/fonts.h"
#include "qt/qt_shell.h"
#include "tests/qt/window_test_support.h"

using namespace hc::test;

namespace {

// One window or control in one state of its screen, in device pixels.
struct Item {
  QString screen;
  QString state;    // "load" or "calculated"
  QString control;  // "window" for the window itself
  bool visible = true;
  bool sizesToCaption = false;  // a label that sizes itself to its caption
  QRectF rect;
  double needed = 0;     // the width its caption needs, or the height of a field's text
  double available = 0;  // the width (or a field's height) there is for it
  QSize grabbed;         // windows: the size of the rendered image

  QString Key() const { return screen + QLatin1Char(' ') + state + QLatin1Char(' ') + control; }
  QString Line() const {
    return QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\t%7\t%8\t%9\t%10\t%11\t%12\t%13")
        .arg(screen, state, control)
        .arg(int(visible))
        .arg(int(sizesToCaption))
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height())
        .arg(needed, 0, 'f', 3)
        .arg(available, 0, 'f', 3)
        .arg(grabbed.width())
        .arg(grabbed.height());
  }
  static Item Parse(const QString& line) {
    const QStringList f = line.split(QLatin1Char('\t'));
    Item item;
    if (f.size() != 13) return item;
    item.screen = f[0];
    item.state = f[1];
    item.control = f[2];
    item.visible = f[3] == QLatin1String("1");
    item.sizesToCaption = f[4] == QLatin1String("1");
    item.rect = QRectF(f[5].toDouble(), f[6].toDouble(), f[7].toDouble(), f[8].toDouble());
    item.needed = f[9].toDouble();
    item.available = f[10].toDouble();
    item.grabbed = QSize(f[11].toInt(), f[12].toInt());
    return item;
  }
};

using Measures = std::map<QString, Item>;

void MeasureWindow(hc::qt::ScreenWindow& window, const QString& screen, const QString& state, Measures& out) {
  const qreal dpr = window.devicePixelRatioF();
  auto device = [dpr](const QRect& r) {
    return QRectF(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr);
  };
  Item w{screen, state, QStringLiteral("window")};
  w.rect = device(QRect(QPoint(0, 0), window.size()));
  w.grabbed = window.grab().size();
  out[w.Key()] = w;
  for (const hc::Control& c : window.screen().controls()) {
    QWidget* widget = window.ControlWidget(c.name());
    Item item{screen, state, Q(c.name())};
    item.visible = widget->isVisibleTo(&window);
    item.rect = device(widget->geometry());
    const QFontMetricsF metrics(widget->font());
    if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && c.layout->autoSize) {
      item.sizesToCaption = true;
      item.needed = TextWidth(label->font(), label->text()) * dpr;
      item.available = label->contentsRect().width() * dpr;
    } else if (label != nullptr) {
      // A fixed-size label wraps its caption: the lines need their height.
      item.needed = label->heightForWidth(label->width()) * dpr;
      item.available = label->height() * dpr;
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
      QStyleOptionButton option;
      option.initFrom(button);
      option.text = button->text();
      item.needed = metrics.horizontalAdvance(button->text()) * dpr;
      item.available = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width() * dpr;
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      item.needed = metrics.height() * dpr;
      item.available = edit->contentsRect().height() * dpr;
    }
    out[item.Key()] = item;
  }
}

// Every screen after load and after its calculate button with the load texts.
Measures MeasureAll() {
  Measures out;
  BoxWatchdog watchdog;
  for (const hc::ScreenEntry& entry : hc::ScreenRegistry()) {
    hc::qt::QtShell shell;
    hc::Screen& screen = shell.app().Get(entry.name);
    screen.Show();
    hc::qt::ScreenWindow* window = shell.Window(screen);
    QApplication::processEvents();
    MeasureWindow(*window, Q(entry.name), QStringLiteral("load"), out);
    if (const std::string_view calc = screen.layout().defaultButton; !calc.empty()) {
      shell.Press(screen, calc);
      QApplication::processEvents();
      MeasureWindow(*window, Q(entry.name), QStringLiteral("calculated"), out);
    }
  }
  return out;
}

// Names of the visible controls of a screen's state that intersect, as "A+B".
QStringList Overlaps(const Measures& m, const QString& screen, const QString& state) {
  std::vector<const Item*> items;
  for (const auto& [key, item] : m) {
    if (item.screen == screen && item.state == state && item.control != QLatin1String("window") && item.visible &&
        !item.rect.isEmpty()) {
      items.push_back(&item);
    }
  }
  QStringList pairs;
  for (std::size_t i = 0; i < items.size(); ++i) {
    for (std::size_t j = i + 1; j < items.size(); ++j) {
      if (items[i]->rect.intersects(items[j]->rect)) pairs << items[i]->control + QLatin1Char('+') + items[j]->control;
    }
  }
  pairs.sort();
  return pairs;
}

// The visible controls of a state whose caption does not fit or which reach
// beyond the window.
QStringList Clipped(const Measures& m, const QString& screen, const QString& state) {
  const auto window = m.find(screen + QLatin1Char(' ') + state + QStringLiteral(" window"));
  QStringList clipped;
  for (const auto& [key, item] : m) {
    if (item.screen != screen || item.state != state || item.control == QLatin1String("window") || !item.visible) continue;
    if (item.needed > item.available + 0.01) clipped << item.control + QStringLiteral(" cut");
    if (window != m.end() && !window->second.rect.contains(item.rect)) clipped << item.control + QStringLiteral(" outside");
  }
  clipped.sort();
  return clipped;
}

QStringList Without(const QStringList& list, const QStringList& allowed) {
  QStringList rest;
  for (const QString& s : list) {
    if (!allowed.contains(s)) rest << s;
  }
  return rest;
}

QRectF Scaled(const QRectF& r, qreal f) { return QRectF(r.x() * f, r.y() * f, r.width() * f, r.height() * f); }

}  // namespace

class HiDpiWindowTest : public QObject {
  Q_OBJECT

 private:
  qreal scale_ = 1;
  Measures reference_;
  Measures scaled_;

 private slots:
  void initTestCase() {
    qunsetenv("HENGCHUAN_AUTO_ANSWER");
    hc::qt::InstallFonts();
    bool ok = false;
    scale_ = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    if (!ok) scale_ = 1;
    scaled_ = MeasureAll();

    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    run.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--measure")});
    QVERIFY(run.waitForFinished(240000));
    QCOMPARE(run.exitCode(), 0);
    for (const QString& line : QString::fromUtf8(run.readAllStandardOutput()).split(QLatin1Char('\n'))) {
      if (line.isEmpty()) continue;
      const Item item = Item::Parse(line);
      QVERIFY2(!item.screen.isEmpty(), qPrintable(line));
      reference_[item.Key()] = item;
    }
    QCOMPARE(reference_.size(), scaled_.size());
  }

  void every_window_scales_data() { AddScreenRows(); }
  void every_window_scales() {
    QFETCH(QString, screen);
    hc::qt::QtShell shell;
    hc::Screen& model = shell.app().Get(screen.toStdString());
    model.Show();
    QCOMPARE(shell.Window(model)->devicePixelRatioF(), scale_);

    for (const QString& state : {QStringLiteral("load"), QStringLiteral("calculated")}) {
      for (const auto& [key, ref] : reference_) {
        if (ref.screen != screen || ref.state != state) continue;
        const auto found = scaled_.find(key);
        QVERIFY2(found != scaled_.end(), qPrintable(key));
        const Item& now = found->second;
        QCOMPARE(now.visible, ref.visible);
        if (ref.control == QLatin1String("window")) {
          // The window and its rendered image: the size at 1 times the scale.
          QCOMPARE(now.rect, Scaled(ref.rect, scale_));
          QCOMPARE(now.grabbed, ref.grabbed * scale_);
        } else if (now.rect.topLeft() != Scaled(ref.rect, scale_).topLeft()) {
          QFAIL(qPrintable(key + QStringLiteral(" moved")));
        } else if (now.rect.size() != Scaled(ref.rect, scale_).size()) {
          // Labels size to their caption, whose metrics may round
          // differently at other scales: within a pixel at 1 each way.
          const QSizeF expected = Scaled(ref.rect, scale_).size();
          QVERIFY2(ref.sizesToCaption && qAbs(now.rect.width() - expected.width()) <= scale_ &&
                       qAbs(now.rect.height() - expected.height()) <= scale_,
                   qPrintable(key + QStringLiteral(" size")));
        }
      }
      QCOMPARE(Without(Clipped(scaled_, screen, state), Clipped(reference_, screen, state)), QStringList());
      QCOMPARE(Without(Overlaps(scaled_, screen, state), Overlaps(reference_, screen, state)), QStringList());
    }
  }
};

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--measure") == 0) {
    QApplication application(argc, argv);
    hc::qt::InstallFonts();
    for (const auto& [key, item] : MeasureAll()) std::printf("%s\n", item.Line().toUtf8().constData());
    return 0;
  }
  QApplication application(argc, argv);
  HiDpiWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "hidpi_window_test.moc"
