// The saved default rates through Qt's settings, in a folder of the test's
// own: what is saved is read back the same, a value that is no text is
// refused at start, and restoring removes them.
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "qt/qt_shell.h"

class SavedRatesSettingsTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;

  QString File() const { return folder_.path() + QStringLiteral("/hengchuan/hengchuan.conf"); }

 private slots:
  void initTestCase() {
    QVERIFY(folder_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_.path());
    qputenv("HENGCHUAN_AUTO_ANSWER", "1");
  }

  void saved_rates_round_trip_and_are_removed() {
    hc::qt::QtShell shell;
    QVERIFY(!shell.LoadSavedRates().has_value());
    QVERIFY(!QFile::exists(File()));  // reading writes nothing
    const hc::SavedRates rates{"1", "0", "5", "0.1"};
    QVERIFY(shell.SaveRates(rates));
    QVERIFY(QFile::exists(File()));
    const std::optional<hc::SavedRates> back = shell.LoadSavedRates();
    QVERIFY(back.has_value());
    QCOMPARE(back->commission, rates.commission);
    QCOMPARE(back->minimum, rates.minimum);
    QCOMPARE(back->stampDuty, rates.stampDuty);
    QCOMPARE(back->transferFee, rates.transferFee);

    // A later start brings them to the trading-costs screen.
    {
      hc::qt::QtShell next;
      next.Start();
      QCOMPARE(next.app().Get("Form40").text("Text4"), std::string("1"));
      QCOMPARE(next.app().Get("Form40").text("Text5"), std::string("0"));
    }

    shell.RemoveSavedRates();
    QVERIFY(!shell.LoadSavedRates().has_value());
  }

  void a_value_that_is_no_text_is_not_used() {
    {
      QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("hengchuan"),
                         QStringLiteral("hengchuan"));
      settings.setValue(QStringLiteral("rates/commission"), QStringList{QStringLiteral("1"), QStringLiteral("2")});
      settings.setValue(QStringLiteral("rates/minimum"), QStringLiteral("0"));
    }
    hc::qt::QtShell shell;
    shell.Start();
    QCOMPARE(shell.app().Get("Form40").text("Text4"), std::string("2.5"));
    QCOMPARE(shell.app().Get("Form40").text("Text5"), std::string("5"));
    shell.RemoveSavedRates();
  }
};

QTEST_MAIN(SavedRatesSettingsTest)
#include "saved_rates_settings_test.moc"
