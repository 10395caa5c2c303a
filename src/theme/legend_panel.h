#pragma once

#include <cstdint>

namespace palvex {

struct ChartState;
struct Control;

// Clears the legend panel and paints the theme's legend gradient; runs
// whenever the panel changes size.
void PaintLegendBackground(Control& panel, std::int32_t theme);
// Shows the legend panel at the right edge and widens the right margin by
// its inner width, or folds it away so that only the slider strip stays in
// view and narrows the margin by its outer width. Each call moves the
// margin, whatever the panel's state was before. No redraw.
void ShowLegend(ChartState& chart, bool bHidden);
}  // namespace palvex
