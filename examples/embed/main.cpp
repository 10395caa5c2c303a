// Quarterly sales in a table and a chart that follows it. With --smoke
// (as CI runs it) the window shows once, selects the first bar, checks
// that the status bar reports it, optionally writes a screenshot, and
// exits: 0 when all of that worked.
#include <palvex/palvexchartmodelmapper.h>
#include <palvex/palvexchartwidget.h>
#include <QApplication>
#include <QCommandLineParser>
#include <QMainWindow>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>

#include "ui_sales_window.h"

namespace {

QStandardItemModel* SalesModel(QObject* parent) {
  auto* model = new QStandardItemModel(0, 3, parent);
  model->setHorizontalHeaderLabels({"Region", "Quarter", "Sales"});
  const struct {
    const char* region;
    const char* quarter;
    double sales;
  } rows[] = {{"North", "Q1", 120}, {"South", "Q2", 165}, {"East", "Q3", 90},
              {"West", "Q4", 140},  {"North", "Q5", 175}, {"South", "Q6", 110}};
  for (const auto& r : rows) {
    auto* sales = new QStandardItem;
    sales->setData(r.sales, Qt::DisplayRole);
    model->appendRow({new QStandardItem(r.region), new QStandardItem(r.quarter), sales});
  }
  return model;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QCommandLineParser parser;
  parser.addHelpOption();
  const QCommandLineOption smoke("smoke", "show once, check the chart, exit");
  const QCommandLineOption screenshot("screenshot", "with --smoke: save the window to FILE",
                                      "FILE");
  parser.addOptions({smoke, screenshot});
  parser.process(app);

  QMainWindow window;
  Ui::SalesWindow ui;
  ui.setupUi(&window);
  QStandardItemModel* model = SalesModel(&window);
  ui.table->setModel(model);

  // Each row is a bar: the region is what the legend says, the quarter the
  // caption under the bar, the sales its height.
  PalvexChartModelMapper mapper;
  mapper.setDescriptionColumn(0);
  mapper.setCaptionColumn(1);
  mapper.setValueColumn(2);
  mapper.setModel(model);
  mapper.setChart(ui.chart);

  QObject::connect(ui.chart, &PalvexChartWidget::itemClicked,
                   [&](int column, const PalvexChartItem& item) {
                     window.statusBar()->showMessage(QStringLiteral("%1 %2: %3 (column %4)")
                                                         .arg(item.description(), item.caption())
                                                         .arg(item.value())
                                                         .arg(column));
                   });
  window.show();
  if (!parser.isSet(smoke)) return QApplication::exec();

  int result = 1;
  // After the bars have grown.
  QTimer::singleShot(1500, [&] {
    ui.chart->setSelectedColumn(0);
    const QString said = window.statusBar()->currentMessage();
    if (ui.chart->count() != model->rowCount()) {
      std::fprintf(stderr, "embed: the chart has %d bars for %d rows\n", ui.chart->count(),
                   model->rowCount());
    } else if (!said.startsWith("North Q1: 120")) {
      std::fprintf(stderr, "embed: the status bar says \"%s\"\n", qPrintable(said));
    } else {
      result = 0;
    }
    if (parser.isSet(screenshot)) window.grab().save(parser.value(screenshot));
    QApplication::quit();
  });
  QApplication::exec();
  return result;
}
