#pragma once

#include <cstdint>

#include "platform/color.h"

namespace palvex {

struct ChartState;
class DeviceContext;

// The gradient directions: colour changes left to right, or top to bottom.
enum GRADIENT_FILL_RECT : std::int32_t { FillHor = 0, FillVer = 1 };

// Splits a packed colour into its channels; the top byte is ignored.
void SplitColor(Color colour, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue);

// Fills the pixel rectangle (x, y, width, height) with a linear gradient
// from colour1 at (x, y) to colour2 at the opposite corner, on target or,
// when target is null, on the chart's own surface. Returns whether the
// platform painted it.
bool FillGradient(ChartState& chart, Color colour1, Color colour2, std::int32_t direction,
                  std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                  DeviceContext* target = nullptr);

}  // namespace palvex
