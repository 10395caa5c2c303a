#pragma once

namespace palvex {

struct ChartState;

// Fills and places the selection-information label for the selected
// column, whose bar spans barLeft..barRight (twips).
void UpdateInfoLabel(ChartState& chart, int column, double barLeft, double barRight);

}  // namespace palvex
