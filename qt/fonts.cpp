#include "qt/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStringList>

namespace hc::qt {

namespace {

// Chinese fonts in order of preference for the ordinary texts.
const QStringList& SansFamilies() {
  static const QStringList families{"Noto Sans CJK SC", "Source Han Sans SC", "WenQuanYi Micro Hei",
                                    "WenQuanYi Zen Hei", "Droid Sans Fallback"};
  return families;
}

// What "宋体" stands for: SimSun itself where installed, else the serif
// (Song style) Noto face, else any installed Chinese face.
const QStringList& SongSubstitutes() {
  static const QStringList families{"SimSun", "Noto Serif CJK SC", "Noto Sans CJK SC", "WenQuanYi Zen Hei",
                                    "WenQuanYi Micro Hei"};
  return families;
}

}  // namespace

void InstallFonts() {
  QFont::insertSubstitutions(QStringLiteral("宋体"), SongSubstitutes());
  QFont font = QApplication::font();
  const QStringList installed = QFontDatabase::families();
  QStringList families;
  for (const QString& f : SansFamilies()) {
    if (installed.contains(f)) families << f;
  }
  if (!families.isEmpty()) font.setFamilies(families);
  font.setPointSizeF(kDefaultFontSize);
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
