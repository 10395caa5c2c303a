#include "ui/about.h"

#include "control/chart_state.h"

namespace palvex {

void ShowAboutBox(ChartState& chart) {
  chart.host.ShowAbout();
}

}  // namespace palvex
