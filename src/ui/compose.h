#pragma once

namespace palvex {

struct ChartState;
class Surface;

// Paints what the screen shows of the chart onto target: the chart's own
// picture, then its visible children bottom to top, each cut to its
// parent. target takes the size of the chart's surface. The chart's own
// surface is left as it is, so an exported picture never shows children.
void ComposeScreen(ChartState& chart, Surface& target);

}  // namespace palvex
