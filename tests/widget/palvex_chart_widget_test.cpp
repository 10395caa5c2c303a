// The control in a real (offscreen) Qt window: painting, the start timer,
// real pop-up menus, tool tips, properties and signals.
#include "widget/palvex_chart_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QLocale>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <QToolTip>
#include <QWheelEvent>

#include "platform/chart_error.h"
#include "platform/property_bag.h"
#include "platform/qt/qt_text.h"
#include "support/error_of.h"
#include "ui/info_label_input.h"

namespace palvex {
namespace {

// Collects the warnings logged while it lives.
class Warnings {
 public:
  Warnings() : previous_(qInstallMessageHandler(&Collect)) { collected().clear(); }
  ~Warnings() { qInstallMessageHandler(previous_); }
  const QStringList& list() const { return collected(); }

 private:
  static QStringList& collected() {
    static QStringList list;
    return list;
  }
  static void Collect(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtWarningMsg) collected() << text;
  }
  QtMessageHandler previous_;
};

class Widget : public ::testing::Test {
 protected:
  Widget() {
    w.SetClock(&clock);  // the growth animation without waiting
    w.resize(560, 372);
  }
  // Delivers a timer's expiry as the event loop would.
  static void Fire(QTimer& timer) {
    ASSERT_TRUE(timer.isActive());
    QTimerEvent expired(timer.timerId());
    QCoreApplication::sendEvent(&timer, &expired);
  }
  void FireStartTimer() { Fire(w.StartTimer()); }
  ChartState& s() { return w.chart().state(); }

  InstantClock clock;
  PalvexChartWidget w;
};

TEST_F(Widget, EachShowingArmsTheStartTimerForOneTick) {
  EXPECT_FALSE(w.StartTimer().isActive());
  w.AddItem("1", "North", "Jan", 40);
  w.show();
  EXPECT_TRUE(w.StartTimer().isActive());
  EXPECT_EQ(w.StartTimer().interval(), 100);
  FireStartTimer();
  EXPECT_FALSE(w.StartTimer().isActive());
  EXPECT_TRUE(s().animationDone);
  EXPECT_EQ(s().barPalette[0], 0xFFEFB9u);
  EXPECT_EQ(s().barPalette[25], 0x0CC5FAu);

  w.hide();
  EXPECT_FALSE(w.StartTimer().isActive());
  w.show();
  FireStartTimer();
  EXPECT_FALSE(w.StartTimer().isActive());
}

TEST_F(Widget, ARightPressPopsUpTheMainMenuAsARealMenu) {
  w.SetSelectable(true);
  w.show();
  QStringList shown;
  bool separator = false;
  QString checked;
  QTimer::singleShot(0, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction* a : menu->actions()) {
      if (a->isSeparator()) {
        separator = true;
        continue;
      }
      shown << a->text();
      if (a->isChecked()) checked += a->text() + ";";
      if (a->text() == QStringLiteral("显示图例(&D)")) menu->setActiveAction(a);
    }
    QTest::keyClick(menu, Qt::Key_Return);
  });
  QSignalSpy downs(&w, &PalvexChartWidget::MouseDown);
  QTest::mousePress(&w, Qt::RightButton, {}, QPoint(200, 200));
  EXPECT_EQ(shown, (QStringList{"另存为(&A)", "复制(&C)", "图例信息(&I)", "图例信息跟随(&M)",
                                "显示图例(&D)"}));
  EXPECT_TRUE(separator);
  // The selection item mirrors SelectionInformation, off by default.
  EXPECT_EQ(checked, QStringLiteral("图例信息跟随(&M);"));
  // The chosen item ran, then MouseDown came, in twips.
  EXPECT_TRUE(s().legendVisible);
  EXPECT_TRUE(s().children.mnuViewLegend.Checked);
  ASSERT_EQ(downs.size(), 1);
  EXPECT_EQ(downs[0][0].value<short>(), 2);
  EXPECT_EQ(downs[0][2].value<float>(), 200 * 15);

  QSignalSpy ups(&w, &PalvexChartWidget::MouseUp);
  QTest::mouseRelease(&w, Qt::RightButton, {}, QPoint(200, 200));
  EXPECT_EQ(ups.size(), 1);
}

TEST_F(Widget, CopyFromTheMenuPutsTheChartOnTheSystemClipboard) {
  w.show();
  FireStartTimer();
  QGuiApplication::clipboard()->clear();
  QTimer::singleShot(0, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    // The access key of "复制(&C)".
    QTest::keyClick(menu, Qt::Key_C);
  });
  QTest::mousePress(&w, Qt::RightButton, {}, QPoint(200, 200));
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(560, 372));
}

TEST_F(Widget, PaintsTheComposedChartPixelForPixel) {
  w.show();
  FireStartTimer();
  const QImage painted = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage composed = w.ComposedImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(painted.size(), QSize(560, 372));
  EXPECT_EQ(painted, composed);
  // The folded legend's slider strip at the right edge.
  EXPECT_EQ(painted.pixelColor(557, 200), ToQColor(s().children.lblSlider.BackColor));
}

TEST_F(Widget, ResizingTheWindowLaysTheSidePanelOutAgain) {
  w.show();
  FireStartTimer();
  w.resize(700, 300);
  EXPECT_EQ(s().surface->PixelWidth(), 700);
  EXPECT_EQ(s().children.picLegend.Left, 700 * 15 - 90);
  EXPECT_EQ(s().children.picLegend.Height, 300 * 15);
}

TEST_F(Widget, ToolTipsComeFromTheChildUnderThePointer) {
  w.show();
  QHelpEvent overChart(QEvent::ToolTip, QPoint(100, 100), w.mapToGlobal(QPoint(100, 100)));
  QApplication::sendEvent(&w, &overChart);
  EXPECT_FALSE(QToolTip::isVisible());
  QHelpEvent overSlider(QEvent::ToolTip, QPoint(557, 100), w.mapToGlobal(QPoint(557, 100)));
  QApplication::sendEvent(&w, &overSlider);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), QStringLiteral("显示图例"));
}

TEST_F(Widget, PropertiesAndSignalsUseTheControlsNames) {
  EXPECT_TRUE(w.setProperty("ChartTitle", QStringLiteral("季度销售")));
  EXPECT_EQ(w.chart().ChartTitle(), u"季度销售");
  EXPECT_TRUE(w.setProperty("MarginLeft", 40.0));
  EXPECT_EQ(s().MarginLeft, 600);
  EXPECT_EQ(w.property("MaxY").toDouble(), 100);

  w.AddItem("3", "Shanghai", "Jan", 12.5);
  QSignalSpy clicks(&w, &PalvexChartWidget::ItemClick);
  w.setProperty("SelectedColumn", 0);
  ASSERT_EQ(clicks.size(), 1);
  EXPECT_EQ(clicks[0][0].toString(), "3");
  EXPECT_EQ(clicks[0][1].toString(), "Shanghai");
  EXPECT_EQ(clicks[0][3].toDouble(), 12.5);

  // A failing call is a warning, not an exception out of the window.
  Warnings warnings;
  w.AddItem("not a number", "", "", 1);
  w.Refresh();
  EXPECT_EQ(warnings.list(), QStringList{"PalvexChart: Refresh: run-time error 13: Type mismatch"});
}

TEST_F(Widget, AReaderThatFailsIsAWarningAndANeutralValue) {
  MemoryPropertyBag bag;
  bag.Write(u"uSelectedColumn", 1e10);  // no 32-bit column
  w.chart().ReadProperties(bag);
  Warnings warnings;
  EXPECT_EQ(w.property("SelectedColumn").toInt(), -1);
  EXPECT_EQ(warnings.list(),
            QStringList{"PalvexChart: SelectedColumn: run-time error 6: Overflow"});
}

TEST(WidgetFromBag, ASavedControlLoadsItsBagInsteadOfTheDefaults) {
  MemoryPropertyBag bag;
  bag.Write(u"uMaxYValue", 500.0);
  PalvexChartWidget loaded(bag);
  // Absent keys take their load values, not a new control's.
  EXPECT_EQ(loaded.MaxY(), 500);
  EXPECT_EQ(loaded.MarginTop(), 0);
  EXPECT_EQ(loaded.ChartSubTitle(), QString());
  EXPECT_FALSE(loaded.DisplayXAxis());
  EXPECT_FALSE(loaded.ContentBorder());
  EXPECT_EQ(loaded.SelectedColumn(), -1);

  // A bag that cannot be loaded is the caller's error; no widget is made.
  bag.Write(u"uMaxYValue", u"tall");
  EXPECT_EQ(testing::ErrorOf([&] { PalvexChartWidget refused(bag); }), kErrTypeMismatch);
}

TEST_F(Widget, PressingABarSignalsItemClickBeforeMouseDown) {
  w.SetSelectable(true);
  w.AddItem("7", "North", "Jan", 40);
  w.AddItem("8", "South", "Feb", 60);
  w.show();
  FireStartTimer();
  QStringList signalled;
  QObject::connect(
      &w, &PalvexChartWidget::ItemClick,
      [&](const QString& id, const QString& description, const QString&, double value) {
        signalled << QStringLiteral("ItemClick %1 %2 %3").arg(id, description).arg(value);
      });
  QObject::connect(&w, &PalvexChartWidget::MouseDown, [&](short button, short, float, float) {
    signalled << QStringLiteral("MouseDown %1").arg(button);
  });
  QSignalSpy clicks(&w, &PalvexChartWidget::ItemClick);
  // Column 1, one pixel above the plot's bottom edge.
  const QPoint onBar(qRound((s().MarginLeft + 1.5 * s().barWidth) / 15),
                     qRound((s().surface->ScaleHeight() - s().MarginBottom) / 15) - 1);
  QTest::mouseClick(&w, Qt::LeftButton, {}, onBar);
  QTest::mouseClick(&w, Qt::LeftButton, {}, onBar);
  EXPECT_EQ(signalled, (QStringList{"ItemClick 8 South 60", "MouseDown 1", "MouseDown 1"}));
  EXPECT_EQ(clicks.size(), 1);
  EXPECT_EQ(w.SelectedColumn(), 1);
}

TEST_F(Widget, TheLabelGroupsTheAmountAsTheWidgetsLocaleDoes) {
  w.SetSelectable(true);
  w.SetSelectionInformation(true);
  w.AddItem("1", "North", "Jan", 1234567);
  w.show();
  FireStartTimer();
  const std::pair<QLocale, QString> cases[] = {
      {QLocale::c(), "1,234,567"},
      {QLocale(QLocale::German, QLocale::Germany), "1.234.567"},
      {QLocale(QLocale::French, QLocale::France), QStringLiteral("1\u202F234\u202F567")},
  };
  for (const auto& [locale, amount] : cases) {
    w.setLocale(locale);
    w.SetSelectedColumn(-1);
    w.SetSelectedColumn(0);
    EXPECT_EQ(ToQString(s().children.lblInfo.Caption).split('\r').value(1),
              QStringLiteral("金额: %1元").arg(amount));
  }
}

TEST_F(Widget, ADraggedLabelShowsAnOutlineThatFollowsThePointer) {
  w.SetSelectable(true);
  w.SetSelectionInformation(true);
  w.AddItem("1", "North", "Jan", 40);
  w.show();
  FireStartTimer();
  w.SetSelectedColumn(0);
  const Control& label = s().children.lblInfo;
  ASSERT_TRUE(label.Visible);
  const QPoint grab(qRound(label.Left / 15) + 4, qRound(label.Top / 15) + 4);
  QTest::mousePress(&w, Qt::LeftButton, {}, grab);
  const QPoint to(100, 80);
  QMouseEvent move(QEvent::MouseMove, to, w.mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&w, &move);

  const std::optional<DragOutline> outline = DragOutlineAt(s(), 100 * 15, 80 * 15);
  ASSERT_TRUE(outline);
  const QPoint corner(qRound(outline->left / 15), qRound(outline->top / 15));
  const QImage shown = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage composed = w.ComposedImage().convertToFormat(QImage::Format_RGB32);
  // The frame inverts what lies below it; inside, the picture shows through.
  EXPECT_EQ(shown.pixel(corner) & 0xFFFFFF, ~composed.pixel(corner) & 0xFFFFFF);
  EXPECT_EQ(shown.pixel(corner + QPoint(1, 1)) & 0xFFFFFF,
            ~composed.pixel(corner + QPoint(1, 1)) & 0xFFFFFF);
  EXPECT_EQ(shown.pixel(corner + QPoint(5, 5)), composed.pixel(corner + QPoint(5, 5)));

  QTest::mouseRelease(&w, Qt::LeftButton, {}, to);
  EXPECT_EQ(label.Left, outline->left);
  EXPECT_EQ(w.grab().toImage().convertToFormat(QImage::Format_RGB32),
            w.ComposedImage().convertToFormat(QImage::Format_RGB32));
}

TEST_F(Widget, TheDescriptionListScrollsAsAScrollBarDoes) {
  for (int i = 0; i < 40; ++i) w.AddItem("1", "entry", "", 10);
  w.show();
  FireStartTimer();
  w.chart().ShowLegend(false);
  w.Refresh();
  const ChildControls& ch = s().children;
  const Control& bar = ch.vsbContainer;
  ASSERT_TRUE(bar.Visible);
  const int entry = 26;  // pixels
  const QPoint downArrow(qRound((ch.picLegend.Left + bar.Left + bar.Width / 2) / 15),
                         qRound((ch.picLegend.Top + bar.Top + bar.Height) / 15) - 3);

  // Five quick clicks through the window system, which reports the second
  // and the fourth press as double-clicks.
  QWindow* window = w.windowHandle();
  QTest::mouseDClick(window, Qt::LeftButton, {}, downArrow);
  QTest::mouseDClick(window, Qt::LeftButton, {}, downArrow);
  QTest::mouseClick(window, Qt::LeftButton, {}, downArrow);
  EXPECT_EQ(bar.Value, 5 * entry);

  // Held, the arrow repeats after a first delay, then at a steady rate.
  QTimer& repeat = w.ScrollRepeatTimer();
  QTest::mousePress(&w, Qt::LeftButton, {}, downArrow);
  EXPECT_EQ(bar.Value, 6 * entry);
  EXPECT_EQ(repeat.interval(), 500);
  Fire(repeat);
  EXPECT_EQ(bar.Value, 7 * entry);
  EXPECT_EQ(repeat.interval(), 50);
  Fire(repeat);
  EXPECT_EQ(bar.Value, 8 * entry);
  QTest::mouseRelease(&w, Qt::LeftButton, {}, downArrow);
  EXPECT_FALSE(repeat.isActive());

  // A wheel notch over the list scrolls three entries; over the chart the
  // wheel is left to the window's parent.
  auto turn = [&](QPoint at) {
    QWheelEvent wheel(at, w.mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&w, &wheel);
    return wheel.isAccepted();
  };
  EXPECT_TRUE(turn(QPoint(qRound((ch.picLegend.Left + ch.picContainer.Left) / 15) + 20, 100)));
  EXPECT_EQ(bar.Value, 11 * entry);
  EXPECT_FALSE(turn(QPoint(100, 100)));
  EXPECT_EQ(bar.Value, 11 * entry);
}

}  // namespace
}  // namespace palvex
