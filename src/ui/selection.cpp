#include "ui/selection.h"

#include "control/chart_state.h"
#include "ui/menu_commands.h"

namespace palvex {

namespace {
constexpr std::int16_t kRightButton = 2;
}  // namespace

void SurfaceMouseDown(ChartState& chart, std::int16_t button, std::int16_t shift, float x,
                      float y) {
  // A press while a pass is running is ignored entirely.
  if (chart.drawing) return;
  if (button == kRightButton) {
    AdjustMainMenu(chart.children, chart.Selectable);
    PopupMenuAndRun(chart, chart.children.mnuMain, x, y);
  }
  chart.events.RaiseMouseDown(button, shift, x, y);
}

void SurfaceMouseMove(ChartState&, std::int16_t, std::int16_t, float, float) {}

void SurfaceMouseUp(ChartState& chart, std::int16_t button, std::int16_t shift, float x, float y) {
  chart.events.RaiseMouseUp(button, shift, x, y);
}

void DescriptionMouseDown(ChartState&, int, std::int16_t, std::int16_t, float, float) {}

}  // namespace palvex
