#include "platform/numeric.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace palvex {

double RoundHalfEven(double v) {
  if (!std::isfinite(v)) return v;
  double lower = std::floor(v);
  double diff = v - lower;
  if (diff > 0.5) return lower + 1.0;
  if (diff < 0.5) return lower;
  return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

std::int16_t ToInt16(double v) {
  double r = RoundHalfEven(v);
  if (!(r >= -32768.0 && r <= 32767.0)) throw ChartError(kErrOverflow);
  return static_cast<std::int16_t>(r);
}

std::int32_t ToInt32(double v) {
  double r = RoundHalfEven(v);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw ChartError(kErrOverflow);
  return static_cast<std::int32_t>(r);
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

}  // namespace

std::optional<double> ParseNumber(std::u16string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  std::u16string_view s = text.substr(b, e - b);
  if (s.empty() || s.size() > 400) return std::nullopt;
  if (s[0] == u'&' && s.size() > 2) {
    if (s[1] == u'H' || s[1] == u'h') return ParseRadix(s.substr(2), 16);
    if (s[1] == u'O' || s[1] == u'o') return ParseRadix(s.substr(2), 8);
  }
  // Plain decimal: [sign] digits [. digits] [(e|E|d|D) [sign] digits]
  std::string ascii;
  ascii.reserve(s.size());
  std::size_t i = 0;
  auto digitsAt = [&](std::size_t& k) {
    std::size_t start = k;
    while (k < s.size() && s[k] >= u'0' && s[k] <= u'9') ascii.push_back(char(s[k++]));
    return k - start;
  };
  if (s[i] == u'+' || s[i] == u'-') ascii.push_back(char(s[i++]));
  std::size_t intDigits = digitsAt(i);
  std::size_t fracDigits = 0;
  if (i < s.size() && s[i] == u'.') {
    ascii.push_back('.');
    ++i;
    fracDigits = digitsAt(i);
  }
  if (intDigits + fracDigits == 0) return std::nullopt;
  if (i < s.size() && (s[i] == u'e' || s[i] == u'E' || s[i] == u'd' || s[i] == u'D')) {
    ascii.push_back('e');
    ++i;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ascii.push_back(char(s[i++]));
    if (digitsAt(i) == 0) return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;
  double v = std::strtod(ascii.c_str(), nullptr);
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

double NumberFromText(std::u16string_view text) {
  auto v = ParseNumber(text);
  if (!v) throw ChartError(kErrTypeMismatch);
  return *v;
}

std::u16string NumberText(double v) {
  if (std::isnan(v)) return u"NaN";
  if (std::isinf(v)) return v > 0 ? u"Infinity" : u"-Infinity";
  if (v == 0) return u"0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15G", v);
  std::string s = buf;
  // Split off an exponent, trim trailing zeros of the mantissa.
  std::string mantissa = s, exponent;
  if (auto pos = s.find('E'); pos != std::string::npos) {
    mantissa = s.substr(0, pos);
    int ex = std::atoi(s.c_str() + pos + 1);
    char eb[16];
    std::snprintf(eb, sizeof eb, "E%c%02d", ex < 0 ? '-' : '+', ex < 0 ? -ex : ex);
    exponent = eb;
  }
  if (mantissa.find('.') != std::string::npos) {
    while (!mantissa.empty() && mantissa.back() == '0') mantissa.pop_back();
    if (!mantissa.empty() && mantissa.back() == '.') mantissa.pop_back();
  }
  std::string out = mantissa + exponent;
  return std::u16string(out.begin(), out.end());
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
