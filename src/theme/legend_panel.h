#pragma once

namespace palvex {

struct ChartState;

// Clears the legend panel and paints its background; runs whenever the
// panel changes size.
void PaintLegendBackground(ChartState& chart);
// Shows the side panel (bHidden false) or folds it away; no redraw.
void ShowLegend(ChartState& chart, bool bHidden);
// The slider's click and the "show legend" item: flips the panel, redraws.
void ToggleLegend(ChartState& chart);
// The "hide legend" item of the legend's own menu: folds it, redraws.
void HideLegend(ChartState& chart);

}  // namespace palvex
