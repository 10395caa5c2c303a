#pragma once

#include <QColor>
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
inline void FillPixels(QRgb* p, std::int64_t n, QRgb colour) {
#if defined(__SSE2__)
  const __m128i four = _mm_set1_epi32(static_cast<int>(colour));
  for (; n >= 4; n -= 4, p += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(p), four);
#endif
  for (; n > 0; --n) *p++ = colour;
}

}  // namespace palvex
