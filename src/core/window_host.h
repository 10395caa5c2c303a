#pragma once

#include <QTimer>
#include <functional>

#include "platform/clock.h"
#include "platform/qt/qt_host.h"

class QScreen;

namespace palvex {

// What every window's host gives the control (the widget's, the Qt Quick
// item's): the screen's resolution, QTimers for the start timer and the
// scroll bar's repeat, repaints through the window (which keeps the
// growth's frames and plays them from its event loop, so the control's
// waits between frames are skipped), the clipboard and the Pictures
// folder. Menus, dialogs and messages are each window's own.
class WindowHost : public QtHost {
 public:
  // Twips per pixel from the screen's logical resolution: 15 at 96 dots
  // per inch, 12 at 120 (15 without a screen). A device pixel ratio leaves
  // them alone: the surfaces have more pixels, the layout does not change.
  explicit WindowHost(const QScreen* screen);

  Clock& clock() override { return clock_; }
  void SetTimer(int intervalMs, bool enabled) override;
  QTimer& startTimer() { return timer_; }
  // The scroll bar's repeat: Qt's own scroll bars' first delay, then its
  // rate. The window ticks the control on each timeout.
  void SetScrollRepeat(bool armed) override;
  QTimer& scrollRepeatTimer() { return repeatTimer_; }
  void RepaintNow() override { repaint_(); }
  // What a repaint the control asks for does.
  void SetRepaint(std::function<void()> repaint) { repaint_ = std::move(repaint); }
  std::u16string PicturesFolder() override;
  bool SetClipboardImage(const Surface& surface) override;

 private:
  InstantClock clock_;
  std::function<void()> repaint_ = [] {};
  QTimer timer_;
  QTimer repeatTimer_;
};

}  // namespace palvex
