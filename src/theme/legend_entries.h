#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/color.h"

namespace palvex {

struct ChartState;

// The selected bar's pair of colours.
inline constexpr Color kSelectedFirst = 0xB3E9FC;
inline constexpr Color kSelectedSecond = 0x33C0F4;
// With the host's own bar colours the entries' colour boxes take them from
// the first slots of the palette, at most this many, and the selected
// bar's pair from the slot after them.
inline constexpr std::size_t kMaxHostBarColors = 15;
inline constexpr std::int32_t kHostSelectedColorIndex = 15;

// Adds the next description entry (colour box and label) for an item.
void AddLegendEntry(ChartState& chart, const std::u16string& description, std::int32_t colorIndex);
// Makes element index of the description array so named (Box or
// lblDescription) exist, with its partner, when its entry is out of view:
// a script or a held mouse button may ask for any entry by name. Other
// names, and entries that are not there, are left alone.
void MakeEntryExist(ChartState& chart, std::string_view arrayName, int index);
// Makes the controls of the entries the legend shows from their records,
// and drops those of entries out of view.
void ShowEntriesInView(ChartState& chart);
// Sets the stack's height from the entries there are, and fits the
// scroll bar to it.
void FitEntriesToStack(ChartState& chart);
// Sets the scroll bar's range, steps and visibility from the entries there
// are and the legend's height, keeping its value within the new range.
void FitEntriesScrollBar(ChartState& chart);
// Removes every entry; errors are ignored step by step.
void ClearLegendEntries(ChartState& chart);
// Paints the description panel, at its present size, so that it blends
// into the legend panel behind.
void PaintEntriesBackground(ChartState& chart);
// Brings the description panel's picture to the rows in view of the
// legend panel; cheap when they are the ones it holds.
void PaintEntriesInView(ChartState& chart);
// Scrolls the description panel up by value pixels (the scroll bar's value).
void ScrollEntries(ChartState& chart, int value);
// Scrolls the selected column's entry into view and frames it in white; a
// selection with no entry (past the last item) frames nothing.
void FrameSelectedEntry(ChartState& chart);

}  // namespace palvex
