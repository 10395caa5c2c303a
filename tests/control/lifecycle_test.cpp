// Show, the start timer's tick, resizes, the drop and termination.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "render/bars.h"
#include "support/chart_fixture.h"
#include "theme/legend_entries.h"
#include "theme/themes.h"

namespace palvex {
namespace {

using testing::ChartFixture;

class Lifecycle : public ChartFixture {
 protected:
  Lifecycle() { AddItems({40, 75, 20}); }
  // Whether the last pass recorded the bars for the growth animation
  // instead of painting them.
  bool AnimationPlayed() {
    for (const auto& record : state().animationBars) {
      if (!record.recorded) return false;
    }
    return !state().animationBars.empty();
  }
  bool Drew() { return !surface().Named("Print").empty(); }
};

TEST_F(Lifecycle, ShowPaintsTheBackgroundAndArmsTheTimerWithoutDrawing) {
  chart->Show();
  EXPECT_FALSE(surface().Named("Cls").empty());
  EXPECT_FALSE(Drew());
  EXPECT_TRUE(host.timerEnabled());
  EXPECT_EQ(host.timerInterval(), 100);
  EXPECT_TRUE(state().children.tmrStart.Enabled);
}

TEST_F(Lifecycle, TheTickFillsThePaletteAndDrawsWithTheAnimationOnce) {
  state().barPalette.fill(0);
  chart->Show();
  chart->StartTimerTick();
  EXPECT_FALSE(host.timerEnabled());
  EXPECT_FALSE(state().children.tmrStart.Enabled);
  EXPECT_TRUE(Drew());
  EXPECT_TRUE(AnimationPlayed());
  EXPECT_TRUE(state().animationDone);

  const Color light[10] = {0xFFEFB9, 0x4F7DFF, 0x00FE00, 0xFF83E9, 0xFFCE5F,
                           0x42C1FF, 0xA8FFD7, 0x9A3DC9, 0xFE0000, 0xA0FFFF};
  const Color dark[10] = {0xE69B1E, 0x000081, 0x007A00, 0xFF17D6, 0xD27400,
                          0x0000B9, 0x17A363, 0x6A0D99, 0x7A0000, 0x0CC5FA};
  for (int n = 0; n < 16; ++n) {
    EXPECT_EQ(state().barPalette[n], n < 10 ? light[n] : 0u) << n;
    EXPECT_EQ(state().barPalette[16 + n], n < 10 ? dark[n] : 0u) << 16 + n;
  }

  // One tick per showing: a late tick after the timer was disarmed does
  // nothing.
  surface().ops.clear();
  chart->StartTimerTick();
  EXPECT_FALSE(Drew());
}

TEST_F(Lifecycle, ShowingAgainPlaysTheAnimationAgain) {
  chart->Show();
  chart->StartTimerTick();
  chart->Resize(600, 400);
  EXPECT_FALSE(AnimationPlayed());
  chart->Show();
  EXPECT_TRUE(host.timerEnabled());
  chart->StartTimerTick();
  EXPECT_TRUE(AnimationPlayed());
}

TEST_F(Lifecycle, AResizeBeforeTheFirstTickLaysOutButDoesNotDraw) {
  chart->Show();
  surface().ops.clear();
  chart->Resize(700, 450);
  const ChildControls& ch = state().children;
  EXPECT_FALSE(Drew());
  EXPECT_EQ(surface().PixelWidth(), 700);
  EXPECT_EQ(ch.picLegend.Left, 700 * 15 - ch.lblSlider.Width);
  EXPECT_EQ(ch.picLegend.Height, 450 * 15);
  EXPECT_EQ(ch.vsbContainer.Height, 450 * 15);
  EXPECT_EQ(ch.lblSlider.Height, 450 * 15);
  chart->StartTimerTick();
  EXPECT_TRUE(AnimationPlayed());
}

TEST_F(Lifecycle, AResizeAfterTheAnimationRedrawsAndLeavesTheEntriesAlone) {
  chart->Show();
  chart->StartTimerTick();
  surface().ops.clear();
  state().legendHasRows = false;  // a normal pass would add the entries again
  state().legendVisible = true;
  chart->Resize(640, 300);
  EXPECT_TRUE(Drew());
  EXPECT_FALSE(AnimationPlayed());
  EXPECT_FALSE(state().legendHasRows);
  EXPECT_FALSE(state().resizing);
  EXPECT_EQ(state().children.picLegend.Left, 640 * 15 - 2250);
  EXPECT_DOUBLE_EQ(state().barWidth, (640 * 15 - state().MarginLeft - state().MarginRight) / 3);

  // A pass that fails still ends the resize.
  chart->AddItem(testing::Item(u"x", 1));
  EXPECT_THROW(chart->Resize(600, 300), ChartError);
  EXPECT_FALSE(state().resizing);
}

TEST_F(Lifecycle, TheLegendBackgroundIsRepaintedWhenItsHeightChanges) {
  state().ActiveTheme = ThemeNormal;
  chart->Resize(560, 372);
  Surface& legend = *state().children.picLegend.surface;
  legend.FilledBox(0, 0, 300, 300, 0x0000FF);
  chart->Resize(600, 372);  // same height: left as it is
  EXPECT_EQ(legend.PixelAt(1, 1), 0x0000FFu);
  chart->Resize(600, 380);
  EXPECT_EQ(legend.PixelAt(1, 1), state().children.picLegend.BackColor);
}

TEST_F(Lifecycle, AfterAnyResizeTheScrollBarAgreesWithTheEntries) {
  struct Case {
    const char* name;
    bool legendShown;
    bool animationDone;
    int heightPx;
  };
  // 40 entries stand 15749 twips (1050 pixels) tall.
  const Case cases[] = {
      {"shown, shorter", true, true, 300},
      {"shown, taller", true, true, 600},
      {"shown, all entries fit", true, true, 1100},
      {"folded, shorter", false, true, 300},
      {"shown, before the animation", true, false, 600},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PalvexChart fresh(host);
    fresh.InitProperties();
    InitBarPalette(fresh.state());
    fresh.Resize(560, 372);
    for (int i = 0; i < 40; ++i) fresh.AddItem(testing::Item(u"1", 10));
    if (c.legendShown) fresh.ShowLegend(false);
    fresh.Refresh();
    Control& bar = fresh.state().children.vsbContainer;
    ASSERT_TRUE(bar.Visible);
    ScrollEntries(fresh.state(), bar.Max);  // scrolled to the last entry
    const int scrolled = bar.Value;
    fresh.state().animationDone = c.animationDone;

    fresh.Resize(560, c.heightPx);
    const int overflow = 1050 - c.heightPx;
    EXPECT_EQ(bar.Visible, overflow > 0);
    if (overflow > 0) {
      EXPECT_EQ(bar.Max, overflow);
    }
    EXPECT_EQ(bar.Value, std::clamp(scrolled, 0, std::max(overflow, 0)));
    EXPECT_EQ(fresh.state().children.picContainer.Top, -bar.Value * 15.0);
  }
}

TEST_F(Lifecycle, SizesOutsideTheSurfaceRangeAreRefusedUnchanged) {
  for (auto [w, h] : {std::pair{-1, 100}, {100, -5}, {100000, 100}, {100, 16385}}) {
    // Captured by copy: Clang before 16 cannot capture a structured binding.
    EXPECT_EQ(testing::ErrorOf([&, w = w, h = h] { chart->Resize(w, h); }),
              kErrInvalidPropertyValue)
        << w << " x " << h;
  }
  EXPECT_EQ(surface().PixelWidth(), 560);
  // The largest side itself is taken (a whole 16384 x 16384 picture is 1 GB).
  chart->Resize(1, 16384);
  EXPECT_EQ(surface().PixelHeight(), 16384);
  chart->Resize(16384, 1);
  EXPECT_EQ(surface().PixelWidth(), 16384);
}

TEST_F(Lifecycle, DropPlacesTheLabelByItsGrabPoint) {
  Control& label = state().children.lblInfo;
  state().infoGrabX = 30;
  state().infoGrabY = 15;
  chart->Drop(label, 1000, 500);
  EXPECT_EQ(label.Left, 970);
  EXPECT_EQ(label.Top, 485);

  // A coordinate that is no number fails with Overflow and is not set; the
  // one before it stays set.
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(testing::ErrorOf([&] { chart->Drop(label, inf, 700); }), kErrOverflow);
  EXPECT_EQ(label.Left, 970);
  EXPECT_EQ(label.Top, 485);
  EXPECT_EQ(testing::ErrorOf([&] { chart->Drop(label, 2000, nan); }), kErrOverflow);
  EXPECT_EQ(label.Left, 1970);
  EXPECT_EQ(label.Top, 485);
}

TEST_F(Lifecycle, TerminateReleasesTheItems) {
  chart->Terminate();
  EXPECT_FALSE(state().itemList.has_value());
  EXPECT_TRUE(state().items().empty());
  chart->Refresh();
}

}  // namespace
}  // namespace palvex
