#pragma once

#include <string_view>

namespace palvex {

struct ChartState;
struct MenuItem;

// What choosing a menu item does, by the item's name; every menu of the
// control ends here, whichever gesture opened it. Unknown names do nothing.
void RunMenuItem(ChartState& chart, std::string_view itemName);

// Pops up a menu at (x, y) in the chart's twips through the host, waits
// until it closes and runs the chosen item.
void PopupMenuAndRun(ChartState& chart, MenuItem& root, double x, double y);

}  // namespace palvex
