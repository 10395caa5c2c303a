#include "theme/legend_panel.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/chart_error.h"
#include "support/chart_fixture.h"
#include "support/error_of.h"

namespace palvex {
namespace {

using LegendPanelTest = testing::ChartFixture;

TEST_F(LegendPanelTest, ShowingTwiceWidensTheMarginTwiceByTheInnerWidth) {
  const double margin = state().MarginRight;
  Control& panel = state().children.picLegend;
  ShowLegend(state(), false);
  ShowLegend(state(), false);
  EXPECT_TRUE(state().legendVisible);
  EXPECT_EQ(state().MarginRight, margin + 2 * panel.ScaleWidth());
  // One pixel past the right edge, full height.
  EXPECT_EQ(panel.Left, state().surface->ScaleWidth() - panel.Width + 15);
  EXPECT_EQ(panel.Top, 0);
  EXPECT_EQ(panel.Height, state().surface->ScaleHeight());
  EXPECT_EQ(state().children.lblSlider.Caption, u"\u00BB");
}

TEST_F(LegendPanelTest, FoldingTwiceNarrowsTheMarginTwiceByTheOuterWidth) {
  const double margin = state().MarginRight;
  const ChildControls& ch = state().children;
  ShowLegend(state(), true);
  ShowLegend(state(), true);
  EXPECT_FALSE(state().legendVisible);
  EXPECT_EQ(state().MarginRight, margin - 2 * ch.picLegend.Width);
  EXPECT_EQ(ch.picLegend.Left, state().surface->ScaleWidth() - ch.lblSlider.Width);
  EXPECT_EQ(ch.lblSlider.Caption, u"\u00AB");
  EXPECT_EQ(ch.lblSlider.Height, ch.picLegend.ScaleHeight());
}

TEST_F(LegendPanelTest, AMarginThatCannotGrowFailsWithOverflowAfterTheSwitch) {
  state().MarginRight = INFINITY;
  EXPECT_EQ(testing::ErrorOf([&] { ShowLegend(state(), false); }), kErrOverflow);
  EXPECT_TRUE(state().legendVisible);
}

}  // namespace
}  // namespace palvex
