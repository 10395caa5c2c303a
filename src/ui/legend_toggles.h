#pragma once

namespace palvex {

struct ChartState;

// The slider's click and the "show legend" item: flips the panel, redraws.
void ToggleLegend(ChartState& chart);
// The "hide legend" item of the legend's own menu: folds a shown panel,
// unchecks "show legend" and redraws; a folded one stays as it is.
void HideLegend(ChartState& chart);

}  // namespace palvex
