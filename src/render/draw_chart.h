#pragma once

#include <cstdint>

namespace palvex {

struct ChartState;

// The round top of the value scale for a largest value m: 10 up to 10,
// otherwise the first two digits rounded up to a multiple of 5 (2345 ->
// 2500, 2765 -> 3000). Raises Overflow past the 32-bit range.
std::int32_t GetYTopLegend(std::int32_t m);

// Lays out and paints the whole chart in one pass. Does nothing while a
// pass is running; a pass that fails still leaves the control able to draw.
void DrawChart(ChartState& chart);

}  // namespace palvex
