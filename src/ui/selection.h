#pragma once

#include <cstdint>

namespace palvex {

struct ChartState;

// The mouse handlers of the chart's own surface, in its twips. A right
// press opens the main menu; every press ends with MouseDown once any menu
// has closed, every release raises MouseUp.
void SurfaceMouseDown(ChartState& chart, std::int16_t button, std::int16_t shift, float x, float y);
void SurfaceMouseMove(ChartState& chart, std::int16_t buttons, std::int16_t shift, float x,
                      float y);
void SurfaceMouseUp(ChartState& chart, std::int16_t button, std::int16_t shift, float x, float y);

// A press on the label of description entry `index` (its own twips).
void DescriptionMouseDown(ChartState& chart, int index, std::int16_t button, std::int16_t shift,
                          float x, float y);

}  // namespace palvex
