#include "control/automation/connection_point.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "control/automation/dispatch.h"
#include "control/palvex_chart.h"
#include "platform/qt/headless_host.h"
#include "render/bars.h"
#include "support/variant_printer.h"

namespace palvex {
namespace {

struct Received {
  DispId id;
  std::vector<Variant> args;
};

class RecordingSink : public DispatchEventSink {
 public:
  void Invoke(DispId id, std::span<Variant> args) override {
    received.push_back({id, {args.begin(), args.end()}});
    if (onEvent) onEvent(args);
  }
  std::vector<Received> received;
  std::function<void(std::span<Variant>)> onEvent;
};

class ConnectionPointTest : public ::testing::Test {
 protected:
  ConnectionPointTest() {
    chart.InitProperties();
    InitBarPalette(chart.state());
    chart.AddItem({u"1", u"North", u"Jan", 12});
    chart.AddItem({u"2", u"South", u"Feb", 30});
  }
  void SelectColumn(std::int32_t column) {
    std::vector<Variant> args = {Variant::Long(column)};
    ASSERT_EQ(dispatch.Invoke(0x6803000E, kInvokePropertyPut, args), status::kOk);
  }

  HeadlessHost host;
  PalvexChart chart{host};
  Dispatch dispatch{chart};
  ConnectionPoint point{chart.state().events};
  RecordingSink first, second;
};

TEST_F(ConnectionPointTest, EveryAdvisedSinkGetsEveryEventInOrder) {
  const std::uint32_t a = point.Advise(&first);
  const std::uint32_t b = point.Advise(&second);
  EXPECT_NE(a, 0u);
  EXPECT_NE(a, b);
  std::vector<int> order;
  first.onEvent = [&](auto) { order.push_back(1); };
  second.onEvent = [&](auto) { order.push_back(2); };

  SelectColumn(1);
  chart.MouseDown(1, 2, 150.5f, 300);
  chart.MouseUp(2, 0, 15, 30);

  for (RecordingSink* sink : {&first, &second}) {
    ASSERT_EQ(sink->received.size(), 3u);
    EXPECT_EQ(sink->received[0].id, 1);
    ASSERT_EQ(sink->received[0].args.size(), 1u);
    EXPECT_EQ(sink->received[0].args[0], Variant::Record({u"2", u"South", u"Feb", 30}));
    EXPECT_EQ(sink->received[1].id, 2);
    EXPECT_EQ(sink->received[1].args,
              (std::vector<Variant>{Variant::Short(1), Variant::Short(2), Variant::Single(150.5f),
                                    Variant::Single(300)}));
    EXPECT_EQ(sink->received[2].id, 3);
    EXPECT_EQ(sink->received[2].args[0], Variant::Short(2));
  }
  EXPECT_EQ(order, (std::vector<int>{1, 2, 1, 2, 1, 2}));
}

TEST_F(ConnectionPointTest, AnUnadvisedSinkHearsNothingMore) {
  const std::uint32_t a = point.Advise(&first);
  point.Advise(&second);
  SelectColumn(0);
  EXPECT_TRUE(point.Unadvise(a));
  EXPECT_FALSE(point.Unadvise(a));
  EXPECT_FALSE(point.Unadvise(12345));
  SelectColumn(1);
  chart.MouseUp(1, 0, 0, 0);
  EXPECT_EQ(first.received.size(), 1u);
  EXPECT_EQ(second.received.size(), 3u);
  EXPECT_EQ(point.Advise(nullptr), 0u);
}

TEST_F(ConnectionPointTest, ASinkMayUnadviseItselfOrAnotherWhileAnEventIsDelivered) {
  std::uint32_t a = point.Advise(&first);
  std::uint32_t b = point.Advise(&second);
  first.onEvent = [&](auto) {
    point.Unadvise(a);
    point.Unadvise(b);
  };
  SelectColumn(0);
  EXPECT_EQ(first.received.size(), 1u);
  EXPECT_TRUE(second.received.empty());
  SelectColumn(1);
  EXPECT_EQ(first.received.size(), 1u);
  EXPECT_EQ(chart.state().events.size(), 0u);
}

TEST_F(ConnectionPointTest, WhatAHandlerWritesBackChangesNothingStored) {
  point.Advise(&first);
  first.onEvent = [](std::span<Variant> args) { args[0] = Variant::Record({u"9", u"", u"", 1}); };
  SelectColumn(0);
  EXPECT_EQ(chart.state().items()[0], (ChartItem{u"1", u"North", u"Jan", 12}));
}

TEST_F(ConnectionPointTest, GoingAwayUnadvisesEverySink) {
  {
    ConnectionPoint scoped(chart.state().events);
    scoped.Advise(&first);
    scoped.Advise(&second);
    EXPECT_EQ(chart.state().events.size(), 2u);
  }
  EXPECT_EQ(chart.state().events.size(), 0u);
  chart.MouseUp(1, 0, 0, 0);
  EXPECT_TRUE(first.received.empty());
}

}  // namespace
}  // namespace palvex
