#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "control/property_table.h"
#include "model/text_limit.h"
#include "platform/numeric.h"
#include "platform/property_bag.h"
#include "support/chart_fixture.h"

namespace palvex::testing {
namespace {

using ItemStore = ChartFixture;

TEST_F(ItemStore, AddItemRaisesMaxYButNeverLowersItAndAlwaysAnswersFalse) {
  state().MaxY = 0;
  EXPECT_FALSE(chart->AddItem(Item(u"1", 5)));
  EXPECT_FALSE(chart->AddItem(Item(u"2", 150)));
  EXPECT_FALSE(chart->AddItem(Item(u"3", 120)));
  EXPECT_EQ(chart->MaxY(), 150);
  chart->AddItem(Item(u"4", 150));
  chart->AddItem(Item(u"5", -500));
  EXPECT_EQ(chart->MaxY(), 150);
  EXPECT_EQ(state().items().size(), 5u);
}

TEST_F(ItemStore, AddItemKeepsCopiesInOrderIncludingDuplicatesAndDoesNotDraw) {
  ChartItem item = Item(u"7", 3, u"Jan", u"North");
  chart->AddItem(item);
  chart->AddItem(item);
  item.XAxisDescription = u"changed by the host";
  ASSERT_EQ(state().items().size(), 2u);
  EXPECT_EQ(state().items()[0].XAxisDescription, u"Jan");
  EXPECT_EQ(state().items()[1], state().items()[0]);
  EXPECT_TRUE(surface().ops.empty());
}

TEST_F(ItemStore, AddItemAcceptsAnyIdTextButRefusesValuesThatAreNotNumbers) {
  EXPECT_NO_THROW(chart->AddItem(Item(u"North", 1)));
  for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity()}) {
    EXPECT_EQ(ErrorOf([&] { chart->AddItem(Item(u"1", bad)); }), kErrOverflow) << bad;
  }
  EXPECT_EQ(state().items().size(), 1u);
  EXPECT_EQ(chart->MaxY(), 100);
}

TEST_F(ItemStore, ClearEmptiesTheListAndRedrawsButKeepsEverythingElse) {
  AddItems({5, 150});
  state().SelectedColumn = 1;
  chart->Clear();
  EXPECT_TRUE(state().items().empty());
  EXPECT_EQ(chart->MaxY(), 150);
  EXPECT_EQ(chart->SelectedColumn(), 1);
  EXPECT_FALSE(surface().Named("Cls").empty());
}

TEST_F(ItemStore, MaxYWrittenBelowTheLargestItemIsRaisedByItsOwnRedraw) {
  AddItems({150});
  chart->SetMaxY(50);
  EXPECT_EQ(chart->MaxY(), 150);
  chart->Clear();
  chart->SetMaxY(50);
  EXPECT_EQ(chart->MaxY(), 50);  // no items: the scale top 50 is its own
  chart->SetMaxY(5);
  EXPECT_EQ(chart->MaxY(), 10);  // raised to the scale top
}

TEST_F(ItemStore, IntersectMajorWrittenByTheHostIsReplacedByTheNextPass) {
  chart->SetMaxY(2345);
  chart->SetIntersectMajor(7);
  EXPECT_EQ(chart->IntersectMajor(), 250);
  EXPECT_EQ(chart->MaxY(), 2500);
}

TEST_F(ItemStore, MarginsArePixelsOutsideAndTwipsInside) {
  chart->SetMarginLeft(10);
  EXPECT_EQ(state().MarginLeft, 150);
  EXPECT_EQ(chart->MarginLeft(), 10);
  chart->SetMarginTop(50);
  EXPECT_EQ(state().MarginTop, 750);
  host.screen().SetTwipsPerPixel(12, 12);
  chart->SetMarginBottom(10);
  chart->SetMarginRight(2.5);
  EXPECT_EQ(state().MarginBottom, 120);
  EXPECT_EQ(state().MarginRight, 30);
  EXPECT_EQ(chart->MarginRight(), 2.5);
  EXPECT_EQ(chart->MarginTop(), 62.5);  // 750 twips read back at the new factor
}

TEST_F(ItemStore, AMarginThatOverflowsFailsBeforeAnythingIsStored) {
  EXPECT_EQ(ErrorOf([&] { chart->SetMarginLeft(std::numeric_limits<double>::max()); }),
            kErrOverflow);
  EXPECT_EQ(chart->MarginLeft(), 55);
  EXPECT_TRUE(surface().ops.empty());
}

TEST_F(ItemStore, NewlyPlacedControlHasTheDocumentedDefaults) {
  EXPECT_EQ(chart->MarginTop(), 50);
  EXPECT_EQ(chart->MarginBottom(), 55);
  EXPECT_EQ(chart->MarginLeft(), 55);
  EXPECT_EQ(chart->MarginRight(), 55);
  EXPECT_EQ(state().MarginLeft, 825);
  EXPECT_TRUE(chart->ContentBorder());
  EXPECT_FALSE(chart->Selectable());
  EXPECT_FALSE(chart->HotTracking());
  EXPECT_FALSE(chart->SelectionInformation());
  EXPECT_EQ(chart->SelectedColumn(), -1);
  EXPECT_EQ(state().drawnSelection, -1);
  EXPECT_EQ(chart->ChartTitle(), u"PalvexChart");
  EXPECT_EQ(chart->ChartSubTitle(), u"动画特效图表示例(支持换肤)");
  EXPECT_EQ(chart->IntersectMajor(), 10);
  EXPECT_EQ(chart->IntersectMinor(), 2);
  EXPECT_EQ(chart->MaxY(), 100);
  EXPECT_TRUE(chart->DisplayXAxis());
  EXPECT_TRUE(chart->DisplayYAxis());
  EXPECT_FALSE(chart->ColorBars());
  EXPECT_EQ(chart->AxisLabelX(), u"");
  EXPECT_EQ(chart->ActiveTheme(), 0);
  EXPECT_EQ(chart->BackColor(), kSystemWindow);
  EXPECT_EQ(chart->ForeColor(), 0xFFFFFFu);
}

TEST_F(ItemStore, EveryWriterStoresAsGivenAndRedraws) {
  auto redraws = [&] { return surface().Named("Cls").size(); };
  std::size_t before = redraws();
  chart->SetContentBorder(false);
  chart->SetSelectable(true);
  chart->SetHotTracking(true);
  chart->SetSelectionInformation(true);
  chart->SetDisplayXAxis(false);
  chart->SetDisplayYAxis(false);
  chart->SetColorBars(true);
  chart->SetChartTitle(u"");
  chart->SetChartSubTitle(std::u16string(kMaxTextLength, u'x'));
  chart->SetAxisLabelX(u"月份");
  chart->SetAxisLabelY(u"金额");
  chart->SetIntersectMinor(-3);
  chart->SetBackColor(0x123456);
  chart->SetForeColor(0x654321);
  EXPECT_EQ(redraws() - before, 14u);
  EXPECT_FALSE(chart->ContentBorder());
  EXPECT_TRUE(chart->Selectable() && chart->HotTracking() && chart->SelectionInformation());
  EXPECT_FALSE(chart->DisplayXAxis() || chart->DisplayYAxis());
  EXPECT_TRUE(chart->ColorBars());
  EXPECT_EQ(chart->ChartSubTitle().size(), kMaxTextLength);
  EXPECT_EQ(chart->AxisLabelY(), u"金额");
  EXPECT_EQ(chart->IntersectMinor(), -3);
  EXPECT_EQ(chart->BackColor(), 0x123456u);
  EXPECT_EQ(state().surface->BackColor(), 0x123456u);
  EXPECT_EQ(chart->ForeColor(), 0x654321u);
}

// Text one unit over the limit is refused with Invalid property value
// wherever it comes in, and what it would have replaced stays; text at the
// limit is taken.
TEST_F(ItemStore, TextOverTheLimitIsRefusedByEveryWriterBagKeyAndItemField) {
  const std::u16string atLimit(kMaxTextLength, u'x');
  const std::u16string over = atLimit + u'x';
  auto redraws = [&] { return surface().Named("Cls").size(); };
  for (const PropertyInfo& p : PropertyTable()) {
    if (p.type != TypeId::String) continue;
    SCOPED_TRACE(std::string(p.name));
    const BagValue before = p.stored.save(state());
    const std::size_t passes = redraws();
    EXPECT_EQ(ErrorOf([&] { p.write(*chart, Variant::Text(over)); }), kErrInvalidPropertyValue);
    EXPECT_EQ(redraws(), passes);

    MemoryPropertyBag bag;
    bag.Write(p.key.written, over);
    try {
      chart->ReadProperties(bag);
      ADD_FAILURE() << "the bag's text was taken";
    } catch (const ChartError& e) {
      EXPECT_EQ(e.number(), kErrInvalidPropertyValue);
      EXPECT_NE(std::string(e.what()).find(ToUtf8(p.key.read)), std::string::npos) << e.what();
    }
    EXPECT_EQ(p.stored.save(state()), before);

    p.write(*chart, Variant::Text(atLimit));
    EXPECT_EQ(p.read(*chart), Variant::Text(atLimit));
  }

  for (auto field :
       {&ChartItem::ItemID, &ChartItem::SelectedDescription, &ChartItem::XAxisDescription}) {
    ChartItem item = Item(u"1", 1);
    item.*field = over;
    EXPECT_EQ(ErrorOf([&] { chart->AddItem(item); }), kErrInvalidPropertyValue);
    EXPECT_TRUE(state().items().empty());
    item.*field = atLimit;
    EXPECT_NO_THROW(chart->AddItem(item));
    chart->Clear();
  }
}

TEST_F(ItemStore, AWriterWhoseRedrawFailsKeepsTheValueAndReportsTheError) {
  chart->AddItem(Item(u"North", 10));
  AnimationPlayed();
  EXPECT_EQ(ErrorOf([&] { chart->SetChartTitle(u"Sales"); }), kErrTypeMismatch);
  EXPECT_EQ(chart->ChartTitle(), u"Sales");
}

}  // namespace
}  // namespace palvex::testing
