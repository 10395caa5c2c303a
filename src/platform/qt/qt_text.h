#pragma once

#include <QColor>
#include <QString>
#include <string>
#include <string_view>

#include "platform/color.h"

namespace palvex {

// The units as they are: QString::fromUtf16 would take a leading U+FEFF or
// U+FFFE for a byte-order mark, drop it and byte-swap the rest.
inline QString ToQString(std::u16string_view s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}
inline std::u16string FromQString(const QString& s) {
  return s.toStdU16String();
}

// Packed colours are red in the low byte; system colours are resolved.
inline QColor ToQColor(Color c) {
  Color rgb = ResolveColor(c);
  return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}
inline Color FromQRgb(unsigned int argb) {
  return Rgb((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

}  // namespace palvex
