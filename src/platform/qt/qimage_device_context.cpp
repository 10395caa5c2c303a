#include "platform/qt/qimage_device_context.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/narrow_text.h"
#include "platform/qt/device_pixels.h"
#include "platform/qt/fonts.h"
#include "platform/qt/qt_text.h"
#include "platform/surface.h"

namespace palvex {

namespace {

// Like the platform's own limit on drawing objects: a caller that never
// deletes its fonts runs out instead of exhausting memory.
constexpr std::size_t kMaxCreatedFonts = 10000;

// The stock system font: a bold 16-pixel face.
LogFont SystemFont() {
  LogFont f;
  f.lfHeight = 16;
  f.lfWeight = kBoldWeight;
  f.lfFaceName = u"System";
  return f;
}

// One line of text drawn through turn, whole.
void DrawWhole(QPainter& p, MeasuredFont& font, const QTransform& turn, QPointF baseline,
               std::u16string_view text, const QColor& pen, bool antialiased) {
  p.setRenderHint(QPainter::TextAntialiasing, antialiased);
  p.setPen(pen);
  p.setTransform(turn);
  font.Draw(p, baseline, text);
  p.resetTransform();
}

}  // namespace

QFont QFontFor(const LogFont& font) {
  QFont f(ResolveFontFamily(font.lfFaceName));
  const std::int64_t height = std::llabs(std::int64_t(font.lfHeight));
  f.setPixelSize(static_cast<int>(std::clamp<std::int64_t>(height == 0 ? 16 : height, 1, 2000)));
  const std::int32_t weight = font.lfWeight == 0 ? kNormalWeight : font.lfWeight;
  f.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
  f.setItalic(font.lfItalic != 0);
  f.setUnderline(font.lfUnderline != 0);
  f.setStrikeOut(font.lfStrikeOut != 0);
  f.setStyleStrategy(font.lfQuality == kNonAntialiasedQuality ? QFont::NoAntialias
                                                              : QFont::PreferAntialias);
  return f;
}

QImageDeviceContext::QImageDeviceContext(Canvas& canvas, const Screen& screen, const Surface& owner,
                                         FontCache& ownerFonts)
    : canvas_(canvas), screen_(screen), owner_(owner), ownerFonts_(ownerFonts) {}

bool QImageDeviceContext::GradientFill(const TriVertex* vertices, std::uint32_t vertexCount,
                                       const GradientRect* mesh, std::uint32_t meshCount,
                                       std::uint32_t mode) {
  if (!vertices || !mesh || mode > FillVer) return false;
  // Vertices are logical pixels; on a picture at a higher ratio each ramp
  // runs over the device pixels between them, as smooth as they allow.
  std::vector<TriVertex> device;
  if (const double r = canvas_.devicePixelRatio(); r != 1.0) {
    device = DeviceVertices(vertices, vertexCount, mesh, meshCount, r);
    vertices = device.data();
  }
  for (std::uint32_t m = 0; m < meshCount; ++m) {
    if (mesh[m].UpperLeft >= vertexCount || mesh[m].LowerRight >= vertexCount) return false;
  }
  // The rectangles of one call are painted together. Each row (or column)
  // takes the ramp's value at its top (left) edge: the one at vertex a's
  // coordinate has a's colour exactly, and swapping both vertices gives the
  // same picture.
  canvas_.BeginFillGroup();
  for (std::uint32_t m = 0; m < meshCount; ++m)
    canvas_.GradientFill(vertices[mesh[m].UpperLeft], vertices[mesh[m].LowerRight],
                         mode == FillVer);
  canvas_.EndFillGroup();
  return true;
}

Color QImageDeviceContext::GetPixel(int x, int y) const {
  const double r = canvas_.devicePixelRatio();
  if (r != 1.0) {
    if (x < 0 || y < 0 || x >= LogicalSide(canvas_.width(), r) ||
        y >= LogicalSide(canvas_.height(), r))
      return kInvalidColor;
    const QPoint at = DeviceRect(QRect(x, y, 1, 1), r).topLeft();
    x = at.x();
    y = at.y();
  }
  if (x < 0 || y < 0 || x >= canvas_.width() || y >= canvas_.height()) return kInvalidColor;
  // To a reader the picture already holds what is held back.
  return FromQRgb(canvas_.Image().pixel(x, y));
}

const LogFont* QImageDeviceContext::Describe(ObjectHandle object) {
  if (object == kSurfaceFont) {
    const FontSpec font = owner_.Font();
    const double dpi = screen_.DotsPerInchY();
    surfaceFont_ = LogFont{};
    surfaceFont_.lfHeight = -FontPixelSize(font, dpi);
    surfaceFont_.lfWeight = font.bold ? kBoldWeight : kNormalWeight;
    surfaceFont_.lfCharSet = static_cast<std::uint8_t>(font.charset);
    surfaceFont_.lfFaceName = font.name;
    return &surfaceFont_;
  }
  if (object == kSystemFontObject) {
    static const LogFont system = SystemFont();
    return &system;
  }
  auto it = created_.find(object);
  return it == created_.end() ? nullptr : &it->second;
}

MeasuredFont& QImageDeviceContext::SelectedQtFont() {
  // The surface's font follows the screen's resolution too.
  const double dpi = screen_.DotsPerInchY();
  if (selectedQtFont_ && (selected_ != kSurfaceFont || dpi == selectedDpi_))
    return *selectedQtFont_;
  selectedDpi_ = dpi;
  MeasuredFont& font = QtFontFor(*Describe(selected_));
  selectedQtFont_ = &font;
  return font;
}

MeasuredFont& QImageDeviceContext::QtFontFor(LogFont key) {
  key.lfEscapement = key.lfOrientation = 0;
  for (auto& [font, measured] : qtFonts_) {
    if (font == key) return *measured;
  }
  if (qtFonts_.size() >= kMaxQtFonts) {
    qtFonts_.erase(qtFonts_.begin());
    selectedQtFont_ = nullptr;  // it may have been the one dropped
  }
  const QFont font = QFontFor(key);
  auto measured = ownerFonts_.Share(font);
  qtFonts_.emplace_back(std::move(key), std::move(measured));
  return *qtFonts_.back().second;
}

ObjectHandle QImageDeviceContext::GetStockObject(int index) {
  return index == kSystemFont ? kSystemFontObject : kNullObject;
}

ObjectHandle QImageDeviceContext::SelectObject(ObjectHandle object) {
  if (!Describe(object)) return kNullObject;
  const ObjectHandle previous = selected_;
  if (object != selected_) selectedQtFont_ = nullptr;
  selected_ = object;
  return previous;
}

int QImageDeviceContext::GetObject(ObjectHandle object, int bufferSize, LogFont* font) {
  const LogFont* description = Describe(object);
  if (!description) return 0;
  if (!font) return kLogFontBytes;  // the size a caller must provide
  if (bufferSize < kLogFontBytes) return 0;
  *font = *description;
  return kLogFontBytes;
}

ObjectHandle QImageDeviceContext::CreateFontIndirect(const LogFont& font) {
  if (created_.size() >= kMaxCreatedFonts) return kNullObject;
  while (nextHandle_ < kFirstCreated || created_.count(nextHandle_)) ++nextHandle_;
  const ObjectHandle handle = nextHandle_++;
  created_.emplace(handle, font);
  return handle;
}

bool QImageDeviceContext::GetTextExtentPoint32(std::u16string_view text, std::int32_t byteLength,
                                               TextSize* size) {
  const auto shown = NarrowPrefix(text, byteLength);
  if (!shown || !size) return false;
  MeasuredFont& font = SelectedQtFont();
  size->cx = font.WholeWidth(*shown);
  size->cy = font.WholeHeight();
  return true;
}

bool QImageDeviceContext::TextOut(std::int32_t x, std::int32_t y, std::u16string_view text,
                                  std::int32_t byteLength) {
  const auto shown = NarrowPrefix(text, byteLength);
  if (!shown) return false;
  const LogFont& description = *Describe(selected_);
  // Above a ratio of 1 the text is drawn in a font of that many times the
  // pixels, unscaled: a scaled font loses its synthetic bold.
  const double r = canvas_.devicePixelRatio();
  MeasuredFont& font = r == 1.0 ? SelectedQtFont() : QtFontFor(DeviceFont(description, r));
  // The escapement turns counter-clockwise on screen; Qt turns clockwise.
  QTransform turn;
  if (r != 1.0) turn.scale(1 / r, 1 / r);
  turn.translate(x * r, y * r);
  turn.rotate(-description.lfEscapement / 10.0);
  const QPointF baseline(0, font.metrics().ascent());
  const bool antialiased = description.lfQuality != kNonAntialiasedQuality;
  const QColor pen = ToQColor(owner_.ForeColor());
  const QList<QGlyphRun>* runs = font.GlyphRuns(*shown);
  if (r == 1.0 && runs) {
    // Where the text may leave pixels: its glyphs' ink and a margin for
    // anti-aliasing.
    constexpr int kInkMargin = 3;
    const QRect ink = turn.mapRect(font.InkBounds(*shown).translated(baseline))
                          .toAlignedRect()
                          .adjusted(-kInkMargin, -kInkMargin, kInkMargin, kInkMargin);
    if (canvas_.HoldText(*runs, turn, baseline, ink, pen, antialiased)) return true;
    DrawWhole(canvas_.PainterOver(ink), font, turn, baseline, *shown, pen, antialiased);
    return true;
  }
  DrawWhole(canvas_.Painter(), font, turn, baseline, *shown, pen, antialiased);
  return true;
}

bool QImageDeviceContext::DeleteObject(ObjectHandle object) {
  if (object == kSystemFontObject) return true;  // stock objects are never freed
  if (object == selected_) return false;
  return created_.erase(object) == 1;
}

}  // namespace palvex
