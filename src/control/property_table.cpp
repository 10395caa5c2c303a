#include "control/property_table.h"

#include <algorithm>
#include <array>
#include <type_traits>

#include "control/palvex_chart.h"
#include "model/text_limit.h"

namespace palvex {

namespace {

using C = PalvexChart;
using S = ChartState;
using T = TypeId;

// The C++ value of an argument already converted to the declared type.
template <typename V>
V Arg(const Variant& v);
template <>
double Arg<double>(const Variant& v) {
  return v.ToR8();
}
template <>
bool Arg<bool>(const Variant& v) {
  return v.ToBool();
}
template <>
std::int32_t Arg<std::int32_t>(const Variant& v) {
  return v.ToI4();
}
template <>
std::uint32_t Arg<std::uint32_t>(const Variant& v) {
  return v.ToUI4();
}
template <>
std::u16string Arg<std::u16string>(const Variant& v) {
  return v.ToText();
}

Variant Result(double v) {
  return Variant::Double(v);
}
Variant Result(bool v) {
  return Variant::Boolean(v);
}
Variant Result(std::int32_t v) {
  return Variant::Long(v);
}
Variant Result(std::uint32_t v) {
  return Variant::Unsigned(v);
}
Variant Result(const std::u16string& v) {
  return Variant::Text(v);
}

template <typename>
struct SetterOf;
template <typename A>
struct SetterOf<void (C::*)(A)> {
  using Arg = std::decay_t<A>;
};

template <auto Get>
Variant Read(const C& c) {
  return Result((c.*Get)());
}
template <auto Set>
void Write(C& c, const Variant& v) {
  (c.*Set)(Arg<typename SetterOf<decltype(Set)>::Arg>(v));
}

// A bag value converted to a field's type.
template <typename V>
V FromBag(const BagValue& v);
template <>
double FromBag<double>(const BagValue& v) {
  return v.ToNumber();
}
template <>
bool FromBag<bool>(const BagValue& v) {
  return v.ToBoolean();
}
// Text over the limit is refused as the writers refuse it, so a bag cannot
// hand the drawing pass what a host could not.
template <>
std::u16string FromBag<std::u16string>(const BagValue& v) {
  std::u16string text = v.ToText();
  CheckTextLength(text);
  return text;
}
template <>
std::int32_t FromBag<std::int32_t>(const BagValue& v) {
  return v.ToInt32();
}

template <auto Field>
StoredField FieldOf() {
  return {[](const S& s) { return BagValue(s.*Field); },
          [](S& s, const BagValue& v) {
            s.*Field = FromBag<std::remove_cvref_t<decltype(s.*Field)>>(v);
          }};
}

// The colours are the drawing surface's own, not fields. They travel as
// 32-bit signed numbers: a system colour is negative.
template <Color (Surface::*Get)() const, void (Surface::*Set)(Color)>
StoredField SurfaceColor() {
  return {[](const S& s) { return BagValue(static_cast<std::int32_t>(((*s.surface).*Get)())); },
          [](S& s, const BagValue& v) { ((*s.surface).*Set)(Color(v.ToInt32())); }};
}

PropertyDefault Keep() {
  return {};
}
PropertyDefault Is(BagValue v) {
  return {PropertyDefault::Kind::kValue, std::move(v)};
}
PropertyDefault PixelsX(double pixels) {
  return {PropertyDefault::Kind::kPixelsX, pixels};
}
PropertyDefault PixelsY(double pixels) {
  return {PropertyDefault::Kind::kPixelsY, pixels};
}

constexpr PropertySlots kInBlock = PropertySlots::kWriterThenReader;
constexpr PropertySlots kWithThemeMethods = PropertySlots::kReaderThenWriterAmongThemeMethods;

// Hosts compiled against the interface call these DISPIDs and slots, and
// saved controls hold these keys: none of them may change. The rows go in
// the order of the interface's slots; the bag's keys go in an order of
// their own, which each row's bag position gives.
using Properties = std::array<PropertyInfo, 22>;

const Properties& Table() {
  static const Properties table{{
      // name, DISPID, type, placement of the slots, reader, writer, bag
      // position, bag key, field, new control's value, value when the key
      // is absent
      {"MarginTop", 0x68030015, T::R8, kInBlock, Read<&C::MarginTop>, Write<&C::SetMarginTop>, 1,
       u"uTopMargin", FieldOf<&S::MarginTop>(), PixelsY(50), Is(0.0)},
      {"MarginBottom", 0x68030014, T::R8, kInBlock, Read<&C::MarginBottom>,
       Write<&C::SetMarginBottom>, 2, u"uBottomMargin", FieldOf<&S::MarginBottom>(), PixelsY(55),
       Is(0.0)},
      {"MarginLeft", 0x68030013, T::R8, kInBlock, Read<&C::MarginLeft>, Write<&C::SetMarginLeft>, 3,
       u"uLeftMargin", FieldOf<&S::MarginLeft>(), PixelsX(55), Is(0.0)},
      {"MarginRight", 0x68030012, T::R8, kInBlock, Read<&C::MarginRight>, Write<&C::SetMarginRight>,
       4, u"uRightMargin", FieldOf<&S::MarginRight>(), PixelsX(55), Is(0.0)},
      {"ContentBorder", 0x68030011, T::Bool, kInBlock, Read<&C::ContentBorder>,
       Write<&C::SetContentBorder>, 5, u"uContentBorder", FieldOf<&S::ContentBorder>(), Is(true),
       Is(false)},
      {"Selectable", 0x68030010, T::Bool, kInBlock, Read<&C::Selectable>, Write<&C::SetSelectable>,
       6, u"uSelectable", FieldOf<&S::Selectable>(), Is(false), Is(false)},
      {"HotTracking", 0x6803000F, T::Bool, kInBlock, Read<&C::HotTracking>,
       Write<&C::SetHotTracking>, 7, u"uHotTracking", FieldOf<&S::HotTracking>(), Is(false),
       Is(false)},
      // Kept as a 64-bit float, and saved as one.
      {"SelectedColumn", 0x6803000E, T::I4, kInBlock, Read<&C::SelectedColumn>,
       Write<&C::SetSelectedColumn>, 8, u"uSelectedColumn", FieldOf<&S::SelectedColumn>(), Is(-1.0),
       Is(-1.0)},
      // A newly placed control shows its class name as its title.
      {"ChartTitle", 0x6803000D, T::String, kInBlock, Read<&C::ChartTitle>,
       Write<&C::SetChartTitle>, 9, u"uChartTitle", FieldOf<&S::ChartTitle>(), Is(u"PalvexChart"),
       Is(u"PalvexChart")},
      {"ChartSubTitle", 0x6803000C, T::String, kInBlock, Read<&C::ChartSubTitle>,
       Write<&C::SetChartSubTitle>, 10, u"uChartSubTitle", FieldOf<&S::ChartSubTitle>(),
       Is(u"动画特效图表示例(支持换肤)"), Keep()},
      {"IntersectMajor", 0x6803000B, T::R8, kInBlock, Read<&C::IntersectMajor>,
       Write<&C::SetIntersectMajor>, 14, u"uIntersectMajor", FieldOf<&S::IntersectMajor>(),
       Is(10.0), Is(10.0)},
      {"IntersectMinor", 0x6803000A, T::R8, kInBlock, Read<&C::IntersectMinor>,
       Write<&C::SetIntersectMinor>, 15, u"uIntersectMinor", FieldOf<&S::IntersectMinor>(), Is(2.0),
       Is(2.0)},
      {"DisplayYAxis", 0x68030009, T::Bool, kInBlock, Read<&C::DisplayYAxis>,
       Write<&C::SetDisplayYAxis>, 12, u"uDisplayYAxis", FieldOf<&S::DisplayYAxis>(), Is(true),
       Keep()},
      {"DisplayXAxis", 0x68030008, T::Bool, kInBlock, Read<&C::DisplayXAxis>,
       Write<&C::SetDisplayXAxis>, 11, u"uDisplayXAxis", FieldOf<&S::DisplayXAxis>(), Is(true),
       Keep()},
      {"MaxY", 0x68030007, T::R8, kInBlock, Read<&C::MaxY>, Write<&C::SetMaxY>, 16, u"uMaxYValue",
       FieldOf<&S::MaxY>(), Is(100.0), Is(100.0)},
      // The key's name speaks of a description; it has always carried the
      // information label's switch.
      {"SelectionInformation", 0x68030006, T::Bool, kInBlock, Read<&C::SelectionInformation>,
       Write<&C::SetSelectionInformation>, 17, u"uDisplayDescript",
       FieldOf<&S::SelectionInformation>(), Keep(), Is(false)},
      // Saved bags hold the lower-case spelling.
      {"AxisLabelY", 0x68030005, T::String, kInBlock, Read<&C::AxisLabelY>,
       Write<&C::SetAxisLabelY>, 19, BagKey(u"uYAxislabel", u"uYAxisLabel"),
       FieldOf<&S::AxisLabelY>(), Keep(), Is(u"")},
      {"AxisLabelX", 0x68030004, T::String, kInBlock, Read<&C::AxisLabelX>,
       Write<&C::SetAxisLabelX>, 18, u"uXAxisLabel", FieldOf<&S::AxisLabelX>(), Keep(), Is(u"")},
      {"BackColor", 0x68030003, T::OleColor, kInBlock, Read<&C::BackColor>, Write<&C::SetBackColor>,
       20, u"BackColor", SurfaceColor<&Surface::BackColor, &Surface::SetBackColor>(), Keep(),
       Is(std::int32_t{0})},
      {"ForeColor", 0x68030002, T::OleColor, kInBlock, Read<&C::ForeColor>, Write<&C::SetForeColor>,
       21, u"ForeColor", SurfaceColor<&Surface::ForeColor, &Surface::SetForeColor>(), Keep(),
       Is(std::int32_t{0})},
      {"ColorBars", 0x68030001, T::Bool, kInBlock, Read<&C::ColorBars>, Write<&C::SetColorBars>, 13,
       u"uColorBars", FieldOf<&S::ColorBars>(), Is(false), Is(false)},
      // Loading stores the theme without applying its colours: they follow
      // when the control is shown or redrawn.
      {"ActiveTheme", 0x68030000, T::ThemeEnum, kWithThemeMethods, Read<&C::ActiveTheme>,
       Write<&C::SetActiveTheme>, 22, u"ActiveTheme", FieldOf<&S::ActiveTheme>(), Keep(),
       Is(std::int32_t{0})},
  }};
  return table;
}

}  // namespace

std::optional<BagValue> PropertyDefault::For(const ChartState& s) const {
  switch (kind) {
    case Kind::kKeep:
      return std::nullopt;
    case Kind::kValue:
      return value;
    case Kind::kPixelsX:
      return BagValue(static_cast<double>(s.TwipsPerPixelX()) * value.AsNumber());
    case Kind::kPixelsY:
      return BagValue(static_cast<double>(s.TwipsPerPixelY()) * value.AsNumber());
  }
  return std::nullopt;
}

std::span<const PropertyInfo> PropertyTable() {
  return Table();
}

std::span<const PropertyInfo* const> PropertiesInBagOrder() {
  static const auto order = [] {
    std::array<const PropertyInfo*, std::tuple_size_v<Properties>> o{};
    std::ranges::transform(Table(), o.begin(), [](const PropertyInfo& p) { return &p; });
    std::ranges::sort(o, {}, &PropertyInfo::bagPosition);
    return o;
  }();
  return order;
}

const PropertyInfo* FindProperty(std::u16string_view name) {
  auto it =
      std::ranges::find_if(Table(), [&](const PropertyInfo& p) { return SameName(name, p.name); });
  return it == Table().end() ? nullptr : &*it;
}

}  // namespace palvex
