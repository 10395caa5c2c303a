// Renders a chart without widgets through the installed core library, as a
// report generator would, and fails (exit 1) when its bar is missing.
#include <palvex/palvexchartrenderer.h>
#include <palvex/palvexversion.h>

#include <QGuiApplication>
#include <cstdio>

// The installed headers say which release they are.
static_assert(PALVEX_VERSION >= PALVEX_VERSION_CHECK(1, 1, 0), "the headers of 1.1 or later");

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (QString::fromLatin1(PALVEX_VERSION_STR).split('.').size() != 3) return 1;
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
