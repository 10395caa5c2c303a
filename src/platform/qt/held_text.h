#pragma once

#include <QColor>
#include <QGlyphRun>
#include <QList>
#include <QPainter>
#include <QPointF>
#include <QRawFont>
#include <QRect>
#include <QTransform>
#include <cstddef>
#include <vector>

#include "platform/qt/rect_ops.h"

namespace palvex {

class GlyphStamps;

// Text turned by a multiple of a right angle, kept back and drawn with the
// text after it as one glyph run: a pass draws a thousand captions, and each
// call to the painter costs more than its glyphs. The glyphs are in one font
// and colour, their positions moved so that one turn (without translation)
// places each as drawn. Only the Canvas keeps one.
class HeldText {
 public:
  // Whether text drawn through this turn can be held at all: a turn whose
  // factors are 0 and +-1 and a whole-pixel start (moving each glyph by the
  // start turned back is then exact), and no lines over, under or through
  // it (those are drawn per run).
  static bool Holdable(const QList<QGlyphRun>& runs, const QTransform& turn);

  bool empty() const { return glyphs_.empty(); }
  bool Overlap(const QRect& pixels) const { return !empty() && Meet(pixels, bounds_); }
  // Whether text in this turn, colour and anti-aliasing may join what is
  // held without drawing that first.
  bool Joins(const QTransform& turn, const QColor& pen, bool antialiased) const;
  // Whether a run in this font may join what is held.
  bool JoinsFont(const QRawFont& font) const { return empty() || font == font_; }
  // Holds the runs' glyphs, drawn through turn at baseline, in what Joins
  // and JoinsFont accepted; ink is where they may leave pixels.
  void Add(const QGlyphRun& run, const QTransform& turn, QPointF baseline, const QColor& pen,
           bool antialiased);
  void Cover(const QRect& ink) { Unite(bounds_, ink); }
  // Draws what is held on image, from stamps cut to clip or (without
  // them, or where they cannot) through the painter open on it, and
  // forgets it.
  void DrawOn(QPainter& painter, QImage& image, GlyphStamps* stamps, const QRect& clip);

 private:
  // However long nothing else is drawn, what is held stays bounded (a
  // few hundred captions' glyphs; more in one call saves nothing).
  static constexpr std::size_t kMaxGlyphs = 1 << 12;
  std::vector<quint32> glyphs_;
  std::vector<QPointF> positions_;
  QRawFont font_;
  QColor pen_;
  QTransform turn_;
  bool antialiased_ = true;
  QRect bounds_;
};

}  // namespace palvex
