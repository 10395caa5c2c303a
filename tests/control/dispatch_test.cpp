#include "control/automation/dispatch.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <vector>

#include "control/palvex_chart.h"
#include "platform/chart_error.h"
#include "platform/qt/headless_host.h"
#include "render/bars.h"
#include "support/variant_printer.h"

namespace palvex {
namespace {

class DispatchTest : public ::testing::Test {
 protected:
  DispatchTest() {
    chart.InitProperties();
    InitBarPalette(chart.state());
  }

  DispId Id(std::u16string_view name) {
    DispId id = 0;
    EXPECT_EQ(dispatch.GetIDsOfNames(name, id), status::kOk) << ToUtf8(name);
    return id;
  }
  HResult Call(std::u16string_view name, std::uint16_t flags, std::vector<Variant> args = {},
               Variant* result = nullptr) {
    return dispatch.Invoke(Id(name), flags, args, result, &error);
  }
  Variant Get(std::u16string_view name) {
    Variant v;
    EXPECT_EQ(Call(name, kInvokePropertyGet, {}, &v), status::kOk) << error.description;
    return v;
  }
  HResult Put(std::u16string_view name, Variant value) {
    return Call(name, kInvokePropertyPut, {std::move(value)});
  }

  static std::string ToUtf8(std::u16string_view s) { return std::string(s.begin(), s.end()); }

  HeadlessHost host;
  PalvexChart chart{host};
  Dispatch dispatch{chart};
  ErrorInfo error;
};

std::u16string Wide(std::string_view s) {
  return std::u16string(s.begin(), s.end());
}

// A valid argument of each declared type.
Variant Sample(TypeId type) {
  switch (type) {
    case TypeId::Bool:
      return Variant::Boolean(true);
    case TypeId::R8:
      return Variant::Double(40);
    case TypeId::String:
      return Variant::Text(u"Text");
    case TypeId::Record:
      return Variant::Record({u"1", u"North", u"Jan", 12});
    case TypeId::OleColor:
      return Variant::Unsigned(0xFFFFFF);
    default:
      return Variant::Long(1);
  }
}

TEST_F(DispatchTest, EveryNameResolvesInAnyLetterCase) {
  for (const MemberInfo& m : PalvexChartLibrary().Interface().members) {
    std::string lower(m.name), upper(m.name);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(Id(Wide(m.name)), m.dispid);
    EXPECT_EQ(Id(Wide(lower)), m.dispid);
    EXPECT_EQ(Id(Wide(upper)), m.dispid);
  }
  EXPECT_EQ(Id(u"about"), kDispIdAboutBox);
}

TEST_F(DispatchTest, UnknownNamesAreRefused) {
  for (std::u16string name :
       {std::u16string(u""), std::u16string(u"AddItems"), std::u16string(u"Add Item"),
        std::u16string(u"ItemClick"), std::u16string(100000, u'x'), std::u16string(u"M\u00E4xY")}) {
    DispId id = 7;
    EXPECT_EQ(dispatch.GetIDsOfNames(name, id), status::kUnknownName);
    EXPECT_EQ(id, -1);
  }
}

TEST_F(DispatchTest, EveryMemberAnswersItsOwnKindAndNoOther) {
  const std::uint16_t kinds[] = {kInvokeMethod, kInvokePropertyGet, kInvokePropertyPut};
  for (const MemberInfo& m : PalvexChartLibrary().Interface().members) {
    SCOPED_TRACE(std::string(m.name));
    const std::uint16_t own = m.kind == MemberKind::Method        ? kInvokeMethod
                              : m.kind == MemberKind::PropertyGet ? kInvokePropertyGet
                                                                  : kInvokePropertyPut;
    std::vector<Variant> args;
    for (const ParamInfo& p : m.params) args.push_back(Sample(p.type));
    Variant result = Variant::Missing();
    EXPECT_EQ(dispatch.Invoke(m.dispid, own, args, &result, &error), status::kOk)
        << error.description;
    if (m.result == TypeId::Void || m.result == TypeId::Any) {
      EXPECT_TRUE(result.IsEmpty());
    }
    for (std::uint16_t other : kinds) {
      const bool sameDispIdHasIt = Dispatch::Resolve(m.dispid, other) != nullptr;
      if (other == own || sameDispIdHasIt) continue;
      EXPECT_EQ(dispatch.Invoke(m.dispid, other, args, &result, &error), status::kMemberNotFound);
      EXPECT_EQ(error.number, kErrNoSuchMember);
    }
  }
}

TEST_F(DispatchTest, ResultsHaveTheDeclaredTypes) {
  EXPECT_EQ(Get(u"MarginTop"), Variant::Double(50));
  EXPECT_EQ(Get(u"ContentBorder"), Variant::Boolean(true));
  EXPECT_EQ(Get(u"SelectedColumn"), Variant::Long(-1));  // none selected
  EXPECT_EQ(Get(u"ChartTitle"), Variant::Text(u"PalvexChart"));
  EXPECT_EQ(Get(u"ActiveTheme"), Variant::Long(0));
  EXPECT_EQ(Get(u"BackColor").type(), VarType::UI4);
  Variant added;
  ASSERT_EQ(Call(u"AddItem", kInvokeMethod, {Sample(TypeId::Record)}, &added), status::kOk);
  EXPECT_EQ(added, Variant::Boolean(false));  // also when the item was added
  Variant top;
  ASSERT_EQ(Call(u"GetYTopLegend", kInvokeMethod, {Variant::Long(2345)}, &top), status::kOk);
  EXPECT_EQ(top, Variant::Long(2500));
}

TEST_F(DispatchTest, MethodAndGetMayBeAskedForTogether) {
  Variant v;
  EXPECT_EQ(Call(u"MaxY", kInvokeMethod | kInvokePropertyGet, {}, &v), status::kOk);
  EXPECT_EQ(v, Variant::Double(100));
  EXPECT_EQ(Call(u"GetThemeLineColor", kInvokeMethod | kInvokePropertyGet, {}, &v), status::kOk);
  EXPECT_EQ(v.type(), VarType::I4);
}

TEST_F(DispatchTest, WrongFlagsAndUnknownDispIdsAreRefused) {
  std::vector<Variant> none;
  EXPECT_EQ(dispatch.Invoke(Id(u"Refresh"), 0, none, nullptr, &error), status::kInvalidArgument);
  EXPECT_EQ(error.number, kErrInvalidCall);
  EXPECT_EQ(dispatch.Invoke(Id(u"MaxY"), 8, none, nullptr, &error), status::kInvalidArgument);
  std::vector<Variant> value = {Variant::Double(1)};
  EXPECT_EQ(
      dispatch.Invoke(Id(u"MaxY"), kInvokePropertyPut | kInvokePropertyGet, value, nullptr, &error),
      status::kMemberNotFound);
  // No default member: nothing answers at DISPID 0.
  for (std::uint16_t flags : {kInvokeMethod, kInvokePropertyGet, kInvokePropertyPut}) {
    EXPECT_EQ(dispatch.Invoke(0, flags, value, nullptr, &error), status::kMemberNotFound);
  }
  EXPECT_EQ(dispatch.Invoke(0x12345678, kInvokeMethod, none, nullptr, &error),
            status::kMemberNotFound);
}

TEST_F(DispatchTest, ArgumentCountsAreChecked) {
  EXPECT_EQ(Call(u"AddItem", kInvokeMethod, {}), status::kBadParamCount);
  EXPECT_EQ(error.number, kErrWrongArgumentCount);
  EXPECT_EQ(Call(u"AddItem", kInvokeMethod, {Sample(TypeId::Record), Sample(TypeId::Record)}),
            status::kBadParamCount);
  EXPECT_TRUE(chart.state().items().empty());
  EXPECT_EQ(Call(u"Refresh", kInvokeMethod, {Variant::Long(1)}), status::kBadParamCount);
  EXPECT_EQ(
      Call(u"DrawIntersect", kInvokeMethod, {Variant::Long(1), Variant::Long(1), Variant::Long(1)}),
      status::kBadParamCount);
  EXPECT_EQ(Call(u"MaxY", kInvokePropertyPut, {}), status::kBadParamCount);
  EXPECT_EQ(Call(u"MaxY", kInvokePropertyPut, {Variant::Double(1), Variant::Double(2)}),
            status::kBadParamCount);
  EXPECT_EQ(Call(u"MaxY", kInvokePropertyGet, {Variant::Double(1)}), status::kBadParamCount);
  EXPECT_EQ(Call(u"ShowLegend", kInvokeMethod, {Variant::Boolean(true), Variant::Boolean(true)}),
            status::kBadParamCount);
  EXPECT_EQ(Call(u"AddItem", kInvokeMethod, {Variant::Missing()}), status::kParamNotOptional);
  EXPECT_EQ(error.number, kErrArgumentNotOptional);
  EXPECT_EQ(error.argument, 0);
}

TEST_F(DispatchTest, ArgumentsConvertOrAreRefusedWithTheirPosition) {
  EXPECT_EQ(Put(u"MaxY", Variant::Text(u"50")), status::kOk);
  EXPECT_EQ(Get(u"MaxY"), Variant::Double(50));
  EXPECT_EQ(Put(u"ChartTitle", Variant::Double(0.5)), status::kOk);
  EXPECT_EQ(Get(u"ChartTitle"), Variant::Text(u"0.5"));
  EXPECT_EQ(Put(u"Selectable", Variant::Text(u"True")), status::kOk);
  EXPECT_EQ(Get(u"Selectable"), Variant::Boolean(true));

  EXPECT_EQ(Put(u"MaxY", Variant::Text(u"fifty")), status::kTypeMismatch);
  EXPECT_EQ(error.number, kErrTypeMismatch);
  EXPECT_EQ(error.description, "Type mismatch");
  EXPECT_EQ(error.argument, 0);
  EXPECT_EQ(Get(u"MaxY"), Variant::Double(50));  // nothing was written

  EXPECT_EQ(Call(u"AddItem", kInvokeMethod, {Variant::Text(u"1")}), status::kTypeMismatch);
  EXPECT_EQ(Put(u"ChartTitle", Sample(TypeId::Record)), status::kTypeMismatch);
  EXPECT_EQ(Call(u"DrawIntersect", kInvokeMethod,
                 {Variant::Long(1), Variant::Long(1), Variant::Text(u"x"), Variant::Long(1)}),
            status::kTypeMismatch);
  EXPECT_EQ(error.argument, 2);

  EXPECT_EQ(Put(u"SelectedColumn", Variant::Double(1e10)), status::kOverflow);
  EXPECT_EQ(error.number, kErrOverflow);
  EXPECT_EQ(Put(u"BackColor", Variant::Double(4294967296.0)), status::kOverflow);
  EXPECT_EQ(Put(u"BackColor", Variant::Long(-2147483643)), status::kOk);
  EXPECT_EQ(Get(u"BackColor"), Variant::Unsigned(0x80000005u));
}

TEST_F(DispatchTest, ThemeOutsideTheEnumerationIsAccepted) {
  EXPECT_EQ(Put(u"ActiveTheme", Variant::Long(7)), status::kOk);
  EXPECT_EQ(Get(u"ActiveTheme"), Variant::Long(7));
}

TEST_F(DispatchTest, FailuresOfTheControlCarryTheirNumberAndMessage) {
  Variant result = Variant::Long(3);
  EXPECT_EQ(Call(u"GetYTopLegend", kInvokeMethod, {Variant::Long(2147483647)}, &result),
            status::kException);
  EXPECT_EQ(error.number, kErrOverflow);
  EXPECT_EQ(error.description, "Overflow");
  EXPECT_EQ(error.scode, ControlErrorStatus(6));
  EXPECT_EQ(error.scode, static_cast<HResult>(0x800A0006));
  EXPECT_TRUE(result.IsEmpty());

  // An item whose id is not a number is stored; the pass that reaches it fails.
  ASSERT_EQ(Call(u"AddItem", kInvokeMethod, {Variant::Record({u"north", u"", u"", 5})}),
            status::kOk);
  EXPECT_EQ(Call(u"Refresh", kInvokeMethod), status::kException);
  EXPECT_EQ(error.number, kErrTypeMismatch);
  EXPECT_EQ(Call(u"AddItem", kInvokeMethod, {Variant::Record({u"2", u"", u"", NAN})}),
            status::kException);
  EXPECT_EQ(error.number, kErrOverflow);
}

TEST_F(DispatchTest, TheRecordCrossesByValue) {
  std::vector<Variant> args = {Variant::Record({u"1", u"North", u"Jan", 12})};
  ASSERT_EQ(dispatch.Invoke(Id(u"AddItem"), kInvokeMethod, args, nullptr, &error), status::kOk);
  args[0] = Variant::Record({u"9", u"South", u"Feb", 99});
  ASSERT_EQ(chart.state().items().size(), 1u);
  EXPECT_EQ(chart.state().items()[0], (ChartItem{u"1", u"North", u"Jan", 12}));
  EXPECT_EQ(Get(u"MaxY"), Variant::Double(100));
}

TEST_F(DispatchTest, ShowLegendWithoutItsArgumentShowsThePanel) {
  const double margin = chart.state().MarginRight;
  const double inner = chart.state().children.picLegend.ScaleWidth();
  Variant result = Variant::Long(1);
  ASSERT_EQ(Call(u"ShowLegend", kInvokeMethod, {}, &result), status::kOk);
  EXPECT_TRUE(chart.state().legendVisible);
  EXPECT_EQ(chart.state().MarginRight, margin + inner);
  EXPECT_TRUE(result.IsEmpty());
  // Shown already: the margin has made room once.
  ASSERT_EQ(Call(u"ShowLegend", kInvokeMethod, {Variant::Missing()}), status::kOk);
  EXPECT_EQ(chart.state().MarginRight, margin + inner);
  ASSERT_EQ(Call(u"ShowLegend", kInvokeMethod, {Variant::Boolean(true)}), status::kOk);
  EXPECT_FALSE(chart.state().legendVisible);
}

TEST_F(DispatchTest, TheAboutBoxDispIdReachesAbout) {
  Variant result = Variant::Long(1);
  std::vector<Variant> none;
  ASSERT_EQ(dispatch.Invoke(kDispIdAboutBox, kInvokeMethod, none, &result, &error), status::kOk);
  EXPECT_EQ(host.aboutShown(), 1);
  EXPECT_TRUE(result.IsEmpty());
}

TEST_F(DispatchTest, EditCopyAnswersFalseAndAClipboardFailureCarriesItsNumber) {
  Variant result;
  ASSERT_EQ(Call(u"EditCopy", kInvokeMethod, {}, &result), status::kOk);
  EXPECT_EQ(result, Variant::Boolean(false));
  EXPECT_EQ(host.clipboardImage().width(), chart.state().surface->PixelWidth());
  host.SetClipboardAvailable(false);
  EXPECT_EQ(Call(u"EditCopy", kInvokeMethod, {}, &result), status::kException);
  EXPECT_EQ(error.number, kErrClipboard);
}

}  // namespace
}  // namespace palvex
