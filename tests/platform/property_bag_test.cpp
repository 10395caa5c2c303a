#include "platform/property_bag.h"

#include <gmock/gmock.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <limits>

#include "platform/chart_error.h"
#include "platform/numeric.h"
#include "platform/qt/json_property_bag.h"
#include "support/error_of.h"

namespace palvex {
namespace {

using palvex::testing::ErrorOf;
using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

// The control's own load checks the everyday conversions; these are the
// edges an automation client has too.
TEST(BagValueTest, ConvertsLikeAnAutomationClient) {
  EXPECT_EQ(BagValue(true).ToNumber(), -1);
  EXPECT_TRUE(BagValue(u" TRUE ").ToBoolean());
  EXPECT_TRUE(BagValue(u"-1").ToBoolean());
  EXPECT_FALSE(BagValue(0.0).ToBoolean());
  EXPECT_EQ(BagValue(std::int32_t{42}).ToText(), u"42");
  EXPECT_EQ(BagValue(-2.5).ToInt32(), -2);
  EXPECT_EQ(BagValue(u"&H80000005").ToInt32(), -2147483643);
}

TEST(BagValueTest, RefusesWhatCannotConvert) {
  EXPECT_EQ(ErrorOf([] { BagValue(u"abc").ToNumber(); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { BagValue(u"").ToBoolean(); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { BagValue(3e9).ToInt32(); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { BagValue(std::nan("")).ToInt32(); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { BagValue(-std::numeric_limits<double>::infinity()).ToInt32(); }),
            kErrOverflow);
}

TEST(MemoryPropertyBagTest, MatchesKeysInAnyCaseAndKeepsTheFirstWriteOrder) {
  MemoryPropertyBag bag;
  bag.Write(u"uYAxislabel", u"rain");
  bag.Write(u"BackColor", std::int32_t{5});
  EXPECT_EQ(bag.Read(u"uYAxisLabel"), BagValue(u"rain"));
  EXPECT_EQ(bag.Read(u"BACKCOLOR"), BagValue(std::int32_t{5}));
  EXPECT_EQ(bag.Read(u"ForeColor"), std::nullopt);

  bag.Write(u"UYAXISLABEL", u"snow");
  ASSERT_EQ(bag.entries().size(), 2u);
  EXPECT_EQ(bag.entries()[0].first, u"UYAXISLABEL");
  EXPECT_EQ(bag.entries()[0].second, BagValue(u"snow"));
  EXPECT_TRUE(bag.Remove(u"backcolor"));
  EXPECT_FALSE(bag.Remove(u"backcolor"));
}

class JsonPropertyBagTest : public ::testing::Test {
 protected:
  QString Path(const QString& name) const { return dir.filePath(name); }
  void WriteFile(const QString& name, const QByteArray& content) {
    QFile f(Path(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
  }
  QByteArray ReadFile(const QString& name) {
    QFile f(Path(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
  }

  QTemporaryDir dir;
};

TEST_F(JsonPropertyBagTest, KeepsEveryValueTypeThroughTheFile) {
  JsonPropertyBag bag;
  bag.Write(u"uTopMargin", 750.0);
  bag.Write(u"uMaxYValue", 0.1 + 0.2);
  bag.Write(u"uSelectable", true);
  bag.Write(u"uYAxislabel", u"降雨量 \"mm\"\n");
  bag.Write(u"BackColor", std::int32_t{-2147483643});
  // Texts that begin as byte-order marks do.
  bag.Write(u"uChartTitle", u"\uFFFEab");
  bag.Write(u"uXAxisLabel", u"\uFEFFx");
  bag.Save(Path("bag.json"));

  JsonPropertyBag loaded = JsonPropertyBag::Load(Path("bag.json"));
  EXPECT_EQ(loaded.Read(u"uTopMargin"), BagValue(750.0));
  EXPECT_EQ(loaded.Read(u"uMaxYValue"), BagValue(0.1 + 0.2));
  EXPECT_EQ(loaded.Read(u"uSelectable"), BagValue(true));
  EXPECT_EQ(loaded.Read(u"uYAxisLabel"), BagValue(u"降雨量 \"mm\"\n"));
  EXPECT_EQ(loaded.Read(u"backcolor")->ToInt32(), -2147483643);
  EXPECT_EQ(loaded.Read(u"uChartTitle"), BagValue(u"\uFFFEab"));
  EXPECT_EQ(loaded.Read(u"uXAxisLabel"), BagValue(u"\uFEFFx"));
  EXPECT_EQ(loaded.Read(u"ForeColor"), std::nullopt);
}

TEST_F(JsonPropertyBagTest, RefusesAMalformedFileNamingTheLine) {
  WriteFile("bad.json", "{\n  \"uTopMargin\": 750,\n  \"uSelectable\": tru\n}\n");
  EXPECT_EQ(ErrorOf([&] { JsonPropertyBag::Load(Path("bad.json")); }), kErrInvalidPropertyValue);
  EXPECT_THAT([&] { JsonPropertyBag::Load(Path("bad.json")); },
              ThrowsMessage<ChartError>(HasSubstr("line 3")));
  // Lines that end in a lone CR are lines too.
  WriteFile("cr.json", "{\r  \"uTopMargin\": 750,\r\r  \"uSelectable\": tru\r}\r");
  EXPECT_THAT([&] { JsonPropertyBag::Load(Path("cr.json")); },
              ThrowsMessage<ChartError>(HasSubstr("line 4")));

  WriteFile("array.json", "[1, 2]");
  EXPECT_EQ(ErrorOf([&] { JsonPropertyBag::Load(Path("array.json")); }), kErrInvalidPropertyValue);
  // Keys match in any case, so two spellings of one key are ambiguous.
  WriteFile("twice.json", R"({"uYAxislabel": "a", "uYAxisLabel": "b"})");
  EXPECT_THAT([&] { JsonPropertyBag::Load(Path("twice.json")); },
              ThrowsMessage<ChartError>(HasSubstr("letter case")));
  EXPECT_EQ(ErrorOf([&] { JsonPropertyBag::Load(Path("missing.json")); }), kErrFileNotFound);
}

TEST_F(JsonPropertyBagTest, RefusesAValueOfTheWrongTypeNamingTheKey) {
  JsonPropertyBag bag = JsonPropertyBag::Parse(
      R"({"uTopMargin": [750], "uChartTitle": null, "uSelectable": {"v": true}, "uColorBars": true})",
      "test");
  for (const char* key : {"uTopMargin", "uChartTitle", "uSelectable"}) {
    const std::u16string asked = FromUtf8(key);
    EXPECT_EQ(ErrorOf([&] { bag.Read(asked); }), kErrTypeMismatch);
    EXPECT_THAT([&] { bag.Read(asked); }, ThrowsMessage<ChartError>(HasSubstr(key)));
  }
  EXPECT_EQ(bag.Read(u"uColorBars"), BagValue(true));
}

TEST_F(JsonPropertyBagTest, RefusesANumberJsonCannotHoldNamingTheKey) {
  JsonPropertyBag bag;
  EXPECT_EQ(ErrorOf([&] { bag.Write(u"uMaxYValue", std::nan("")); }), kErrInvalidPropertyValue);
  EXPECT_THAT([&] { bag.Write(u"uMaxYValue", INFINITY); },
              ThrowsMessage<ChartError>(HasSubstr("uMaxYValue")));
  EXPECT_EQ(bag.Read(u"uMaxYValue"), std::nullopt);
}

TEST_F(JsonPropertyBagTest, ANameAsLongAsAFolderTakesIsSavedAndAMissingFolderNamed) {
  // The replacement is written under another name first, which must fit
  // where the longest name fits; a full disk is tried on the program.
  const QString name = QString(250, 'b') + ".json";
  WriteFile(name, R"({"uTopMargin": 1})");
  JsonPropertyBag bag;
  bag.Write(u"uTopMargin", 750.0);
  EXPECT_EQ(ErrorOf([&] { bag.Save(Path(name)); }), 0);
  EXPECT_EQ(JsonPropertyBag::Load(Path(name)).Read(u"uTopMargin"), BagValue(750.0));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

  EXPECT_THAT([&] { bag.Save(Path("no/such/folder/bag.json")); },
              ThrowsMessage<ChartError>(HasSubstr("bag.json: No such file or directory")));
}

}  // namespace
}  // namespace palvex
