#include "platform/qt/headless_host.h"

#include <QDir>
#include <QFileInfo>

#include "platform/menu_item.h"
#include "platform/qt/fonts.h"
#include "platform/qt/image_io.h"
#include "platform/qt/pictures_folder.h"
#include "platform/qt/qimage_surface.h"
#include "platform/qt/qt_text.h"

namespace palvex {

HeadlessHost::HeadlessHost() = default;

std::u16string HeadlessHost::PicturesFolder() {
  if (!picturesFolder_) picturesFolder_ = UserPicturesFolder();
  return *picturesFolder_;
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

std::optional<std::u16string> HeadlessHost::SaveFileDialog(const SaveDialogRequest& request) {
  saveRequests_.push_back(request);
  if (saveAnswers_.empty()) return std::nullopt;
  const std::optional<std::u16string> answer = saveAnswers_.front();
  saveAnswers_.pop_front();
  if (!answer) return std::nullopt;
  QString path = ToQString(*answer);
  if (QFileInfo(path).isRelative()) path = QDir(ToQString(request.initialFolder)).filePath(path);
  if (QFileInfo(path).suffix().isEmpty() && !request.defaultExtension.empty())
    path += "." + ToQString(request.defaultExtension);
  return FromQString(path);
}

bool HeadlessHost::SetClipboardImage(const Surface& surface) {
  if (!clipboardAvailable_) return false;
  clipboard_ = PictureOf(surface);
  return true;
}

}  // namespace palvex
