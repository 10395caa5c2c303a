#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPalette>
#include <QString>
#include <optional>

namespace palvex {

class PalvexChart;

// The Qt faces' styling of the chart beyond the control's properties (bar
// colours, fonts, the amount's unit, the palette theme): one
// implementation for the widget, the renderer and Qt Quick. None of it is
// in the property bag. A value the Qt types cannot give the chart raises
// Invalid property value (380) before anything changes.

QList<QColor> BarColors(const PalvexChart& chart);
void SetBarColors(PalvexChart& chart, const QList<QColor>& colors);

// The faces the control draws its titles and its captions in, as QFonts.
QFont ControlTitleFont();
QFont ControlLabelFont();
// The fonts the chart draws its titles and captions in: the host's
// family, size, bold and italic, or the control's.
QFont TitleFont(const PalvexChart& chart);
QFont LabelFont(const PalvexChart& chart);
// Null puts the control's own face back.
void SetTitleFont(PalvexChart& chart, const std::optional<QFont>& font);
void SetLabelFont(PalvexChart& chart, const std::optional<QFont>& font);

QString ValueSuffix(PalvexChart& chart);
// Null puts the translated currency text back.
void SetValueSuffix(PalvexChart& chart, const std::optional<QString>& suffix);
int ValueDecimals(const PalvexChart& chart);
void SetValueDecimals(PalvexChart& chart, int decimals);

// The theme that follows an application's palette: the background from
// Base to Window, text, scale and lines from WindowText, bands a blend of
// the two, bars in Highlight. Sets the colours and, unless the chart
// already shows that theme in those colours, selects the theme (which
// gives the chart the palette's text colour, as every painted theme sets
// its own).
void UsePaletteTheme(PalvexChart& chart, const QPalette& palette);

// Whether the chart shows the palette theme in the palette's colours; the
// renderer, which no palette change reaches, asks before it draws.
bool ShowsPalette(const PalvexChart& chart, const QPalette& palette);

// The palette's part in a window's chart: the palette theme takes its
// colours again, and under Normal, while textFromPalette (the host has set
// no text colour), the text takes the palette's colour that reads on the
// back colour (WindowText, else Text, else black or white). True when the
// chart changed and a finished chart should be drawn again.
bool FollowPalette(PalvexChart& chart, const QPalette& palette, bool textFromPalette);

// Colour contrast as the accessibility guidelines measure it, 1 to 21.
double ContrastRatio(const QColor& a, const QColor& b);

}  // namespace palvex
