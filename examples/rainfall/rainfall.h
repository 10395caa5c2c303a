// The rainfall window of the example: a year of monthly rain in a chart
// styled as the product is (its colour, its font, millimetres), in the
// application's own light or dark palette.
#pragma once

#include <palvex/palvexchartwidget.h>

PalvexChartWidget* MakeRainfallChart(QWidget* parent = nullptr);

// Checks the styled chart as CI runs it (exit code 0 when it holds), and
// with a folder writes the README's styling pictures into it.
int CheckRainfallChart(PalvexChartWidget& chart, const QString& picturesFolder);
