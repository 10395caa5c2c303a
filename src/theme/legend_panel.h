#pragma once

namespace palvex {

struct ChartState;

// Clears the legend panel and paints the theme's legend gradient; runs
// whenever the panel changes size.
void PaintLegendBackground(ChartState& chart);
// Shows the legend panel at the right edge and widens the right margin by
// its inner width, or folds it away so that only the slider strip stays in
// view and narrows the margin by its outer width. Each call moves the
// margin, whatever the panel's state was before. No redraw.
void ShowLegend(ChartState& chart, bool bHidden);
// The slider's click and the "show legend" item: flips the panel, redraws.
void ToggleLegend(ChartState& chart);
// The "hide legend" item of the legend's own menu: folds a shown panel,
// unchecks "show legend" and redraws; a folded one stays as it is.
void HideLegend(ChartState& chart);

}  // namespace palvex
