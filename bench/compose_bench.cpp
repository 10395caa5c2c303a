// Composing the screen picture: the chart with its legend panel and one
// description entry per item laid over it, as the window does every frame.
#include <benchmark/benchmark.h>

#include <string>

#include "control/palvex_chart.h"
#include "platform/qt/headless_host.h"
#include "theme/legend_entries.h"

namespace {

void BM_ComposeScreen(benchmark::State& st) {
  palvex::HeadlessHost host;
  palvex::PalvexChart chart(host);
  chart.InitProperties();
  palvex::ChartState& s = chart.state();
  s.legendVisible = true;
  chart.Resize(560, 372);
  // The entries as a pass adds them: only those in view are made as
  // controls, and composing takes only them.
  const int entries = static_cast<int>(st.range(0));
  for (int k = 0; k < entries; ++k) {
    const std::string text = "Description of item " + std::to_string(k);
    palvex::AddLegendEntry(s, std::u16string(text.begin(), text.end()), 1);
  }
  std::unique_ptr<palvex::Surface> screen = host.CreateSurface(1, 1);
  for (auto _ : st) chart.ComposeScreen(*screen);
  st.SetItemsProcessed(st.iterations() * entries);
}
BENCHMARK(BM_ComposeScreen)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
