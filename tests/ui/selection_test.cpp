// Selecting bars with the mouse and through SelectedColumn, and the events
// the host gets for it.
#include "ui/selection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

#include "support/shown_chart.h"
#include "theme/legend_entries.h"

namespace palvex::testing {
namespace {

constexpr std::int16_t kLeft = 1, kRight = 2, kMiddle = 4;

struct EventLog : EventSink {
  void ItemClick(ChartItem& item) override {
    log.push_back("click " + ToUtf8(item.XAxisDescription));
  }
  void MouseDown(std::int16_t& b, std::int16_t&, float&, float&) override {
    log.push_back("down " + std::to_string(b));
  }
  void MouseUp(std::int16_t& b, std::int16_t&, float&, float&) override {
    log.push_back("up " + std::to_string(b));
  }
  std::vector<std::string> log;
};

class Selection : public ShownChart {
 protected:
  Selection() { state().events.Advise(&events); }
  void Columns(std::initializer_list<double> values) {
    ShownChart::Columns(values);
    events.log.clear();
  }
  std::vector<std::string> Events() {
    std::vector<std::string> l;
    l.swap(events.log);
    return l;
  }

  EventLog events;
};

using Log = std::vector<std::string>;

TEST_F(Selection, TheSlotUnderThePointerIsFoundByTruncatingWholeTwips) {
  Columns({50, 80, 60});  // slots of 2250 twips from x 825
  const float left = static_cast<float>(state().MarginLeft);
  // Up to a whole slot left of the plot the division truncates to 0.
  Click(left - 2249, PlotBottom());
  EXPECT_EQ(Events(), (Log{"click axis 0", "down 1", "up 1"}));
  // Offsets are rounded before dividing: 2249.6 is the slot at 2250.
  Click(left + 2249.6f, PlotBottom());
  EXPECT_EQ(Events(), (Log{"click axis 1", "down 1", "up 1"}));

  // Beside every column a left press raises nothing but its release.
  for (float x : {left - 2250, left + 3 * 2250, 1e30f, NAN}) {
    SCOPED_TRACE(x);
    Click(x, PlotBottom());
    EXPECT_EQ(Events(), (Log{"up 1"}));
  }
  EXPECT_EQ(chart->SelectedColumn(), 1);
  // Other presses run no hit test.
  Click(left + 3 * 2250, PlotBottom(), kMiddle);
  EXPECT_EQ(Events(), (Log{"down 4", "up 4"}));
}

TEST_F(Selection, ABarTakesPressesFromItsTopToThePlotsBottomEdgeAcrossItsSlot) {
  Columns({50, 0, -20, 80});
  const float below = std::nextafter(PlotBottom(), INFINITY);
  struct Case {
    const char* where;
    int column;
    float y;
    bool selects;
  } cases[] = {
      {"exactly on the top edge", 0, Top(0), true},
      {"just above the top", 0, std::nextafter(Top(0), -INFINITY), false},
      {"exactly on the bottom edge", 0, PlotBottom(), true},
      {"just below the plot", 0, below, false},
      {"a zero bar on the bottom edge", 1, PlotBottom(), true},
      {"a zero bar just above it", 1, std::nextafter(PlotBottom(), -INFINITY), false},
      {"a negative bar above its top", 2, PlotBottom(), false},
      {"a negative bar at its top", 2, Top(2), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.where);
    chart->SetSelectedColumn(-1);
    state().drawnSelection = -1;
    events.log.clear();
    Click(SlotMiddle(c.column), c.y);
    EXPECT_EQ(chart->SelectedColumn(), c.selects ? c.column : -1);
    EXPECT_EQ(Events().size(), c.selects ? 3u : 2u);
  }
  // The two pixels left of a painted bar belong to its slot too.
  Click(static_cast<float>(state().MarginLeft + 3 * state().barWidth + 1), PlotBottom());
  EXPECT_EQ(chart->SelectedColumn(), 3);
}

TEST_F(Selection, ItemClickComesOncePerNewlySelectedColumn) {
  Columns({10, 20, 30, 40, 50, 60});
  ClickColumn(2);
  ClickColumn(2);
  EXPECT_EQ(Events(), (Log{"click axis 2", "down 1", "up 1", "down 1", "up 1"}));
  ClickColumn(5);
  ClickColumn(2);
  EXPECT_EQ(Events(), (Log{"click axis 5", "down 1", "up 1", "click axis 2", "down 1", "up 1"}));
  EXPECT_EQ(state().drawnSelection, 2);

  // Presses never select while the control is not selectable.
  state().Selectable = false;
  const std::size_t redraws = Passes();
  ClickColumn(4);
  EXPECT_EQ(Events(), (Log{"down 1", "up 1"}));
  EXPECT_EQ(chart->SelectedColumn(), 2);
  EXPECT_EQ(Passes(), redraws);
}

TEST_F(Selection, ALeftDragSelectsAsItGoesUnlessHotTrackingOwnsTheMoves) {
  Columns({10, 20, 30});
  chart->MouseDown(kLeft, 0, SlotMiddle(0), PlotBottom());
  chart->MouseMove(kLeft, 0, SlotMiddle(1), PlotBottom());
  chart->MouseMove(kLeft, 0, SlotMiddle(1), Top(1));
  chart->MouseMove(kLeft, 0, SlotMiddle(2), 0);  // above the bar: nothing
  chart->MouseMove(kLeft | kRight, 0, SlotMiddle(2), PlotBottom());
  chart->MouseUp(kLeft, 0, SlotMiddle(2), PlotBottom());
  chart->MouseMove(0, 0, SlotMiddle(2), PlotBottom());
  EXPECT_EQ(Events(), (Log{"click axis 0", "down 1", "click axis 1", "up 1"}));
  EXPECT_EQ(chart->SelectedColumn(), 1);
}

TEST_F(Selection, HotTrackingSelectsWithoutEventsAndClearsAboveTheBars) {
  Columns({10, 20, 30});
  state().HotTracking = true;
  const std::size_t before = Passes();
  chart->MouseMove(0, 0, SlotMiddle(1), PlotBottom());
  chart->MouseMove(0, 0, SlotMiddle(1), Top(1));  // the same column: no redraw
  EXPECT_EQ(chart->SelectedColumn(), 1);
  EXPECT_EQ(Passes(), before + 1);
  // Outside the column range the last hot column stays.
  chart->MouseMove(0, 0, 9000, PlotBottom());
  EXPECT_EQ(chart->SelectedColumn(), 1);
  // Hot tracking drew it, so a press on it raises no ItemClick.
  ClickColumn(1);
  EXPECT_EQ(Events(), (Log{"down 1", "up 1"}));

  chart->MouseMove(0, 0, SlotMiddle(2), 0);  // in range, above the bar
  EXPECT_EQ(chart->SelectedColumn(), -1);
  EXPECT_EQ(state().drawnSelection, -1);
  EXPECT_EQ(Passes(), before + 2);
  chart->MouseMove(0, 0, SlotMiddle(0), 0);
  EXPECT_EQ(Passes(), before + 2);
  EXPECT_TRUE(Events().empty());
}

TEST_F(Selection, HotTrackingRedrawsAwayASelectionTheHostMade) {
  Columns({10, 20, 30});
  state().HotTracking = true;
  state().SelectionInformation = true;
  chart->SetSelectedColumn(2);
  EXPECT_TRUE(state().children.lblInfo.Visible);
  const std::size_t before = Passes();
  chart->MouseMove(0, 0, SlotMiddle(0), 0);
  EXPECT_EQ(chart->SelectedColumn(), -1);
  EXPECT_EQ(Passes(), before + 1);
  EXPECT_FALSE(state().children.lblInfo.Visible);

  // Not selectable: movement only ever clears, on a bar as well.
  state().Selectable = false;
  chart->SetSelectedColumn(1);
  chart->MouseMove(0, 0, SlotMiddle(0), PlotBottom());
  EXPECT_EQ(chart->SelectedColumn(), -1);
}

// A host's ItemClick handler.
struct OnItemClick : EventSink {
  explicit OnItemClick(std::function<void()> f) : handler(std::move(f)) {}
  void ItemClick(ChartItem&) override { handler(); }
  std::function<void()> handler;
};

TEST_F(Selection, NothingHappensWhileAPassRunsOrAnotherHandlerIsBusy) {
  Columns({10, 20, 30});
  state().drawing = true;
  ClickColumn(1);
  chart->MouseDown(kRight, 0, 100, 100);
  EXPECT_TRUE(host.poppedMenus().empty());
  EXPECT_EQ(Events(), (Log{"up 1"}));
  state().drawing = false;

  // The host presses and moves the mouse while it handles ItemClick: the
  // selection is the handler's until it returns.
  state().HotTracking = true;
  OnItemClick nested([&] {
    EXPECT_TRUE(state().mouseBusy);
    ClickColumn(0);
    chart->MouseMove(0, 0, SlotMiddle(0), 0);  // above column 0: would clear
  });
  state().events.Advise(&nested);
  ClickColumn(2);
  EXPECT_EQ(Events(), (Log{"click axis 2", "down 1", "up 1", "down 1", "up 1"}));
  EXPECT_EQ(chart->SelectedColumn(), 2);
  EXPECT_FALSE(state().mouseBusy);
}

TEST_F(Selection, ARightPressEndsWithMouseDownAfterTheMenuWhateverItDid) {
  Columns({10, 20});
  host.QueueMenuAnswer(std::nullopt);
  host.QueueMenuAnswer("mnuAutoMoveInfo");
  Click(9000, 9000, kRight);  // beside every column: no hit test
  Click(SlotMiddle(0), PlotBottom(), kRight);
  EXPECT_EQ(Events(), (Log{"down 2", "up 2", "down 2", "up 2"}));
  EXPECT_EQ(chart->SelectedColumn(), -1);

  // The chosen item's redraw fails; the press still ends with MouseDown,
  // and the caller learns of the failure after it.
  chart->AddItem(Item(u"north", 5));
  host.QueueMenuAnswer("mnuSelectionInfo");
  EXPECT_EQ(ErrorOf([&] { chart->MouseDown(kRight, 0, 100, 100); }), kErrTypeMismatch);
  EXPECT_EQ(Events(), (Log{"down 2"}));
}

TEST_F(Selection, AColumnWhoseItemIsGoneRaisesNothingAndLaterPressesStillWork) {
  Columns({10, 20, 30});
  chart->Clear();  // the last bars stay laid out until items come again
  ASSERT_EQ(state().barTops.size(), 3u);
  ClickColumn(1);
  EXPECT_EQ(Events(), (Log{"up 1"}));
  EXPECT_FALSE(state().mouseBusy);
  EXPECT_EQ(chart->SelectedColumn(), -1);

  Columns({10, 20, 30});
  ClickColumn(1);
  EXPECT_EQ(Events(), (Log{"click axis 1", "down 1", "up 1"}));
}

TEST_F(Selection, AFailingRedrawOrHandlerDoesNotLeaveTheMouseBusy) {
  Columns({10, 20, 30});
  OnItemClick failing([] { throw ChartError(kErrInvalidCall); });
  const std::uint32_t cookie = state().events.Advise(&failing);
  EXPECT_EQ(ErrorOf([&] { ClickColumn(0); }), kErrInvalidCall);
  EXPECT_FALSE(state().mouseBusy);
  state().events.Unadvise(cookie);

  chart->AddItem(Item(u"north", 5));  // every pass now fails
  EXPECT_EQ(ErrorOf([&] { ClickColumn(1); }), kErrTypeMismatch);
  EXPECT_FALSE(state().mouseBusy);
}

TEST_F(Selection, NoSequenceOfInputLeavesTheControlUnableToSelect) {
  Columns({10, 20, 30, 40});
  std::mt19937 random(7);
  auto pick = [&](int n) { return static_cast<int>(random() % n); };
  const float xs[] = {-5000, 0, SlotMiddle(0), SlotMiddle(2), SlotMiddle(3), 7600, 8350, 9000};
  const float ys[] = {-100, 0, Top(1), PlotBottom(), 5000, 6000};
  for (int step = 0; step < 3000; ++step) {
    const float x = xs[pick(8)], y = ys[pick(6)];
    const std::int16_t button = static_cast<std::int16_t>(1 << pick(3));
    if (pick(4) == 0) host.QueueMenuAnswer(pick(2) ? "mnuViewLegend" : "mnuAutoMoveInfo");
    ErrorOf([&] {
      switch (pick(9)) {
        case 0:
          chart->MouseDown(button, 0, x, y);
          break;
        case 1:
          chart->MouseUp(button, 0, x, y);
          break;
        case 2:
          chart->MouseMove(static_cast<std::int16_t>(pick(8)), 0, x, y);
          break;
        case 3:
          chart->DblClick(x, y);
          break;
        case 4:
          chart->SetSelectedColumn(pick(7) - 2);
          break;
        case 5:
          state().HotTracking = !state().HotTracking;
          break;
        case 6:
          if (pick(20) == 0) chart->Clear();
          break;
        case 7:
          if (state().items().size() < 4) chart->AddItem(Item(u"1", 25));
          break;
        default:
          chart->Refresh();
      }
    });
  }
  for (std::int16_t b : {kLeft, kRight, kMiddle}) chart->MouseUp(b, 0, 0, 0);
  state().HotTracking = false;
  chart->Clear();
  Columns({10, 20, 30, 40});
  // Left of the legend, whether it was left shown or not.
  const int target = state().drawnSelection == 0 ? 1 : 0;
  ClickColumn(target);
  EXPECT_EQ(Events(), (Log{"click axis " + std::to_string(target), "down 1", "up 1"}));
}

TEST_F(Selection, SelectedColumnRaisesItemClickForEveryValidWrite) {
  Columns({10, 20, 30});
  chart->SetSelectedColumn(2);
  chart->SetSelectedColumn(2);
  EXPECT_EQ(Events(), (Log{"click axis 2", "click axis 2"}));
  EXPECT_EQ(state().drawnSelection, -1);  // the mouse has drawn nothing

  state().SelectionInformation = true;
  for (int invalid : {3, -1, -5}) {
    SCOPED_TRACE(invalid);
    chart->SetSelectedColumn(1);
    ASSERT_TRUE(state().children.lblInfo.Visible);
    events.log.clear();
    chart->SetSelectedColumn(invalid);
    EXPECT_EQ(chart->SelectedColumn(), -1);
    EXPECT_FALSE(state().children.lblInfo.Visible);
    EXPECT_TRUE(Events().empty());
  }

  // A column added since the last pass is laid out by the writer's own.
  chart->AddItem(Item(u"4", 40, u"axis 3"));
  chart->SetSelectedColumn(3);
  EXPECT_EQ(Events(), (Log{"click axis 3"}));
  // The mouse has not drawn it: a press on it redraws and reports it.
  ClickColumn(3);
  EXPECT_EQ(Events(), (Log{"click axis 3", "down 1", "up 1"}));

  // Failures stay inside: the pass fails on an id that is no number, and
  // the writer goes on to report the column, which exists.
  chart->AddItem(Item(u"north", 5));
  EXPECT_EQ(ErrorOf([&] { chart->SetSelectedColumn(0); }), 0);
  EXPECT_EQ(Events(), (Log{"click axis 0"}));
}

TEST_F(Selection, AnInvalidColumnIsDroppedAndLeavesLaterCallsWorking) {
  Columns({10, 20, 30, 40, 50});
  chart->ShowLegend(false);
  ASSERT_EQ(ErrorOf([&] { chart->Refresh(); }), 0);
  for (int invalid : {5, 20}) {
    SCOPED_TRACE(invalid);
    EXPECT_EQ(ErrorOf([&] { chart->SetSelectedColumn(invalid); }), 0);
    EXPECT_EQ(chart->SelectedColumn(), -1);
    EXPECT_EQ(ErrorOf([&] { chart->Refresh(); }), 0);
    EXPECT_EQ(ErrorOf([&] { chart->SetMaxY(10); }), 0);
    EXPECT_EQ(ErrorOf([&] { chart->Resize(500, 300); }), 0);
  }
  // A pass that fails on its way does not keep the invalid column either.
  chart->AddItem(Item(u"north", 5));
  EXPECT_EQ(ErrorOf([&] { chart->SetSelectedColumn(9); }), 0);
  EXPECT_EQ(chart->SelectedColumn(), -1);
  EXPECT_TRUE(Events().empty());
}

TEST_F(Selection, APressOnADescriptionSelectsItsColumnWhereTheListIsScrolled) {
  chart->ShowLegend(false);
  chart->Resize(560, 372);
  for (int i = 0; i < 40; ++i) chart->AddItem(Item(u"1", 10, u"", u"entry"));
  chart->Show();
  chart->StartTimerTick();
  ChildControls& ch = state().children;
  ASSERT_TRUE(ch.vsbContainer.Visible);
  ScrollEntries(state(), 300);
  events.log.clear();

  auto pressEntry = [&](int i, std::int16_t button) {
    const Control& label = *ch.entries.Label(i);
    const float x = static_cast<float>(ch.picLegend.Left + ch.picContainer.Left + label.Left + 5);
    const float y = static_cast<float>(ch.picLegend.Top + ch.picContainer.Top + label.Top + 5);
    chart->MouseDown(button, 0, x, y);
    chart->MouseUp(button, 0, x, y);
  };
  pressEntry(25, kRight);
  EXPECT_EQ(chart->SelectedColumn(), -1);
  pressEntry(25, kLeft);
  EXPECT_EQ(chart->SelectedColumn(), 25);
  EXPECT_EQ(state().drawnSelection, 25);
  EXPECT_EQ(ch.vsbContainer.Value, 300);
  EXPECT_EQ(ch.picContainer.Top, -300 * 15);
  EXPECT_TRUE(Events().empty());

  state().Selectable = false;
  pressEntry(24, kLeft);
  EXPECT_EQ(chart->SelectedColumn(), 25);
}

}  // namespace
}  // namespace palvex::testing
