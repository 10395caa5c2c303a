#pragma once

#include <QImage>
#include <QPointF>
#include <QRawFont>
#include <QRect>
#include <QTransform>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

class QPainter;

namespace palvex {

// Glyphs blended straight into a 32-bit RGB picture, pixel for pixel as the
// painter blends them. The painter spends most of a thousand captions
// finding each glyph again and blending it one pixel at a time; here a
// glyph at one fraction of a pixel is a stamp of its coverage, made once
// by having the painter draw it alone, white on black, and found again by
// one lookup. Moved by whole pixels the painter draws a glyph the same, so
// one stamp serves every caption. A chart's fonts keep one for all its
// pictures (FontCache::stamps).
class GlyphStamps {
 public:
  // Blends n glyphs of font into image in pen, cut to clip, each where the
  // painter puts a glyph drawn at origin + its position through place (a
  // turn of factors 0 and +-1, and a move). False, with nothing drawn, when
  // a glyph cannot be stamped as the painter would draw it (positions off
  // the painter's 1/64 grid, a glyph in colour or of sub-pixel coverage, a
  // face too large for its glyph cache): the caller lets the painter draw
  // them all.
  bool Draw(QImage& image, const QRect& clip, const QRawFont& font, const QTransform& place,
            QPointF origin, const quint32* glyphs, const QPointF* positions, std::size_t n,
            QRgb pen);
  // Whether the painter, open on a picture, would blend glyphs plainly
  // (fully opaque, over what is there, without a transform or vertical
  // sub-pixel positions), and the one rectangle it clips clip to.
  static bool Plain(const QPainter& painter, QRect& clip);

 private:
  // A glyph's coverage where it is not zero, placed relative to the whole
  // pixel its position falls in; rows padded with 0 to whole fours.
  struct Stamp {
    int dx = 0, dy = 0, width = 0, height = 0, stride = 0;
    std::vector<std::uint8_t> coverage;
  };
  // The stamps of one font through one turn, by glyph and the position's
  // fraction of a pixel in 1/64.
  struct FontStamps {
    QRawFont font;
    QTransform turn;
    std::unordered_map<std::uint64_t, Stamp> stamps;
    std::size_t bytes = 0;
  };

  FontStamps& StampsFor(const QRawFont& font, const QTransform& turn);
  // Has the painter draw the glyph alone; false when what it drew is not a
  // plain coverage the stamp can blend.
  bool Make(const FontStamps& set, quint32 glyph, int fx, int fy, Stamp& stamp);

  // A chart uses a few faces and turns; past these the oldest go. However
  // many glyphs its texts bring (a CJK chart's thousands), the stamps stay
  // within a few megabytes: past kMaxBytes they are all made again.
  static constexpr std::size_t kMaxFonts = 8;
  static constexpr std::size_t kMaxBytes = std::size_t{4} << 20;
  std::size_t Bytes() const;
  std::vector<FontStamps> fonts_;
  // Per glyph being drawn, its stamp and the whole pixel it is placed at.
  struct Placed {
    const Stamp* stamp;
    int x, y;
  };
  std::vector<Placed> placed_;
  // Blends the glyphs placed, in pen, cut to clip (the second on
  // processors with 256-bit integer lanes).
  void BlendPlaced(QImage& image, const QRect& clip, QRgb pen) const;
  void BlendPlacedWide(QImage& image, const QRect& clip, QRgb pen) const;
  // Calls blend(to, cover, n, room) for every row of the glyphs placed
  // that lies in clip.
  template <typename Blend>
  void ForEachPlacedRow(QImage& image, const QRect& clip, Blend&& blend) const;
  QImage scratch_;
};

}  // namespace palvex
