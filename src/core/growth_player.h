#pragma once

#include <QImage>
#include <QTimer>
#include <cstddef>
#include <functional>
#include <vector>

namespace palvex {

// The growth animation as a window plays it. The control draws its ten
// frames in one pass without waiting; each is kept as the window would have
// shown it, and a timer shows them one frame wait apart, so the event loop
// runs meanwhile and the application stays live. What arrives in the
// meantime goes to the control at once, as it would after the pass; the
// window shows its effect when the last frame has played.
class GrowthPlayer {
 public:
  // Frames kept for one growth, at most: past it (a chart of several
  // million device pixels) fewer frames play, spread over the growth.
  static constexpr qsizetype kMaxBytes = 96 * 1024 * 1024;

  // update: asks the window (a widget, a Qt Quick item) to paint again.
  explicit GrowthPlayer(std::function<void()> update);

  // A frame of the pass now drawing; the first shows at once when the pass
  // is over.
  void Record(const QImage& frame);
  // After the pass: plays what was recorded, if anything.
  void Play();
  // The window shows its live picture again (resized, hidden, turned off).
  void Stop();
  bool playing() const { return !frames_.empty(); }
  // While playing: what the window shows.
  const QImage& frame() const { return frames_[shown_]; }

 private:
  void Next();

  std::function<void()> update_;
  QTimer timer_;
  std::vector<QImage> frames_;
  std::vector<QImage> recorded_;
  // Frames the pass drew, kept or not.
  int recordedCount_ = 0;
  std::size_t shown_ = 0;
};

}  // namespace palvex
