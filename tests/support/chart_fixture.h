#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "control/palvex_chart.h"
#include "platform/qt/headless_host.h"
#include "support/error_of.h"
#include "support/recording_surface.h"

namespace palvex::testing {

// A newly placed control on a headless host, its surface wrapped in a
// recorder. The colour table is filled as after the start timer's tick.
class ChartFixture : public ::testing::Test {
 protected:
  ChartFixture();

  // Items with ids "1".."n" and the given values.
  void AddItems(std::initializer_list<double> values);
  // Marks the animation as played, so passes paint bars directly.
  void AnimationPlayed() { state().animationDone = true; }

  ChartState& state() { return chart->state(); }
  RecordingSurface& surface() { return *recorder; }

  HeadlessHost host;
  std::unique_ptr<PalvexChart> chart;
  RecordingSurface* recorder = nullptr;
};

ChartItem Item(const std::u16string& id, double value, const std::u16string& axis = u"",
               const std::u16string& description = u"");

}  // namespace palvex::testing
