// The QML tests, run by Qt Quick Test against the module this build made.
#include <QQmlEngine>
#include <QtQuickTest>

class Setup : public QObject {
  Q_OBJECT
 public slots:
  void qmlEngineAvailable(QQmlEngine* engine) { engine->addImportPath(PALVEX_QML_DIR); }
};

QUICK_TEST_MAIN_WITH_SETUP(palvexchart, Setup)

#include "quick_test_main.moc"
