// Fonts of the program: the default CJK font for all controls and the
// "宋体" of the footers, resolved to an installed font.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include "shell/layout.h"

namespace hc::qt {

// The installed faces the program draws with, best first: those closest to
// the metrics of 宋体 at 9 pt, which the layout tables assume.
QStringList PreferredFamilies();

// Installs the substitution list of "宋体" and the program's default font.
void InstallFonts();

// The QFont for a control: the default font, or the named family in the
// given size and weight.
QFont ControlFont(const QString& family, double pointSize, bool bold);

}  // namespace hc::qt
