// One full drawing pass on the design size, for growing item counts.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <QGuiApplication>
#include <QImage>
#include <memory>
#include <string>

#include "control/palvex_chart.h"
#include "core/growth_player.h"
#include "platform/clock.h"
#include "platform/qt/headless_host.h"
#include "platform/qt/image_io.h"
#include "render/bars.h"
#include "render/draw_chart.h"

namespace {

void FillChart(palvex::PalvexChart& chart, int items) {
  chart.InitProperties();
  chart.state().ColorBars = true;
  chart.state().AxisLabelX = u"Month";
  chart.state().AxisLabelY = u"Sales";
  palvex::InitBarPalette(chart.state());
  for (int i = 0; i < items; ++i) {
    palvex::ChartItem item;
    const std::string id = std::to_string(i + 1);
    item.ItemID.assign(id.begin(), id.end());
    item.XAxisDescription = u"Item " + item.ItemID;
    item.SelectedDescription = u"Description of item " + item.ItemID;
    item.Value = (i * 37) % 100 + 5;
    chart.AddItem(item);
  }
  chart.state().animationDone = true;
}

// A pass that paints every pixel: the picture was drawn on outside a pass
// (cleared), so there is no last pass to compare with. What any change
// the surface cannot compare costs, and what the peers do on every draw.
void WholePass(palvex::ChartState& chart) {
  chart.surface->Cls();
  palvex::DrawChart(chart);
}

void BM_DrawChart(benchmark::State& st) {
  palvex::HeadlessHost host;
  palvex::PalvexChart chart(host);
  FillChart(chart, static_cast<int>(st.range(0)));
  // The pass of a shown chart: its texts were shaped by the first pass.
  palvex::DrawChart(chart.state());
  for (auto _ : st) WholePass(chart.state());
  st.SetItemsProcessed(st.iterations() * st.range(0));
}
BENCHMARK(BM_DrawChart)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(32767)
    ->Unit(benchmark::kMicrosecond);

// A pass that changes nothing (a refresh): it finds every drawing the same
// as the last pass's and paints nothing.
void BM_UnchangedPass(benchmark::State& st) {
  palvex::HeadlessHost host;
  palvex::PalvexChart chart(host);
  FillChart(chart, static_cast<int>(st.range(0)));
  palvex::DrawChart(chart.state());
  for (auto _ : st) palvex::DrawChart(chart.state());
}
BENCHMARK(BM_UnchangedPass)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

// The floor a pass stands on: one plain fill of the same picture.
void BM_PlainFill(benchmark::State& st) {
  palvex::HeadlessHost host;
  palvex::PalvexChart chart(host);
  const palvex::Surface& s = *chart.state().surface;
  QImage picture(s.PixelWidth(), s.PixelHeight(), QImage::Format_RGB32);
  for (auto _ : st) {
    picture.fill(Qt::white);
    benchmark::DoNotOptimize(picture.constBits());
  }
}
BENCHMARK(BM_PlainFill)->Unit(benchmark::kMicrosecond);

// n items, the legend shown and the middle column selected.
void FillWithLegendAndSelection(palvex::PalvexChart& chart, int n) {
  FillChart(chart, n);
  chart.state().legendVisible = true;
  chart.state().Selectable = true;
  chart.state().SelectedColumn = static_cast<double>(n / 2);
}

// The same pass with the legend shown and a column selected: the entries are
// rebuilt, the description panel repainted and the selection framed.
void BM_DrawChartWithLegend(benchmark::State& st) {
  palvex::HeadlessHost host;
  palvex::PalvexChart chart(host);
  FillWithLegendAndSelection(chart, static_cast<int>(st.range(0)));
  for (auto _ : st) WholePass(chart.state());
  st.SetItemsProcessed(st.iterations() * st.range(0));
}
BENCHMARK(BM_DrawChartWithLegend)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The first pass after the control is shown: the bars are recorded and grow
// over ten frames. With the renderer's instant clock this is the work of
// the animation alone.
void BM_GrowthAnimation(benchmark::State& st) {
  palvex::HeadlessHost host;
  palvex::PalvexChart chart(host);
  FillChart(chart, static_cast<int>(st.range(0)));
  for (auto _ : st) {
    chart.state().animationDone = false;
    palvex::DrawChart(chart.state());
  }
  st.SetItemsProcessed(st.iterations() * st.range(0));
}
BENCHMARK(BM_GrowthAnimation)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// The same on the window's clock: the wall time is what the user waits
// (at least 0.7 s), the CPU time what the waiting costs the machine.
void BM_GrowthAnimationRealTime(benchmark::State& st) {
  palvex::HeadlessHost host;
  palvex::SteadyClock clock;
  host.SetClock(&clock);
  palvex::PalvexChart chart(host);
  FillChart(chart, static_cast<int>(st.range(0)));
  for (auto _ : st) {
    chart.state().animationDone = false;
    palvex::DrawChart(chart.state());
  }
}
BENCHMARK(BM_GrowthAnimationRealTime)
    ->Arg(10)
    ->Iterations(5)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The same growth in a window: at each of the control's refreshes the
// screen is composed and kept for the event loop to play. What the window's
// first showing holds the event loop for, at the design size and a large
// window's.
class WindowLikeHost : public palvex::HeadlessHost {
 public:
  void RepaintNow() override {
    chart->ComposeScreen(*screen);
    player.Record(palvex::ImageOf(*screen));
  }
  palvex::PalvexChart* chart = nullptr;
  std::unique_ptr<palvex::Surface> screen = CreateSurface(1, 1);
  palvex::GrowthPlayer player{[] {}};
};

void BM_GrowthKeptForAWindow(benchmark::State& st) {
  WindowLikeHost host;
  palvex::PalvexChart chart(host);
  host.chart = &chart;
  FillChart(chart, 12);
  chart.Resize(static_cast<int>(st.range(0)), static_cast<int>(st.range(1)));
  for (auto _ : st) {
    chart.state().animationDone = false;
    palvex::DrawChart(chart.state());
    host.player.Play();
    host.player.Stop();
  }
}
BENCHMARK(BM_GrowthKeptForAWindow)
    ->Args({560, 372})
    ->Args({1920, 1200})
    ->Unit(benchmark::kMillisecond);

// Heap bytes in use, large blocks (pictures) included.
double HeapInUse() {
  const struct mallinfo2 m = mallinfo2();
  return double(m.uordblks) + double(m.hblkhd);
}

// The heap a shown chart holds for its drawing (legend shown, a column
// selected) beyond the items themselves: measured after the items are
// added and again after two passes, per item.
void BM_HeapPerItem(benchmark::State& st) {
  for (auto _ : st) {
    palvex::HeadlessHost host;
    palvex::PalvexChart chart(host);
    FillWithLegendAndSelection(chart, static_cast<int>(st.range(0)));
    const auto before = HeapInUse();
    palvex::DrawChart(chart.state());
    palvex::DrawChart(chart.state());
    const auto after = HeapInUse();
    st.counters["heap_per_item"] = (after - before) / double(st.range(0));
  }
}
BENCHMARK(BM_HeapPerItem)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
