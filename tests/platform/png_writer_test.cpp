// Our PNG writer must write, byte for byte, what QImageWriter writes for
// the same picture: a saved chart is the same file whichever wrote it.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <functional>
#include <random>

#include "platform/qt/png_writer.h"

namespace palvex {
namespace {

QImage Picture(int width, int height, const std::function<void(QImage&)>& draw) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  draw(image);
  return image;
}

void Noise(QImage& image, int everyNth) {
  std::mt19937 random(7);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (random() % everyNth == 0) image.setPixel(x, y, random() | 0xff000000u);
}

// Bands, gradients, text and lines, as a chart has them.
void ChartLike(QImage& image) {
  QPainter p(&image);
  for (int y = 0; y < image.height(); y += 40)
    p.fillRect(0, y, image.width(), 20, QColor(235, 240, 250));
  for (int x = 20; x + 12 < image.width(); x += 30) {
    QLinearGradient g(x, 0, x + 12, 0);
    g.setColorAt(0, QColor(30, 90, 200));
    g.setColorAt(1, QColor(150, 200, 255));
    p.fillRect(x, image.height() / 3 + x % 50, 12, image.height(), g);
  }
  p.setRenderHint(QPainter::Antialiasing);
  p.drawLine(0, image.height() - 1, image.width(), 0);
  p.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Sales 2026 / 销售"));
}

QByteArray Written(const std::function<bool(QIODevice&)>& write) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(write(buffer));
  return buffer.data();
}

TEST(PngWriter, WritesWhatQtWritesAtEveryLevel) {
  struct Row {
    const char* name;
    QImage image;
  };
  QImage wide = Picture(1203, 37, ChartLike);
  wide.setDotsPerMeterX(7559);
  wide.setDotsPerMeterY(3780);
  const Row rows[] = {
      {"chart", Picture(560, 372, ChartLike)},
      // Incompressible: many chunks, and every filter wins some rows.
      {"noise", Picture(300, 200, [](QImage& i) { Noise(i, 1); })},
      // Rows not a whole number of 16 bytes, sparse dots on a gradient.
      {"odd width", Picture(333, 91,
                            [](QImage& i) {
                              QPainter p(&i);
                              QLinearGradient g(0, 0, i.width(), i.height());
                              g.setColorAt(0, Qt::darkRed);
                              g.setColorAt(1, Qt::cyan);
                              p.fillRect(i.rect(), g);
                              p.end();
                              Noise(i, 17);
                            })},
      {"two columns", Picture(2, 4000, [](QImage& i) { Noise(i, 3); })},
      {"resolution of a scaled picture", wide},
  };
  for (const Row& row : rows) {
    for (int quality : {-1, 0, 55, 100}) {
      SCOPED_TRACE(testing::Message() << row.name << ", quality " << quality);
      ASSERT_TRUE(WritesPng(row.image, quality));
      const QByteArray ours =
          Written([&](QIODevice& out) { return WritePng(row.image, quality, out).isEmpty(); });
      const QByteArray qt = Written([&](QIODevice& out) {
        QImageWriter writer(&out, "png");
        writer.setQuality(quality);
        return writer.write(row.image);
      });
      ASSERT_EQ(ours.size(), qt.size());
      EXPECT_TRUE(ours == qt);
    }
  }
}

TEST(PngWriter, LeavesOtherPicturesToQtAndReportsAFailedWrite) {
  const QImage chart = Picture(560, 372, ChartLike);
  EXPECT_FALSE(WritesPng(chart.convertToFormat(QImage::Format_ARGB32), -1));
  EXPECT_FALSE(WritesPng(Picture(60, 40, ChartLike), -1));  // zlib's window narrowed
  EXPECT_FALSE(WritesPng(chart, 101));
  QImage described = chart;
  described.setText(QStringLiteral("Title"), QStringLiteral("Sales"));
  EXPECT_FALSE(WritesPng(described, -1));

  QBuffer readOnly;
  readOnly.open(QIODevice::ReadOnly);
  EXPECT_FALSE(WritePng(chart, -1, readOnly).isEmpty());
}

}  // namespace
}  // namespace palvex
