#pragma once

#include <cstdint>
#include <optional>

namespace palvex {

struct ChartState;

// The column slot under a point of the chart's surface (twips), and
// whether the point counts as on its bar: from the bar's top down to the
// plot's bottom edge, across the whole slot, while columns can be
// selected. Nothing when no bars were drawn or the point lies outside the
// column range.
struct ColumnHit {
  int column = 0;
  bool onBar = false;
};
std::optional<ColumnHit> HitTestColumn(const ChartState& chart, float x, float y);

// The mouse handlers of the chart's own surface, in its twips. A left
// press or drag selects the bar under the pointer and raises ItemClick for
// a newly selected column; a right press opens the main menu; every press
// ends with MouseDown once any menu has closed, every release raises
// MouseUp. Moves select and clear the selection while HotTracking is on.
void SurfaceMouseDown(ChartState& chart, std::int16_t button, std::int16_t shift, float x, float y);
void SurfaceMouseMove(ChartState& chart, std::int16_t buttons, std::int16_t shift, float x,
                      float y);
void SurfaceMouseUp(ChartState& chart, std::int16_t button, std::int16_t shift, float x, float y);

// A press on the label of description entry `index` (its own twips): the
// left button selects that column without an event and without scrolling
// the entry away from under the pointer.
void DescriptionMouseDown(ChartState& chart, int index, std::int16_t button, std::int16_t shift,
                          float x, float y);

// The SelectedColumn writer: selects and redraws, raises ItemClick for an
// existing column (also when it was selected already) and clears the
// selection silently for any other value. Never fails.
void WriteSelectedColumn(ChartState& chart, std::int32_t column);

// The keyboard's ways to the selection: a column selected as a left press
// on its bar selects it, and the selection cleared as hot tracking clears
// it when the pointer leaves the bars.
void SelectColumnAsPressed(ChartState& chart, int column);
void ClearSelectionAsHovered(ChartState& chart);

}  // namespace palvex
