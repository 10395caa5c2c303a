// The three persistence entry points: the defaults of a newly placed
// control, and writing and reading the design-time properties through the
// host's property bag. Each stores straight into the fields: no writer
// runs and nothing is redrawn.
#include "control/palvex_chart.h"
#include "control/property_table.h"
#include "platform/chart_error.h"
#include "platform/numeric.h"
#include "platform/property_bag.h"

namespace palvex {

void PalvexChart::InitProperties() {
  s_.drawnSelection = -1;
  for (const PropertyInfo& p : PropertyTable()) {
    if (auto value = p.newControl.For(s_)) p.stored.load(s_, *value);
  }
  // A newly placed control introduces itself in the user's language.
  s_.ChartSubTitle = s_.host.Translate(s_.ChartSubTitle);
}

void PalvexChart::WriteProperties(PropertyBag& bag) const {
  for (const PropertyInfo* p : PropertiesInBagOrder())
    bag.Write(p->key.written, p->stored.save(s_));
}

void PalvexChart::ReadProperties(PropertyBag& bag) {
  const auto properties = PropertiesInBagOrder();
  for (const PropertyInfo* p : properties) {
    // The column last drawn highlighted belongs to the chart as it was
    // before the load; it is forgotten before the last key.
    if (p == properties.back()) s_.drawnSelection = -1;
    const std::optional<BagValue> value = bag.Read(p->key.read);
    try {
      if (value) {
        p->stored.load(s_, *value);
      } else if (auto fallback = p->whenAbsent.For(s_)) {
        p->stored.load(s_, *fallback);
      }
    } catch (const ChartError& e) {
      throw ChartError(e.number(), "\"" + ToUtf8(p->key.read) + "\": " + e.what());
    }
  }
}

}  // namespace palvex
