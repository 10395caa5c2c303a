#include "control/automation/variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/chart_error.h"
#include "support/error_of.h"
#include "support/variant_printer.h"

namespace palvex {
namespace {

using testing::ErrorOf;

TEST(Variant, TrueIsMinusOneAsANumberAndTrueAsText) {
  const Variant t = Variant::Boolean(true);
  EXPECT_EQ(t.ToI2(), -1);
  EXPECT_EQ(t.ToI4(), -1);
  EXPECT_EQ(t.ToR8(), -1.0);
  EXPECT_EQ(t.ToText(), u"True");
  EXPECT_EQ(Variant::Boolean(false).ToText(), u"False");
  EXPECT_EQ(Variant::Boolean(false).ToI4(), 0);
}

TEST(Variant, NumbersFromNumericTextAndTextFromNumbers) {
  EXPECT_EQ(Variant::Text(u" 12.5 ").ToR8(), 12.5);
  EXPECT_EQ(Variant::Text(u"&HFF").ToI4(), 255);
  EXPECT_EQ(Variant::Text(u"2.5").ToI4(), 2);  // half to even
  EXPECT_EQ(Variant::Text(u"3.5").ToI2(), 4);
  EXPECT_EQ(Variant::Double(0.5).ToText(), u"0.5");
  EXPECT_EQ(Variant::Single(0.1f).ToText(), u"0.1");
  EXPECT_EQ(Variant::Long(-3).ToText(), u"-3");
  EXPECT_EQ(Variant::Unsigned(0x80000005u).ToText(), u"2147483653");
  EXPECT_EQ(Variant().ToText(), u"");
  EXPECT_EQ(Variant().ToR8(), 0.0);
}

TEST(Variant, BooleansFromNumbersAndText) {
  EXPECT_FALSE(Variant::Double(0).ToBool());
  EXPECT_TRUE(Variant::Double(2).ToBool());
  EXPECT_TRUE(Variant::Short(-1).ToBool());
  EXPECT_TRUE(Variant::Text(u"tRuE").ToBool());
  EXPECT_FALSE(Variant::Text(u"False").ToBool());
  EXPECT_FALSE(Variant::Text(u"0").ToBool());
  EXPECT_TRUE(Variant::Text(u"-1").ToBool());
}

TEST(Variant, WhatCannotConvertIsATypeMismatch) {
  EXPECT_EQ(ErrorOf([] { Variant::Text(u"abc").ToR8(); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { Variant::Text(u"").ToI4(); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { Variant::Text(u"yes").ToBool(); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { Variant::Text(u"1").ToRecord(); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { Variant().ToRecord(); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { Variant::Record({}).ToText(); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { Variant::Record({}).ToBool(); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { Variant::Missing().ToR8(); }), kErrTypeMismatch);
}

TEST(Variant, OutOfRangeIntegersOverflow) {
  EXPECT_EQ(ErrorOf([] { Variant::Double(32767.5).ToI2(); }), kErrOverflow);
  EXPECT_EQ(Variant::Double(32766.5).ToI2(), 32766);
  EXPECT_EQ(ErrorOf([] { Variant::Long(40000).ToI2(); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { Variant::Text(u"99999999999").ToI4(); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { Variant::Unsigned(0x80000000u).ToI4(); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { Variant::Double(std::nan("")).ToI4(); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { Variant::Double(1e300).ToR4(); }), kErrOverflow);
  EXPECT_TRUE(std::isinf(Variant::Double(INFINITY).ToR4()));
}

TEST(Variant, ColorsAcceptTheSignedAndUnsignedForms) {
  EXPECT_EQ(Variant::Long(-2147483643).ToUI4(), 0x80000005u);
  EXPECT_EQ(Variant::Double(4294967295.0).ToUI4(), 0xFFFFFFFFu);
  EXPECT_EQ(Variant::Text(u"&HFF0000").ToUI4(), 0xFF0000u);
  EXPECT_EQ(ErrorOf([] { Variant::Double(4294967296.0).ToUI4(); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { Variant::Double(-2147483649.0).ToUI4(); }), kErrOverflow);
}

TEST(Variant, RecordsAreCopies) {
  ChartItem item{u"1", u"North", u"Jan", 12};
  Variant v = Variant::Record(item);
  item.Value = 99;
  EXPECT_EQ(v.ToRecord().Value, 12);
  EXPECT_EQ(v.type(), VarType::Record);
}

}  // namespace
}  // namespace palvex
