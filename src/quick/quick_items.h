#pragma once

#include <palvex/palvexchartitem.h>

#include <QAbstractItemModel>
#include <QList>
#include <QString>
#include <QVariantMap>

namespace palvex {

// An item between QML and the chart: a JavaScript object with itemId,
// description, caption and value. A missing key is empty (0 for the
// value); an id may be a number; a value that holds no number is refused
// with Type mismatch (13), naming the key.
PalvexChartItem ItemFromObject(const QVariantMap& object, const QString& where);
QVariantMap ObjectFromItem(const PalvexChartItem& item);

// The names of the roles a model's rows are read through.
struct ItemRoles {
  QString itemId = QStringLiteral("itemId");
  QString description = QStringLiteral("description");
  QString caption = QStringLiteral("caption");
  QString value = QStringLiteral("value");
};

// Every row of a model as an item: a role the model lacks reads empty (the
// id as the row's number from 1); a value that holds no number (NaN too)
// counts as 0, as in the widget's model mapper.
QList<PalvexChartItem> ItemsOfModel(const QAbstractItemModel& model, const ItemRoles& roles);

}  // namespace palvex
