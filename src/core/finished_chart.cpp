#include "core/finished_chart.h"

#include "control/palvex_chart.h"

namespace palvex {

void FinishGrowth(PalvexChart& chart) {
  chart.StartTimerTick();
  if (const auto& failure = chart.state().animationFailure) throw *failure;
}

}  // namespace palvex
