#pragma once

#include <QString>
#include <memory>
#include <string_view>

#include "platform/host.h"
#include "platform/qt/fonts.h"

namespace palvex {

// The chart's texts through Qt's translation system, all in one context.
inline constexpr char kTranslationContext[] = "PalvexChart";
QString Translated(std::u16string_view source);

// What every Qt host gives the control alike: QImage surfaces that report
// their refreshes, text measured with cached font metrics, bitmap files.
class QtHost : public Host {
 public:
  Screen& screen() override { return screen_; }
  // Surfaces at the host's device pixel ratio (1 unless set).
  std::unique_ptr<Surface> CreateSurface(int widthPx, int heightPx) override;
  double devicePixelRatio() const { return devicePixelRatio_; }
  double PixelRatio() const override { return devicePixelRatio_; }
  // For surfaces made from now on; existing ones keep theirs until told.
  void SetDevicePixelRatio(double ratio) {
    if (ratio > 0 && ratio <= 16) devicePixelRatio_ = ratio;
  }
  TextExtent MeasureText(const FontSpec& font, std::u16string_view text) override;
  std::u16string SaveBitmap(const Surface& surface, const std::u16string& path) override;
  std::unique_ptr<Surface> CreateVectorSurface(int widthPx, int heightPx,
                                               PictureFormat format) override;
  std::u16string SavePicture(Surface& surface, const std::u16string& path,
                             PictureFormat format) override;
  // The application's installed translators decide.
  std::u16string Translate(std::u16string_view source) override;

 protected:
  Screen screen_;

 private:
  // Shared by the surfaces made here, which all live on the host's thread.
  std::shared_ptr<FontCache> fonts_ = std::make_shared<FontCache>();
  double devicePixelRatio_ = 1.0;
};

}  // namespace palvex
