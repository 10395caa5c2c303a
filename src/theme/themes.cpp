#include "theme/themes.h"

#include "control/chart_state.h"

namespace palvex {

void DrawBackTheme(ChartState& chart) {
  chart.surface->Cls();
}

void DrawIntersect(ChartState&, std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}

Color GetThemeLineColor(const ChartState&) {
  return 0;
}

void ApplyThemeColors(ChartState&) {}

}  // namespace palvex
