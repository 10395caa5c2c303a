#include "quick/quick_items.h"

#include <string>

#include "core/item_conversion.h"
#include "platform/chart_error.h"

namespace palvex {

PalvexChartItem ItemFromObject(const QVariantMap& object, const QString& where) {
  PalvexChartItem item;
  item.setItemId(object.value(QStringLiteral("itemId")).toString());
  item.setDescription(object.value(QStringLiteral("description")).toString());
  item.setCaption(object.value(QStringLiteral("caption")).toString());
  const QVariant value = object.value(QStringLiteral("value"));
  if (value.isValid()) {
    bool number = false;
    const double v = value.toDouble(&number);
    if (!number) {
      throw ChartError(kErrTypeMismatch, (where + QStringLiteral(".value: ")).toStdString() +
                                             ErrorMessage(kErrTypeMismatch));
    }
    item.setValue(v);
  }
  return item;
}

QVariantMap ObjectFromItem(const PalvexChartItem& item) {
  return {{QStringLiteral("itemId"), item.itemId()},
          {QStringLiteral("description"), item.description()},
          {QStringLiteral("caption"), item.caption()},
          {QStringLiteral("value"), item.value()}};
}

QList<PalvexChartItem> ItemsOfModel(const QAbstractItemModel& model, const ItemRoles& roles) {
  const QHash<int, QByteArray> names = model.roleNames();
  const auto role = [&](const QString& name) { return names.key(name.toUtf8(), -1); };
  const int id = role(roles.itemId), description = role(roles.description),
            caption = role(roles.caption), value = role(roles.value);
  const auto text = [&](const QModelIndex& index, int r) {
    return r < 0 ? QString() : model.data(index, r).toString();
  };
  QList<PalvexChartItem> items;
  for (int row = 0; row < model.rowCount(); ++row) {
    const QModelIndex index = model.index(row, 0);
    items.append({id < 0 ? QString::number(row + 1) : text(index, id), text(index, description),
                  text(index, caption), value < 0 ? 0.0 : ValueOfCell(model.data(index, value))});
  }
  return items;
}

}  // namespace palvex
