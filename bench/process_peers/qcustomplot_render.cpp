// One whole QCustomPlot process: the example chart as one QCPBars of the item
// values on a text ticker of the captions, drawn once into a QImage through
// QCPPainter and saved as PNG.
//   qcustomplot_render CHART.json OUT.png    (QT_QPA_PLATFORM=offscreen)
#include <qcustomplot.h>
#include <QApplication>
#include <QImage>

#include "chart.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);  // QCustomPlot is a QWidget
  if (argc != 3) {
    std::fprintf(stderr, "usage: qcustomplot_render CHART.json OUT.png\n");
    return 2;
  }
  const peer::Chart c = peer::Load(QString::fromLocal8Bit(argv[1]));

  QCustomPlot plot;
  plot.resize(c.width, c.height);
  plot.setAntialiasedElements(QCP::aeAll);
  QLinearGradient back(0, 0, 0, c.height);
  back.setColorAt(0, peer::BackTop());
  back.setColorAt(1, peer::BackBottom());
  plot.setBackground(QBrush(back));
  plot.plotLayout()->insertRow(0);
  plot.plotLayout()->addElement(
      0, 0, new QCPTextElement(&plot, c.title, peer::Font(peer::kTitlePx, true)));
  plot.plotLayout()->insertRow(1);
  plot.plotLayout()->addElement(
      1, 0, new QCPTextElement(&plot, c.subtitle, peer::Font(peer::kSubtitlePx)));
  plot.plotLayout()->setRowSpacing(0);

  QSharedPointer<QCPAxisTickerText> xt(new QCPAxisTickerText);
  QVector<double> keys;
  for (int i = 0; i < c.captions.size(); ++i) {
    xt->addTick(i, c.captions[i]);
    keys << i;
  }
  xt->setSubTickCount(0);
  plot.xAxis->setTicker(xt);
  plot.xAxis->setTickLabelRotation(90);
  plot.xAxis->setRange(-0.5, c.captions.size() - 0.5);
  plot.xAxis->grid()->setVisible(false);
  plot.xAxis->setTickLength(0, 4);
  plot.xAxis->setLabel(c.xTitle);
  plot.xAxis->setTickLabelFont(peer::Font(peer::kCaptionPx));
  plot.xAxis->setLabelFont(peer::Font(peer::kAxisTitlePx));

  QSharedPointer<QCPAxisTickerFixed> yt(new QCPAxisTickerFixed);
  yt->setTickStep(c.top / 10);
  yt->setScaleStrategy(QCPAxisTickerFixed::ssNone);
  plot.yAxis->setTicker(yt);
  plot.yAxis->setRange(0, c.top);
  plot.yAxis->setSubTicks(false);
  plot.yAxis->grid()->setPen(QPen(peer::Grid(), 1));
  plot.yAxis->grid()->setZeroLinePen(Qt::NoPen);
  plot.yAxis->setLabel(c.yTitle);
  plot.yAxis->setTickLabelFont(peer::Font(peer::kTickPx));
  plot.yAxis->setLabelFont(peer::Font(peer::kAxisTitlePx));

  auto* bars = new QCPBars(plot.xAxis, plot.yAxis);
  bars->setWidth(0.7);
  bars->setPen(Qt::NoPen);
  bars->setBrush(peer::Vertical(peer::BarTop(), peer::BarBottom()));
  bars->setData(keys, QVector<double>(c.values.begin(), c.values.end()), true);
  plot.legend->setVisible(false);

  QImage img(c.width, c.height, QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    QCPPainter p(&img);
    plot.toPainter(&p, c.width, c.height);
  }
  return img.save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
