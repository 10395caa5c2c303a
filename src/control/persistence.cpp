// The three persistence entry points: the defaults of a newly placed
// control (InitProperties, in palvex_chart.cpp), and writing and reading
// the design-time properties through the host's property bag.
#include <array>

#include "control/palvex_chart.h"
#include "platform/chart_error.h"
#include "platform/numeric.h"
#include "platform/property_bag.h"

namespace palvex {

namespace {

using Stored = std::optional<BagValue>;

double NumberOr(const Stored& v, double absent) {
  return v ? v->ToNumber() : absent;
}
bool BooleanOr(const Stored& v, bool absent) {
  return v ? v->ToBoolean() : absent;
}
std::u16string TextOr(const Stored& v, const std::u16string& absent) {
  return v ? v->ToText() : absent;
}
std::int32_t Int32Or(const Stored& v, std::int32_t absent) {
  return v ? v->ToInt32() : absent;
}

// Colours travel as 32-bit signed numbers: a system colour is negative.
std::int32_t SignedColor(Color c) {
  return static_cast<std::int32_t>(c);
}

// One persisted property: the key it is written under, the key it is read
// from (they differ in letter case once), what is written, and how the
// value read (or its absence) is stored. Loading stores straight into the
// fields: no writer runs and nothing is redrawn.
struct PersistedProperty {
  std::u16string_view writtenKey;
  std::u16string_view readKey;
  BagValue (*value)(const ChartState&);
  void (*load)(ChartState&, const Stored&);
};

// Written and read in this order; a saved control depends on it.
const std::array<PersistedProperty, 22> kProperties{{
    {u"uTopMargin", u"uTopMargin", [](const ChartState& s) { return BagValue(s.MarginTop); },
     [](ChartState& s, const Stored& v) { s.MarginTop = NumberOr(v, 0); }},
    {u"uBottomMargin", u"uBottomMargin",
     [](const ChartState& s) { return BagValue(s.MarginBottom); },
     [](ChartState& s, const Stored& v) { s.MarginBottom = NumberOr(v, 0); }},
    {u"uLeftMargin", u"uLeftMargin", [](const ChartState& s) { return BagValue(s.MarginLeft); },
     [](ChartState& s, const Stored& v) { s.MarginLeft = NumberOr(v, 0); }},
    {u"uRightMargin", u"uRightMargin", [](const ChartState& s) { return BagValue(s.MarginRight); },
     [](ChartState& s, const Stored& v) { s.MarginRight = NumberOr(v, 0); }},
    {u"uContentBorder", u"uContentBorder",
     [](const ChartState& s) { return BagValue(s.ContentBorder); },
     [](ChartState& s, const Stored& v) { s.ContentBorder = BooleanOr(v, false); }},
    {u"uSelectable", u"uSelectable", [](const ChartState& s) { return BagValue(s.Selectable); },
     [](ChartState& s, const Stored& v) { s.Selectable = BooleanOr(v, false); }},
    {u"uHotTracking", u"uHotTracking", [](const ChartState& s) { return BagValue(s.HotTracking); },
     [](ChartState& s, const Stored& v) { s.HotTracking = BooleanOr(v, false); }},
    {u"uSelectedColumn", u"uSelectedColumn",
     [](const ChartState& s) { return BagValue(s.SelectedColumn); },
     [](ChartState& s, const Stored& v) { s.SelectedColumn = NumberOr(v, -1); }},
    {u"uChartTitle", u"uChartTitle", [](const ChartState& s) { return BagValue(s.ChartTitle); },
     [](ChartState& s, const Stored& v) { s.ChartTitle = TextOr(v, u"PalvexChart"); }},
    // The next three keep the field's value when absent.
    {u"uChartSubTitle", u"uChartSubTitle",
     [](const ChartState& s) { return BagValue(s.ChartSubTitle); },
     [](ChartState& s, const Stored& v) { s.ChartSubTitle = TextOr(v, s.ChartSubTitle); }},
    {u"uDisplayXAxis", u"uDisplayXAxis",
     [](const ChartState& s) { return BagValue(s.DisplayXAxis); },
     [](ChartState& s, const Stored& v) { s.DisplayXAxis = BooleanOr(v, s.DisplayXAxis); }},
    {u"uDisplayYAxis", u"uDisplayYAxis",
     [](const ChartState& s) { return BagValue(s.DisplayYAxis); },
     [](ChartState& s, const Stored& v) { s.DisplayYAxis = BooleanOr(v, s.DisplayYAxis); }},
    {u"uColorBars", u"uColorBars", [](const ChartState& s) { return BagValue(s.ColorBars); },
     [](ChartState& s, const Stored& v) { s.ColorBars = BooleanOr(v, false); }},
    {u"uIntersectMajor", u"uIntersectMajor",
     [](const ChartState& s) { return BagValue(s.IntersectMajor); },
     [](ChartState& s, const Stored& v) { s.IntersectMajor = NumberOr(v, 10); }},
    {u"uIntersectMinor", u"uIntersectMinor",
     [](const ChartState& s) { return BagValue(s.IntersectMinor); },
     [](ChartState& s, const Stored& v) { s.IntersectMinor = NumberOr(v, 2); }},
    {u"uMaxYValue", u"uMaxYValue", [](const ChartState& s) { return BagValue(s.MaxY); },
     [](ChartState& s, const Stored& v) { s.MaxY = NumberOr(v, 100); }},
    // The key's name speaks of a description; it has always carried the
    // information label's switch.
    {u"uDisplayDescript", u"uDisplayDescript",
     [](const ChartState& s) { return BagValue(s.SelectionInformation); },
     [](ChartState& s, const Stored& v) { s.SelectionInformation = BooleanOr(v, false); }},
    {u"uXAxisLabel", u"uXAxisLabel", [](const ChartState& s) { return BagValue(s.AxisLabelX); },
     [](ChartState& s, const Stored& v) { s.AxisLabelX = TextOr(v, u""); }},
    // Saved bags hold the lower-case spelling; keys match in any case.
    {u"uYAxislabel", u"uYAxisLabel", [](const ChartState& s) { return BagValue(s.AxisLabelY); },
     [](ChartState& s, const Stored& v) { s.AxisLabelY = TextOr(v, u""); }},
    {u"BackColor", u"BackColor",
     [](const ChartState& s) { return BagValue(SignedColor(s.surface->BackColor())); },
     [](ChartState& s, const Stored& v) { s.surface->SetBackColor(Color(Int32Or(v, 0))); }},
    {u"ForeColor", u"ForeColor",
     [](const ChartState& s) { return BagValue(SignedColor(s.surface->ForeColor())); },
     [](ChartState& s, const Stored& v) { s.surface->SetForeColor(Color(Int32Or(v, 0))); }},
    // Stored without applying the theme's colours: they follow when the
    // control is shown or redrawn.
    {u"ActiveTheme", u"ActiveTheme", [](const ChartState& s) { return BagValue(s.ActiveTheme); },
     [](ChartState& s, const Stored& v) { s.ActiveTheme = Int32Or(v, 0); }},
}};

}  // namespace

void PalvexChart::WriteProperties(PropertyBag& bag) const {
  for (const PersistedProperty& p : kProperties) bag.Write(p.writtenKey, p.value(s_));
}

void PalvexChart::ReadProperties(PropertyBag& bag) {
  for (const PersistedProperty& p : kProperties) {
    // The column last drawn highlighted belongs to the chart as it was
    // before the load; it is forgotten before the last key.
    if (&p == &kProperties.back()) s_.drawnSelection = -1;
    const Stored value = bag.Read(p.readKey);
    try {
      p.load(s_, value);
    } catch (const ChartError& e) {
      throw ChartError(e.number(), "\"" + ToUtf8(p.readKey) + "\": " + e.what());
    }
  }
}

}  // namespace palvex
