#pragma once

/// \file
/// PalvexChartModelMapper, which fills a chart from a table model.

#include <palvex/palvexchartwidget.h>
#include <palvex/palvexwidget_export.h>
#include <QAbstractItemModel>
#include <QObject>
#include <memory>

class PalvexChartModelMapperPrivate;

/// Keeps a chart's items in step with a table model, as Qt Charts' model
/// mappers do: each row from firstRow (rowCount rows, or all when -1) is
/// one bar, its fields read from the mapped columns (Qt::DisplayRole).
/// Without an item id column a bar's id is its row number from 1, so the
/// bars still get their colours; without a description or caption column
/// those texts are empty. Nothing is mapped while valueColumn is -1.
///
/// The chart follows every insertion, removal, move, data change and reset
/// of the model with one redraw per change. The mapper owns neither the
/// model nor the chart; either may be destroyed first.
class PALVEX_WIDGET_EXPORT PalvexChartModelMapper : public QObject {
  Q_OBJECT
  /// The model the bars are read from; null for none.
  Q_PROPERTY(QAbstractItemModel* model READ model WRITE setModel NOTIFY modelReplaced)
  /// The chart whose items follow the model; null for none.
  Q_PROPERTY(PalvexChartWidget* chart READ chart WRITE setChart NOTIFY chartReplaced)
  /// The column of the bars' item ids, -1 (the default) for none.
  Q_PROPERTY(int itemIdColumn READ itemIdColumn WRITE setItemIdColumn NOTIFY itemIdColumnChanged)
  /// The column of the bars' descriptions, -1 (the default) for none.
  Q_PROPERTY(int descriptionColumn READ descriptionColumn WRITE setDescriptionColumn NOTIFY
                 descriptionColumnChanged)
  /// The column of the bars' captions, -1 (the default) for none.
  Q_PROPERTY(
      int captionColumn READ captionColumn WRITE setCaptionColumn NOTIFY captionColumnChanged)
  /// The column of the bars' values, -1 (the default) for none.
  Q_PROPERTY(int valueColumn READ valueColumn WRITE setValueColumn NOTIFY valueColumnChanged)
  /// The row of the first bar, 0 (the default) for the model's first.
  Q_PROPERTY(int firstRow READ firstRow WRITE setFirstRow NOTIFY firstRowChanged)
  /// How many rows are bars, -1 (the default) for all from firstRow on.
  Q_PROPERTY(int rowCount READ rowCount WRITE setRowCount NOTIFY rowCountChanged)

 public:
  /// A mapper with no model, no chart and no columns mapped.
  explicit PalvexChartModelMapper(QObject* parent = nullptr);
  /// Leaves the model and the chart as they are.
  ~PalvexChartModelMapper() override;

  /// The model the bars are read from: setting it maps its rows into the
  /// chart at once, and the chart follows its changes from then on. A model
  /// destroyed first reads as null, as if set to null: the chart shows no
  /// bars and modelReplaced() fires.
  ///@{
  QAbstractItemModel* model() const;
  void setModel(QAbstractItemModel* model);
  ///@}

  /// The chart that shows the mapped rows: setting it replaces its items
  /// with them at once (with none while nothing is mapped). A chart
  /// destroyed first reads as null.
  ///@{
  PalvexChartWidget* chart() const;
  void setChart(PalvexChartWidget* chart);
  ///@}

  /// The columns the bars' fields are read from. Any negative column is
  /// stored as -1, not mapped; a value cell that holds no number (NaN too)
  /// counts as 0, and a value column past the model's last maps nothing.
  ///@{
  int itemIdColumn() const;
  void setItemIdColumn(int column);
  int descriptionColumn() const;
  void setDescriptionColumn(int column);
  int captionColumn() const;
  void setCaptionColumn(int column);
  int valueColumn() const;
  void setValueColumn(int column);
  ///@}

  /// The rows that are bars: rowCount rows from firstRow, or fewer where
  /// the model ends. A negative first row is stored as 0, a negative count
  /// as -1, all rows.
  ///@{
  int firstRow() const;
  void setFirstRow(int row);
  int rowCount() const;
  void setRowCount(int rows);
  ///@}

 Q_SIGNALS:
  /// The NOTIFY signals of the properties: each fires when a setter stores
  /// a value other than the one held, after the chart has followed it.
  ///@{
  void modelReplaced();
  void chartReplaced();
  void itemIdColumnChanged();
  void descriptionColumnChanged();
  void captionColumnChanged();
  void valueColumnChanged();
  void firstRowChanged();
  void rowCountChanged();
  ///@}

 private:
  std::unique_ptr<PalvexChartModelMapperPrivate> d;
};
