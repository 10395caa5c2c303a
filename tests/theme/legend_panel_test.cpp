#include "theme/legend_panel.h"
#include "ui/legend_toggles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

#include "platform/chart_error.h"
#include "support/chart_fixture.h"
#include "support/error_of.h"
#include "theme/legend_entries.h"
#include "theme/themes.h"
#include "ui/keyboard.h"
#include "ui/menu_commands.h"
#include "ui/scroll_bar.h"

namespace palvex {
namespace {

using LegendPanelTest = testing::ChartFixture;

TEST_F(LegendPanelTest, ShownItLiesAtTheRightEdgeAndFoldedOnlyItsStripShows) {
  Control& panel = state().children.picLegend;
  const ChildControls& ch = state().children;
  ShowLegend(state(), false);
  // One pixel past the right edge, full height.
  EXPECT_EQ(panel.Left, state().surface->ScaleWidth() - panel.Width + 15);
  EXPECT_EQ(panel.Top, 0);
  EXPECT_EQ(panel.Height, state().surface->ScaleHeight());
  EXPECT_EQ(ch.lblSlider.Caption, u"\u00BB");
  ShowLegend(state(), true);
  EXPECT_EQ(ch.picLegend.Left, state().surface->ScaleWidth() - ch.lblSlider.Width);
  EXPECT_EQ(ch.lblSlider.Caption, u"\u00AB");
  EXPECT_EQ(ch.lblSlider.Height, ch.picLegend.ScaleHeight());
}

// However the panel is switched, the plot gives it its width once when it
// opens and takes it back once when it folds, and "show legend" is checked
// exactly while it is shown.
TEST_F(LegendPanelTest, EveryWayOfSwitchingMovesTheMarginOnceAndTheCheckFollows) {
  AnimationPlayed();
  const double margin = state().MarginRight;
  const double width = state().children.picLegend.ScaleWidth();
  const struct Step {
    const char* way;
    std::function<void()> run;
    bool shown;
  } steps[] = {
      {"host shows", [&] { chart->ShowLegend(false); }, true},
      {"slider folds", [&] { ToggleLegend(state()); }, false},
      {"menu shows", [&] { RunMenuItem(state(), "mnuViewLegend"); }, true},
      {"host shows again", [&] { chart->ShowLegend(false); }, true},
      {"key folds", [&] { HandleKey(state(), ChartKey::ToggleLegend); }, false},
      {"host folds again", [&] { chart->ShowLegend(true); }, false},
      {"hide item on the folded strip", [&] { RunMenuItem(state(), "mnuLegendHide"); }, false},
      {"slider shows", [&] { ToggleLegend(state()); }, true},
      {"hide item folds", [&] { RunMenuItem(state(), "mnuLegendHide"); }, false},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.way);
    step.run();
    EXPECT_EQ(state().legendVisible, step.shown);
    EXPECT_EQ(state().children.mnuViewLegend.Checked, step.shown);
    EXPECT_EQ(state().MarginRight, step.shown ? margin + width : margin);
  }
}

TEST_F(LegendPanelTest, AMarginThatCannotGrowFailsWithOverflowAndSwitchesNothing) {
  state().MarginRight = INFINITY;
  EXPECT_EQ(testing::ErrorOf([&] { ShowLegend(state(), false); }), kErrOverflow);
  EXPECT_FALSE(state().legendVisible);
  EXPECT_FALSE(state().children.mnuViewLegend.Checked);
}

TEST_F(LegendPanelTest, FoldingGivesBackNoMoreThanTheMarginHas) {
  ShowLegend(state(), false);
  state().MarginRight = 30;  // narrowed by the host while the legend was open
  ShowLegend(state(), true);
  EXPECT_EQ(state().MarginRight, 0);
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
  PaintLegendBackground(panel, state().ActiveTheme);
  EXPECT_EQ(panel.surface->PixelAt(50, 0), 0xCA6400u);
  const Color bottom = panel.surface->PixelAt(50, panel.surface->PixelHeight() - 1);
  EXPECT_NEAR(BlueOf(bottom), 0x66, 2);
  state().ActiveTheme = ThemeNormal;
  PaintLegendBackground(panel, state().ActiveTheme);
  EXPECT_EQ(panel.surface->PixelAt(50, 10), 0xF0F5F5u);

  // A new theme reaches the shown panel at once, not at its next resize,
  // and the entries' gradient with it.
  AnimationPlayed();
  AddItems({10, 20});
  ShowLegend(state(), false);
  chart->SetActiveTheme(ThemeNeon);
  EXPECT_EQ(panel.surface->PixelAt(50, 0), 0x4B4B4Bu);
  EXPECT_EQ(state().children.entries.Look().top, 0x4B4B4Bu);
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

TEST_F(ScrollBarTest, HeldArrowsAndTrackRepeatWhileThePointerStaysOnThem) {
  const double h = bar().Height;  // Max 688, a page 362, the thumb 225 high
  struct Case {
    const char* part;
    double y;
    int start;
    std::vector<int> values;  // after the press, then after each tick
    bool repeats;
  } cases[] = {
      {"down arrow", h - 10, 0, {26, 52, 78}, true},
      {"up arrow", 10, 60, {34, 8, 0}, true},
      // Paging stops once the thumb has passed the pointer.
      {"track below the thumb", h * 0.75, 0, {362, 688, 688}, true},
      {"track above the thumb", h * 0.25, 688, {326, 0, 0}, true},
      {"thumb", 337, 0, {0, 0, 0}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.part);
    ScrollEntries(state(), c.start);
    ScrollBarMouseDown(state(), 1, 100, static_cast<float>(c.y));
    std::vector<int> values{bar().Value};
    EXPECT_EQ(host.scrollRepeatArmed(), c.repeats);
    for (int tick = 0; tick < 2; ++tick) {
      chart->ScrollRepeatTick();
      values.push_back(bar().Value);
    }
    EXPECT_EQ(values, c.values);
    ScrollBarMouseUp(state(), 1, 100, static_cast<float>(c.y));
    EXPECT_FALSE(host.scrollRepeatArmed());
    chart->ScrollRepeatTick();
    EXPECT_EQ(bar().Value, c.values.back());
  }

  // Off the arrow the repeat pauses, and goes on when the pointer is back.
  ShowLegend(state(), false);
  chart->Refresh();
  ScrollEntries(state(), 0);
  const Control& legend = state().children.picLegend;
  const float x = static_cast<float>(legend.Left + bar().Left + 100);
  const float arrow = static_cast<float>(legend.Top + bar().Top + bar().Height - 10);
  chart->MouseDown(1, 0, x, arrow);
  chart->MouseMove(1, 0, x, arrow + 300);
  chart->ScrollRepeatTick();
  EXPECT_EQ(bar().Value, 26);
  chart->MouseMove(1, 0, x, arrow - 10);
  chart->ScrollRepeatTick();
  EXPECT_EQ(bar().Value, 52);
  // A release the chart never saw: the next move has no button held.
  chart->MouseMove(0, 0, x, arrow);
  chart->ScrollRepeatTick();
  EXPECT_EQ(bar().Value, 52);
  EXPECT_FALSE(host.scrollRepeatArmed());
}

TEST_F(ScrollBarTest, TheWheelOverTheListScrollsThreeEntriesANotch) {
  ShowLegend(state(), false);
  chart->Refresh();
  const ChildControls& ch = state().children;
  // A point inside a child of the legend, in the chart's twips.
  auto inside = [&](const Control& c, double dy = 0) {
    double x = c.Left + 30, y = c.Top + 30 + dy;
    for (const Control* p = c.Parent; p; p = p->Parent) {
      x += p->Left;
      y += p->Top;
    }
    return std::pair{static_cast<float>(x), static_cast<float>(y)};
  };
  ScrollEntries(state(), 100);  // where every case starts
  struct Case {
    const char* where;
    std::pair<float, float> at;
    int delta;
    int value;  // from `from`; an entry is 26 pixels
    bool taken;
    int from = 100;
  } cases[] = {
      {"the list, a notch towards the user", inside(ch.picContainer, 3000), -120, 178, true},
      {"the list, a notch away", inside(ch.picContainer, 3000), 120, 22, true},
      {"the scroll bar", inside(ch.vsbContainer, 2000), -120, 178, true},
      {"a description", inside(*ch.entries.Label(10)), -240, 256, true},
      {"past the last entry", inside(ch.picContainer, 3000), -12000, ch.vsbContainer.Max, true},
      {"past the first entry", inside(ch.picContainer, 3000), 12000, 0, true},
      // At the end it turns towards, the list leaves the wheel to the parent.
      {"the list at its last entry", inside(ch.picContainer, 3000), -120, ch.vsbContainer.Max,
       false, ch.vsbContainer.Max},
      {"the list at its first entry", inside(ch.picContainer, 3000), 120, 0, false, 0},
      {"the slider", inside(ch.lblSlider), -120, 100, false},
      {"the chart", {1000, 1000}, -120, 100, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.where);
    ScrollEntries(state(), c.from);
    EXPECT_EQ(chart->MouseWheel(c.delta, c.at.first, c.at.second), c.taken);
    EXPECT_EQ(bar().Value, c.value);
  }

  // A fine wheel scrolls an entry for each third of a notch; turning back
  // drops what was left over.
  const auto [x, y] = inside(ch.picContainer, 3000);
  ScrollEntries(state(), 100);
  for (int delta : {-30, -30, -20}) chart->MouseWheel(delta, x, y);
  EXPECT_EQ(bar().Value, 152);
  chart->MouseWheel(-30, x, y);
  chart->MouseWheel(30, x, y);
  EXPECT_EQ(bar().Value, 152);
}

TEST_F(ScrollBarTest, ANonFiniteCoordinateIsAMiss) {
  const ScrollBarLayout layout = LayoutScrollBar(bar(), 15);
  const float thumb = static_cast<float>(layout.thumbTop + layout.thumbHeight / 2);
  for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                    -std::numeric_limits<float>::infinity()}) {
    SCOPED_TRACE(bad);
    ScrollEntries(state(), 0);
    ScrollBarMouseDown(state(), 1, 100, thumb);
    ScrollBarMouseMove(state(), 1, 100, bad);  // while dragging the thumb
    EXPECT_EQ(bar().Value, 0);
    ScrollBarMouseUp(state(), 1, 100, bad);
    for (auto [x, y] : {std::pair{100.0f, bad}, {bad, 10.0f}}) {
      ScrollBarMouseDown(state(), 1, x, y);
      ScrollBarMouseMove(state(), 1, 100, thumb + 500);  // no thumb was grabbed
      EXPECT_EQ(bar().Value, 0);
      EXPECT_FALSE(host.scrollRepeatArmed());
      ScrollBarMouseUp(state(), 1, x, y);
    }
  }
}

}  // namespace
}  // namespace palvex
