#pragma once

#include <cstdint>

#include "platform/font.h"

namespace palvex {

struct ChartItem;
struct ChartState;

// The round top of the value scale for a largest value m: 10 up to 10,
// otherwise the first two digits rounded up to a multiple of 5 (2345 ->
// 2500, 2765 -> 3000). Raises Overflow past the 32-bit range.
std::int32_t GetYTopLegend(std::int32_t m);

// The colour pair (0 to 9) of an item's bar, from its ItemID; fails as a
// pass does on an ID that is no number (Type mismatch) or gives no pair.
std::int32_t BarColorIndex(const ChartItem& item);

// Fails as the next pass would once item is added to chart: a scale past
// the 32-bit range, an ItemID that gives no colour, a 32,768th item.
void CheckDrawable(const ChartState& chart, const ChartItem& item);

// Lays out and paints the whole chart in one pass. Does nothing while a
// pass is running; a pass that fails still leaves the control able to draw.
void DrawChart(ChartState& chart);

// The face a pass leaves the chart's surface in for the plot's texts, one
// point larger than the captions: the control's own (a regular Song face,
// 9 points), or the host's label font. The next pass centres the title in
// it.
FontSpec LabelBase(const ChartState& chart);

}  // namespace palvex
