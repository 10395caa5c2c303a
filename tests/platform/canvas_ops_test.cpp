// Every surface and device-context operation, drawn once while fills and a
// turned caption are held back and once with everything painted at once:
// the pictures and every value read must be the same. Holding work back is
// only a speed-up; an operation that reaches the pixels without painting
// what is held first shows here as a difference.
#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include "platform/narrow_text.h"
#include "platform/qt/held_fills.h"
#include "platform/qt/qimage_device_context.h"
#include "platform/qt/qimage_surface.h"

namespace palvex {
namespace {

constexpr Color kWhite = 0xFFFFFF;
constexpr Color kBlack = 0x000000;
constexpr Color kRed = 0x0000FF;
constexpr Color kGreen = 0x00A000;
constexpr Color kBlue = 0xC00000;
constexpr Color kYellow = 0x00E0FF;
constexpr int kTwips = 15;  // per pixel

// A surface in one mode, what an operation read from it, and the pictures
// it made elsewhere.
struct Drawing {
  Screen& screen;
  QImageSurface& s;
  DeviceContext& dc;
  bool atOnce;
  std::vector<Color> read;
  std::vector<QImage> pictures;
};

void Gradient(DeviceContext& dc, int x0, int y0, int x1, int y1, Color from, Color to,
              bool vertical) {
  const auto vertex = [](int x, int y, Color c) {
    return TriVertex{x,
                     y,
                     static_cast<std::uint16_t>(RedOf(c) << 8),
                     static_cast<std::uint16_t>(GreenOf(c) << 8),
                     static_cast<std::uint16_t>(BlueOf(c) << 8),
                     0};
  };
  const TriVertex v[] = {vertex(x0, y0, from), vertex(x1, y1, to)};
  const GradientRect mesh{0, 1};
  ASSERT_TRUE(dc.GradientFill(v, 2, &mesh, 1, vertical ? FillVer : FillHor));
}

// Text at (x, y) in a face of the given pixel height, turned by tenths of
// a degree, in the surface's ForeColor.
void Text(DeviceContext& dc, int x, int y, std::u16string_view text, int tenths, int height = 12,
          bool underlined = false) {
  LogFont font;
  font.lfHeight = -height;
  font.lfEscapement = font.lfOrientation = tenths;
  font.lfUnderline = underlined ? 1 : 0;
  font.lfFaceName = u"Arial";
  const ObjectHandle made = dc.CreateFontIndirect(font);
  const ObjectHandle kept = dc.SelectObject(made);
  EXPECT_TRUE(dc.TextOut(x, y, text, NarrowLength(text)));
  dc.SelectObject(kept);
  dc.DeleteObject(made);
}

// Fills on the left, a caption turned upwards on the right that touches
// none of them, and a bar of one colour under the fills (it joins them):
// all still held in an open group.
void HoldWork(Drawing& d, Color first) {
  d.dc.BeginFillGroup();
  Gradient(d.dc, 5, 5, 55, 60, first, kYellow, true);
  Gradient(d.dc, 20, 15, 50, 40, kGreen, kRed, false);
  Text(d.dc, 70, 85, u"Held caption", 900);
  d.s.FilledBox(20 * kTwips, 58 * kTwips, 50 * kTwips, 62 * kTwips, kBlack);
}

// The picture at a device pixel ratio of 2, with a fill held over most of
// it.
void HoldAtRatio2(Drawing& d) {
  d.s.SetDevicePixelRatio(2);
  Gradient(d.dc, 10, 30, 110, 70, kGreen, kRed, false);
}

// Work drawn after the group ends, over what the operation left.
void DrawAfter(Drawing& d) {
  Text(d.dc, 100, 80, u"after", 900);
  Gradient(d.dc, 90, 2, 118, 20, kYellow, kGreen, true);
}

// A checksum of a row of pixels, as a reader would see them.
Color RowSum(const Surface& s, int y) {
  Color sum = 0;
  for (int x = 0; x < s.PixelWidth(); ++x) sum = sum * 31 + s.PixelAt(x, y);
  return sum;
}

struct Operation {
  const char* name;
  void (*run)(Drawing&);
};

const Operation kOperations[] = {
    {"nothing more", [](Drawing&) {}},
    {"Print across the fills and the caption",
     [](Drawing& d) {
       d.s.SetCurrentX(10 * kTwips);
       d.s.SetCurrentY(30 * kTwips);
       d.s.Print(u"Printed over everything");
       d.read.push_back(static_cast<Color>(d.s.CurrentY()));
     }},
    {"a slanted Line", [](Drawing& d) { d.s.Line(0, 0, 119 * kTwips, 89 * kTwips, kRed); }},
    {"a Line along a fill joins it",
     [](Drawing& d) { d.s.Line(0, 30 * kTwips, 119 * kTwips, 30 * kTwips, kRed); }},
    {"a Line through the caption alone",
     [](Drawing& d) { d.s.Line(75 * kTwips, 0, 75 * kTwips, 89 * kTwips, kRed); }},
    {"a Box round everything",
     [](Drawing& d) { d.s.Box(2 * kTwips, 2 * kTwips, 110 * kTwips, 80 * kTwips, kRed); }},
    {"a FilledBox over the caption",
     [](Drawing& d) { d.s.FilledBox(65 * kTwips, 30 * kTwips, 90 * kTwips, 50 * kTwips, kRed); }},
    {"a later fill covers the held caption",
     [](Drawing& d) { Gradient(d.dc, 60, 30, 100, 50, kRed, kGreen, true); }},
    {"a nested group over fills and caption",
     [](Drawing& d) {
       d.dc.BeginFillGroup();
       Gradient(d.dc, 40, 20, 90, 45, kGreen, kBlue, false);
       d.dc.EndFillGroup();
       Text(d.dc, 45, 55, u"on top", 0);
     }},
    {"unturned text over the fills", [](Drawing& d) { Text(d.dc, 10, 20, u"Level", 0); }},
    {"text at 45 degrees over the caption", [](Drawing& d) { Text(d.dc, 60, 70, u"Slant", 450); }},
    {"text at 45 degrees over the fills", [](Drawing& d) { Text(d.dc, 10, 50, u"Slant", 450); }},
    {"underlined turned text over the caption",
     [](Drawing& d) { Text(d.dc, 78, 85, u"Under", 900, 12, true); }},
    {"a held caption keeps its colour after SetForeColor",
     [](Drawing& d) {
       d.s.SetForeColor(kRed);
       Text(d.dc, 85, 85, u"Red caption", 900);
     }},
    {"a caption in another size beside the held one",
     [](Drawing& d) { Text(d.dc, 85, 85, u"Bigger", 900, 16); }},
    {"the surface's font changes between texts",
     [](Drawing& d) {
       d.s.SetFontName(u"Courier New");
       d.s.SetFontSize(11);
       d.s.SetFontBold(true);
       EXPECT_TRUE(d.dc.TextOut(20, 30, u"Surface", 7));
       TextSize size;
       EXPECT_TRUE(d.dc.GetTextExtentPoint32(u"Surface", 7, &size));
       d.read.push_back(static_cast<Color>(size.cx));
       d.read.push_back(static_cast<Color>(d.s.TextWidth(u"Surface")));
     }},
    {"PixelAt and GetPixel read what is held",
     [](Drawing& d) {
       d.read.push_back(d.s.PixelAt(10, 10));
       d.read.push_back(d.dc.GetPixel(30, 20));
       d.read.push_back(d.s.PixelAt(30, 60));
       for (int y = 20; y < 85; y += 3) d.read.push_back(RowSum(d.s, y));
     }},
    {"image() in the middle of a group",
     [](Drawing& d) {
       d.pictures.push_back(d.s.image().copy());
       Gradient(d.dc, 0, 0, 30, 30, kRed, kBlue, true);
     }},
    {"ResizePixels bigger", [](Drawing& d) { d.s.ResizePixels(160, 120); }},
    {"ResizePixels smaller with fills held", [](Drawing& d) { d.s.ResizePixels(40, 30); }},
    {"at ratio 2, a FilledBox over held fills",
     [](Drawing& d) {
       HoldAtRatio2(d);
       d.s.FilledBox(20 * kTwips, 40 * kTwips, 80 * kTwips, 45 * kTwips, kRed);
       d.read.push_back(d.s.PixelAt(20, 50));
       d.read.push_back(d.dc.GetPixel(65, 42));
     }},
    {"at ratio 2, a Line along an axis over held fills",
     [](Drawing& d) {
       HoldAtRatio2(d);
       d.s.Line(0, 50 * kTwips, 119 * kTwips, 50 * kTwips, kBlue);
     }},
    {"at ratio 2, a slanted Line over held fills",
     [](Drawing& d) {
       HoldAtRatio2(d);
       d.s.Line(0, 0, 100 * kTwips, 60 * kTwips, kBlue);
     }},
    {"at ratio 2, text over held fills",
     [](Drawing& d) {
       HoldAtRatio2(d);
       Text(d.dc, 30, 85, u"Ratio", 900);
     }},
    {"PutBack a picture taken earlier",
     [](Drawing& d) {
       const QImage before = d.s.image().copy();
       Gradient(d.dc, 0, 0, 119, 89, kRed, kGreen, false);
       Text(d.dc, 110, 85, u"gone", 900);
       d.s.PutBack(before);
     }},
    {"PaintPicture onto another surface",
     [](Drawing& d) {
       QImageSurface other(d.screen, 120, 90);
       other.SetPaintAtOnce(d.atOnce);
       other.PaintPicture(d.s, 0, 0, 0, 0, 120 * kTwips, 90 * kTwips);
       d.pictures.push_back(other.image().copy());
     }},
    {"PaintPicture from itself",
     [](Drawing& d) { d.s.PaintPicture(d.s, 60 * kTwips, 0, 0, 0, 60 * kTwips, 90 * kTwips); }},
    {"Cls, then the whole picture painted from itself",
     [](Drawing& d) {
       d.s.Cls();
       d.s.PaintPicture(d.s, 0, 0, 0, 0, 120 * kTwips, 90 * kTwips);
     }},
    {"PaintPicture from a surface holding work",
     [](Drawing& d) {
       QImageSurface other(d.screen, 60, 60);
       other.SetPaintAtOnce(d.atOnce);
       other.dc().BeginFillGroup();
       Gradient(other.dc(), 0, 0, 60, 60, kGreen, kBlue, true);
       Text(other.dc(), 30, 55, u"other", 900);
       d.s.PaintPicture(other, 0, 0, 0, 0, 60 * kTwips, 60 * kTwips);
       other.dc().EndFillGroup();
     }},
    {"switching to paint at once with work held",
     [](Drawing& d) {
       d.s.SetPaintAtOnce(true);
       d.s.FilledBox(10 * kTwips, 50 * kTwips, 100 * kTwips, 52 * kTwips, kRed);
     }},
    {"Cls", [](Drawing& d) { d.s.Cls(); }},
    {"Cls twice",
     [](Drawing& d) {
       d.s.Cls();
       d.s.SetBackColor(kYellow);
       d.s.Cls();
     }},
    {"Cls, then a gradient over every pixel",
     [](Drawing& d) {
       d.s.Cls();
       Gradient(d.dc, 0, 0, 120, 90, kRed, kBlue, true);
     }},
    {"Cls, then a gradient over all but one row",
     [](Drawing& d) {
       d.s.Cls();
       Gradient(d.dc, 0, 0, 120, 89, kRed, kBlue, true);
     }},
    {"Cls, then a whole picture painted over it",
     [](Drawing& d) {
       QImageSurface other(d.screen, 120, 90);
       other.SetBackColor(kBlue);
       d.s.Cls();
       d.s.PaintPicture(other, 0, 0, 0, 0, 120 * kTwips, 90 * kTwips);
     }},
    {"Cls, then more fills than are held at once",
     [](Drawing& d) {
       d.s.Cls();
       // As many as are held on the left, the rest on the right.
       const int held = static_cast<int>(HeldFills::kMaxHeld);
       for (int i = 0; i < held + 500; ++i) {
         const int x = i % 50 + (i < held ? 0 : 60);
         Gradient(d.dc, x, 10 + i % 60, x + 3, 80, kRed, kBlue, i % 2 == 0);
       }
     }},
    {"SetBackColor", [](Drawing& d) { d.s.SetBackColor(kGreen); }},
    {"Refresh shows the held work",
     [](Drawing& d) {
       d.s.SetRefreshHandler([&d] { d.pictures.push_back(d.s.image().copy()); });
       d.s.Refresh();
       d.s.SetRefreshHandler({});
     }},
    {"unbalanced group ends",
     [](Drawing& d) {
       d.dc.EndFillGroup();
       d.dc.EndFillGroup();
       Gradient(d.dc, 60, 10, 100, 60, kBlue, kRed, true);
     }},
};

// The operation drawn on a surface holding work, or painting it at once.
Drawing& Draw(Drawing& d, const Operation& operation, Color first = kBlue) {
  d.s.SetPaintAtOnce(d.atOnce);
  d.s.SetBackColor(kWhite);
  d.s.SetForeColor(kBlack);
  HoldWork(d, first);
  operation.run(d);
  d.dc.EndFillGroup();
  DrawAfter(d);
  return d;
}

// A surface holding work back beside one painting at once.
struct BothWays {
  Screen screen;
  QImageSurface held{screen, 120, 90};
  QImageSurface atOnce{screen, 120, 90};
  Drawing h{screen, held, held.dc(), false, {}, {}};
  Drawing a{screen, atOnce, atOnce.dc(), true, {}, {}};
};

TEST(CanvasOperations, HoldingWorkBackPaintsWhatPaintingAtOnceDoes) {
  for (const Operation& operation : kOperations) {
    SCOPED_TRACE(operation.name);
    BothWays both;
    Drawing& h = Draw(both.h, operation);
    Drawing& a = Draw(both.a, operation);
    EXPECT_TRUE(both.held.image() == both.atOnce.image());
    EXPECT_EQ(h.read, a.read);
    ASSERT_EQ(h.pictures.size(), a.pictures.size());
    for (std::size_t i = 0; i < h.pictures.size(); ++i)
      EXPECT_TRUE(h.pictures[i] == a.pictures[i]) << "picture " << i;
  }
}

// Each operation in drawing passes: drawn once, again the same, and once
// more with the first fill in another colour, which repaints only what
// changed. The picture must be the one painting the same at once gives.
TEST(CanvasOperations, APassRepaintingWhatChangedPaintsWhatPaintingAtOnceDoes) {
  for (const Operation& operation : kOperations) {
    SCOPED_TRACE(operation.name);
    BothWays both;
    for (const Color first : {kBlue, kBlue, kGreen}) {
      {
        const DrawingPass pass(both.held);
        Draw(both.h, operation, first);
      }
      Draw(both.a, operation, first);
    }
    EXPECT_TRUE(both.held.image() == both.atOnce.image());
  }
}

}  // namespace
}  // namespace palvex
