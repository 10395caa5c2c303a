#include "core/window_host.h"

#include <QScreen>

#include "core/clipboard.h"
#include "platform/numeric.h"
#include "platform/qt/image_io.h"
#include "platform/qt/pictures_folder.h"

namespace palvex {

namespace {

// What QScrollBar waits before it repeats a held arrow, and between steps.
constexpr int kRepeatDelayMs = 500;
constexpr int kRepeatIntervalMs = 50;

float TwipsPerPixel(const QScreen* s) {
  const double dpi = s ? s->logicalDotsPerInch() : 96.0;
  if (!(dpi >= 48 && dpi <= 480)) return 15.0f;
  return static_cast<float>(1440.0 / RoundHalfEven(dpi));
}

}  // namespace

WindowHost::WindowHost(const QScreen* screen) {
  const float tpp = TwipsPerPixel(screen);
  screen_.SetTwipsPerPixel(tpp, tpp);
  // After the first delay, the steady rate.
  QObject::connect(&repeatTimer_, &QTimer::timeout, &repeatTimer_,
                   [this] { repeatTimer_.setInterval(kRepeatIntervalMs); });
}

void WindowHost::SetTimer(int intervalMs, bool enabled) {
  timer_.setInterval(intervalMs);
  if (enabled) {
    timer_.start();
  } else {
    timer_.stop();
  }
}

void WindowHost::SetScrollRepeat(bool armed) {
  if (armed) {
    repeatTimer_.start(kRepeatDelayMs);
  } else {
    repeatTimer_.stop();
  }
}

std::u16string WindowHost::PicturesFolder() {
  return UserPicturesFolder();
}

bool WindowHost::SetClipboardImage(const Surface& surface) {
  return PutImageOnClipboard(PictureOf(surface));
}

}  // namespace palvex
