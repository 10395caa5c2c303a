#include <gmock/gmock.h>

#include <cmath>

#include "control/palvex_chart.h"
#include "platform/chart_error.h"
#include "platform/property_bag.h"
#include "platform/qt/headless_host.h"
#include "platform/qt/json_property_bag.h"
#include "support/error_of.h"

namespace palvex {
namespace {

using palvex::testing::ErrorOf;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::ThrowsMessage;
using Type = BagValue::Type;

std::vector<std::pair<std::u16string, Type>> KeysAndTypes(const MemoryPropertyBag& bag) {
  std::vector<std::pair<std::u16string, Type>> out;
  for (const auto& [key, value] : bag.entries()) out.emplace_back(key, value.type());
  return out;
}

class PersistenceTest : public ::testing::Test {
 protected:
  // A control as a host loads it: created, then read from a bag.
  std::unique_ptr<PalvexChart> Loaded(PropertyBag& from) {
    auto chart = std::make_unique<PalvexChart>(host);
    chart->ReadProperties(from);
    return chart;
  }

  HeadlessHost host;
  PalvexChart placed{host};  // a newly placed control
  MemoryPropertyBag bag;

  void SetUp() override { placed.InitProperties(); }
};

TEST_F(PersistenceTest, WritesAllTwentyTwoKeysInOrderWithTheirTypes) {
  placed.WriteProperties(bag);
  const std::vector<std::pair<std::u16string, Type>> expected = {
      {u"uTopMargin", Type::Number},        {u"uBottomMargin", Type::Number},
      {u"uLeftMargin", Type::Number},       {u"uRightMargin", Type::Number},
      {u"uContentBorder", Type::Boolean},   {u"uSelectable", Type::Boolean},
      {u"uHotTracking", Type::Boolean},     {u"uSelectedColumn", Type::Number},
      {u"uChartTitle", Type::Text},         {u"uChartSubTitle", Type::Text},
      {u"uDisplayXAxis", Type::Boolean},    {u"uDisplayYAxis", Type::Boolean},
      {u"uColorBars", Type::Boolean},       {u"uIntersectMajor", Type::Number},
      {u"uIntersectMinor", Type::Number},   {u"uMaxYValue", Type::Number},
      {u"uDisplayDescript", Type::Boolean}, {u"uXAxisLabel", Type::Text},
      {u"uYAxislabel", Type::Text},         {u"BackColor", Type::Int32},
      {u"ForeColor", Type::Int32},          {u"ActiveTheme", Type::Int32},
  };
  EXPECT_THAT(KeysAndTypes(bag), ElementsAreArray(expected));
  // Defaults are written too; margins travel in twips, system colours
  // as negative numbers.
  EXPECT_EQ(bag.Read(u"uTopMargin"), BagValue(750.0));
  EXPECT_EQ(bag.Read(u"uLeftMargin"), BagValue(825.0));
  EXPECT_EQ(bag.Read(u"BackColor"), BagValue(std::int32_t(0x80000005u)));
  EXPECT_EQ(bag.Read(u"ForeColor"), BagValue(std::int32_t{0xFFFFFF}));
}

TEST_F(PersistenceTest, SaveThenLoadKeepsEveryProperty) {
  ChartState& s = placed.state();
  s.MarginTop = 750;  // 50 px at 15 twips per pixel
  s.MarginBottom = 12.5;
  s.MarginLeft = 0;
  s.MarginRight = 1e7;
  s.ContentBorder = false;
  s.Selectable = true;
  s.HotTracking = true;
  s.SelectedColumn = 3;
  s.ChartTitle = u"降雨量";
  s.ChartSubTitle = u"";
  s.ColorBars = true;
  s.IntersectMajor = 0.25;
  s.IntersectMinor = -4;
  s.MaxY = 486.5;
  s.SelectionInformation = true;
  s.AxisLabelX = u"月";
  s.AxisLabelY = u"mm";
  s.surface->SetBackColor(0x80000018u);
  s.surface->SetForeColor(0x123456);
  s.ActiveTheme = 7;  // not range-checked
  // Each axis flag on its own: x shown with y hidden, and the reverse.
  for (bool x : {true, false}) {
    s.DisplayXAxis = x;
    s.DisplayYAxis = !x;
    MemoryPropertyBag saved;
    placed.WriteProperties(saved);
    auto chart = Loaded(saved);
    const ChartState& l = chart->state();
    EXPECT_EQ(l.MarginTop, 750);
    EXPECT_EQ(chart->MarginTop(), 50);
    EXPECT_EQ(l.MarginBottom, 12.5);
    EXPECT_EQ(l.MarginLeft, 0);
    EXPECT_EQ(l.MarginRight, 1e7);
    EXPECT_FALSE(l.ContentBorder);
    EXPECT_TRUE(l.Selectable);
    EXPECT_TRUE(l.HotTracking);
    EXPECT_EQ(l.SelectedColumn, 3);
    EXPECT_EQ(l.ChartTitle, u"降雨量");
    EXPECT_EQ(l.ChartSubTitle, u"");
    EXPECT_EQ(l.DisplayXAxis, x);
    EXPECT_EQ(l.DisplayYAxis, !x);
    EXPECT_TRUE(l.ColorBars);
    EXPECT_EQ(l.IntersectMajor, 0.25);
    EXPECT_EQ(l.IntersectMinor, -4);
    EXPECT_EQ(l.MaxY, 486.5);
    EXPECT_TRUE(l.SelectionInformation);
    EXPECT_EQ(l.AxisLabelX, u"月");
    EXPECT_EQ(l.AxisLabelY, u"mm");
    EXPECT_EQ(chart->BackColor(), 0x80000018u);
    EXPECT_EQ(chart->ForeColor(), 0x123456u);
    EXPECT_EQ(l.ActiveTheme, 7);
    EXPECT_TRUE(l.items().empty());
  }
}

TEST_F(PersistenceTest, AnEmptyBagLoadsEachKeysDefaultAndKeepsTheRest) {
  PalvexChart chart(host);
  chart.state().ChartSubTitle = u"kept";
  chart.state().DisplayXAxis = true;
  chart.state().SelectionInformation = true;
  chart.state().AxisLabelX = u"dropped";
  chart.ReadProperties(bag);
  const ChartState& l = chart.state();
  EXPECT_EQ(l.MarginTop, 0);
  EXPECT_EQ(l.MarginBottom, 0);
  EXPECT_EQ(l.MarginLeft, 0);
  EXPECT_EQ(l.MarginRight, 0);
  EXPECT_EQ(l.MaxY, 100);
  EXPECT_EQ(l.IntersectMajor, 10);
  EXPECT_EQ(l.IntersectMinor, 2);
  EXPECT_EQ(l.SelectedColumn, -1);
  EXPECT_EQ(l.ChartTitle, u"PalvexChart");
  EXPECT_EQ(chart.BackColor(), 0u);  // black
  EXPECT_EQ(chart.ForeColor(), 0u);
  EXPECT_EQ(l.ActiveTheme, 0);
  EXPECT_FALSE(l.ContentBorder);
  EXPECT_FALSE(l.SelectionInformation);
  EXPECT_EQ(l.AxisLabelX, u"");
  // These three keep what the control held.
  EXPECT_EQ(l.ChartSubTitle, u"kept");
  EXPECT_TRUE(l.DisplayXAxis);
  EXPECT_FALSE(l.DisplayYAxis);
}

TEST_F(PersistenceTest, ReadingConvertsEachValueToTheFieldsType) {
  bag.Write(u"utopmargin", u"750");
  bag.Write(u"uSelectable", 2.0);
  bag.Write(u"uHotTracking", u"True");
  bag.Write(u"uChartTitle", 1.5);
  bag.Write(u"uDisplayXAxis", std::int32_t{0});
  bag.Write(u"uMaxYValue", true);
  bag.Write(u"uYAxisLabel", false);
  bag.Write(u"BackColor", 2.5);
  bag.Write(u"ForeColor", 3.5);
  bag.Write(u"ActiveTheme", u"&H2");
  auto chart = Loaded(bag);
  const ChartState& l = chart->state();
  EXPECT_EQ(l.MarginTop, 750);
  EXPECT_TRUE(l.Selectable);
  EXPECT_TRUE(l.HotTracking);
  EXPECT_EQ(l.ChartTitle, u"1.5");
  EXPECT_FALSE(l.DisplayXAxis);
  EXPECT_EQ(l.MaxY, -1);
  EXPECT_EQ(l.AxisLabelY, u"False");
  EXPECT_EQ(chart->BackColor(), 2u);  // half to even
  EXPECT_EQ(chart->ForeColor(), 4u);
  EXPECT_EQ(l.ActiveTheme, 2);
}

TEST_F(PersistenceTest, LoadingStoresStraightIntoTheFieldsWithoutRedrawing) {
  bag.Write(u"uIntersectMajor", 7.0);  // a drawing pass would overwrite it
  bag.Write(u"uMaxYValue", 3.0);
  bag.Write(u"ActiveTheme", std::int32_t{1});
  placed.state().drawnSelection = 4;
  const int repaints = host.repaints();
  placed.ReadProperties(bag);
  EXPECT_EQ(placed.IntersectMajor(), 7);
  EXPECT_EQ(placed.MaxY(), 3);
  EXPECT_EQ(placed.state().drawnSelection, -1);
  EXPECT_TRUE(placed.state().barTops.empty());
  EXPECT_EQ(host.repaints(), repaints);
  // The theme is not applied and the host hears of no change.
  EXPECT_TRUE(host.changedProperties().empty());
}

TEST_F(PersistenceTest, AFailingKeyStopsTheReadAndKeepsTheKeysBeforeIt) {
  placed.WriteProperties(bag);
  bag.Write(u"uTopMargin", 1.0);
  bag.Write(u"uMaxYValue", u"lots");
  bag.Write(u"uDisplayDescript", true);
  PalvexChart chart(host);
  chart.state().drawnSelection = 4;
  EXPECT_EQ(ErrorOf([&] { chart.ReadProperties(bag); }), kErrTypeMismatch);
  EXPECT_THAT([&] { chart.ReadProperties(bag); },
              ThrowsMessage<ChartError>(HasSubstr("uMaxYValue")));
  const ChartState& l = chart.state();
  EXPECT_EQ(l.MarginTop, 1);
  EXPECT_EQ(l.IntersectMinor, 2);
  EXPECT_EQ(l.MaxY, 0);  // untouched from here on
  EXPECT_FALSE(l.SelectionInformation);
  EXPECT_EQ(chart.ForeColor(), 0xFFFFFFu);
  EXPECT_EQ(l.drawnSelection, 4);

  // The last key fails after the selection memory has been reset.
  bag.Write(u"uMaxYValue", 5.0);
  bag.Write(u"ActiveTheme", 1e10);
  EXPECT_THROW(chart.ReadProperties(bag), ChartError);
  EXPECT_EQ(l.MaxY, 5);
  EXPECT_EQ(chart.ForeColor(), 0xFFFFFFu);
  EXPECT_EQ(l.drawnSelection, -1);
}

TEST_F(PersistenceTest, AFailingKeyStopsTheWriteAndKeepsTheKeysBeforeIt) {
  placed.state().MaxY = INFINITY;  // a JSON bag cannot hold it
  JsonPropertyBag json;
  EXPECT_THROW(placed.WriteProperties(json), ChartError);
  EXPECT_EQ(json.Read(u"uIntersectMinor"), BagValue(2.0));
  EXPECT_EQ(json.Read(u"uMaxYValue"), std::nullopt);
  EXPECT_EQ(json.Read(u"ActiveTheme"), std::nullopt);
}

}  // namespace
}  // namespace palvex
