#include "theme/legend_entries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "platform/numeric.h"
#include "platform/qt/image_io.h"
#include "render/bars.h"
#include "support/chart_fixture.h"
#include "theme/legend_panel.h"
#include "theme/themes.h"
#include "ui/keyboard.h"
#include "ui/scroll_bar.h"
#include "ui/selection.h"

namespace palvex::testing {
namespace {

class LegendEntries : public ChartFixture {
 protected:
  ChildControls& ch() { return state().children; }
  void AddEntries(int n, std::int32_t colorIndex = 1) {
    for (int i = 0; i < n; ++i) AddLegendEntry(state(), u"entry", colorIndex);
  }
  // The description panel's pixel at (x, y) of the whole stack; the
  // picture holds only the rows in view.
  Color PanelAt(int x, int y) {
    PaintEntriesInView(state());
    const int first = static_cast<int>(ch().picContainer.PictureTop / 15);
    return ch().picContainer.surface->PixelAt(x, y - first);
  }
};

TEST_F(LegendEntries, LongTextsAreCutButTheToolTipKeepsThemWhole) {
  const std::u16string seventeen = u"ABCDEFGHIJKLMNOPQ";
  const std::u16string eighteen = u"北京市朝阳区建国路八十八号现代城五号楼";
  AddLegendEntry(state(), seventeen, 1);
  AddLegendEntry(state(), eighteen, 1);
  EXPECT_EQ(ch().entries.Label(0)->Caption, seventeen);
  EXPECT_EQ(ch().entries.Label(1)->Caption, eighteen.substr(0, 15) + u"..");
  EXPECT_EQ(ch().entries.Label(1)->ToolTipText, eighteen);
}

TEST_F(LegendEntries, TheFirstEntryReusesElementZeroAndTheNextStandOnePitchBelow) {
  AddEntries(3);
  ASSERT_EQ(ch().entries.Count(), 3u);
  EXPECT_EQ(ch().entries.Box(0)->Top, 135);
  EXPECT_EQ(ch().entries.Box(1)->Top, 525);  // 240 high plus 10 pixels
  EXPECT_EQ(ch().entries.Box(2)->Top, 915);
  EXPECT_EQ(ch().entries.Box(2)->Left, 45);
  EXPECT_EQ(ch().entries.Label(2)->Top, 915);
  EXPECT_EQ(ch().entries.Label(2)->Left, 315);
  EXPECT_TRUE(ch().entries.Box(2)->Visible && ch().entries.Label(2)->Visible);
  EXPECT_EQ(ch().picContainer.Height, 390 * 3 + 149);
  EXPECT_TRUE(state().legendHasRows);
}

TEST_F(LegendEntries, TheScrollBarShowsOnlyWhenTheStackOutgrowsThePanel) {
  AddEntries(13);  // 5219 twips fit in the 5430 of the legend
  EXPECT_FALSE(ch().vsbContainer.Visible);
  AddEntries(1);  // 5609: 12 pixels too tall
  EXPECT_TRUE(ch().vsbContainer.Visible);
  EXPECT_EQ(ch().vsbContainer.Max, 12);
}

TEST_F(LegendEntries, AHugeStackCapsTheScrollRangeInsteadOfFailing) {
  AddEntries(1300);
  EXPECT_EQ(ch().vsbContainer.Max, 32767);
  EXPECT_EQ(ch().entries.Count(), 1300u);
}

TEST_F(LegendEntries, ScrollingMovesTheStackUpByWholePixels) {
  ScrollEntries(state(), 12);
  EXPECT_EQ(ch().picContainer.Top, -180);
  EXPECT_EQ(ch().vsbContainer.Value, 12);
}

TEST_F(LegendEntries, ClearingRemovesAllButElementZeroAndScrollsBackUp) {
  AddEntries(20);
  ScrollEntries(state(), 30);
  ClearLegendEntries(state());
  EXPECT_EQ(ch().entries.Count(), 1u);
  EXPECT_EQ(ch().entries.Count(), 1u);
  EXPECT_FALSE(ch().entries.Box(0)->Visible);
  EXPECT_EQ(ch().picContainer.Top, 0);
  EXPECT_FALSE(state().legendHasRows);
  AddEntries(1);
  EXPECT_EQ(ch().entries.Box(0)->Top, 135);
}

TEST_F(LegendEntries, ClearingAnEmptyPanelDoesNothingAtAll) {
  ScrollEntries(state(), 7);
  ClearLegendEntries(state());
  EXPECT_EQ(ch().vsbContainer.Value, 7);
}

TEST_F(LegendEntries, AColorIndexOutsideTheTableFailsAfterTheElementsExist) {
  AddEntries(1);
  EXPECT_EQ(ErrorOf([&] { AddLegendEntry(state(), u"x", 16); }), kErrSubscript);
  EXPECT_EQ(ch().entries.Count(), 2u);
  EXPECT_EQ(ErrorOf([&] { AddLegendEntry(state(), u"x", -1); }), kErrSubscript);
}

TEST_F(LegendEntries, TheColorBoxIsTheBarGradientFramedInReverse) {
  AddEntries(1, 2);  // pair 2: 0x00FE00 light, 0x007A00 dark
  const Surface& box = *ch().entries.Box(0)->surface;
  EXPECT_EQ(box.PixelAt(5, 0), 0x007A00u);       // the frame starts with the dark colour
  EXPECT_EQ(box.PixelAt(5, 1), 0x00FE00u);       // the face starts with the light one
  EXPECT_GT(GreenOf(box.PixelAt(5, 15)), 0xF0);  // the frame ends light at the bottom
  EXPECT_EQ(ch().entries.Box(0)->BackColor, 0x00FE00u);
}

TEST_F(LegendEntries, ThePanelBackgroundContinuesTheLegendGradient) {
  state().ActiveTheme = ThemeSky;
  ch().picLegend.surface->SetBackColor(0x123456);  // stands for the legend gradient
  AddEntries(2);
  PaintEntriesBackground(state());
  EXPECT_EQ(PanelAt(3, 0), 0xEFD2B9u);
  const Color bottom = PanelAt(3, ch().entries.Look().height - 1);
  EXPECT_NEAR(RedOf(bottom), 0x56, 3);
  EXPECT_NEAR(BlueOf(bottom), 0x12, 3);
}

// Outside the legend there is no colour to take: white there would hide
// the white texts and frame of the dark themes far down a long list.
TEST_F(LegendEntries, AStackTallerThanTheLegendEndsInTheLegendsLastColor) {
  const Surface& legend = *ch().picLegend.surface;
  for (std::int32_t theme : {ThemePersianGulf, ThemeSky, ThemeNeon}) {
    SCOPED_TRACE(theme);
    state().ActiveTheme = theme;
    PaintLegendBackground(ch().picLegend, theme);
    ClearLegendEntries(state());
    AddEntries(1000);
    PaintEntriesBackground(state());
    EXPECT_EQ(PanelAt(3, 0), legend.PixelAt(1, 0));
    ScrollEntries(state(), ch().vsbContainer.Max);
    const Color end = PanelAt(3, ch().entries.Look().height - 1);
    const Color legendEnd = legend.PixelAt(1, legend.PixelHeight() - 1);
    EXPECT_NEAR(RedOf(end), RedOf(legendEnd), 2);
    EXPECT_NEAR(GreenOf(end), GreenOf(legendEnd), 2);
    EXPECT_NEAR(BlueOf(end), BlueOf(legendEnd), 2);
  }
}

TEST_F(LegendEntries, WithoutAThemeThePanelStaysWhite) {
  state().ActiveTheme = ThemeNormal;
  AddEntries(2);
  PaintEntriesBackground(state());
  EXPECT_EQ(PanelAt(3, 3), 0xFFFFFFu);
}

// A pixel ratio change leaves the pictures enlarged until they are made
// again (here: painted over); after Invalidate the next pass must not show
// the kept colour box or panel rows.
TEST_F(LegendEntries, InvalidatingRemakesTheColorBoxesAndThePanelRows) {
  AddEntries(3, 2);
  PaintEntriesBackground(state());
  const Color face = ch().entries.Box(1)->surface->PixelAt(5, 1);
  const Color panel = PanelAt(3, 3);
  for (Surface* stale : {ch().entries.Box(1)->surface.get(), ch().picContainer.surface.get()}) {
    stale->SetBackColor(0x123456);
    stale->Cls();
  }
  ch().entries.Invalidate();
  ClearLegendEntries(state());
  AddEntries(3, 2);
  for (std::size_t k : {1, 2}) EXPECT_EQ(ch().entries.Box(k)->surface->PixelAt(5, 1), face) << k;
  EXPECT_EQ(PanelAt(3, 3), panel);
}

// A pass takes the entries of the last one again where nothing they were
// made from changed; whatever did change, they must be the entries a new
// control would make.
TEST(LegendEntriesTakenAgain, AreTheEntriesANewControlWouldMake) {
  struct Change {
    const char* what;
    std::function<void(std::vector<ChartItem>&, PalvexChart&)> apply;
  };
  const std::vector<Change> changes = {
      {"nothing", [](auto&, auto&) {}},
      {"a description", [](auto& items, auto&) { items[1].SelectedDescription = u"other"; }},
      {"an item's colour", [](auto& items, auto&) { items[2].ItemID = u"7"; }},
      {"one item fewer", [](auto& items, auto&) { items.erase(items.begin() + 1); }},
      {"the text colour", [](auto&, PalvexChart& c) { c.state().surface->SetForeColor(0x123456); }},
      {"the screen",
       [](auto&, PalvexChart& c) { c.state().host.screen().SetTwipsPerPixel(12, 12); }},
      {"the legend font",
       [](auto&, PalvexChart& c) { c.state().children.entries.FirstLabel().Font.size = 11; }}};
  for (const Change& change : changes) {
    std::vector<ChartItem> items;
    for (int i = 1; i <= 4; ++i) {
      const std::u16string id(1, char16_t(u'0' + i));
      items.push_back(Item(id, 10.0 * i, u"", u"entry " + id));
    }
    HeadlessHost againHost, newHost;
    PalvexChart again(againHost), made(newHost);
    for (PalvexChart* c : {&again, &made}) {
      c->InitProperties();
      InitBarPalette(c->state());
      c->state().animationDone = true;
    }
    for (const ChartItem& item : items) again.AddItem(item);
    again.Refresh();
    change.apply(items, again);
    change.apply(items, made);
    again.Clear();
    for (const ChartItem& item : items) {
      again.AddItem(item);
      made.AddItem(item);
    }
    again.Refresh();
    made.Refresh();
    const ChildControls& a = again.state().children;
    const ChildControls& m = made.state().children;
    ASSERT_EQ(a.entries.Count(), m.entries.Count()) << change.what;
    // Alike but for the parent, which is each control's own panel.
    const auto alike = [](const Control& x, const Control& y) {
      Control copy;
      CopyProperties(copy, x);
      copy.Parent = y.Parent;
      return SameProperties(copy, y) && x.Index == y.Index;
    };
    for (std::size_t k = 0; k < a.entries.Count(); ++k) {
      const Control &aBox = *a.entries.Box(k), &mBox = *m.entries.Box(k);
      EXPECT_TRUE(alike(aBox, mBox)) << change.what << ", box " << k;
      EXPECT_TRUE(alike(*a.entries.Label(k), *m.entries.Label(k)))
          << change.what << ", label " << k;
      EXPECT_EQ(PictureOf(*aBox.surface), PictureOf(*mBox.surface)) << change.what << ", box " << k;
      EXPECT_EQ(aBox.surface->BackColor(), mBox.surface->BackColor()) << change.what;
    }
  }
}

TEST_F(LegendEntries, EveryPassRebuildsTheEntriesExceptWhileResizing) {
  AnimationPlayed();
  AddItems({10, 20, 30});
  chart->Refresh();
  EXPECT_EQ(ch().entries.Count(), 3u);
  chart->Refresh();
  EXPECT_EQ(ch().entries.Count(), 3u);
  chart->AddItem(Item(u"4", 5));
  state().resizing = true;
  chart->Refresh();
  EXPECT_EQ(ch().entries.Count(), 3u);
  state().resizing = false;
  chart->Clear();
  EXPECT_EQ(ch().entries.Count(), 1u);
  EXPECT_FALSE(state().legendHasRows);
}

// With nothing selected too, the entries' background is painted for the
// entries the pass made: a longer list is not left white below the
// gradient of a shorter one.
TEST_F(LegendEntries, EveryPassPaintsTheBackgroundOfTheEntriesItMade) {
  AnimationPlayed();
  ShowLegend(state(), false);
  AddItems({10, 20, 30, 40, 50});
  chart->Refresh();
  chart->Clear();
  for (int i = 0; i < 60; ++i) chart->AddItem(Item(u"1", 10));
  chart->Refresh();
  EXPECT_EQ(ch().entries.Look().height, RoundHalfEven((390 * 60 + 149) / 15.0));
  ScrollEntries(state(), ch().vsbContainer.Max);
  EXPECT_NE(PanelAt(3, ch().entries.Look().height - 1), 0xFFFFFFu);
}

TEST_F(LegendEntries, TheSelectedEntryIsScrolledIntoViewAndFramedInWhite) {
  AnimationPlayed();
  state().legendVisible = true;
  state().Selectable = true;
  for (int i = 0; i < 30; ++i) chart->AddItem(Item(u"1", 10));
  state().SelectedColumn = 25;
  chart->Refresh();
  // 13 rows fit; the 26th entry scrolls the stack up to show it.
  const int visible = 13;
  const double expected =
      RoundHalfEven(26 * (240.0 / 15 + 10) - ch().entries.Box(visible)->Top / 15);
  EXPECT_EQ(ch().vsbContainer.Value, std::min<int>(expected, ch().vsbContainer.Max));
  EXPECT_TRUE(ch().picContainer.Visible);
  const Control& box = *ch().entries.Box(25);
  const int left = static_cast<int>((box.Left - 45) / 15),
            top = static_cast<int>((box.Top - 45) / 15);
  EXPECT_EQ(PanelAt(left, top), 0xFFFFFFu);
  EXPECT_EQ(PanelAt(left, top + 5), 0xFFFFFFu);
}

TEST_F(LegendEntries, ASelectionGoneOrPastTheEntriesFramesNothingAndLaterPassesRun) {
  AnimationPlayed();
  state().legendVisible = true;
  state().Selectable = true;
  state().SelectionInformation = true;
  auto whitePixels = [&] {
    PaintEntriesInView(state());
    const Surface& panel = *ch().picContainer.surface;
    int n = 0;
    for (int y = 0; y < panel.PixelHeight(); ++y) {
      for (int x = 0; x < panel.PixelWidth(); ++x) n += panel.PixelAt(x, y) == 0xFFFFFFu;
    }
    return n;
  };
  struct Case {
    const char* what;
    std::function<void()> pastTheEntries;
    std::int32_t selected;
  } cases[] = {
      {"items cleared", [&] { chart->Clear(); }, 2},
      {"one past the last", [&] { chart->SetSelectedColumn(5); }, -1},
      {"far past the last", [&] { state().SelectedColumn = 20; }, 20},
      {"cleared by the host", [&] { chart->SetSelectedColumn(-1); }, -1},
      {"cleared by hot tracking", [&] { ClearSelectionAsHovered(state()); }, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    chart->Clear();
    AddItems({10, 20, 30, 40, 50});
    state().SelectedColumn = 2;
    chart->Refresh();
    ASSERT_GT(whitePixels(), 0);  // the frame round entry 2
    EXPECT_EQ(ErrorOf(c.pastTheEntries), 0);
    EXPECT_EQ(ErrorOf([&] { chart->Refresh(); }), 0);
    EXPECT_EQ(ErrorOf([&] { chart->Resize(500, 300); }), 0);
    EXPECT_EQ(chart->SelectedColumn(), c.selected);
    EXPECT_TRUE(ch().picContainer.Visible);
    EXPECT_FALSE(ch().lblInfo.Visible);
    EXPECT_EQ(whitePixels(), 0);
  }
}

TEST_F(LegendEntries, AThousandEntriesKeepTheirBackgroundAndFrameFarDown) {
  AnimationPlayed();
  state().ActiveTheme = ThemeSky;
  state().legendVisible = true;
  state().Selectable = true;
  for (int i = 0; i < 1000; ++i) chart->AddItem(Item(u"1", 10));
  state().SelectedColumn = 900;
  chart->Refresh();
  EXPECT_EQ(ch().entries.Look().height, 26010);  // 390149 twips
  const Control& box = *ch().entries.Box(900);
  const int left = static_cast<int>((box.Left - 45) / 15);
  const int top = static_cast<int>((box.Top - 45) / 15);
  EXPECT_EQ(PanelAt(left, top), 0xFFFFFFu);
  EXPECT_NE(PanelAt(left + 1, top + 1), 0xFFFFFFu);  // the gradient inside the frame
  // Only the rows in view are kept: not 26010 rows of 122 pixels, nor a
  // thousand colour boxes and labels; an entry out of view is made when
  // asked for by name.
  EXPECT_LE(ch().picContainer.surface->PixelHeight(), ch().picLegend.Height / 15 + 2);
  int made = 0;
  for (std::size_t k = 0; k < ch().entries.Count(); ++k) made += ch().entries.Box(k) != nullptr;
  EXPECT_LE(made, 20);
  EXPECT_EQ(ch().Find("lblDescription", 999), nullptr);
  MakeEntryExist(state(), "lblDescription", 999);
  const Control* last = ch().Find("lblDescription", 999);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->Top, ch().entries.Box(0)->Top + 999 * 390);
  EXPECT_EQ(last->ToolTipText, state().items()[999].SelectedDescription);
}

// The longest list the control takes overflows the scroll bar's 16-bit
// range many times over; its last entry is still reached every way.
TEST_F(LegendEntries, TheLastEntryOfTheLongestListCanBeScrolledIntoView) {
  AnimationPlayed();
  ShowLegend(state(), false);
  state().Selectable = true;
  const int n = 32767;
  for (int i = 0; i < n; ++i) chart->AddItem(Item(u"1", 10));
  chart->Refresh();
  Control& bar = ch().vsbContainer;
  const auto lastInView = [&] {
    const double top = ch().entries.Record(n - 1)->top + ch().picContainer.Top;
    return top >= 0 && top + ch().entries.Box(0)->Height <= ch().picLegend.ScaleHeight();
  };
  const ScrollBarLayout layout = LayoutScrollBar(bar, 15);
  const auto press = [&](double y, int times) {
    for (int i = 0; i < times; ++i) {
      ScrollBarMouseDown(state(), 1, 100, static_cast<float>(y));
      ScrollBarMouseUp(state(), 1, 100, static_cast<float>(y));
    }
  };
  const struct Way {
    const char* what;
    std::function<void()> scroll;
  } ways[] = {
      {"down arrow", [&] { press(bar.Height - 10, bar.Max / bar.SmallChange + 1); }},
      {"thumb",
       [&] {
         ScrollBarMouseDown(state(), 1, 100, static_cast<float>(layout.thumbTop + 10));
         ScrollBarMouseMove(state(), 1, 100, static_cast<float>(bar.Height));
         ScrollBarMouseUp(state(), 1, 100, static_cast<float>(bar.Height));
       }},
      {"wheel", [&] { ScrollBarWheel(state(), -120 * n); }},
      {"selection", [&] { chart->SetSelectedColumn(n - 1); }},
      {"last-bar key", [&] { HandleKey(state(), ChartKey::LastBar); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.what);
    ScrollEntries(state(), 0);
    ASSERT_FALSE(lastInView());
    way.scroll();
    EXPECT_EQ(bar.Value, bar.Max);
    EXPECT_TRUE(lastInView());
  }
  // The rows in view are painted there, not the end of a shorter picture.
  EXPECT_EQ(ch().entries.Look().height, RoundHalfEven((390.0 * n + 149) / 15));
  EXPECT_NE(PanelAt(3, ch().entries.Look().height - 1), 0xFFFFFFu);
}

}  // namespace
}  // namespace palvex::testing
