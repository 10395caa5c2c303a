#include "render/rotated_text.h"

#include <gtest/gtest.h>

#include <QImage>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/qt/headless_host.h"
#include "platform/qt/qimage_surface.h"
#include "support/chart_fixture.h"
#include "support/error_of.h"

namespace palvex::testing {
namespace {

TEST(RotatePoint, TurnsCounterClockwiseOnScreenAboutTheCentre) {
  // The unrotated corner of a 40 x 12 text centred on (100, 50).
  const PointL centre{100, 50};
  struct Case {
    float angle;
    PointL expected;
  };
  for (Case c : {Case{0, {80, 44}}, Case{90, {94, 70}}, Case{180, {120, 56}}, Case{270, {106, 30}},
                 Case{360, {80, 44}}}) {
    PointL p{80, 44};
    RotatePoint(centre, p, c.angle);
    EXPECT_EQ(p.x, c.expected.x) << c.angle;
    EXPECT_EQ(p.y, c.expected.y) << c.angle;
  }
}

TEST(RotatePoint, KeepsTheAngleInSinglePrecision) {
  // cos of a single-precision right angle is -4.4e-8, not 6e-17: far from
  // the centre that moves the point by a pixel.
  PointL p{20000000, 0};
  RotatePoint({0, 0}, p, 90);
  EXPECT_EQ(p.x, -1);
  EXPECT_EQ(p.y, -20000000);
}

TEST(RotatePoint, DifferencesBeyond32BitsAreAnOverflow) {
  PointL p{INT32_MAX, 0};
  EXPECT_EQ(ErrorOf([&] { RotatePoint({-1, 0}, p, 90); }), kErrOverflow);
}

// A device context in front of a real one that records each call by name
// and makes the call named in failAt (its nth occurrence) fail without
// passing it on. It can also report a fixed text size.
class ScriptedContext : public DeviceContext {
 public:
  explicit ScriptedContext(QImageDeviceContext& real) : real_(real) {}

  std::vector<std::string> calls;
  std::optional<std::pair<std::string, int>> failAt;
  std::optional<TextSize> extent;
  std::vector<LogFont> createdFonts;
  std::vector<std::int32_t> byteLengths;
  std::optional<PointL> textAt;
  int getObjectBuffer = 0;

  bool GradientFill(const TriVertex* v, std::uint32_t nv, const GradientRect* m, std::uint32_t nm,
                    std::uint32_t mode) override {
    return real_.GradientFill(v, nv, m, nm, mode);
  }
  Color GetPixel(int x, int y) const override { return real_.GetPixel(x, y); }

  ObjectHandle GetStockObject(int index) override {
    return Fails("GetStockObject") ? kNullObject : real_.GetStockObject(index);
  }
  ObjectHandle SelectObject(ObjectHandle object) override {
    return Fails("SelectObject") ? kNullObject : real_.SelectObject(object);
  }
  int GetObject(ObjectHandle object, int bufferSize, LogFont* font) override {
    getObjectBuffer = bufferSize;
    return Fails("GetObject") ? 0 : real_.GetObject(object, bufferSize, font);
  }
  ObjectHandle CreateFontIndirect(const LogFont& font) override {
    createdFonts.push_back(font);
    return Fails("CreateFontIndirect") ? kNullObject : real_.CreateFontIndirect(font);
  }
  bool GetTextExtentPoint32(std::u16string_view text, std::int32_t n, TextSize* size) override {
    byteLengths.push_back(n);
    if (Fails("GetTextExtentPoint32")) return false;
    if (!extent) return real_.GetTextExtentPoint32(text, n, size);
    *size = *extent;
    return true;
  }
  bool TextOut(std::int32_t x, std::int32_t y, std::u16string_view text, std::int32_t n) override {
    byteLengths.push_back(n);
    textAt = PointL{x, y};
    return !Fails("TextOut") && real_.TextOut(x, y, text, n);
  }
  bool DeleteObject(ObjectHandle object) override {
    return !Fails("DeleteObject") && real_.DeleteObject(object);
  }

 private:
  bool Fails(const std::string& name) {
    calls.push_back(name);
    if (!failAt || failAt->first != name) return false;
    int seen = 0;
    for (const std::string& c : calls) seen += c == name;
    return seen == failAt->second;
  }
  QImageDeviceContext& real_;
};

const std::vector<std::string> kAllCalls = {
    "GetStockObject", "SelectObject",         "GetObject", "SelectObject", "CreateFontIndirect",
    "SelectObject",   "GetTextExtentPoint32", "TextOut",   "SelectObject", "DeleteObject"};

class RotatedText : public ::testing::Test {
 protected:
  RotatedText() : surface(host.screen(), 200, 120), scripted(Real()) {
    surface.SetBackColor(0xFFFFFF);
    surface.SetForeColor(0x0000FF);
    surface.SetFontSize(8);
  }
  QImageDeviceContext& Real() { return static_cast<QImageDeviceContext&>(surface.dc()); }
  bool Draw(const std::u16string& text, float angle, std::int32_t x = 100, std::int32_t y = 60) {
    return DrawRotatedText(scripted, text, x, y, angle);
  }

  HeadlessHost host;
  QImageSurface surface;
  ScriptedContext scripted;
};

TEST_F(RotatedText, MakesItsCallsInOrderAndLeavesTheContextAsItWas) {
  EXPECT_TRUE(Draw(u"上海 Pudong", 270));
  EXPECT_EQ(scripted.calls, kAllCalls);
  EXPECT_EQ(scripted.getObjectBuffer, 61);
  EXPECT_EQ(Real().SelectedFont(), QImageDeviceContext::kSurfaceFont);
  EXPECT_EQ(Real().CreatedFonts(), 0u);
}

TEST_F(RotatedText, TheRotatedFontIsTheSurfaceFontTurnedAndAntialiased) {
  surface.SetFontBold(true);
  Draw(u"x", 90);
  ASSERT_EQ(scripted.createdFonts.size(), 1u);
  LogFont expected;
  Real().GetObject(QImageDeviceContext::kSurfaceFont, kLogFontBytes, &expected);
  expected.lfEscapement = expected.lfOrientation = 900;
  expected.lfQuality = kAntialiasedQuality;
  EXPECT_EQ(scripted.createdFonts[0], expected);
  EXPECT_EQ(expected.lfFaceName, u"宋体");
  EXPECT_EQ(expected.lfWeight, kBoldWeight);
  EXPECT_EQ(expected.lfHeight, -11);  // 8 points at 96 dots per inch
}

TEST_F(RotatedText, ChineseCountsTwoBytesACharacterInEveryCall) {
  Draw(u"上海A", 270);
  EXPECT_EQ(scripted.byteLengths, (std::vector<std::int32_t>{5, 5}));
}

TEST_F(RotatedText, TheStartPointIsTheCentredCornerTurnedWithTheText) {
  // 41 x 13 centred on (100, 60): corner round(79.5) = 80, round(53.5) = 54.
  scripted.extent = TextSize{41, 13};
  struct Case {
    float angle;
    PointL start;
  };
  for (Case c : {Case{0, {80, 54}}, Case{90, {94, 80}}, Case{270, {106, 40}}}) {
    Draw(u"Jan", c.angle);
    ASSERT_TRUE(scripted.textAt);
    EXPECT_EQ(scripted.textAt->x, c.start.x) << c.angle;
    EXPECT_EQ(scripted.textAt->y, c.start.y) << c.angle;
    EXPECT_EQ(scripted.createdFonts.back().lfEscapement, int(c.angle * 10));
  }
}

TEST_F(RotatedText, AnAngleThatIsNotANumberFailsBeforeTouchingTheContext) {
  EXPECT_EQ(ErrorOf([&] { Draw(u"x", std::numeric_limits<float>::quiet_NaN()); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([&] { Draw(u"x", 3e38f); }), kErrOverflow);
  EXPECT_TRUE(scripted.calls.empty());
}

TEST_F(RotatedText, AStartPointBeyond32BitsRestoresTheFontBeforeFailing) {
  EXPECT_EQ(ErrorOf([&] { Draw(u"wide text", 0, INT32_MIN + 1, 0); }), kErrOverflow);
  EXPECT_EQ(Real().SelectedFont(), QImageDeviceContext::kSurfaceFont);
  EXPECT_EQ(Real().CreatedFonts(), 0u);
}

// Each failing call, how many of the calls above are made before the
// routine stops or cleans up, the clean-up calls, and whether the text still
// counts as drawn.
struct FailureCase {
  std::string call;
  int occurrence;
  std::size_t callsMade;
  std::vector<std::string> cleanUp;
  bool drawn;
};
// Named in failure messages by the call that fails, not as raw bytes
// (which would print the struct's padding, never written).
void PrintTo(const FailureCase& c, std::ostream* os) {
  *os << c.call << " #" << c.occurrence;
}

class RotatedTextFailure : public RotatedText, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(RotatedTextFailure, DrawsNothingAndLeavesNoFontBehind) {
  const FailureCase& c = GetParam();
  scripted.failAt = {c.call, c.occurrence};
  const QImage before = surface.image().copy();
  EXPECT_EQ(Draw(u"宋体 text", 270), c.drawn);
  std::vector<std::string> expected(kAllCalls.begin(), kAllCalls.begin() + c.callsMade);
  expected.insert(expected.end(), c.cleanUp.begin(), c.cleanUp.end());
  EXPECT_EQ(scripted.calls, expected);
  if (c.drawn) {
    // A font that failed to be deleted, or is still selected, stays alive.
    EXPECT_EQ(Real().CreatedFonts(), 1u);
    return;
  }
  EXPECT_EQ(surface.image(), before);
  EXPECT_EQ(Real().CreatedFonts(), 0u);
  // Only a failed select of the font back cannot put it back.
  if (!(c.call == "SelectObject" && c.occurrence == 2)) {
    EXPECT_EQ(Real().SelectedFont(), QImageDeviceContext::kSurfaceFont);
  }
}

INSTANTIATE_TEST_SUITE_P(
    EveryCall, RotatedTextFailure,
    ::testing::Values(
        FailureCase{"GetStockObject", 1, 2, {}, false},
        FailureCase{"SelectObject", 1, 2, {}, false}, FailureCase{"GetObject", 1, 4, {}, false},
        FailureCase{"SelectObject", 2, 4, {}, false},
        FailureCase{"CreateFontIndirect", 1, 5, {}, false},
        FailureCase{"SelectObject", 3, 6, {"DeleteObject"}, false},
        FailureCase{"GetTextExtentPoint32", 1, 7, {"SelectObject", "DeleteObject"}, false},
        FailureCase{"TextOut", 1, 10, {}, false},
        // Clean-up failures come after the text is on the image.
        FailureCase{"SelectObject", 4, 10, {}, true}, FailureCase{"DeleteObject", 1, 10, {}, true}),
    [](const ::testing::TestParamInfo<FailureCase>& p) {
      return p.param.call + std::to_string(p.param.occurrence);
    });

TEST_F(RotatedText, ATextIsDrawnWholeAndTurnedAboutItsCentre) {
  surface.SetFontSize(12);
  struct Case {
    float angle;
    bool upright;
  };
  for (Case c : {Case{0, false}, Case{90, true}, Case{270, true}}) {
    surface.Cls();
    ASSERT_TRUE(DrawRotatedText(Real(), u"上海市", 100, 60, c.angle));
    QRect ink;
    for (int y = 0; y < 120; ++y) {
      for (int x = 0; x < 200; ++x) {
        if (surface.PixelAt(x, y) != 0xFFFFFF) ink |= QRect(x, y, 1, 1);
      }
    }
    EXPECT_EQ(ink.height() > ink.width(), c.upright) << c.angle;
    EXPECT_GT(std::max(ink.width(), ink.height()), 40) << "three characters, " << c.angle;
    EXPECT_NEAR(ink.center().x(), 100, 3) << c.angle;
    EXPECT_NEAR(ink.center().y(), 60, 3) << c.angle;
  }
}

class ChartCaptions : public ChartFixture {};

TEST_F(ChartCaptions, ItemCaptionsReadDownwardsAndTheYAxisCaptionUpwardsInEightPoints) {
  chart->AddItem(Item(u"1", 40, u"上海"));
  chart->AddItem(Item(u"2", 60, u"Jan"));
  state().AxisLabelY = u"销售额";
  AnimationPlayed();
  surface().ops.clear();
  chart->Refresh();
  const auto fonts = surface().Named("CreateFont");
  ASSERT_EQ(fonts.size(), 3u);
  EXPECT_EQ(fonts[0].args, (std::vector<double>{2700, -11, kNormalWeight}));
  EXPECT_EQ(fonts[1].args[0], 2700);
  EXPECT_EQ(fonts[2].args[0], 900);
  const auto texts = surface().Named("TextOut");
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, u"上海");
  EXPECT_EQ(texts[0].args[2], 4);
  EXPECT_EQ(texts[1].args[2], 3);
  EXPECT_EQ(texts[2].text, u"销售额");
  // Item captions hang below the plot's bottom (4755 twips, row 317); the
  // Y caption starts below the middle of the left edge and runs up.
  EXPECT_GT(texts[0].args[1], 317);
  EXPECT_GT(texts[2].args[1], 186);
  EXPECT_LT(texts[2].args[0], 55);
}

}  // namespace
}  // namespace palvex::testing
