#pragma once

#include <QColor>
#include <algorithm>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace palvex {

// Writes n copies of a colour from p on. The compiler keeps a plain loop
// at one pixel per store at our optimisation level; the background and
// the bands are hundreds of pixels wide, so four per store is most of
// their cost.
inline void FillPixels(QRgb* p, std::int64_t n, QRgb color) {
#if defined(__SSE2__)
  if (n >= 4) {
    const __m128i four = _mm_set1_epi32(static_cast<int>(color));
    for (; n >= 4; n -= 4, p += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(p), four);
  }
#endif
  for (; n > 0; --n) *p++ = color;
}

// Copies n pixels: a bar's span is a few pixels, too few for a call.
inline void CopyPixels(QRgb* to, const QRgb* from, std::int64_t n) {
  if (n > 8) {
    std::copy(from, from + n, to);
    return;
  }
  for (std::int64_t i = 0; i < n; ++i) to[i] = from[i];
}

}  // namespace palvex
