// The two ways a form gets the chart: compiled by uic from a form that
// promotes a widget to it, and loaded at run time by QUiLoader through
// the Designer plugin. The form is the embedding example's own.
#include <gtest/gtest.h>
#include <palvex/palvexchartwidget.h>
#include <QBuffer>
#include <QFile>
#include <QMainWindow>
#include <QPluginLoader>
#include <QUiLoader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <memory>

#include "ui_sales_window.h"

namespace {

// Read through the meta-object: the plugin carries its own copy of the
// static widget library, so its widget is not a PalvexChartWidget to
// qobject_cast here (with the shared library it is).
void ExpectTheFormsProperties(const QObject& chart) {
  EXPECT_STREQ(chart.metaObject()->className(), "PalvexChartWidget");
  EXPECT_EQ(chart.property("chartTitle"), "Quarterly sales");
  EXPECT_EQ(chart.property("axisLabelY"), "Sales");
  EXPECT_EQ(chart.property("theme").toInt(), PalvexChartWidget::Sky);
  EXPECT_EQ(chart.property("foreColor").value<QColor>(), QColor(0, 51, 102));
  EXPECT_EQ(chart.property("maxY"), 200.0);
  EXPECT_EQ(chart.property("colorBars"), true);
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
  const auto* chart = window->findChild<QWidget*>("chart");
  ASSERT_NE(chart, nullptr);
  ExpectTheFormsProperties(*chart);

  QPluginLoader plugin(QString(PALVEX_DESIGNER_PLUGINS) + "/libpalvex_designer.so");
  auto* widget = qobject_cast<QDesignerCustomWidgetInterface*>(plugin.instance());
  ASSERT_NE(widget, nullptr) << qPrintable(plugin.errorString());
  EXPECT_EQ(widget->group(), "Charts");
  EXPECT_EQ(widget->includeFile(), "palvex/palvexchartwidget.h");
  EXPECT_TRUE(widget->domXml().contains("<width>560</width><height>372</height>"));
  EXPECT_FALSE(widget->icon().isNull());
  // Placed from Designer's box, the chart introduces itself with the sample
  // titles; made in code it starts with none.
  QByteArray placedForm = widget->domXml().toUtf8();
  QBuffer placedFile(&placedForm);
  const std::unique_ptr<QWidget> placed(loader.load(&placedFile));
  ASSERT_NE(placed, nullptr) << qPrintable(loader.errorString());
  EXPECT_EQ(placed->property("chartTitle"), "PalvexChart");
  EXPECT_EQ(placed->property("chartSubTitle"), QStringLiteral("动画特效图表示例(支持换肤)"));
  EXPECT_EQ(PalvexChartWidget().chartTitle(), "");
  EXPECT_EQ(PalvexChartWidget().chartSubTitle(), "");
}

}  // namespace
