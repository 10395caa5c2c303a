#include "show.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>
#include <memory>
#include <optional>

#include "chart_file.h"
#include "language.h"
#include "platform/chart_error.h"
#include "platform/qt/json_property_bag.h"
#include "render.h"
#include "widget/palvex_chart_widget_p.h"

namespace palvex {

int ShowChart(const QStringList& args) {
  QCommandLineParser parser;
  parser.addPositionalArgument("chart", "chart file (JSON)");
  QCommandLineOption bag("bag", "property bag of a saved control (JSON)", "file");
  parser.addOption(bag);
  const QCommandLineOption lang = LanguageOption();
  parser.addOption(lang);
  if (!parser.parse(args) || parser.positionalArguments().size() != 1) {
    std::fputs("usage: palvexchart show CHART.json [--bag BAG.json] [--lang en]\n", stderr);
    return 2;
  }
  if (!UseLanguage("show", parser, lang)) return 2;
  const QString path = parser.positionalArguments()[0];
  ChartFile file;
  try {
    file = LoadChartFile(path);
  } catch (const ChartFileError& e) {
    std::fprintf(stderr, "palvexchart: %s\n", e.what());
    return 2;
  }

  std::optional<JsonPropertyBag> saved;
  if (parser.isSet(bag)) {
    try {
      saved = JsonPropertyBag::Load(parser.value(bag));
    } catch (const ChartError& e) {
      std::fprintf(stderr, "palvexchart: %s\n", e.what());
      return 2;
    }
  }
  // A saved control is loaded from its bag instead of getting the
  // defaults; either way the chart file's properties go on top.
  auto window = saved ? std::make_unique<PalvexChartWidget>(saved->ToJson())
                      : std::make_unique<PalvexChartWidget>();
  if (window->lastError() != 0) {
    std::fprintf(stderr, "palvexchart: ReadProperties: run-time error %d: %s\n",
                 window->lastError(), qPrintable(window->lastErrorString()));
    return 1;
  }
  window->setWindowTitle(QStringLiteral("PalvexChart - %1").arg(QFileInfo(path).fileName()));
  window->resize(file.width, file.height);
  try {
    // As a host sets a chart up before showing it; the growth animation
    // then plays when the window appears.
    LoadChart(file, PalvexChartWidgetPrivate::get(*window).chart());
  } catch (const ChartError& e) {
    std::fprintf(stderr, "palvexchart: %s\n", qPrintable(RunTimeErrorText(e)));
    return 1;
  } catch (const ChartFileError& e) {
    std::fprintf(stderr, "palvexchart: %s: %s\n", qPrintable(path), e.what());
    return 2;
  }
  window->show();
  return QApplication::exec();
}

}  // namespace palvex
