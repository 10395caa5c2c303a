#include <palvex/palvexchartmodelmapper.h>
#include <palvex/palvexchartwidget.h>
#include <QAbstractItemModel>
#include <QPointer>
#include <algorithm>

#include "core/item_conversion.h"

class PalvexChartModelMapperPrivate {
 public:
  QPointer<QAbstractItemModel> model;
  QPointer<PalvexChartWidget> chart;
  QList<QMetaObject::Connection> modelConnections;
  int itemIdColumn = -1;
  int descriptionColumn = -1;
  int captionColumn = -1;
  int valueColumn = -1;
  int firstRow = 0;
  int rowCount = -1;

  QString TextAt(int row, int column) const {
    if (column < 0) return {};
    return model->data(model->index(row, column)).toString();
  }

  QList<PalvexChartItem> MappedItems() const {
    QList<PalvexChartItem> items;
    if (!model || valueColumn < 0 || valueColumn >= model->columnCount()) return items;
    int end = model->rowCount();
    if (rowCount >= 0) end = std::min<qint64>(end, qint64(firstRow) + rowCount);
    for (int row = firstRow; row < end; ++row) {
      const QString id = itemIdColumn < 0 ? QString::number(row + 1) : TextAt(row, itemIdColumn);
      const double value = palvex::ValueOfCell(model->data(model->index(row, valueColumn)));
      items.append({id, TextAt(row, descriptionColumn), TextAt(row, captionColumn), value});
    }
    return items;
  }

  // One redraw per change of the model, and none when the mapped rows read
  // as the chart already shows them (a change in a column not mapped).
  void Sync() const {
    if (!chart) return;
    const QList<PalvexChartItem> items = MappedItems();
    if (items != chart->items()) chart->setItems(items);
  }
};

PalvexChartModelMapper::PalvexChartModelMapper(QObject* parent)
    : QObject(parent), d(std::make_unique<PalvexChartModelMapperPrivate>()) {}

PalvexChartModelMapper::~PalvexChartModelMapper() = default;

QAbstractItemModel* PalvexChartModelMapper::model() const {
  return d->model;
}

void PalvexChartModelMapper::setModel(QAbstractItemModel* model) {
  if (model == d->model) return;
  for (const QMetaObject::Connection& c : std::as_const(d->modelConnections)) disconnect(c);
  d->modelConnections.clear();
  d->model = model;
  if (model) {
    const auto sync = [this] { d->Sync(); };
    using M = QAbstractItemModel;
    d->modelConnections = {
        connect(model, &M::rowsInserted, this, sync),
        connect(model, &M::rowsRemoved, this, sync),
        connect(model, &M::rowsMoved, this, sync),
        connect(model, &M::columnsInserted, this, sync),
        connect(model, &M::columnsRemoved, this, sync),
        connect(model, &M::columnsMoved, this, sync),
        connect(model, &M::dataChanged, this, sync),
        connect(model, &M::modelReset, this, sync),
        connect(model, &M::layoutChanged, this, sync),
        // The pointer already reads null here, so setModel(nullptr) would
        // see no change: the chart would keep rows that no longer exist and
        // the model's NOTIFY would never fire.
        connect(model, &QObject::destroyed, this,
                [this] {
                  d->modelConnections.clear();
                  d->Sync();
                  emit modelReplaced();
                }),
    };
  }
  d->Sync();
  emit modelReplaced();
}

PalvexChartWidget* PalvexChartModelMapper::chart() const {
  return d->chart;
}

void PalvexChartModelMapper::setChart(PalvexChartWidget* chart) {
  if (chart == d->chart) return;
  d->chart = chart;
  d->Sync();
  emit chartReplaced();
}

// Each mapping setter stores, re-maps and notifies, and does nothing for
// the value already held.
#define PALVEX_MAPPER_SETTING(Name, Setter, Normalise) \
  int PalvexChartModelMapper::Name() const {           \
    return d->Name;                                    \
  }                                                    \
  void PalvexChartModelMapper::Setter(int value) {     \
    value = Normalise;                                 \
    if (value == d->Name) return;                      \
    d->Name = value;                                   \
    d->Sync();                                         \
    emit Name##Changed();                              \
  }

// Any negative column means "not mapped"; a negative row count means all.
PALVEX_MAPPER_SETTING(itemIdColumn, setItemIdColumn, std::max(value, -1))
PALVEX_MAPPER_SETTING(descriptionColumn, setDescriptionColumn, std::max(value, -1))
PALVEX_MAPPER_SETTING(captionColumn, setCaptionColumn, std::max(value, -1))
PALVEX_MAPPER_SETTING(valueColumn, setValueColumn, std::max(value, -1))
PALVEX_MAPPER_SETTING(firstRow, setFirstRow, std::max(value, 0))
PALVEX_MAPPER_SETTING(rowCount, setRowCount, std::max(value, -1))
#undef PALVEX_MAPPER_SETTING
