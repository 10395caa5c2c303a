#include "typelib_command.h"

#include <gtest/gtest.h>

#include <QJsonArray>

namespace palvex {
namespace {

TEST(TypelibJson, DescribesTheWholeLibrary) {
  const QJsonObject lib = TypeLibraryJson(PalvexChartLibrary());
  EXPECT_EQ(lib["name"].toString(), "PalvexChartProj");
  EXPECT_EQ(lib["version"].toString(), "1.0");
  EXPECT_EQ(lib["lcid"].toInt(), 1033);
  EXPECT_TRUE(lib["control"].toBool());

  const QJsonArray types = lib["types"].toArray();
  QStringList names;
  for (const QJsonValue& t : types) names << t["name"].toString();
  EXPECT_EQ(names, (QStringList{"_PalvexChart", "PalvexChart", "__PalvexChart",
                                "GRADIENT_FILL_RECT", "Theme", "ChartItem"}));

  const QJsonArray members = types[0]["members"].toArray();
  ASSERT_EQ(members.size(), 55);
  EXPECT_EQ(members[0]["name"].toString(), "AddItem");
  EXPECT_EQ(members[0]["dispidHex"].toString(), "0x60030016");
  EXPECT_EQ(members[54]["name"].toString(), "About");
  EXPECT_EQ(members[54]["dispid"].toInt(), -552);
  const QJsonObject legend = members[47].toObject();
  EXPECT_EQ(legend["name"].toString(), "ShowLegend");
  const QJsonObject bHidden = legend["params"].toArray()[0].toObject();
  EXPECT_TRUE(bHidden["optional"].toBool());
  EXPECT_TRUE(bHidden["byRef"].toBool());
  EXPECT_EQ(bHidden["default"], QJsonValue(false));

  const QJsonArray events = types[2]["members"].toArray();
  ASSERT_EQ(events.size(), 3);
  EXPECT_EQ(events[1]["name"].toString(), "MouseDown");
  EXPECT_EQ(events[1]["params"].toArray().size(), 4);

  const QJsonArray fields = types[5]["fields"].toArray();
  EXPECT_EQ(types[5]["size"].toInt(), 20);
  EXPECT_EQ(fields[3]["offset"].toInt(), 12);
  EXPECT_EQ(fields[3]["memberId"].toInt(), 0x40000003);
  EXPECT_EQ(types[4]["constants"].toArray()[2].toObject()["name"].toString(), "ThemeNeon");
}

}  // namespace
}  // namespace palvex
