#pragma once

#include <optional>

namespace palvex {

struct ChartState;

// What the keyboard can ask of the chart, whatever keys a window maps to it.
enum class ChartKey {
  PreviousBar,
  NextBar,
  FirstBar,
  LastBar,
  ClearSelection,
  MainMenu,
  Copy,
  ToggleLegend,
};

// Does what the key asks, by the same paths the mouse and the menu take: a
// bar is selected as a press on it selects it (one redraw, ItemClick), the
// selection cleared as hot tracking clears it, the main menu opened at the
// selected bar (or the chart's centre), Copy and the legend run as their
// menu items. False when the chart has no use for the key now (nothing to
// select, no bar shown selected), so the window can pass it on.
bool HandleKey(ChartState& chart, ChartKey key);
// Whether HandleKey would use the key now: the window claims such keys
// before its host's shortcuts can take them.
bool WantsKey(const ChartState& chart, ChartKey key);

// A rectangle of the chart in twips.
struct ChartRect {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};

// The slot of a drawn bar's column, from its top (or the baseline,
// whichever is higher) to the other; nothing for a column not drawn.
std::optional<ChartRect> BarSlot(const ChartState& chart, int column);
// The slot of the bar drawn as selected; nothing when no bar is drawn so.
std::optional<ChartRect> SelectedBarSlot(const ChartState& chart);

}  // namespace palvex
