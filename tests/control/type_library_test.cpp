#include "control/automation/type_library.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "control/automation/idl_writer.h"

namespace palvex {
namespace {

using K = MemberKind;

struct Slot {
  const char* name;
  MemberKind kind;
  DispId dispid;
};

// The published contract, slot by slot: hosts compiled against it call
// these DISPIDs, so a change here breaks them.
const Slot kSlots[] = {
    {"AddItem", K::Method, 0x60030016},
    {"EditCopy", K::Method, 0x60030017},
    {"MarginTop", K::PropertyPut, 0x68030015},
    {"MarginTop", K::PropertyGet, 0x68030015},
    {"MarginBottom", K::PropertyPut, 0x68030014},
    {"MarginBottom", K::PropertyGet, 0x68030014},
    {"MarginLeft", K::PropertyPut, 0x68030013},
    {"MarginLeft", K::PropertyGet, 0x68030013},
    {"MarginRight", K::PropertyPut, 0x68030012},
    {"MarginRight", K::PropertyGet, 0x68030012},
    {"ContentBorder", K::PropertyPut, 0x68030011},
    {"ContentBorder", K::PropertyGet, 0x68030011},
    {"Selectable", K::PropertyPut, 0x68030010},
    {"Selectable", K::PropertyGet, 0x68030010},
    {"HotTracking", K::PropertyPut, 0x6803000F},
    {"HotTracking", K::PropertyGet, 0x6803000F},
    {"SelectedColumn", K::PropertyPut, 0x6803000E},
    {"SelectedColumn", K::PropertyGet, 0x6803000E},
    {"ChartTitle", K::PropertyPut, 0x6803000D},
    {"ChartTitle", K::PropertyGet, 0x6803000D},
    {"ChartSubTitle", K::PropertyPut, 0x6803000C},
    {"ChartSubTitle", K::PropertyGet, 0x6803000C},
    {"IntersectMajor", K::PropertyPut, 0x6803000B},
    {"IntersectMajor", K::PropertyGet, 0x6803000B},
    {"IntersectMinor", K::PropertyPut, 0x6803000A},
    {"IntersectMinor", K::PropertyGet, 0x6803000A},
    {"DisplayYAxis", K::PropertyPut, 0x68030009},
    {"DisplayYAxis", K::PropertyGet, 0x68030009},
    {"DisplayXAxis", K::PropertyPut, 0x68030008},
    {"DisplayXAxis", K::PropertyGet, 0x68030008},
    {"MaxY", K::PropertyPut, 0x68030007},
    {"MaxY", K::PropertyGet, 0x68030007},
    {"SelectionInformation", K::PropertyPut, 0x68030006},
    {"SelectionInformation", K::PropertyGet, 0x68030006},
    {"AxisLabelY", K::PropertyPut, 0x68030005},
    {"AxisLabelY", K::PropertyGet, 0x68030005},
    {"AxisLabelX", K::PropertyPut, 0x68030004},
    {"AxisLabelX", K::PropertyGet, 0x68030004},
    {"BackColor", K::PropertyPut, 0x68030003},
    {"BackColor", K::PropertyGet, 0x68030003},
    {"ForeColor", K::PropertyPut, 0x68030002},
    {"ForeColor", K::PropertyGet, 0x68030002},
    {"ColorBars", K::PropertyPut, 0x68030001},
    {"ColorBars", K::PropertyGet, 0x68030001},
    {"Refresh", K::Method, 0x6003002D},
    {"Clear", K::Method, 0x6003002E},
    {"DrawChart", K::Method, 0x6003002F},
    {"ShowLegend", K::Method, 0x60030030},
    {"GetYTopLegend", K::Method, 0x60030040},
    {"ActiveTheme", K::PropertyGet, 0x68030000},
    {"ActiveTheme", K::PropertyPut, 0x68030000},
    {"DrawBackTheme", K::Method, 0x60030041},
    {"DrawIntersect", K::Method, 0x60030042},
    {"GetThemeLineColor", K::Method, 0x60030043},
    {"About", K::Method, -552},
};

const TypeLibrary& lib = PalvexChartLibrary();

TEST(TypeLibrary, LibraryAttributes) {
  EXPECT_EQ(lib.name, "PalvexChartProj");
  EXPECT_EQ(lib.majorVersion, 1);
  EXPECT_EQ(lib.minorVersion, 0);
  EXPECT_EQ(lib.helpString, "Palvex Chart 2010.1.0");
  EXPECT_EQ(lib.lcid, 0x0409u);
  EXPECT_EQ(lib.flags, kLibFlagControl);
  EXPECT_EQ(lib.import, "stdole2.tlb");
}

TEST(TypeLibrary, SixTypesInOrderWithFixedDistinctGuids) {
  struct Expected {
    const char* name;
    TypeKind kind;
    std::uint32_t flags;
    const char* guid;
  };
  const Expected expected[] = {
      {"_PalvexChart", TypeKind::DualInterface, 0x11D0, "127C2F73-D9CA-4452-819D-C5D37C8F17E3"},
      {"PalvexChart", TypeKind::CoClass, 0x20, "3BE378E7-34C7-47B3-9A7B-4AB7744305C8"},
      {"__PalvexChart", TypeKind::DispInterface, 0x1090, "302E5606-80EC-4787-8912-1F9726FB9F04"},
      {"GRADIENT_FILL_RECT", TypeKind::Enum, 0, "48666718-BCA5-4599-85EB-F56FB7A5020C"},
      {"Theme", TypeKind::Enum, 0, "B6C7EF9A-8B29-4669-9A9D-5AB449E69D2A"},
      {"ChartItem", TypeKind::Record, 0, "9A92299F-0C22-4F8D-B186-15C22674DDD6"},
  };
  ASSERT_EQ(lib.types.size(), 6u);
  std::set<std::string_view> guids{lib.guid};
  for (std::size_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(lib.types[i].name, expected[i].name);
    EXPECT_EQ(lib.types[i].kind, expected[i].kind);
    EXPECT_EQ(lib.types[i].flags, expected[i].flags);
    EXPECT_EQ(lib.types[i].guid, expected[i].guid);
    guids.insert(lib.types[i].guid);
  }
  EXPECT_EQ(lib.guid, "CCA2FBFF-4569-4CE4-9C3B-0E5E990DEA22");
  EXPECT_EQ(guids.size(), 7u);
  const TypeInfo& coclass = lib.Find("PalvexChart");
  ASSERT_EQ(coclass.interfaces.size(), 2u);
  EXPECT_EQ(coclass.interfaces[0].name, "_PalvexChart");
  EXPECT_TRUE(coclass.interfaces[0].isDefault && !coclass.interfaces[0].isSource);
  EXPECT_EQ(coclass.interfaces[1].name, "__PalvexChart");
  EXPECT_TRUE(coclass.interfaces[1].isDefault && coclass.interfaces[1].isSource);
}

TEST(TypeLibrary, FiftyFiveMembersInSlotOrderNoneAtDispIdZero) {
  const auto& members = lib.Interface().members;
  ASSERT_EQ(members.size(), std::size(kSlots));
  ASSERT_EQ(members.size(), 55u);
  for (std::size_t i = 0; i < members.size(); ++i) {
    SCOPED_TRACE(kSlots[i].name);
    EXPECT_EQ(members[i].name, kSlots[i].name);
    EXPECT_EQ(members[i].kind, kSlots[i].kind);
    EXPECT_EQ(members[i].dispid, kSlots[i].dispid);
    EXPECT_NE(members[i].dispid, 0);
    EXPECT_NE(members[i].call, nullptr);
  }
}

TEST(TypeLibrary, ParametersAndResults) {
  for (const MemberInfo& m : lib.Interface().members) {
    SCOPED_TRACE(std::string(m.name));
    if (m.kind == K::PropertyPut) {
      ASSERT_EQ(m.params.size(), 1u);
      // Every writer takes its value by reference, but the theme's.
      EXPECT_EQ(m.params[0].byRef, m.name != "ActiveTheme");
      EXPECT_EQ(m.result, TypeId::Void);
    }
    if (m.kind == K::PropertyGet) {
      EXPECT_TRUE(m.params.empty());
    }
  }
  const MemberInfo& add = lib.Interface().members[0];
  ASSERT_EQ(add.params.size(), 1u);
  EXPECT_EQ(add.params[0].type, TypeId::Record);
  EXPECT_TRUE(add.params[0].byRef);
  EXPECT_EQ(add.result, TypeId::Bool);

  const MemberInfo* legend = FindMemberByName(lib.Interface(), u"ShowLegend");
  ASSERT_EQ(legend->params.size(), 1u);
  EXPECT_TRUE(legend->params[0].byRef);
  EXPECT_TRUE(legend->params[0].optional);
  EXPECT_EQ(legend->params[0].defaultValue, Variant::Boolean(false));
  EXPECT_EQ(legend->result, TypeId::Any);

  const MemberInfo* band = FindMemberByName(lib.Interface(), u"DrawIntersect");
  ASSERT_EQ(band->params.size(), 4u);
  for (const ParamInfo& p : band->params) {
    EXPECT_EQ(p.type, TypeId::I4);
    EXPECT_FALSE(p.byRef);
  }
  EXPECT_EQ(FindMemberByName(lib.Interface(), u"BackColor")->params[0].type, TypeId::OleColor);
  EXPECT_EQ(FindMemberByName(lib.Interface(), u"ActiveTheme")->result, TypeId::ThemeEnum);
  EXPECT_EQ(FindMemberByName(lib.Interface(), u"About")->result, TypeId::Any);
}

TEST(TypeLibrary, EnumerationsAndTheRecordLayout) {
  const TypeInfo& theme = lib.Find("Theme");
  ASSERT_EQ(theme.constants.size(), 4u);
  EXPECT_EQ(theme.constants[3].name, "ThemeNormal");
  EXPECT_EQ(theme.constants[3].value, 3);
  EXPECT_EQ(theme.constants[3].memberId, 0x40000003);
  const TypeInfo& gradient = lib.Find("GRADIENT_FILL_RECT");
  ASSERT_EQ(gradient.constants.size(), 2u);
  EXPECT_EQ(gradient.constants[1].name, "FillVer");
  EXPECT_EQ(gradient.constants[1].value, 1);
  EXPECT_EQ(gradient.constants[0].memberId, 0x40000000);

  const TypeInfo& item = lib.Find("ChartItem");
  EXPECT_EQ(item.size, 20u);
  EXPECT_EQ(item.alignment, 4u);
  const char* names[] = {"ItemID", "SelectedDescription", "XAxisDescription", "Value"};
  ASSERT_EQ(item.fields.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(item.fields[i].name, names[i]);
    EXPECT_EQ(item.fields[i].offset, 4 * i);
    EXPECT_EQ(item.fields[i].memberId, 0x40000000 + static_cast<int>(i));
  }
  EXPECT_EQ(item.fields[3].type, TypeId::R8);
}

TEST(TypeLibrary, EventsTakeEveryArgumentByReference) {
  const auto& events = lib.Events().members;
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].name, "ItemClick");
  EXPECT_EQ(events[0].dispid, 1);
  EXPECT_EQ(events[1].name, "MouseDown");
  EXPECT_EQ(events[1].dispid, 2);
  EXPECT_EQ(events[2].name, "MouseUp");
  EXPECT_EQ(events[2].dispid, 3);
  const TypeId mouse[] = {TypeId::I2, TypeId::I2, TypeId::R4, TypeId::R4};
  for (const MemberInfo& e : events) {
    EXPECT_EQ(e.result, TypeId::Void);
    for (const ParamInfo& p : e.params) EXPECT_TRUE(p.byRef);
  }
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(events[2].params[i].type, mouse[i]);
}

TEST(IdlWriter, ListsEveryMemberWithItsDispIdAndTheThreeEvents) {
  const std::string idl = WriteIdl(lib);
  for (const Slot& s : kSlots) {
    std::string attr = "[id(" + DispIdText(s.dispid) + ")";
    if (s.kind == K::PropertyGet) attr += ", propget";
    if (s.kind == K::PropertyPut) attr += ", propput";
    attr += "]\n        HRESULT " + std::string(s.name) + "(";
    EXPECT_NE(idl.find(attr), std::string::npos) << attr;
  }
  const std::regex hresult("HRESULT \\w+\\(");
  EXPECT_EQ(
      std::distance(std::sregex_iterator(idl.begin(), idl.end(), hresult), std::sregex_iterator()),
      55);
  EXPECT_NE(idl.find("[id(0xfffffdd8)]\n        HRESULT About([out, retval] VARIANT* Result);"),
            std::string::npos);
  EXPECT_NE(idl.find("HRESULT ShowLegend([in, out, optional, defaultvalue(0)] VARIANT_BOOL* "
                     "bHidden, [out, retval] VARIANT* Result);"),
            std::string::npos);
  EXPECT_NE(idl.find("HRESULT ActiveTheme([in] Theme NewValue);"), std::string::npos);
  EXPECT_NE(idl.find("HRESULT AddItem([in, out] ChartItem* cItem, [out, retval] VARIANT_BOOL* "
                     "Result);"),
            std::string::npos);

  const std::size_t events = idl.find("dispinterface __PalvexChart {");
  ASSERT_NE(events, std::string::npos);
  const std::string tail = idl.substr(events);
  EXPECT_NE(tail.find("[id(0x00000001)]\n        void ItemClick([in, out] ChartItem* cItem);"),
            std::string::npos);
  EXPECT_NE(tail.find("void MouseDown([in, out] short* Button, [in, out] short* Shift, [in, out] "
                      "single* X, [in, out] single* Y);"),
            std::string::npos);
  EXPECT_NE(tail.find("void MouseUp("), std::string::npos);

  EXPECT_NE(idl.find("helpstring(\"Palvex Chart 2010.1.0\")"), std::string::npos);
  EXPECT_NE(idl.find("lcid(0x0409)"), std::string::npos);
  EXPECT_NE(idl.find("library PalvexChartProj"), std::string::npos);
  EXPECT_NE(idl.find("[default, source] dispinterface __PalvexChart;"), std::string::npos);
  EXPECT_NE(idl.find("double Value;  // offset 12, member id 0x40000003"), std::string::npos);
}

}  // namespace
}  // namespace palvex
