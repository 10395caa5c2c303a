// Composing the screen picture: the chart with its legend panel and one
// description entry per item laid over it, as the window does every frame.
#include <benchmark/benchmark.h>

#include <string>

#include "control/palvex_chart.h"
#include "platform/qt/headless_host.h"

namespace {

void BM_ComposeScreen(benchmark::State& st) {
  palvex::HeadlessHost host;
  palvex::PalvexChart chart(host);
  chart.InitProperties();
  palvex::ChartState& s = chart.state();
  s.legendVisible = true;
  chart.Resize(560, 372);
  palvex::ChildControls& ch = s.children;
  const int entries = static_cast<int>(st.range(0));
  for (int k = 1; k < entries; ++k) {
    palvex::Control& box = palvex::LoadElement(host, ch.Box);
    palvex::Control& label = palvex::LoadElement(host, ch.lblDescription);
    box.Top = label.Top = 135 + 390.0 * k;
    box.Visible = label.Visible = true;
    const std::string text = "Description of item " + std::to_string(k);
    palvex::SetCaption(host, label, std::u16string(text.begin(), text.end()));
  }
  std::unique_ptr<palvex::Surface> screen = host.CreateSurface(1, 1);
  for (auto _ : st) chart.ComposeScreen(*screen);
  st.SetItemsProcessed(st.iterations() * entries);
}
BENCHMARK(BM_ComposeScreen)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
