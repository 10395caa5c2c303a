#pragma once

#include <QString>
#include <QVariant>

namespace palvex {

class PalvexChart;

// The widget's names for the control's properties, which the renderer takes
// too: lowerCamel, margins in pixels, colours as QColor, the theme as the
// widget's Theme number (Palette follows the application's palette), the
// legend as a state, and the host's styling (bar colours, fonts, the
// amount's unit). Beside the automation names, not instead of them; the
// window's own (animation) is not here.
struct QtFaceProperty {
  enum class Kind {
    QtColor,
    Margin,
    Number,
    Theme,
    Legend,
    BarColors,
    TitleFont,
    LabelFont,
    ValueSuffix,
    ValueDecimals
  };
  const char* name;
  // The automation property it stands for (none for the legend).
  const char* automationName;
  Kind kind;
};

// The property by its exact name, or null for a name that needs no
// conversion (a widget name that is the automation name in lowerCamel).
const QtFaceProperty* FindQtFaceProperty(const QString& name);
// Read and written as the widget reads and writes it: what its types
// cannot hold (a negative or endless margin, an endless number, an invalid
// colour, a theme past Palette) raises Invalid property value (380). A null value puts a
// font or the unit back to the control's own. Fonts read back as the
// chart draws them (family, size, bold, italic).
QVariant ReadQtFaceProperty(PalvexChart& chart, const QtFaceProperty& property);
void WriteQtFaceProperty(PalvexChart& chart, const QtFaceProperty& property, const QVariant& value);

// A property by the widget's name (exactly as spelt), else by its
// automation name in any case, as every Qt face reads and writes it; an
// unknown name raises the control's error. Writes are all or nothing.
QVariant ReadPropertyNamed(PalvexChart& chart, const QString& name);
void WritePropertyNamed(PalvexChart& chart, const QString& name, const QVariant& value);

}  // namespace palvex
