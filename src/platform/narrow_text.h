#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace palvex {

// The text calls of a device context count their length in bytes of the
// platform's narrow, double-byte code page: an ASCII character is one byte,
// every other character (a Chinese one, or a surrogate pair) two. Passing
// the count of UTF-16 units instead would cut Chinese text in half.

// The narrow byte length of a text; Overflow when it exceeds 32 bits.
std::int32_t NarrowLength(std::u16string_view text);

// The leading characters that byteLength narrow bytes cover; nothing when
// the length is negative, runs past the text or splits a character.
std::optional<std::u16string_view> NarrowPrefix(std::u16string_view text, std::int32_t byteLength);

}  // namespace palvex
