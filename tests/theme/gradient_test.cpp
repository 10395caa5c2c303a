// FillGradient on the real surface image: every painted pixel row (or
// column) must follow the straight line between the two vertex colours.
#include "theme/gradient.h"

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <climits>
#include <vector>

#include "platform/qt/image_io.h"
#include "support/chart_fixture.h"

namespace palvex::testing {
namespace {

constexpr Color kBackground = 0xFF00FF;
constexpr Color kDark = 0x102030;   // R 48, G 32, B 16
constexpr Color kLight = 0xF0E0D0;  // R 208, G 224, B 240

// A pixel rectangle, right and bottom exclusive.
struct Rect {
  int left, top, right, bottom;
};

class Gradient : public ChartFixture {
 protected:
  Gradient() {
    surface().inner().ResizePixels(64, 32);
    surface().inner().SetBackColor(kBackground);
    surface().inner().Cls();
  }
  // Takes any number as the direction, so that unknown ones can be tried.
  bool Fill(Color c1, Color c2, std::int32_t direction, std::int32_t x, std::int32_t y,
            std::int32_t w, std::int32_t h) {
    return FillGradient(state().surface->dc(), c1, c2, static_cast<GradientDirection>(direction), x,
                        y, w, h);
  }
  const QImage& Image() { return ImageOf(surface().inner()); }

  // Every pixel inside r lies on the ramp from c1 at coordinate from to c2
  // at coordinate to (rows for FillVer, columns for FillHor), within the
  // one step that 16-bit interpolation may lose; every pixel outside r
  // keeps the background.
  void ExpectRamp(Rect r, bool vertical, int from, int to, Color c1, Color c2) {
    auto channel = [&](int shift, int pos) {
      const double a = (c1 >> shift) & 0xFF, b = (c2 >> shift) & 0xFF;
      return a + (b - a) * double(pos - from) / double(to - from);
    };
    const Surface& s = surface();
    for (int y = 0; y < s.PixelHeight(); ++y) {
      for (int x = 0; x < s.PixelWidth(); ++x) {
        const Color got = s.PixelAt(x, y);
        if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) {
          ASSERT_EQ(got, kBackground) << "outside at " << x << "," << y;
          continue;
        }
        const int pos = vertical ? y : x;
        for (int shift : {0, 8, 16}) {
          ASSERT_NEAR(double((got >> shift) & 0xFF), channel(shift, pos), 1.0)
              << "at " << x << "," << y << " channel " << shift;
        }
      }
    }
  }
};

TEST_F(Gradient, RowsRunFromTheFirstColorAtVertexZeroToTheSecondAtVertexOne) {
  Fill(kDark, kLight, FillVer, 5, 4, 10, 8);
  ExpectRamp({5, 4, 15, 12}, true, 4, 12, kDark, kLight);
  EXPECT_EQ(surface().PixelAt(9, 4), kDark);  // the first row is the first colour exactly
}

TEST_F(Gradient, ColumnsRunLeftToRightWithFillHor) {
  Fill(kLight, kDark, FillHor, 3, 6, 50, 5);
  ExpectRamp({3, 6, 53, 11}, false, 3, 53, kLight, kDark);
}

TEST_F(Gradient, NegativeExtentsKeepTheFirstColorAtVertexZerosEdge) {
  // Vertex 1 lies above and left of vertex 0: the rectangle is rows 4..11
  // and columns 5..14, and the ramp still starts at vertex 0's edge.
  Fill(kDark, kLight, FillVer, 15, 12, -10, -8);
  ExpectRamp({5, 4, 15, 12}, true, 12, 4, kDark, kLight);
  surface().inner().Cls();
  Fill(kDark, kLight, FillHor, 15, 12, -10, -8);
  ExpectRamp({5, 4, 15, 12}, false, 15, 5, kDark, kLight);
}

TEST_F(Gradient, ReversedVerticesWithSwappedColorsPaintTheSamePicture) {
  for (std::int32_t direction : {FillHor, FillVer}) {
    surface().inner().Cls();
    Fill(kDark, kLight, direction, 7, 3, 33, 21);
    const QImage forwards = Image().copy();
    surface().inner().Cls();
    Fill(kLight, kDark, direction, 40, 24, -33, -21);
    EXPECT_EQ(Image(), forwards) << "direction " << direction;
  }
}

TEST_F(Gradient, AZeroWidthOrHeightPaintsNothing) {
  const QImage before = Image().copy();
  Fill(kDark, kLight, FillVer, 5, 5, 0, 20);
  Fill(kDark, kLight, FillVer, 5, 5, 20, 0);
  Fill(kDark, kLight, FillHor, 5, 5, 0, -20);
  EXPECT_EQ(Image(), before);
}

TEST_F(Gradient, TheTopByteOfAColorIsIgnored) {
  std::uint8_t r, g, b;
  SplitColor(0xFFFFFFFFu, r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 255);
  EXPECT_EQ(b, 255);
  Fill(0x80000000u | kDark, 0xFF000000u | kLight, FillVer, 0, 0, 10, 10);
  const QImage withTopByte = Image().copy();
  Fill(kDark, kLight, FillVer, 0, 0, 10, 10);
  EXPECT_EQ(Image(), withTopByte);
  Fill(0xFFFFFFFFu, 0xFFFFFFFFu, FillHor, 0, 0, 2, 2);
  EXPECT_EQ(surface().PixelAt(1, 1), 0xFFFFFFu);
}

TEST_F(Gradient, A32BitOverflowOfTheFarCornerFailsBeforePainting) {
  const QImage before = Image().copy();
  EXPECT_EQ(ErrorOf([&] { Fill(kDark, kLight, FillVer, INT_MAX, 0, 1, 5); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([&] { Fill(kDark, kLight, FillVer, 0, INT_MIN, 5, -1); }), kErrOverflow);
  EXPECT_TRUE(surface().Named("GradientFill").empty());
  EXPECT_EQ(Image(), before);
  // The far corner exactly at the limit is fine, and only what lies on the
  // image is painted.
  EXPECT_TRUE(Fill(kDark, kLight, FillHor, INT_MAX - 10, 0, 10, 5));
  EXPECT_TRUE(Fill(kDark, kLight, FillVer, -1000000, 2, 2000000000, 3));
  EXPECT_EQ(surface().PixelAt(0, 1), kBackground);
  EXPECT_NE(surface().PixelAt(0, 2), kBackground);
}

TEST_F(Gradient, AnUnknownDirectionIsReportedAndPaintsNothing) {
  const QImage before = Image().copy();
  EXPECT_FALSE(Fill(kDark, kLight, 2, 0, 0, 10, 10));
  EXPECT_FALSE(Fill(kDark, kLight, -1, 0, 0, 10, 10));
  EXPECT_EQ(Image(), before);
}

// Fills painted as one group, bars' overlapping bands among them, give the
// exact picture of painting them one by one with the divided ramp.
TEST_F(Gradient, GroupedFillsPaintExactlyWhatFillsInOrderWould) {
  struct Fill1 {
    Color c1, c2;
    std::uint32_t direction;
    std::int32_t x, y, w, h;
  };
  const std::vector<std::vector<Fill1>> groups = {
      {{kDark, kLight, FillVer, 2, 2, 50, 28}, {kLight, kDark, FillVer, 4, 4, 46, 24}},
      {{kLight, kDark, FillHor, 60, 30, -57, -27},
       {kDark, kLight, FillHor, 5, 5, 34, 19},
       {kLight, kDark, FillHor, 37, 5, 17, 19}},
      {{kDark, 0x0000FF, FillVer, -5, 31, 80, -40},
       {0xFFFFFF, kDark, FillHor, 10, -3, 7, 9},
       {kLight, 0x00FF00, FillVer, 12, 10, 3, -2}},
      // Ramps longer than 2^30 pixels, stepped in 64 bits, both ways.
      {{kDark, kLight, FillVer, 3, -1500000000, 20, 2000000000},
       {kLight, kDark, FillVer, 30, 2000000000, 20, -2100000000},
       {kLight, kDark, FillHor, -1200000000, 20, 1200000040, 5}},
  };
  for (const auto& group : groups) {
    QImage expected = Image().copy();
    for (const Fill1& f : group) {
      const TriVertex a{f.x, f.y, std::uint16_t(RedOf(f.c1) * 256),
                        std::uint16_t(GreenOf(f.c1) * 256), std::uint16_t(BlueOf(f.c1) * 256)};
      const TriVertex b{f.x + f.w, f.y + f.h, std::uint16_t(RedOf(f.c2) * 256),
                        std::uint16_t(GreenOf(f.c2) * 256), std::uint16_t(BlueOf(f.c2) * 256)};
      for (int y = std::max(std::min(a.y, b.y), 0); y < std::min(std::max(a.y, b.y), 32); ++y) {
        for (int x = std::max(std::min(a.x, b.x), 0); x < std::min(std::max(a.x, b.x), 64); ++x) {
          const bool ver = f.direction == FillVer;
          const std::int64_t from = ver ? a.y : a.x, to = ver ? b.y : b.x, pos = ver ? y : x;
          auto ch = [&](std::int64_t ca, std::int64_t cb) {
            return int((ca + (cb - ca) * (pos - from) / (to - from)) >> 8);
          };
          expected.setPixel(x, y, qRgb(ch(a.Red, b.Red), ch(a.Green, b.Green), ch(a.Blue, b.Blue)));
        }
      }
    }
    DeviceContext& dc = surface().inner().dc();
    {
      const FillGroup grouped(dc);
      for (const Fill1& f : group)
        FillGradient(dc, f.c1, f.c2, GradientDirection(f.direction), f.x, f.y, f.w, f.h);
    }
    EXPECT_EQ(Image(), expected);
  }
}

}  // namespace
}  // namespace palvex::testing
