// Fonts and text on the device context of a real QImage surface. Glyph
// shapes differ between machines, so only where ink lands is checked.
#include "platform/qt/qimage_device_context.h"

#include <gtest/gtest.h>

#include <QImage>

#include "platform/narrow_text.h"
#include "platform/qt/qimage_surface.h"

namespace palvex {
namespace {

constexpr Color kWhite = 0xFFFFFF;
constexpr Color kRed = 0x0000FF;

TEST(NarrowText, AsciiCountsOneByteAndEveryOtherCharacterTwo) {
  EXPECT_EQ(NarrowLength(u""), 0);
  EXPECT_EQ(NarrowLength(u"Jan"), 3);
  EXPECT_EQ(NarrowLength(u"上海 A"), 6);
  EXPECT_EQ(NarrowLength(u"é\U0001F600"), 4);  // a surrogate pair is one character
  EXPECT_EQ(NarrowLength(std::u16string(1, char16_t(0xD800))), 2);
  EXPECT_EQ(NarrowPrefix(u"A上海", 3), u"A上");
  EXPECT_EQ(NarrowPrefix(u"A上海", 0), u"");
  EXPECT_FALSE(NarrowPrefix(u"A上海", 2));  // half a character
  EXPECT_FALSE(NarrowPrefix(u"A上海", 6));  // past the end
  EXPECT_FALSE(NarrowPrefix(u"A上海", -1));
}

class DeviceContextFonts : public ::testing::Test {
 protected:
  DeviceContextFonts() : surface(screen, 160, 120) {
    surface.SetBackColor(kWhite);
    surface.SetForeColor(kRed);
  }
  QImageDeviceContext& dc() { return static_cast<QImageDeviceContext&>(surface.dc()); }
  LogFont Describe(ObjectHandle font) {
    LogFont f;
    EXPECT_EQ(dc().GetObject(font, kLogFontBytes, &f), kLogFontBytes);
    return f;
  }
  // The smallest rectangle holding every pixel that is not white.
  QRect Ink() const {
    QRect box;
    for (int y = 0; y < surface.PixelHeight(); ++y) {
      for (int x = 0; x < surface.PixelWidth(); ++x) {
        if (surface.PixelAt(x, y) != kWhite) box |= QRect(x, y, 1, 1);
      }
    }
    return box;
  }
  ObjectHandle CreateTurned(std::int32_t escapement) {
    LogFont f = Describe(QImageDeviceContext::kSurfaceFont);
    f.lfEscapement = f.lfOrientation = escapement;
    f.lfQuality = kAntialiasedQuality;
    return dc().CreateFontIndirect(f);
  }

  Screen screen;
  QImageSurface surface;
};

TEST_F(DeviceContextFonts, TheSelectedFontIsTheSurfaceFontAndFollowsIt) {
  EXPECT_EQ(dc().SelectedFont(), QImageDeviceContext::kSurfaceFont);
  LogFont f = Describe(QImageDeviceContext::kSurfaceFont);
  EXPECT_EQ(f.lfFaceName, u"宋体");
  EXPECT_EQ(f.lfHeight, -12);  // 9 points at 96 dots per inch
  EXPECT_EQ(f.lfWeight, kNormalWeight);
  EXPECT_EQ(f.lfCharSet, 134);
  surface.SetFontName(u"Arial");
  surface.SetFontSize(20);
  surface.SetFontBold(true);
  f = Describe(QImageDeviceContext::kSurfaceFont);
  EXPECT_EQ(f.lfFaceName, u"Arial");
  EXPECT_EQ(f.lfHeight, -27);
  EXPECT_EQ(f.lfWeight, kBoldWeight);
  // At 12 twips per pixel the same points are more pixels.
  screen.SetTwipsPerPixel(12, 12);
  EXPECT_EQ(Describe(QImageDeviceContext::kSurfaceFont).lfHeight, -33);
  // A font change selects the surface's font again.
  dc().SelectObject(dc().GetStockObject(kSystemFont));
  surface.SetFontSize(8);
  EXPECT_EQ(dc().SelectedFont(), QImageDeviceContext::kSurfaceFont);
}

TEST_F(DeviceContextFonts, SelectingAnswersTheFontItReplacesAndRefusesUnknownHandles) {
  const ObjectHandle system = dc().GetStockObject(kSystemFont);
  EXPECT_NE(system, kNullObject);
  EXPECT_EQ(dc().GetStockObject(0), kNullObject);
  EXPECT_EQ(dc().SelectObject(system), QImageDeviceContext::kSurfaceFont);
  EXPECT_EQ(dc().SelectObject(kNullObject), kNullObject);
  EXPECT_EQ(dc().SelectObject(12345), kNullObject);
  EXPECT_EQ(dc().SelectedFont(), system);
  EXPECT_EQ(dc().SelectObject(QImageDeviceContext::kSurfaceFont), system);
}

TEST_F(DeviceContextFonts, ADescriptionNeedsAKnownFontAndRoomForTheRecord) {
  LogFont f;
  EXPECT_EQ(dc().GetObject(QImageDeviceContext::kSurfaceFont, kLogFontBytes - 1, &f), 0);
  EXPECT_EQ(dc().GetObject(QImageDeviceContext::kSurfaceFont, 0, nullptr), kLogFontBytes);
  EXPECT_EQ(dc().GetObject(999, 61, &f), 0);
  EXPECT_EQ(dc().GetObject(dc().GetStockObject(kSystemFont), 61, &f), kLogFontBytes);
  EXPECT_EQ(f.lfWeight, kBoldWeight);
}

TEST_F(DeviceContextFonts, CreatedFontsAreDeletedOnlyWhenNotSelected) {
  const ObjectHandle turned = CreateTurned(900);
  ASSERT_NE(turned, kNullObject);
  EXPECT_EQ(dc().CreatedFonts(), 1u);
  EXPECT_EQ(Describe(turned).lfEscapement, 900);
  dc().SelectObject(turned);
  EXPECT_FALSE(dc().DeleteObject(turned));
  dc().SelectObject(QImageDeviceContext::kSurfaceFont);
  EXPECT_TRUE(dc().DeleteObject(turned));
  EXPECT_FALSE(dc().DeleteObject(turned));
  EXPECT_EQ(dc().CreatedFonts(), 0u);
  EXPECT_FALSE(dc().DeleteObject(QImageDeviceContext::kSurfaceFont));
  EXPECT_TRUE(dc().DeleteObject(dc().GetStockObject(kSystemFont)));  // stock: a no-op
  // One deleted among others leaves the others as they were.
  const ObjectHandle first = CreateTurned(450), second = CreateTurned(900);
  const ObjectHandle third = CreateTurned(1800);
  EXPECT_TRUE(dc().DeleteObject(second));
  EXPECT_EQ(Describe(first).lfEscapement, 450);
  EXPECT_EQ(Describe(third).lfEscapement, 1800);
  EXPECT_EQ(dc().CreatedFonts(), 2u);
}

TEST_F(DeviceContextFonts, FontsThatAreNeverDeletedRunOutInsteadOfGrowingForever) {
  std::vector<ObjectHandle> fonts;
  for (ObjectHandle h; (h = dc().CreateFontIndirect(LogFont{})) != kNullObject;) {
    fonts.push_back(h);
    ASSERT_LT(fonts.size(), 100000u);
  }
  EXPECT_EQ(fonts.size(), 10000u);
  EXPECT_TRUE(dc().DeleteObject(fonts.back()));
  EXPECT_NE(dc().CreateFontIndirect(LogFont{}), kNullObject);
}

TEST_F(DeviceContextFonts, TextLengthsCountNarrowBytesAndBadLengthsFail) {
  TextSize one, two;
  ASSERT_TRUE(dc().GetTextExtentPoint32(u"上海", 2, &one));
  ASSERT_TRUE(dc().GetTextExtentPoint32(u"上海", 4, &two));
  EXPECT_GT(one.cx, 0);
  EXPECT_GT(two.cx, one.cx);  // two bytes are one character, four both
  EXPECT_EQ(two.cy, one.cy);
  TextSize none;
  EXPECT_FALSE(dc().GetTextExtentPoint32(u"上海", 3, &none));
  EXPECT_FALSE(dc().GetTextExtentPoint32(u"上海", 5, &none));
  EXPECT_FALSE(dc().GetTextExtentPoint32(u"上海", -1, &none));
  EXPECT_FALSE(dc().TextOut(10, 10, u"上海", 3));
  EXPECT_FALSE(dc().TextOut(10, 10, u"上海", 99));
  EXPECT_TRUE(Ink().isEmpty());
  EXPECT_TRUE(dc().TextOut(10, 10, u"", 0));
  EXPECT_TRUE(Ink().isEmpty());
}

TEST_F(DeviceContextFonts, TextIsAntialiasedInTheForeColorOnATransparentBackground) {
  surface.SetFontSize(24);
  TextSize size;
  ASSERT_TRUE(dc().GetTextExtentPoint32(u"上海", 4, &size));
  ASSERT_TRUE(dc().TextOut(20, 30, u"上海", 4));
  const QRect ink = Ink();
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_TRUE(QRect(20, 30, size.cx, size.cy).contains(ink));
  EXPECT_GT(ink.width(), size.cx / 2);  // both characters, not one
  int solid = 0, blended = 0, background = 0;
  for (int y = 30; y < 30 + size.cy; ++y) {
    for (int x = 20; x < 20 + size.cx; ++x) {
      const Color c = surface.PixelAt(x, y);
      if (c == kRed) {
        ++solid;
      } else if (c == kWhite) {
        ++background;
      } else {
        ++blended;
        EXPECT_EQ(RedOf(c), 255) << "a blend of white and red only";
      }
    }
  }
  EXPECT_GT(solid, 0);
  EXPECT_GT(blended, 0);
  EXPECT_GT(background, size.cx * size.cy / 3);
}

TEST_F(DeviceContextFonts, EscapementTurnsTheTextCounterClockwiseAboutItsStartPoint) {
  const ObjectHandle up = CreateTurned(900), down = CreateTurned(2700);
  const std::u16string text = u"Jan 上海";
  TextSize size;
  ASSERT_TRUE(dc().GetTextExtentPoint32(text, NarrowLength(text), &size));
  dc().SelectObject(up);
  ASSERT_TRUE(dc().TextOut(40, 100, text, NarrowLength(text)));
  QRect ink = Ink();
  // Upwards: the text runs up from the start point, its top to the left.
  EXPECT_GE(ink.left(), 40);
  EXPECT_LE(ink.bottom(), 100);
  EXPECT_GT(ink.height(), ink.width());
  EXPECT_GE(ink.top(), 100 - size.cx - 1);
  surface.Cls();
  dc().SelectObject(down);
  ASSERT_TRUE(dc().TextOut(120, 10, text, NarrowLength(text)));
  ink = Ink();
  // Downwards: the text runs down from the start point, its top to the right.
  EXPECT_LE(ink.right(), 120);
  EXPECT_GE(ink.top(), 10);
  EXPECT_GT(ink.height(), ink.width());
  EXPECT_LE(ink.bottom(), 10 + size.cx + 1);
}

}  // namespace
}  // namespace palvex
