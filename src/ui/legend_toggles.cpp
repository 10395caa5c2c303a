#include "ui/legend_toggles.h"

#include "model/chart_state.h"
#include "render/draw_chart.h"
#include "theme/legend_panel.h"

namespace palvex {

namespace {

// The toggle and hide handlers flip the menu's check mark and follow it.
void FlipViewLegendCheck(ChartState& chart) {
  MenuItem& item = chart.children.mnuViewLegend;
  item.Checked = !item.Checked;
  chart.legendVisible = item.Checked;
}

}  // namespace

void ToggleLegend(ChartState& chart) {
  FlipViewLegendCheck(chart);
  ShowLegend(chart, !chart.legendVisible);
  DrawChart(chart);
}

void HideLegend(ChartState& chart) {
  // Opened from the shown panel, so this normally clears the check mark.
  FlipViewLegendCheck(chart);
  ShowLegend(chart, true);
  DrawChart(chart);
}

}  // namespace palvex
