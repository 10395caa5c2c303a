#pragma once

#include <palvex/palvexchartwidget.h>
#include <palvex/palvexwidget_export.h>
#include <QAbstractItemModel>
#include <QObject>
#include <memory>

class PalvexChartModelMapperPrivate;

// Keeps a chart's items in step with a table model, as Qt Charts' model
// mappers do: each row from firstRow (rowCount rows, or all when -1) is
// one bar, its fields read from the mapped columns (Qt::DisplayRole).
// Without an item id column a bar's id is its row number from 1, so the
// bars still get their colours; without a description or caption column
// those texts are empty. Nothing is mapped while valueColumn is -1.
//
// The chart follows every insertion, removal, move, data change and reset
// of the model with one redraw per change. The mapper owns neither the
// model nor the chart; either may be destroyed first.
class PALVEX_WIDGET_EXPORT PalvexChartModelMapper : public QObject {
  Q_OBJECT
  Q_PROPERTY(QAbstractItemModel* model READ model WRITE setModel NOTIFY modelReplaced)
  Q_PROPERTY(PalvexChartWidget* chart READ chart WRITE setChart NOTIFY chartReplaced)
  Q_PROPERTY(int itemIdColumn READ itemIdColumn WRITE setItemIdColumn NOTIFY itemIdColumnChanged)
  Q_PROPERTY(int descriptionColumn READ descriptionColumn WRITE setDescriptionColumn NOTIFY
                 descriptionColumnChanged)
  Q_PROPERTY(
      int captionColumn READ captionColumn WRITE setCaptionColumn NOTIFY captionColumnChanged)
  Q_PROPERTY(int valueColumn READ valueColumn WRITE setValueColumn NOTIFY valueColumnChanged)
  Q_PROPERTY(int firstRow READ firstRow WRITE setFirstRow NOTIFY firstRowChanged)
  Q_PROPERTY(int rowCount READ rowCount WRITE setRowCount NOTIFY rowCountChanged)

 public:
  explicit PalvexChartModelMapper(QObject* parent = nullptr);
  ~PalvexChartModelMapper() override;

  QAbstractItemModel* model() const;
  void setModel(QAbstractItemModel* model);
  PalvexChartWidget* chart() const;
  void setChart(PalvexChartWidget* chart);

  int itemIdColumn() const;
  void setItemIdColumn(int column);
  int descriptionColumn() const;
  void setDescriptionColumn(int column);
  int captionColumn() const;
  void setCaptionColumn(int column);
  int valueColumn() const;
  void setValueColumn(int column);
  int firstRow() const;
  void setFirstRow(int row);
  int rowCount() const;
  void setRowCount(int rows);

 Q_SIGNALS:
  void modelReplaced();
  void chartReplaced();
  void itemIdColumnChanged();
  void descriptionColumnChanged();
  void captionColumnChanged();
  void valueColumnChanged();
  void firstRowChanged();
  void rowCountChanged();

 private:
  std::unique_ptr<PalvexChartModelMapperPrivate> d;
};
