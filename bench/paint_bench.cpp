// The painters a pass repeats: the themed background, one bar, one rotated
// caption.
#include <benchmark/benchmark.h>

#include "control/palvex_chart.h"
#include "platform/qt/headless_host.h"
#include "render/bars.h"
#include "render/rotated_text.h"
#include "theme/themes.h"

namespace {

void BM_DrawBackTheme(benchmark::State& st) {
  palvex::HeadlessHost host;
  palvex::PalvexChart chart(host);
  chart.state().ActiveTheme = palvex::ThemePersianGulf;
  for (auto _ : st)
    palvex::DrawBackTheme(*chart.state().surface, chart.state().host.screen(),
                          chart.state().ActiveTheme);
}
BENCHMARK(BM_DrawBackTheme)->Unit(benchmark::kMicrosecond);

void BM_PaintBar(benchmark::State& st) {
  palvex::HeadlessHost host;
  palvex::PalvexChart chart(host);
  chart.state().ActiveTheme = static_cast<std::int32_t>(st.range(0));
  for (auto _ : st)
    palvex::PaintBar(chart.state().surface->dc(), chart.state().ActiveTheme, 0xFFEFB9, 0xE69B1E, 60,
                     50, 50, 267);
}
BENCHMARK(BM_PaintBar)
    ->Arg(palvex::ThemePersianGulf)
    ->Arg(palvex::ThemeSky)
    ->Unit(benchmark::kMicrosecond);

void BM_DrawRotatedText(benchmark::State& st) {
  palvex::HeadlessHost host;
  palvex::PalvexChart chart(host);
  palvex::Surface& s = *chart.state().surface;
  s.SetFontSize(8);
  for (auto _ : st) palvex::DrawRotatedText(s.dc(), u"上海 Pudong", 100, 340, 270.0f);
}
BENCHMARK(BM_DrawRotatedText)->Unit(benchmark::kMicrosecond);

}  // namespace
