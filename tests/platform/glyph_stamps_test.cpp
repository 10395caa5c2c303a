// Glyphs blended from stamps must be the pixels the painter draws: at every
// right-angle turn, at fractions of a pixel, over any background, cut to a
// clip, and still after the stamps outgrow their memory and are made again.
#include <gtest/gtest.h>

#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QRawFont>
#include <vector>

#include "platform/qt/glyph_stamps.h"

namespace palvex {
namespace {

QImage Noise(QRandomGenerator& random) {
  QImage image(90, 90, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, 0xff000000u | random.generate());
  return image;
}

struct Glyphs {
  QRawFont font;
  std::vector<quint32> indexes;
  std::vector<QPointF> positions;
};

// "Wg8" in a face of the given size, its pen position on the 1/64 grid
// (what shaping gives) at a random place that the turn and move bring onto
// the picture.
Glyphs Shaped(int pixels, const QTransform& place, QRandomGenerator& random) {
  QFont face(QStringLiteral("DejaVu Sans"));
  face.setPixelSize(pixels);
  Glyphs g;
  g.font = QRawFont::fromFont(face);
  const QList<quint32> indexes = g.font.glyphIndexesForString(QStringLiteral("Wg8"));
  const QList<QPointF> advances = g.font.advancesForGlyphIndexes(indexes);
  QPointF pen = place.inverted().map(
      QPointF(30 + random.bounded(64 * 16) / 64.0, 30 + random.bounded(64 * 16) / 64.0));
  for (qsizetype i = 0; i < indexes.size(); ++i) {
    g.indexes.push_back(indexes[i]);
    g.positions.push_back(pen);
    pen += QPointF(std::round(advances[i].x() * 64) / 64, 0);
  }
  return g;
}

QImage Painted(QImage image, const Glyphs& g, const QTransform& place, QPointF origin, QRgb pen,
               const QRect& clip) {
  QGlyphRun run;
  run.setRawFont(g.font);
  run.setRawData(g.indexes.data(), g.positions.data(), static_cast<int>(g.indexes.size()));
  QPainter painter(&image);
  painter.setClipRect(clip);
  painter.setPen(QColor(pen));
  painter.setTransform(place);
  painter.drawGlyphRun(origin, run);
  return image;
}

TEST(GlyphStamps, BlendWhatThePainterDrawsAtEveryTurnMoveFractionAndClip) {
  QRandomGenerator random(7);
  GlyphStamps stamps;
  const QRect clips[] = {QRect(0, 0, 90, 90), QRect(20, 35, 41, 22)};
  // 56-pixel glyphs at many fractions outgrow the stamps' memory.
  for (int round = 0; round < 1500; ++round) {
    const int pixels = round < 200 ? 11 + round % 3 : 56;
    // Text drawn through a turn alone (held captions), or moved as well
    // and from an origin (a line the painter would draw).
    const bool moved = round % 8 >= 4;
    const auto sixtyFourths = [&](int most) { return random.bounded(64 * most) / 64.0; };
    QTransform place;
    if (moved) place.translate(sixtyFourths(8), sixtyFourths(8));
    place.rotate(90.0 * (round % 4));
    const QPointF origin = moved ? QPointF(sixtyFourths(2), sixtyFourths(2)) : QPointF();
    const Glyphs g = Shaped(pixels, place, random);
    const QImage background = Noise(random);
    const QRgb pen = 0xff000000u | random.generate();
    const QRect& clip = clips[round % 2];
    QImage stamped = background;
    ASSERT_TRUE(stamps.Draw(stamped, clip, g.font, place, origin, g.indexes.data(),
                            g.positions.data(), g.indexes.size(), pen))
        << "round " << round;
    ASSERT_EQ(stamped, Painted(background, g, place, origin, pen, clip)) << "round " << round;
  }
}

TEST(GlyphStamps, LeaveThePainterWhatTheyCannotDrawAsItWould) {
  QRandomGenerator random(11);
  GlyphStamps stamps;
  const QTransform turn;
  Glyphs g = Shaped(12, turn, random);
  const QImage background = Noise(random);
  QImage image = background;
  // Off the 1/64 grid, a translucent pen, a picture with alpha.
  g.positions[1] += QPointF(0.001, 0);
  EXPECT_FALSE(stamps.Draw(image, image.rect(), g.font, turn, QPointF(), g.indexes.data(),
                           g.positions.data(), g.indexes.size(), 0xff102030));
  g = Shaped(12, turn, random);
  EXPECT_FALSE(stamps.Draw(image, image.rect(), g.font, turn, QPointF(), g.indexes.data(),
                           g.positions.data(), g.indexes.size(), 0x80102030));
  EXPECT_EQ(image, background);
  QImage argb = background.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  EXPECT_FALSE(stamps.Draw(argb, argb.rect(), g.font, turn, QPointF(), g.indexes.data(),
                           g.positions.data(), g.indexes.size(), 0xff102030));
}

}  // namespace
}  // namespace palvex
