#include "platform/numeric.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace palvex {

void ThrowOverflow() {
  throw ChartError(kErrOverflow);
}

double Finite(double v) {
  if (!std::isfinite(v)) throw ChartError(kErrOverflow);
  return v;
}

std::int32_t AddInt32(std::int32_t a, std::int32_t b) {
  std::int32_t r;
  if (__builtin_add_overflow(a, b, &r)) throw ChartError(kErrOverflow);
  return r;
}

std::int32_t SubInt32(std::int32_t a, std::int32_t b) {
  std::int32_t r;
  if (__builtin_sub_overflow(a, b, &r)) throw ChartError(kErrOverflow);
  return r;
}

namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

std::optional<double> ParseRadix(std::u16string_view s, int radix) {
  if (s.empty() || s.size() > 22) return std::nullopt;
  std::uint64_t value = 0;
  for (char16_t c : s) {
    int d;
    if (c >= u'0' && c <= u'9') {
      d = c - u'0';
    } else if (c >= u'a' && c <= u'f') {
      d = c - u'a' + 10;
    } else if (c >= u'A' && c <= u'F') {
      d = c - u'A' + 10;
    } else {
      return std::nullopt;
    }
    if (d >= radix) return std::nullopt;
    value = value * radix + d;
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  // Hexadecimal and octal literals of up to 32 bits read as signed longs.
  if (value > 0xFFFF && value <= 0xFFFFFFFFull) {
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
  }
  if (value <= 0xFFFF) {
    return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
  }
  return static_cast<double>(value);
}

// Whether the decimal mantissa (digits with at most one point) times ten
// to the exponent's digits (with its sign) is below one in magnitude,
// however many digits the exponent has.
bool BelowOne(std::string_view mantissa, std::string_view exponent) {
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t lead = mantissa.find_first_not_of("0.");
  if (lead == std::string_view::npos) return true;
  // The power of ten of the leading digit, and of the whole number.
  long long power = lead < point ? static_cast<long long>(point - lead) - 1
                                 : -static_cast<long long>(lead - point);
  const bool negativeExponent = !exponent.empty() && exponent[0] == '-';
  long long e = 0;
  for (char c : exponent) {
    if (c >= '0' && c <= '9') e = std::min<long long>(e * 10 + (c - '0'), 1'000'000);
  }
  power += negativeExponent ? -e : e;
  return power < 0;
}

}  // namespace

std::optional<double> ParseNumber(std::u16string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  std::u16string_view s = text.substr(b, e - b);
  if (s.empty() || s.size() > 400) return std::nullopt;
  // Most numbers read are item IDs, a few digits: fifteen digits are an
  // exact double, as from_chars would give it.
  if (s.size() <= 15 &&
      std::all_of(s.begin(), s.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; })) {
    std::int64_t whole = 0;
    for (char16_t c : s) whole = whole * 10 + (c - u'0');
    return static_cast<double>(whole);
  }
  if (s[0] == u'&' && s.size() > 2) {
    if (s[1] == u'H' || s[1] == u'h') return ParseRadix(s.substr(2), 16);
    if (s[1] == u'O' || s[1] == u'o') return ParseRadix(s.substr(2), 8);
  }
  // Plain decimal: [sign] digits [. digits] [(e|E|d|D) [sign] digits],
  // copied without its sign in the form from_chars reads.
  std::string ascii;
  ascii.reserve(s.size());
  std::size_t i = 0;
  auto digitsAt = [&](std::size_t& k) {
    std::size_t start = k;
    while (k < s.size() && s[k] >= u'0' && s[k] <= u'9') ascii.push_back(char(s[k++]));
    return k - start;
  };
  const bool negative = s[i] == u'-';
  if (s[i] == u'+' || s[i] == u'-') ++i;
  std::size_t intDigits = digitsAt(i);
  std::size_t fracDigits = 0;
  if (i < s.size() && s[i] == u'.') {
    ascii.push_back('.');
    ++i;
    fracDigits = digitsAt(i);
  }
  if (intDigits + fracDigits == 0) return std::nullopt;
  const std::size_t mantissaEnd = ascii.size();
  if (i < s.size() && (s[i] == u'e' || s[i] == u'E' || s[i] == u'd' || s[i] == u'D')) {
    ascii.push_back('e');
    ++i;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ascii.push_back(char(s[i++]));
    if (digitsAt(i) == 0) return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;
  double v = 0;
  const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
  if (ec == std::errc::result_out_of_range) {
    // Too small for a double reads as zero; too large is no number.
    if (!BelowOne(std::string_view(ascii).substr(0, mantissaEnd),
                  std::string_view(ascii).substr(std::min(mantissaEnd + 1, ascii.size())))) {
      return std::nullopt;
    }
    v = 0;
  } else if (ec != std::errc() || end != ascii.data() + ascii.size()) {
    return std::nullopt;
  }
  return negative ? -v : v;
}

double NumberFromText(std::u16string_view text) {
  auto v = ParseNumber(text);
  if (!v) throw ChartError(kErrTypeMismatch);
  return *v;
}

std::string FormattedNumber(double v, std::chars_format format, int precision) {
  char buf[400];  // the longest fixed notation of a double with no decimals
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, format, precision);
  if (ec != std::errc()) throw ChartError(kErrOverflow);
  return std::string(buf, end);
}

std::u16string NumberText(double v) {
  if (std::isnan(v)) return u"NaN";
  if (std::isinf(v)) return v > 0 ? u"Infinity" : u"-Infinity";
  if (v == 0) return u"0";
  // A whole number below 10^15 is its digits in either notation (the scale's
  // labels are such numbers, written on every pass), written as an integer.
  if (std::fabs(v) < 1e15 && v == std::trunc(v)) {
    char buf[24];
    const auto end = std::to_chars(buf, buf + sizeof buf, static_cast<std::int64_t>(v)).ptr;
    return std::u16string(buf, end);
  }
  // The general notation already drops trailing zeros and writes at least
  // two exponent digits; automation shows the exponent's letter in capitals.
  std::string s = FormattedNumber(v, std::chars_format::general, 15);
  if (auto pos = s.find('e'); pos != std::string::npos) s[pos] = 'E';
  return std::u16string(s.begin(), s.end());
}

double AsWritten(double v) {
  if (!std::isfinite(v)) throw ChartError(kErrTypeMismatch);
  if (v == 0) return 0;
  const std::string s = FormattedNumber(v, std::chars_format::general, 15);
  double r = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), r);
  if (ec == std::errc::result_out_of_range) {
    // Too small for a double reads as zero; too large is no number.
    if (std::fabs(v) < 1) return v < 0 ? -0.0 : 0.0;
    throw ChartError(kErrTypeMismatch);
  }
  return r;
}

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out.push_back(char(c));
    } else if (c < 0x800) {
      out.push_back(char(0xC0 | (c >> 6)));
      out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(char(0xE0 | (c >> 12)));
      out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(char(0x80 | (c & 0x3F)));
    } else {
      out.push_back(char(0xF0 | (c >> 18)));
      out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(char(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::u16string FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    unsigned char b = text[i];
    char32_t c;
    int extra;
    if (b < 0x80) {
      c = b;
      extra = 0;
    } else if ((b & 0xE0) == 0xC0) {
      c = b & 0x1F;
      extra = 1;
    } else if ((b & 0xF0) == 0xE0) {
      c = b & 0x0F;
      extra = 2;
    } else if ((b & 0xF8) == 0xF0) {
      c = b & 0x07;
      extra = 3;
    } else {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    bool ok = true;
    for (int k = 1; ok && k <= extra; ++k) {
      if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
        ok = false;
      } else {
        c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
      }
    }
    if (!ok) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    i += extra + 1;
    if (c >= 0x10000) {
      c -= 0x10000;
      out.push_back(char16_t(0xD800 + (c >> 10)));
      out.push_back(char16_t(0xDC00 + (c & 0x3FF)));
    } else {
      out.push_back(char16_t(c));
    }
  }
  return out;
}

}  // namespace palvex
