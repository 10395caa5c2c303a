#pragma once

namespace palvex {

struct ChartState;

// The about window: a borderless picture of this size, centred on its
// owner, modal, closed by any mouse press on it; one at a time.
constexpr int kAboutWidthPx = 480;
constexpr int kAboutHeightPx = 280;

// Shows the about window and returns once the user has closed it. The
// chart's state is not touched.
void ShowAboutBox(ChartState& chart);

}  // namespace palvex
