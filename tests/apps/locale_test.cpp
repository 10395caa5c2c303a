// The real program under a comma-decimal locale. A Qt program adopts the
// environment's locale at start-up, so every number the control writes or
// reads as text must come out as it does in the C locale.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <map>
#include <string>

namespace {

constexpr char kCommaLocale[] = "de_DE.UTF-8";

// Script coercions between numbers and text, each printed as read back.
constexpr char kCoercions[] = R"(
chart.IntersectMinor = "0.5";
chart.MaxY = " 1.25E3 ";
chart.MarginTop = "&H10";
chart.ChartTitle = 1234.5;
chart.ChartSubTitle = 1.5e-7;
chart.AddItem({ ItemID: "2", XAxisDescription: 0.25, SelectedDescription: "x", Value: "12.75" });
print(chart.IntersectMinor, chart.MaxY, chart.MarginTop, chart.ChartTitle, chart.ChartSubTitle);
host.resize(400, 300);
host.show();
host.tick();
host.saveImage("coercions.png");
)";
constexpr char kCoercionsRead[] = "0.5 1500 16 1234.5 1.5E-07\n";

// A saved control whose numbers are text and whose texts are numbers.
constexpr char kTextualBag[] = R"({
  "uIntersectMinor": "0.5", "uIntersectMajor": "2.5", "uTopMargin": "1500.75",
  "uChartTitle": 0.1, "uChartSubTitle": 12345678901234567, "uMaxY": "1E3"
})";

// What one run leaves: exit code, both streams, and every file written
// below its folder, by relative path. Qt's own start-up warnings on stderr
// may name the locale, so only the rest is compared.
struct Outcome {
  int exitCode = -1;
  QByteArray out, err;
  std::map<QString, QByteArray> files;
};

std::string Names(const std::map<QString, QByteArray>& files) {
  std::string names;
  for (const auto& entry : files) names += entry.first.toStdString() + " ";
  return names;
}

// Runs the program in `locale` with {dir} in the arguments replaced by a
// fresh folder, which is also the working directory.
Outcome RunIn(const char* locale, QStringList args) {
  QTemporaryDir dir;
  for (QString& a : args) a.replace("{dir}", dir.path());
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("LC_ALL", locale);
  env.insert("QT_QPA_PLATFORM", "offscreen");
  p.setProcessEnvironment(env);
  p.setWorkingDirectory(dir.path());
  p.start(PALVEXCHART_BIN, args);
  p.waitForFinished(120000);
  Outcome o{p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError(), {}};
  for (QDirIterator it(dir.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
    QFile f(it.next());
    f.open(QIODevice::ReadOnly);
    o.files[QDir(dir.path()).relativeFilePath(f.fileName())] = f.readAll();
  }
  return o;
}

QString WriteFile(const QTemporaryDir& dir, const char* name, const QByteArray& text) {
  QFile f(dir.filePath(name));
  f.open(QIODevice::WriteOnly);
  f.write(text);
  return f.fileName();
}

bool LocaleInstalled(const char* locale) {
  const std::string before = std::setlocale(LC_ALL, nullptr);
  const bool installed = std::setlocale(LC_ALL, locale) != nullptr;
  std::setlocale(LC_ALL, before.c_str());
  return installed;
}

TEST(Locale, EveryCommandWritesTheSameBytesUnderACommaDecimalLocale) {
  ASSERT_TRUE(LocaleInstalled(kCommaLocale))
      << kCommaLocale << " is not installed: run scripts/setup.sh as root";
  QTemporaryDir inputs;
  const QString coercions = WriteFile(inputs, "coercions.js", kCoercions);
  const QString bag = WriteFile(inputs, "bag.json", kTextualBag);
  const QString sales = PALVEX_EXAMPLES_DIR "/sales_cn.json";

  std::vector<QStringList> commands = {
      {"script", coercions},
      {"render", sales, "--bag", bag, "-o", "{dir}/bag.png", "--state"},
      {"typelib"},
      {"typelib", "--json"},
  };
  const QDir examples(PALVEX_EXAMPLES_DIR);
  for (const QString& chart : examples.entryList({"*.json"})) {
    const QString path = examples.filePath(chart);
    commands.push_back({"render", path, "-o", "{dir}/chart.png", "--state", "--frames", "{dir}"});
    commands.push_back({"save-bag", path, "-o", "{dir}/bag.json"});
  }
  for (const QString& script : examples.entryList({"*.js"})) {
    commands.push_back({"script", examples.filePath(script)});
  }

  for (const QStringList& args : commands) {
    SCOPED_TRACE(args.join(' ').toStdString());
    const Outcome c = RunIn("C", args);
    ASSERT_EQ(c.exitCode, 0) << c.err.toStdString();
    const Outcome comma = RunIn(kCommaLocale, args);
    EXPECT_EQ(comma.exitCode, c.exitCode) << comma.err.toStdString();
    EXPECT_EQ(comma.out.toStdString(), c.out.toStdString());
    ASSERT_EQ(Names(comma.files), Names(c.files));
    for (const auto& [name, bytes] : c.files) {
      EXPECT_TRUE(comma.files.at(name) == bytes) << name.toStdString() << " differs";
    }
    if (args[0] == "script" && args[1] == coercions) {
      EXPECT_EQ(c.out.toStdString(), kCoercionsRead);
    }
  }
}

}  // namespace
