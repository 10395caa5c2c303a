#include "platform/numeric.h"

#include <gtest/gtest.h>

#include "support/error_of.h"

#include <cmath>
#include <limits>

namespace palvex {
namespace {

using testing::ErrorOf;

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-3.5), -4);
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(2.5000001), 3);
  EXPECT_EQ(RoundHalfEven(-20.5), -20);
  EXPECT_EQ(RoundHalfEven(-19.5), -20);
  // Beyond 2^52 every double is whole; a negative fraction rounds to +0.
  EXPECT_EQ(RoundHalfEven(4503599627370495.5), 4503599627370496.0);
  EXPECT_EQ(RoundHalfEven(9007199254740993.0), 9007199254740993.0);
  EXPECT_FALSE(std::signbit(RoundHalfEven(-0.3)));
  EXPECT_TRUE(std::signbit(RoundHalfEven(-0.0)));
}

TEST(IntegerConversions, RaiseOverflowOutsideTheirRange) {
  EXPECT_EQ(ToInt16(32767.4), 32767);
  EXPECT_EQ(ToInt16(-32768), -32768);
  EXPECT_EQ(ErrorOf([] { ToInt16(32767.5); }), kErrOverflow);  // rounds to 32768
  EXPECT_EQ(ErrorOf([] { ToInt16(-32769); }), kErrOverflow);
  EXPECT_EQ(ToInt32(2147483647.0), 2147483647);
  EXPECT_EQ(ErrorOf([] { ToInt32(2147483647.5); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { ToInt32(std::nan("")); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { ToInt32(std::numeric_limits<double>::infinity()); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { AddInt32(2147483647, 1); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { SubInt32(-2147483647 - 1, 1); }), kErrOverflow);
  EXPECT_EQ(AddInt32(-5, 3), -2);
}

TEST(ParseNumber, ReadsWhatAnAutomationClientWouldConvert) {
  EXPECT_EQ(ParseNumber(u"12"), 12);
  EXPECT_EQ(ParseNumber(u"  -3.25 "), -3.25);
  EXPECT_EQ(ParseNumber(u"+.5"), 0.5);
  EXPECT_EQ(ParseNumber(u"1e3"), 1000);
  EXPECT_EQ(ParseNumber(u"2D2"), 200);
  EXPECT_EQ(ParseNumber(u"&HFF"), 255);
  EXPECT_EQ(ParseNumber(u"&HFFFF"), -1);  // 16-bit hexadecimal literals are signed
  EXPECT_EQ(ParseNumber(u"&O17"), 15);
  // Too small for a double is zero, whatever the digits before the exponent.
  EXPECT_EQ(ParseNumber(u"1000e-330"), 0);
  EXPECT_EQ(ParseNumber(u"-0.001e-99999999999999999999"), 0);
  for (const char16_t* bad : {u"", u"  ", u"abc", u"1x", u"1.2.3", u"e5", u"1e", u"&H", u"&HG",
                              u"-", u"1e999", u"0.01e400", u"1e99999999999999999999"}) {
    EXPECT_FALSE(ParseNumber(bad).has_value()) << ToUtf8(bad);
  }
  EXPECT_FALSE(ParseNumber(std::u16string(100000, u'9')).has_value());
  EXPECT_EQ(ErrorOf([] { NumberFromText(u"North"); }), kErrTypeMismatch);
}

TEST(NumberText, PrintsUpToFifteenSignificantDigits) {
  EXPECT_EQ(NumberText(0), u"0");
  EXPECT_EQ(NumberText(0.5), u"0.5");
  EXPECT_EQ(NumberText(-3), u"-3");
  EXPECT_EQ(NumberText(55.93333333333333), u"55.9333333333333");
  EXPECT_EQ(NumberText(0.1 + 0.2), u"0.3");
  EXPECT_EQ(NumberText(1e16), u"1E+16");
  EXPECT_EQ(NumberText(1.5e-7), u"1.5E-07");
  EXPECT_EQ(NumberText(16777215), u"16777215");
  EXPECT_EQ(NumberText(-999999999999999), u"-999999999999999");
  EXPECT_EQ(NumberText(1e15), u"1E+15");
}

// The animation reads its numbers as their text reads back, without the
// text: the same value, the same sign of zero and the same error for every
// kind of double.
TEST(AsWritten, GivesWhatTheNumbersTextReadsBackAs) {
  const double cases[] = {0.0,
                          -0.0,
                          55.93333333333333,
                          -1234.5678901234567,
                          1e16,
                          1.5e-7,
                          4294967295.0,
                          2147483647.5,
                          1e300,
                          -1e300,
                          std::numeric_limits<double>::max(),
                          std::numeric_limits<double>::lowest(),
                          std::numeric_limits<double>::min(),
                          std::numeric_limits<double>::denorm_min(),
                          -std::numeric_limits<double>::denorm_min(),
                          std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(),
                          std::numeric_limits<double>::quiet_NaN()};
  for (double v : cases) {
    SCOPED_TRACE(v);
    double viaText = 0, direct = 0;
    const int textError = ErrorOf([&] { viaText = NumberFromText(NumberText(v)); });
    const int directError = ErrorOf([&] { direct = AsWritten(v); });
    EXPECT_EQ(directError, textError);
    if (textError) continue;
    EXPECT_EQ(direct, viaText);
    EXPECT_EQ(std::signbit(direct), std::signbit(viaText));
  }
}

TEST(Utf8, RoundTripsChineseAndSurrogatePairs) {
  const std::u16string text = u"宋体 😀 Arial";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(FromUtf8("\xff\x41"),
            u"\xFFFD"
            u"A");
  EXPECT_EQ(ToUtf8(u"\xD800"), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace palvex
