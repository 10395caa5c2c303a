#pragma once

#include <QImage>
#include <QRect>
#include <QXmlStreamReader>
#include <cstdlib>

namespace palvex::testing {

// The mean difference of two pictures of one size, per colour channel, in
// steps of 255.
inline double MeanDifference(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_RGB32);
  const QImage y = b.convertToFormat(QImage::Format_RGB32);
  if (x.size() != y.size() || x.isNull()) return 255;
  double sum = 0;
  for (int row = 0; row < x.height(); ++row) {
    for (int col = 0; col < x.width(); ++col) {
      const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
             std::abs(qBlue(p) - qBlue(q));
    }
  }
  return sum / (3.0 * x.width() * x.height());
}

// A picture of twice the pixels brought back to its size, each pixel the
// mean of the 2 x 2 it came from.
inline QImage HalfSize(const QImage& picture) {
  const QImage p = picture.convertToFormat(QImage::Format_RGB32);
  QImage half(p.width() / 2, p.height() / 2, QImage::Format_RGB32);
  for (int y = 0; y < half.height(); ++y) {
    for (int x = 0; x < half.width(); ++x) {
      int r = 0, g = 0, b = 0;
      for (const QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
        const QRgb c = p.pixel(2 * x + d.x(), 2 * y + d.y());
        r += qRed(c);
        g += qGreen(c);
        b += qBlue(c);
      }
      half.setPixel(x, y, qRgb((r + 2) / 4, (g + 2) / 4, (b + 2) / 4));
    }
  }
  return half;
}

// How many of the 2 x 2 pixel blocks (at even positions) inside area hold
// more than one colour. A picture enlarged from half its pixels has none:
// text drawn at the full resolution has many along its edges.
inline int MixedBlocks(const QImage& picture, const QRect& area) {
  const QImage p = picture.convertToFormat(QImage::Format_RGB32);
  int mixed = 0;
  for (int y = area.top() & ~1; y + 1 <= area.bottom(); y += 2) {
    for (int x = area.left() & ~1; x + 1 <= area.right(); x += 2) {
      const QRgb c = p.pixel(x, y);
      mixed += p.pixel(x + 1, y) != c || p.pixel(x, y + 1) != c || p.pixel(x + 1, y + 1) != c;
    }
  }
  return mixed;
}

// Whether a file is XML that every XML reader takes (an SVG must be).
inline bool IsWellFormedXml(const QByteArray& xml) {
  QXmlStreamReader reader(xml);
  while (!reader.atEnd()) reader.readNext();
  return !reader.hasError();
}

}  // namespace palvex::testing
