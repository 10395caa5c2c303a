#include "platform/qt/vector_device_context.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <algorithm>

#include "platform/narrow_text.h"
#include "platform/qt/fonts.h"
#include "platform/qt/markup_text.h"
#include "platform/qt/qt_text.h"
#include "platform/surface.h"

namespace palvex {

namespace {

QColor ColorOf(const TriVertex& v) {
  return QColor(v.Red >> 8, v.Green >> 8, v.Blue >> 8);
}

}  // namespace

VectorDeviceContext::VectorDeviceContext(QPainter& painter, const Screen& screen,
                                         const Surface& owner)
    : FontContext(screen, owner, fonts), painter_(painter) {}

bool VectorDeviceContext::GradientFill(const TriVertex* vertices, std::uint32_t vertexCount,
                                       const GradientRect* mesh, std::uint32_t meshCount,
                                       std::uint32_t mode) {
  if (!vertices || !mesh || mode > FillVer) return false;
  for (std::uint32_t m = 0; m < meshCount; ++m) {
    if (mesh[m].UpperLeft >= vertexCount || mesh[m].LowerRight >= vertexCount) return false;
  }
  // Cut to the page, as a picture cuts fills at its edges; the gradient
  // keeps running between the vertices.
  const QRectF page(0, 0, owner().PixelWidth(), owner().PixelHeight());
  for (std::uint32_t m = 0; m < meshCount; ++m) {
    const TriVertex& a = vertices[mesh[m].UpperLeft];
    const TriVertex& b = vertices[mesh[m].LowerRight];
    const QRectF area = QRectF(QPointF(std::min(a.x, b.x), std::min(a.y, b.y)),
                               QPointF(std::max(a.x, b.x), std::max(a.y, b.y))) &
                        page;
    if (area.isEmpty()) continue;
    QLinearGradient ramp =
        mode == FillVer ? QLinearGradient(0, a.y, 0, b.y) : QLinearGradient(a.x, 0, b.x, 0);
    ramp.setColorAt(0, ColorOf(a));
    ramp.setColorAt(1, ColorOf(b));
    painter_.fillRect(area, ramp);
  }
  return true;
}

Color VectorDeviceContext::GetPixel(int, int) const {
  return kInvalidColor;
}

bool VectorDeviceContext::TextOut(std::int32_t x, std::int32_t y, std::u16string_view text,
                                  std::int32_t byteLength) {
  const auto shown = NarrowPrefix(text, byteLength);
  if (!shown) return false;
  LogFont font;
  if (GetObject(SelectedFont(), kLogFontBytes, &font) == 0) return false;
  const double angle = font.lfEscapement / 10.0;
  font.lfEscapement = font.lfOrientation = 0;
  const QFont qfont = QFontFor(font);
  painter_.save();
  painter_.setFont(MarkupSafeFont(qfont, painter_));
  painter_.setPen(ToQColor(owner().ForeColor()));
  // The escapement turns counter-clockwise on screen; Qt turns clockwise.
  painter_.translate(x, y);
  painter_.rotate(-angle);
  painter_.drawText(QPointF(0, QFontMetricsF(qfont).ascent()), MarkupSafeText(ShownText(*shown)));
  painter_.restore();
  return true;
}

}  // namespace palvex
