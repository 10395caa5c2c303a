#include "chart_file.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

#include "control/property_table.h"
#include "core/property_access.h"
#include "platform/chart_error.h"
#include "platform/qt/json_error_line.h"
#include "platform/qt/json_marks.h"
#include "platform/qt/qt_text.h"

namespace palvex {

namespace {

// A host may size the control up to 16384 pixels a side, but a file alone
// must not make it allocate a gigabyte picture: 4096 a side is 64 MB.
constexpr int kMaxSidePx = 4096;
// As many columns as a 16-bit client can index; each costs a bar, a
// caption and a legend entry in every pass.
constexpr qsizetype kMaxItems = 32767;

[[noreturn]] void Fail(const QString& message) {
  throw ChartFileError(message.toStdString());
}

double NumberOf(const QJsonValue& v, const QString& key) {
  if (!v.isDouble()) Fail(QStringLiteral("\"%1\" must be a number").arg(key));
  return v.toDouble();
}

bool BoolOf(const QJsonValue& v, const QString& key) {
  if (!v.isBool()) Fail(QStringLiteral("\"%1\" must be true or false").arg(key));
  return v.toBool();
}

std::u16string TextOf(const QJsonValue& v, const QString& key) {
  if (!v.isString()) Fail(QStringLiteral("\"%1\" must be a string").arg(key));
  return FromQString(v.toString());
}

// A whole number within [low, high]; colours may be written unsigned
// (0x80000005 = 2147483653), other 32-bit values only signed.
void CheckWhole(const QJsonValue& v, const QString& key, double low, double high) {
  double d = NumberOf(v, key);
  if (d != std::floor(d) || d < low || d > high)
    Fail(QStringLiteral("\"%1\" must be a whole 32-bit number").arg(key));
}

int SideOf(const QJsonObject& o, const QString& key, int fallback) {
  if (!o.contains(key)) return fallback;
  double d = NumberOf(o.value(key), key);
  if (d != std::floor(d) || d < 1 || d > kMaxSidePx)
    Fail(QStringLiteral("\"%1\" must be a whole number of pixels from 1 to %2")
             .arg(key)
             .arg(kMaxSidePx));
  return static_cast<int>(d);
}

// A public property by its name, matched as a late-bound host matches it;
// methods and unknown names are refused.
const PropertyInfo& PropertyNamed(const QString& name) {
  const PropertyInfo* property = FindProperty(FromQString(name));
  if (!property) Fail(QStringLiteral("unknown property \"%1\"").arg(name));
  return *property;
}

// A file is stricter than a script: the JSON type must already be the
// property's type, so a typo'd value is caught before anything is drawn.
Variant ValueOf(const PropertyInfo& property, const QJsonValue& v, const QString& key) {
  switch (property.type) {
    case TypeId::Bool:
      return Variant::Boolean(BoolOf(v, key));
    case TypeId::String:
      return Variant::Text(TextOf(v, key));
    case TypeId::I4:
    case TypeId::ThemeEnum:
      CheckWhole(v, key, -2147483648.0, 2147483647.0);
      break;
    case TypeId::OleColor:
      CheckWhole(v, key, -2147483648.0, 4294967295.0);
      break;
    default:
      NumberOf(v, key);
      break;
  }
  return Variant::Double(v.toDouble());
}

ChartItem ItemOf(const QJsonValue& v, int index) {
  const QString where = QStringLiteral("items[%1]").arg(index);
  if (!v.isObject()) Fail(QStringLiteral("\"%1\" must be an object").arg(where));
  const QJsonObject o = v.toObject();
  static const QStringList kKeys = {"ItemID", "SelectedDescription", "XAxisDescription", "Value"};
  for (const QString& key : o.keys()) {
    if (!kKeys.contains(key)) Fail(QStringLiteral("unknown key \"%1.%2\"").arg(where, key));
  }
  ChartItem item;
  auto text = [&](const QString& key) {
    return o.contains(key) ? TextOf(o.value(key), where + "." + key) : std::u16string();
  };
  item.ItemID = text("ItemID");
  item.SelectedDescription = text("SelectedDescription");
  item.XAxisDescription = text("XAxisDescription");
  if (o.contains("Value")) item.Value = NumberOf(o.value("Value"), where + ".Value");
  return item;
}

}  // namespace

ChartFile ParseChartFile(const QByteArray& given) {
  const QByteArray json = EscapedByteOrderMarks(given);
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
  if (error.error != QJsonParseError::NoError) {
    Fail(QStringLiteral("line %1: %2").arg(JsonErrorLine(json, error)).arg(error.errorString()));
  }
  if (!doc.isObject()) Fail(QStringLiteral("the chart file must hold one JSON object"));
  const QJsonObject root = doc.object();
  for (const QString& key : root.keys()) {
    if (key != "width" && key != "height" && key != "properties" && key != "items")
      Fail(QStringLiteral("unknown key \"%1\"").arg(key));
  }
  ChartFile file;
  file.width = SideOf(root, "width", file.width);
  file.height = SideOf(root, "height", file.height);
  if (root.contains("properties")) {
    if (!root.value("properties").isObject())
      Fail(QStringLiteral("\"properties\" must be an object"));
    // Written in the file's order, each name as often as the file gives it.
    file.properties = MembersInOrder(json, QStringLiteral("properties"));
  }
  if (root.contains("items")) {
    if (!root.value("items").isArray()) Fail(QStringLiteral("\"items\" must be an array"));
    const QJsonArray items = root.value("items").toArray();
    if (items.size() > kMaxItems)
      Fail(QStringLiteral("\"items\" holds more than %1 items").arg(kMaxItems));
    for (int i = 0; i < items.size(); ++i) file.items.push_back(ItemOf(items[i], i));
  }
  // Unknown names and wrong types are refused before anything is drawn.
  for (const ChartProperty& p : file.properties) {
    ValueOf(PropertyNamed(p.name), p.value, QStringLiteral("properties.") + p.name);
  }
  return file;
}

ChartFile LoadChartFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly))
    Fail(QStringLiteral("cannot read %1: %2").arg(path, f.errorString()));
  // A pipe tells no size: what is read stops one byte past the bound.
  const QByteArray json =
      f.size() > kMaxChartFileBytes ? QByteArray() : f.read(kMaxChartFileBytes + 1);
  if (f.size() > kMaxChartFileBytes || json.size() > kMaxChartFileBytes)
    Fail(QStringLiteral("%1: larger than %2 MiB, the most a chart file may hold")
             .arg(path)
             .arg(kMaxChartFileBytes / (1024 * 1024)));
  try {
    return ParseChartFile(json);
  } catch (const ChartFileError& e) {
    Fail(QStringLiteral("%1: %2").arg(path, QString::fromUtf8(e.what())));
  }
}

void ApplyProperty(PalvexChart& chart, const ChartProperty& property) {
  const PropertyInfo& target = PropertyNamed(property.name);
  // Through the interface, which converts the value to the declared type
  // and reports a failure as a host sees it.
  WriteProperty(chart, target,
                ValueOf(target, property.value, QStringLiteral("properties.") + property.name));
}

}  // namespace palvex
