// Runs the real palvexchart program and checks what a user sees.
#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct ProgramRun {
  int exitCode;
  QString out;
  QString err;
};

ProgramRun Palvexchart(const QStringList& args) {
  QProcess p;
  p.start(PALVEXCHART_BIN, args);
  p.waitForFinished(120000);
  return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
          QString::fromUtf8(p.readAllStandardError())};
}

QString WriteFile(const QTemporaryDir& dir, const char* name, const QByteArray& text) {
  const QString path = dir.filePath(name);
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write(text);
  return path;
}

TEST(CommandLine, RendersAnExampleAtTheDesignSizeAndPrintsItsState) {
  QTemporaryDir dir;
  const QString png = dir.filePath("out.png");
  const ProgramRun r =
      Palvexchart({"render", PALVEX_EXAMPLES_DIR "/sales_cn.json", "-o", png, "--state"});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QImage image(png);
  EXPECT_EQ(image.size(), QSize(560, 372));
  const QJsonObject state = QJsonDocument::fromJson(r.out.toUtf8()).object();
  EXPECT_EQ(state["MaxY"].toDouble(), 500);
  EXPECT_EQ(state["barTops"].toArray().size(), 8);
  EXPECT_EQ(state["ChartTitle"].toString(), QStringLiteral("华东区季度销售额"));
}

TEST(CommandLine, WritesABitmapWhenAskedForOne) {
  QTemporaryDir dir;
  const QString bmp = dir.filePath("out.bmp");
  ASSERT_EQ(Palvexchart({"render", PALVEX_EXAMPLES_DIR "/rainfall_en.json", "-o", bmp}).exitCode,
            0);
  QFile f(bmp);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.read(2), QByteArray("BM"));
}

TEST(CommandLine, ABadChartFileExitsTwoNamingTheKey) {
  QTemporaryDir dir;
  const QString chart = WriteFile(dir, "bad.json", R"({"properties": {"MaxY": "tall"}})");
  const ProgramRun r = Palvexchart({"render", chart, "-o", dir.filePath("x.png")});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(r.err.contains("properties.MaxY")) << r.err.toStdString();
  EXPECT_FALSE(QFile::exists(dir.filePath("x.png")));
}

TEST(CommandLine, AControlErrorExitsOneWithItsNumberAndMessage) {
  QTemporaryDir dir;
  const QString chart =
      WriteFile(dir, "ids.json", R"({"items": [{"ItemID": "North", "Value": 3}]})");
  const ProgramRun r = Palvexchart({"render", chart, "-o", dir.filePath("x.png")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains("13")) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains("Type mismatch")) << r.err.toStdString();
}

TEST(CommandLine, AnUnwritableOutputFailsWithoutLeavingAFile) {
  const ProgramRun r = Palvexchart(
      {"render", PALVEX_EXAMPLES_DIR "/sales_cn.json", "-o", "/nonexistent-dir/out.png"});
  EXPECT_NE(r.exitCode, 0);
  EXPECT_TRUE(r.err.contains("/nonexistent-dir/out.png"));
}

TEST(CommandLine, UsageErrorsExitTwo) {
  EXPECT_EQ(Palvexchart({}).exitCode, 2);
  EXPECT_EQ(Palvexchart({"render"}).exitCode, 2);
  EXPECT_EQ(Palvexchart({"frobnicate"}).exitCode, 2);
  EXPECT_EQ(Palvexchart({"render", "/no/such/chart.json", "-o", "x.png"}).exitCode, 2);
}

}  // namespace
