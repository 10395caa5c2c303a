// Draws the about window's picture at build time; the widget library keeps
// the result as a resource.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <cstdio>

#include "platform/qt/fonts.h"
#include "ui/about.h"

namespace {

constexpr int kW = palvex::kAboutWidthPx;
constexpr int kH = palvex::kAboutHeightPx;

void DrawBackground(QPainter& p) {
  QLinearGradient sky(0, 0, 0, kH);
  sky.setColorAt(0, QColor(18, 42, 86));
  sky.setColorAt(1, QColor(6, 14, 32));
  p.fillRect(0, 0, kW, kH, sky);
  // Faint grid lines, as behind a chart.
  p.setPen(QColor(255, 255, 255, 28));
  for (int y = 90; y < kH - 30; y += 24) p.drawLine(230, y, kW - 30, y);
}

// A small column chart on the right, in the colours of the bars.
void DrawBars(QPainter& p) {
  const int heights[] = {60, 95, 80, 130, 110, 150};
  const QColor light[] = {{255, 200, 120}, {140, 220, 255}, {170, 255, 170},
                          {255, 160, 200}, {200, 180, 255}, {252, 233, 179}};
  const QColor dark[] = {{220, 110, 20}, {30, 130, 210}, {40, 170, 60},
                         {200, 40, 100}, {110, 70, 200}, {244, 192, 51}};
  const int base = kH - 40;
  for (int i = 0; i < 6; ++i) {
    const QRect bar(250 + i * 34, base - heights[i], 24, heights[i]);
    QLinearGradient g(bar.topLeft(), bar.topRight());
    g.setColorAt(0, light[i]);
    g.setColorAt(1, dark[i]);
    p.fillRect(bar, g);
  }
  p.setPen(QColor(255, 255, 255, 160));
  p.drawLine(240, base, kW - 30, base);
}

void DrawTexts(QPainter& p) {
  QFont title(palvex::ResolveFontFamily(u"Arial"));
  title.setPixelSize(34);
  title.setBold(true);
  p.setFont(title);
  p.setPen(Qt::white);
  p.drawText(QRect(24, 40, 220, 44), Qt::AlignLeft | Qt::AlignVCenter, "PalvexChart");
  // The words under the name are the window's: they follow the translation.
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fputs("usage: draw_about_picture OUT.png\n", stderr);
    return 2;
  }
  QImage picture(kW, kH, QImage::Format_RGB32);
  {
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    DrawBackground(p);
    DrawBars(p);
    DrawTexts(p);
  }
  if (!picture.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "draw_about_picture: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
