// Renders a chart without widgets through the installed core library, as a
// report generator would, and fails (exit 1) when its bar is missing.
#include <palvex/palvexchartrenderer.h>

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  PalvexChartRenderer chart;
  if (!chart.setProperty("MaxY", 100) || !chart.addItem({"1", "North", "Jan", 50})) {
    std::fprintf(stderr, "headless: %s\n", qPrintable(chart.lastErrorString()));
    return 1;
  }
  // The bar fills the lower half of the plot only.
  const QImage picture = chart.toImage();
  if (picture.pixel(280, 250) == picture.pixel(280, 80)) {
    std::fprintf(stderr, "headless: no bar where the only item's bar stands\n");
    return 1;
  }
  return 0;
}
