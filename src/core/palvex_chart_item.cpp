#include <palvex/palvexchartitem.h>

PalvexChartItem::PalvexChartItem(const QString& itemId, const QString& description,
                                 const QString& caption, double value)
    : m_itemId(itemId), m_description(description), m_caption(caption), m_value(value) {}
