// The mouse over the chart: a hover that stays on the hot column costs a
// hit test only; a press on another column redraws the whole chart and
// raises ItemClick.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "control/palvex_chart.h"
#include "platform/qt/headless_host.h"
#include "render/draw_chart.h"

namespace {

struct ShownChart {
  explicit ShownChart(int items) : chart(host) {
    chart.InitProperties();
    chart.Resize(560, 372);
    chart.SetSelectable(true);
    chart.SetSelectionInformation(true);
    for (int i = 0; i < items; ++i) {
      const std::string id = std::to_string(i % 10 + 1);
      chart.AddItem({std::u16string(id.begin(), id.end()), u"item", u"axis", 10.0 + i % 7});
    }
    chart.Show();
    chart.StartTimerTick();
  }
  float SlotMiddle(int column) const {
    const palvex::ChartState& s = chart.state();
    return static_cast<float>(s.MarginLeft + (column + 0.5) * s.barWidth);
  }
  float PlotBottom() const {
    const palvex::ChartState& s = chart.state();
    return static_cast<float>(s.surface->ScaleHeight() - s.MarginBottom);
  }

  palvex::HeadlessHost host;
  palvex::PalvexChart chart;
};

void BM_HoverOnTheHotColumn(benchmark::State& st) {
  ShownChart c(12);
  c.chart.SetHotTracking(true);
  const float x = c.SlotMiddle(3), y = c.PlotBottom();
  for (auto _ : st) c.chart.MouseMove(0, 0, x, y);
}
BENCHMARK(BM_HoverOnTheHotColumn)->Unit(benchmark::kMicrosecond);

void BM_PressAnotherColumn(benchmark::State& st) {
  ShownChart c(static_cast<int>(st.range(0)));
  const float y = c.PlotBottom();
  const float xs[] = {c.SlotMiddle(2), c.SlotMiddle(5)};
  int k = 0;
  for (auto _ : st) {
    c.chart.MouseDown(1, 0, xs[k], y);
    c.chart.MouseUp(1, 0, xs[k], y);
    k ^= 1;
  }
}
BENCHMARK(BM_PressAnotherColumn)->Arg(12)->Arg(500)->Unit(benchmark::kMillisecond);

// One event from input to the screen the window shows, against the pass
// alone on the same chart (legend shown, hot tracking on): the hover onto
// another bar, a press on another bar, a wheel notch over the legend.
enum class Event { kHover, kPress, kWheel };

void BM_EventToScreen(benchmark::State& st) {
  const auto event = static_cast<Event>(st.range(0));
  ShownChart c(static_cast<int>(st.range(1)));
  c.chart.SetHotTracking(true);
  c.chart.ShowLegend();
  std::unique_ptr<palvex::Surface> screen = c.host.CreateSurface(1, 1);
  const palvex::ChartState& s = c.chart.state();
  const float y = c.PlotBottom() - 15;
  const float xs[] = {c.SlotMiddle(2), c.SlotMiddle(5)};
  const float legendX =
      static_cast<float>(s.surface->ScaleWidth() - s.children.picLegend.Width / 2);
  int k = 0;
  for (auto _ : st) {
    switch (event) {
      case Event::kHover:
        c.chart.MouseMove(0, 0, xs[k], y);
        break;
      case Event::kPress:
        c.chart.MouseDown(1, 0, xs[k], y);
        c.chart.MouseUp(1, 0, xs[k], y);
        break;
      case Event::kWheel:
        c.chart.MouseWheel(k ? 120 : -120, legendX, 600);
        break;
    }
    c.chart.ComposeScreen(*screen);
    k ^= 1;
  }
}
BENCHMARK(BM_EventToScreen)
    ->ArgsProduct({{int(Event::kHover), int(Event::kPress), int(Event::kWheel)}, {12, 1000}})
    ->Unit(benchmark::kMicrosecond);

// The pass alone on the chart of BM_EventToScreen, painting every pixel
// (the picture was cleared outside a pass, so nothing can be compared).
void BM_PassOfShownChart(benchmark::State& st) {
  ShownChart c(static_cast<int>(st.range(0)));
  c.chart.SetHotTracking(true);
  c.chart.ShowLegend();
  for (auto _ : st) {
    c.chart.state().surface->Cls();
    palvex::DrawChart(c.chart.state());
  }
}
BENCHMARK(BM_PassOfShownChart)->Arg(12)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
