#include "theme/themes.h"

#include <gtest/gtest.h>

#include <climits>

#include "support/chart_fixture.h"
#include "theme/gradient.h"

namespace palvex::testing {
namespace {

constexpr Color kWhite = 0xFFFFFF;

class Themes : public ChartFixture {
 protected:
  void UseTheme(std::int32_t theme) {
    state().ActiveTheme = theme;
    surface().ops.clear();
  }
  // The recorded fills as {x0, y0, x1, y1, colour0, colour1, mode}.
  std::vector<std::vector<double>> Fills() const {
    std::vector<std::vector<double>> out;
    for (const Op& op : recorder->Named("GradientFill")) out.push_back(op.args);
    return out;
  }
};

TEST_F(Themes, EachPaintedThemeShadesTheWholeBackgroundFromTopToBottom) {
  struct Case {
    std::int32_t theme;
    Color top, bottom;
  };
  for (Case c : {Case{ThemePersianGulf, 0x660300, 0xCA6400}, Case{ThemeSky, 0xE6BE9E, 0xEFD2B9},
                 Case{ThemeNeon, 0x000000, 0x4B4B4B}}) {
    UseTheme(c.theme);
    DrawBackTheme(*state().surface, host.screen(), state().ActiveTheme);
    ASSERT_EQ(Fills(), (std::vector<std::vector<double>>{
                           {0, 0, 560, 372, double(c.top), double(c.bottom), FillVer}}))
        << c.theme;
    EXPECT_EQ(surface().ops.front().name, "Cls");
    EXPECT_EQ(surface().PixelAt(0, 0), c.top);
    EXPECT_EQ(surface().PixelAt(559, 0), c.top);
    // The last row is one step short of the bottom colour.
    const Color last = surface().PixelAt(300, 371);
    EXPECT_NEAR(BlueOf(last), BlueOf(c.top) + (BlueOf(c.bottom) - BlueOf(c.top)) * 371.0 / 372, 1);
  }
}

TEST_F(Themes, NormalAndUnknownThemesLeaveThePlainBackColor) {
  for (std::int32_t theme : {std::int32_t(ThemeNormal), 7, -1}) {
    UseTheme(theme);
    DrawBackTheme(*state().surface, host.screen(), state().ActiveTheme);
    EXPECT_TRUE(Fills().empty()) << theme;
    EXPECT_EQ(surface().PixelAt(0, 0), kWhite);
    EXPECT_EQ(surface().PixelAt(559, 371), kWhite);
  }
}

TEST_F(Themes, TheBackgroundFollowsTheScreensTwipsPerPixelAndFailsCleanlyOnZero) {
  host.screen().SetTwipsPerPixel(12, 12);
  UseTheme(ThemeSky);
  DrawBackTheme(*state().surface, host.screen(), state().ActiveTheme);
  EXPECT_EQ(Fills()[0][2], 560);
  host.screen().SetTwipsPerPixel(0, 0);
  UseTheme(ThemeSky);
  EXPECT_EQ(ErrorOf([&] { DrawBackTheme(*state().surface, host.screen(), state().ActiveTheme); }),
            kErrOverflow);
  EXPECT_TRUE(surface().ops.empty());  // not even cleared
}

// A band drawn by the grid pass: the line at Y1 = 1500 twips with the line
// below 600 twips lower, so h = -41 pixels, x = 60, y = 101, w = 446.
constexpr std::int32_t kX1 = 900, kY1 = 1500, kX2 = 7575, kLineBelow = 2100;

TEST_F(Themes, PersianGulfShadesTheWholeBandAndDrawsAThickLine) {
  UseTheme(ThemePersianGulf);
  DrawIntersect(*state().surface, state().ActiveTheme, kX1, kY1, kX2, kLineBelow);
  EXPECT_EQ(Fills(),
            (std::vector<std::vector<double>>{{60, 101, 506, 60, 0x903600, 0x953B00, FillVer}}));
  const auto boxes = surface().Named("FilledBox");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].args, (std::vector<double>{900, 1500, 7576, 1530, 0xC78100}));
  // Rows 60..99 carry the band, the thick line rows 100..102.
  EXPECT_EQ(surface().PixelAt(100, 60), 0x953B00u);
  EXPECT_EQ(surface().PixelAt(100, 101), 0xC78100u);
  EXPECT_EQ(surface().PixelAt(100, 59), kWhite);
}

TEST_F(Themes, SkySplitsAnOddBandIntoTwoHalvesRoundedToEven) {
  UseTheme(ThemeSky);
  DrawIntersect(*state().surface, state().ActiveTheme, kX1, kY1, kX2, kLineBelow);
  // h2 = round(-20.5) = -20; top2 = round(80.5) = 80; h3 = round(-19.5) = -20.
  EXPECT_EQ(Fills(),
            (std::vector<std::vector<double>>{{60, 101, 506, 81, 0xFFEFE3, 0xFFE0C9, FillVer},
                                              {60, 80, 506, 60, 0xFFD6B7, 0xFFDABE, FillVer}}));
}

TEST_F(Themes, NeonStacksThreeEighthsFourEighthsAndTheTopEighth) {
  UseTheme(ThemeNeon);
  DrawIntersect(*state().surface, state().ActiveTheme, kX1, kY1, kX2, kLineBelow);
  // round(-15.375) = -15; top round(85.625) = 86, round(-20.5) = -20;
  // top round(64.125) = 64, round(-4.125) = -4.
  EXPECT_EQ(Fills(),
            (std::vector<std::vector<double>>{{60, 101, 506, 86, 0x514642, 0x453D3A, FillVer},
                                              {60, 86, 506, 66, 0x2F2F2E, 0x3B3B3B, FillVer},
                                              {60, 64, 506, 60, 0x444444, 0x4B4B4B, FillVer}}));
}

TEST_F(Themes, NormalAndUnknownThemesShadeNoBands) {
  for (std::int32_t theme : {std::int32_t(ThemeNormal), 7}) {
    UseTheme(theme);
    DrawIntersect(*state().surface, state().ActiveTheme, kX1, kY1, kX2, kLineBelow);
    EXPECT_TRUE(surface().ops.empty()) << theme;
  }
}

TEST_F(Themes, ABandOnItsOwnLineIsOneRowAndOneAboveItShadesDownwards) {
  UseTheme(ThemePersianGulf);
  DrawIntersect(*state().surface, state().ActiveTheme, kX1, kY1, kX2,
                kY1);  // h = -1: the row of Y1 itself
  EXPECT_EQ(Fills()[0], (std::vector<double>{60, 101, 506, 100, 0x903600, 0x953B00, FillVer}));
  // A host may give a line above as LastLine: h = 39, rows 101..139.
  UseTheme(ThemePersianGulf);
  DrawIntersect(*state().surface, state().ActiveTheme, kX1, kY1, kX2, 900);
  EXPECT_EQ(Fills()[0], (std::vector<double>{60, 101, 506, 140, 0x903600, 0x953B00, FillVer}));
  EXPECT_EQ(surface().PixelAt(200, 103), 0x903600u);  // below the thick line
  EXPECT_EQ(surface().PixelAt(200, 139), 0x943A00u);
  EXPECT_EQ(surface().PixelAt(200, 140), kWhite);
}

TEST_F(Themes, BandDifferencesBeyond32BitsFailBeforePainting) {
  UseTheme(ThemeSky);
  EXPECT_EQ(
      ErrorOf([&] { DrawIntersect(*state().surface, state().ActiveTheme, 0, INT_MAX, 100, -15); }),
      kErrOverflow);
  EXPECT_EQ(
      ErrorOf([&] { DrawIntersect(*state().surface, state().ActiveTheme, INT_MIN, 0, 100, 15); }),
      kErrOverflow);
  EXPECT_TRUE(surface().ops.empty());
}

TEST_F(Themes, LineColorsFollowTheTheme) {
  const std::pair<std::int32_t, Color> cases[] = {{ThemePersianGulf, 0xC78100},
                                                  {ThemeSky, 0xE3B28D},
                                                  {ThemeNeon, 0x282828},
                                                  {ThemeNormal, 0},
                                                  {7, 0},
                                                  {-1, 0}};
  for (auto [theme, color] : cases) {
    state().ActiveTheme = theme;
    EXPECT_EQ(GetThemeLineColor(theme), color) << theme;
  }
}

TEST_F(Themes, ThemeColorsSetTheSliderAndTheTextAndNormalLeavesThemAlone) {
  Control& slider = state().children.lblSlider;
  struct Case {
    std::int32_t theme;
    Color back, fore;
  };
  for (Case c : {Case{ThemePersianGulf, 0x400000, kWhite}, Case{ThemeSky, 0xE6BE9E, 0},
                 Case{ThemeNeon, 0, kWhite}}) {
    state().ActiveTheme = c.theme;
    ApplyThemeColors(state().ActiveTheme, slider, *state().surface);
    EXPECT_EQ(slider.BackColor, c.back) << c.theme;
    EXPECT_EQ(slider.ForeColor, c.fore) << c.theme;
    EXPECT_EQ(chart->ForeColor(), c.fore) << c.theme;
  }
  // From Neon to Normal: the white text stays.
  state().ActiveTheme = ThemeNormal;
  ApplyThemeColors(state().ActiveTheme, slider, *state().surface);
  EXPECT_EQ(chart->ForeColor(), kWhite);
  EXPECT_EQ(slider.BackColor, 0u);
}

TEST_F(Themes, ActiveThemeStoresAnyValueTellsTheHostAndRedraws) {
  chart->SetActiveTheme(ThemeSky);
  EXPECT_EQ(chart->ForeColor(), 0u);
  chart->SetForeColor(0x0000FF);
  surface().ops.clear();
  chart->SetActiveTheme(7);
  EXPECT_EQ(chart->ActiveTheme(), 7);
  EXPECT_EQ(host.changedProperties(),
            (std::vector<std::u16string>{u"ActiveTheme", u"ActiveTheme"}));
  EXPECT_EQ(chart->ForeColor(), 0x0000FFu);      // 7 sets no colours
  EXPECT_EQ(surface().Named("Cls").size(), 1u);  // the pass ran
  EXPECT_TRUE(surface().Named("GradientFill").empty());
  EXPECT_EQ(surface().PixelAt(5, 5), kWhite);
  EXPECT_EQ(chart->GetThemeLineColor(), 0);
}

}  // namespace
}  // namespace palvex::testing
