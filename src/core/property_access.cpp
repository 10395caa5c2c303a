#include "core/property_access.h"

#include <QColor>

#include "control/automation/dispatch.h"
#include "platform/chart_error.h"
#include "platform/qt/qt_text.h"

namespace palvex {

namespace {

Variant Invoke(PalvexChart& chart, const PropertyInfo& property, std::uint16_t flags,
               std::span<Variant> args) {
  Variant result;
  ErrorInfo error;
  if (Dispatch(chart).Invoke(property.dispid, flags, args, &result, &error) != status::kOk)
    throw ChartError(error.number, error.description);
  return result;
}

}  // namespace

const PropertyInfo& PropertyByName(const QString& name) {
  const PropertyInfo* property = FindProperty(FromQString(name));
  if (!property) {
    throw ChartError(kErrNoSuchMember, "no property \"" + name.toStdString() +
                                           "\": " + ErrorMessage(kErrNoSuchMember));
  }
  return *property;
}

Variant ReadProperty(PalvexChart& chart, const PropertyInfo& property) {
  return Invoke(chart, property, kInvokePropertyGet, {});
}

void WriteProperty(PalvexChart& chart, const PropertyInfo& property, Variant value) {
  Invoke(chart, property, kInvokePropertyPut, std::span<Variant>(&value, 1));
}

Variant ToVariant(const QVariant& value) {
  switch (value.typeId()) {
    case QMetaType::Bool:
      return Variant::Boolean(value.toBool());
    case QMetaType::QString:
      return Variant::Text(FromQString(value.toString()));
    case QMetaType::Short:
      return Variant::Short(value.value<short>());
    case QMetaType::Int:
      return Variant::Long(value.toInt());
    case QMetaType::UInt:
      return Variant::Unsigned(value.toUInt());
    case QMetaType::Float:
      return Variant::Single(value.toFloat());
    case QMetaType::QColor: {
      const QColor color = value.value<QColor>();
      if (!color.isValid()) throw ChartError(kErrInvalidPropertyValue);
      return Variant::Unsigned(FromQRgb(color.rgb()));
    }
    default:
      break;
  }
  bool number = false;
  const double d = value.toDouble(&number);
  if (!number) throw ChartError(kErrTypeMismatch);
  return Variant::Double(d);
}

QVariant ToQVariant(const Variant& value) {
  switch (value.type()) {
    case VarType::Bool:
      return value.ToBool();
    case VarType::String:
      return ToQString(value.ToText());
    case VarType::I2:
    case VarType::I4:
      return value.ToI4();
    case VarType::UI4:
      return value.ToUI4();
    case VarType::Empty:
      return {};
    default:
      return value.ToR8();
  }
}

}  // namespace palvex
