#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/chart_error.h"

namespace palvex {

// Nearest integer, ties to even (2.5 -> 2, 3.5 -> 4), as a double; a
// negative value that rounds to zero gives +0, -0 stays -0. Inline: a
// drawing pass converts tens of thousands of coordinates.
inline double RoundHalfEven(double v) {
  // Below 2^52, adding and taking away 2^52 leaves the nearest integer,
  // ties to even, in the default rounding mode (the control never changes
  // it); from there on every double is whole, NaN and infinities included.
  constexpr double kWhole = 4503599627370496.0;
  if (!(v > -kWhole && v < kWhole) || v == 0) return v;
  return v < 0 ? (v - kWhole) + kWhole : (v + kWhole) - kWhole;
}

[[noreturn]] void ThrowOverflow();

// Conversions that round half to even and raise Overflow (6) when the
// result does not fit, or for NaN and infinities.
inline std::int16_t ToInt16(double v) {
  const double r = RoundHalfEven(v);
  if (!(r >= -32768.0 && r <= 32767.0)) ThrowOverflow();
  return static_cast<std::int16_t>(r);
}
inline std::int32_t ToInt32(double v) {
  const double r = RoundHalfEven(v);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) ThrowOverflow();
  return static_cast<std::int32_t>(r);
}

// Raises Overflow for NaN and infinities: the floating-point faults of a
// conversion or an arithmetic step.
double Finite(double v);

// 32-bit sums and differences that raise Overflow instead of wrapping.
std::int32_t AddInt32(std::int32_t a, std::int32_t b);
std::int32_t SubInt32(std::int32_t a, std::int32_t b);

// The numeric value of a text, as an automation client converts it: blanks
// around it, a sign, digits with one decimal point, an exponent, or &H / &O
// prefixed hexadecimal and octal. Nothing for anything else.
std::optional<double> ParseNumber(std::u16string_view text);
// Same, raising Type mismatch (13) when the text holds no number.
double NumberFromText(std::u16string_view text);

// A number as printf's "%.<precision>" conversion writes it in the C
// locale (fixed: 'f', scientific: 'e', general: 'g'), whatever the
// process locale: text the control defines never takes a decimal comma.
std::string FormattedNumber(double v, std::chars_format format, int precision);

// The decimal text of a number with up to 15 significant digits, no
// trailing zeros, and exponent notation for very large or small values
// ("0.5", "-3", "1E+16", "1.5E-07").
std::u16string NumberText(double v);
// The number NumberFromText(NumberText(v)) gives, without the text: v to
// fifteen significant digits (positive zero for either zero, a signed zero
// for what underflows); NaN and the infinities read as no number and raise
// Type mismatch (13), as their text does.
double AsWritten(double v);

// UTF-8 <-> UTF-16 for messages and files; invalid sequences become U+FFFD.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

}  // namespace palvex
