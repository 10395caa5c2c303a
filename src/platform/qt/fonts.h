#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>
#include <map>
#include <string_view>
#include <tuple>

#include "platform/font.h"

namespace palvex {

// The installed face that stands in for a face the control names: a Song
// face for "宋体", Liberation Sans for "Arial", DejaVu Sans for "Tahoma".
QString ResolveFontFamily(const std::u16string& name);

// A text's lines: CR LF, CR and LF each end one.
QStringList TextLines(std::u16string_view text);

// The pixel (em) size of a font's point size at dotsPerInch, kept to 1..2000.
int FontPixelSize(const FontSpec& font, double dotsPerInch);

// A QFont for a font; point sizes become pixels through dotsPerInch.
QFont MakeFont(const FontSpec& font, double dotsPerInch);

// The size of a text's lines in pixels: the widest line by the line count.
struct PixelExtent {
  double width = 0;
  double height = 0;
};
PixelExtent MeasureLines(const QFontMetricsF& metrics, std::u16string_view text);

// Metrics of the fonts a host measures with, made once per face, size and
// weight: labels are measured on every drawing pass.
class FontMetricsCache {
 public:
  const QFontMetricsF& Get(const FontSpec& font, double dotsPerInch);

 private:
  using Key = std::tuple<std::u16string, float, bool, double>;
  std::map<Key, QFontMetricsF> cache_;
};

}  // namespace palvex
