#pragma once

#include <chrono>
#include <cstdint>

#include "platform/color.h"

namespace palvex {

// The growth animation: ten frames, each shown this long after the last.
inline constexpr int kGrowthFrames = 10;
inline constexpr std::chrono::milliseconds kFrameWait{70};

class DeviceContext;
struct ChartState;

// Paints one bar (pixels) shaded with the first and second colour, the
// way the theme shades bars.
void PaintBar(DeviceContext& dc, std::int32_t theme, Color first, Color second, std::int32_t left,
              std::int32_t top, std::int32_t width, std::int32_t height);
// Plays the growth animation over the recorded bars; always ends with
// animationDone set, and keeps in animationFailure the error that ended it
// early, if one did.
void GrowBars(ChartState& chart);
// Writes the ten colour pairs of the bars into barPalette.
void InitBarPalette(ChartState& chart);

}  // namespace palvex
