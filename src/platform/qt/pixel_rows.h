#pragma once

#include <QColor>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace palvex {

// Writes n copies of a colour from p on, eight pixels per store where the
// processor has 32-byte stores (the writers of long rows are built for
// those processors too, see PALVEX_WIDE_STORES) and as many as it has
// otherwise: the compiler keeps a plain loop at one pixel per store at our
// optimisation level, and the background and the bands are hundreds of
// pixels wide.
inline void FillPixels(QRgb* p, std::int64_t n, QRgb color) {
  if (n < 8) {
    // A thin bar's row: one or two stores, which may overlap (a colour
    // written twice is the same colour), instead of a loop per pixel.
    if (n >= 4) {
      const QRgb four[] = {color, color, color, color};
      std::memcpy(p, four, sizeof four);
      std::memcpy(p + n - 4, four, sizeof four);
    } else if (n >= 2) {
      const QRgb two[] = {color, color};
      std::memcpy(p, two, sizeof two);
      std::memcpy(p + n - 2, two, sizeof two);
    } else if (n == 1) {
      *p = color;
    }
    return;
  }
#if defined(__GNUC__)
  using Eight = QRgb __attribute__((vector_size(32)));
  const Eight eight = {color, color, color, color, color, color, color, color};
  // The first eight are written as they lie, the rest from the next
  // 32-byte boundary on (a picture's rows need not start on one, and a
  // store across two cache lines costs twice), four stores per step (one
  // per step left the loop's own instructions in the way), and the last
  // eight end the span: a colour written twice is the same colour.
  QRgb* const end = p + n;
  std::memcpy(p, &eight, sizeof eight);
  p = reinterpret_cast<QRgb*>((reinterpret_cast<std::uintptr_t>(p) + sizeof eight) &
                              ~std::uintptr_t{sizeof eight - 1});
  for (; end - p >= 32; p += 32) {
    std::memcpy(p, &eight, sizeof eight);
    std::memcpy(p + 8, &eight, sizeof eight);
    std::memcpy(p + 16, &eight, sizeof eight);
    std::memcpy(p + 24, &eight, sizeof eight);
  }
  for (; end - p >= 8; p += 8) std::memcpy(p, &eight, sizeof eight);
  std::memcpy(end - 8, &eight, sizeof eight);
#else
  for (; n > 0; --n) *p++ = color;
#endif
}

// Builds a function that writes long rows once for processors with 32-byte
// stores and once for any other, chosen when the program loads: one build
// runs on every x86-64, at twice the speed where it can. Clang wants the
// mark on a member's declaration in its class, before any call. Not under
// AddressSanitizer, which GCC announces with a macro and Clang only through
// __has_feature.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PALVEX_ADDRESS_SANITIZER
#endif
#endif
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__) && \
    !defined(PALVEX_ADDRESS_SANITIZER)
#define PALVEX_WIDE_STORES __attribute__((target_clones("avx2", "default")))
#else
#define PALVEX_WIDE_STORES
#endif

// Copies n pixels: a bar's span is a few pixels, too few for a call.
inline void CopyPixels(QRgb* to, const QRgb* from, std::int64_t n) {
  if (n > 8) {
    std::copy(from, from + n, to);
    return;
  }
  for (std::int64_t i = 0; i < n; ++i) to[i] = from[i];
}

}  // namespace palvex
