#include "language.h"

#include <palvex/palvexcharttranslation.h>

#include <cstdio>

namespace palvex {

QCommandLineOption LanguageOption() {
  return QCommandLineOption("lang", "language of the chart's own texts (en; zh, the default)",
                            "language");
}

bool UseLanguage(const char* command, const QCommandLineParser& parser,
                 const QCommandLineOption& option) {
  if (!parser.isSet(option)) return true;
  const QString name = parser.value(option);
  const QLocale locale(name);
  if (locale.language() == QLocale::Chinese || installPalvexChartTranslator(locale)) return true;
  std::fprintf(stderr, "palvexchart %s: no translation for the language \"%s\"\n", command,
               qPrintable(name));
  return false;
}

}  // namespace palvex
