#include "theme/legend_panel.h"

#include "control/chart_state.h"
#include "render/draw_chart.h"

namespace palvex {

void PaintLegendBackground(ChartState& chart) {
  chart.children.picLegend.surface->Cls();
}

void ShowLegend(ChartState& chart, bool bHidden) {
  chart.legendVisible = !bHidden;
}

void ToggleLegend(ChartState& chart) {
  MenuItem& item = chart.children.mnuViewLegend;
  item.Checked = !item.Checked;
  chart.legendVisible = item.Checked;
  ShowLegend(chart, !chart.legendVisible);
  DrawChart(chart);
}

void HideLegend(ChartState& chart) {
  // Opened from the shown panel, so this normally clears the check mark.
  MenuItem& item = chart.children.mnuViewLegend;
  item.Checked = !item.Checked;
  chart.legendVisible = item.Checked;
  ShowLegend(chart, true);
  DrawChart(chart);
}

}  // namespace palvex
