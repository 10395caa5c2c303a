// A chart file: parse, render, save the bag, load it into a new control and
// save again. The second bag must equal the first.
#include "chart_file.h"
#include "fuzz_support.h"
#include "render.h"

using namespace palvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::StartQt();
  const QByteArray json(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QByteArray first;
  try {
    first = SaveBagOf(ParseChartFile(json)).ToJson();
  } catch (const ChartFileError&) {
    return 0;
  } catch (const ChartError&) {
    return 0;
  }
  try {
    JsonPropertyBag saved = JsonPropertyBag::Parse(first, "saved bag");
    HeadlessHost host;
    PalvexChart chart(host);
    chart.ReadProperties(saved);
    JsonPropertyBag again;
    chart.WriteProperties(again);
    if (again.ToJson() != first) fuzz::Broken("a saved bag loads into a different control");
  } catch (const ChartError&) {
    fuzz::Broken("a bag the control saved cannot be loaded back");
  }
  return 0;
}
