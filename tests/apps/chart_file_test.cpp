#include "chart_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QJsonArray>

#include "model/text_limit.h"
#include "platform/qt/headless_host.h"
#include "platform/qt/qt_text.h"
#include "render.h"
#include "support/error_of.h"

namespace palvex {
namespace {

std::string RefusalOf(const char* json) {
  try {
    ParseChartFile(QByteArray(json));
  } catch (const ChartFileError& e) {
    return e.what();
  }
  return "accepted";
}

TEST(ChartFile, ReadsSizePropertiesInFileOrderAndItems) {
  // Each write is one step, as in a script: a name given twice is written
  // twice, and the last write stays.
  const ChartFile f = ParseChartFile(R"({
    "width": 800, "height": 600,
    "properties": {"ChartTitle": "销售", "maxy": 50, "Color\u0042ars": true, "maxy": 70,
                   "AxisLabelX": "{\"not\": [\"a key\"]}"},
    "items": [{"ItemID": "1", "XAxisDescription": "Jan", "SelectedDescription": "North", "Value": 120.5},
              {"ItemID": "2"}]})");
  EXPECT_EQ(f.width, 800);
  EXPECT_EQ(f.height, 600);
  QStringList written;
  for (const ChartProperty& p : f.properties)
    written << p.name + "=" + p.value.toVariant().toString();
  EXPECT_EQ(written, (QStringList{"ChartTitle=销售", "maxy=50", "ColorBars=true", "maxy=70",
                                  "AxisLabelX={\"not\": [\"a key\"]}"}));
  ASSERT_EQ(f.items.size(), 2u);
  EXPECT_EQ(f.items[0].SelectedDescription, u"North");
  EXPECT_EQ(f.items[0].Value, 120.5);
  EXPECT_EQ(f.items[1].Value, 0);
  EXPECT_EQ(ParseChartFile("{}").width, 560);
  // A U+FEFF that opens a string is kept, not taken for a byte-order mark.
  const ChartFile marked = ParseChartFile(
      "{\"properties\": {\"ChartTitle\": \"\xEF\xBB\xBF"
      "A\"}, \"items\": [{\"ItemID\": \"\xEF\xBB\xBF"
      "1\"}]}");
  ASSERT_EQ(marked.properties.size(), 1u);
  EXPECT_EQ(marked.properties[0].value.toString(), QString(QChar(0xFEFF)) + "A");
  ASSERT_EQ(marked.items.size(), 1u);
  EXPECT_EQ(marked.items[0].ItemID, u"\uFEFF1");
}

TEST(ChartFile, RefusesWhatItCannotUseNamingTheKeyOrLine) {
  EXPECT_NE(RefusalOf("{\n\"width\": 5,\n oops}").find("line 3"), std::string::npos);
  EXPECT_EQ(RefusalOf("[]"), "the chart file must hold one JSON object");
  EXPECT_NE(RefusalOf(R"({"colour": 1})").find("\"colour\""), std::string::npos);
  EXPECT_NE(RefusalOf(R"({"width": 0})").find("\"width\""), std::string::npos);
  EXPECT_NE(RefusalOf(R"({"height": 1e9})").find("\"height\""), std::string::npos);
  EXPECT_NE(RefusalOf(R"({"width": 4097})").find("from 1 to 4096"), std::string::npos);
  EXPECT_NE(RefusalOf(R"({"width": "wide"})").find("\"width\""), std::string::npos);
  EXPECT_NE(RefusalOf(R"({"properties": {"Title": "x"}})").find("unknown property \"Title\""),
            std::string::npos);
  EXPECT_NE(RefusalOf(R"({"properties": {"MaxY": "high"}})").find("properties.MaxY"),
            std::string::npos);
  EXPECT_NE(RefusalOf(R"({"properties": {"Selectable": 1}})").find("true or false"),
            std::string::npos);
  EXPECT_NE(RefusalOf(R"({"properties": {"ActiveTheme": 1.5}})").find("whole"), std::string::npos);
  EXPECT_NE(RefusalOf(R"({"items": [{"ItemID": 1}]})").find("items[0].ItemID"), std::string::npos);
  EXPECT_NE(RefusalOf(R"({"items": [{"Value": "12"}]})").find("items[0].Value"), std::string::npos);
  EXPECT_NE(RefusalOf(R"({"items": [{"Colour": 1}]})").find("items[0].Colour"), std::string::npos);
  EXPECT_NE(RefusalOf(R"({"items": {}})").find("\"items\""), std::string::npos);
}

TEST(ChartFile, PropertiesGoThroughTheControlsWritersByName) {
  const ChartFile f = ParseChartFile(
      R"({"properties": {"charttitle": "Rain", "MARGINLEFT": 10, "ActiveTheme": 7,
          "BackColor": 2147483653, "ForeColor": -2147483643, "Selectable": true}})");
  HeadlessHost host;
  PalvexChart chart(host);
  chart.InitProperties();
  for (const ChartProperty& p : f.properties) ApplyProperty(chart, p);
  EXPECT_EQ(chart.ChartTitle(), u"Rain");
  EXPECT_EQ(chart.state().MarginLeft, 150);
  EXPECT_EQ(chart.ActiveTheme(), 7);
  EXPECT_EQ(chart.BackColor(), 0x80000005u);
  EXPECT_EQ(chart.ForeColor(), 0x80000005u);
  EXPECT_TRUE(chart.Selectable());
}

TEST(ChartFile, OnlyPropertyWritersAndTheirRangesAreAccepted) {
  EXPECT_EQ(RefusalOf(R"({"properties": {"AddItem": 1}})"), "unknown property \"AddItem\"");
  EXPECT_EQ(RefusalOf(R"({"properties": {"ChartTitle": 5}})"),
            "\"properties.ChartTitle\" must be a string");
  EXPECT_EQ(RefusalOf(R"({"properties": {"SelectedColumn": 3000000000}})"),
            "\"properties.SelectedColumn\" must be a whole 32-bit number");
  EXPECT_EQ(RefusalOf(R"({"properties": {"BackColor": 4294967296}})"),
            "\"properties.BackColor\" must be a whole 32-bit number");
}

TEST(ChartFile, AWriterThatFailsRaisesItsRunTimeErrorAndStoresNothing) {
  const ChartFile f = ParseChartFile(R"({"properties": {"MarginLeft": 1e308}})");
  HeadlessHost host;
  PalvexChart chart(host);
  chart.InitProperties();
  EXPECT_EQ(testing::ErrorOf([&] { ApplyProperty(chart, f.properties[0]); }), kErrOverflow);
  EXPECT_EQ(chart.MarginLeft(), 55);
}

TEST(RenderChart, GoesThroughTheWritersAndLeavesTheAnimationPlayed) {
  HeadlessHost host;
  const ChartFile f = ParseChartFile(R"({"width": 400, "height": 300,
    "properties": {"MaxY": 5, "MarginLeft": 10, "BackColor": 2147483653},
    "items": [{"ItemID": "1", "Value": 42}]})");
  auto chart = RenderChart(f, host);
  EXPECT_EQ(chart->state().surface->PixelWidth(), 400);
  EXPECT_EQ(chart->MaxY(), 45);  // the nice top of 42
  EXPECT_EQ(chart->MarginLeft(), 10);
  EXPECT_EQ(chart->BackColor(), 0x80000005u);
  EXPECT_TRUE(chart->state().animationDone);
  EXPECT_EQ(chart->state().barPalette[2], 0x00FE00u);
  const QJsonObject json = ChartStateJson(*chart);
  EXPECT_EQ(json["barTops"].toArray().size(), 1);
  EXPECT_EQ(json["IntersectMajor"].toDouble(), 4.5);
}

TEST(RenderChart, AControlErrorComesBackWithItsNumber) {
  HeadlessHost host;
  const ChartFile f = ParseChartFile(R"({"items": [{"ItemID": "North", "Value": 1}]})");
  EXPECT_EQ(testing::ErrorOf([&] { RenderChart(f, host); }), kErrTypeMismatch);
}

// The largest item count a 16-bit client can index still renders in full.
TEST(RenderChart, DrawsTheLargestItemCount) {
  ChartFile f;
  for (int i = 0; i < 32767; ++i) f.items.push_back(ChartItem{u"1", u"", u"", double(i % 97)});
  HeadlessHost host;
  auto chart = RenderChart(f, host);
  EXPECT_TRUE(chart->state().animationDone);
  EXPECT_EQ(chart->state().barTops.size(), 32767u);
}

// What a file alone can make the control hold is bounded: items, text and
// the picture's sides (the latter checked with the other refusals above).
TEST(ChartFile, CannotMakeTheControlHoldMoreThanItsBounds) {
  QByteArray items = R"({"items": [)";
  for (int i = 0; i < 32768; ++i) items += i ? R"(,{})" : R"({})";
  EXPECT_NE(RefusalOf(items + "]}").find("more than 32767 items"), std::string::npos);
  EXPECT_EQ(ParseChartFile(items.replace(R"([{},)", "[") + "]}").items.size(), 32767u);

  const QString over = ToQString(std::u16string(kMaxTextLength + 1, u'x'));
  for (const char* json : {R"({"properties": {"AxisLabelY": "%1"}})",
                           R"({"items": [{"ItemID": "1", "XAxisDescription": "%1"}]})"}) {
    const ChartFile f = ParseChartFile(QString::fromUtf8(json).arg(over).toUtf8());
    HeadlessHost host;
    try {
      RenderChart(f, host);
      ADD_FAILURE() << json;
    } catch (const ChartError& e) {
      EXPECT_EQ(e.number(), kErrInvalidPropertyValue);
      EXPECT_THAT(RunTimeErrorText(e).toStdString(),
                  ::testing::AnyOf(::testing::HasSubstr("AxisLabelY"),
                                   ::testing::HasSubstr("items[0]: run-time error 380: "
                                                        "XAxisDescription")));
    }
  }
}

// Text at the longest length the control takes, in every text property and
// item field, draws: title, axis captions, the rotated caption, the legend's
// description entry and the information label of the selected column.
TEST(RenderChart, DrawsTextOfTheLongestLengthEverywhere) {
  const std::u16string longest(kMaxTextLength, u'W');
  ChartFile f;
  for (const char* name : {"ChartTitle", "ChartSubTitle", "AxisLabelX", "AxisLabelY"})
    f.properties.push_back({name, QJsonValue(ToQString(longest))});
  f.properties.push_back({"Selectable", QJsonValue(true)});
  f.properties.push_back({"SelectionInformation", QJsonValue(true)});
  // The id is a number: this one is 1 with blanks after it.
  f.items.push_back(
      ChartItem{u"1" + std::u16string(kMaxTextLength - 1, u' '), longest, longest, 7});
  HeadlessHost host;
  auto chart = RenderChart(f, host);
  chart->ShowLegend(false);
  chart->SetSelectedColumn(0);
  EXPECT_TRUE(chart->state().animationDone);
  EXPECT_EQ(chart->ChartTitle().size(), kMaxTextLength);
  EXPECT_EQ(chart->SelectedColumn(), 0);
}

}  // namespace
}  // namespace palvex
