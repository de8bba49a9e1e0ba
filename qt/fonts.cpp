#include "qt/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStringList>

namespace hc::qt {

namespace {

// The layout tables were drawn for 宋体 at 9 pt: a 12 px line at 96 dpi,
// digits 6 px and Chinese characters 12 px wide. SimSun itself where a user
// has it, else "AR PL UMing CN", a Ming face with exactly those metrics;
// the wider Noto and WenQuanYi faces only where neither is installed.
const QStringList& SongFamilies() {
  static const QStringList families{"SimSun",           "NSimSun",           "AR PL UMing CN",    "Noto Serif CJK SC",
                                    "Noto Sans CJK SC", "Source Han Sans SC", "WenQuanYi Zen Hei",
                                    "WenQuanYi Micro Hei", "Droid Sans Fallback"};
  return families;
}

}  // namespace

QStringList PreferredFamilies() {
  const QStringList installed = QFontDatabase::families();
  QStringList families;
  for (const QString& f : SongFamilies()) {
    if (installed.contains(f)) families << f;
  }
  return families;
}

void InstallFonts() {
  const QStringList families = PreferredFamilies();
  // "宋体" of the footers stands for the same faces as the default font.
  QFont::insertSubstitutions(QStringLiteral("宋体"), families.isEmpty() ? SongFamilies() : families);
  QFont font = QApplication::font();
  if (!families.isEmpty()) font.setFamilies(families);
  font.setPointSizeF(kDefaultFontSize);
#ifdef Q_OS_WIN
  // Windows draws small text through GDI with smoothing by default, which
  // renders the Ming faces' thin Latin strokes (the figures!) a light grey
  // where no SimSun bitmaps serve. Asking for vertical hinting only makes Qt
  // draw through DirectWrite, whose contrast keeps those strokes as dark as
  // the Chinese text, as FreeType draws them on Linux.
  font.setHintingPreference(QFont::PreferVerticalHinting);
#endif
  QApplication::setFont(font);
}

QFont ControlFont(const QString& family, double pointSize, bool bold) {
  QFont font = QApplication::font();
  if (!family.isEmpty()) font.setFamilies({family});
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  return font;
}

}  // namespace hc::qt
