#pragma once

#include <QByteArray>
#include <functional>
#include <vector>

#include "control/palvex_chart.h"

namespace palvex {

// Runs a change on the chart. When it raises, the design-time properties
// and the picture are put back as they were before the error goes on, so a
// refused call leaves no property half-changed and the chart shown and
// exported as before.
void AllOrNothing(PalvexChart& chart, const std::function<void()>& change);

// Adds an item, refusing one the next pass could not draw with the error
// that pass would raise (the control itself takes any item and fails then,
// and every pass after).
void AddDrawableItem(PalvexChart& chart, const ChartItem& item);

// Replaces every item and redraws once; a value that is not a finite
// number or a pass that fails on an item refuses the whole list.
void ReplaceItems(PalvexChart& chart, const std::vector<ChartItem>& items);

// The design-time properties as the control's property bag holds them
// (JSON), and back. RestoreState refuses a state that does not parse, that
// the control cannot load, whose properties cannot be read back, or that
// check rejects; the chart is then left as it was. It redraws when asked.
QByteArray SaveState(const PalvexChart& chart);
void RestoreState(PalvexChart& chart, const QByteArray& state, bool redraw,
                  const std::function<void(PalvexChart&)>& check = {});

}  // namespace palvex
