#pragma once

#include <QString>
#include <stdexcept>
#include <vector>

#include "control/palvex_chart.h"
#include "json_members.h"
#include "model/chart_item.h"

namespace palvex {

// A chart file that cannot be used; the message names the key at fault.
class ChartFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One property write: the automation name and the value.
using ChartProperty = JsonMember;

// A chart as the command line reads it: size in pixels, property writes in
// file order, items.
struct ChartFile {
  int width = 560;
  int height = 372;
  std::vector<ChartProperty> properties;
  std::vector<ChartItem> items;
};

// The largest chart file read: far above any chart a person draws (32,767
// items with some 8,000 bytes of text each), far below what would make
// reading it cost the machine its memory.
inline constexpr qint64 kMaxChartFileBytes = 256 * 1024 * 1024;

// Raises ChartFileError naming the file; one larger than
// kMaxChartFileBytes is refused from its size, before it is read.
ChartFile LoadChartFile(const QString& path);
ChartFile ParseChartFile(const QByteArray& json);

// Writes one property through the control's writer, as a host would at
// run time. Unknown names and wrong value types raise ChartFileError.
void ApplyProperty(PalvexChart& chart, const ChartProperty& property);

}  // namespace palvex
