#include "render/bars.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/chart_fixture.h"
#include "theme/gradient.h"
#include "theme/themes.h"

namespace palvex::testing {
namespace {

constexpr Color kLight = 0xFFEFB9;
constexpr Color kDark = 0xE69B1E;

// A clock that never sleeps: each wait moves time to the deadline and is
// remembered with the number of refreshes the surface had seen by then.
class FakeClock : public Clock {
 public:
  explicit FakeClock(const RecordingSurface& s) : surface_(s) {}
  TimePoint Now() override { return now_; }
  void WaitUntil(TimePoint deadline) override {
    waits.push_back(deadline - now_);
    refreshesAtWait.push_back(surface_.Named("Refresh").size());
    if (deadline > now_) now_ = deadline;
  }
  std::vector<Clock::TimePoint::duration> waits;
  std::vector<std::size_t> refreshesAtWait;

 private:
  const RecordingSurface& surface_;
  TimePoint now_{};
};

// A recorded bar: place and size in pixels, then its two colours.
BarRecord Bar(double left, double top, double width, double height, Color first, Color second) {
  return {true, left, top, width, height, first, second};
}

class Bars : public ChartFixture {
 protected:
  Bars() : clock(surface()) { host.SetClock(&clock); }
  ~Bars() override { host.SetClock(nullptr); }

  void UseTheme(std::int32_t theme) { state().ActiveTheme = theme; }
  std::vector<std::vector<double>> Fills() const {
    std::vector<std::vector<double>> out;
    for (const Op& op : recorder->Named("GradientFill")) out.push_back(op.args);
    return out;
  }
  void Grow(std::vector<BarRecord> records) {
    state().animationBars = std::move(records);
    state().animationDone = false;
    surface().ops.clear();
    GrowBars(state());
  }

  FakeClock clock;
};

using Fill = std::vector<double>;  // x0, y0, x1, y1, colour0, colour1, mode

TEST_F(Bars, OtherThemesShadeABarAcrossItsWidthInThreeFills) {
  for (std::int32_t theme :
       {std::int32_t(ThemeSky), std::int32_t(ThemeNeon), std::int32_t(ThemeNormal), 7}) {
    UseTheme(theme);
    surface().ops.clear();
    PaintBar(state().surface->dc(), state().ActiveTheme, kLight, kDark, 10, 20, 30, 40);
    EXPECT_EQ(Fills(), (std::vector<Fill>{{10, 20, 40, 60, kDark, kLight, FillHor},
                                          {12, 22, 28, 58, kLight, kDark, FillHor},
                                          {28, 22, 37, 58, kDark, kLight, FillHor}}))
        << theme;
  }
}

TEST_F(Bars, PersianGulfShadesABarAlongItsHeightInTwoFills) {
  UseTheme(ThemePersianGulf);
  PaintBar(state().surface->dc(), state().ActiveTheme, kLight, kDark, 10, 20, 30, 40);
  EXPECT_EQ(Fills(), (std::vector<Fill>{{10, 20, 40, 60, kDark, kLight, FillVer},
                                        {12, 22, 38, 58, kLight, kDark, FillVer}}));
  EXPECT_EQ(surface().PixelAt(10, 20), kDark);
  EXPECT_EQ(surface().PixelAt(12, 22), kLight);
}

TEST_F(Bars, AThreePixelBarGetsInnerBandsOfWidthMinusTwoAndZero) {
  UseTheme(ThemeSky);
  PaintBar(state().surface->dc(), state().ActiveTheme, kLight, kDark, 100, 50, 3, 10);
  const auto fills = Fills();
  ASSERT_EQ(fills.size(), 3u);
  EXPECT_EQ(fills[1][2] - fills[1][0], -2);  // round(2 - 4)
  EXPECT_EQ(fills[2][2] - fills[2][0], 0);   // round(1 - 1)
  EXPECT_EQ(fills[2][0], 100);               // round(2 + 100 - 2)
}

TEST_F(Bars, AFivePixelBarGrowsByRoundedHalfPixelsOverTenFrames) {
  UseTheme(ThemeNeon);
  Grow({Bar(10, 100, 6, 5, 16773049, 15112990)});
  const auto fills = Fills();
  ASSERT_EQ(fills.size(), 30u);
  std::vector<double> heights, tops;
  for (std::size_t f = 0; f < fills.size(); f += 3) {
    tops.push_back(fills[f][1]);
    heights.push_back(fills[f][3] - fills[f][1]);
    EXPECT_EQ(fills[f][4], kDark);
  }
  EXPECT_EQ(heights, (std::vector<double>{0, 1, 2, 2, 2, 3, 4, 4, 4, 5}));
  // The top is rounded on its own: half-way frames can miss the baseline.
  EXPECT_EQ(tops, (std::vector<double>{104, 104, 104, 103, 102, 102, 102, 101, 100, 100}));
  EXPECT_TRUE(state().animationDone);
}

TEST_F(Bars, EachFrameWaitsSeventyMillisecondsThenRefreshesWithoutErasing) {
  Grow({Bar(10, 100, 6, 50, 16773049, 15112990), Bar(30, 80, 6, 70, 16773049, 15112990)});
  EXPECT_EQ(clock.waits,
            std::vector<Clock::TimePoint::duration>(10, std::chrono::milliseconds(70)));
  std::vector<std::size_t> expected;
  for (std::size_t k = 0; k < 10; ++k) expected.push_back(k);
  EXPECT_EQ(clock.refreshesAtWait, expected);  // frame k's wait comes before its refresh
  EXPECT_EQ(surface().Named("Refresh").size(), 10u);
  EXPECT_EQ(host.repaints(), 10);  // every refresh reaches the host
  EXPECT_TRUE(surface().Named("Cls").empty());
  EXPECT_EQ(surface().ops.back().name, "Refresh");
}

TEST_F(Bars, ZeroHeightBarsPaintEmptyFillsAndNegativeOnesOnlyInTheLastFrame) {
  UseTheme(ThemePersianGulf);
  Grow({Bar(10, 100, 6, 0, 1, 2)});
  const auto flat = Fills();
  ASSERT_EQ(flat.size(), 20u);
  for (std::size_t i = 0; i < flat.size(); i += 2) EXPECT_EQ(flat[i][1], flat[i][3]) << i;
  Grow({Bar(10, 100, 6, -5, 1, 2)});
  const auto negative = Fills();
  ASSERT_EQ(negative.size(), 2u);  // part = -5 first reaches the height at k = 10
  EXPECT_EQ(negative[0], (Fill{10, 100, 16, 95, 2, 1, FillVer}));
}

TEST_F(Bars, ABadRecordEndsTheAnimationQuietlyAndMarksItPlayed) {
  UseTheme(ThemeNormal);
  // A column the pass did not reach, a number that is no number, a place
  // past 32 bits.
  for (const BarRecord& bad :
       {BarRecord{}, Bar(std::nan(""), 2, 3, 4, 5, 6), Bar(1, 1e300, 3, 4, 5, 6)}) {
    clock.waits.clear();
    Grow({Bar(10, 100, 6, 50, 1, 2), bad});
    EXPECT_TRUE(state().animationDone);
    EXPECT_EQ(Fills().size(), 3u);  // the good bar's first frame only
    EXPECT_TRUE(clock.waits.empty());
    EXPECT_TRUE(surface().Named("Refresh").empty());
    EXPECT_TRUE(state().animationFailure);  // kept for a host that asks
  }
  Grow({Bar(10, 100, 6, 50, 1, 2)});
  EXPECT_FALSE(state().animationFailure);
}

TEST_F(Bars, NothingRecordedMeansNoFramesAndNoWaiting) {
  Grow({});
  EXPECT_TRUE(state().animationDone);
  EXPECT_TRUE(clock.waits.empty());
  EXPECT_TRUE(surface().ops.empty());
}

TEST_F(Bars, TheFirstPassAfterShowingGrowsTheBarsThenLaterPassesPaintThemDirectly) {
  AddItems({50, 100});
  state().animationDone = false;
  // Bars without ColorBars take pair 2; the background and bands do not.
  auto barFills = [&] {
    std::vector<Fill> out;
    for (const Fill& f : Fills()) {
      if (f[4] == state().barPalette[2] || f[4] == state().barPalette[18]) out.push_back(f);
    }
    return out;
  };
  surface().ops.clear();
  chart->Refresh();
  EXPECT_TRUE(state().animationDone);
  EXPECT_EQ(clock.waits.size(), 10u);
  const auto grown = barFills();
  ASSERT_EQ(grown.size(), 2u * 2 * 10);  // Persian Gulf: two fills per bar and frame
  // The first bar ends at its laid-out height: 50 of 100 is 4005 / 2 twips,
  // 133.5 pixels, rounded to 134.
  const Fill last = grown[grown.size() - 4];
  EXPECT_EQ(last[3] - last[1], 134);
  surface().ops.clear();
  chart->Refresh();
  EXPECT_EQ(clock.waits.size(), 10u);
  EXPECT_EQ(barFills().size(), 4u);
}

}  // namespace
}  // namespace palvex::testing
