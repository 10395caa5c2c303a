// Not a peer but the floor under any Qt program that draws the example chart
// to PNG: it starts Qt Gui, reads the chart file, fills the background, draws
// the title in the CJK face and saves the picture, and draws nothing else.
// Whatever a whole render costs above this is the chart's own work; what
// this costs is Qt's start-up, first text and PNG writing, which no Qt
// program can skip.
//   qt_floor CHART.json OUT.png    (QT_QPA_PLATFORM=offscreen)
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "chart.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: qt_floor CHART.json OUT.png\n");
    return 2;
  }
  const peer::Chart c = peer::Load(QString::fromLocal8Bit(argv[1]));
  QImage picture(c.width, c.height, QImage::Format_RGB32);
  {
    QPainter p(&picture);
    p.fillRect(picture.rect(), peer::Vertical(peer::BackTop(), peer::BackBottom()));
    p.setFont(peer::Font(peer::kTitlePx, true));
    p.drawText(QRect(0, 0, c.width, 24), Qt::AlignCenter, c.title);
  }
  return picture.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
