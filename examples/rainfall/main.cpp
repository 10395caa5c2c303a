// A year of monthly rain: the chart in the product's colour and font, with
// its unit, following the application's palette, light or dark (--dark).
#include <palvex/palvexchartwidget.h>
#include <palvex/palvexversion.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QMainWindow>
#include <QStatusBar>
#include <QStyleFactory>

#include "rainfall.h"

PalvexChartWidget* MakeRainfallChart(QWidget* parent) {
  auto* chart = new PalvexChartWidget(parent);
  chart->setChartTitle("Rainfall 2026");
  chart->setChartSubTitle("Monthly totals");
  chart->setAxisLabelX("Month");
  chart->setAxisLabelY("Rain");
  chart->setTheme(PalvexChartWidget::Palette);
  chart->setBarColors({QColor("#1f77b4")});
  chart->setTitleFont(QFont("DejaVu Sans", 12, QFont::Bold));
  chart->setLabelFont(QFont("DejaVu Sans", 8));
  chart->setValueSuffix(" mm");
  chart->setValueDecimals(1);
  chart->setSelectable(true);
  const double rain[] = {78.2, 64.5, 59.1, 47.3, 55.0, 68.4, 81.9, 90.6, 62.7, 70.1, 83.5, 88.0};
  QList<PalvexChartItem> months;
  for (int m = 0; m < 12; ++m) {
    const QString name = QLocale(QLocale::English).monthName(m + 1, QLocale::ShortFormat);
    months.append({QString::number(m + 1), name + " rain", name, rain[m]});
  }
  chart->setItems(months);
  return chart;
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QCommandLineParser parser;
  parser.addHelpOption();
  const QCommandLineOption dark("dark", "a dark application palette");
  const QCommandLineOption smoke("smoke", "check the chart and exit");
  const QCommandLineOption pictures("pictures", "with --smoke: write pictures to DIR", "DIR");
  parser.addOptions({dark, smoke, pictures});
  parser.process(app);
  if (parser.isSet(dark)) {
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(45, 45, 48));
    palette.setColor(QPalette::Base, QColor(30, 30, 32));
    palette.setColor(QPalette::WindowText, QColor(230, 230, 230));
    palette.setColor(QPalette::Text, QColor(230, 230, 230));
    palette.setColor(QPalette::Highlight, QColor(42, 130, 218));
    QApplication::setPalette(palette);
  }

  QMainWindow window;
  window.setWindowTitle("Rainfall (PalvexChart " PALVEX_VERSION_STR ")");
  PalvexChartWidget* chart = MakeRainfallChart(&window);
  window.setCentralWidget(chart);
  QObject::connect(chart, &PalvexChartWidget::itemClicked, [&](int, const PalvexChartItem& item) {
    window.statusBar()->showMessage(QString("%1: %2 mm").arg(item.caption()).arg(item.value()));
  });
  window.show();
  if (parser.isSet(smoke)) return CheckRainfallChart(*chart, parser.value(pictures));
  return QApplication::exec();
}
