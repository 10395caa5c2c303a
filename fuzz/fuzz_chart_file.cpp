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
  fuzz::CheckBagLoadsBack(first);
  return 0;
}
