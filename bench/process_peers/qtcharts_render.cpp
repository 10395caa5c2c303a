// One whole Qt Charts process: the example chart as a QBarSeries with one
// QBarSet of the item values on a QBarCategoryAxis of the captions, rendered
// once through its QGraphicsScene into a QImage and saved as PNG.
//   qtcharts_render CHART.json OUT.png       (QT_QPA_PLATFORM=offscreen)
#include <QApplication>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QValueAxis>

#include "chart.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);  // Qt Charts draws QGraphicsWidgets: it needs widgets
  if (argc != 3) {
    std::fprintf(stderr, "usage: qtcharts_render CHART.json OUT.png\n");
    return 2;
  }
  const peer::Chart c = peer::Load(QString::fromLocal8Bit(argv[1]));

  auto* chart = new QChart;
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->setBackgroundRoundness(0);
  chart->setDropShadowEnabled(false);
  chart->setMargins(QMargins(4, 4, 4, 4));
  chart->layout()->setContentsMargins(0, 0, 0, 0);
  chart->setBackgroundBrush(peer::Vertical(peer::BackTop(), peer::BackBottom()));
  chart->setBackgroundPen(Qt::NoPen);
  chart->setPlotAreaBackgroundVisible(false);
  // QChart has one title: the subtitle goes on a second, smaller rich-text line.
  chart->setTitleFont(peer::Font(peer::kTitlePx, true));
  chart->setTitle(QStringLiteral("<div align=\"center\">%1<br><span style=\"font-size:%2px; "
                                 "font-weight:normal;\">%3</span></div>")
                      .arg(c.title)
                      .arg(peer::kSubtitlePx)
                      .arg(c.subtitle));
  chart->legend()->setVisible(false);  // our example shows no legend either

  auto* set = new QBarSet(c.yTitle);
  set->append(c.values);
  set->setBrush(peer::Vertical(peer::BarTop(), peer::BarBottom()));
  set->setPen(Qt::NoPen);
  auto* series = new QBarSeries;
  series->append(set);
  series->setBarWidth(0.7);
  chart->addSeries(series);

  auto* ax = new QBarCategoryAxis;
  ax->append(c.captions);
  ax->setTitleText(c.xTitle);
  ax->setLabelsAngle(90);
  ax->setGridLineVisible(false);
  auto* ay = new QValueAxis;
  ay->setRange(0, c.top);
  ay->setTickCount(11);
  ay->setMinorTickCount(0);
  ay->setLabelFormat("%d");
  ay->setTitleText(c.yTitle);
  chart->addAxis(ax, Qt::AlignBottom);
  chart->addAxis(ay, Qt::AlignLeft);
  series->attachAxis(ax);
  series->attachAxis(ay);
  // Fonts and pens after addAxis: attaching applies the theme's.
  ax->setLabelsFont(peer::Font(peer::kCaptionPx));
  ax->setTitleFont(peer::Font(peer::kAxisTitlePx));
  ay->setLabelsFont(peer::Font(peer::kTickPx));
  ay->setTitleFont(peer::Font(peer::kAxisTitlePx));
  ay->setGridLinePen(QPen(peer::Grid(), 1));

  QGraphicsScene scene;
  scene.setSceneRect(0, 0, c.width, c.height);
  scene.addItem(chart);
  chart->setGeometry(0, 0, c.width, c.height);
  QApplication::processEvents();  // the chart lays itself out on a posted event

  QImage img(c.width, c.height, QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    scene.render(&p, QRectF(0, 0, c.width, c.height), QRectF(0, 0, c.width, c.height));
  }
  return img.save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
