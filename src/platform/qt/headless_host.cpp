#include "platform/qt/headless_host.h"

#include "platform/qt/fonts.h"
#include "platform/qt/qimage_surface.h"
#include "platform/qt/qt_text.h"
#include "ui/child_controls.h"

namespace palvex {

HeadlessHost::HeadlessHost() = default;

std::unique_ptr<Surface> HeadlessHost::CreateSurface(int widthPx, int heightPx) {
  auto surface = std::make_unique<QImageSurface>(screen_, widthPx, heightPx);
  surface->SetRefreshHandler([this] { RepaintNow(); });
  return surface;
}

TextExtent HeadlessHost::MeasureText(const FontSpec& font, std::u16string_view text) {
  const PixelExtent px = MeasureLines(metrics_.Get(font, screen_.DotsPerInchY()), text);
  return {px.width * screen_.TwipsPerPixelX(), px.height * screen_.TwipsPerPixelY()};
}

void HeadlessHost::SetTimer(int intervalMs, bool enabled) {
  timerInterval_ = intervalMs;
  timerEnabled_ = enabled;
}

std::optional<std::string> HeadlessHost::PopupMenu(const MenuItem& root, double, double) {
  poppedMenus_.push_back(root.Name);
  if (menuAnswers_.empty()) return std::nullopt;
  auto answer = menuAnswers_.front();
  menuAnswers_.pop_front();
  return answer;
}

}  // namespace palvex
