#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>

#include "platform/qt/qt_host.h"
#include "widget/window_clock.h"

class QMenu;

namespace palvex {

// The host a window gives the control: its screen's resolution, QImage
// surfaces, real pop-up menus, QTimers for the start timer and the scroll
// bar's repeat, immediate
// repaints (so each animation frame shows as it is drawn), the file
// dialog, the clipboard, the about window and message boxes.
class WidgetHost : public QtHost {
 public:
  explicit WidgetHost(QWidget& window);

  Clock& clock() override { return clock_ ? *clock_ : windowClock_; }
  // Another clock (tests); nullptr goes back to the window's own.
  void SetClock(Clock* clock) { clock_ = clock; }

  void SetTimer(int intervalMs, bool enabled) override;
  QTimer& startTimer() { return timer_; }
  // The scroll bar's repeat: Qt's own scroll bars' first delay, then its
  // rate. The window ticks the control on each timeout.
  void SetScrollRepeat(bool armed) override;
  QTimer& scrollRepeatTimer() { return repeatTimer_; }
  void RepaintNow() override;
  // A QMenu at the pointer; the answer is the chosen item's name.
  std::optional<std::string> PopupMenu(const MenuItem& root, double x, double y) override;
  std::optional<std::u16string> SaveFileDialog(const SaveDialogRequest& request) override;
  std::u16string PicturesFolder() override;
  bool SetClipboardImage(const Surface& surface) override;
  void ShowAbout() override;
  void ShowMessage(const std::u16string& text) override;
  // The window's locale (the user's, unless the application set another).
  std::u16string DigitGroupSeparator() override;

 private:
  static void AddItems(QMenu& menu, const MenuItem& parent);

  QWidget& window_;
  WindowClock windowClock_;
  Clock* clock_ = nullptr;
  QTimer timer_;
  QTimer repeatTimer_;
};

}  // namespace palvex
