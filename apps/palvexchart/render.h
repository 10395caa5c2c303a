#pragma once

#include <QJsonObject>
#include <memory>

#include "chart_file.h"
#include "control/palvex_chart.h"
#include "platform/property_bag.h"
#include "platform/qt/headless_host.h"

namespace palvex {

// Runs a chart's life without a window: create, defaults (or a saved
// control's properties from its bag), size, property writes, items, the
// colour table, then the drawing pass with the growth animation due.
std::unique_ptr<PalvexChart> RenderChart(const ChartFile& file, HeadlessHost& host,
                                         PropertyBag* saved = nullptr);

// Every public property and the layout values the last pass left.
QJsonObject ChartStateJson(const PalvexChart& chart);

}  // namespace palvex
