// The example chart as the peer programs draw it: read from the same chart
// file our `render` reads, so that every process parses JSON and draws the
// same texts. Style (colours, pixel font sizes) follows the team's in-process
// peer benchmarks; the Chinese texts use the CJK face our control uses.
#pragma once

#include <QColor>
#include <QFile>
#include <QFont>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLinearGradient>
#include <QList>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace peer {

struct Chart {
  int width = 560, height = 372;
  QString title, subtitle, xTitle, yTitle;
  QStringList captions;
  QList<double> values;
  double top = 0;  // the value scale's end: the largest value rounded up to a tenth step
};

inline Chart Load(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
    std::exit(1);
  }
  const QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
  const QJsonObject p = o["properties"].toObject();
  Chart c;
  c.width = o["width"].toInt(c.width);
  c.height = o["height"].toInt(c.height);
  c.title = p["ChartTitle"].toString();
  c.subtitle = p["ChartSubTitle"].toString();
  c.xTitle = p["AxisLabelX"].toString();
  c.yTitle = p["AxisLabelY"].toString();
  double most = 1;
  for (const QJsonValue& v : o["items"].toArray()) {
    const QJsonObject item = v.toObject();
    c.captions << item["XAxisDescription"].toString();
    c.values << item["Value"].toDouble();
    most = std::max(most, c.values.back());
  }
  const double step = std::pow(10.0, std::floor(std::log10(most))) / 2;  // 50 for 486.5
  c.top = std::ceil(most / step) * step;
  return c;
}

inline QFont Font(int px, bool bold = false) {
  QFont f(QStringLiteral("AR PL UMing CN"));
  f.setPixelSize(px);
  f.setBold(bold);
  return f;
}
constexpr int kTitlePx = 16, kSubtitlePx = 11, kAxisTitlePx = 11, kTickPx = 10, kCaptionPx = 11;

inline QColor BarTop() {
  return QColor("#9ac2dd");
}  // the team's palette blue, 55% lighter
inline QColor BarBottom() {
  return QColor("#1f77b4");
}
inline QColor BackTop() {
  return QColor("#ffffff");
}
inline QColor BackBottom() {
  return QColor("#d6e2f0");
}
inline QColor Grid() {
  return QColor("#c8c8c8");
}

// A top-to-bottom gradient over whatever box it fills.
inline QLinearGradient Vertical(const QColor& top, const QColor& bottom) {
  QLinearGradient g(0, 0, 0, 1);
  g.setCoordinateMode(QGradient::ObjectBoundingMode);
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  return g;
}

}  // namespace peer
