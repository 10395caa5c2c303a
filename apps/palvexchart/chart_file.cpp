#include "chart_file.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <functional>

#include "platform/qt/json_error_line.h"
#include "platform/qt/qt_text.h"

namespace palvex {

namespace {

constexpr int kMaxSidePx = 16384;

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

std::int32_t Int32Of(const QJsonValue& v, const QString& key) {
  double d = NumberOf(v, key);
  if (d != std::floor(d) || d < -2147483648.0 || d > 4294967295.0)
    Fail(QStringLiteral("\"%1\" must be a whole 32-bit number").arg(key));
  // Colours may be written unsigned (0x80000005 = 2147483653).
  return static_cast<std::int32_t>(static_cast<std::int64_t>(d));
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

enum class Kind { Number, Boolean, Text, Whole };

struct PropertyWriter {
  const char* name;
  Kind kind;
  std::function<void(PalvexChart&, const QJsonValue&)> write;
};

// Checks the JSON type of a value against the property's kind; raises
// ChartFileError naming the key.
void CheckKind(Kind kind, const QJsonValue& v, const QString& key) {
  switch (kind) {
    case Kind::Number:
      NumberOf(v, key);
      break;
    case Kind::Boolean:
      BoolOf(v, key);
      break;
    case Kind::Text:
      TextOf(v, key);
      break;
    case Kind::Whole:
      Int32Of(v, key);
      break;
  }
}

const std::vector<PropertyWriter>& Writers() {
  using C = PalvexChart;
  using V = const QJsonValue&;
  auto number = [](void (C::*set)(double)) { return [set](C& c, V v) { (c.*set)(v.toDouble()); }; };
  auto boolean = [](void (C::*set)(bool)) { return [set](C& c, V v) { (c.*set)(v.toBool()); }; };
  auto text = [](void (C::*set)(const std::u16string&)) {
    return [set](C& c, V v) { (c.*set)(FromQString(v.toString())); };
  };
  auto whole = [](void (C::*set)(std::int32_t)) {
    return [set](C& c, V v) {
      (c.*set)(static_cast<std::int32_t>(static_cast<std::int64_t>(v.toDouble())));
    };
  };
  auto colour = [](void (C::*set)(Color)) {
    return
        [set](C& c, V v) { (c.*set)(static_cast<Color>(static_cast<std::int64_t>(v.toDouble()))); };
  };
  static const std::vector<PropertyWriter> table = {
      {"MarginTop", Kind::Number, number(&C::SetMarginTop)},
      {"MarginBottom", Kind::Number, number(&C::SetMarginBottom)},
      {"MarginLeft", Kind::Number, number(&C::SetMarginLeft)},
      {"MarginRight", Kind::Number, number(&C::SetMarginRight)},
      {"ContentBorder", Kind::Boolean, boolean(&C::SetContentBorder)},
      {"Selectable", Kind::Boolean, boolean(&C::SetSelectable)},
      {"HotTracking", Kind::Boolean, boolean(&C::SetHotTracking)},
      {"SelectionInformation", Kind::Boolean, boolean(&C::SetSelectionInformation)},
      {"DisplayXAxis", Kind::Boolean, boolean(&C::SetDisplayXAxis)},
      {"DisplayYAxis", Kind::Boolean, boolean(&C::SetDisplayYAxis)},
      {"ColorBars", Kind::Boolean, boolean(&C::SetColorBars)},
      {"ChartTitle", Kind::Text, text(&C::SetChartTitle)},
      {"ChartSubTitle", Kind::Text, text(&C::SetChartSubTitle)},
      {"AxisLabelX", Kind::Text, text(&C::SetAxisLabelX)},
      {"AxisLabelY", Kind::Text, text(&C::SetAxisLabelY)},
      {"IntersectMajor", Kind::Number, number(&C::SetIntersectMajor)},
      {"IntersectMinor", Kind::Number, number(&C::SetIntersectMinor)},
      {"MaxY", Kind::Number, number(&C::SetMaxY)},
      {"BackColor", Kind::Whole, colour(&C::SetBackColor)},
      {"ForeColor", Kind::Whole, colour(&C::SetForeColor)},
      {"SelectedColumn", Kind::Whole, whole(&C::SetSelectedColumn)},
      {"ActiveTheme", Kind::Whole, whole(&C::SetActiveTheme)},
  };
  return table;
}

const PropertyWriter* FindWriter(const QString& name) {
  for (const PropertyWriter& w : Writers()) {
    if (name.compare(QLatin1String(w.name), Qt::CaseInsensitive) == 0) return &w;
  }
  return nullptr;
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

ChartFile ParseChartFile(const QByteArray& json) {
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
    const QJsonObject props = root.value("properties").toObject();
    for (auto it = props.begin(); it != props.end(); ++it)
      file.properties.push_back({it.key(), it.value()});
  }
  if (root.contains("items")) {
    if (!root.value("items").isArray()) Fail(QStringLiteral("\"items\" must be an array"));
    const QJsonArray items = root.value("items").toArray();
    for (int i = 0; i < items.size(); ++i) file.items.push_back(ItemOf(items[i], i));
  }
  // Unknown names and wrong types are refused before anything is drawn.
  for (const ChartProperty& p : file.properties) {
    const PropertyWriter* w = FindWriter(p.name);
    if (!w) Fail(QStringLiteral("unknown property \"%1\"").arg(p.name));
    CheckKind(w->kind, p.value, QStringLiteral("properties.") + p.name);
  }
  return file;
}

ChartFile LoadChartFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly))
    Fail(QStringLiteral("cannot read %1: %2").arg(path, f.errorString()));
  return ParseChartFile(f.readAll());
}

void ApplyProperty(PalvexChart& chart, const ChartProperty& property) {
  const PropertyWriter* w = FindWriter(property.name);
  if (!w) Fail(QStringLiteral("unknown property \"%1\"").arg(property.name));
  CheckKind(w->kind, property.value, QStringLiteral("properties.") + property.name);
  w->write(chart, property.value);
}

}  // namespace palvex
