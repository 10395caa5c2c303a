#pragma once

#include <QColor>
#include <cstdint>
#include <cstdlib>

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
    auto channel = [&](std::uint16_t ca, std::uint16_t cb) {
      const std::int64_t k = std::llabs(std::int64_t(cb) - ca);
      const std::int64_t sign = cb >= ca ? 1 : -1;
      return Channel{ca + sign * (k * u / span_), sign, sign * (k / span_), k * u % span_,
                     k % span_};
    };
    red_ = channel(a.Red, b.Red);
    green_ = channel(a.Green, b.Green);
    blue_ = channel(a.Blue, b.Blue);
  }

  QRgb Colour() const { return qRgb(red_.Value(), green_.Value(), blue_.Value()); }
  void Next() {
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
};

}  // namespace palvex
