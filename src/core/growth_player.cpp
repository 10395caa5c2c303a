#include "core/growth_player.h"

#include <utility>

#include "render/bars.h"

namespace palvex {

GrowthPlayer::GrowthPlayer(std::function<void()> update) : update_(std::move(update)) {
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { Next(); });
}

void GrowthPlayer::Record(const QImage& frame) {
  // A shallow copy: the next composition writes through a painter, which
  // detaches the screen's picture from this one.
  ++recordedCount_;
  if (frame.sizeInBytes() * static_cast<qsizetype>(recorded_.size() + 1) > kMaxBytes) {
    // Every other frame goes, counted back from the newest, which stays;
    // thinning again as needed keeps what stays spread over the growth.
    std::vector<QImage> kept;
    for (std::size_t i = (recorded_.size() + 1) % 2; i < recorded_.size(); i += 2)
      kept.push_back(std::move(recorded_[i]));
    recorded_ = std::move(kept);
    if (frame.sizeInBytes() * static_cast<qsizetype>(recorded_.size() + 1) > kMaxBytes)
      recorded_.clear();
  }
  recorded_.push_back(frame);
}

void GrowthPlayer::Play() {
  if (recorded_.empty()) return;
  frames_ = std::move(recorded_);
  recorded_.clear();
  // The growth lasts as long as the control's own, however many frames it
  // kept.
  timer_.start(kFrameWait * recordedCount_ / static_cast<int>(frames_.size()));
  recordedCount_ = 0;
  shown_ = 0;
  update_();
}

void GrowthPlayer::Stop() {
  timer_.stop();
  if (frames_.empty()) return;
  frames_.clear();
  update_();
}

void GrowthPlayer::Next() {
  if (++shown_ >= frames_.size()) {
    Stop();
    return;
  }
  update_();
}

}  // namespace palvex
