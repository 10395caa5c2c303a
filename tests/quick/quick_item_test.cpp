// The Qt Quick item in a real window: the same control as the renderer (the
// same chart gives the same pixels, at the window's device pixel ratio),
// the chart's own menu on a right press, and the language it speaks.
#include <palvex/palvexchartquickitem.h>
#include <palvex/palvexchartrenderer.h>
#include <palvex/palvexcharttranslation.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// Loads a QML scene (with the chart's module at hand) into the view and
// shows it.
::testing::AssertionResult ShowScene(QQuickView& view, const char* qml) {
  view.engine()->addImportPath(PALVEX_QML_DIR);
  view.setSource(QUrl(QStringLiteral("data:text/plain,") + QString::fromUtf8(qml)));
  if (view.status() != QQuickView::Ready)
    return ::testing::AssertionFailure() << qPrintable(view.errors().value(0).toString());
  view.show();
  if (!QTest::qWaitForWindowExposed(&view))
    return ::testing::AssertionFailure() << "the window was never exposed";
  return ::testing::AssertionSuccess();
}

TEST(QuickPicture, TheItemShowsTheRenderersPictureAtTheWindowsRatio) {
  QQuickView view;
  ASSERT_TRUE(ShowScene(view, R"(
    import QtQuick
    import PalvexChart
    PalvexChart {
      width: 560; height: 372
      animated: false
      theme: PalvexChart.Sky
      chartTitle: "Rainfall"
      axisLabelX: "Month"
      barColors: ["#c81e28", "#143cd2"]
      items: [{itemId: "1", caption: "Jan", description: "January", value: 40},
              {itemId: "2", caption: "Feb", description: "February", value: 70},
              {itemId: "3", caption: "Mar", description: "March", value: 55}]
    })"));
  // A pass after the growth on both sides: the grown bars' last frame is
  // not what a pass draws.
  QMetaObject::invokeMethod(view.rootObject(), "refresh");
  QTest::qWait(100);
  const double ratio = view.effectiveDevicePixelRatio();
  const QImage shown = view.grabWindow().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.width(), qRound(560 * ratio));

  PalvexChartRenderer renderer;
  renderer.setProperty("theme", 1);
  renderer.setProperty("chartTitle", "Rainfall");
  renderer.setProperty("chartSubTitle", QString());  // a chart made in code has none
  renderer.setProperty("axisLabelX", "Month");
  renderer.setProperty("barColors",
                       QVariant::fromValue(QList<QColor>{QColor("#c81e28"), QColor("#143cd2")}));
  renderer.setItems(
      {{"1", "January", "Jan", 40}, {"2", "February", "Feb", 70}, {"3", "March", "Mar", 55}});
  renderer.toImage();
  renderer.setProperty("chartTitle", "Rainfall");
  const QImage drawn = renderer.toImage(ratio).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(drawn.size(), shown.size());
  // The window also shows the legend's strip at the right edge, a child
  // the chart's own picture leaves out.
  const QRect plot(0, 0, qRound(520 * ratio), shown.height());
  EXPECT_EQ(shown.copy(plot), drawn.copy(plot));
}

// The right button opens the chart's menu, made of Qt Quick Controls, and
// waits until it closes; nothing is chosen when it is dismissed.
TEST(QuickMenu, ARightPressOpensTheChartsMenu) {
  QQuickView view;
  ASSERT_TRUE(ShowScene(view, R"(
    import QtQuick
    import PalvexChart
    PalvexChart { width: 560; height: 372; animated: false; selectable: true
                  items: [{itemId: "1", caption: "Jan", value: 40}] })"));
  QStringList captions;
  bool opened = false;
  QTimer::singleShot(100, [&] {
    for (QObject* child : view.rootObject()->children()) {
      if (!child->inherits("QQuickMenu")) continue;
      opened = child->property("opened").toBool();
      const int count = child->property("count").toInt();
      for (int i = 0; i < count; ++i) {
        QQuickItem* entry = nullptr;
        QMetaObject::invokeMethod(child, "itemAt", Q_RETURN_ARG(QQuickItem*, entry), Q_ARG(int, i));
        if (entry) captions << entry->property("text").toString();
      }
      QMetaObject::invokeMethod(child, "close");
    }
  });
  QTest::mousePress(&view, Qt::RightButton, {}, QPoint(200, 200));
  QTest::mouseRelease(&view, Qt::RightButton, {}, QPoint(200, 200));
  EXPECT_TRUE(opened);
  EXPECT_TRUE(captions.contains(QStringLiteral("复制(&C)"))) << qPrintable(captions.join('|'));
  EXPECT_TRUE(captions.contains(QStringLiteral("另存为(&A)"))) << qPrintable(captions.join('|'));
}

// Save As from the menu asks Qt Quick Dialogs' file dialog where to save;
// cancelled, nothing is written and nothing is reported; a name the user
// types there is saved, with the bitmap's extension.
TEST(QuickMenu, SaveAsAsksTheFileDialog) {
  QQuickView view;
  ASSERT_TRUE(ShowScene(view, R"(
    import QtQuick
    import PalvexChart
    PalvexChart { width: 560; height: 372; animated: false
                  items: [{itemId: "1", caption: "Jan", value: 40}] })"));
  QString title;
  const auto childOf = [&](const char* kind) -> QObject* {
    for (QObject* child : view.rootObject()->children())
      if (child->inherits(kind)) return child;
    return nullptr;
  };
  // Answers the menu with Save As, then the file dialog with answer.
  const auto saveAs = [&](const std::function<void(QObject*)>& answer) {
    QTimer::singleShot(100, [&] {
      QObject* menu = childOf("QQuickMenu");
      if (!menu) return;
      menu->setProperty("chosen", QStringLiteral("mnuSaveAs"));
      QTimer::singleShot(100, [&] {
        QObject* dialog = childOf("QQuickFileDialog");
        if (!dialog) return;
        title = dialog->property("title").toString();
        answer(dialog);
      });
      QMetaObject::invokeMethod(menu, "close");
    });
    QTest::mousePress(&view, Qt::RightButton, {}, QPoint(200, 200));
    QTest::mouseRelease(&view, Qt::RightButton, {}, QPoint(200, 200));
  };
  saveAs([](QObject* dialog) { QMetaObject::invokeMethod(dialog, "reject"); });
  EXPECT_EQ(title, QStringLiteral("保持图表为文件"));

  const QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  saveAs([&](QObject* dialog) {
    dialog->setProperty("currentFolder", QUrl::fromLocalFile(folder.path()));
    // The field of this dialog: one closed before may linger unseen.
    QQuickItem* name = nullptr;
    for (QQuickItem* field : view.findChildren<QQuickItem*>(QStringLiteral("fileNameTextField"))) {
      if (field->isVisible()) name = field;
    }
    if (!name) {
      ADD_FAILURE() << "the dialog has no file name field";
      QMetaObject::invokeMethod(dialog, "reject");
      return;
    }
    name->forceActiveFocus();
    for (const char c : {'c', 'h', 'a', 'r', 't'}) QTest::keyClick(&view, c);
    QTest::keyClick(&view, Qt::Key_Return);
    if (dialog->property("visible").toBool()) QMetaObject::invokeMethod(dialog, "accept");
  });
  QFile saved(folder.filePath(QStringLiteral("chart.bmp")));
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly))
      << qPrintable(QDir(folder.path()).entryList().join('|'));
  EXPECT_EQ(saved.read(2), QByteArray("BM"));
}

// A language switched while the chart shows reaches it at once, as it
// reaches the widget: the information label takes the new words and
// valueSuffix, until set, notifies its new currency; switched back, the
// chart shows exactly what it showed before.
TEST(QuickTranslation, ASwitchedLanguageReachesTheShownLabel) {
  QQuickView view;
  ASSERT_TRUE(ShowScene(view, R"(
    import QtQuick
    import PalvexChart
    PalvexChart { width: 560; height: 372; animated: false
                  selectable: true; selectionInformation: true
                  items: [{itemId: "1", caption: "Jan", description: "North", value: 40}] })"));
  QObject* chart = view.rootObject();
  chart->setProperty("selectedColumn", 0);
  QTest::qWait(50);
  const QImage chinese = view.grabWindow();
  QSignalSpy suffix(chart, SIGNAL(valueSuffixChanged(QString)));

  ASSERT_TRUE(installPalvexChartTranslator(QLocale(QLocale::English)));
  QTest::qWait(50);
  EXPECT_EQ(suffix.count(), 1);
  EXPECT_EQ(chart->property("valueSuffix").toString(), QStringLiteral(" yuan"));
  EXPECT_NE(view.grabWindow(), chinese);

  removePalvexChartTranslator();
  QTest::qWait(50);
  EXPECT_EQ(suffix.count(), 2);
  EXPECT_EQ(view.grabWindow(), chinese);
}

// A double-click comes in place of its second press, as in the widget: two
// quick clicks on the legend's arrow step the list twice, as two slow ones.
TEST(QuickMouse, ADoubleClickIsTheSecondPress) {
  QImage legend[2];
  for (const bool quick : {false, true}) {
    QQuickView view;
    ASSERT_TRUE(ShowScene(view, R"(
      import QtQuick
      import PalvexChart
      PalvexChart { width: 560; height: 372; animated: false; legendVisible: true
                    Component.onCompleted: { for (let i = 0; i < 40; ++i)
                      addItem({itemId: "1", description: "entry", value: 10}) } })"));
    QSignalSpy pressed(view.rootObject(), SIGNAL(mousePressed(QPointF, int, int)));
    const QPoint downArrow(552, 369);
    if (quick) {
      QTest::mouseDClick(&view, Qt::LeftButton, {}, downArrow);
    } else {
      QTest::mouseClick(&view, Qt::LeftButton, {}, downArrow);
      QTest::mouseClick(&view, Qt::LeftButton, {}, downArrow);
    }
    // On the chart itself the second press is no press.
    QTest::mouseDClick(&view, Qt::LeftButton, {}, QPoint(100, 200));
    EXPECT_EQ(pressed.count(), 1);
    QTest::qWait(50);
    legend[quick] = view.grabWindow().copy(QRect(420, 0, 140, 372));
  }
  EXPECT_EQ(legend[true], legend[false]);
}

// Qt Quick hovers the item again after each frame while the pointer rests:
// with hot tracking, a selection the program makes then stays, as in the
// widget, until the pointer moves.
TEST(QuickMouse, APointerAtRestLeavesTheProgramsSelection) {
  QQuickView view;
  ASSERT_TRUE(ShowScene(view, R"(
    import QtQuick
    import PalvexChart
    PalvexChart { width: 560; height: 372; animated: false; selectable: true; hotTracking: true
                  items: [{itemId: "1", value: 10}, {itemId: "2", value: 20}] })"));
  QObject* chart = view.rootObject();
  QTest::mouseMove(&view, QPoint(300, 20));  // above the bars
  QTest::qWait(50);
  chart->setProperty("selectedColumn", 1);
  QTest::qWait(50);
  EXPECT_EQ(chart->property("selectedColumn").toInt(), 1);
}

// A press the item loses ends there: when another item takes the mouse (a
// Flickable the chart sits in flicks while the button stays down), the
// legend's held track stops paging instead of scrolling the list on.
TEST(QuickMouse, ATakenMouseStopsTheHeldTrack) {
  QQuickView view;
  ASSERT_TRUE(ShowScene(view, R"(
    import QtQuick
    import PalvexChart
    Flickable { width: 560; height: 372; contentHeight: 2000
      PalvexChart { width: 560; height: 372; animated: false; legendVisible: true
                    Component.onCompleted: { for (let i = 0; i < 40; ++i)
                      addItem({itemId: "1", description: "entry", value: 10}) } } })"));
  QTest::qWait(50);
  QPoint at(552, 300);
  const QRect legend(420, 0, 140, 372);
  QTest::mousePress(&view, Qt::LeftButton, {}, at);
  QTest::qWait(50);
  const QImage held = view.grabWindow().copy(legend);
  // The pointer moves up the track, and the Flickable takes the mouse.
  for (int i = 0; i < 10; ++i) {
    at.ry() -= 5;
    QTest::mouseMove(&view, at, 10);
  }
  // Held past the repeat's first delay; then the chart back in place.
  QTest::qWait(800);
  QTest::mouseRelease(&view, Qt::LeftButton, {}, at);
  QQuickItem* flickable = view.rootObject();
  QMetaObject::invokeMethod(flickable, "cancelFlick");
  flickable->setProperty("contentY", 0);
  QTest::qWait(50);
  EXPECT_EQ(view.grabWindow().copy(legend), held);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND")) qputenv("QT_QUICK_BACKEND", "software");
  QGuiApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
