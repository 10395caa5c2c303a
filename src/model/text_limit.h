#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/chart_error.h"

namespace palvex {

// The longest text, in UTF-16 units, that a text property or an item field
// takes. Drawing and measuring a caption costs time and memory in
// proportion to its length (ten megabytes took a minute and half a
// gigabyte), so longer text is refused before anything is stored.
inline constexpr std::size_t kMaxTextLength = 32767;

// Raises Invalid property value (380) for text over the limit; what, when
// given, names the value in the message.
inline void CheckTextLength(std::u16string_view text, std::string_view what = {}) {
  if (text.size() <= kMaxTextLength) return;
  std::string message = ErrorMessage(kErrInvalidPropertyValue) + ": longer than 32767 characters";
  if (!what.empty()) message = std::string(what) + ": " + message;
  throw ChartError(kErrInvalidPropertyValue, message);
}

}  // namespace palvex
