#include "control/automation/type_library.h"

#include "control/palvex_chart.h"
#include "control/property_table.h"
#include "platform/chart_error.h"

namespace palvex {

namespace {

// The published identities. Chosen once; hosts and saved forms refer to
// the control by them, so they must never change.
namespace guid {
constexpr std::string_view kLibrary = "CCA2FBFF-4569-4CE4-9C3B-0E5E990DEA22";
constexpr std::string_view kInterface = "127C2F73-D9CA-4452-819D-C5D37C8F17E3";
constexpr std::string_view kControlClass = "3BE378E7-34C7-47B3-9A7B-4AB7744305C8";
constexpr std::string_view kEvents = "302E5606-80EC-4787-8912-1F9726FB9F04";
constexpr std::string_view kGradientFillRect = "48666718-BCA5-4599-85EB-F56FB7A5020C";
constexpr std::string_view kTheme = "B6C7EF9A-8B29-4669-9A9D-5AB449E69D2A";
constexpr std::string_view kChartItem = "9A92299F-0C22-4F8D-B186-15C22674DDD6";
}  // namespace guid

// Enumeration constants and record fields are numbered from here.
constexpr std::int32_t kFirstFieldId = 0x40000000;

using C = PalvexChart;
using Args = std::span<const Variant>;

template <void (C::*F)()>
Variant Do(C& c, Args) {
  (c.*F)();
  return {};
}

// A property's two slots, in the order and passing mode the table gives.
void AddProperty(std::vector<MemberInfo>& m, const PropertyInfo& p) {
  const bool writerFirst = p.placement == PropertySlots::kWriterThenReader;
  MemberCall write = [&p](C& c, Args a) {
    p.write(c, a[0]);
    return Variant();
  };
  MemberCall read = [&p](C& c, Args) { return p.read(c); };
  const ParamInfo value{"NewValue", p.type, /*byRef=*/writerFirst};
  MemberInfo writer{p.name, MemberKind::PropertyPut, p.dispid, {value}, TypeId::Void, write};
  MemberInfo reader{p.name, MemberKind::PropertyGet, p.dispid, {}, p.type, read};
  if (writerFirst) {
    m.push_back(std::move(writer));
    m.push_back(std::move(reader));
  } else {
    m.push_back(std::move(reader));
    m.push_back(std::move(writer));
  }
}

void AddProperties(std::vector<MemberInfo>& m, PropertySlots order) {
  for (const PropertyInfo& p : PropertyTable()) {
    if (p.placement == order) AddProperty(m, p);
  }
}

std::vector<MemberInfo> InterfaceMembers() {
  using K = MemberKind;
  using T = TypeId;
  std::vector<MemberInfo> m;
  m.push_back(
      {"AddItem", K::Method, 0x60030016, {{"cItem", T::Record, true}}, T::Bool, [](C& c, Args a) {
         return Variant::Boolean(c.AddItem(a[0].ToRecord()));
       }});
  m.push_back({"EditCopy", K::Method, 0x60030017, {}, T::Bool, [](C& c, Args) {
                 return Variant::Boolean(c.EditCopy());
               }});
  AddProperties(m, PropertySlots::kWriterThenReader);
  m.push_back({"Refresh", K::Method, 0x6003002D, {}, T::Void, Do<&C::Refresh>});
  m.push_back({"Clear", K::Method, 0x6003002E, {}, T::Void, Do<&C::Clear>});
  m.push_back({"DrawChart", K::Method, 0x6003002F, {}, T::Void, Do<&C::DrawChart>});
  m.push_back({"ShowLegend",
               K::Method,
               0x60030030,
               {{"bHidden", T::Bool, true, true, Variant::Boolean(false)}},
               T::Any,
               [](C& c, Args a) {
                 c.ShowLegend(a[0].ToBool());
                 return Variant();
               }});
  m.push_back(
      {"GetYTopLegend", K::Method, 0x60030040, {{"MaxChartValue", T::I4}}, T::I4, [](C& c, Args a) {
         return Variant::Long(c.GetYTopLegend(a[0].ToI4()));
       }});
  AddProperties(m, PropertySlots::kReaderThenWriterAmongThemeMethods);
  m.push_back({"DrawBackTheme", K::Method, 0x60030041, {}, T::Void, Do<&C::DrawBackTheme>});
  m.push_back({"DrawIntersect",
               K::Method,
               0x60030042,
               {{"X1", T::I4}, {"Y1", T::I4}, {"X2", T::I4}, {"LastLine", T::I4}},
               T::Void,
               [](C& c, Args a) {
                 c.DrawIntersect(a[0].ToI4(), a[1].ToI4(), a[2].ToI4(), a[3].ToI4());
                 return Variant();
               }});
  m.push_back({"GetThemeLineColor", K::Method, 0x60030043, {}, T::I4, [](C& c, Args) {
                 return Variant::Long(c.GetThemeLineColor());
               }});
  m.push_back({"About", K::Method, kDispIdAboutBox, {}, T::Any, [](C& c, Args) {
                 c.About();
                 return Variant();
               }});
  return m;
}

std::vector<MemberInfo> EventMembers() {
  using K = MemberKind;
  using T = TypeId;
  const std::vector<ParamInfo> mouse = {
      {"Button", T::I2, true}, {"Shift", T::I2, true}, {"X", T::R4, true}, {"Y", T::R4, true}};
  return {
      {"ItemClick", K::Method, 1, {{"cItem", T::Record, true}}, T::Void},
      {"MouseDown", K::Method, 2, mouse, T::Void},
      {"MouseUp", K::Method, 3, mouse, T::Void},
  };
}

std::vector<EnumConstant> Constants(std::initializer_list<std::string_view> names) {
  std::vector<EnumConstant> out;
  std::int32_t value = 0;
  for (std::string_view n : names) {
    out.push_back({n, value, kFirstFieldId + value});
    ++value;
  }
  return out;
}

TypeLibrary Build() {
  using T = TypeId;
  TypeLibrary lib{"PalvexChartProj", guid::kLibrary, 1, 0, "Palvex Chart 2010.1.0", 0x0409,
                  kLibFlagControl,   "stdole2.tlb"};
  TypeInfo dual{"_PalvexChart", TypeKind::DualInterface, guid::kInterface,
                kTypeFlagHidden | kTypeFlagDual | kTypeFlagNonExtensible | kTypeFlagOleAutomation |
                    kTypeFlagDispatchable};
  dual.members = InterfaceMembers();
  TypeInfo coclass{"PalvexChart", TypeKind::CoClass, guid::kControlClass, kTypeFlagControl};
  coclass.interfaces = {{"_PalvexChart", true, false}, {"__PalvexChart", true, true}};
  TypeInfo events{"__PalvexChart", TypeKind::DispInterface, guid::kEvents,
                  kTypeFlagHidden | kTypeFlagNonExtensible | kTypeFlagDispatchable};
  events.members = EventMembers();
  TypeInfo gradient{"GRADIENT_FILL_RECT", TypeKind::Enum, guid::kGradientFillRect, 0};
  gradient.constants = Constants({"FillHor", "FillVer"});
  gradient.size = gradient.alignment = 4;
  TypeInfo theme{"Theme", TypeKind::Enum, guid::kTheme, 0};
  theme.constants = Constants({"ThemePersianGulf", "ThemeSky", "ThemeNeon", "ThemeNormal"});
  theme.size = theme.alignment = 4;
  TypeInfo record{"ChartItem", TypeKind::Record, guid::kChartItem, 0};
  record.fields = {{"ItemID", T::String, 0, kFirstFieldId},
                   {"SelectedDescription", T::String, 4, kFirstFieldId + 1},
                   {"XAxisDescription", T::String, 8, kFirstFieldId + 2},
                   {"Value", T::R8, 12, kFirstFieldId + 3}};
  record.size = 20;
  record.alignment = 4;
  lib.types = {std::move(dual),     std::move(coclass), std::move(events),
               std::move(gradient), std::move(theme),   std::move(record)};
  return lib;
}

}  // namespace

const char* TypeName(TypeId t) {
  switch (t) {
    case TypeId::Void:
      return "void";
    case TypeId::Bool:
      return "VARIANT_BOOL";
    case TypeId::I2:
      return "short";
    case TypeId::I4:
      return "long";
    case TypeId::R4:
      return "single";
    case TypeId::R8:
      return "double";
    case TypeId::String:
      return "BSTR";
    case TypeId::OleColor:
      return "OLE_COLOR";
    case TypeId::ThemeEnum:
      return "Theme";
    case TypeId::Record:
      return "ChartItem";
    case TypeId::Any:
      return "VARIANT";
  }
  return "?";
}

const TypeInfo& TypeLibrary::Find(std::string_view typeName) const {
  for (const TypeInfo& t : types) {
    if (t.name == typeName) return t;
  }
  throw ChartError(kErrInternal);
}

const TypeLibrary& PalvexChartLibrary() {
  static const TypeLibrary library = Build();
  return library;
}

bool SameName(std::u16string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (fold(a[i]) != fold(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

const MemberInfo* FindMemberByName(const TypeInfo& type, std::u16string_view name) {
  for (const MemberInfo& m : type.members) {
    if (SameName(name, m.name)) return &m;
  }
  return nullptr;
}

}  // namespace palvex
