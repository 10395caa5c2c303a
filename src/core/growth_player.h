#pragma once

#include <QImage>
#include <QTimer>
#include <cstddef>
#include <functional>
#include <map>
#include <vector>

namespace palvex {

// The growth animation as a window plays it. The control draws its ten
// frames in one pass without waiting; each is kept as the window would have
// shown it, and a timer shows them one frame wait apart, so the event loop
// runs meanwhile and the application stays live. What arrives in the
// meantime goes to the control at once, as it would after the pass; the
// window shows its effect when the last frame has played.
//
// Only the first frame is kept whole; each later one keeps the tiles where
// it differs from the one before (the bars' new slices, mostly). Ten whole
// frames of a large window cost the pass most of its time in fresh memory
// alone, and held the event loop for a third of a second.
class GrowthPlayer {
 public:
  // Bytes kept for one growth, at most: past it (a chart of several
  // million device pixels) fewer frames play, spread over the growth.
  static constexpr qsizetype kMaxBytes = 96 * 1024 * 1024;

  // update: asks the window (a widget, a Qt Quick item) to paint again.
  explicit GrowthPlayer(std::function<void()> update, qsizetype maxBytes = kMaxBytes);

  // A frame of the pass now drawing; the first shows at once when the pass
  // is over.
  void Record(const QImage& frame);
  // After the pass: plays what was recorded, if anything.
  void Play();
  // The window shows its live picture again (resized, hidden, turned off).
  void Stop();
  bool playing() const { return !shown_.isNull(); }
  // While playing: what the window shows.
  const QImage& frame() const { return shown_; }

 private:
  // The tiles of a frame that differ from the frame before, by tile number.
  using Changes = std::map<int, QImage>;

  void Next();
  void StartOver(const QImage& frame);
  void DropEveryOtherFrame();
  qsizetype KeptBytes() const;

  std::function<void()> update_;
  qsizetype maxBytes_;
  QTimer timer_;
  // Recording: the first frame whole, then each frame's changes, and the
  // newest of each tile that changed, which the next frame is compared with
  // (elsewhere, the first frame).
  QImage first_;
  std::vector<Changes> changes_;
  qsizetype changeBytes_ = 0;
  Changes latest_;
  // Frames the pass drew, kept or not.
  int recordedCount_ = 0;
  // Playing: the frame shown, and the changes still to show.
  QImage shown_;
  std::vector<Changes> toPlay_;
  std::size_t played_ = 0;
};

}  // namespace palvex
