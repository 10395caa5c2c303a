#include "platform/qt/glyph_stamps.h"

#include <QGlyphRun>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__)
#include <immintrin.h>
#define PALVEX_AVX2_BLEND 1
#else
#define PALVEX_AVX2_BLEND 0
#endif

namespace palvex {

namespace {

// Faces this many pixels high and up may be drawn by the painter as paths
// rather than from its glyph cache.
constexpr double kLargestCachedFace = 64;

// x times a/255 per channel, rounded as the painter rounds it.
inline QRgb ByteMul(QRgb x, unsigned a) {
  unsigned t = (x & 0xff00ff) * a;
  t = ((t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
  x = ((x >> 8) & 0xff00ff) * a;
  x = (x + ((x >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
  return x | t;
}

// Blends n pixels of one row from their coverage: each becomes
// pen * c + pixel * (255 - c), both halves rounded as the painter rounds
// them (0 leaves the pixel, 255 puts the pen). Four pixels at a time as
// long as they stay within room, the pixels that may be written and the
// coverage that may be read (past the glyph it is 0, which leaves a pixel
// as it was); only the few pixels past that take one at a time.
[[gnu::always_inline]] inline void BlendRow(QRgb* to, const std::uint8_t* cover, int n, int room,
                                            QRgb pen) {
  int x = 0;
#if defined(__SSE2__)
  // Four pixels at a time, a channel per 16-bit lane: the same sums,
  // none of which leaves its lane.
  const __m128i zero = _mm_setzero_si128();
  const __m128i full = _mm_set1_epi16(255), half = _mm_set1_epi16(0x80);
  const __m128i ink = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(pen)), zero);
  const auto mul = [&](__m128i v, __m128i a) {
    const __m128i t = _mm_mullo_epi16(v, a);
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), half), 8);
  };
  for (; x < n && x + 4 <= room; x += 4) {
    std::uint32_t four;
    std::memcpy(&four, cover + x, sizeof four);
    if (four == 0) continue;
    __m128i c = _mm_cvtsi32_si128(static_cast<int>(four));
    c = _mm_unpacklo_epi8(c, c);
    c = _mm_unpacklo_epi16(c, c);
    const __m128i cLow = _mm_unpacklo_epi8(c, zero), cHigh = _mm_unpackhi_epi8(c, zero);
    const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + x));
    const __m128i low = _mm_add_epi16(
        mul(ink, cLow), mul(_mm_unpacklo_epi8(pixels, zero), _mm_sub_epi16(full, cLow)));
    const __m128i high = _mm_add_epi16(
        mul(ink, cHigh), mul(_mm_unpackhi_epi8(pixels, zero), _mm_sub_epi16(full, cHigh)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x), _mm_packus_epi16(low, high));
  }
#endif
  for (; x < n; ++x) {
    const unsigned c = cover[x];
    if (c == 255) {
      to[x] = pen;
    } else if (c != 0) {
      to[x] = ByteMul(pen, c) + ByteMul(to[x], 255 - c);
    }
  }
}

#if PALVEX_AVX2_BLEND
// v times a per 16-bit lane, divided by 255 as the painter divides.
[[gnu::target("avx2"), gnu::always_inline]] inline __m256i MulWide(__m256i v, __m256i a) {
  const __m256i t = _mm256_mullo_epi16(v, a);
  return _mm256_srli_epi16(
      _mm256_add_epi16(_mm256_add_epi16(t, _mm256_srli_epi16(t, 8)), _mm256_set1_epi16(0x80)), 8);
}

// The same blend eight pixels at a time, on processors with 256-bit integer
// lanes: a turned caption's glyph rows are about eight pixels wide.
[[gnu::target("avx2"), gnu::always_inline]] inline void BlendRowWide(QRgb* to,
                                                                     const std::uint8_t* cover,
                                                                     int n, int room, QRgb pen) {
  int x = 0;
  const __m256i zero = _mm256_setzero_si256();
  const __m256i full = _mm256_set1_epi16(255);
  const __m256i ink = _mm256_unpacklo_epi8(_mm256_set1_epi32(static_cast<int>(pen)), zero);
  for (; x < n && x + 8 <= room; x += 8) {
    const __m128i eight = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(cover + x));
    if (_mm_cvtsi128_si64(eight) == 0) continue;
    // Pixels 0-3 in the low 128 bits, 4-7 in the high, each coverage in its
    // pixel's four channels, as the 128-bit halves unpack the pixels.
    const __m128i pairs = _mm_unpacklo_epi8(eight, eight);
    const __m256i c =
        _mm256_set_m128i(_mm_unpackhi_epi16(pairs, pairs), _mm_unpacklo_epi16(pairs, pairs));
    const __m256i cLow = _mm256_unpacklo_epi8(c, zero), cHigh = _mm256_unpackhi_epi8(c, zero);
    const __m256i pixels = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(to + x));
    const __m256i low =
        _mm256_add_epi16(MulWide(ink, cLow),
                         MulWide(_mm256_unpacklo_epi8(pixels, zero), _mm256_sub_epi16(full, cLow)));
    const __m256i high = _mm256_add_epi16(
        MulWide(ink, cHigh),
        MulWide(_mm256_unpackhi_epi8(pixels, zero), _mm256_sub_epi16(full, cHigh)));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + x), _mm256_packus_epi16(low, high));
  }
  BlendRow(to + x, cover + x, n - x, room - x, pen);
}
#endif

// A position in the painter's 1/64 pixels, when it lies on that grid.
bool ToSixtyFourths(double v, std::int64_t& out) {
  const double scaled = v * 64;
  if (!(std::abs(scaled) < double(1 << 30))) return false;
  out = static_cast<std::int64_t>(scaled);
  return static_cast<double>(out) == scaled;
}

}  // namespace

std::size_t GlyphStamps::Bytes() const {
  std::size_t bytes = 0;
  for (const FontStamps& set : fonts_) bytes += set.bytes;
  return bytes;
}

GlyphStamps::FontStamps& GlyphStamps::StampsFor(const QRawFont& font, const QTransform& turn) {
  for (FontStamps& set : fonts_)
    if (set.font == font && set.turn == turn) return set;
  if (fonts_.size() >= kMaxFonts) fonts_.erase(fonts_.begin());
  fonts_.push_back({font, turn, {}});
  return fonts_.back();
}

bool GlyphStamps::Plain(const QPainter& painter, QRect& clip) {
  if (painter.opacity() != 1 || painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
      painter.renderHints().testFlag(QPainter::VerticalSubpixelPositioning) ||
      !painter.transform().isIdentity())
    return false;
  if (!painter.hasClipping()) return true;
  const QRegion region = painter.clipRegion();
  clip &= region.boundingRect();
  return region.rectCount() == 1;
}

bool GlyphStamps::Draw(QImage& image, const QRect& clip, const QRawFont& font,
                       const QTransform& place, QPointF origin, const quint32* glyphs,
                       const QPointF* positions, std::size_t n, QRgb pen) {
  const QTransform turn(place.m11(), place.m12(), place.m21(), place.m22(), 0, 0);
  if (image.format() != QImage::Format_RGB32 || image.devicePixelRatio() != 1 ||
      qAlpha(pen) != 255 || !font.isValid() || font.pixelSize() >= kLargestCachedFace)
    return false;
  FontStamps& set = StampsFor(font, turn);
  if (Bytes() > kMaxBytes) {
    for (FontStamps& each : fonts_) {
      each.stamps.clear();
      each.bytes = 0;
    }
  }
  // Every glyph is found or made before any is blended, so that a glyph
  // the painter must draw leaves the picture untouched.
  placed_.clear();
  for (std::size_t i = 0; i < n; ++i) {
    // Where the painter places the glyph: origin plus its position (added
    // first, as the painter adds them), turned (exactly, the factors being
    // 0 and +-1) and moved, on the 1/64 grid; a whole pixel plus a fraction.
    const QPointF point = origin + positions[i];
    std::int64_t x = 0, y = 0;
    if (!ToSixtyFourths(place.m11() * point.x() + place.m21() * point.y() + place.dx(), x) ||
        !ToSixtyFourths(place.m12() * point.x() + place.m22() * point.y() + place.dy(), y))
      return false;
    const int fx = static_cast<int>(x & 63), fy = static_cast<int>(y & 63);
    const std::uint64_t key = (std::uint64_t{glyphs[i]} << 12) | unsigned(fx << 6) | unsigned(fy);
    auto [at, added] = set.stamps.try_emplace(key);
    Stamp& stamp = at->second;
    if (added) {
      // One call of many large glyphs leaves the rest to the painter.
      if (Bytes() > 2 * kMaxBytes) {
        set.stamps.erase(at);
        return false;
      }
      if (!Make(set, glyphs[i], fx, fy, stamp)) stamp.width = -1;
      set.bytes += stamp.coverage.size() + sizeof(Stamp) + sizeof(key);
    }
    if (stamp.width < 0) return false;
    placed_.push_back(
        {&stamp, static_cast<int>(x >> 6) + stamp.dx, static_cast<int>(y >> 6) + stamp.dy});
  }
#if PALVEX_AVX2_BLEND
  static const bool wide = __builtin_cpu_supports("avx2");
  if (wide) {
    BlendPlacedWide(image, clip, pen);
    return true;
  }
#endif
  BlendPlaced(image, clip, pen);
  return true;
}

// Inlined into each caller, so that the blend is inlined in the caller's
// instruction set.
template <typename Blend>
[[gnu::always_inline]] inline void GlyphStamps::ForEachPlacedRow(QImage& image, const QRect& clip,
                                                                 Blend&& blend) const {
  const QRect cut = clip & image.rect();
  const int cutRight = cut.left() + cut.width(), cutBottom = cut.top() + cut.height();
  uchar* const bits = image.bits();
  const qsizetype bytesPerLine = image.bytesPerLine();
  for (const Placed& p : placed_) {
    const Stamp& s = *p.stamp;
    const int x0 = std::max(p.x, cut.left()), x1 = std::min(p.x + s.width, cutRight);
    const int y0 = std::max(p.y, cut.top()), y1 = std::min(p.y + s.height, cutBottom);
    const int room = std::min(cutRight - x0, s.stride - (x0 - p.x));
    for (int y = y0; y < y1; ++y)
      blend(reinterpret_cast<QRgb*>(bits + y * bytesPerLine) + x0,
            s.coverage.data() + std::ptrdiff_t(y - p.y) * s.stride + (x0 - p.x), x1 - x0, room);
  }
}

void GlyphStamps::BlendPlaced(QImage& image, const QRect& clip, QRgb pen) const {
  ForEachPlacedRow(image, clip, [pen](QRgb* to, const std::uint8_t* cover, int n, int room) {
    BlendRow(to, cover, n, room, pen);
  });
}

#if PALVEX_AVX2_BLEND
[[gnu::target("avx2")]] void GlyphStamps::BlendPlacedWide(QImage& image, const QRect& clip,
                                                          QRgb pen) const {
  const auto blend = [pen](QRgb * to, const std::uint8_t* cover, int n, int room)
      __attribute__((target("avx2"))) {
    BlendRowWide(to, cover, n, room, pen);
  };
  ForEachPlacedRow(image, clip, blend);
}
#endif

bool GlyphStamps::Make(const FontStamps& set, quint32 glyph, int fx, int fy, Stamp& stamp) {
  // The glyph's box turned, with room round it: a glyph the box does not
  // hold shows as ink on the scratch's edge and is refused.
  constexpr int kMargin = 4;
  constexpr int kLargest = 512;
  const QRectF box = set.turn.mapRect(set.font.boundingRect(glyph));
  const int left = static_cast<int>(std::floor(box.left())) - kMargin;
  const int top = static_cast<int>(std::floor(box.top())) - kMargin;
  const int width = static_cast<int>(std::ceil(box.right())) + kMargin - left;
  const int height = static_cast<int>(std::ceil(box.bottom())) + kMargin - top;
  if (width > kLargest || height > kLargest) return false;
  if (scratch_.width() < width || scratch_.height() < height)
    scratch_ = QImage(std::max(width, scratch_.width()), std::max(height, scratch_.height()),
                      QImage::Format_RGB32);
  scratch_.fill(Qt::black);
  // Drawn at the whole pixel (-left, -top) plus the same fraction.
  const QPointF at = set.turn.inverted().map(QPointF(-left + fx / 64.0, -top + fy / 64.0));
  QGlyphRun run;
  run.setRawFont(set.font);
  run.setRawData(&glyph, &at, 1);
  {
    QPainter painter(&scratch_);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(QColor(Qt::white));
    painter.setTransform(set.turn);
    painter.drawGlyphRun(QPointF(0, 0), run);
  }
  // White on black leaves the coverage itself in every channel.
  const int w = scratch_.width(), h = scratch_.height();
  int x0 = w, x1 = -1, y0 = h, y1 = -1;
  for (int y = 0; y < h; ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(scratch_.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      const int c = qRed(row[x]);
      if (qGreen(row[x]) != c || qBlue(row[x]) != c) return false;
      if (c == 0) continue;
      x0 = std::min(x0, x);
      x1 = std::max(x1, x);
      y0 = std::min(y0, y);
      y1 = std::max(y1, y);
    }
  }
  stamp = Stamp();
  if (x1 < 0) return true;  // a space
  if (x0 == 0 || y0 == 0 || x1 == w - 1 || y1 == h - 1) return false;
  stamp.dx = x0 + left;
  stamp.dy = y0 + top;
  stamp.width = x1 - x0 + 1;
  stamp.height = y1 - y0 + 1;
  stamp.stride = (stamp.width + 3) / 4 * 4;
  stamp.coverage.assign(std::size_t(stamp.stride) * std::size_t(stamp.height), 0);
  for (int y = y0; y <= y1; ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(scratch_.constScanLine(y)) + x0;
    for (int x = 0; x < stamp.width; ++x)
      stamp.coverage[std::size_t(y - y0) * std::size_t(stamp.stride) + std::size_t(x)] =
          static_cast<std::uint8_t>(qRed(row[x]));
  }
  return true;
}

}  // namespace palvex
