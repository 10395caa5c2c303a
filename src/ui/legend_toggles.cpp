#include "ui/legend_toggles.h"

#include "model/chart_state.h"
#include "render/draw_chart.h"
#include "theme/legend_panel.h"

namespace palvex {

void ToggleLegend(ChartState& chart) {
  // The panel's own state decides: the host may have switched it with
  // ShowLegend, which the check mark follows.
  ShowLegend(chart, chart.legendVisible);
  DrawChart(chart);
}

void HideLegend(ChartState& chart) {
  // The legend menu also opens on the folded panel's strip left of the
  // slider; there is nothing to fold then.
  if (!chart.legendVisible) return;
  ShowLegend(chart, true);
  DrawChart(chart);
}

}  // namespace palvex
