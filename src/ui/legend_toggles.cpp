#include "ui/legend_toggles.h"

#include "model/chart_state.h"
#include "render/draw_chart.h"
#include "theme/legend_panel.h"

namespace palvex {

void ToggleLegend(ChartState& chart) {
  // The panel follows the menu's check mark.
  MenuItem& item = chart.children.mnuViewLegend;
  item.Checked = !item.Checked;
  chart.legendVisible = item.Checked;
  ShowLegend(chart, !chart.legendVisible);
  DrawChart(chart);
}

void HideLegend(ChartState& chart) {
  // The legend menu also opens on the folded panel's strip left of the
  // slider; folding again there would take the panel's width off the
  // margin a second time and push the plot past the right edge.
  if (!chart.legendVisible) return;
  chart.children.mnuViewLegend.Checked = false;
  ShowLegend(chart, true);
  DrawChart(chart);
}

}  // namespace palvex
