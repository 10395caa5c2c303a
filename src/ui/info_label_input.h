#pragma once

#include <cstdint>
#include <optional>

namespace palvex {

struct ChartState;

// A press on the label, (x, y) in its own twips: the left button grabs it
// there and starts dragging it, which fixes its place; any other button
// opens the main menu as it stands.
void InfoLabelMouseDown(ChartState& chart, std::int16_t button, std::int16_t shift, float x,
                        float y);
// A double-click hides the label and lets it follow the selected bar again.
void InfoLabelDblClick(ChartState& chart);

// Where the outline of a dragged label lies with the pointer at (x, y) of
// the chart (twips): the label's size, held by the point it was grabbed
// at. Nothing while no label is being dragged.
struct DragOutline {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};
std::optional<DragOutline> DragOutlineAt(ChartState& chart, float x, float y);

}  // namespace palvex
