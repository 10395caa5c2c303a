#pragma once

#include <cstdint>

#include "platform/color.h"
#include "platform/device_context.h"

namespace palvex {

// Splits a packed colour into its channels; the top byte is ignored.
void SplitColor(Color color, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue);

// Fills the pixel rectangle (x, y, width, height) with a linear gradient
// from colour1 at (x, y) to colour2 at the opposite corner, on dc.
// Returns whether the platform painted it.
bool FillGradient(DeviceContext& dc, Color color1, Color color2, GradientDirection direction,
                  std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);

}  // namespace palvex
