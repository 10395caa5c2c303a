#pragma once

#include "core/window_host.h"

class QQuickItem;

namespace palvex {

// The host a Qt Quick item gives the control: a window's host (WindowHost)
// with Qt Quick Controls' menu, Qt Quick Dialogs' file and message dialogs
// and the application's locale. Nothing here needs Qt Widgets.
class QuickHost : public WindowHost {
 public:
  explicit QuickHost(QQuickItem& item);

  // The menu opens at the pointer and the call waits until it closes, as
  // the control expects of a pop-up menu.
  std::optional<std::string> PopupMenu(const MenuItem& root, double x, double y) override;
  std::optional<std::u16string> SaveFileDialog(const SaveDialogRequest& request) override;
  void ShowAbout() override;
  void ShowMessage(const std::u16string& text) override;
  std::u16string DigitGroupSeparator() override;
  std::u16string DecimalPoint() override;

 private:
  QQuickItem& item_;
};

}  // namespace palvex
