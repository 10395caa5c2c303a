#pragma once

#include <QJsonObject>
#include <memory>

#include "chart_file.h"
#include "control/palvex_chart.h"
#include "platform/property_bag.h"
#include "platform/qt/headless_host.h"

namespace palvex {

// Writes a chart file's properties, in file order, and its items.
void LoadChart(const ChartFile& file, PalvexChart& chart);

// Runs a chart's life without a window: create, defaults (or a saved
// control's properties from its bag), size, property writes, items, show,
// and the start timer's tick with the growth animation.
std::unique_ptr<PalvexChart> RenderChart(const ChartFile& file, HeadlessHost& host,
                                         PropertyBag* saved = nullptr);

// Every public property and the layout values the last pass left.
QJsonObject ChartStateJson(const PalvexChart& chart);

}  // namespace palvex
