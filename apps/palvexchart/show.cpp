#include "show.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>

#include "chart_file.h"
#include "platform/chart_error.h"
#include "render.h"
#include "widget/palvex_chart_widget.h"

namespace palvex {

int ShowChart(const QStringList& args) {
  QCommandLineParser parser;
  parser.addPositionalArgument("chart", "chart file (JSON)");
  if (!parser.parse(args) || parser.positionalArguments().size() != 1) {
    std::fputs("usage: palvexchart show CHART.json\n", stderr);
    return 2;
  }
  const QString path = parser.positionalArguments()[0];
  ChartFile file;
  try {
    file = LoadChartFile(path);
  } catch (const ChartFileError& e) {
    std::fprintf(stderr, "palvexchart: %s: %s\n", qPrintable(path), e.what());
    return 2;
  }

  PalvexChartWidget window;
  window.setWindowTitle(QStringLiteral("PalvexChart - %1").arg(QFileInfo(path).fileName()));
  window.resize(file.width, file.height);
  try {
    // As a host sets a chart up before showing it; the growth animation
    // then plays when the window appears.
    LoadChart(file, window.chart());
  } catch (const ChartError& e) {
    std::fprintf(stderr, "palvexchart: run-time error %d: %s\n", e.number(), e.what());
    return 1;
  } catch (const ChartFileError& e) {
    std::fprintf(stderr, "palvexchart: %s: %s\n", qPrintable(path), e.what());
    return 2;
  }
  window.show();
  return QApplication::exec();
}

}  // namespace palvex
