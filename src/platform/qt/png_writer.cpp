#include "platform/qt/png_writer.h"

#include <zlib.h>

#include <QColorSpace>
#include <QtEndian>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace palvex {

namespace {

// libpng's IDAT chunks hold this many bytes of the zlib stream each.
constexpr int kChunkBytes = 8192;
// With at most this much filtered data libpng narrows zlib's window and
// rewrites the stream's header to match.
constexpr qint64 kNarrowWindowBytes = 16384;
// Zero bytes before each row: the left neighbours of its first pixel.
constexpr std::size_t kLeftPad = 16;
// Bytes per pixel (red, green, blue): the left neighbour is this far back.
constexpr std::size_t kPixelBytes = 3;

enum Filter { kNone, kSub, kUp, kAverage, kPaeth, kFilters };

// A filtered byte, as libpng works it out from the byte x, its left
// neighbour a, the byte above b and the one above and left c.
std::uint8_t Filtered(int filter, int x, int a, int b, int c) {
  switch (filter) {
    case kSub:
      return static_cast<std::uint8_t>(x - a);
    case kUp:
      return static_cast<std::uint8_t>(x - b);
    case kAverage:
      return static_cast<std::uint8_t>(x - ((a + b) >> 1));
    case kPaeth: {
      const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
      return static_cast<std::uint8_t>(x - (pa <= pb && pa <= pc ? a : pb <= pc ? b : c));
    }
    default:
      return static_cast<std::uint8_t>(x);
  }
}

// libpng's weight of a filtered byte: its size as a signed number. The
// filter whose row weighs least is chosen, the first of equals.
unsigned Weight(std::uint8_t v) {
  return v < 128 ? v : 256u - v;
}

#if defined(__SSE2__)
// The five filtered forms of the 16 bytes at x, whose row above is at up.
void FilterBlock(const std::uint8_t* x, const std::uint8_t* up, __m128i (&out)[kFilters]) {
  const auto load = [](const std::uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  };
  const __m128i vx = load(x), a = load(x - kPixelBytes), b = load(up), c = load(up - kPixelBytes);
  const __m128i zero = _mm_setzero_si128();
  // The average rounded down, as libpng's (a + b) >> 1.
  const __m128i average =
      _mm_sub_epi8(_mm_avg_epu8(a, b), _mm_and_si128(_mm_xor_si128(a, b), _mm_set1_epi8(1)));
  // Paeth's predictor in 16-bit lanes, eight bytes at a time.
  const auto paeth = [&](__m128i a16, __m128i b16, __m128i c16) {
    const auto abs16 = [&](__m128i v) { return _mm_max_epi16(v, _mm_sub_epi16(zero, v)); };
    const __m128i p = _mm_sub_epi16(b16, c16), q = _mm_sub_epi16(a16, c16);
    const __m128i pa = abs16(p), pb = abs16(q), pc = abs16(_mm_add_epi16(p, q));
    const __m128i notA = _mm_or_si128(_mm_cmpgt_epi16(pa, pb), _mm_cmpgt_epi16(pa, pc));
    const __m128i cNotB = _mm_cmpgt_epi16(pb, pc);
    const __m128i bOrC = _mm_or_si128(_mm_and_si128(cNotB, c16), _mm_andnot_si128(cNotB, b16));
    return _mm_or_si128(_mm_and_si128(notA, bOrC), _mm_andnot_si128(notA, a16));
  };
  const __m128i low =
      paeth(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero), _mm_unpacklo_epi8(c, zero));
  const __m128i high =
      paeth(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero), _mm_unpackhi_epi8(c, zero));
  out[kNone] = vx;
  out[kSub] = _mm_sub_epi8(vx, a);
  out[kUp] = _mm_sub_epi8(vx, b);
  out[kAverage] = _mm_sub_epi8(vx, average);
  out[kPaeth] = _mm_sub_epi8(vx, _mm_packus_epi16(low, high));
}
#endif

// The filter libpng chooses for the row x (n bytes) under the row up.
int ChooseFilter(const std::uint8_t* x, const std::uint8_t* up, std::size_t n) {
  std::array<std::uint64_t, kFilters> weight{};
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  __m128i sums[kFilters] = {zero, zero, zero, zero, zero};
  for (; i + 16 <= n; i += 16) {
    __m128i out[kFilters];
    FilterBlock(x + i, up + i, out);
    for (int f = 0; f < kFilters; ++f) {
      // min(v, -v) as unsigned bytes is the size of v as a signed byte.
      const __m128i size = _mm_min_epu8(out[f], _mm_sub_epi8(zero, out[f]));
      sums[f] = _mm_add_epi64(sums[f], _mm_sad_epu8(size, zero));
    }
  }
  for (int f = 0; f < kFilters; ++f) {
    std::uint64_t halves[2];
    std::memcpy(halves, &sums[f], sizeof halves);
    weight[static_cast<std::size_t>(f)] = halves[0] + halves[1];
  }
#endif
  for (; i < n; ++i) {
    for (int f = 0; f < kFilters; ++f)
      weight[static_cast<std::size_t>(f)] +=
          Weight(Filtered(f, x[i], x[i - kPixelBytes], up[i], up[i - kPixelBytes]));
  }
  int best = kNone;
  for (int f = kSub; f < kFilters; ++f)
    if (weight[static_cast<std::size_t>(f)] < weight[static_cast<std::size_t>(best)]) best = f;
  return best;
}

// Writes the row x filtered by `filter` to out (n bytes).
void FilterRow(int filter, const std::uint8_t* x, const std::uint8_t* up, std::size_t n,
               std::uint8_t* out) {
  std::size_t i = 0;
#if defined(__SSE2__)
  for (; i + 16 <= n; i += 16) {
    __m128i forms[kFilters];
    FilterBlock(x + i, up + i, forms);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), forms[filter]);
  }
#endif
  for (; i < n; ++i)
    out[i] = Filtered(filter, x[i], x[i - kPixelBytes], up[i], up[i - kPixelBytes]);
}

// Writes PNG chunks to a device, remembering the first failure.
class Chunks {
 public:
  explicit Chunks(QIODevice& out) : out_(out) {}
  void Put(const char* type, const std::uint8_t* data, std::uint32_t size) {
    std::uint8_t head[8], tail[4];
    qToBigEndian<quint32>(size, head);
    std::memcpy(head + 4, type, 4);
    uLong crc = crc32(0, head + 4, 4);
    if (size > 0) crc = crc32(crc, data, size);
    qToBigEndian<quint32>(static_cast<std::uint32_t>(crc), tail);
    Raw(head, sizeof head);
    Raw(data, size);
    Raw(tail, sizeof tail);
  }
  void Raw(const std::uint8_t* data, qint64 size) {
    if (ok_ && size > 0) ok_ = out_.write(reinterpret_cast<const char*>(data), size) == size;
  }
  bool ok() const { return ok_; }

 private:
  QIODevice& out_;
  bool ok_ = true;
};

}  // namespace

bool WritesPng(const QImage& image, int quality) {
  const qint64 filteredBytes = image.height() * (qint64{image.width()} * kPixelBytes + 1);
  return image.format() == QImage::Format_RGB32 && image.width() > 1 && image.height() > 1 &&
         filteredBytes > kNarrowWindowBytes && quality >= -1 && quality <= 100 &&
         !image.colorSpace().isValid() && image.textKeys().isEmpty() && image.offset().isNull() &&
         image.dotsPerMeterX() >= 0 && image.dotsPerMeterY() >= 0;
}

QString WritePng(const QImage& image, int quality, QIODevice& out) {
  const auto width = static_cast<std::uint32_t>(image.width());
  const auto height = static_cast<std::uint32_t>(image.height());
  Chunks chunks(out);
  static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  chunks.Raw(kSignature, sizeof kSignature);
  std::uint8_t header[13] = {};
  qToBigEndian<quint32>(width, header);
  qToBigEndian<quint32>(height, header + 4);
  header[8] = 8;  // bits per channel
  header[9] = 2;  // red, green, blue
  chunks.Put("IHDR", header, sizeof header);
  if (image.dotsPerMeterX() > 0 || image.dotsPerMeterY() > 0) {
    std::uint8_t resolution[9];
    qToBigEndian<quint32>(static_cast<std::uint32_t>(image.dotsPerMeterX()), resolution);
    qToBigEndian<quint32>(static_cast<std::uint32_t>(image.dotsPerMeterY()), resolution + 4);
    resolution[8] = 1;  // per metre
    chunks.Put("pHYs", resolution, sizeof resolution);
  }

  // libpng's settings: Qt's level (none given: zlib's default), a filtered
  // image's strategy, the whole window.
  z_stream zs{};
  const int level = quality < 0 ? Z_DEFAULT_COMPRESSION : (100 - quality) * 9 / 91;
  if (deflateInit2(&zs, level, Z_DEFLATED, 15, 8, Z_FILTERED) != Z_OK)
    return QStringLiteral("not enough memory to compress the picture");
  const std::size_t rowBytes = std::size_t{width} * kPixelBytes;
  // This row and the one above, each after its zero left neighbours (the
  // row above the first is zero too), then the filtered row.
  std::vector<std::uint8_t> rows(2 * (kLeftPad + rowBytes) + 1 + rowBytes);
  std::uint8_t* row = rows.data() + kLeftPad;
  std::uint8_t* above = row + rowBytes + kLeftPad;
  std::uint8_t* const filtered = above + rowBytes;
  std::vector<std::uint8_t> stream(kChunkBytes);
  zs.next_out = stream.data();
  zs.avail_out = kChunkBytes;
  int status = Z_OK;
  for (std::uint32_t y = 0; y < height && status == Z_OK && chunks.ok(); ++y) {
    const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(static_cast<int>(y)));
    for (std::uint32_t x = 0; x < width; ++x) {
      row[3 * x] = static_cast<std::uint8_t>(qRed(pixels[x]));
      row[3 * x + 1] = static_cast<std::uint8_t>(qGreen(pixels[x]));
      row[3 * x + 2] = static_cast<std::uint8_t>(qBlue(pixels[x]));
    }
    const int filter = ChooseFilter(row, above, rowBytes);
    filtered[0] = static_cast<std::uint8_t>(filter);
    FilterRow(filter, row, above, rowBytes, filtered + 1);
    zs.next_in = filtered;
    zs.avail_in = static_cast<uInt>(rowBytes + 1);
    const int flush = y + 1 == height ? Z_FINISH : Z_NO_FLUSH;
    // Every full buffer of the stream is a chunk, the rest the last one.
    do {
      status = deflate(&zs, flush);
      if ((zs.avail_out == 0 || status == Z_STREAM_END) && zs.avail_out < kChunkBytes) {
        chunks.Put("IDAT", stream.data(), kChunkBytes - zs.avail_out);
        zs.next_out = stream.data();
        zs.avail_out = kChunkBytes;
      }
    } while (status == Z_OK && (zs.avail_in > 0 || flush == Z_FINISH));
    std::swap(row, above);
  }
  deflateEnd(&zs);
  if (status != Z_STREAM_END && chunks.ok())
    return QStringLiteral("could not compress the picture (zlib error %1)").arg(status);
  chunks.Put("IEND", nullptr, 0);
  return chunks.ok() ? QString() : out.errorString();
}

}  // namespace palvex
