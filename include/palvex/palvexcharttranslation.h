#pragma once

/// \file
/// The chart's own texts (its menus, tool tip, save dialog and messages,
/// the information label's words and currency, the default subtitle, the
/// about window) are Chinese unless the application installs a translation.
/// They go through Qt's translation system in the context "PalvexChart",
/// with the Chinese text as the source text, so any QTranslator the
/// application installs may carry them too.

#include <palvex/palvexcore_export.h>
#include <QLocale>

/// Installs the chart's own translation for the locale's languages (the
/// package ships English), replacing the one installed before. False when
/// there is none for them: the chart then shows its Chinese texts. Needs a
/// QCoreApplication; install before making charts, or a chart keeps the
/// default subtitle it was made with (menus, tips and the label follow at
/// once).
PALVEX_CORE_EXPORT bool installPalvexChartTranslator(const QLocale& locale = QLocale());
/// Removes what installPalvexChartTranslator installed.
PALVEX_CORE_EXPORT void removePalvexChartTranslator();
