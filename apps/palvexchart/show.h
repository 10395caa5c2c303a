#pragma once

#include <QStringList>

namespace palvex {

// `palvexchart show CHART.json`: the chart file in a window of its size,
// with the growth animation when it appears. Returns the exit code.
int ShowChart(const QStringList& args);

}  // namespace palvex
