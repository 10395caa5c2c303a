#include "core/qt_face_properties.h"

#include <QColor>
#include <QGuiApplication>
#include <array>
#include <cmath>

#include "control/palvex_chart.h"
#include "core/chart_changes.h"
#include "core/host_look.h"
#include "core/property_access.h"
#include "platform/chart_error.h"
#include "platform/qt/qt_text.h"
#include "theme/themes.h"

namespace palvex {

namespace {

using Kind = QtFaceProperty::Kind;

// Only the names whose type or unit differs from the automation property's:
// every other widget name is the automation name in lowerCamel, which the
// automation lookup takes in any case.
constexpr std::array<QtFaceProperty, 16> kProperties = {{
    {"theme", "ActiveTheme", Kind::Theme},
    {"backColor", "BackColor", Kind::QtColor},
    {"foreColor", "ForeColor", Kind::QtColor},
    {"marginTop", "MarginTop", Kind::Margin},
    {"marginBottom", "MarginBottom", Kind::Margin},
    {"marginLeft", "MarginLeft", Kind::Margin},
    {"marginRight", "MarginRight", Kind::Margin},
    // The control stores any number here (IntersectMinor would keep a NaN).
    {"intersectMajor", "IntersectMajor", Kind::Number},
    {"intersectMinor", "IntersectMinor", Kind::Number},
    {"maxY", "MaxY", Kind::Number},
    {"legendVisible", nullptr, Kind::Legend},
    {"barColors", nullptr, Kind::BarColors},
    {"titleFont", nullptr, Kind::TitleFont},
    {"labelFont", nullptr, Kind::LabelFont},
    {"valueSuffix", nullptr, Kind::ValueSuffix},
    {"valueDecimals", nullptr, Kind::ValueDecimals},
}};

void RefuseUnless(bool valid) {
  if (!valid) throw ChartError(kErrInvalidPropertyValue);
}

}  // namespace

const QtFaceProperty* FindQtFaceProperty(const QString& name) {
  for (const QtFaceProperty& p : kProperties) {
    if (name == QLatin1String(p.name)) return &p;
  }
  return nullptr;
}

QVariant ReadQtFaceProperty(PalvexChart& chart, const QtFaceProperty& property) {
  switch (property.kind) {
    case Kind::Legend:
      return chart.state().legendVisible;
    case Kind::BarColors:
      return QVariant::fromValue(BarColors(chart));
    case Kind::TitleFont:
      return TitleFont(chart);
    case Kind::LabelFont:
      return LabelFont(chart);
    case Kind::ValueSuffix:
      return ValueSuffix(chart);
    case Kind::ValueDecimals:
      return ValueDecimals(chart);
    case Kind::QtColor:
      return ToQColor(static_cast<Color>(
          ReadProperty(chart, PropertyByName(QLatin1String(property.automationName))).ToI4()));
    default:
      return ToQVariant(
          ReadProperty(chart, PropertyByName(QLatin1String(property.automationName))));
  }
}

void WriteQtFaceProperty(PalvexChart& chart, const QtFaceProperty& property,
                         const QVariant& value) {
  if (property.kind == Kind::Legend) {
    RefuseUnless(value.canConvert<bool>());
    const bool visible = value.toBool();
    // A panel already in that state needs no redraw.
    if (visible == chart.state().legendVisible) return;
    chart.ShowLegend(!visible);
    chart.Refresh();
    return;
  }
  const auto font = [&]() -> std::optional<QFont> {
    if (value.isNull()) return std::nullopt;
    RefuseUnless(value.canConvert<QFont>());
    return value.value<QFont>();
  };
  // The host's styling is no property the control redraws for: a finished
  // chart is drawn again with it, so the next picture shows it.
  const auto redrawFinished = [&] {
    if (chart.state().animationDone) chart.Refresh();
  };
  switch (property.kind) {
    case Kind::BarColors:
      RefuseUnless(value.canConvert<QList<QColor>>());
      SetBarColors(chart, value.value<QList<QColor>>());
      return redrawFinished();
    case Kind::TitleFont:
      SetTitleFont(chart, font());
      return redrawFinished();
    case Kind::LabelFont:
      SetLabelFont(chart, font());
      return redrawFinished();
    case Kind::ValueSuffix:
      // As the widget's QString: a list is no text, not an empty one.
      RefuseUnless(value.isNull() || value.canConvert<QString>());
      SetValueSuffix(chart, value.isNull() ? std::nullopt : std::optional(value.toString()));
      return redrawFinished();
    case Kind::ValueDecimals: {
      bool number = false;
      const int decimals = value.toInt(&number);
      RefuseUnless(number);
      SetValueDecimals(chart, decimals);
      return redrawFinished();
    }
    default:
      break;
  }
  QVariant written = value;
  switch (property.kind) {
    case Kind::QtColor:
      RefuseUnless(value.canConvert<QColor>() && value.value<QColor>().isValid());
      written = value.value<QColor>();
      break;
    case Kind::Margin: {
      bool number = false;
      const double pixels = value.toDouble(&number);
      RefuseUnless(number && std::isfinite(pixels) && pixels >= 0);
      written = pixels;
      break;
    }
    case Kind::Number: {
      bool number = false;
      const double v = value.toDouble(&number);
      RefuseUnless(number && std::isfinite(v));
      written = v;
      break;
    }
    case Kind::Theme: {
      bool number = false;
      const int theme = value.toInt(&number);
      RefuseUnless(number && theme >= ThemePersianGulf && theme <= kHostTheme);
      if (theme == kHostTheme) {
        UsePaletteTheme(chart, QGuiApplication::palette());
        return redrawFinished();
      }
      written = theme;
      break;
    }
    default:
      break;
  }
  WriteProperty(chart, PropertyByName(QLatin1String(property.automationName)), ToVariant(written));
}

QVariant ReadPropertyNamed(PalvexChart& chart, const QString& name) {
  if (const QtFaceProperty* face = FindQtFaceProperty(name))
    return ReadQtFaceProperty(chart, *face);
  return ToQVariant(ReadProperty(chart, PropertyByName(name)));
}

void WritePropertyNamed(PalvexChart& chart, const QString& name, const QVariant& value) {
  if (const QtFaceProperty* face = FindQtFaceProperty(name)) {
    AllOrNothing(chart, [&] { WriteQtFaceProperty(chart, *face, value); });
    return;
  }
  const PropertyInfo& property = PropertyByName(name);
  const Variant v = ToVariant(value);
  AllOrNothing(chart, [&] { WriteProperty(chart, property, v); });
}

}  // namespace palvex
