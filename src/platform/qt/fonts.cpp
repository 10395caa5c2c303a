#include "platform/qt/fonts.h"

#include <algorithm>
#include <cmath>

#include "platform/qt/qt_text.h"

namespace palvex {

QString ResolveFontFamily(const std::u16string& name) {
  const QString n = ToQString(name);
  if (n == QStringLiteral("宋体") || n.compare(QStringLiteral("SimSun"), Qt::CaseInsensitive) == 0)
    return QStringLiteral("AR PL UMing CN");
  if (n.compare(QStringLiteral("Arial"), Qt::CaseInsensitive) == 0)
    return QStringLiteral("Liberation Sans");
  if (n.compare(QStringLiteral("Tahoma"), Qt::CaseInsensitive) == 0 ||
      n.compare(QStringLiteral("Webdings"), Qt::CaseInsensitive) == 0)
    return QStringLiteral("DejaVu Sans");
  return n;
}

QStringList TextLines(std::u16string_view text) {
  QString t = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QChar(u'\r'), QChar(u'\n'));
  return t.split(QChar(u'\n'));
}

int FontPixelSize(const FontSpec& font, double dotsPerInch) {
  double pixels = font.size * dotsPerInch / 72.0;
  if (!std::isfinite(pixels) || pixels < 1) pixels = 1;
  if (pixels > 2000) pixels = 2000;
  return static_cast<int>(std::lround(pixels));
}

QFont MakeFont(const FontSpec& font, double dotsPerInch) {
  QFont f(ResolveFontFamily(font.name));
  f.setPixelSize(FontPixelSize(font, dotsPerInch));
  f.setBold(font.bold);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

PixelExtent MeasureLines(const QFontMetricsF& metrics, std::u16string_view text) {
  const QStringList lines = TextLines(text);
  double widest = 0;
  for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
  return {widest, lines.size() * metrics.height()};
}

const QFontMetricsF& FontMetricsCache::Get(const FontSpec& font, double dotsPerInch) {
  const Key key{font.name, font.size, font.bold, dotsPerInch};
  auto it = cache_.find(key);
  if (it == cache_.end()) {
    // A handful of faces and sizes are in use; a runaway caller gets a fresh start.
    if (cache_.size() > 64) cache_.clear();
    it = cache_.emplace(key, QFontMetricsF(MakeFont(font, dotsPerInch))).first;
  }
  return it->second;
}

}  // namespace palvex
