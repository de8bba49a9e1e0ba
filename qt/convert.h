// Conversions between the model's UTF-8 texts and colours and Qt's.
#pragma once

#include <QColor>
#include <QString>
#include <string_view>

#include "shell/layout.h"

namespace hc::qt {

inline QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

inline QColor ToColor(Rgb c) { return QColor(c.r, c.g, c.b); }

}  // namespace hc::qt
