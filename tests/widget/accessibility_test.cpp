// The chart as a screen reader sees it, through Qt's accessibility API.
#include <palvex/palvexchartwidget.h>

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>

#include "widget/palvex_chart_widget_p.h"

namespace palvex {
namespace {

TEST(Accessibility, TheTreeNamesTheChartItsBarsAndItsLegendAndFollowsTheSelection) {
  PalvexChartWidget w;
  w.setAnimated(false);
  w.setLocale(QLocale::c());
  w.setChartTitle("Sales");
  w.setChartSubTitle("2026");
  w.setSelectable(true);
  w.addItem({"1", "North shops", "Jan", 1234.4});
  w.addItem({"2", "South shops", "Feb", 60});
  w.show();
  QTimerEvent expired(PalvexChartWidgetPrivate::get(w).StartTimer().timerId());
  QCoreApplication::sendEvent(&PalvexChartWidgetPrivate::get(w).StartTimer(), &expired);
  QApplication::setActiveWindow(&w);
  w.setFocus();

  QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(&w);
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(chart->role(), QAccessible::Chart);
  EXPECT_EQ(chart->text(QAccessible::Name), "Sales");
  EXPECT_EQ(chart->text(QAccessible::Description), "2026");
  // What the host names the widget for readers goes first.
  w.setAccessibleName("Sales by month");
  w.setAccessibleDescription("North and south");
  EXPECT_EQ(chart->text(QAccessible::Name), "Sales by month");
  EXPECT_EQ(chart->text(QAccessible::Description), "North and south");
  w.setAccessibleName(QString());
  w.setAccessibleDescription(QString());
  EXPECT_EQ(chart->text(QAccessible::Name), "Sales");
  ASSERT_EQ(chart->childCount(), 3);
  QAccessibleInterface* legend = chart->child(2);
  EXPECT_EQ(legend->role(), QAccessible::List);
  EXPECT_EQ(legend->text(QAccessible::Name), QStringLiteral("图例"));
  ASSERT_EQ(legend->childCount(), 2);
  EXPECT_EQ(legend->child(1)->text(QAccessible::Name), "South shops");
  EXPECT_EQ(legend->child(1)->parent(), legend);

  const int steps[] = {-1, 0, 1, -1};
  for (int selected : steps) {
    if (selected == -1) {
      QTest::keyClick(&w, Qt::Key_Escape);
    } else {
      QTest::keyClick(&w, Qt::Key_Right);
    }
    for (int i = 0; i < 2; ++i) {
      QAccessibleInterface* bar = chart->child(i);
      EXPECT_EQ(chart->indexOfChild(bar), i);
      EXPECT_EQ(bar->role(), QAccessible::Graphic);
      EXPECT_EQ(bar->state().selected, i == selected) << selected;
      EXPECT_EQ(bar->state().focused, i == selected) << selected;
      EXPECT_EQ(legend->child(i)->state().selected, i == selected) << selected;
    }
    EXPECT_EQ(chart->focusChild(), selected < 0 ? nullptr : chart->child(selected));
  }
  EXPECT_EQ(chart->child(0)->text(QAccessible::Name), "Jan");
  EXPECT_EQ(chart->child(0)->text(QAccessible::Value), QStringLiteral("1,234元"));
  EXPECT_EQ(chart->child(0)->text(QAccessible::Description), "North shops");
  EXPECT_TRUE(chart->rect().contains(chart->child(1)->rect()));

  // A column the chart does not show selected is none to a reader either.
  w.setSelectable(false);
  w.setSelectedColumn(1);
  EXPECT_FALSE(chart->child(1)->state().selected);
  EXPECT_FALSE(legend->child(1)->state().selected);
  EXPECT_EQ(chart->focusChild(), nullptr);

  // Items taken away: the tree shrinks with them.
  w.clear();
  EXPECT_EQ(chart->childCount(), 1);
  EXPECT_EQ(chart->child(0)->role(), QAccessible::List);
}

// A reader walks the whole tree (names, amounts, places): with the most
// items a chart takes it must not hold the program for minutes.
TEST(Accessibility, AReaderWalksEveryBarAndEntryOfTheLongestChartAtOnce) {
  PalvexChartWidget w;
  w.setAnimated(false);
  QList<PalvexChartItem> items;
  for (int i = 0; i < 32767; ++i) items.append({"1", QString::number(i), "x", 1});
  items.last().setCaption("last");
  ASSERT_TRUE(w.setItems(items));
  QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(&w);
  QAccessibleInterface* legend = chart->child(32767);
  ASSERT_EQ(chart->indexOfChild(legend), 32767);
  const QDeadlineTimer deadline(10000);
  int walked = 0;
  for (; walked < 32767 && !deadline.hasExpired(); ++walked) {
    QAccessibleInterface* bar = chart->child(walked);
    QAccessibleInterface* entry = legend->child(walked);
    ASSERT_FALSE(bar->text(QAccessible::Name).isEmpty());
    ASSERT_FALSE(bar->text(QAccessible::Value).isEmpty());
    ASSERT_EQ(entry->text(QAccessible::Name), QString::number(walked));
    ASSERT_EQ(chart->indexOfChild(bar), walked);
    ASSERT_EQ(legend->indexOfChild(entry), walked);
  }
  EXPECT_EQ(walked, 32767);
  EXPECT_EQ(chart->child(32766)->text(QAccessible::Name), "last");
  // Parts of another kind or another chart have no place here.
  EXPECT_EQ(legend->indexOfChild(chart->child(0)), -1);
  EXPECT_EQ(chart->indexOfChild(legend->child(0)), -1);
}

}  // namespace
}  // namespace palvex
