#pragma once

#include <cstdint>
#include <string>

namespace palvex {

// A font description as the device context exchanges it: the fields of the
// platform's logical-font record. Heights are pixels; a negative height is
// the character (em) height, a positive one the cell height. Escapement and
// orientation are tenths of a degree, counter-clockwise on screen.
struct LogFont {
  std::int32_t lfHeight = 0;
  std::int32_t lfWidth = 0;
  std::int32_t lfEscapement = 0;
  std::int32_t lfOrientation = 0;
  std::int32_t lfWeight = 400;
  std::uint8_t lfItalic = 0;
  std::uint8_t lfUnderline = 0;
  std::uint8_t lfStrikeOut = 0;
  std::uint8_t lfCharSet = 0;
  std::uint8_t lfOutPrecision = 0;
  std::uint8_t lfClipPrecision = 0;
  std::uint8_t lfQuality = 0;
  std::uint8_t lfPitchAndFamily = 0;
  std::u16string lfFaceName;

  bool operator==(const LogFont&) const = default;
};

// The size of the record in its narrow-character form: what reading a
// font's description reports, and the least buffer it accepts.
constexpr int kLogFontBytes = 60;

constexpr std::int32_t kNormalWeight = 400;
constexpr std::int32_t kBoldWeight = 700;
constexpr std::uint8_t kNonAntialiasedQuality = 3;
constexpr std::uint8_t kAntialiasedQuality = 4;

}  // namespace palvex
