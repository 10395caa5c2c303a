// Saving and loading a control's property bag, and writing its picture.
#include <benchmark/benchmark.h>

#include <QImageWriter>
#include <QTemporaryDir>

#include "control/palvex_chart.h"
#include "platform/qt/atomic_save.h"
#include "platform/qt/headless_host.h"
#include "platform/qt/image_io.h"
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

// A bag with many keys besides the control's: loading it must grow with the
// key count, not with its square.
void BM_BagLoadManyKeys(benchmark::State& st) {
  QByteArray json = "{";
  for (int64_t k = 0; k < st.range(0); ++k) json += "\"key" + QByteArray::number(k) + "\": 1,";
  json += "\"uMaxYValue\": 500}";
  for (auto _ : st) {
    palvex::JsonPropertyBag bag = palvex::JsonPropertyBag::Parse(json, "bench");
    benchmark::DoNotOptimize(bag.Read(u"uMaxYValue"));
  }
  st.SetComplexityN(st.range(0));
}
BENCHMARK(BM_BagLoadManyKeys)
    ->RangeMultiplier(8)
    ->Range(64, 32768)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

// A chart at the design size, drawn, and a folder to save it in.
struct DrawnChart {
  DrawnChart() {
    chart.InitProperties();
    chart.Refresh();
  }
  QTemporaryDir dir;
  palvex::HeadlessHost host;
  palvex::PalvexChart chart{host};
};

// Save As at the design size, through the temporary file and the rename.
void BM_SaveAsBitmap(benchmark::State& st) {
  DrawnChart drawn;
  const std::u16string path = palvex::FromQString(drawn.dir.filePath("chart.bmp"));
  for (auto _ : st) {
    drawn.host.QueueSaveAnswer(path);
    if (palvex::SaveAsBitmap(drawn.chart.state()) != palvex::ExportResult::Done)
      st.SkipWithError("save failed");
  }
}
BENCHMARK(BM_SaveAsBitmap)->Unit(benchmark::kMicrosecond);

// The chart's picture saved as PNG at zlib level range(1) by the chart's
// own writer (range(0) = 0), and the same file written by QImageWriter (1),
// which the chart used before it had a writer of its own: the same bytes.
void BM_SavePng(benchmark::State& st) {
  DrawnChart drawn;
  const QImage& picture = palvex::ImageOf(*drawn.chart.state().surface);
  const QString path = drawn.dir.filePath("chart.png");
  const int quality = palvex::PngQualityOfLevel(static_cast<int>(st.range(1)));
  for (auto _ : st) {
    const QString error = st.range(0) == 0
                              ? palvex::SaveImageAtomically(picture, path, nullptr, quality)
                              : palvex::SaveAtomically(path, [&](QIODevice& out) {
                                  QImageWriter writer(&out, "png");
                                  writer.setQuality(quality);
                                  return writer.write(picture) ? QString() : writer.errorString();
                                });
    if (!error.isEmpty()) st.SkipWithError("save failed");
  }
}
BENCHMARK(BM_SavePng)
    ->Args({0, 6})
    ->Args({1, 6})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
