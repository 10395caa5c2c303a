#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace palvex {

// The --lang option of the commands that show the chart's own texts.
QCommandLineOption LanguageOption();
// Installs the chart's translation for the language the option names (the
// Chinese texts need none); false, with a message, when there is none.
bool UseLanguage(const char* command, const QCommandLineParser& parser,
                 const QCommandLineOption& option);

}  // namespace palvex
