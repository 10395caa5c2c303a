#pragma once

#include <cstdint>

namespace palvex {

struct ChartState;

// Fills and places the selection-information label for the selected
// column, whose bar spans barLeft..barRight (twips).
void UpdateInfoLabel(ChartState& chart, int column, double barLeft, double barRight);

// A press on the label, (x, y) in its own twips: the left button grabs it
// there and starts dragging it, which fixes its place; any other button
// opens the main menu as it stands.
void InfoLabelMouseDown(ChartState& chart, std::int16_t button, std::int16_t shift, float x,
                        float y);
// A double-click hides the label and lets it follow the selected bar again.
void InfoLabelDblClick(ChartState& chart);

}  // namespace palvex
