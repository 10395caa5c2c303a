#include "platform/qt/qimage_surface.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "platform/qt/fonts.h"
#include "platform/qt/headless_host.h"

namespace palvex {
namespace {

constexpr Color kRed = 0x0000FF;
constexpr Color kWhite = 0xFFFFFF;

TEST(QImageSurface, MeasuresItsSizeInTwipsOfTheScreen) {
  Screen screen;
  QImageSurface s(screen, 560, 372);
  EXPECT_EQ(s.ScaleWidth(), 8400);
  EXPECT_EQ(s.ScaleHeight(), 5580);
  screen.SetTwipsPerPixel(12, 12);
  EXPECT_EQ(s.ScaleWidth(), 6720);
}

TEST(QImageSurface, FilledBoxCoversBothCornersInclusive) {
  Screen screen;
  QImageSurface s(screen, 20, 20);
  s.SetBackColor(kWhite);
  s.FilledBox(30, 45, 60, 60, kRed);  // pixels 2..4 by rows 3..4
  EXPECT_EQ(s.PixelAt(2, 3), kRed);
  EXPECT_EQ(s.PixelAt(4, 4), kRed);
  EXPECT_EQ(s.PixelAt(5, 4), kWhite);
  EXPECT_EQ(s.PixelAt(2, 5), kWhite);
  EXPECT_EQ(s.PixelAt(2, 2), kWhite);
  // A box 15 twips high covers two pixel rows.
  s.FilledBox(0, 150, 150, 165, kRed);
  EXPECT_EQ(s.PixelAt(0, 10), kRed);
  EXPECT_EQ(s.PixelAt(0, 11), kRed);
  EXPECT_EQ(s.PixelAt(0, 12), kWhite);
}

TEST(QImageSurface, BoxOutlineLeavesTheInsideAlone) {
  Screen screen;
  QImageSurface s(screen, 20, 20);
  s.SetBackColor(kWhite);
  s.Box(15, 15, 75, 60, kRed);  // pixels 1..5 by 1..4
  EXPECT_EQ(s.PixelAt(1, 1), kRed);
  EXPECT_EQ(s.PixelAt(5, 4), kRed);
  EXPECT_EQ(s.PixelAt(3, 1), kRed);
  EXPECT_EQ(s.PixelAt(3, 2), kWhite);
  EXPECT_EQ(s.PixelAt(6, 4), kWhite);
}

TEST(QImageSurface, PrintMovesToTheStartOfTheNextLine) {
  Screen screen;
  QImageSurface s(screen, 200, 100);
  s.SetCurrentX(300);
  s.SetCurrentY(45);
  const double line = s.TextHeight(u"Title");
  s.Print(u"Title");
  EXPECT_EQ(s.CurrentX(), 0);
  EXPECT_DOUBLE_EQ(s.CurrentY(), 45 + line);
  s.Print(u"Subtitle");
  EXPECT_DOUBLE_EQ(s.CurrentY(), 45 + 2 * line);
  EXPECT_DOUBLE_EQ(s.TextHeight(u"a\r\nb"), 2 * line);
}

TEST(QImageSurface, PrintDrawsInTheForeColorAndOnlyNearThePrintPosition) {
  Screen screen;
  QImageSurface s(screen, 200, 60);
  s.SetBackColor(kWhite);
  s.SetForeColor(kRed);
  s.SetCurrentX(150);  // pixel 10
  s.SetCurrentY(150);
  s.Print(u"HHHH");
  // Anti-aliased glyphs: count the reddish pixels, wherever they are.
  int red = 0, outside = 0;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 200; ++x) {
      const Color c = s.PixelAt(x, y);
      if (c == kWhite) continue;
      if (x < 10 || y < 10 || x > 10 + s.TextWidth(u"HHHH") / 15 + 1) ++outside;
      if (RedOf(c) > GreenOf(c) + 40 && RedOf(c) > BlueOf(c) + 40) ++red;
    }
  }
  EXPECT_GT(red, 10);
  EXPECT_EQ(outside, 0);
}

TEST(QImageSurface, FontPointsMapThroughTheScreensDotsPerInch) {
  Screen screen;
  QImageSurface s(screen, 100, 100);
  s.SetFontName(u"宋体");
  s.SetFontSize(9);
  EXPECT_EQ(s.qfont().pixelSize(), 12);  // 9 pt at 96 dpi
  screen.SetTwipsPerPixel(12, 12);       // 120 dpi
  s.SetFontSize(9);
  EXPECT_EQ(s.qfont().pixelSize(), 15);
  const double wide = s.TextWidth(u"宋体宋体");
  s.SetFontSize(18);
  EXPECT_NEAR(s.TextWidth(u"宋体宋体"), 2 * wide, 0.1 * wide);
}

TEST(Fonts, TheControlsFacesResolveToInstalledStandIns) {
  EXPECT_EQ(ResolveFontFamily(u"宋体"), "AR PL UMing CN");
  EXPECT_EQ(ResolveFontFamily(u"arial"), "Liberation Sans");
  EXPECT_EQ(ResolveFontFamily(u"Tahoma"), "DejaVu Sans");
  EXPECT_EQ(ResolveFontFamily(u"Courier New"), "Courier New");
}

TEST(QImageSurface, ClsFillsWithBackColorAndResetsThePrintPosition) {
  Screen screen;
  QImageSurface s(screen, 10, 10);
  s.SetBackColor(kSystemWindow);
  s.SetCurrentX(100);
  s.SetCurrentY(100);
  s.FilledBox(0, 0, 150, 150, kRed);
  s.Cls();
  EXPECT_EQ(s.PixelAt(5, 5), kWhite);  // the system window colour
  EXPECT_EQ(s.CurrentX(), 0);
  EXPECT_EQ(s.CurrentY(), 0);
  EXPECT_EQ(s.BackColor(), kSystemWindow);
}

TEST(QImageSurface, FarOffOrUndefinedCoordinatesDrawNothingAndDoNotCrash) {
  Screen screen;
  QImageSurface s(screen, 10, 10);
  s.SetBackColor(kWhite);
  s.FilledBox(1e300, 1e300, 2e300, 2e300, kRed);
  s.Line(std::nan(""), 0, 15, 15, kRed);
  s.SetCurrentX(std::nan(""));
  s.Print(u"x");
  s.Box(-1e9, -1e9, -1e8, -1e8, kRed);
  EXPECT_EQ(s.PixelAt(9, 9), kWhite);
  EXPECT_EQ(s.PixelAt(-1, 0), kInvalidColor);
}

// Lines along an axis are written as pixels, not drawn by the painter: the
// pixels must be the ones its one-pixel pen covers, wherever the ends lie.
TEST(QImageSurface, LinesCoverThePixelsThePaintersPenCovers) {
  struct Case {
    double x1, y1, x2, y2;
  };
  const Case cases[] = {{30, 15, 30, 90},      {30, 90, 30, 15},    {0, 45, 135, 45},
                        {135, 45, -60, 45},    {-30, -30, -30, 90}, {75, -1e7, 75, 1e7},
                        {150, 150, 150, 150},  {15, 15, 120, 90},   {1e7, 30, 1e7, 60},
                        {-1e7, 135, 1e7, 135}, {45, 150, 45, 150}};
  Screen screen;
  for (const Case& c : cases) {
    QImageSurface s(screen, 10, 10);
    s.SetBackColor(kWhite);
    s.Line(c.x1, c.y1, c.x2, c.y2, kRed);
    QImage painted(10, 10, QImageSurface::kImageFormat);
    painted.fill(Qt::white);
    {
      QPainter p(&painted);
      p.setPen(QPen(QColor(255, 0, 0), 0));
      p.drawLine(qRound(c.x1 / 15), qRound(c.y1 / 15), qRound(c.x2 / 15), qRound(c.y2 / 15));
    }
    EXPECT_EQ(s.image(), painted) << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2;
  }
}

TEST(QImageSurface, ResizingKeepsWhatFitsAndFillsTheRestWithBackColor) {
  Screen screen;
  QImageSurface s(screen, 4, 4);
  s.SetBackColor(kWhite);
  s.FilledBox(0, 0, 45, 45, kRed);
  s.ResizePixels(8, 6);
  EXPECT_EQ(s.PixelWidth(), 8);
  EXPECT_EQ(s.PixelAt(3, 3), kRed);
  EXPECT_EQ(s.PixelAt(7, 5), kWhite);
  // Nothing drawn since the clear: the old picture is not painted first.
  QImageSurface cleared(screen, 4, 4);
  cleared.SetBackColor(kWhite);
  cleared.ResizePixels(8, 6);
  EXPECT_EQ(cleared.PixelAt(0, 0), kWhite);
  EXPECT_EQ(cleared.PixelAt(7, 5), kWhite);
}

TEST(HeadlessHost, SurfacesTellTheHostWhenRefreshed) {
  HeadlessHost host;
  auto s = host.CreateSurface(10, 10);
  s->Refresh();
  s->Refresh();
  EXPECT_EQ(host.repaints(), 2);
}

}  // namespace
}  // namespace palvex
