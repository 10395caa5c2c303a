#include <gtest/gtest.h>
#include <palvex/palvexchartmodelmapper.h>
#include <palvex/palvexchartwidget.h>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QtNumeric>
#include <memory>

namespace {

QList<QStandardItem*> Row(const QString& id, const QString& region, double value) {
  auto* v = new QStandardItem;
  v->setData(value, Qt::DisplayRole);
  return {new QStandardItem(id), new QStandardItem(region), v};
}

// What the chart holds, as "id:description=value" for readable failures.
QStringList Bars(const PalvexChartWidget& chart) {
  QStringList bars;
  for (const PalvexChartItem& item : chart.items())
    bars << QStringLiteral("%1:%2=%3").arg(item.itemId(), item.description()).arg(item.value());
  return bars;
}

TEST(ModelMapper, TheChartFollowsEveryKindOfChangeToTheMappedRows) {
  QStandardItemModel model(0, 3);
  model.appendRow(Row("7", "North", 10));
  model.appendRow(Row("8", "South", 20));
  model.appendRow(Row("9", "East", 30));
  model.appendRow(Row("10", "West", 40));
  PalvexChartWidget chart;
  PalvexChartModelMapper mapper;
  mapper.setItemIdColumn(0);
  mapper.setDescriptionColumn(1);
  mapper.setValueColumn(2);
  mapper.setFirstRow(1);
  mapper.setRowCount(2);
  mapper.setModel(&model);
  mapper.setChart(&chart);
  EXPECT_EQ(Bars(chart), QStringList({"8:South=20", "9:East=30"}));

  model.setData(model.index(2, 2), 35);
  EXPECT_EQ(Bars(chart), QStringList({"8:South=20", "9:East=35"}));
  model.insertRow(0, Row("6", "Centre", 5));
  EXPECT_EQ(Bars(chart), QStringList({"7:North=10", "8:South=20"}));
  model.removeRows(0, 3);
  EXPECT_EQ(Bars(chart), QStringList({"10:West=40"}));
  mapper.setItemIdColumn(-1);  // ids from row numbers, counted from 1
  EXPECT_EQ(Bars(chart), QStringList({"2:West=40"}));
  model.clear();
  EXPECT_TRUE(Bars(chart).isEmpty());
}

// Whatever a value cell holds that is no number, its bar stands at 0 and
// the other rows are drawn as they are.
TEST(ModelMapper, AValueCellThatHoldsNoNumberCountsAsZero) {
  QStandardItemModel model(0, 3);
  model.appendRow(Row("1", "North", 10));
  model.appendRow(Row("2", "South", 20));
  PalvexChartWidget chart;
  PalvexChartModelMapper mapper;
  mapper.setItemIdColumn(0);
  mapper.setValueColumn(2);
  mapper.setModel(&model);
  mapper.setChart(&chart);
  for (const QVariant& cell : {QVariant(), QVariant("many"), QVariant("nan"), QVariant(qQNaN())}) {
    model.setData(model.index(1, 2), cell);
    EXPECT_EQ(Bars(chart), QStringList({"1:=10", "2:=0"})) << qPrintable(cell.toString());
    model.setData(model.index(1, 2), 20);
  }
}

TEST(ModelMapper, EitherSideMayBeDestroyedFirst) {
  auto model = std::make_unique<QStandardItemModel>(0, 3);
  model->appendRow(Row("1", "North", 10));
  auto chart = std::make_unique<PalvexChartWidget>();
  PalvexChartModelMapper mapper;
  mapper.setValueColumn(2);
  mapper.setModel(model.get());
  mapper.setChart(chart.get());
  chart.reset();
  model->appendRow(Row("2", "South", 20));  // no chart to follow it
  EXPECT_EQ(mapper.chart(), nullptr);
  model.reset();
  EXPECT_EQ(mapper.model(), nullptr);

  // A model destroyed while its rows are shown: none of them stay, as after
  // setModel(nullptr), and the change is notified.
  auto other = std::make_unique<QStandardItemModel>(0, 3);
  other->appendRow(Row("3", "East", 30));
  PalvexChartWidget shown;
  mapper.setChart(&shown);
  mapper.setModel(other.get());
  ASSERT_EQ(Bars(shown), QStringList({"1:=30"}));
  QSignalSpy replaced(&mapper, &PalvexChartModelMapper::modelReplaced);
  other.reset();
  EXPECT_EQ(mapper.model(), nullptr);
  EXPECT_TRUE(Bars(shown).isEmpty());
  EXPECT_EQ(replaced.count(), 1);
}

}  // namespace
