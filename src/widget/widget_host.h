#pragma once

#include <QWidget>

#include "core/window_host.h"

class QMenu;

namespace palvex {

// The host a QWidget gives the control: a window's host (WindowHost) with
// real pop-up menus, the file dialog, the about window and message boxes.
class WidgetHost : public WindowHost {
 public:
  explicit WidgetHost(QWidget& window);

  // A QMenu at the pointer; the answer is the chosen item's name.
  std::optional<std::string> PopupMenu(const MenuItem& root, double x, double y) override;
  std::optional<std::u16string> SaveFileDialog(const SaveDialogRequest& request) override;
  void ShowAbout() override;
  void ShowMessage(const std::u16string& text) override;
  // The window's locale (the user's, unless the application set another).
  std::u16string DigitGroupSeparator() override;
  std::u16string DecimalPoint() override;

 private:
  static void AddItems(QMenu& menu, const MenuItem& parent);

  QWidget& window_;
};

}  // namespace palvex
