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

bool SameTile(const QImage& a, const QImage& b, const QRect& r) {
  const qsizetype offset = r.x() * BytesPerPixel(a), bytes = r.width() * BytesPerPixel(a);
  for (int y = r.top(); y <= r.bottom(); ++y) {
    if (std::memcmp(a.constScanLine(y) + offset, b.constScanLine(y) + offset, bytes) != 0)
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
  if (first_.isNull() || frame.size() != newest_.size() || frame.format() != newest_.format() ||
      frame.devicePixelRatio() != newest_.devicePixelRatio()) {
    StartOver(frame);
    return;
  }
  Changes changes;
  for (int t = 0, n = TileCount(frame); t < n; ++t) {
    const QRect r = TileRect(t, frame);
    if (SameTile(frame, newest_, r)) continue;
    QImage tile = frame.copy(r);
    PutTile(newest_, r, tile);
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
  newest_ = first_;
  changes_.clear();
  changeBytes_ = 0;
}

qsizetype GrowthPlayer::KeptBytes() const {
  // Until a frame changed, the newest is the first.
  return first_.sizeInBytes() + (changes_.empty() ? 0 : newest_.sizeInBytes()) + changeBytes_;
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
      // The first frame went: this one is the first now.
      for (const auto& [t, tile] : c) PutTile(first_, TileRect(t, first_), tile);
    } else {
      for (const auto& [t, tile] : c) changeBytes_ += tile.sizeInBytes();
      kept.push_back(std::move(c));
    }
  }
  changes_ = std::move(kept);
  if (changes_.empty()) newest_ = first_;
}

void GrowthPlayer::Play() {
  if (first_.isNull()) return;
  const int frames = static_cast<int>(changes_.size()) + 1;
  shown_ = std::exchange(first_, QImage());
  toPlay_ = std::exchange(changes_, {});
  newest_ = QImage();
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
