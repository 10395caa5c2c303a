#include "platform/narrow_text.h"

#include <algorithm>

#include "platform/chart_error.h"

namespace palvex {

namespace {

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// UTF-16 units and narrow bytes of the character starting at i.
struct CharSpan {
  std::size_t units;
  std::int32_t bytes;
};

CharSpan CharAt(std::u16string_view text, std::size_t i) {
  if (text[i] < 0x80) return {1, 1};
  if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
    return {2, 2};
  }
  return {1, 2};
}

}  // namespace

std::int32_t NarrowLength(std::u16string_view text) {
  // Most text is ASCII, a byte a character; the rest is walked character
  // by character. Asked of every caption drawn.
  std::size_t i = 0;
  while (i < text.size() && text[i] < 0x80) ++i;
  std::int64_t bytes = static_cast<std::int64_t>(i);
  while (i < text.size()) {
    const CharSpan c = CharAt(text, i);
    bytes += c.bytes;
    i += c.units;
  }
  if (bytes > INT32_MAX) throw ChartError(kErrOverflow);
  return static_cast<std::int32_t>(bytes);
}

std::optional<std::u16string_view> NarrowPrefix(std::u16string_view text, std::int32_t byteLength) {
  if (byteLength < 0) return std::nullopt;
  const std::size_t ascii = std::min(text.size(), static_cast<std::size_t>(byteLength));
  std::size_t i = 0;
  while (i < ascii && text[i] < 0x80) ++i;
  std::int32_t bytes = static_cast<std::int32_t>(i);
  while (bytes < byteLength && i < text.size()) {
    const CharSpan c = CharAt(text, i);
    bytes += c.bytes;
    i += c.units;
  }
  if (bytes != byteLength) return std::nullopt;
  return text.substr(0, i);
}

}  // namespace palvex
