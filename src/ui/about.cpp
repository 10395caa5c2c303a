#include "ui/about.h"

#include "model/chart_state.h"

namespace palvex {

void ShowAboutBox(ChartState& chart) {
  chart.host.ShowAbout();
}

}  // namespace palvex
