#include <palvex/palvexcharttranslation.h>

#include <QCoreApplication>
#include <QPointer>
#include <QTranslator>

namespace {

// Owned by the application, so it goes when the application does.
QPointer<QTranslator>& Installed() {
  static QPointer<QTranslator> translator;
  return translator;
}

}  // namespace

bool installPalvexChartTranslator(const QLocale& locale) {
  removePalvexChartTranslator();
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return false;
  auto* translator = new QTranslator(app);
  // Chinese is the source language: it has no file, and needs none.
  if (!translator->load(locale, QStringLiteral("palvexchart"), QStringLiteral("_"),
                        QStringLiteral(":/palvex/i18n")) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  Installed() = translator;
  return true;
}

void removePalvexChartTranslator() {
  delete Installed().data();  // removes itself from the application
}
