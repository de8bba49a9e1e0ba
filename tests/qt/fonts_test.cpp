// Fonts: the Chinese texts of every screen are drawn by an installed Chinese
// font that holds every character they use, the metrics the layout tables
// assume where such a face is installed, and "宋体" means SimSun where it is
// installed, else the nearest installed face.
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QScreen>
#include <QtTest>

#include "qt/fonts.h"
#include "qt/qt_shell.h"
#include "tests/qt/window_test_support.h"

using namespace hc::test;

namespace {

// The characters of text that font has no glyph of.
QString MissingGlyphs(const QFont& font, const QString& text) {
  const QFontMetrics metrics(font);
  QString missing;
  for (const char32_t ch : text.toUcs4()) {
    if (ch < 0x20) continue;
    if (!metrics.inFontUcs4(ch)) missing += QString::fromUcs4(&ch, 1);
  }
  return missing;
}

// Every widget whose own font lacks a character of its text.
QStringList WidgetsMissingGlyphs(hc::qt::ScreenWindow& window) {
  QStringList faults;
  for (const hc::Control& c : window.screen().controls()) {
    QWidget* w = window.ControlWidget(c.name());
    const QString text = QString::fromStdString(c.text);
    const QString missing = MissingGlyphs(w->font(), text);
    if (!missing.isEmpty()) {
      faults << QStringLiteral("%1 [%2] in %3 lacks %4").arg(Q(c.name()), text, QFontInfo(w->font()).family(), missing);
    }
  }
  return faults;
}

}  // namespace

class FontsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    qunsetenv("HENGCHUAN_AUTO_ANSWER");
    hc::qt::InstallFonts();
  }

  void default_font_is_an_installed_chinese_font() {
    const QFontInfo info(QApplication::font());
    QVERIFY2(QFontDatabase::families(QFontDatabase::SimplifiedChinese).contains(info.family()),
             qPrintable(info.family()));
    QCOMPARE(QApplication::font().pointSizeF(), hc::kDefaultFontSize);
    QCOMPARE(MissingGlyphs(QApplication::font(), QStringLiteral("衡川２.0（升级版）：↑↓％，。！元")), QString());
  }

  // The layout tables were drawn for 宋体 at 9 pt: a 12 px line, digits
  // 6 px and Chinese characters 12 px wide at 96 dpi. The preferred faces
  // have those metrics.
  void default_font_has_the_metrics_of_the_tables() {
    const QString family = QFontInfo(QApplication::font()).family();
    if (family != QStringLiteral("SimSun") && family != QStringLiteral("AR PL UMing CN")) {
      QSKIP("neither SimSun nor AR PL UMing CN is installed");
    }
    QCOMPARE(hc::qt::PreferredFamilies().front(), family);
    const qreal scale = QGuiApplication::primaryScreen()->logicalDotsPerInch() / 96.0;
    const QFontMetricsF metrics(QApplication::font());
    QVERIFY2(qAbs(metrics.height() - 12 * scale) < 0.5, qPrintable(QString::number(metrics.height())));
    QVERIFY2(qAbs(metrics.horizontalAdvance(QStringLiteral("0123456789")) - 60 * scale) < 0.5, "digits");
    QVERIFY2(qAbs(metrics.horizontalAdvance(QStringLiteral("本软件仅作为计算")) - 96 * scale) < 0.5, "characters");
  }

  void song_is_simsun_or_the_nearest_installed_face_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("bold");
    QTest::newRow("footer") << 9 << true;
    QTest::newRow("plain 12") << 12 << false;
  }
  void song_is_simsun_or_the_nearest_installed_face() {
    QFETCH(int, size);
    QFETCH(bool, bold);
    const QStringList preference{QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"),
                                 QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"),
                                 QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("WenQuanYi Micro Hei")};
    const QStringList installed = QFontDatabase::families();
    QString expected;
    for (const QString& f : preference) {
      if (installed.contains(f)) {
        expected = f;
        break;
      }
    }
    QVERIFY2(!expected.isEmpty(), "no Chinese font installed");
    const QFont song = hc::qt::ControlFont(QStringLiteral("宋体"), size, bold);
    const QFontInfo info(song);
    QCOMPARE(info.family(), expected);
    QCOMPARE(info.pointSize(), size);
    QCOMPARE(info.bold(), bold);
    QCOMPARE(MissingGlyphs(song, QStringLiteral("本软件仅作为计算器，不能作为投资和决策用途，否则后果自负。")), QString());
  }

  // At load, after each calculate or clear button with the load texts, and
  // after each with every field empty (the prompts).
  void every_text_has_its_glyphs_data() { AddScreenRows(); }
  void every_text_has_its_glyphs() {
    QFETCH(QString, screen);
    BoxWatchdog watchdog;
    hc::qt::QtShell shell;
    hc::Screen& model = shell.app().Get(screen.toStdString());
    model.Show();
    hc::qt::ScreenWindow* window = shell.Window(model);
    QCOMPARE(MissingGlyphs(QApplication::font(), window->windowTitle()), QString());
    QCOMPARE(WidgetsMissingGlyphs(*window), QStringList());
    for (bool empty : {false, true}) {
      if (empty) {
        for (const std::string& field : EditableFields(model)) {
          Type(qobject_cast<QLineEdit*>(window->ControlWidget(field)), QString());
        }
      }
      for (const std::string& button : WorkButtons(model)) {
        auto* widget = qobject_cast<QPushButton*>(window->ControlWidget(button));
        if (!widget->isVisible() || !widget->isEnabled()) continue;
        QTest::mouseClick(widget, Qt::LeftButton);
        QCOMPARE(WidgetsMissingGlyphs(*window), QStringList());
        for (const QString& shown : watchdog.TakeMessages()) {
          QCOMPARE(MissingGlyphs(QApplication::font(), shown), QString());
        }
      }
    }
  }
};

QTEST_MAIN(FontsTest)
#include "fonts_test.moc"
