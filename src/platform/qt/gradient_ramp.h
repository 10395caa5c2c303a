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
      // Stepped one way or the other, the remainder r moves by d1 and is
      // put back into [0, span) by d2 (d1 -/+ span) where it leaves it;
      // the value then moves one more in the ramp's direction.
      const __m128i dr = lanes(&Channel::dr, 0), span = _mm_set1_epi32(static_cast<int>(span_));
      const __m128i step = lanes(&Channel::step, 0), sign = lanes(&Channel::sign, 0);
      const __m128i none = _mm_setzero_si128();
      value_ = lanes(&Channel::value, 255 << 8);
      r_ = lanes(&Channel::r, 0);
      step_ = growing_ ? step : _mm_sub_epi32(none, step);
      sign_ = growing_ ? sign : _mm_sub_epi32(none, sign);
      d1_ = growing_ ? dr : _mm_sub_epi32(none, dr);
      d2_ = growing_ ? _mm_sub_epi32(dr, span) : _mm_sub_epi32(span, dr);
    }
#endif
  }

  // Whether the channels step side by side: a loop that asks once may call
  // Color<kPacked>() and Next<kPacked>() with the answer, so that each row
  // does not ask again.
  enum Lanes { kAsk, kPacked, kApart };
  bool Packed() const {
#if defined(__SSE2__)
    return packed_;
#else
    return false;
#endif
  }

  template <Lanes kLanes = kAsk>
  QRgb Color() const {
#if defined(__SSE2__)
    if (kLanes == kPacked || (kLanes == kAsk && packed_)) {
      // Lanes blue, green, red, alpha: their high bytes, in that order,
      // are the pixel.
      const __m128i bytes = _mm_srli_epi32(value_, 8);
      const __m128i words = _mm_packs_epi32(bytes, bytes);
      return static_cast<QRgb>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
    }
#endif
    return qRgb(red_.Value(), green_.Value(), blue_.Value());
  }
  template <Lanes kLanes = kAsk>
  void Next() {
#if defined(__SSE2__)
    if (kLanes == kPacked || (kLanes == kAsk && packed_)) {
      // The new remainder is the smaller of r + d1 and r + d2 taken as
      // unsigned (the one outside [0, span) wraps to a huge number), so
      // each step waits on two operations rather than four.
      using Unsigned = std::uint32_t __attribute__((vector_size(16)));
      using Signed = std::int32_t __attribute__((vector_size(16)));
      const Unsigned r = reinterpret_cast<Unsigned>(r_);
      const Unsigned t1 = r + reinterpret_cast<Unsigned>(d1_);
      const Unsigned t2 = r + reinterpret_cast<Unsigned>(d2_);
      const Unsigned next = t1 < t2 ? t1 : t2;
      r_ = reinterpret_cast<__m128i>(next);
      value_ = reinterpret_cast<__m128i>(
          reinterpret_cast<Signed>(value_) + reinterpret_cast<Signed>(step_) +
          (reinterpret_cast<Signed>(sign_) & reinterpret_cast<Signed>(next == t2)));
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
  __m128i value_, sign_, step_, r_, d1_, d2_;
#endif
};

}  // namespace palvex
