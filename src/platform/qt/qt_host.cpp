#include "platform/qt/qt_host.h"

#include <QCoreApplication>

#include "platform/picture_formats.h"
#include "platform/qt/image_io.h"
#include "platform/qt/picture_file.h"
#include "platform/qt/qimage_surface.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/vector_surface.h"

namespace palvex {

QString Translated(std::u16string_view source) {
  const QByteArray key = ToQString(source).toUtf8();
  return QCoreApplication::translate(kTranslationContext, key.constData());
}

std::u16string QtHost::Translate(std::u16string_view source) {
  return FromQString(Translated(source));
}

std::unique_ptr<Surface> QtHost::CreateSurface(int widthPx, int heightPx) {
  auto surface =
      std::make_unique<QImageSurface>(screen_, widthPx, heightPx, devicePixelRatio_, fonts_);
  surface->SetRefreshHandler([this] { RepaintNow(); });
  return surface;
}

TextExtent QtHost::MeasureText(const FontSpec& font, std::u16string_view text) {
  MeasuredFont& measured = fonts_->Get(font, screen_.DotsPerInchY());
  return {measured.Width(text) * screen_.TwipsPerPixelX(),
          measured.Height(text) * screen_.TwipsPerPixelY()};
}

std::u16string QtHost::SaveBitmap(const Surface& surface, const std::u16string& path) {
  return FromQString(SaveImageAtomically(PictureOf(surface), ToQString(path), "bmp"));
}

std::unique_ptr<Surface> QtHost::CreateVectorSurface(int widthPx, int heightPx,
                                                     PictureFormat format) {
  if (!RowOf(format).vector) return nullptr;
  return std::make_unique<VectorSurface>(screen_, format, widthPx, heightPx);
}

std::u16string QtHost::SavePicture(Surface& surface, const std::u16string& path,
                                   PictureFormat format) {
  return FromQString(SavePictureFile(surface, ToQString(path), format));
}

}  // namespace palvex
