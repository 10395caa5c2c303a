// The control in a real (offscreen) Qt window: painting, the start timer,
// real pop-up menus, tool tips, properties and signals.
#include <palvex/palvexchartrenderer.h>
#include <palvex/palvexchartwidget.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLocale>
#include <QMenu>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <QToolTip>
#include <QWheelEvent>

#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaProperty>
#include <functional>

#include "model/description_entries.h"
#include "platform/chart_error.h"
#include "platform/qt/qt_text.h"
#include "support/picture_checks.h"
#include "ui/info_label_input.h"
#include "widget/palvex_chart_widget_p.h"
#include "widget/widget_host.h"

namespace palvex {
namespace {

// Sees an object's events before it does; true swallows one.
class EventFilter : public QObject {
 public:
  EventFilter(QObject* target, std::function<bool(QEvent*)> filter)
      : target_(target), filter_(std::move(filter)) {
    target_->installEventFilter(this);
  }
  ~EventFilter() override { target_->removeEventFilter(this); }
  bool eventFilter(QObject*, QEvent* e) override { return filter_(e); }

 private:
  QObject* target_;
  std::function<bool(QEvent*)> filter_;
};

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
    w.setAnimated(false);  // the finished chart at once
    w.resize(560, 372);
  }
  // Delivers a timer's expiry as the event loop would.
  static void Fire(QTimer& timer) {
    ASSERT_TRUE(timer.isActive());
    QTimerEvent expired(timer.timerId());
    QCoreApplication::sendEvent(&timer, &expired);
  }
  void FireStartTimer() { Fire(d.StartTimer()); }
  ChartState& s() { return d.chart().state(); }
  // Opens the chart's main menu with a right press and answers it with
  // what the menu's handler does; the handler sees nullptr when no menu
  // came up.
  void RightPress(const std::function<void(QMenu*)>& handle, QPoint at = QPoint(200, 200),
                  Qt::KeyboardModifiers modifiers = {}) {
    QTimer::singleShot(0, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      handle(menu);
      if (menu) menu->close();
    });
    QTest::mousePress(&w, Qt::RightButton, modifiers, at);
    QCoreApplication::processEvents();  // the check runs also when no menu opened
  }

  PalvexChartWidget w;
  PalvexChartWidgetPrivate& d = PalvexChartWidgetPrivate::get(w);
};

TEST_F(Widget, EachShowingArmsTheStartTimerForOneTick) {
  EXPECT_FALSE(d.StartTimer().isActive());
  w.addItem({"1", "North", "Jan", 40});
  w.show();
  EXPECT_TRUE(d.StartTimer().isActive());
  EXPECT_EQ(d.StartTimer().interval(), 100);
  FireStartTimer();
  EXPECT_FALSE(d.StartTimer().isActive());
  EXPECT_TRUE(s().animationDone);
  EXPECT_EQ(s().barPalette[0], 0xFFEFB9u);
  EXPECT_EQ(s().barPalette[25], 0x0CC5FAu);

  w.hide();
  EXPECT_FALSE(d.StartTimer().isActive());
  w.show();
  FireStartTimer();
  EXPECT_FALSE(d.StartTimer().isActive());
}

TEST_F(Widget, ARightPressPopsUpTheMainMenuAsARealMenu) {
  w.setSelectable(true);
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
  QSignalSpy downs(&w, &PalvexChartWidget::mousePressed);
  QSignalSpy legend(&w, &PalvexChartWidget::legendVisibleChanged);
  QTest::mousePress(&w, Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier, QPoint(200, 150));
  EXPECT_EQ(shown, (QStringList{"另存为(&A)", "复制(&C)", "图例信息(&I)", "图例信息跟随(&M)",
                                "显示图例(&D)"}));
  EXPECT_TRUE(separator);
  // The selection item mirrors SelectionInformation, off by default.
  EXPECT_EQ(checked, QStringLiteral("图例信息跟随(&M);"));
  // The chosen item ran and is notified; then the press came, in the
  // widget's pixels with Qt's buttons and modifiers.
  EXPECT_TRUE(w.legendVisible());
  EXPECT_TRUE(s().children.mnuViewLegend.Checked);
  ASSERT_EQ(legend.size(), 1);
  EXPECT_TRUE(legend[0][0].toBool());
  ASSERT_EQ(downs.size(), 1);
  EXPECT_EQ(downs[0][0].toPointF(), QPointF(200, 150));
  EXPECT_EQ(downs[0][1].value<Qt::MouseButtons>(), Qt::MouseButtons(Qt::RightButton));
  EXPECT_EQ(downs[0][2].value<Qt::KeyboardModifiers>(), Qt::ShiftModifier | Qt::ControlModifier);

  QSignalSpy ups(&w, &PalvexChartWidget::mouseReleased);
  QTest::mouseRelease(&w, Qt::RightButton, {}, QPoint(200, 150));
  ASSERT_EQ(ups.size(), 1);
  EXPECT_EQ(ups[0][0].toPointF(), QPointF(200, 150));
}

// The main menu is the window's context menu and follows its policy.
TEST_F(Widget, TheContextMenuPolicyDecidesWhatARightPressOpens) {
  w.show();
  auto* extra = new QAction("Extra", &w);
  w.addAction(extra);
  struct Case {
    Qt::ContextMenuPolicy policy;
    QStringList menu;  // the first items of the menu that opens, if one does
    int requests;
  };
  const Case cases[] = {
      {Qt::DefaultContextMenu, {"另存为(&A)", "复制(&C)"}, 0},
      {Qt::NoContextMenu, {}, 0},
      {Qt::PreventContextMenu, {}, 0},
      {Qt::CustomContextMenu, {}, 1},
      {Qt::ActionsContextMenu, {"Extra"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.policy);
    w.setContextMenuPolicy(c.policy);
    QSignalSpy requests(&w, &QWidget::customContextMenuRequested);
    QStringList opened;
    RightPress([&](QMenu* menu) {
      if (menu)
        for (QAction* a : menu->actions()) opened << a->text();
    });
    EXPECT_EQ(opened.mid(0, c.menu.size()), c.menu);
    EXPECT_EQ(opened.isEmpty(), c.menu.isEmpty());
    ASSERT_EQ(requests.size(), c.requests);
    if (c.requests) {
      EXPECT_EQ(requests[0][0].toPoint(), QPoint(200, 200));
    }
    QTest::mouseRelease(&w, Qt::RightButton, {}, QPoint(200, 200));
  }
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
  const QImage composed = d.ComposedImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(painted.size(), QSize(560, 372));
  EXPECT_EQ(painted, composed);
  // The folded legend's slider strip at the right edge.
  EXPECT_EQ(painted.pixelColor(557, 200), ToQColor(s().children.lblSlider.BackColor));
  // A width the chart refuses: its picture keeps its size, and the window
  // shows its background beyond it.
  w.resize(16400, 372);
  const QImage beyond = w.grab(QRect(600, 0, 15800, 372)).toImage();
  EXPECT_EQ(beyond.pixelColor(0, 0), w.backColor());
  EXPECT_EQ(beyond.pixelColor(15799, 371), w.backColor());
}

// The window repaints only what an event changed, yet shows, pixel for
// pixel, what a whole repaint would. The window here is an image: each
// paint the widget is asked for renders just that part of it there.
TEST_F(Widget, RepaintsOnlyWhatAnEventChangedYetShowsTheWholeChart) {
  w.setSelectable(true);
  w.setSelectionInformation(true);
  w.setHotTracking(true);
  for (int i = 1; i <= 30; ++i) w.addItem({QString::number(i % 10 + 1), "entry", "c", 2.0 * i});
  w.show();
  FireStartTimer();
  w.setLegendVisible(true);
  // Just above the plot's bottom: on the column's bar.
  const auto slot = [&](int column) {
    return QPoint(qRound((s().MarginLeft + (column + 0.5) * s().barWidth) / 15),
                  qRound((s().surface->ScaleHeight() - s().MarginBottom) / 15) - 3);
  };
  // The first hover draws the hot bar's look for the first time.
  QTest::mouseMove(&w, slot(1));
  for (int turn = 0; turn < 3; ++turn) QCoreApplication::processEvents();
  QApplication::setActiveWindow(&w);
  QImage window = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
  QRegion painted;
  bool whole = false;  // a grab: the whole widget, not the window
  EventFilter paints(&w, [&](QEvent* e) {
    if (e->type() != QEvent::Paint || whole) return false;
    const QRegion region = static_cast<QPaintEvent*>(e)->region();
    painted += region;
    // Qt refuses to render a widget it is painting: this paint is the
    // render, and the one Qt began is dropped.
    w.setAttribute(Qt::WA_WState_InPaintEvent, false);
    whole = true;
    w.render(&window, region.boundingRect().topLeft(), region);
    whole = false;
    w.setAttribute(Qt::WA_WState_InPaintEvent, true);
    return true;
  });
  const auto wholeRepaint = [&] {
    whole = true;
    const QImage picture = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    whole = false;
    return picture;
  };
  const QPoint legend(qRound((s().children.picLegend.Left + 40) / 15), 200);
  struct Case {
    const char* what;
    std::function<void()> event;
    bool small;  // a part of the window, not all of it
  };
  const Case cases[] = {
      {"hover onto a bar", [&] { QTest::mouseMove(&w, slot(2)); }, true},
      {"hover onto another", [&] { QTest::mouseMove(&w, slot(5)); }, true},
      {"a corner painted before the update",
       [&] {
         QTest::mouseMove(&w, slot(7));
         w.repaint(QRect(0, 0, 10, 10));
       },
       true},
      {"press a bar", [&] { QTest::mouseClick(&w, Qt::LeftButton, {}, slot(5)); }, false},
      {"wheel over the legend",
       [&] {
         QWheelEvent wheel(legend, w.mapToGlobal(legend), {}, {0, -120}, Qt::NoButton, {},
                           Qt::NoScrollPhase, false);
         QApplication::sendEvent(&w, &wheel);
       },
       true},
      {"arrow key", [&] { QTest::keyClick(&w, Qt::Key_Right); }, true},
      {"focus away", [&] { w.clearFocus(); }, false},
      {"focus back", [&] { w.setFocus(); }, false},
      {"title", [&] { w.setChartTitle("Later"); }, false},
      // The focus frame's pen reaches past a slot narrower than itself.
      {"margins that leave the bars no width",
       [&] { w.setMarginLeft(w.width() - w.marginRight()); }, false},
      {"the host selects a bar of no width", [&] { w.setSelectedColumn(9); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    painted = QRegion();
    c.event();
    for (int turn = 0; turn < 3; ++turn) QCoreApplication::processEvents();
    EXPECT_EQ(window, wholeRepaint());
    if (c.small) {
      int area = 0;
      for (const QRect& r : painted) area += r.width() * r.height();
      EXPECT_GT(area, 0);
      EXPECT_LT(area, w.width() * w.height() / 4);
    }
  }
}

// The growth plays from the event loop: the window shows, 0.07 s apart, the
// very frames a window repainted at each of the control's refreshes, other
// timers fire in between, and a change made meanwhile shows once it is over.
TEST_F(Widget, TheGrowthPlaysTheControlsFramesFromTheEventLoop) {
  PalvexChartWidget blocking;
  for (PalvexChartWidget* chart : {&w, &blocking}) {
    chart->resize(560, 372);
    chart->setTheme(PalvexChartWidget::PersianGulf);
    for (int i = 1; i <= 4; ++i) chart->addItem({QString::number(i), "d", "c", 10.0 * i});
  }
  // The reference: what the window painted at each refresh, as it did when
  // the growth held the thread.
  std::vector<QImage> painted;
  PalvexChartWidgetPrivate& b = PalvexChartWidgetPrivate::get(blocking);
  b.host->SetRepaint([&] { painted.push_back(b.ComposedImage().copy()); });
  blocking.show();
  Fire(b.StartTimer());

  w.setAnimated(true);
  w.show();
  int turns = 0;
  QTimer other;
  QObject::connect(&other, &QTimer::timeout, [&] { ++turns; });
  other.start(0);
  FireStartTimer();
  std::vector<QImage> shown;
  while (d.player.playing()) {
    const QImage now = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (shown.empty() || shown.back() != now) shown.push_back(now);
    if (shown.size() == 3) w.setChartTitle("Later");
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  ASSERT_EQ(painted.size(), 10u);
  ASSERT_EQ(shown.size(), painted.size());
  for (std::size_t k = 0; k < shown.size(); ++k)
    EXPECT_EQ(shown[k], painted[k].convertToFormat(QImage::Format_RGB32)) << "frame " << k + 1;
  EXPECT_GE(turns, 9);
  EXPECT_EQ(w.grab().toImage().convertToFormat(QImage::Format_RGB32),
            d.ComposedImage().convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(w.chartTitle(), "Later");
}

// Items added in one turn of the event loop are drawn by one pass after it,
// as update() paints once for many calls.
TEST_F(Widget, ItemsAddedInOneTurnAreDrawnByOnePassAfterIt) {
  w.show();
  FireStartTimer();
  const std::uint64_t passes = s().passesBegun;
  for (int i = 0; i < 1000; ++i) w.addItem({"1", "d", "c", i % 50 + 1.0});
  EXPECT_EQ(s().passesBegun, passes);
  QCoreApplication::processEvents();
  EXPECT_EQ(s().passesBegun, passes + 1);
  EXPECT_EQ(s().barTops.size(), 1000u);
}

// The host's bar colours reach every picture of the chart (the window, the
// bitmap, SVG and PDF) and the legend's colour boxes, and empty gives the
// control's own colours back.
TEST_F(Widget, BarColorsReachEveryPictureAndTheLegend) {
  w.setTheme(PalvexChartWidget::Sky);
  w.addItem({"1", "North", "Jan", 50});
  w.addItem({"2", "South", "Feb", 50});
  w.setLegendVisible(true);
  w.show();
  FireStartTimer();
  const QImage own = w.toImage();
  const QList<QColor> brand = {QColor(200, 30, 40), QColor(20, 60, 210)};
  w.setBarColors(brand);
  EXPECT_EQ(w.barColors(), brand);
  // The middle of each bar leans to its colour, in the window as in the
  // picture.
  const auto leansTo = [](const QImage& picture, QPoint at, int channel) {
    const QColor c = picture.pixelColor(at);
    const int values[] = {c.red(), c.green(), c.blue()};
    return values[channel] > values[(channel + 1) % 3] + 40 &&
           values[channel] > values[(channel + 2) % 3] + 40;
  };
  const double middle = (s().MarginLeft + s().barWidth / 2) / 15;
  const QPoint first(static_cast<int>(middle), 250);
  const QPoint second(static_cast<int>(middle + s().barWidth / 15), 250);
  const QImage picture = w.toImage();
  EXPECT_TRUE(leansTo(picture, first, 0));
  EXPECT_TRUE(leansTo(picture, second, 2));
  const QImage shown = w.grab().toImage();
  EXPECT_TRUE(leansTo(shown, first, 0));
  EXPECT_TRUE(leansTo(shown, second, 2));
  // The vector pictures carry the colours as gradient stops.
  const QString svg = QDir::temp().filePath("palvex-bar-colors.svg");
  const QString pdf = QDir::temp().filePath("palvex-bar-colors.pdf");
  ASSERT_TRUE(w.save(svg));
  ASSERT_TRUE(w.save(pdf));
  QFile svgFile(svg);
  ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
  const QByteArray svgText = svgFile.readAll();
  EXPECT_TRUE(svgText.contains("#c81e28")) << "the first colour";
  EXPECT_TRUE(svgText.contains("#143cd2")) << "the second colour";
  EXPECT_GT(QFileInfo(pdf).size(), 0);
  QFile::remove(svg);
  QFile::remove(pdf);
  // The legend's boxes show the colour of the bar they describe.
  const DescriptionEntries& entries = s().children.entries;
  ASSERT_NE(entries.Record(1), nullptr);
  EXPECT_EQ(ToQColor(entries.Record(0)->color), brand[0]);
  EXPECT_EQ(ToQColor(entries.Record(1)->color), brand[1]);
  // Refused whole: an invalid colour or more than fifteen.
  w.setProperty("barColors", QVariant::fromValue(QList<QColor>{QColor()}));
  EXPECT_EQ(w.lastError(), kErrInvalidPropertyValue);
  EXPECT_EQ(w.barColors(), brand);
  w.setBarColors(QList<QColor>(16, Qt::red));
  EXPECT_EQ(w.barColors(), brand);
  w.setBarColors({});
  EXPECT_EQ(w.toImage(), own);
}

// A widget kept hidden (a report that only exports) draws its bars in the
// colours it would show them in.
TEST_F(Widget, AChartNeverShownExportsItsBarsInTheirColours) {
  w.setItems({{"1", "North", "Jan", 50}});
  const QColor bar = w.toImage().pixelColor(static_cast<int>(s().MarginLeft / 15) + 20, 300);
  EXPECT_GT(bar.green(), 100) << "the control's green, not black";
}

// Runs as its own test with QT_SCALE_FACTOR=2 (see tests/CMakeLists.txt).
TEST_F(Widget, AtADevicePixelRatioOf2PaintsTwiceThePixelsInTheSameLayout) {
  if (w.devicePixelRatioF() != 2) GTEST_SKIP() << "needs a device pixel ratio of 2";
  w.setTheme(PalvexChartWidget::Normal);
  w.setBackColor(Qt::white);
  w.setForeColor(Qt::black);
  w.setChartTitle("Crisp 清晰");
  w.setSelectable(true);
  w.addItem({"7", "North", "Jan", 40});
  w.addItem({"8", "South", "Feb", 60});
  w.show();
  FireStartTimer();
  const QImage painted = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(painted.size(), QSize(1120, 744));
  EXPECT_GT(testing::MixedBlocks(painted, QRect(0, 0, 1120, 40)), 100);  // not enlarged
  // The layout and what a host reads are those of ratio 1.
  EXPECT_EQ(s().surface->PixelWidth(), 560);
  EXPECT_EQ(s().surface->ScaleWidth(), 560 * 15);
  EXPECT_EQ(s().children.picLegend.Left, 560 * 15 - 90);
  EXPECT_EQ(w.toImage().size(), QSize(560, 372));
  EXPECT_EQ(w.toImage(2).size(), QSize(1120, 744));
  QPointF pressedAt;
  QObject::connect(&w, &PalvexChartWidget::mousePressed,
                   [&](QPointF at, Qt::MouseButtons, Qt::KeyboardModifiers) { pressedAt = at; });
  const QPoint onBar(qRound((s().MarginLeft + 1.5 * s().barWidth) / 15),
                     qRound((s().surface->ScaleHeight() - s().MarginBottom) / 15) - 1);
  QTest::mouseClick(&w, Qt::LeftButton, {}, onBar);
  EXPECT_EQ(w.selectedColumn(), 1);
  EXPECT_EQ(pressedAt, QPointF(onBar));
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

// Every property, written through QObject::setProperty as a form or a
// property editor writes it: a new value notifies once with the value read
// back, the same value and a mere redraw notify nothing.
TEST_F(Widget, EachPropertyNotifiesOncePerRealChange) {
  w.addItem({"1", "North", "Jan", 40});
  const QMetaObject& meta = PalvexChartWidget::staticMetaObject;
  for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
    const QMetaProperty property = meta.property(i);
    SCOPED_TRACE(property.name());
    const QVariant before = property.read(&w);
    QVariant next;
    switch (before.typeId()) {
      case QMetaType::QString:
        next = before.toString() + "x";
        break;
      case QMetaType::Bool:
        next = !before.toBool();
        break;
      case QMetaType::Double:
        next = before.toDouble() + 100;
        break;
      case QMetaType::Int:
        next = before.toInt() + 1;  // the selected column: -1 to 0
        break;
      case QMetaType::QColor:
        next = QColor(before.value<QColor>() == QColor(Qt::red) ? Qt::blue : Qt::red);
        break;
      case QMetaType::QFont:
        next = QFont("DejaVu Sans", 13);
        break;
      default:
        if (before.canConvert<QList<QColor>>()) {
          next = QVariant::fromValue(QList<QColor>{QColor(Qt::red), QColor(Qt::blue)});
          break;
        }
        ASSERT_TRUE(property.isEnumType());
        next = QVariant::fromValue(PalvexChartWidget::Sky);
        break;
    }
    QSignalSpy spy(&w, property.notifySignal());
    ASSERT_TRUE(w.setProperty(property.name(), next));
    const QVariant after = property.read(&w);
    // Each drawing pass sets the major grid step from the scale: a written
    // one does not stay.
    if (property.name() != QByteArray("intersectMajor")) {
      EXPECT_EQ(after, next);
    }
    ASSERT_EQ(spy.size(), after == before ? 0 : 1);
    if (!spy.isEmpty()) {
      EXPECT_EQ(spy[0][0], after);
    }

    spy.clear();
    w.setProperty(property.name(), after);
    EXPECT_EQ(spy.size(), 0);
  }

  // Showing applies the theme's colours, a real change; redraws after it
  // change nothing.
  w.show();
  FireStartTimer();
  std::vector<std::unique_ptr<QSignalSpy>> all;
  for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
    all.push_back(std::make_unique<QSignalSpy>(&w, meta.property(i).notifySignal()));
  w.refresh();
  w.resize(w.size());
  w.grab();
  for (const auto& spy : all) EXPECT_EQ(spy->size(), 0);
}

TEST_F(Widget, ColorsKeepTheirByteOrderFromQColorToThePicture) {
  w.setTheme(PalvexChartWidget::Normal);  // paints no theme over the back colour
  w.setBackColor(Qt::red);
  w.setForeColor(QColor(0, 128, 255));
  EXPECT_EQ(w.backColor(), QColor(Qt::red));
  EXPECT_EQ(w.foreColor(), QColor(0, 128, 255));
  // Packed with red in the low byte, as the control and its bags keep it.
  EXPECT_EQ(s().surface->BackColor(), 0x0000FFu);
  EXPECT_EQ(s().surface->ForeColor(), 0xFF8000u);
  EXPECT_EQ(w.toImage().pixelColor(2, 2), QColor(Qt::red));
  // A system colour reads as the colour it paints.
  d.chart().SetBackColor(kSystemWindow);
  EXPECT_EQ(w.backColor(), ToQColor(ResolveColor(kSystemWindow)));
}

// A call the chart refuses reports the control's error and leaves the
// widget as it was: no property changed, nothing notified, the same
// picture shown and exported.
TEST_F(Widget, ARefusedCallReportsItsErrorAndChangesNothing) {
  w.addItem({"1", "North", "Jan", 40});
  w.show();
  FireStartTimer();
  struct Case {
    const char* what;
    std::function<void()> call;
    int number;
  };
  const Case cases[] = {
      {"negative margin", [&] { w.setMarginLeft(-1); }, kErrInvalidPropertyValue},
      {"negative top margin", [&] { w.setMarginTop(-1); }, kErrInvalidPropertyValue},
      {"endless maximum", [&] { w.setMaxY(qInf()); }, kErrInvalidPropertyValue},
      {"maximum past the scale", [&] { w.setMaxY(1e300); }, kErrOverflow},
      {"theme out of the enumeration", [&] { w.setTheme(PalvexChartWidget::Theme(42)); },
       kErrInvalidPropertyValue},
      {"invalid colour", [&] { w.setBackColor(QColor()); }, kErrInvalidPropertyValue},
      {"theme number", [&] { w.setProperty("theme", 7); }, kErrInvalidPropertyValue},
      {"seven decimals", [&] { w.setValueDecimals(7); }, kErrInvalidPropertyValue},
      {"negative decimals", [&] { w.setValueDecimals(-1); }, kErrInvalidPropertyValue},
      {"item the pass cannot draw",
       [&] {
         w.setItems({{"2", "", "", 500}, {"not a number", "", "", 1}});
       },
       kErrTypeMismatch},
      {"item without a finite value",
       [&] {
         w.setItems({{"2", "", "", qQNaN()}});
       },
       kErrOverflow},
      // Added alone, each would fail every pass from the next on.
      {"added item whose ID is no number",
       [&] {
         w.addItem({"abc", "", "", 1});
       },
       kErrTypeMismatch},
      {"added item whose ID gives no colour",
       [&] {
         w.addItem({"-3", "", "", 1});
       },
       kErrSubscript},
      {"added item past the scale",
       [&] {
         w.addItem({"2", "", "", 1e12});
       },
       kErrOverflow},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QByteArray state = w.saveState();
    const QList<PalvexChartItem> items = w.items();
    const QImage picture = w.toImage();
    const QImage shown = d.ComposedImage().copy();
    QSignalSpy errors(&w, &PalvexChartWidget::errorOccurred);
    QSignalSpy maxY(&w, &PalvexChartWidget::maxYChanged);
    Warnings warnings;
    c.call();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0][0].toInt(), c.number);
    EXPECT_EQ(w.lastError(), c.number);
    EXPECT_EQ(w.lastErrorString(), errors[0][1].toString());
    EXPECT_EQ(warnings.list().size(), 1);
    EXPECT_EQ(w.saveState(), state);
    EXPECT_EQ(w.items(), items);
    EXPECT_EQ(maxY.size(), 0);
    EXPECT_EQ(w.toImage(), picture);
    EXPECT_EQ(d.ComposedImage(), shown);
    // A call that works clears the error.
    w.refresh();
    EXPECT_EQ(w.lastError(), 0);
  }
}

// The headless renderer keeps its picture through a refusal the same way.
TEST(RendererRefusal, ARefusedPropertyLeavesThePictureAsItWas) {
  PalvexChartRenderer renderer;
  renderer.addItem({"1", "North", "Jan", 40});
  const QImage picture = renderer.toImage();
  for (const auto& [name, value] : {std::pair{"MaxY", QVariant(1e300)},
                                    std::pair{"MarginLeft", QVariant(QStringLiteral("wide"))}}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(renderer.setProperty(name, value));
    EXPECT_NE(renderer.lastError(), 0);
    EXPECT_EQ(renderer.toImage(), picture);
  }
  const QString path = QDir::temp().filePath("palvex-refused-quality.png");
  EXPECT_FALSE(renderer.save(path, nullptr, 1.0, 101));
  EXPECT_EQ(renderer.lastError(), kErrInvalidPropertyValue);
  EXPECT_FALSE(QFile::exists(path));
}

// One vocabulary: the renderer takes every name the widget shares with the
// control, in the widget's types, reads back what the widget reads back
// after the same write, and refuses what the widget refuses.
TEST(OneVocabulary, TheRendererTakesTheWidgetsNamesAndTypes) {
  PalvexChartWidget widget;
  PalvexChartRenderer renderer;
  const QStringList widgetsOwn = {"animated"};
  const QMetaObject& meta = PalvexChartWidget::staticMetaObject;
  for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
    const QMetaProperty property = meta.property(i);
    const QString name = QString::fromLatin1(property.name());
    if (widgetsOwn.contains(name)) continue;
    SCOPED_TRACE(property.name());
    const QVariant before = property.read(&widget);
    QVariant next;
    if (property.isEnumType()) {
      next = QVariant::fromValue(PalvexChartWidget::Neon);
    } else if (before.typeId() == QMetaType::QString) {
      next = before.toString() + "x";
    } else if (before.typeId() == QMetaType::Bool) {
      next = !before.toBool();
    } else if (before.typeId() == QMetaType::QColor) {
      next = QColor(12, 34, 56);
    } else if (before.typeId() == QMetaType::QFont) {
      next = QFont("DejaVu Sans", 13, QFont::Bold, true);
    } else if (before.typeId() == QMetaType::Int) {
      next = before.toInt() + 2;
    } else if (before.canConvert<QList<QColor>>()) {
      next = QVariant::fromValue(QList<QColor>{QColor(12, 34, 56)});
    } else {
      next = before.toDouble() + 7;
    }
    ASSERT_TRUE(widget.setProperty(property.name(), next));
    ASSERT_TRUE(renderer.setProperty(name, next)) << qPrintable(renderer.lastErrorString());
    const QVariant shown = property.read(&widget);
    const QVariant rendered = renderer.property(name);
    if (property.isEnumType()) {
      EXPECT_EQ(rendered.toInt(), shown.toInt());
    } else if (name != "intersectMajor") {  // each pass sets it from the scale
      EXPECT_EQ(rendered, shown);
    }
  }
  const std::pair<const char*, QVariant> refused[] = {
      {"marginLeft", -1.0},        {"marginTop", qInf()}, {"theme", 42},
      {"backColor", QColor()},     {"maxY", 1e300},       {"maxY", qInf()},
      {"intersectMinor", qQNaN()},
  };
  for (const auto& [name, value] : refused) {
    SCOPED_TRACE(name);
    widget.setProperty(name, value);
    EXPECT_FALSE(renderer.setProperty(name, value));
    EXPECT_EQ(renderer.lastError(), widget.lastError());
  }
  // A value the widget's type cannot hold at all: a list is no text, and
  // the unit stays.
  const QVariant list = QVariantList{1, 2};
  EXPECT_FALSE(widget.setProperty("valueSuffix", list));
  EXPECT_FALSE(renderer.setProperty("valueSuffix", list));
  EXPECT_EQ(renderer.lastError(), kErrInvalidPropertyValue);
  EXPECT_EQ(renderer.property("valueSuffix"), widget.valueSuffix());
  // The automation names keep their own forms.
  EXPECT_EQ(renderer.property("BackColor").toUInt(), 0x38220Cu);  // red in the low byte
  EXPECT_EQ(renderer.property("ActiveTheme"), 2);
}

// The renderer's next picture shows the host's styling given after the
// first one, as it shows a property written then.
TEST(OneVocabulary, TheRenderersNextPictureShowsNewStyling) {
  PalvexChartRenderer renderer;
  renderer.setItems({{"1", "North", "Jan", 50}});
  const QImage first = renderer.toImage();
  const std::pair<const char*, QVariant> styles[] = {
      {"barColors", QVariant::fromValue(QList<QColor>{Qt::red})},
      {"titleFont", QFont("DejaVu Serif", 14)},
      {"theme", int(PalvexChartWidget::Palette)},
  };
  QImage before = first;
  for (const auto& [name, value] : styles) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(renderer.setProperty(name, value)) << qPrintable(renderer.lastErrorString());
    const QImage after = renderer.toImage();
    EXPECT_NE(after, before);
    before = after;
  }
}

TEST_F(Widget, ARefusedStateLeavesTheChartAsItWas) {
  w.setChartTitle("kept");
  const QByteArray kept = w.saveState();
  auto edited = [&](const char* key, const QJsonValue& value) {
    QJsonObject o = QJsonDocument::fromJson(kept).object();
    o.insert(key, value);
    return QJsonDocument(o).toJson();
  };
  const std::pair<QByteArray, int> cases[] = {
      {"{ not json", kErrInvalidPropertyValue},
      // Late in the bag: the keys before it must not stay loaded.
      {edited("uMaxYValue", "tall"), kErrTypeMismatch},
      {edited("uSelectedColumn", 1e10), kErrOverflow},
      {edited("ActiveTheme", 7), kErrInvalidPropertyValue},
  };
  for (const auto& [state, number] : cases) {
    SCOPED_TRACE(state.toStdString());
    QSignalSpy titles(&w, &PalvexChartWidget::chartTitleChanged);
    EXPECT_FALSE(w.restoreState(QByteArray(state).replace("\"kept\"", "\"lost\"")));
    EXPECT_EQ(w.lastError(), number);
    EXPECT_EQ(w.saveState(), kept);
    EXPECT_EQ(titles.size(), 0);
  }
  QSignalSpy titles(&w, &PalvexChartWidget::chartTitleChanged);
  EXPECT_TRUE(w.restoreState(QByteArray(kept).replace("\"kept\"", "\"loaded\"")));
  EXPECT_EQ(w.chartTitle(), "loaded");
  EXPECT_EQ(titles.size(), 1);
}

TEST(WidgetFromState, ASavedStateIsLoadedInsteadOfTheDefaults) {
  PalvexChartWidget loaded(QByteArray(R"({"uMaxYValue": 500})"));
  // Absent keys take their load values, not a new control's.
  EXPECT_EQ(loaded.lastError(), 0);
  EXPECT_EQ(loaded.maxY(), 500);
  EXPECT_EQ(loaded.marginTop(), 0);
  EXPECT_EQ(loaded.chartSubTitle(), QString());
  EXPECT_FALSE(loaded.displayXAxis());
  EXPECT_FALSE(loaded.contentBorder());
  EXPECT_EQ(loaded.selectedColumn(), -1);

  // A state that cannot be loaded gives the defaults, and says why.
  PalvexChartWidget refused(QByteArray(R"({"uMaxYValue": "tall"})"));
  EXPECT_EQ(refused.lastError(), kErrTypeMismatch);
  EXPECT_EQ(refused.saveState(), PalvexChartWidget().saveState());
}

TEST_F(Widget, PressingABarSignalsItemClickBeforeMousePressed) {
  w.setSelectable(true);
  w.addItem({"7", "North", "Jan", 40});
  w.addItem({"8", "South", "Feb", 60});
  w.show();
  FireStartTimer();
  QStringList signalled;
  QObject::connect(&w, &PalvexChartWidget::itemClicked,
                   [&](int column, const PalvexChartItem& item) {
                     signalled << QStringLiteral("itemClicked %1 %2 %3 %4")
                                      .arg(column)
                                      .arg(item.itemId(), item.description())
                                      .arg(item.value());
                   });
  QObject::connect(&w, &PalvexChartWidget::selectedColumnChanged,
                   [&](int column) { signalled << QStringLiteral("selected %1").arg(column); });
  QObject::connect(&w, &PalvexChartWidget::mousePressed,
                   [&](QPointF, Qt::MouseButtons buttons, Qt::KeyboardModifiers) {
                     signalled << QStringLiteral("mousePressed %1").arg(buttons.toInt());
                   });
  // Column 1, one pixel above the plot's bottom edge.
  const QPoint onBar(qRound((s().MarginLeft + 1.5 * s().barWidth) / 15),
                     qRound((s().surface->ScaleHeight() - s().MarginBottom) / 15) - 1);
  QTest::mouseClick(&w, Qt::LeftButton, {}, onBar);
  QTest::mouseClick(&w, Qt::LeftButton, {}, onBar);
  EXPECT_EQ(signalled, (QStringList{"itemClicked 1 8 South 60", "mousePressed 1", "selected 1",
                                    "mousePressed 1"}));
  EXPECT_EQ(w.selectedColumn(), 1);
}

TEST_F(Widget, TheLabelGroupsTheAmountAsTheWidgetsLocaleDoes) {
  w.setSelectable(true);
  w.setSelectionInformation(true);
  w.addItem({"1", "North", "Jan", 1234567});
  w.show();
  FireStartTimer();
  const std::pair<QLocale, QString> cases[] = {
      {QLocale::c(), "1,234,567"},
      {QLocale(QLocale::German, QLocale::Germany), "1.234.567"},
      {QLocale(QLocale::French, QLocale::France), QStringLiteral("1\u202F234\u202F567")},
  };
  w.setSelectedColumn(0);
  for (const auto& [locale, amount] : cases) {
    // The label shown follows at once.
    w.setLocale(locale);
    EXPECT_EQ(ToQString(s().children.lblInfo.Caption).split('\r').value(1),
              QStringLiteral("金额: %1元").arg(amount));
  }
  // The host's unit and decimals, in the locale's own decimal point, shown
  // at once; reset, the currency comes back.
  w.setLocale(QLocale(QLocale::German, QLocale::Germany));
  w.setValueSuffix(" mm");
  w.setValueDecimals(2);
  EXPECT_EQ(ToQString(s().children.lblInfo.Caption).split('\r').value(1),
            QStringLiteral("金额: 1.234.567,00 mm"));
  // A "%1" of the host's is text, read back as given.
  w.setValueSuffix(" %1 mm");
  EXPECT_EQ(w.valueSuffix(), QStringLiteral(" %1 mm"));
  EXPECT_EQ(ToQString(s().children.lblInfo.Caption).split('\r').value(1),
            QStringLiteral("金额: 1.234.567,00 %1 mm"));
  w.resetValueSuffix();
  EXPECT_EQ(w.valueSuffix(), QStringLiteral("元"));
}

TEST_F(Widget, ADraggedLabelShowsAnOutlineThatFollowsThePointer) {
  w.setSelectable(true);
  w.setSelectionInformation(true);
  w.addItem({"1", "North", "Jan", 40});
  w.show();
  FireStartTimer();
  w.setSelectedColumn(0);
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
  const QImage composed = d.ComposedImage().convertToFormat(QImage::Format_RGB32);
  // The frame inverts what lies below it; inside, the picture shows through.
  EXPECT_EQ(shown.pixel(corner) & 0xFFFFFF, ~composed.pixel(corner) & 0xFFFFFF);
  EXPECT_EQ(shown.pixel(corner + QPoint(1, 1)) & 0xFFFFFF,
            ~composed.pixel(corner + QPoint(1, 1)) & 0xFFFFFF);
  EXPECT_EQ(shown.pixel(corner + QPoint(5, 5)), composed.pixel(corner + QPoint(5, 5)));

  QTest::mouseRelease(&w, Qt::LeftButton, {}, to);
  EXPECT_EQ(label.Left, outline->left);
  EXPECT_EQ(w.grab().toImage().convertToFormat(QImage::Format_RGB32),
            d.ComposedImage().convertToFormat(QImage::Format_RGB32));
}

TEST_F(Widget, TheDescriptionListScrollsAsAScrollBarDoes) {
  QList<PalvexChartItem> items;
  for (int i = 0; i < 40; ++i) items.append({"1", "entry", "", 10});
  ASSERT_TRUE(w.setItems(items));
  EXPECT_EQ(w.count(), 40);
  w.show();
  FireStartTimer();
  w.setLegendVisible(true);
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
  QTimer& repeat = d.ScrollRepeatTimer();
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

  // Disabled or hidden, the window gets no release: the press ends there,
  // as QScrollBar's does, instead of scrolling on unseen.
  const std::function<void()> loseTheMouse[] = {[&] { w.setEnabled(false); }, [&] { w.hide(); }};
  for (const std::function<void()>& lose : loseTheMouse) {
    QTest::mousePress(&w, Qt::LeftButton, {}, downArrow);
    ASSERT_TRUE(repeat.isActive());
    lose();
    EXPECT_FALSE(repeat.isActive());
    EXPECT_FALSE(s().pointer.captured);
    QTest::mouseRelease(&w, Qt::LeftButton, {}, downArrow);
    w.setEnabled(true);
  }
}

}  // namespace
}  // namespace palvex
