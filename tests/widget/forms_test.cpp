// The two ways a form gets the chart: compiled by uic from a form that
// promotes a widget to it, and loaded at run time by QUiLoader through
// the Designer plugin. The form is the embedding example's own.
#include <gtest/gtest.h>
#include <palvex/palvexchartwidget.h>
#include <QFile>
#include <QMainWindow>
#include <QPluginLoader>
#include <QUiLoader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <memory>

#include "ui_sales_window.h"

namespace {

void ExpectTheFormsProperties(const PalvexChartWidget& chart) {
  EXPECT_EQ(chart.chartTitle(), "Quarterly sales");
  EXPECT_EQ(chart.axisLabelY(), "Sales");
  EXPECT_EQ(chart.theme(), PalvexChartWidget::Sky);
  EXPECT_EQ(chart.foreColor(), QColor(0, 51, 102));
  EXPECT_EQ(chart.maxY(), 200);
}

TEST(Forms, ACompiledFormSetsTheChartsProperties) {
  QMainWindow window;
  Ui::SalesWindow ui;
  ui.setupUi(&window);
  ExpectTheFormsProperties(*ui.chart);
}

TEST(Forms, TheDesignerPluginLoadsTheChartIntoAForm) {
  QUiLoader loader;
  loader.clearPluginPaths();
  loader.addPluginPath(PALVEX_DESIGNER_PLUGINS);
  QFile form(PALVEX_SALES_FORM);
  ASSERT_TRUE(form.open(QIODevice::ReadOnly));
  const std::unique_ptr<QWidget> window(loader.load(&form));
  ASSERT_NE(window, nullptr) << qPrintable(loader.errorString());
  // Without the plugin QUiLoader quietly makes a plain QWidget instead.
  const auto* chart = window->findChild<PalvexChartWidget*>("chart");
  ASSERT_NE(chart, nullptr);
  ExpectTheFormsProperties(*chart);
  EXPECT_EQ(chart->count(), 0);  // sample bars are for Designer's own canvas

  QPluginLoader plugin(QString(PALVEX_DESIGNER_PLUGINS) + "/libpalvex_designer.so");
  auto* widget = qobject_cast<QDesignerCustomWidgetInterface*>(plugin.instance());
  ASSERT_NE(widget, nullptr) << qPrintable(plugin.errorString());
  EXPECT_EQ(widget->group(), "Charts");
  EXPECT_EQ(widget->includeFile(), "palvex/palvexchartwidget.h");
  EXPECT_TRUE(widget->domXml().contains("<width>560</width><height>372</height>"));
  EXPECT_FALSE(widget->icon().isNull());
}

}  // namespace
