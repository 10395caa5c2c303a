// palvexchart: renders, shows and scripts the chart control from the
// command line.
#include <QApplication>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QJsonDocument>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "chart_file.h"
#include "platform/chart_error.h"
#include "platform/clock.h"
#include "platform/qt/image_io.h"
#include "platform/qt/json_property_bag.h"
#include "render.h"
#include "script_host.h"
#include "show.h"
#include "typelib_command.h"

namespace {

constexpr int kExitControlError = 1;
constexpr int kExitUsage = 2;

void PrintUsage(std::FILE* to = stderr) {
  std::fputs(
      "usage: palvexchart <command> [arguments]\n"
      "\n"
      "  render CHART.json -o OUT.png|OUT.bmp [--bag BAG.json] [--state] [--frames DIR]\n"
      "         [--real-time]\n"
      "           draws a chart file without a window and writes the control's picture;\n"
      "           --bag loads a saved control from its property bag instead of the\n"
      "           defaults, the chart file's properties and items go on top;\n"
      "           --state also prints every property and the layout values as JSON;\n"
      "           --frames writes the bars' growth as DIR/frame-01.png ... frame-10.png;\n"
      "           --real-time waits between the frames as a window does (0.7 s in all)\n"
      "  save-bag CHART.json -o BAG.json\n"
      "           writes the property bag of the control a chart file describes\n"
      "  show CHART.json\n"
      "           opens the chart file in a window: the bars grow, the right button\n"
      "           opens the context menu\n"
      "  script FILE.js\n"
      "           runs a JavaScript file against a new control, late-bound by name\n"
      "  typelib [--json]\n"
      "           prints the control's type library as IDL, or as JSON\n"
      "  help     prints this text\n",
      to);
}

int Render(const QStringList& args) {
  QCommandLineParser parser;
  parser.addPositionalArgument("chart", "chart file (JSON)");
  QCommandLineOption out({"o", "output"}, "picture to write (.png or .bmp)", "file");
  QCommandLineOption state("state", "print properties and layout as JSON");
  QCommandLineOption bag("bag", "property bag of a saved control (JSON)", "file");
  QCommandLineOption frames("frames", "write the growth animation's frames into a folder",
                            "folder");
  QCommandLineOption realTime("real-time", "wait between animation frames in real time");
  parser.addOption(out);
  parser.addOption(state);
  parser.addOption(bag);
  parser.addOption(frames);
  parser.addOption(realTime);
  if (!parser.parse(args)) {
    std::fprintf(stderr, "palvexchart render: %s\n", qPrintable(parser.errorText()));
    return kExitUsage;
  }
  const QStringList pos = parser.positionalArguments();
  if (pos.size() != 1 || !parser.isSet(out)) {
    PrintUsage();
    return kExitUsage;
  }
  palvex::ChartFile file;
  try {
    file = palvex::LoadChartFile(pos[0]);
  } catch (const palvex::ChartFileError& e) {
    std::fprintf(stderr, "palvexchart: %s: %s\n", qPrintable(pos[0]), e.what());
    return kExitUsage;
  }
  std::optional<palvex::JsonPropertyBag> saved;
  if (parser.isSet(bag)) {
    try {
      saved = palvex::JsonPropertyBag::Load(parser.value(bag));
    } catch (const palvex::ChartError& e) {
      std::fprintf(stderr, "palvexchart: %s\n", e.what());
      return kExitUsage;
    }
  }
  palvex::HeadlessHost host;
  // Nobody watches a headless render: frames follow at once unless asked.
  palvex::SteadyClock steadyClock;
  if (parser.isSet(realTime)) host.SetClock(&steadyClock);
  palvex::FrameWriter frameWriter(parser.value(frames));
  palvex::FrameSink onFrame;
  if (parser.isSet(frames)) onFrame = [&](const QImage& frame) { frameWriter(frame); };
  try {
    auto chart = palvex::RenderChart(file, host, saved ? &*saved : nullptr, onFrame);
    if (!frameWriter.error().isEmpty()) {
      std::fprintf(stderr, "palvexchart: cannot write %s\n", qPrintable(frameWriter.error()));
      return kExitControlError;
    }
    const QString error =
        palvex::SaveImageAtomically(palvex::ImageOf(*chart->state().surface), parser.value(out));
    if (!error.isEmpty()) {
      std::fprintf(stderr, "palvexchart: cannot write %s\n", qPrintable(error));
      return kExitControlError;
    }
    if (parser.isSet(state)) {
      std::fputs(QJsonDocument(palvex::ChartStateJson(*chart)).toJson().constData(), stdout);
    }
  } catch (const palvex::ChartError& e) {
    std::fprintf(stderr, "palvexchart: run-time error %d: %s\n", e.number(), e.what());
    return kExitControlError;
  } catch (const palvex::ChartFileError& e) {
    std::fprintf(stderr, "palvexchart: %s: %s\n", qPrintable(pos[0]), e.what());
    return kExitUsage;
  }
  return 0;
}

int SaveBag(const QStringList& args) {
  QCommandLineParser parser;
  parser.addPositionalArgument("chart", "chart file (JSON)");
  QCommandLineOption out({"o", "output"}, "property bag to write (JSON)", "file");
  parser.addOption(out);
  if (!parser.parse(args)) {
    std::fprintf(stderr, "palvexchart save-bag: %s\n", qPrintable(parser.errorText()));
    return kExitUsage;
  }
  const QStringList pos = parser.positionalArguments();
  if (pos.size() != 1 || !parser.isSet(out)) {
    PrintUsage();
    return kExitUsage;
  }
  try {
    const palvex::ChartFile file = palvex::LoadChartFile(pos[0]);
    palvex::HeadlessHost host;
    auto chart = palvex::RenderChart(file, host);
    palvex::JsonPropertyBag bag;
    chart->WriteProperties(bag);
    bag.Save(parser.value(out));
  } catch (const palvex::ChartFileError& e) {
    std::fprintf(stderr, "palvexchart: %s: %s\n", qPrintable(pos[0]), e.what());
    return kExitUsage;
  } catch (const palvex::ChartError& e) {
    std::fprintf(stderr, "palvexchart: run-time error %d: %s\n", e.number(), e.what());
    return kExitControlError;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const QString command = argc >= 2 ? QString::fromLocal8Bit(argv[1]) : QString();
  if (command == "show") {
    // A window needs the platform's display.
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeAt(1);
    return palvex::ShowChart(args);
  }
  // Everything else needs fonts but no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QStringList args = app.arguments();
  if (args.size() >= 2) args.removeAt(1);
  if (command == "render") return Render(args);
  if (command == "save-bag") return SaveBag(args);
  if (command == "script") return palvex::ScriptCommand(args.mid(1));
  if (command == "typelib") return palvex::TypelibCommand(args);
  if (command == "help" || command == "--help" || command == "-h") {
    PrintUsage(stdout);
    return 0;
  }
  PrintUsage();
  return kExitUsage;
}
