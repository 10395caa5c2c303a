#include "theme/legend_panel.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/chart_error.h"
#include "support/chart_fixture.h"
#include "support/error_of.h"
#include "theme/themes.h"
#include "ui/scroll_bar.h"

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

TEST_F(LegendPanelTest, HidingAFoldedLegendChangesNothing) {
  const double margin = state().MarginRight;
  const ChildControls& ch = state().children;
  const double left = ch.picLegend.Left;
  surface().ops.clear();
  HideLegend(state());
  EXPECT_FALSE(ch.mnuViewLegend.Checked);
  EXPECT_FALSE(state().legendVisible);
  EXPECT_EQ(state().MarginRight, margin);
  EXPECT_EQ(ch.picLegend.Left, left);
  EXPECT_TRUE(surface().ops.empty());  // not even redrawn
}

TEST_F(LegendPanelTest, TheToggleFollowsTheMenuCheckAndThePlotMakesRoom) {
  AnimationPlayed();
  AddItems({10, 20});
  chart->Refresh();
  const double slot = state().barWidth;
  const double inner = state().children.picLegend.ScaleWidth();
  ToggleLegend(state());
  EXPECT_TRUE(state().children.mnuViewLegend.Checked);
  EXPECT_TRUE(state().legendVisible);
  EXPECT_DOUBLE_EQ(state().barWidth, slot - inner / 2);  // two slots share the loss
  ToggleLegend(state());
  EXPECT_FALSE(state().legendVisible);
  EXPECT_DOUBLE_EQ(state().barWidth, slot);
}

TEST_F(LegendPanelTest, TheBackgroundIsTheThemesLegendGradientOrPlain) {
  Control& panel = state().children.picLegend;
  state().ActiveTheme = ThemePersianGulf;
  PaintLegendBackground(state());
  EXPECT_EQ(panel.surface->PixelAt(50, 0), 0xCA6400u);
  const Color bottom = panel.surface->PixelAt(50, panel.surface->PixelHeight() - 1);
  EXPECT_NEAR(BlueOf(bottom), 0x66, 2);
  state().ActiveTheme = ThemeNormal;
  PaintLegendBackground(state());
  EXPECT_EQ(panel.surface->PixelAt(50, 10), 0xF0F5F5u);
}

class ScrollBarTest : public testing::ChartFixture {
 protected:
  void SetUp() override {
    for (int i = 0; i < 40; ++i) chart->AddItem(testing::Item(u"1", 10));
    AnimationPlayed();
    chart->Refresh();
  }
  Control& bar() { return state().children.vsbContainer; }
  // Presses and releases on the scroll bar at a height in its own twips.
  void Click(double y) {
    ScrollBarMouseDown(state(), 1, 100, static_cast<float>(y));
    ScrollBarMouseUp(state(), 1, 100, static_cast<float>(y));
  }
};

TEST_F(ScrollBarTest, ArrowsStepAnEntryAndTheTrackAPage) {
  ASSERT_TRUE(bar().Visible);
  Click(bar().Height - 10);  // the down arrow
  EXPECT_EQ(bar().Value, 26);
  EXPECT_EQ(state().children.picContainer.Top, -26 * 15);
  Click(10);  // the up arrow
  EXPECT_EQ(bar().Value, 0);
  Click(10);
  EXPECT_EQ(bar().Value, 0);   // never below the minimum
  Click(bar().Height * 0.75);  // the track below the thumb
  EXPECT_EQ(bar().Value, 362);
  for (int i = 0; i < 10; ++i) Click(bar().Height - 10);
  EXPECT_LE(bar().Value, bar().Max);
}

TEST_F(ScrollBarTest, DraggingTheThumbScrollsInProportion) {
  const ScrollBarLayout layout = LayoutScrollBar(bar(), 15);
  const double grab = layout.thumbTop + layout.thumbHeight / 2;
  ScrollBarMouseDown(state(), 1, 100, static_cast<float>(grab));
  ScrollBarMouseMove(state(), 1, 100, static_cast<float>(bar().Height));
  EXPECT_EQ(bar().Value, bar().Max);
  ScrollBarMouseMove(state(), 1, 100, 0);
  EXPECT_EQ(bar().Value, 0);
  ScrollBarMouseUp(state(), 1, 100, 0);
  ScrollBarMouseMove(state(), 1, 100, static_cast<float>(bar().Height));
  EXPECT_EQ(bar().Value, 0);  // released: moves no longer scroll
}

TEST_F(ScrollBarTest, RoutedInputReachesTheBarInsideTheShownLegend) {
  ShowLegend(state(), false);
  chart->Refresh();
  const Control& legend = state().children.picLegend;
  const float x = static_cast<float>(legend.Left + bar().Left + 100);
  const float y = static_cast<float>(legend.Top + bar().Top + bar().Height - 10);
  chart->MouseDown(1, 0, x, y);
  chart->MouseUp(1, 0, x, y);
  EXPECT_EQ(bar().Value, 26);
}

}  // namespace
}  // namespace palvex
