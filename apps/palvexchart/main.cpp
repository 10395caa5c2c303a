// palvexchart: renders, shows and scripts the chart control from the
// command line.
#include <palvex/palvexversion.h>

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QJsonDocument>
#include <cstdio>
#include <cstdlib>
#include <optional>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "chart_file.h"
#include "command_modules.h"
#include "core/chart_picture.h"
#include "language.h"
#include "platform/chart_error.h"
#include "platform/clock.h"
#include "platform/qt/image_io.h"
#include "platform/qt/json_property_bag.h"
#include "platform/qt/save_target.h"
#include "render.h"
#include "typelib_command.h"

namespace {

constexpr int kExitControlError = 1;
constexpr int kExitUsage = 2;

void PrintUsage(std::FILE* to = stderr) {
  std::fputs(
      "usage: palvexchart <command> [arguments]\n"
      "\n"
      "  render CHART.json -o OUT.png|OUT.bmp|OUT.svg|OUT.pdf [--scale S] [--bag BAG.json]\n"
      "         [--state] [--frames DIR] [--real-time] [--png-level N] [--lang en]\n"
      "           draws a chart file without a window and writes the control's picture;\n"
      "           .svg and .pdf draw it as shapes and text, one page the chart's size;\n"
      "           --scale S (1 to 4, fractions too) draws pictures and frames with S\n"
      "           times the pixels each way;\n"
      "           --bag loads a saved control from its property bag instead of the\n"
      "           defaults, the chart file's properties and items go on top;\n"
      "           --state also prints every property and the layout values as JSON;\n"
      "           --frames writes the bars' growth as DIR/frame-01.png ... frame-10.png;\n"
      "           --real-time waits between the frames as a window does (0.7 s in all);\n"
      "           --png-level N compresses PNG pictures and frames at zlib level N:\n"
      "           1 writes fastest (a third sooner than the default 6, a fifth larger),\n"
      "           9 smallest, 0 not at all;\n"
      "           --lang en shows the chart's own texts (default subtitle, label) in English\n"
      "  save-bag CHART.json -o BAG.json\n"
      "           writes the property bag of the control a chart file describes\n"
      "  show CHART.json [--bag BAG.json] [--lang en]\n"
      "           opens the chart file in a window: the bars grow, the right button\n"
      "           opens the context menu; --bag and --lang as for render\n"
      "  script FILE.js [--timeout SECONDS]\n"
      "           runs a JavaScript file against a new control, late-bound by name;\n"
      "           stops it after SECONDS (60 unless given, 0 for no limit)\n"
      "  typelib [--json]\n"
      "           prints the control's type library as IDL, or as JSON\n"
      "  help     prints this text; --version prints the program's version\n",
      to);
}

// What a command line without its chart file or its -o gets told.
bool HasChartAndOutput(const char* command, const QCommandLineParser& parser,
                       const QCommandLineOption& out, const char* outputs) {
  const qsizetype charts = parser.positionalArguments().size();
  if (charts != 1) {
    std::fprintf(stderr, "palvexchart %s: give one chart file (%lld given)\n", command,
                 static_cast<long long>(charts));
  } else if (!parser.isSet(out)) {
    std::fprintf(stderr, "palvexchart %s: missing -o %s\n", command, outputs);
  } else {
    return true;
  }
  std::fputs("see \"palvexchart help\"\n", stderr);
  return false;
}

int ControlError(const palvex::ChartError& e) {
  std::fprintf(stderr, "palvexchart: %s\n", qPrintable(palvex::RunTimeErrorText(e)));
  return kExitControlError;
}

int Render(const QStringList& args) {
  QCommandLineParser parser;
  parser.addPositionalArgument("chart", "chart file (JSON)");
  QCommandLineOption out({"o", "output"}, "picture to write (.png, .bmp, .svg or .pdf)", "file");
  QCommandLineOption scale("scale", "pixels per chart pixel each way, 1 to 4", "factor", "1");
  QCommandLineOption state("state", "print properties and layout as JSON");
  QCommandLineOption bag("bag", "property bag of a saved control (JSON)", "file");
  QCommandLineOption frames("frames", "write the growth animation's frames into a folder",
                            "folder");
  QCommandLineOption realTime("real-time", "wait between animation frames in real time");
  QCommandLineOption pngLevel("png-level", "zlib level of PNG pictures, 0 to 9", "level");
  parser.addOption(out);
  parser.addOption(scale);
  parser.addOption(state);
  parser.addOption(bag);
  parser.addOption(frames);
  parser.addOption(realTime);
  parser.addOption(pngLevel);
  const QCommandLineOption lang = palvex::LanguageOption();
  parser.addOption(lang);
  if (!parser.parse(args)) {
    std::fprintf(stderr, "palvexchart render: %s\n", qPrintable(parser.errorText()));
    return kExitUsage;
  }
  if (!palvex::UseLanguage("render", parser, lang)) return kExitUsage;
  if (!HasChartAndOutput("render", parser, out, "OUT.png|OUT.bmp|OUT.svg|OUT.pdf"))
    return kExitUsage;
  bool scaleIsNumber = false;
  const double pictureScale = parser.value(scale).toDouble(&scaleIsNumber);
  if (!scaleIsNumber || !(pictureScale >= 1 && pictureScale <= 4)) {
    std::fprintf(stderr, "palvexchart render: --scale: give a number from 1 to 4 (not \"%s\")\n",
                 qPrintable(parser.value(scale)));
    return kExitUsage;
  }
  int quality = -1;
  if (parser.isSet(pngLevel)) {
    bool isNumber = false;
    const int level = parser.value(pngLevel).toInt(&isNumber);
    if (!isNumber || level < 0 || level > 9) {
      std::fprintf(
          stderr, "palvexchart render: --png-level: give a whole number from 0 to 9 (not \"%s\")\n",
          qPrintable(parser.value(pngLevel)));
      return kExitUsage;
    }
    quality = palvex::PngQualityOfLevel(level);
  }
  const QStringList pos = parser.positionalArguments();
  palvex::ChartFile file;
  try {
    file = palvex::LoadChartFile(pos[0]);
  } catch (const palvex::ChartFileError& e) {
    std::fprintf(stderr, "palvexchart: %s\n", e.what());
    return kExitUsage;
  }
  // Refused before anything is drawn or a frame written.
  if (const QString refused = palvex::RefusedSaveTarget(parser.value(out)); !refused.isEmpty()) {
    std::fprintf(stderr, "palvexchart: cannot write %s\n", qPrintable(refused));
    return kExitControlError;
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
  // The whole life runs at the scale, as in a window on such a screen.
  host.SetDevicePixelRatio(pictureScale);
  // Nobody watches a headless render: frames follow at once unless asked.
  palvex::SteadyClock steadyClock;
  if (parser.isSet(realTime)) host.SetClock(&steadyClock);
  palvex::FrameWriter frameWriter(parser.value(frames), quality);
  palvex::FrameSink onFrame;
  if (parser.isSet(frames)) onFrame = [&](const QImage& frame) { frameWriter(frame); };
  try {
    auto chart = palvex::RenderChart(file, host, saved ? &*saved : nullptr, onFrame);
    if (!frameWriter.error().isEmpty()) {
      std::fprintf(stderr, "palvexchart: cannot write %s\n", qPrintable(frameWriter.error()));
      return kExitControlError;
    }
    const QString error =
        palvex::SaveChartPicture(*chart, parser.value(out), nullptr, pictureScale, quality);
    if (!error.isEmpty()) {
      std::fprintf(stderr, "palvexchart: cannot write %s\n", qPrintable(error));
      return kExitControlError;
    }
    if (parser.isSet(state)) {
      std::fputs(QJsonDocument(palvex::ChartStateJson(*chart)).toJson().constData(), stdout);
    }
    if (parser.isSet(frames) && frameWriter.written() == 0) {
      std::fprintf(stderr, "palvexchart: --frames: no frames were played%s\n",
                   file.items.empty() ? ": the chart has no items" : "");
    }
  } catch (const palvex::ChartError& e) {
    return ControlError(e);
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
  if (!HasChartAndOutput("save-bag", parser, out, "BAG.json")) return kExitUsage;
  const QString chartPath = parser.positionalArguments()[0];
  try {
    std::optional<palvex::NamedChartError> growthFailure;
    palvex::SaveBagOf(palvex::LoadChartFile(chartPath), &growthFailure).Save(parser.value(out));
    // The control goes on after a failed animation and so does the bag;
    // the user still hears of it, as render would refuse this chart.
    if (growthFailure) {
      std::fprintf(stderr, "palvexchart save-bag: the bars' growth failed (%s); bag written\n",
                   qPrintable(palvex::RunTimeErrorText(*growthFailure)));
    }
  } catch (const palvex::ChartFileError& e) {
    std::fprintf(stderr, "palvexchart: %s\n", e.what());
    return kExitUsage;
  } catch (const palvex::ChartError& e) {
    return ControlError(e);
  }
  return 0;
}

// Qt ends the program when its window platform finds no display, so that
// is checked first, from the variables the X and Wayland platforms connect
// with; other platforms (offscreen, vnc, ...) need none.
bool HasDisplay() {
  const bool x = !qEnvironmentVariableIsEmpty("DISPLAY");
  const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (platform.isEmpty()) return x || wayland;
  if (platform.startsWith("xcb")) return x;
  if (platform.startsWith("wayland")) return wayland;
  return true;
}

// Qt reads arguments as UTF-8 and turns bytes that are not into U+FFFD: a
// file named so would be read or written under another name (perhaps an
// existing file's). The index of the first such argument, or 0.
int FirstNonUtf8Argument(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const QByteArray given(argv[i]);
    if (QString::fromLocal8Bit(given).toLocal8Bit() != given) return i;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const QString command = argc >= 2 ? QString::fromLocal8Bit(argv[1]) : QString();
  if (command == "--version") {
    std::puts("palvexchart " PALVEX_VERSION_STR);
    return 0;
  }
  if (const int bad = FirstNonUtf8Argument(argc, argv)) {
    std::fprintf(stderr,
                 "palvexchart: argument %d is not UTF-8 text; a file cannot be named by it "
                 "exactly, so nothing was read or written\n",
                 bad);
    return kExitUsage;
  }
  if (command == "show") {
    if (!HasDisplay()) {
      std::fputs(
          "palvexchart show: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set);\n"
          "\"palvexchart render\" draws the chart without one\n",
          stderr);
      return kExitUsage;
    }
    return palvex::RunCommandModule(palvex::kShowModule, palvex::kShowEntry, argc, argv);
  }
  // Everything else needs fonts but no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (command == "script")
    return palvex::RunCommandModule(palvex::kScriptModule, palvex::kScriptEntry, argc, argv);
#if defined(__GLIBC__)
  // These commands live for a picture or two: memory they free is better
  // kept for their next allocation than given back to the system and
  // faulted in again page by page (a tenth of the faults of a render).
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
  QGuiApplication app(argc, argv);
  QStringList args = app.arguments();
  if (args.size() >= 2) args.removeAt(1);
  if (command == "render") return Render(args);
  if (command == "save-bag") return SaveBag(args);
  if (command == "typelib") return palvex::TypelibCommand(args);
  if (command == "help" || command == "--help" || command == "-h") {
    PrintUsage(stdout);
    return 0;
  }
  if (command.isEmpty()) {
    PrintUsage();
  } else {
    std::fprintf(stderr, "palvexchart: unknown command \"%s\"; see \"palvexchart help\"\n",
                 qPrintable(command));
  }
  return kExitUsage;
}
