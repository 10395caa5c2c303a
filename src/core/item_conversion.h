#pragma once

#include <palvex/palvexchartitem.h>

#include <QList>
#include <QVariant>
#include <vector>

#include "model/chart_item.h"

namespace palvex {

// The public item and the control's record carry the same four fields.
ChartItem ToChartItem(const PalvexChartItem& item);
PalvexChartItem ToPublicItem(const ChartItem& item);
std::vector<ChartItem> ToChartItems(const QList<PalvexChartItem>& items);
QList<PalvexChartItem> ToPublicItems(const std::vector<ChartItem>& items);
// A model cell's bar value: a cell that holds no number counts as 0, as a
// spreadsheet's does, and so does NaN (a data set's missing value, or the
// text "nan"), which the chart would refuse with every other row.
double ValueOfCell(const QVariant& cell);

}  // namespace palvex
