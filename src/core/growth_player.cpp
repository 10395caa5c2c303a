#include "core/growth_player.h"

#include <cstring>
#include <utility>

#include "render/bars.h"

namespace palvex {

namespace {

// Squares of device pixels, numbered row by row: small enough that a bar's
// new slice takes few pixels it did not change, large enough that a 4K
// frame has a couple of thousand.
constexpr int kTile = 64;

int TileColumns(const QImage& frame) {
  return (frame.width() + kTile - 1) / kTile;
}

int TileCount(const QImage& frame) {
  return TileColumns(frame) * ((frame.height() + kTile - 1) / kTile);
}

QRect TileRect(int number, const QImage& frame) {
  const int columns = TileColumns(frame);
  return QRect(number % columns * kTile, number / columns * kTile, kTile, kTile) & frame.rect();
}

qsizetype BytesPerPixel(const QImage& frame) {
  return frame.depth() / 8;
}

// Whether r of frame holds the pixels of tile, or of the same place in a
// frame of the same size.
bool SamePixels(const QImage& frame, const QRect& r, const QImage& tile, QPoint at) {
  const qsizetype bpp = BytesPerPixel(frame), bytes = r.width() * bpp;
  for (int row = 0; row < r.height(); ++row) {
    if (std::memcmp(frame.constScanLine(r.y() + row) + r.x() * bpp,
                    tile.constScanLine(at.y() + row) + at.x() * bpp, bytes) != 0)
      return false;
  }
  return true;
}

// Writes a tile's pixels into a frame of the size it was cut from.
void PutTile(QImage& into, const QRect& r, const QImage& tile) {
  const qsizetype offset = r.x() * BytesPerPixel(into), bytes = r.width() * BytesPerPixel(into);
  for (int row = 0; row < r.height(); ++row)
    std::memcpy(into.scanLine(r.y() + row) + offset, tile.constScanLine(row), bytes);
}

}  // namespace

GrowthPlayer::GrowthPlayer(std::function<void()> update, qsizetype maxBytes)
    : update_(std::move(update)), maxBytes_(maxBytes) {
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { Next(); });
}

void GrowthPlayer::Record(const QImage& shown) {
  ++recordedCount_;
  // Screens are 32-bit; anything else is compared as one, not byte-wise
  // on less than a pixel.
  const QImage frame = shown.depth() % 8 == 0 ? shown : shown.convertToFormat(QImage::Format_RGB32);
  // A frame of another size or ratio (the screen changed within the pass)
  // cannot follow the ones before: the growth goes on from it.
  if (first_.isNull() || frame.size() != first_.size() || frame.format() != first_.format() ||
      frame.devicePixelRatio() != first_.devicePixelRatio()) {
    StartOver(frame);
    return;
  }
  Changes changes;
  for (int t = 0, n = TileCount(frame); t < n; ++t) {
    const QRect r = TileRect(t, frame);
    const auto latest = latest_.find(t);
    if (latest == latest_.end() ? SamePixels(frame, r, first_, r.topLeft())
                                : SamePixels(frame, r, latest->second, {0, 0}))
      continue;
    QImage tile = frame.copy(r);
    latest_[t] = tile;
    changeBytes_ += tile.sizeInBytes();
    changes.emplace(t, std::move(tile));
  }
  // A frame like the one before still takes its turn.
  changes_.push_back(std::move(changes));
  while (KeptBytes() > maxBytes_ && !changes_.empty()) DropEveryOtherFrame();
}

void GrowthPlayer::StartOver(const QImage& frame) {
  // A copy: the screen the frame came from is composed again in place.
  first_ = frame.copy();
  changes_.clear();
  latest_.clear();
  changeBytes_ = 0;
}

qsizetype GrowthPlayer::KeptBytes() const {
  return first_.sizeInBytes() + changeBytes_;
}

void GrowthPlayer::DropEveryOtherFrame() {
  // Counted back from the newest, which stays: thinning again as needed
  // keeps what stays spread over the growth. A frame that goes hands its
  // changes on to the next, whose own tiles are newer.
  const std::size_t newest = changes_.size();  // frame 0 is first_
  std::vector<Changes> kept;
  Changes handedOn;
  changeBytes_ = 0;
  for (std::size_t i = 1; i <= newest; ++i) {
    Changes c = std::move(changes_[i - 1]);
    c.merge(handedOn);
    handedOn.clear();
    if ((newest - i) % 2 != 0) {
      handedOn = std::move(c);
    } else if (i == 1 && newest % 2 != 0) {
      // The first frame went: this one is the first now, and a tile no
      // later frame changed is compared with it.
      for (const auto& [t, tile] : c) {
        PutTile(first_, TileRect(t, first_), tile);
        const auto latest = latest_.find(t);
        if (latest != latest_.end() && latest->second.cacheKey() == tile.cacheKey())
          latest_.erase(latest);
      }
    } else {
      for (const auto& [t, tile] : c) changeBytes_ += tile.sizeInBytes();
      kept.push_back(std::move(c));
    }
  }
  changes_ = std::move(kept);
}

void GrowthPlayer::Play() {
  if (first_.isNull()) return;
  const int frames = static_cast<int>(changes_.size()) + 1;
  shown_ = std::exchange(first_, QImage());
  toPlay_ = std::exchange(changes_, {});
  latest_.clear();
  changeBytes_ = 0;
  played_ = 0;
  // The growth lasts as long as the control's own, however many frames it
  // kept.
  timer_.start(kFrameWait * recordedCount_ / frames);
  recordedCount_ = 0;
  update_();
}

void GrowthPlayer::Stop() {
  timer_.stop();
  if (shown_.isNull()) return;
  shown_ = QImage();
  toPlay_.clear();
  update_();
}

void GrowthPlayer::Next() {
  if (played_ >= toPlay_.size()) {
    Stop();
    return;
  }
  for (const auto& [t, tile] : toPlay_[played_]) PutTile(shown_, TileRect(t, shown_), tile);
  // Shown: its tiles are in the frame now.
  toPlay_[played_++].clear();
  update_();
}

}  // namespace palvex
