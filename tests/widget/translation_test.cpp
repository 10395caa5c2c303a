// The chart's own texts: Chinese as documented without a translator,
// English with the one the package ships.
#include <palvex/palvexchartrenderer.h>
#include <palvex/palvexcharttranslation.h>
#include <palvex/palvexchartwidget.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>

#include "platform/qt/qt_text.h"
#include "widget/palvex_chart_widget_p.h"

namespace palvex {
namespace {

TEST(Translation, TheEnglishTranslatorChangesEveryTextAndRemovingItGivesTheChineseBack) {
  struct Case {
    bool english;
    QStringList menu;
    QString label;
    QString subTitle;
    QString tip;
  };
  const Case cases[] = {
      {true,
       {"Save &As...", "&Copy", "", "Selection &Information", "Information &Moves with the Bar",
        "Show Legen&d"},
       "Record: Jan\rAmount: 1,234 yuan\rNorth",
       "Animated chart example (with themes)",
       "Show legend"},
      {false,
       {"另存为(&A)", "复制(&C)", "", "图例信息(&I)", "图例信息跟随(&M)", "显示图例(&D)"},
       "记录: Jan\r金额: 1,234元\rNorth",
       "动画特效图表示例(支持换肤)",
       "显示图例"},
  };
  PalvexChartWidget w;
  PalvexChartWidgetPrivate& d = PalvexChartWidgetPrivate::get(w);
  w.setAnimated(false);
  w.setLocale(QLocale::c());
  w.setSelectable(true);
  w.setSelectionInformation(true);
  w.addItem({"1", "North", "Jan", 1234.4});
  w.show();
  QTimerEvent expired(d.StartTimer().timerId());
  QCoreApplication::sendEvent(&d.StartTimer(), &expired);
  w.setSelectedColumn(0);
  // Each switch reaches the chart that is already showing.
  for (const Case& c : cases) {
    if (c.english) {
      ASSERT_TRUE(installPalvexChartTranslator(QLocale(QLocale::English, QLocale::UnitedStates)));
    } else {
      removePalvexChartTranslator();
    }
    QStringList menu;
    QTimer::singleShot(0, [&] {
      auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(popup, nullptr);
      for (QAction* a : popup->actions()) menu << a->text();
      popup->close();
    });
    QTest::keyClick(&w, Qt::Key_Menu);
    EXPECT_EQ(menu, c.menu);
    EXPECT_EQ(ToQString(d.chart().state().children.lblInfo.Caption), c.label);
    EXPECT_EQ(PalvexChartRenderer().property("ChartSubTitle").toString(), c.subTitle);
    const Control& slider = d.chart().state().children.lblSlider;
    const QPoint onSlider(static_cast<int>((slider.Parent->Left + slider.Left) / 15) + 2, 100);
    EXPECT_EQ(ToQString(d.chart().ToolTipAt(onSlider.x() * 15, onSlider.y() * 15)), c.tip);
  }
}

}  // namespace
}  // namespace palvex
