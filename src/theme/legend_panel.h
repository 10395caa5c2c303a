#pragma once

#include <cstdint>

#include "theme/themes.h"

namespace palvex {

struct ChartState;
struct Control;

// Clears the legend panel and paints the theme's legend gradient; runs
// whenever the panel changes size.
void PaintLegendBackground(Control& panel, ThemeInUse theme);
// Shows the legend panel at the right edge, or folds it away so that only
// the slider strip stays in view; "show legend" is checked while it is
// shown. Opening widens the right margin by the panel's inner width and
// folding narrows it by the outer width; a panel already in that state
// keeps the margin. No redraw.
void ShowLegend(ChartState& chart, bool hidden);
}  // namespace palvex
