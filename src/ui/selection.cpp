#include "ui/selection.h"

#include <cmath>
#include <exception>

#include "model/chart_state.h"
#include "platform/mouse_buttons.h"
#include "platform/numeric.h"
#include "platform/scope_guard.h"
#include "render/draw_chart.h"
#include "theme/legend_entries.h"
#include "ui/menu_commands.h"

namespace palvex {

namespace {

// mouseBusy is cleared on every way out of a handler that set it, also
// when its redraw or a host's event handler fails: a flag left set would
// keep the mouse from ever selecting again.
[[nodiscard]] SetOnExit MouseBusy(ChartState& chart) {
  chart.mouseBusy = true;
  return SetOnExit(chart.mouseBusy, false);
}

void Redraw(ChartState& chart) {
  // The clear belongs to the pass, which can then repaint only the bars
  // that changed.
  const DrawingPass pass(*chart.surface);
  chart.surface->Cls();
  DrawChart(chart);
}

// What shows no selection: nothing selected, no information label.
void ClearSelectionSilently(ChartState& chart) {
  chart.SelectedColumn = -1;
  chart.children.lblInfo.Visible = false;
}

enum class Selected { Done, ItemGone };

// The pointer selects column: redraw once for a column not yet drawn
// highlighted and, when asked, raise ItemClick for it. Nothing while
// another mouse handler is between its decision and its redraw.
Selected SelectFromMouse(ChartState& chart, int column, bool raiseItemClick) {
  if (chart.mouseBusy) return Selected::Done;
  const SetOnExit busy = MouseBusy(chart);
  chart.SelectedColumn = column;
  if (chart.SelectedColumn == chart.drawnSelection) return Selected::Done;
  Redraw(chart);
  chart.drawnSelection = chart.SelectedColumn;
  if (!raiseItemClick) return Selected::Done;
  // The bars may outlive their items: a cleared list keeps the last
  // layout until items come again. There is nothing to report then, and
  // no column to show as selected.
  if (column >= static_cast<int>(chart.items().size())) {
    ClearSelectionSilently(chart);
    chart.drawnSelection = -1;
    return Selected::ItemGone;
  }
  // Raised while mouseBusy is still set, so that moves delivered during
  // the host's handler leave the selection alone.
  chart.events.RaiseItemClick(chart.items()[column]);
  return Selected::Done;
}

// Hot tracking off the bars. A selection the host made is also on screen
// although no mouse handler drew it, so it is redrawn away as well rather
// than left highlighted while SelectedColumn already reads -1.
void ClearHotSelection(ChartState& chart) {
  if (chart.mouseBusy) return;
  const SetOnExit busy = MouseBusy(chart);
  const bool shown = chart.drawnSelection != -1 || chart.SelectedColumn != -1;
  chart.SelectedColumn = -1;
  if (!shown) return;
  Redraw(chart);
  chart.drawnSelection = -1;
}

// The main menu from the surface. The press ends with MouseDown whatever
// the chosen item did; its failure reaches the caller after that.
void RightPress(ChartState& chart, std::int16_t shift, float x, float y) {
  std::exception_ptr failure;
  try {
    AdjustMainMenu(chart.children, chart.Selectable);
    PopupMenuAndRun(chart, chart.children.mnuMain, x, y);
  } catch (const ChartError&) {
    failure = std::current_exception();
  }
  chart.events.RaiseMouseDown(kRightButton, shift, x, y);
  if (failure) std::rethrow_exception(failure);
}

}  // namespace

std::optional<ColumnHit> HitTestColumn(const ChartState& chart, float x, float y) {
  if (chart.barTops.empty() || !std::isfinite(x) || !std::isfinite(y)) return std::nullopt;
  // Slots are counted in whole twips; a slot that rounds to nothing or a
  // position beyond the 32-bit range lies in no column.
  std::int64_t offset = 0, slot = 0;
  try {
    offset = ToInt32(static_cast<double>(x) - chart.MarginLeft);
    slot = ToInt32(chart.barWidth);
  } catch (const ChartError&) {
    return std::nullopt;
  }
  if (slot == 0) return std::nullopt;
  // Truncates toward zero: up to one slot left of the plot is column 0.
  const std::int64_t column = offset / slot;
  if (column < 0 || column >= static_cast<std::int64_t>(chart.barTops.size())) {
    return std::nullopt;
  }
  // Compared as the 32-bit floats the pointer position comes in.
  const double plotBottom = chart.surface->ScaleHeight() - chart.MarginBottom;
  const bool inPlot = static_cast<float>(plotBottom) >= y;
  ColumnHit hit;
  hit.column = static_cast<int>(column);
  hit.onBar = static_cast<float>(chart.barTops[column]) <= y && chart.Selectable && inPlot;
  return hit;
}

void SurfaceMouseDown(ChartState& chart, std::int16_t button, std::int16_t shift, float x,
                      float y) {
  // A press while a pass is running is ignored entirely.
  if (chart.drawing) return;
  if (button == kRightButton) {
    RightPress(chart, shift, x, y);
    return;
  }
  if (button == kLeftButton) {
    // A press beside every column raises nothing at all.
    const std::optional<ColumnHit> hit = HitTestColumn(chart, x, y);
    if (!hit) return;
    if (hit->onBar && SelectFromMouse(chart, hit->column, true) == Selected::ItemGone) return;
  }
  chart.events.RaiseMouseDown(button, shift, x, y);
}

void SurfaceMouseMove(ChartState& chart, std::int16_t buttons, std::int16_t, float x, float y) {
  if (chart.drawing) return;
  if (chart.HotTracking) {
    const std::optional<ColumnHit> hit = HitTestColumn(chart, x, y);
    if (!hit) return;  // beside the columns the last hot one stays
    if (hit->onBar) {
      SelectFromMouse(chart, hit->column, false);
    } else {
      ClearHotSelection(chart);
    }
  } else if (buttons == kLeftButton) {
    const std::optional<ColumnHit> hit = HitTestColumn(chart, x, y);
    if (hit && hit->onBar) SelectFromMouse(chart, hit->column, true);
  }
}

void SurfaceMouseUp(ChartState& chart, std::int16_t button, std::int16_t shift, float x, float y) {
  chart.events.RaiseMouseUp(button, shift, x, y);
}

void DescriptionMouseDown(ChartState& chart, int index, std::int16_t button, std::int16_t, float,
                          float) {
  if (button != kLeftButton || !chart.Selectable) return;
  chart.SelectedColumn = index;
  chart.drawnSelection = index;
  // The pass scrolls towards the selected entry; the entry the user just
  // clicked must not move away from under the pointer.
  const int position = chart.children.vsbContainer.Value;
  DrawChart(chart);
  ScrollEntries(chart, position);
}

void WriteSelectedColumn(ChartState& chart, std::int32_t column) {
  // The host never sees an error from here, and each step runs whatever
  // the one before did: a pass that fails must not leave an invalid column
  // selected, or every later pass would fail on it too.
  chart.SelectedColumn = column;
  // The pass lays out the current items, so a column added since the last
  // pass is valid below.
  IgnoreErrors([&] { DrawChart(chart); });
  const bool exists = column >= 0 && column < static_cast<std::int64_t>(chart.barTops.size()) &&
                      column < static_cast<std::int64_t>(chart.items().size());
  if (exists) {
    IgnoreErrors([&] { chart.events.RaiseItemClick(chart.items()[column]); });
  } else {
    ClearSelectionSilently(chart);
  }
}

void SelectColumnAsPressed(ChartState& chart, int column) {
  if (chart.drawing || chart.mouseBusy) return;
  // A selection the host wrote since was drawn by its own pass: what the
  // mouse last drew is no longer on screen, so a key back to that column
  // must draw and report it again.
  if (chart.drawnSelection != chart.SelectedColumn) chart.drawnSelection = -1;
  SelectFromMouse(chart, column, true);
}

void ClearSelectionAsHovered(ChartState& chart) {
  if (!chart.drawing) ClearHotSelection(chart);
}

}  // namespace palvex
