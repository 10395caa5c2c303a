#pragma once

#include <QColor>
#include <cstdint>
#include <cstdlib>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/device_context.h"

namespace palvex {

// The ramp running from a at coordinate `from` to b at `to`, walked one
// position at a time from `start` towards larger coordinates, all between
// the two. Each 16-bit channel is a + (b - a) * (pos - from) / (to - from)
// with the division truncating, and its high byte is the colour. The
// quotient and remainder are stepped from one position to the next, so the
// values are exactly those of the division without dividing per pixel.
class RampCursor {
 public:
  RampCursor(const TriVertex& a, const TriVertex& b, std::int64_t from, std::int64_t to,
             std::int64_t start)
      : span_(std::llabs(to - from)), growing_(to > from) {
    // Between the vertices (pos - from) / (to - from) lies in [0, 1]: u is
    // the distance from `from`, growing with pos when to > from.
    const std::int64_t u = std::llabs(start - from);
    // Quotient and remainder of non-negative numbers; in 32 bits when they
    // fit, as they do for any picture's rows, a third of the cost.
    const auto divide = [](std::int64_t n, std::int64_t d) {
      if (((n | d) >> 32) == 0) {
        const auto un = static_cast<std::uint32_t>(n), ud = static_cast<std::uint32_t>(d);
        return std::pair<std::int64_t, std::int64_t>(un / ud, un % ud);
      }
      return std::pair<std::int64_t, std::int64_t>(n / d, n % d);
    };
    auto channel = [&](std::uint16_t ca, std::uint16_t cb) {
      const std::int64_t k = std::llabs(std::int64_t(cb) - ca);
      const std::int64_t sign = cb >= ca ? 1 : -1;
      const auto [q, r] = divide(k * u, span_);
      const auto [step, dr] = divide(k, span_);
      return Channel{ca + sign * q, sign, sign * step, r, dr};
    };
    red_ = channel(a.Red, b.Red);
    green_ = channel(a.Green, b.Green);
    blue_ = channel(a.Blue, b.Blue);
#if defined(__SSE2__)
    // A span of up to 2^30 keeps every remainder, and its sum with the
    // step, within 32 bits: the three channels then step side by side.
    packed_ = span_ < (std::int64_t{1} << 30);
    if (packed_) {
      auto lanes = [&](std::int64_t Channel::*field, std::int64_t alpha) {
        return _mm_set_epi32(static_cast<int>(alpha), static_cast<int>(red_.*field),
                             static_cast<int>(green_.*field), static_cast<int>(blue_.*field));
      };
      value_ = lanes(&Channel::value, 255 << 8);
      sign_ = lanes(&Channel::sign, 0);
      step_ = lanes(&Channel::step, 0);
      r_ = lanes(&Channel::r, 0);
      dr_ = lanes(&Channel::dr, 0);
      spanLanes_ = _mm_set1_epi32(static_cast<int>(span_));
    }
#endif
  }

  QRgb Color() const {
#if defined(__SSE2__)
    if (packed_) {
      // Lanes blue, green, red, alpha: their high bytes, in that order,
      // are the pixel.
      const __m128i bytes = _mm_srli_epi32(value_, 8);
      const __m128i words = _mm_packs_epi32(bytes, bytes);
      return static_cast<QRgb>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
    }
#endif
    return qRgb(red_.Value(), green_.Value(), blue_.Value());
  }
  void Next() {
#if defined(__SSE2__)
    if (packed_) {
      if (growing_) {
        value_ = _mm_add_epi32(value_, step_);
        r_ = _mm_add_epi32(r_, dr_);
        // r >= span, as span - 1 < r.
        const __m128i carry = _mm_cmpgt_epi32(r_, _mm_sub_epi32(spanLanes_, _mm_set1_epi32(1)));
        r_ = _mm_sub_epi32(r_, _mm_and_si128(spanLanes_, carry));
        value_ = _mm_add_epi32(value_, _mm_and_si128(sign_, carry));
      } else {
        value_ = _mm_sub_epi32(value_, step_);
        r_ = _mm_sub_epi32(r_, dr_);
        const __m128i borrow = _mm_cmplt_epi32(r_, _mm_setzero_si128());
        r_ = _mm_add_epi32(r_, _mm_and_si128(spanLanes_, borrow));
        value_ = _mm_sub_epi32(value_, _mm_and_si128(sign_, borrow));
      }
      return;
    }
#endif
    red_.Step(growing_, span_);
    green_.Step(growing_, span_);
    blue_.Step(growing_, span_);
  }

 private:
  // The channel's value a + sign * q is kept as it is stepped, with q's
  // remainder r: no multiplication per position.
  struct Channel {
    std::int64_t value, sign, step, r, dr;
    int Value() const { return static_cast<int>(value >> 8); }
    void Step(bool up, std::int64_t span) {
      if (up) {
        value += step;
        r += dr;
        if (r >= span) {
          r -= span;
          value += sign;
        }
      } else {
        value -= step;
        r -= dr;
        if (r < 0) {
          r += span;
          value -= sign;
        }
      }
    }
  };
  std::int64_t span_;
  bool growing_;
  Channel red_{}, green_{}, blue_{};
#if defined(__SSE2__)
  bool packed_ = false;
  __m128i value_, sign_, step_, r_, dr_, spanLanes_;
#endif
};

}  // namespace palvex
