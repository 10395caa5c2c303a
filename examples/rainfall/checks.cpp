// What CI checks of the rainfall window (--smoke), and the README's
// styling pictures (--pictures DIR).
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QPainter>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "rainfall.h"

namespace {

int Fail(const char* what) {
  std::fprintf(stderr, "rainfall: %s\n", what);
  return 1;
}

double Lightness(const QImage& image) {
  double sum = 0;
  int n = 0;
  for (int y = 0; y < image.height(); y += 5)
    for (int x = 0; x < image.width(); x += 5, ++n) sum += QColor(image.pixel(x, y)).lightnessF();
  return sum / n;
}

// The four themes of the chart side by side, at half size.
QImage Themes() {
  QImage sheet(560, 372, QImage::Format_RGB32);
  QPainter p(&sheet);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  const PalvexChartWidget::Theme themes[] = {PalvexChartWidget::PersianGulf, PalvexChartWidget::Sky,
                                             PalvexChartWidget::Neon, PalvexChartWidget::Normal};
  for (int i = 0; i < 4; ++i) {
    std::unique_ptr<PalvexChartWidget> chart(MakeRainfallChart());
    chart->setAnimated(false);
    chart->setBarColors({});
    chart->setTheme(themes[i]);
    p.drawImage(QRect((i % 2) * 280, (i / 2) * 186, 280, 186), chart->toImage());
  }
  return sheet;
}

// The product's look: three colours in turn and a serif face.
QImage Brand() {
  std::unique_ptr<PalvexChartWidget> chart(MakeRainfallChart());
  chart->setTheme(PalvexChartWidget::Normal);
  chart->setBackColor(Qt::white);
  chart->setForeColor(QColor(40, 40, 40));
  chart->setBarColors({QColor("#e4572e"), QColor("#29335c"), QColor("#f3a712")});
  chart->setTitleFont(QFont("DejaVu Serif", 13, QFont::Bold, true));
  chart->setLabelFont(QFont("DejaVu Serif", 8));
  return chart->toImage();
}

}  // namespace

int CheckRainfallChart(PalvexChartWidget& chart, const QString& picturesFolder) {
  // The bars grow from the event loop: a zero timer keeps firing meanwhile.
  int turns = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] { ++turns; });
  ticker.start(0);
  const QImage before = chart.grab().toImage();
  QDeadlineTimer deadline(10000);
  QImage shown = before;
  while (!deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    shown = chart.grab().toImage();
    if (shown != before && shown == chart.grab().toImage() && turns > 20) break;
  }
  ticker.stop();
  if (deadline.hasExpired()) return Fail("the bars never stood");
  if (turns < 20) return Fail("the event loop stood still while the bars grew");

  const bool dark = QApplication::palette().color(QPalette::Base).lightnessF() < 0.5;
  const double lightness = Lightness(chart.toImage());
  if (dark ? lightness > 0.35 : lightness < 0.6) return Fail("the chart ignores the palette");
  if (chart.barColors() != QList<QColor>{QColor("#1f77b4")}) return Fail("bar colours lost");
  if (chart.titleFont().family() != "DejaVu Sans") return Fail("title font lost");
  if (chart.valueSuffix() != " mm" || chart.valueDecimals() != 1) return Fail("unit lost");
  chart.setSelectedColumn(7);
  if (chart.selectedColumn() != 7 || chart.lastError() != 0) return Fail("selection refused");
  chart.setSelectedColumn(-1);

  if (!picturesFolder.isEmpty()) {
    const QDir folder(picturesFolder);
    chart.toImage().save(folder.filePath(dark ? "palette-dark.png" : "palette-light.png"));
    if (!dark) {
      Themes().save(folder.filePath("themes.png"));
      Brand().save(folder.filePath("brand.png"));
    }
  }
  return 0;
}
