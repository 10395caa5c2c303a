// Loads the rainfall window. With --smoke (as CI runs it) the window shows
// once, checks that the chart follows the model and the theme switch,
// optionally saves a screenshot, and exits: 0 when all of that worked.
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  QCommandLineParser parser;
  parser.addHelpOption();
  const QCommandLineOption smoke("smoke", "show once, check the chart, exit");
  const QCommandLineOption screenshot("screenshot", "with --smoke: save the window to FILE",
                                      "FILE");
  parser.addOptions({smoke, screenshot});
  parser.process(app);

  QQmlApplicationEngine engine;
  // The module's folder when the package is not in Qt's own prefix.
  engine.addImportPath(QStringLiteral(PALVEX_QML_IMPORT_DIR));
  engine.load(QUrl(QStringLiteral("qrc:/main.qml")));
  if (engine.rootObjects().isEmpty()) return 1;
  if (!parser.isSet(smoke)) return QGuiApplication::exec();

  auto* window = qobject_cast<QQuickWindow*>(engine.rootObjects().first());
  auto* chart = window->findChild<QQuickItem*>("chart");
  int result = 1;
  QTimer::singleShot(1500, [&] {
    // The model's twelve months are the chart's bars; a theme from the
    // switch reaches the chart.
    QObject* themes = window->findChild<QObject*>("themes");
    themes->setProperty("currentIndex", 1);
    QMetaObject::invokeMethod(themes, "activated", Q_ARG(int, 1));
    if (chart->property("count").toInt() != 12) {
      std::fprintf(stderr, "quick: the chart has %d bars\n", chart->property("count").toInt());
    } else if (chart->property("theme").toInt() != 1) {
      std::fprintf(stderr, "quick: the theme switch did not reach the chart\n");
    } else {
      result = 0;
    }
    if (parser.isSet(screenshot)) window->grabWindow().save(parser.value(screenshot));
    QGuiApplication::quit();
  });
  QGuiApplication::exec();
  return result;
}
