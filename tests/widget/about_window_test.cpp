#include "widget/about_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace palvex {
namespace {

// Runs step once the modal loop that follows has started.
void WhenShown(std::function<void()> step) {
  QTimer::singleShot(0, std::move(step));
}

int AboutWindowsAlive() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) n += qobject_cast<AboutWindow*>(w) != nullptr;
  return n;
}

TEST(AboutWindowTest, ShowsItsPictureModallyCentredOnTheOwnerUntilAnyButtonIsPressed) {
  QWidget owner;
  owner.setGeometry(300, 200, 800, 600);
  owner.show();
  for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
    bool checked = false;
    WhenShown([&] {
      AboutWindow* w = AboutWindow::Current();
      ASSERT_NE(w, nullptr);
      EXPECT_TRUE(w->isVisible());
      EXPECT_TRUE(w->isModal());
      EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
      EXPECT_EQ(w->size(), QSize(480, 280));
      EXPECT_EQ(w->geometry().center(), owner.frameGeometry().center());
      // The picture covers the whole window and is not blank.
      const QImage shot = w->grab().toImage();
      EXPECT_EQ(shot.size(), QSize(480, 280));
      EXPECT_NE(shot.pixel(10, 10), shot.pixel(250, 200));
      checked = true;
      QTest::mouseClick(w, button, Qt::NoModifier, QPoint(400, 30));
    });
    AboutWindow::ShowModal(&owner);
    EXPECT_TRUE(checked);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(AboutWindow::Current(), nullptr);
    EXPECT_EQ(AboutWindowsAlive(), 0);
  }
}

TEST(AboutWindowTest, AskingAgainWhileOneShowsReplacesItByAFreshOne) {
  AboutWindow* first = nullptr;
  int aliveWhileSecondShows = 0;
  WhenShown([&] {
    first = AboutWindow::Current();
    WhenShown([&] {
      AboutWindow* second = AboutWindow::Current();
      EXPECT_NE(second, first);
      EXPECT_TRUE(second->isVisible());
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<AboutWindow*>(w) && w->isVisible()) ++aliveWhileSecondShows;
      }
      QTest::mouseClick(second, Qt::LeftButton);
    });
    AboutWindow::ShowModal(nullptr);
  });
  AboutWindow::ShowModal(nullptr);
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(aliveWhileSecondShows, 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(AboutWindowsAlive(), 0);
}

}  // namespace
}  // namespace palvex
