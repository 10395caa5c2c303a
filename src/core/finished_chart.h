#pragma once

namespace palvex {

class PalvexChart;

// Delivers the start timer's tick of a shown chart at once, so the bars
// grow on the host's clock. The control lets a failed animation end
// quietly; this raises the error that stopped it, since a picture of bars
// cut short must not pass for the chart.
void FinishGrowth(PalvexChart& chart);

}  // namespace palvex
