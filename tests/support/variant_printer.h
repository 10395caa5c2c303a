#pragma once

#include <ostream>

#include "control/automation/variant.h"
#include "platform/numeric.h"

namespace palvex {

// Readable failure messages for variants: "Double 12.5", "String \"x\"".
inline void PrintTo(const Variant& v, std::ostream* os) {
  *os << VarTypeName(v.type());
  if (v.type() == VarType::Record) {
    const ChartItem item = v.ToRecord();
    *os << " {" << ToUtf8(item.ItemID) << ", " << ToUtf8(item.SelectedDescription) << ", "
        << ToUtf8(item.XAxisDescription) << ", " << item.Value << "}";
  } else if (v.type() != VarType::Missing) {
    *os << " \"" << ToUtf8(v.ToText()) << "\"";
  }
}

}  // namespace palvex
