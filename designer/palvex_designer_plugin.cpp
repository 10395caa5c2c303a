#include "palvex_designer_plugin.h"

#include <palvex/palvexchartwidget.h>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

PalvexDesignerPlugin::PalvexDesignerPlugin(QObject* parent) : QObject(parent) {}

QString PalvexDesignerPlugin::name() const {
  return QStringLiteral("PalvexChartWidget");
}
QString PalvexDesignerPlugin::group() const {
  return QStringLiteral("Charts");
}
QString PalvexDesignerPlugin::toolTip() const {
  return QStringLiteral("Animated column chart");
}
QString PalvexDesignerPlugin::whatsThis() const {
  return QStringLiteral(
      "A themed column chart whose bars grow from the baseline when it is shown. Fill it at run "
      "time with addItem() or a PalvexChartModelMapper; a click on a bar emits itemClicked().");
}
QString PalvexDesignerPlugin::includeFile() const {
  return QStringLiteral("palvex/palvexchartwidget.h");
}

QIcon PalvexDesignerPlugin::icon() const {
  // Three gradient-free columns on a baseline: legible at the widget box's
  // 16 pixels and drawn here, so the plugin carries no image file.
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  const QColor colors[] = {QColor(0x2e, 0x75, 0xb6), QColor(0xed, 0x7d, 0x31),
                           QColor(0x70, 0xad, 0x47)};
  const int heights[] = {14, 24, 18};
  for (int i = 0; i < 3; ++i) p.fillRect(4 + i * 9, 28 - heights[i], 7, heights[i], colors[i]);
  p.fillRect(2, 28, 28, 2, Qt::darkGray);
  return QIcon(pixmap);
}

bool PalvexDesignerPlugin::isContainer() const {
  return false;
}

QWidget* PalvexDesignerPlugin::createWidget(QWidget* parent) {
  auto* chart = new PalvexChartWidget(parent);
  // Items are not properties, so a form never holds them; in Designer a few
  // sample bars show what the properties change. QUiLoader never
  // initialises the plugin, so loaded forms start empty.
  if (initialized_) {
    chart->setItems({{"1", "North", "Q1", 120},
                     {"2", "South", "Q2", 180},
                     {"3", "East", "Q3", 90},
                     {"4", "West", "Q4", 150}});
  }
  return chart;
}

bool PalvexDesignerPlugin::isInitialized() const {
  return initialized_;
}
void PalvexDesignerPlugin::initialize(QDesignerFormEditorInterface*) {
  initialized_ = true;
}

QString PalvexDesignerPlugin::domXml() const {
  return QStringLiteral(R"(<ui language="c++">
 <widget class="PalvexChartWidget" name="chart">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>560</width><height>372</height></rect>
  </property>
  <property name="chartTitle">
   <string>PalvexChart</string>
  </property>
  <property name="chartSubTitle">
   <string>动画特效图表示例(支持换肤)</string>
  </property>
 </widget>
</ui>
)");
}
