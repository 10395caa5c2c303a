#pragma once

/// \file
/// PalvexChartItem, one bar of a chart.

#include <palvex/palvexcore_export.h>
#include <QMetaType>
#include <QString>

/// One bar of the chart, as a host hands it over: the chart keeps a copy.
class PALVEX_CORE_EXPORT PalvexChartItem {
 public:
  /// An item with empty texts and a value of 0.
  PalvexChartItem() = default;
  /// An item with these fields, in the order a chart's items are listed.
  PalvexChartItem(const QString& itemId, const QString& description, const QString& caption,
                  double value);

  /// A whole number in text form; it picks the bar's colour.
  ///@{
  QString itemId() const { return m_itemId; }
  void setItemId(const QString& itemId) { m_itemId = itemId; }
  ///@}

  /// What the legend and the information label say about the bar.
  ///@{
  QString description() const { return m_description; }
  void setDescription(const QString& description) { m_description = description; }
  ///@}

  /// The caption written under the bar.
  ///@{
  QString caption() const { return m_caption; }
  void setCaption(const QString& caption) { m_caption = caption; }
  ///@}

  /// The bar's height in value units.
  ///@{
  double value() const { return m_value; }
  void setValue(double value) { m_value = value; }
  ///@}

  /// Items are equal when all four fields are.
  ///@{
  friend bool operator==(const PalvexChartItem& a, const PalvexChartItem& b) {
    return a.m_itemId == b.m_itemId && a.m_description == b.m_description &&
           a.m_caption == b.m_caption && a.m_value == b.m_value;
  }
  friend bool operator!=(const PalvexChartItem& a, const PalvexChartItem& b) { return !(a == b); }
  ///@}

 private:
  QString m_itemId;
  QString m_description;
  QString m_caption;
  double m_value = 0;
};

Q_DECLARE_METATYPE(PalvexChartItem)
