#include "qt/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace hc::qt {

namespace {

// Qt's translations of its own texts, in the program's wording: they write
// the older 撤消 for Undo where the program writes 撤销.
class QtTexts final : public QTranslator {
 public:
  using QTranslator::QTranslator;

  bool Load(const QLocale& locale) {
    return qtbase_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  }

  bool isEmpty() const override { return qtbase_.isEmpty(); }

  QString translate(const char* context, const char* source, const char* disambiguation, int n) const override {
    QString text = qtbase_.translate(context, source, disambiguation, n);
    text.replace(QStringLiteral("撤消"), QStringLiteral("撤销"));
    return text;
  }

 private:
  QTranslator qtbase_;
};

}  // namespace

bool InstallTranslations() {
  const QLocale chinese(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China);
  QLocale::setDefault(chinese);
  // Owned by the application, which outlives every window.
  auto* texts = new QtTexts(QCoreApplication::instance());
  if (!texts->Load(chinese)) {
    delete texts;
    return false;
  }
  return QCoreApplication::installTranslator(texts);
}

}  // namespace hc::qt
