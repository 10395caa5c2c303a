// Runs the real palvexchart program and checks what a user sees.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <vector>

#include "support/picture_checks.h"

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

// Runs palvexchart in a child that may write files of at most limit bytes:
// a write past it fails with EFBIG, as one on a full disk fails with
// ENOSPC (SIGXFSZ ignored, so the write fails instead of the program).
// The arguments as bytes, which need not be text.
ProgramRun PalvexchartWithFilesUpTo(rlim_t limit, const std::vector<QByteArray>& args) {
  std::vector<QByteArray> words{PALVEXCHART_BIN};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (QByteArray& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  int err[2];
  if (pipe(err) != 0) return {-1, {}, "pipe failed"};
  const pid_t child = fork();
  if (child == 0) {
    // Only what is safe between fork and exec.
    const rlimit files{limit, limit};
    setrlimit(RLIMIT_FSIZE, &files);
    signal(SIGXFSZ, SIG_IGN);
    dup2(err[1], 2);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(err[1]);
  QByteArray stderrText;
  char buffer[4096];
  for (ssize_t n; (n = read(err[0], buffer, sizeof buffer)) > 0;) stderrText.append(buffer, n);
  close(err[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
          {},
          QString::fromUtf8(stderrText)};
}

ProgramRun PalvexchartWithFilesUpTo(rlim_t limit, const QStringList& args) {
  std::vector<QByteArray> words;
  for (const QString& a : args) words.push_back(a.toLocal8Bit());
  return PalvexchartWithFilesUpTo(limit, words);
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

  // A chart that keeps the default subtitle greets in the language asked for.
  const QString chart = WriteFile(dir, "plain.json", R"({"properties": {}})");
  const ProgramRun english = Palvexchart({"render", chart, "-o", png, "--state", "--lang", "en"});
  ASSERT_EQ(english.exitCode, 0) << english.err.toStdString();
  EXPECT_EQ(QJsonDocument::fromJson(english.out.toUtf8())["ChartSubTitle"].toString(),
            "Animated chart example (with themes)");
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

// What a poppler tool prints about a file.
QString Poppler(const char* tool, const QStringList& args) {
  QProcess p;
  p.start(tool, args);
  p.waitForFinished(60000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(CommandLine, DrawsTheSameChartAtTwiceThePixelsAndAsSvgAndPdf) {
  QTemporaryDir dir;
  // No theme: the title lies on a plain background, so a block of four
  // pixels of two colours can only be text.
  const QString chart = WriteFile(dir, "plain.json", R"({
    "properties": {"ActiveTheme": 3, "BackColor": 16777215, "ForeColor": 0,
                   "ChartTitle": "Crisp 清晰",
                   "AxisLabelX": "城市", "AxisLabelY": "amount"},
    "items": [{"ItemID": "1", "XAxisDescription": "上海", "Value": 486.5},
              {"ItemID": "2", "XAxisDescription": "杭州", "Value": 312},
              {"ItemID": "3", "XAxisDescription": "Nanjing", "Value": 95.4}]})");
  const auto render = [&](const QString& name, const QStringList& more = {}) {
    const QString path = dir.filePath(name);
    const ProgramRun r = Palvexchart(QStringList{"render", chart, "-o", path} + more);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return path;
  };
  const QImage once(render("once.png"));
  const QImage twice(render("twice.png", {"--scale", "2"}));
  ASSERT_EQ(once.size(), QSize(560, 372));
  ASSERT_EQ(twice.size(), QSize(1120, 744));
  // The same chart: brought back to its size it differs little, mostly
  // along text and finer gradient steps (measured: about 0.65 of 255).
  EXPECT_LT(palvex::testing::MeanDifference(palvex::testing::HalfSize(twice), once), 2.0);
  // Drawn at the full resolution, not enlarged: the title's edges.
  EXPECT_EQ(palvex::testing::MixedBlocks(once.scaled(1120, 744), QRect(0, 0, 1120, 40)), 0);
  EXPECT_GT(palvex::testing::MixedBlocks(twice, QRect(0, 0, 1120, 40)), 100);
  // A faster PNG level: the same pixels in more bytes.
  const QString fast = render("fast.png", {"--png-level", "1"});
  EXPECT_EQ(QImage(fast), once);
  EXPECT_GT(QFileInfo(fast).size(), QFileInfo(dir.filePath("once.png")).size());

  const QString svgPath = render("chart.svg");
  QFile svgFile(svgPath);
  ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
  EXPECT_TRUE(palvex::testing::IsWellFormedXml(svgFile.readAll()));
  QSvgRenderer svg(svgPath);
  ASSERT_TRUE(svg.isValid());
  EXPECT_EQ(svg.viewBox(), QRect(0, 0, 560, 372));
  QImage drawn(560, 372, QImage::Format_RGB32);
  drawn.fill(Qt::black);
  QPainter painter(&drawn);
  svg.render(&painter);
  painter.end();
  // Shapes and gradients land where the picture has them; text set by
  // another renderer differs (measured: about 0.55 of 255).
  EXPECT_LT(palvex::testing::MeanDifference(drawn, once), 3.0);

  const QString pdf = render("chart.pdf");
  const QString info = Poppler("pdfinfo", {pdf});
  EXPECT_TRUE(info.contains(QRegularExpression("Pages: +1\\n"))) << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Page size: +420 x 279 pts"))) << info.toStdString();
  EXPECT_TRUE(Poppler("pdftotext", {pdf, "-"}).contains(QStringLiteral("Crisp 清晰")));
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

TEST(CommandLine, AGrowthAnimationThatFailsExitsOneInsteadOfWritingAPartialPicture) {
  QTemporaryDir dir;
  // A bar edge past the 32-bit pixel range: the animation stops at its
  // first frame.
  const QString charts[] = {WriteFile(dir, "far.json", R"({
    "properties": {"MarginLeft": 3000000000, "DisplayXAxis": false},
    "items": [{"ItemID": "1", "Value": 3}]})"),
                            WriteFile(dir, "wide.json", R"({
    "properties": {"MarginRight": 4294967296},
    "items": [{"ItemID": "1", "Value": 3}]})")};
  for (const QString& chart : charts) {
    const ProgramRun r = Palvexchart({"render", chart, "-o", dir.filePath("x.png")});
    EXPECT_EQ(r.exitCode, 1) << chart.toStdString();
    EXPECT_TRUE(r.err.contains("Overflow")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("x.png")));

    // The bag holds the properties, not the picture: it is written, and the
    // failure told.
    const QString bag = dir.filePath("bag.json");
    const ProgramRun saved = Palvexchart({"save-bag", chart, "-o", bag});
    EXPECT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    EXPECT_TRUE(saved.err.contains("growth failed (start timer: run-time error 6: Overflow)"))
        << saved.err.toStdString();
    QFile f(bag);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << chart.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(f.readAll()).object().size(), 22);
    f.remove();
  }
}

TEST(CommandLine, AnUnwritableOutputFailsWithoutLeavingAFile) {
  const ProgramRun r = Palvexchart(
      {"render", PALVEX_EXAMPLES_DIR "/sales_cn.json", "-o", "/nonexistent-dir/out.png"});
  EXPECT_NE(r.exitCode, 0);
  EXPECT_TRUE(r.err.contains("/nonexistent-dir/out.png"));
}

TEST(CommandLine, AFileNameThatIsNotUtf8IsRefusedNotTakenForAnother) {
  // Read as UTF-8, the byte FE would become U+FFFD: the name of this file.
  QTemporaryDir dir;
  const QString other = WriteFile(dir, "a\xEF\xBF\xBD.png", "not a picture");
  const QByteArray named = QFile::encodeName(dir.path()) + "/a\xFE.png";
  const ProgramRun r = PalvexchartWithFilesUpTo(
      RLIM_INFINITY,
      std::vector<QByteArray>{"render", PALVEX_EXAMPLES_DIR "/sales_cn.json", "-o", named});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(r.err.contains("argument 4 is not UTF-8")) << r.err.toStdString();
  QFile kept(other);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), "not a picture");
  EXPECT_NE(access(named.constData(), F_OK), 0);
}

TEST(CommandLine, AFullDiskKeepsTheOldFileAndExitsOneWithTheSystemsReason) {
  // Every way the program saves a file, each over an old one. The limit
  // lets the program start but holds less than any of these files.
  const QString sales = PALVEX_EXAMPLES_DIR "/sales_cn.json";
  const struct {
    const char* old;  // the file that must survive, in the run's folder
    std::function<QStringList(const QDir&)> args;
  } saves[] = {
      {"out.png",
       [&](const QDir& d) {
         return QStringList{"render", sales, "-o", d.filePath("out.png")};
       }},
      {"out.bmp",
       [&](const QDir& d) {
         return QStringList{"render", sales, "-o", d.filePath("out.bmp")};
       }},
      {"out.svg",
       [&](const QDir& d) {
         return QStringList{"render", sales, "-o", d.filePath("out.svg")};
       }},
      {"out.pdf",
       [&](const QDir& d) {
         return QStringList{"render", sales, "-o", d.filePath("out.pdf")};
       }},
      {"bag.json",
       [&](const QDir& d) {
         return QStringList{"save-bag", sales, "-o", d.filePath("bag.json")};
       }},
      {"frames/frame-01.png",
       [&](const QDir& d) {
         return QStringList{
             "render", sales, "-o", d.filePath("out.png"), "--frames", d.filePath("frames")};
       }},
      {"old.png",
       [&](const QDir& d) {
         QFile script(d.filePath("save.js"));
         script.open(QIODevice::WriteOnly);
         script.write("host.show(); host.tick(); host.saveImage(\"" +
                      d.filePath("old.png").toUtf8() + "\");\n");
         return QStringList{"script", d.filePath("save.js")};
       }},
  };
  const QByteArray old = "the old file, which a failed save must not touch";
  for (const auto& save : saves) {
    SCOPED_TRACE(save.old);
    QTemporaryDir dir;
    const QDir d(dir.path());
    const QString oldPath = d.filePath(save.old);
    d.mkpath(QFileInfo(oldPath).path());
    {
      QFile f(oldPath);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(old);
    }
    const QStringList args = save.args(d);
    const QStringList before =
        QDir(QFileInfo(oldPath).path()).entryList(QDir::AllEntries | QDir::Hidden);
    const ProgramRun r = PalvexchartWithFilesUpTo(400, args);
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("File too large")) << r.err.toStdString();
    QFile f(oldPath);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), old);
    // No temporary file stays behind.
    EXPECT_EQ(QDir(QFileInfo(oldPath).path()).entryList(QDir::AllEntries | QDir::Hidden), before);
  }
}

// Rows 40..316 of pixel column x: the plot area above the baseline.
std::vector<QRgb> PlotColumn(const QImage& image, int x) {
  std::vector<QRgb> column;
  for (int y = 40; y < 317; ++y) column.push_back(image.pixel(x, y));
  return column;
}

TEST(CommandLine, FramesShowTheBarsGrowingUpToTheFinalPicture) {
  QTemporaryDir dir;
  const QString frames = dir.filePath("frames");
  const ProgramRun r = Palvexchart({"render", PALVEX_EXAMPLES_DIR "/sales_cn.json", "-o",
                                    dir.filePath("out.png"), "--frames", frames});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(QDir(frames).entryList(QDir::Files).size(), 10);
  // Through the tallest bar: each frame covers more of the column.
  const int x = 84;
  const auto first = PlotColumn(QImage(frames + "/frame-01.png"), x);
  int previous = 0;
  for (int k = 2; k <= 10; ++k) {
    const auto column =
        PlotColumn(QImage(frames + QString("/frame-%1.png").arg(k, 2, 10, QChar('0'))), x);
    int changed = 0;
    for (std::size_t y = 0; y < column.size(); ++y) changed += column[y] != first[y];
    EXPECT_GT(changed, previous) << "frame " << k;
    previous = changed;
    if (k == 10) {
      EXPECT_EQ(column, PlotColumn(QImage(dir.filePath("out.png")), x));
    }
  }
}

TEST(CommandLine, AFramesFolderThatCannotBeMadeFailsNamingIt) {
  QTemporaryDir dir;
  const QString blocker = WriteFile(dir, "file", "not a folder");
  const ProgramRun r = Palvexchart({"render", PALVEX_EXAMPLES_DIR "/sales_cn.json", "-o",
                                    dir.filePath("out.png"), "--frames", blocker + "/frames"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains(blocker + "/frames")) << r.err.toStdString();
}

TEST(CommandLine, EachMistakeIsNamedWithItsExitCode) {
  QTemporaryDir dir;
  WriteFile(dir, "overflow.json", R"({"properties": {"MaxY": 5, "MarginTop": 1e308}})");
  WriteFile(dir, "empty.json", R"({"properties": {"ChartTitle": "nothing yet"}})");
  // Files too large to be read, refused from their size (sparse: they take
  // no room), and a bag of too many keys.
  QFile(WriteFile(dir, "huge.json", "{")).resize(300 * 1024 * 1024);
  QFile(WriteFile(dir, "huge-bag.json", "{")).resize(5 * 1024 * 1024);
  QByteArray keys = "{\"k0\": 0";
  for (int k = 1; k <= 1024; ++k) keys += ", \"k" + QByteArray::number(k) + "\": 0";
  WriteFile(dir, "keys-bag.json", keys + "}");
  WriteFile(dir, "loop.js", "for (;;) {}");
  const QString sales = PALVEX_EXAMPLES_DIR "/sales_cn.json";
  struct Case {
    QStringList args;  // @ stands for the temporary folder
    bool withoutDisplay;
    int exitCode;
    const char* err;  // a part of what stderr says
    const char* out;
  };
  const Case cases[] = {
      {{}, false, 2, "usage: palvexchart", ""},
      {{"frobnicate"}, false, 2, "palvexchart: unknown command \"frobnicate\"", ""},
      {{"render", sales}, false, 2, "palvexchart render: missing -o", ""},
      {{"save-bag", sales}, false, 2, "palvexchart save-bag: missing -o", ""},
      {{"render", "-o", "@/x.png"}, false, 2, "palvexchart render: give one chart file", ""},
      {{"render", "nosuch.json", "-o", "@/x.png"},
       false,
       2,
       "palvexchart: cannot read nosuch.json: ",
       ""},
      {{"--version"}, false, 0, "", "palvexchart 1.1.0\n"},
      {{"render", "@/overflow.json", "-o", "@/x.png"},
       false,
       1,
       "palvexchart: MarginTop: run-time error 6: Overflow",
       ""},
      {{"render", "@/empty.json", "-o", "@/x.png", "--frames", "@/frames"},
       false,
       0,
       "no frames were played: the chart has no items",
       ""},
      {{"render", sales, "-o", "@", "--frames", "@/refused-frames"},
       false,
       1,
       "is not a regular file",
       ""},
      {{"show", sales}, true, 2, "palvexchart show: no display found", ""},
      {{"show", sales, "--bag", "@/nosuch-bag.json"}, false, 2, "nosuch-bag.json", ""},
      {{"render", "@/huge.json", "-o", "@/x.png"},
       false,
       2,
       "huge.json: larger than 256 MiB, the most a chart file may hold",
       ""},
      {{"render", sales, "--bag", "@/huge-bag.json", "-o", "@/x.png"},
       false,
       2,
       "huge-bag.json: larger than 4 MiB, the most a property bag may hold",
       ""},
      {{"render", sales, "--bag", "@/keys-bag.json", "-o", "@/x.png"},
       false,
       2,
       "keys-bag.json: a property bag holds at most 1024 keys (this one 1025)",
       ""},
      {{"script", "@/loop.js", "--timeout", "1"},
       false,
       1,
       "loop.js: script timed out after 1 s",
       ""},
      {{"render", sales, "-o", "@/x.png", "--scale", "4.5"},
       false,
       2,
       "palvexchart render: --scale: give a number from 1 to 4",
       ""},
      {{"render", sales, "-o", "@/x.png", "--png-level", "10"},
       false,
       2,
       "palvexchart render: --png-level: give a whole number from 0 to 9",
       ""},
      {{"render", sales, "-o", "@/x.png", "--lang", "fr"},
       false,
       2,
       "palvexchart render: no translation for the language \"fr\"",
       ""},
  };
  for (const Case& c : cases) {
    QStringList args = c.args;
    args.replaceInStrings(QRegularExpression("^@"), dir.path());
    SCOPED_TRACE(args.join(' ').toStdString());
    QProcess p;
    if (c.withoutDisplay) {
      QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
      for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(name);
      p.setProcessEnvironment(env);
    }
    p.start(PALVEXCHART_BIN, args);
    ASSERT_TRUE(p.waitForFinished(120000));
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), c.exitCode) << err.toStdString();
    EXPECT_TRUE(err.contains(QString::fromUtf8(c.err))) << err.toStdString();
    if (*c.out) {
      EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()), c.out);
    }
  }
  // Nothing was made where the picture could not go.
  EXPECT_FALSE(QFile::exists(dir.filePath("refused-frames")));
}

// The chart's items alone, without its properties.
QString ItemsOnly(const QTemporaryDir& dir, const QString& chart) {
  QFile f(chart);
  f.open(QIODevice::ReadOnly);
  QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
  o.remove("properties");
  return WriteFile(dir, "items.json", QJsonDocument(o).toJson());
}

// Every persisted property away from its default, so that a key the bag
// lost would show in the picture.
const char kEveryProperty[] = R"({
  "width": 480, "height": 300,
  "properties": {
    "MarginTop": 40, "MarginBottom": 60, "MarginLeft": 70, "MarginRight": 30,
    "ContentBorder": false, "Selectable": true, "HotTracking": true,
    "SelectionInformation": true, "DisplayXAxis": true, "DisplayYAxis": false,
    "ColorBars": true, "ChartTitle": "Saved", "ChartSubTitle": "and loaded",
    "AxisLabelX": "month", "AxisLabelY": "rain", "IntersectMinor": 5,
    "BackColor": 2105376, "ForeColor": 65535, "ActiveTheme": 1
  },
  "items": [
    {"ItemID": "1", "XAxisDescription": "Jan", "SelectedDescription": "January", "Value": 190},
    {"ItemID": "2", "XAxisDescription": "Feb", "SelectedDescription": "February", "Value": 152},
    {"ItemID": "3", "XAxisDescription": "Mar", "SelectedDescription": "March", "Value": 70}
  ]
})";

TEST(CommandLine, AChartSavedToABagAndLoadedAgainRendersIdentically) {
  QTemporaryDir charts;
  const QStringList files = {WriteFile(charts, "every.json", kEveryProperty),
                             PALVEX_EXAMPLES_DIR "/sales_cn.json",
                             PALVEX_EXAMPLES_DIR "/rainfall_en.json"};
  for (const QString& chart : files) {
    QTemporaryDir dir;
    const QString bag = dir.filePath("bag.json");
    const ProgramRun saved = Palvexchart({"save-bag", chart, "-o", bag});
    ASSERT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    QFile f(bag);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QJsonObject keys = QJsonDocument::fromJson(f.readAll()).object();
    EXPECT_EQ(keys.size(), 22);
    EXPECT_TRUE(keys.contains("uYAxislabel"));

    const QString items = ItemsOnly(dir, chart);
    ASSERT_EQ(Palvexchart({"render", chart, "-o", dir.filePath("direct.png")}).exitCode, 0);
    // Without the bag the items get a new control's defaults.
    ASSERT_EQ(Palvexchart({"render", items, "-o", dir.filePath("defaults.png")}).exitCode, 0);
    const ProgramRun loaded =
        Palvexchart({"render", items, "--bag", bag, "-o", dir.filePath("loaded.png")});
    ASSERT_EQ(loaded.exitCode, 0) << loaded.err.toStdString();
    const QImage direct(dir.filePath("direct.png"));
    EXPECT_EQ(QImage(dir.filePath("loaded.png")), direct) << chart.toStdString();
    if (chart == files[0]) {
      EXPECT_NE(QImage(dir.filePath("defaults.png")), direct);
    }
  }
}

TEST(CommandLine, ABadBagNamesTheLineOrTheKey) {
  QTemporaryDir dir;
  const QString chart = PALVEX_EXAMPLES_DIR "/sales_cn.json";
  const QString png = dir.filePath("x.png");
  const QString malformed =
      WriteFile(dir, "bad.json", "{\n  \"uTopMargin\": 750,\n  \"uSelectable\": tru\n}");
  ProgramRun r = Palvexchart({"render", chart, "--bag", malformed, "-o", png});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(r.err.contains("line 3")) << r.err.toStdString();

  const QString wrongType = WriteFile(dir, "type.json", R"({"uMaxYValue": [500]})");
  r = Palvexchart({"render", chart, "--bag", wrongType, "-o", png});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains("uMaxYValue")) << r.err.toStdString();
  EXPECT_FALSE(QFile::exists(png));
}

}  // namespace
