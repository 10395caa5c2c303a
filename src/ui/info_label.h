#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "control/chart_item.h"

namespace palvex {

struct ChartState;

// The label's three lines, separated by a carriage return: the item's axis
// text, its value as a whole amount with digit grouping ("1,234,567元",
// or with the given separator) and its selection description.
std::u16string InfoCaption(const ChartItem& item, std::u16string_view groupSeparator = u",");

// The start of every drawing pass over `columns` columns: the label is
// hidden, the menu's check mark follows SelectionInformation, and the
// label shows again only where this pass fills it in for a highlighted
// column (never before the growth animation has run).
void ShowInfoLabelForPass(ChartState& chart, std::int16_t columns);

// Fills the label for the selected column, whose bar spans barLeft..
// barRight (twips), and shows it; in follow mode it is centred under the
// bar, in fixed mode (tag "Fix") it stays where the user put it.
void UpdateInfoLabel(ChartState& chart, int column, double barLeft, double barRight);

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
