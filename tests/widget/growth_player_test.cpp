// The growth as the windows play it: whatever the player keeps of the
// recorded frames, every picture it shows is one of them, in their order,
// ending with the newest.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <vector>

#include "core/growth_player.h"

namespace palvex {
namespace {

// Frame k of a growth at a size that is no multiple of the player's tiles:
// bars climbing from the bottom, a corner that blinks (the last, partial
// tile); the sixth is the fifth again.
QImage Frame(int k, QSize size) {
  QImage frame(size, QImage::Format_RGB32);
  frame.fill(QColor(240, 240, 240));
  QPainter p(&frame);
  const int step = k == 6 ? 5 : k;
  for (int bar = 0; bar < 4; ++bar) {
    const int height = size.height() * (bar + 1) / 4 * step / 10;
    p.fillRect(10 + bar * (size.width() / 4), size.height() - height, size.width() / 6, height,
               QColor::fromHsv(bar * 80, 200, 200));
  }
  if (step % 2) p.fillRect(size.width() - 3, size.height() - 3, 3, 3, Qt::black);
  return frame;
}

// Plays what was recorded to its end; how long it took, in ms.
qint64 Play(GrowthPlayer& player) {
  QElapsedTimer clock;
  clock.start();
  player.Play();
  while (player.playing()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  return clock.elapsed();
}

TEST(GrowthPlayer, ShowsOnlyRecordedFramesInOrderEndingWithTheNewest) {
  const QSize size(200, 130);
  const qsizetype whole = Frame(0, size).sizeInBytes();
  struct Case {
    const char* what;
    qsizetype maxBytes;
    std::size_t fewest, most;  // frames shown
  };
  const Case cases[] = {
      {"everything kept", GrowthPlayer::kMaxBytes, 10, 10},
      {"thinned", whole * 3, 2, 9},
      {"only the newest fits", whole, 1, 1},
  };
  std::vector<QImage> recorded;
  for (int k = 1; k <= 10; ++k) recorded.push_back(Frame(k, size));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<QImage> shown;
    GrowthPlayer player(
        [&] { shown.push_back(player.playing() ? player.frame().copy() : QImage()); }, c.maxBytes);
    // The frames come from one screen composed again in place.
    QImage screen(size, QImage::Format_RGB32);
    for (const QImage& frame : recorded) {
      QPainter(&screen).drawImage(0, 0, frame);
      player.Record(screen);
    }
    const qint64 ms = Play(player);
    ASSERT_FALSE(shown.empty());
    // The last update shows the live picture again.
    EXPECT_TRUE(shown.back().isNull());
    shown.pop_back();
    EXPECT_GE(shown.size(), c.fewest);
    EXPECT_LE(shown.size(), c.most);
    std::size_t next = 0;
    for (const QImage& picture : shown) {
      while (next < recorded.size() && recorded[next] != picture) ++next;
      ASSERT_LT(next, recorded.size()) << "a picture that was never recorded, or out of order";
      ++next;
    }
    EXPECT_EQ(shown.back(), recorded.back());
    // However many frames were kept, the growth lasts as long.
    EXPECT_GE(ms, 600);
  }
}

// A screen that changed size within the pass: the frames before it are of
// no use beside it.
TEST(GrowthPlayer, AFrameOfAnotherSizeStartsTheGrowthOver) {
  std::vector<QImage> shown;
  GrowthPlayer player([&] {
    if (player.playing()) shown.push_back(player.frame().copy());
  });
  player.Record(Frame(1, {200, 130}));
  player.Record(Frame(2, {200, 130}));
  player.Record(Frame(3, {130, 200}));
  player.Record(Frame(4, {130, 200}));
  Play(player);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], Frame(3, {130, 200}));
  EXPECT_EQ(shown[1], Frame(4, {130, 200}));
}

}  // namespace
}  // namespace palvex
