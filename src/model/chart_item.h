#pragma once

#include <string>

namespace palvex {

// One chart item as the host hands it over: the control keeps a copy.
struct ChartItem {
  std::u16string ItemID;               // a number in text form; picks the bar colour
  std::u16string SelectedDescription;  // legend entry and information label text
  std::u16string XAxisDescription;     // caption under the column
  double Value = 0;                    // bar height in value units

  bool operator==(const ChartItem&) const = default;
};

}  // namespace palvex
