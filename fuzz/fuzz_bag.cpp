// A property bag: load, show, draw, click, save, load again. What a loaded
// control saves must load back into the same bag.
#include "control/palvex_chart.h"
#include "fuzz_host.h"
#include "fuzz_support.h"
#include "platform/chart_error.h"
#include "platform/qt/headless_host.h"
#include "platform/qt/json_property_bag.h"

using namespace palvex;

namespace {

QByteArray SavedBag(const PalvexChart& chart) {
  JsonPropertyBag bag;
  chart.WriteProperties(bag);
  return bag.ToJson();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::StartQt();
  const QByteArray json(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  fuzz::FuzzHost host;
  PalvexChart chart(host);
  QByteArray first;
  try {
    JsonPropertyBag bag = JsonPropertyBag::Parse(json, "fuzz");
    chart.ReadProperties(bag);
    chart.Resize(320, 200);
    chart.AddItem(ChartItem{u"1", u"one", u"a", 3});
    chart.AddItem(ChartItem{u"2", u"two", u"b", -1});
    chart.Show();
    chart.StartTimerTick();
    chart.MouseDown(1, 0, 1500, 1500);
    chart.MouseUp(1, 0, 1500, 1500);
    first = SavedBag(chart);
  } catch (const ChartError&) {
    return 0;
  }
  fuzz::CheckBagLoadsBack(first);
  return 0;
}
