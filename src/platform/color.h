#pragma once

#include <cstdint>

namespace palvex {

// A packed colour: red + 256 * green + 65536 * blue. A value with the top
// bit set names a system colour by its index in the low byte.
using Color = std::uint32_t;

constexpr Color Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return Color(r) | (Color(g) << 8) | (Color(b) << 16);
}
constexpr std::uint8_t RedOf(Color c) {
  return c & 0xFF;
}
constexpr std::uint8_t GreenOf(Color c) {
  return (c >> 8) & 0xFF;
}
constexpr std::uint8_t BlueOf(Color c) {
  return (c >> 16) & 0xFF;
}

constexpr bool IsSystemColor(Color c) {
  return (c & 0x80000000u) != 0;
}

// The system colours the control uses, as a desktop would show them by
// default: the window background, tool-tip text and tool-tip background.
constexpr Color kSystemWindow = 0x80000005u;
constexpr Color kSystemToolTipText = 0x80000017u;
constexpr Color kSystemToolTipBack = 0x80000018u;

// Resolves a system colour to the RGB value painted for it; ordinary
// colours pass through with the top byte dropped.
Color ResolveColor(Color c);

}  // namespace palvex
