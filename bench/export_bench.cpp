// Saving and loading a control's property bag, and writing its picture.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "control/palvex_chart.h"
#include "platform/qt/headless_host.h"
#include "platform/qt/json_property_bag.h"
#include "platform/qt/qt_text.h"
#include "ui/export.h"

namespace {

// The 22 keys to JSON text and back into a control (the colours repaint
// its surface).
void BM_BagSaveAndLoad(benchmark::State& st) {
  palvex::HeadlessHost host;
  palvex::PalvexChart chart(host);
  chart.InitProperties();
  palvex::PalvexChart copy(host);
  for (auto _ : st) {
    palvex::JsonPropertyBag bag;
    chart.WriteProperties(bag);
    palvex::JsonPropertyBag loaded = palvex::JsonPropertyBag::Parse(bag.ToJson(), "bench");
    copy.ReadProperties(loaded);
    benchmark::DoNotOptimize(copy.MaxY());
  }
}
BENCHMARK(BM_BagSaveAndLoad)->Unit(benchmark::kMicrosecond);

// Save As at the design size, through the temporary file and the rename.
void BM_SaveAsBitmap(benchmark::State& st) {
  QTemporaryDir dir;
  palvex::HeadlessHost host;
  palvex::PalvexChart chart(host);
  chart.InitProperties();
  chart.Refresh();
  const std::u16string path = palvex::FromQString(dir.filePath("chart.bmp"));
  for (auto _ : st) {
    host.QueueSaveAnswer(path);
    if (palvex::SaveAsBitmap(chart.state()) != palvex::ExportResult::Done)
      st.SkipWithError("save failed");
  }
}
BENCHMARK(BM_SaveAsBitmap)->Unit(benchmark::kMicrosecond);

}  // namespace
