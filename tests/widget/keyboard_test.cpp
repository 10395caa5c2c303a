// The chart without a mouse: keys select, open the menu, copy and fold the
// legend; the focus frame shows on the window only.
#include <palvex/palvexchartwidget.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <functional>
#include <vector>

#include "widget/palvex_chart_widget_p.h"

namespace palvex {
namespace {

// A parent that records the keys its child passed on. (std::vector: Qt
// 6.4's QList comparison hands memcmp a null pointer when both are empty.)
class Parent : public QWidget {
 public:
  std::vector<int> keys;

 protected:
  void keyPressEvent(QKeyEvent* e) override { keys.push_back(e->key()); }
};

class Keyboard : public ::testing::Test {
 protected:
  Keyboard() {
    w.setAnimated(false);
    parent.resize(560, 372);
    w.resize(560, 372);
    w.setSelectable(true);
    w.addItem({"1", "North", "Jan", 40});
    w.addItem({"2", "South", "Feb", 60});
    w.addItem({"3", "East", "Mar", 20});
    parent.show();
    QTimerEvent expired(d.StartTimer().timerId());
    QCoreApplication::sendEvent(&d.StartTimer(), &expired);
  }
  // Presses a key with the main menu, if one opens, handed to `handle`.
  void Press(QKeyCombination key, const std::function<void(QMenu*)>& handle = {}) {
    QTimer::singleShot(0, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (handle) handle(menu);
      if (menu && menu->isVisible()) menu->close();
    });
    QTest::keyClick(&w, key.key(), key.keyboardModifiers());
    QCoreApplication::processEvents();
  }

  Parent parent;
  PalvexChartWidget w{&parent};
  PalvexChartWidgetPrivate& d = PalvexChartWidgetPrivate::get(w);
};

TEST_F(Keyboard, KeysMoveTheSelectionAsPressesOnTheBarsDo) {
  struct Case {
    QList<QKeyCombination> keys;
    int selected;
    int clicks;               // itemClicked, once per newly selected column
    std::vector<int> passed;  // the keys the parent got
  };
  const Case cases[] = {
      {{Qt::Key_Right}, 0, 1, {}},
      {{Qt::Key_Left}, 2, 1, {}},
      {{Qt::Key_Right, Qt::Key_Right, Qt::Key_Left}, 0, 3, {}},
      {{Qt::Key_End, Qt::Key_End, Qt::Key_Right}, 2, 1, {}},
      {{Qt::Key_End, Qt::Key_Home}, 0, 2, {}},
      {{Qt::Key_Home, Qt::Key_Escape}, -1, 1, {}},
      // Nothing selected: Escape is the parent's (a dialog closes on it).
      {{Qt::Key_Escape, Qt::Key_X, Qt::ControlModifier | Qt::Key_Right},
       -1,
       0,
       {Qt::Key_Escape, Qt::Key_X, Qt::Key_Control, Qt::Key_Right}},
  };
  for (const Case& c : cases) {
    Press(Qt::Key_Escape);
    parent.keys.clear();
    QSignalSpy clicks(&w, &PalvexChartWidget::itemClicked);
    QSignalSpy changes(&w, &PalvexChartWidget::selectedColumnChanged);
    for (QKeyCombination key : c.keys) Press(key);
    EXPECT_EQ(w.selectedColumn(), c.selected) << c.keys.size();
    EXPECT_EQ(clicks.size(), c.clicks) << c.keys.size();
    EXPECT_EQ(parent.keys, c.passed);
    // The keyboard's changes are notified as any other.
    if (c.selected != -1) {
      EXPECT_EQ(changes.last()[0].toInt(), c.selected);
    }
    // Drawn highlighted: the column a later press would not redraw.
    EXPECT_EQ(d.chart().state().drawnSelection, c.selected);
  }
  w.setSelectable(false);
  parent.keys.clear();
  Press(Qt::Key_Right);
  EXPECT_EQ(w.selectedColumn(), -1);
  EXPECT_EQ(parent.keys, std::vector<int>{Qt::Key_Right});
}

// The host moved or cleared the selection after a key had drawn one: a key
// back to the first column draws it highlighted and reports it again.
TEST_F(Keyboard, AKeyAfterTheHostsSelectionDrawsAndReportsItsBar) {
  Press(Qt::Key_Home);
  const QImage firstSelected = w.toImage();
  for (int host : {2, -1}) {
    w.setSelectedColumn(host);
    QSignalSpy clicks(&w, &PalvexChartWidget::itemClicked);
    Press(host == -1 ? Qt::Key_Right : Qt::Key_Home);
    EXPECT_EQ(w.selectedColumn(), 0) << host;
    EXPECT_EQ(clicks.size(), 1) << host;
    EXPECT_EQ(w.toImage(), firstSelected) << host;
  }
}

// Escape clears a selection the user sees; with none shown it is the
// parent's (a dialog closes on it), whatever column number the chart keeps.
TEST_F(Keyboard, EscapeIsTheParentsWhileNoBarShowsSelected) {
  const std::pair<const char*, std::function<void()>> hides[] = {
      {"host cleared", [&] { w.setSelectedColumn(-1); }},
      {"items cleared", [&] { w.clear(); }},
      {"fewer items",
       [&] {
         w.setItems({{"1", "North", "Jan", 40}});
       }},
      {"not selectable", [&] { w.setSelectable(false); }},
  };
  for (const auto& [what, hide] : hides) {
    w.setSelectable(true);
    w.setItems({{"1", "North", "Jan", 40}, {"2", "South", "Feb", 60}, {"3", "East", "Mar", 20}});
    Press(Qt::Key_End);
    hide();
    const int kept = w.selectedColumn();
    parent.keys.clear();
    Press(Qt::Key_Escape);
    EXPECT_EQ(parent.keys, std::vector<int>{Qt::Key_Escape}) << what;
    EXPECT_EQ(w.selectedColumn(), kept) << what;
  }
}

TEST_F(Keyboard, TheMenuKeyOpensTheMainMenuAtTheSelectedBarAndEnterRunsAnItem) {
  const QRect chartOnScreen(w.mapToGlobal(QPoint(0, 0)), w.size());
  for (QKeyCombination key : {QKeyCombination(Qt::Key_Menu), Qt::ShiftModifier | Qt::Key_F10}) {
    QPoint at;
    Press(key, [&](QMenu* menu) {
      ASSERT_NE(menu, nullptr);
      at = menu->pos();
    });
    EXPECT_TRUE(chartOnScreen.contains(at)) << at.x() << "," << at.y();
  }
  Press(Qt::Key_End);
  QStringList items;
  QGuiApplication::clipboard()->clear();
  Press(Qt::Key_Menu, [&](QMenu* menu) {
    ASSERT_NE(menu, nullptr);
    for (QAction* a : menu->actions()) items << a->text() + "\t" + a->shortcut().toString();
    // Down to Copy and Enter, as the user would.
    const ChartState& s = d.chart().state();
    EXPECT_NEAR(menu->pos().x() - w.mapToGlobal(QPoint(0, 0)).x(),
                (s.MarginLeft + 2.5 * s.barWidth) / 15, 1);
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
  });
  EXPECT_EQ(items.value(5), QStringLiteral("显示图例(&D)\tL"));
  EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
            w.toImage().convertToFormat(QImage::Format_RGB32));
}

// As in Qt's own editors, the keys the focused chart would use now are
// its own; the window's shortcuts have the rest.
TEST_F(Keyboard, TheFocusedChartsKeysGoBeforeTheWindowsShortcuts) {
  QAction copy, left, escape;
  copy.setShortcut(QKeySequence::Copy);
  left.setShortcut(Qt::Key_Left);
  escape.setShortcut(Qt::Key_Escape);
  parent.addActions({&copy, &left, &escape});
  QSignalSpy copied(&copy, &QAction::triggered), lefts(&left, &QAction::triggered),
      escaped(&escape, &QAction::triggered);
  QApplication::setActiveWindow(&parent);
  w.setFocus();
  QGuiApplication::clipboard()->clear();
  Press(QKeySequence(QKeySequence::Copy)[0]);
  Press(Qt::Key_Left);
  EXPECT_EQ(copied.size() + lefts.size(), 0);
  EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());
  EXPECT_EQ(w.selectedColumn(), 2);
  Press(Qt::Key_Escape);
  EXPECT_EQ(w.selectedColumn(), -1);
  EXPECT_EQ(escaped.size(), 0);
  // Nothing selected: the chart has no use for Escape, the window has.
  Press(Qt::Key_Escape);
  EXPECT_EQ(escaped.size(), 1);
}

TEST_F(Keyboard, CtrlCCopiesAndTheLegendKeyFoldsTheLegend) {
  QGuiApplication::clipboard()->clear();
  Press(QKeySequence(QKeySequence::Copy)[0]);
  EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
            w.toImage().convertToFormat(QImage::Format_RGB32));
  QSignalSpy legend(&w, &PalvexChartWidget::legendVisibleChanged);
  Press(Qt::Key_L);
  Press(Qt::Key_L);
  ASSERT_EQ(legend.size(), 2);
  EXPECT_TRUE(legend[0][0].toBool());
  EXPECT_FALSE(w.legendVisible());
  EXPECT_FALSE(d.chart().state().children.mnuViewLegend.Checked);
}

TEST_F(Keyboard, TheFocusFrameShowsOnTheWindowButNeverInAnExport) {
  QApplication::setActiveWindow(&parent);
  w.setFocus();
  ASSERT_TRUE(w.hasFocus());
  Press(Qt::Key_Right);
  const QImage exported = w.toImage();
  const QImage focused = w.grab().toImage();
  w.clearFocus();
  const QImage unfocused = w.grab().toImage();
  EXPECT_NE(focused, unfocused);
  EXPECT_EQ(w.toImage(), exported);
  Press(QKeySequence(QKeySequence::Copy)[0]);
  EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
            exported.convertToFormat(QImage::Format_RGB32));
}

}  // namespace
}  // namespace palvex
