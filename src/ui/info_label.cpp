#include "ui/info_label.h"

#include "control/chart_state.h"

namespace palvex {

void UpdateInfoLabel(ChartState& chart, int, double, double) {
  chart.children.lblInfo.Visible = true;
}

}  // namespace palvex
