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

QImageDeviceContext::QImageDeviceContext(Canvas& canvas, const Screen& screen, const Surface& owner,
                                         FontCache& ownerFonts)
    : FontContext(screen, owner, ownerFonts), canvas_(canvas) {}

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

bool QImageDeviceContext::TextOut(std::int32_t x, std::int32_t y, std::u16string_view text,
                                  std::int32_t byteLength) {
  const auto shown = NarrowPrefix(text, byteLength);
  if (!shown) return false;
  const LogFont& description = *Describe(SelectedFont());
  // Above a ratio of 1 the text is drawn in a font of that many times the
  // pixels, unscaled: a scaled font loses its synthetic bold.
  const double r = canvas_.devicePixelRatio();
  MeasuredFont& font = r == 1.0 ? SelectedQtFont() : QtFontFor(DeviceFont(description, r));
  // The escapement turns counter-clockwise on screen; Qt turns clockwise.
  QTransform turn;
  if (r != 1.0) turn.scale(1 / r, 1 / r);
  turn.translate(x * r, y * r);
  turn.rotate(-description.lfEscapement / 10.0);
  const QPointF baseline(0, font.Ascent());
  const bool antialiased = description.lfQuality != kNonAntialiasedQuality;
  const QColor pen = ToQColor(owner().ForeColor());
  const QList<QGlyphRun>* runs = font.GlyphRuns(*shown);
  if (r == 1.0 && runs) {
    const QRect ink = font.InkPixels(*shown, turn, baseline);
    if (canvas_.HoldText(*runs, turn, baseline, ink, pen, antialiased)) return true;
    // Drawn by the painter, whole: text that cannot be held back.
    canvas_.DrawText(font.Drawn(*shown, turn, baseline, pen, antialiased), &ink);
    return true;
  }
  canvas_.DrawText(font.Drawn(*shown, turn, baseline, pen, antialiased), nullptr);
  return true;
}

}  // namespace palvex
