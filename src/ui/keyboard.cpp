#include "ui/keyboard.h"

#include <algorithm>
#include <cmath>

#include "model/chart_state.h"
#include "ui/menu_commands.h"
#include "ui/selection.h"

namespace palvex {

namespace {

int DrawnColumns(const ChartState& chart) {
  return static_cast<int>(std::min(chart.barTops.size(), chart.items().size()));
}

// The column an arrow, Home or End moves to; nothing when there is no bar
// the user may select.
std::optional<int> TargetColumn(const ChartState& chart, ChartKey key) {
  const int n = DrawnColumns(chart);
  if (n == 0 || !chart.Selectable) return std::nullopt;
  const int current = chart.SelectedColumn >= 0 && chart.SelectedColumn < n
                          ? static_cast<int>(chart.SelectedColumn)
                          : -1;
  switch (key) {
    case ChartKey::NextBar:
      return current < 0 ? 0 : std::min(current + 1, n - 1);
    case ChartKey::PreviousBar:
      return current < 0 ? n - 1 : std::max(current - 1, 0);
    case ChartKey::FirstBar:
      return 0;
    case ChartKey::LastBar:
      return n - 1;
    default:
      return std::nullopt;
  }
}

void OpenMainMenu(ChartState& chart) {
  double x = chart.surface->ScaleWidth() / 2, y = chart.surface->ScaleHeight() / 2;
  if (const std::optional<ChartRect> bar = SelectedBarSlot(chart)) {
    x = bar->left + bar->width / 2;
    y = bar->top;
  }
  AdjustMainMenu(chart.children, chart.Selectable);
  PopupMenuAndRun(chart, chart.children.mnuMain, x, y);
}

}  // namespace

bool WantsKey(const ChartState& chart, ChartKey key) {
  switch (key) {
    case ChartKey::PreviousBar:
    case ChartKey::NextBar:
    case ChartKey::FirstBar:
    case ChartKey::LastBar:
      return TargetColumn(chart, key).has_value();
    case ChartKey::ClearSelection:
      // Only a selection the user sees: the column number a cleared list
      // or a host keeps is no reason to hold Escape back from a dialog.
      return SelectedBarSlot(chart).has_value();
    default:
      return true;
  }
}

bool HandleKey(ChartState& chart, ChartKey key) {
  if (!WantsKey(chart, key)) return false;
  switch (key) {
    case ChartKey::PreviousBar:
    case ChartKey::NextBar:
    case ChartKey::FirstBar:
    case ChartKey::LastBar:
      SelectColumnAsPressed(chart, *TargetColumn(chart, key));
      return true;
    case ChartKey::ClearSelection:
      ClearSelectionAsHovered(chart);
      return true;
    case ChartKey::MainMenu:
      OpenMainMenu(chart);
      return true;
    case ChartKey::Copy:
      RunMenuItem(chart, "mnuEditCopy");
      return true;
    case ChartKey::ToggleLegend:
      RunMenuItem(chart, "mnuViewLegend");
      return true;
  }
  return false;
}

std::optional<ChartRect> SelectedBarSlot(const ChartState& chart) {
  const double column = chart.SelectedColumn;
  if (!chart.Selectable || !chart.animationDone || column < 0 || column >= DrawnColumns(chart))
    return std::nullopt;
  return BarSlot(chart, static_cast<int>(column));
}

std::optional<ChartRect> BarSlot(const ChartState& chart, int column) {
  if (column < 0 || column >= DrawnColumns(chart)) return std::nullopt;
  const double top = chart.barTops[static_cast<std::size_t>(column)];
  const double base = chart.surface->ScaleHeight() - chart.MarginBottom;
  return ChartRect{chart.MarginLeft + column * chart.barWidth, std::min(top, base), chart.barWidth,
                   std::abs(base - top)};
}

}  // namespace palvex
