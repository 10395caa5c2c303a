#include "core/item_conversion.h"

#include <cmath>

#include "platform/qt/qt_text.h"

namespace palvex {

ChartItem ToChartItem(const PalvexChartItem& item) {
  ChartItem c;
  c.ItemID = FromQString(item.itemId());
  c.SelectedDescription = FromQString(item.description());
  c.XAxisDescription = FromQString(item.caption());
  c.Value = item.value();
  return c;
}

// Through the inline setters: this file goes into both public libraries,
// and the widget's copy must not need the core library's constructor.
PalvexChartItem ToPublicItem(const ChartItem& item) {
  PalvexChartItem p;
  p.setItemId(ToQString(item.ItemID));
  p.setDescription(ToQString(item.SelectedDescription));
  p.setCaption(ToQString(item.XAxisDescription));
  p.setValue(item.Value);
  return p;
}

std::vector<ChartItem> ToChartItems(const QList<PalvexChartItem>& items) {
  std::vector<ChartItem> out;
  out.reserve(static_cast<std::size_t>(items.size()));
  for (const PalvexChartItem& item : items) out.push_back(ToChartItem(item));
  return out;
}

QList<PalvexChartItem> ToPublicItems(const std::vector<ChartItem>& items) {
  QList<PalvexChartItem> out;
  out.reserve(static_cast<qsizetype>(items.size()));
  for (const ChartItem& item : items) out.append(ToPublicItem(item));
  return out;
}

double ValueOfCell(const QVariant& cell) {
  const double v = cell.toDouble();
  return std::isnan(v) ? 0.0 : v;
}

}  // namespace palvex
