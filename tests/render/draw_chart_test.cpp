#include "render/draw_chart.h"

#include <gtest/gtest.h>

#include "platform/numeric.h"
#include "support/chart_fixture.h"
#include "theme/themes.h"

namespace palvex::testing {
namespace {

// A bar record as the animation reads its numbers, written as automation
// writes them: "left|top|width|height|first|second".
std::u16string RecordText(const BarRecord& r) {
  std::u16string text;
  for (double v : {r.left, r.top, r.width, r.height, double(r.first), double(r.second)})
    text += (text.empty() ? u"" : u"|") + NumberText(AsWritten(v));
  return text;
}

TEST(GetYTopLegend, RoundsTheLargestValueUpToANiceTop) {
  const std::pair<std::int32_t, std::int32_t> cases[] = {
      {-5, 10},     {0, 10},    {10, 10},   {11, 15},          {16, 20},     {20, 20},
      {35, 35},     {96, 100},  {101, 100}, {999, 1000},       {2345, 2500}, {2599, 2500},
      {2765, 3000}, {150, 150}, {151, 150}, {1000000, 1000000}};
  for (auto [m, top] : cases) EXPECT_EQ(GetYTopLegend(m), top) << m;
  EXPECT_EQ(ErrorOf([] { GetYTopLegend(2147483647); }), kErrOverflow);  // 2500000000
}

// The design-size control: 8400 x 5580 twips, margins 50/55/55/55 pixels,
// so the plot runs from y 750 to 4755 and x 825 to 7575.
class DrawChartTest : public ChartFixture {
 protected:
  void Draw() {
    surface().ops.clear();
    chart->DrawChart();
  }
  std::vector<Op> GridLines() const {
    std::vector<Op> lines;
    for (const Op& op : recorder->Named("FilledBox")) {
      // The grid starts 2 pixels into the plot; its lines are one pixel high
      // (a themed band adds a thicker line of its own).
      if (op.args[0] == 855 && op.args[3] - op.args[1] == 15) lines.push_back(op);
    }
    return lines;
  }
};

TEST_F(DrawChartTest, GridHasALineAndALabelAtEveryMajorStepUpToTheTop) {
  Draw();
  EXPECT_EQ(chart->IntersectMajor(), 10);
  const auto lines = GridLines();
  ASSERT_EQ(lines.size(), 11u);
  for (int k = 0; k <= 10; ++k) {
    const double y = 4755 - 10 * k * 40.05;
    EXPECT_DOUBLE_EQ(lines[k].args[1], y) << k;
    EXPECT_DOUBLE_EQ(lines[k].args[3], y + 15) << k;
    EXPECT_EQ(lines[k].args[2], 7576);
  }
  std::vector<std::u16string> labels;
  for (const Op& op : surface().Named("Print")) {
    if (op.args[2] == 7) labels.push_back(op.text);
  }
  // The subtitle, then the values with the blank a positive number carries.
  ASSERT_EQ(labels.size(), 12u);
  EXPECT_EQ(labels[1], u" 0");
  EXPECT_EQ(labels[11], u" 100");
}

TEST_F(DrawChartTest, ValueLabelsStandLeftOfThePlotCentredOnTheirLine) {
  Draw();
  Surface& s = surface().inner();
  s.SetFontSize(7);
  for (const Op& op : surface().Named("Print")) {
    if (op.text != u" 50") continue;
    EXPECT_DOUBLE_EQ(op.args[0], 825 - s.TextWidth(u"50") - 75);
    EXPECT_DOUBLE_EQ(op.args[1], 4755 - 50 * 40.05 - s.TextHeight(u"0") / 2);
    return;
  }
  ADD_FAILURE() << "no label 50";
}

TEST_F(DrawChartTest, AMajorStepThatIsNotAMultipleOfTenSkipsLines) {
  chart->SetMaxY(35);  // top 35, IntersectMajor 3.5, rounded to 4
  Draw();
  EXPECT_EQ(chart->IntersectMajor(), 3.5);
  const auto lines = GridLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_DOUBLE_EQ(lines[1].args[1], 4755 - 20 * (4005.0 / 35));
}

TEST_F(DrawChartTest, NoBandReachesAboveTheTopGridLine) {
  // Top 150: six lines at 0, 30, ..., 150, so the band beside the sixth
  // has no line above it; the top line lies at y 750, pixel row 50.
  auto rowsAboveTheTopLine = [&] {
    std::vector<Color> pixels;
    for (int y = 0; y < 50; ++y) {
      for (int x = 57; x <= 505; ++x) pixels.push_back(surface().PixelAt(x, y));
    }
    return pixels;
  };
  for (std::int32_t theme : {ThemePersianGulf, ThemeSky, ThemeNeon}) {
    SCOPED_TRACE(theme);
    state().ActiveTheme = theme;
    state().DisplayYAxis = false;
    chart->SetMaxY(150);
    const std::vector<Color> withoutGrid = rowsAboveTheTopLine();
    chart->SetDisplayYAxis(true);
    EXPECT_EQ(rowsAboveTheTopLine(), withoutGrid);
  }
  // What the band draws on the line itself stays: Persian Gulf's line is
  // three pixels thick.
  state().ActiveTheme = ThemePersianGulf;
  chart->Refresh();
  EXPECT_EQ(surface().PixelAt(100, 52), 0xC78100u);
}

TEST_F(DrawChartTest, NoGridOrValueLabelsWithoutTheYAxis) {
  state().DisplayYAxis = false;
  Draw();
  EXPECT_TRUE(GridLines().empty());
  EXPECT_EQ(surface().Named("Print").size(), 2u);  // title and subtitle
}

TEST_F(DrawChartTest, ColumnsSplitThePlotIntoSlotsAndRecordTheirBarsForTheAnimation) {
  AddItems({10, 50, 100});
  Draw();
  EXPECT_DOUBLE_EQ(state().barWidth, 2250);
  EXPECT_DOUBLE_EQ(state().valueScale, 40.05);
  ASSERT_EQ(state().barTops.size(), 3u);
  EXPECT_DOUBLE_EQ(state().barTops[0], 4354.5);
  EXPECT_DOUBLE_EQ(state().barTops[1], 2752.5);
  EXPECT_NEAR(state().barTops[2], 750, 1e-9);
  ASSERT_EQ(state().animationBars.size(), 3u);
  // left, top, width, height in unrounded pixels; the two colours of pair 2.
  EXPECT_EQ(RecordText(state().animationBars[0]),
            u"57.0666666666667|290.3|147.933333333333|26.7|65024|31232");
  EXPECT_EQ(RecordText(state().animationBars[1]),
            u"207.066666666667|183.5|147.933333333333|133.5|65024|31232");
  EXPECT_EQ(RecordText(state().animationBars[2]),
            u"357.066666666667|50|147.933333333333|267|65024|31232");
}

TEST_F(DrawChartTest, ColorBarsTakeThePairOfTheirItemId) {
  state().ColorBars = true;
  chart->AddItem(Item(u"1", 10));
  chart->AddItem(Item(u"12", 10));    // (12 - 1) mod 10 = 1
  chart->AddItem(Item(u"10.5", 10));  // round(9.5) = 10, mod 10 = 0
  Draw();
  EXPECT_TRUE(RecordText(state().animationBars[0]).ends_with(u"|16773049|15112990"));  // pair 0
  EXPECT_TRUE(RecordText(state().animationBars[1]).ends_with(u"|5209599|129"));        // pair 1
  EXPECT_TRUE(RecordText(state().animationBars[2]).ends_with(u"|16773049|15112990"));
}

TEST_F(DrawChartTest, TicksSeparateTheColumnsUnderThePlot) {
  AddItems({10, 50});
  Draw();
  const auto ticks = surface().Named("Line");
  ASSERT_EQ(ticks.size(), 2u);
  EXPECT_EQ(ticks[0].args[0], 840);  // one pixel left of the first bar
  EXPECT_EQ(ticks[1].args[0], 4215);
  EXPECT_EQ(ticks[0].args[1], 4755);
  EXPECT_GT(ticks[0].args[3], 4755);
}

TEST_F(DrawChartTest, TheContentBorderIsAOnePixelLineLeftOfThePlot) {
  Draw();
  bool found = false;
  for (const Op& op : surface().Named("FilledBox")) {
    found = found || (op.args ==
                      std::vector<double>{810, 750, 825, 4755, double(chart->GetThemeLineColor())});
  }
  EXPECT_TRUE(found);
  state().ContentBorder = false;
  Draw();
  for (const Op& op : surface().Named("FilledBox")) EXPECT_NE(op.args[0], 810);
}

TEST_F(DrawChartTest, TitleIsCentredByItsWidthInThePreviousFont) {
  surface().inner().SetFontSize(20);
  chart->SetChartTitle(u"Quarterly sales");
  const auto prints = surface().Named("Print");
  ASSERT_GE(prints.size(), 2u);
  EXPECT_EQ(state().surface->FontName(), u"宋体");
  EXPECT_EQ(state().surface->FontSize(), 9);
  EXPECT_FALSE(state().surface->FontBold());
  Surface& s = surface().inner();
  s.SetFontSize(20);
  const double w20 = s.TextWidth(u"Quarterly sales");
  EXPECT_DOUBLE_EQ(prints[0].args[0], 4200 - w20 / 2);
  EXPECT_EQ(prints[0].args[1], 0);
  EXPECT_EQ(prints[0].args[2], 9);
  EXPECT_EQ(prints[1].text, chart->ChartSubTitle());
  EXPECT_EQ(prints[1].args[2], 7);
  EXPECT_GT(prints[1].args[1], 0);  // the line below the title
}

TEST_F(DrawChartTest, AxisLabelXIsCentredAtTheBottomAndAnEmptyOneChangesNoFont) {
  Draw();
  const auto sizesWithout = surface().Named("FontSize").size();
  state().AxisLabelX = u"Month";
  Draw();
  EXPECT_EQ(surface().Named("FontSize").size(), sizesWithout + 2);
  const Op label = surface().Named("Print").back();
  EXPECT_EQ(label.text, u"Month");
  EXPECT_EQ(label.args[2], 8);
  Surface& s = surface().inner();
  s.SetFontSize(8);
  EXPECT_DOUBLE_EQ(label.args[1], 5580 - 1.5 * s.TextHeight(u"Month"));
}

TEST_F(DrawChartTest, NoItemsKeepsTheLastColumnLayoutAndNoStaleBarsGrow) {
  AddItems({10, 20});
  Draw();
  const auto tops = state().barTops;
  chart->Clear();
  EXPECT_DOUBLE_EQ(state().barWidth, 3375);
  EXPECT_EQ(state().barTops, tops);
  EXPECT_TRUE(state().animationBars.empty());
}

TEST_F(DrawChartTest, AllZeroValuesGiveTheSmallestScale) {
  state().MaxY = 0;
  AddItems({0, 0});
  Draw();
  EXPECT_EQ(chart->MaxY(), 10);
  EXPECT_EQ(chart->IntersectMajor(), 1);
  EXPECT_DOUBLE_EQ(state().barTops[0], 4755);
}

TEST_F(DrawChartTest, AValueAboveTheNiceTopStretchesThePlotButNotTheGrid) {
  AddItems({2599});
  Draw();
  EXPECT_EQ(chart->MaxY(), 2599);
  EXPECT_EQ(chart->IntersectMajor(), 250);
  EXPECT_DOUBLE_EQ(state().valueScale, 4005.0 / 2599);
  const auto lines = GridLines();
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_GT(lines.back().args[1], 750);  // the last line, 2500, stays below the top
}

TEST_F(DrawChartTest, TheLayoutFollowsTheScreensTwipsPerPixel) {
  host.screen().SetTwipsPerPixel(12, 12);
  auto& s = *state().surface;
  s.ResizePixels(560, 372);  // 6720 x 4464 twips now
  chart->InitProperties();   // margins of 50/55 pixels at 12 twips each
  AddItems({100});
  Draw();
  EXPECT_EQ(state().MarginLeft, 660);
  EXPECT_DOUBLE_EQ(state().barWidth, 6720 - 2 * 660);
  EXPECT_DOUBLE_EQ(state().barTops[0], 600);  // the value 100 reaches the plot's top
  EXPECT_EQ(surface().Named("Line")[0].args[0], 660 + 24 - 12);
}

TEST_F(DrawChartTest, ABarTooLongForThePixelArithmeticIsCutWhereItEnds) {
  // Bars reach below the baseline (pixel row 317) by their value: -5e8
  // still fits the 32-bit pixel sums and is recorded as laid out, -3e9 and
  // beyond are cut at the largest top those sums hold.
  struct Case {
    double value;
    std::u16string top, height;
  } cases[] = {
      {-5e8, u"", u""},
      {-3e9, u"2147483645", u"-2147483328"},
      {-1e300, u"2147483645", u"-2147483328"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    chart->Clear();
    AddItems({50, c.value, 80});
    state().animationDone = false;
    surface().ops.clear();
    EXPECT_EQ(ErrorOf([&] { chart->Refresh(); }), 0);
    EXPECT_FALSE(state().animationFailure);
    const std::u16string top = c.top.empty() ? NumberText(state().barTops[1] / 15) : c.top;
    const std::u16string height =
        c.height.empty() ? NumberText((4755 - state().barTops[1]) / 15) : c.height;
    EXPECT_EQ(RecordText(state().animationBars[1]),
              u"207.066666666667|" + top + u"|147.933333333333|" + height + u"|65024|31232");
    // The bars either side grew in every frame: Persian Gulf paints two
    // fills per bar and frame.
    std::size_t barFills = 0;
    for (const Op& op : surface().Named("GradientFill")) {
      barFills += op.args[4] == 31232 || op.args[4] == 65024;
    }
    EXPECT_GE(barFills, 2u * 2 * 10);
    EXPECT_EQ(ErrorOf([&] { chart->Refresh(); }), 0);
  }
}

TEST_F(DrawChartTest, ANonNumericItemIdFailsThePassButTheNextPassRuns) {
  chart->AddItem(Item(u"North", 10));
  EXPECT_EQ(ErrorOf([&] { chart->DrawChart(); }), kErrTypeMismatch);
  EXPECT_FALSE(state().drawing);
  chart->Clear();
  EXPECT_EQ(ErrorOf([&] { chart->DrawChart(); }), 0);
}

TEST_F(DrawChartTest, AnItemIdBelowOneHalfIsOutOfTheColorTable) {
  chart->AddItem(Item(u"0.4", 10));
  EXPECT_EQ(ErrorOf([&] { chart->DrawChart(); }), kErrSubscript);
  chart->Clear();
  chart->AddItem(Item(u"0.5", 10));  // round(-0.5) = 0
  EXPECT_EQ(ErrorOf([&] { chart->DrawChart(); }), 0);
  chart->AddItem(Item(u"-3", 10));  // the remainder keeps the sign: -4 mod 10 = -4
  EXPECT_EQ(ErrorOf([&] { chart->DrawChart(); }), kErrSubscript);
  EXPECT_FALSE(state().drawing);
}

TEST_F(DrawChartTest, MoreItemsThanASixteenBitCountOverflow) {
  for (int i = 0; i < 32768; ++i) chart->AddItem(Item(u"1", 1));
  EXPECT_EQ(ErrorOf([&] { chart->DrawChart(); }), kErrOverflow);
  EXPECT_FALSE(state().drawing);
}

TEST_F(DrawChartTest, AScaleTopPastTheThirtyTwoBitRangeOverflows) {
  state().MaxY = 2147483647;
  EXPECT_EQ(ErrorOf([&] { chart->DrawChart(); }), kErrOverflow);
  state().MaxY = 1e300;
  EXPECT_EQ(ErrorOf([&] { chart->DrawChart(); }), kErrOverflow);
  state().MaxY = 100;
  EXPECT_EQ(ErrorOf([&] { chart->DrawChart(); }), 0);
}

TEST_F(DrawChartTest, APassStartedDuringAPassDrawsNothing) {
  state().drawing = true;
  Draw();
  EXPECT_TRUE(surface().ops.empty());
  EXPECT_TRUE(state().drawing);
}

TEST_F(DrawChartTest, ThePassMirrorsSelectionInformationInTheMenuAndHidesTheLabel) {
  state().SelectionInformation = true;
  state().children.mnuSelectionInfo.Checked = false;
  state().children.lblInfo.Visible = true;
  Draw();
  EXPECT_TRUE(state().children.mnuSelectionInfo.Checked);
  EXPECT_FALSE(state().children.lblInfo.Visible);  // nothing selected
}

}  // namespace
}  // namespace palvex::testing
