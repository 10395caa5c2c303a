#pragma once

#include <palvex/palvexchartitem.h>

#include <QList>
#include <vector>

#include "model/chart_item.h"

namespace palvex {

// The public item and the control's record carry the same four fields.
ChartItem ToChartItem(const PalvexChartItem& item);
PalvexChartItem ToPublicItem(const ChartItem& item);
std::vector<ChartItem> ToChartItems(const QList<PalvexChartItem>& items);
QList<PalvexChartItem> ToPublicItems(const std::vector<ChartItem>& items);

}  // namespace palvex
