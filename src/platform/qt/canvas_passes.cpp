// The canvas's drawing passes: kept, compared with the pass before and
// painted only where the two differ.
#include "platform/qt/canvas.h"

#include <QtGlobal>
#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace palvex {

namespace {

// Rectangles worth painting one by one, or the whole picture when that
// costs about as much.
std::vector<QRect> Merged(std::vector<QRect> rects, const QRect& picture) {
  const auto area = [](const QRect& r) { return std::int64_t(r.width()) * r.height(); };
  // Few differ (a hover: two bars, their captions, a label). Two are
  // joined where that paints no more pixels than both (a rectangle inside
  // another), and the closest pairs while there are too many to replay
  // the pass for each.
  constexpr std::size_t kMaxRects = 6;
  for (;;) {
    std::size_t bestI = 0, bestJ = 0;
    std::int64_t bestGrowth = std::numeric_limits<std::int64_t>::max();
    for (std::size_t i = 0; i < rects.size(); ++i) {
      for (std::size_t j = i + 1; j < rects.size(); ++j) {
        const std::int64_t growth = area(rects[i] | rects[j]) - area(rects[i]) - area(rects[j]);
        if (growth < bestGrowth) {
          bestGrowth = growth;
          bestI = i;
          bestJ = j;
        }
      }
    }
    if (bestGrowth > 0 && rects.size() <= kMaxRects) break;
    if (rects.size() < 2) break;
    rects[bestI] |= rects[bestJ];
    rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(bestJ));
  }
  std::int64_t painted = 0;
  for (const QRect& r : rects) painted += area(r);
  if (3 * painted > 2 * area(picture)) return {picture};
  return rects;
}

}  // namespace

void Canvas::BeginPass() {
  // A pass inside another is part of it.
  if (passDepth_++ > 0) return;
  passOps_ = 0;
  kept_.clear();
  // Kept where it can be replayed cut to any part: one device pixel a
  // pixel, rows of 32-bit pixels, and a pass of bounded length. Held back
  // only where the last pass is there to compare with; otherwise painted
  // as it is drawn, and kept for the next pass.
  const bool keep = !atOnce_ && image_.devicePixelRatio() == 1.0 &&
                    image_.format() == QImage::Format_RGB32 && lastPassOps_ <= kMaxKept;
  keeping_ = keep && lastPainted_;
  // Kept while painting when the next pass may compare with it: unless the
  // passes kept so far were drawn over before any was compared (a host
  // that clears the picture before each pass) and this one is too.
  recording_ = keep && !lastPainted_ && (!keptInVain_ || untouched_);
  if (keeping_) keptInVain_ = false;
  if (Keeping()) kept_.reserve(lastPassOps_);
}

void Canvas::EndPass() {
  if (passDepth_ == 0 || --passDepth_ > 0) return;
  untouched_ = true;
  lastPassOps_ = passOps_;
  if (!Keeping()) {
    // Not kept: the next pass has nothing to compare with.
    last_.clear();
    lastPainted_ = false;
    return;
  }
  if (keeping_) PaintDifferences();
  keeping_ = recording_ = false;
  lastPainted_ = !kept_.empty() && CoversAll(kept_.front());
  // The pictures taken are let go, so that their sources need not copy
  // their pixels when they draw next.
  for (PassOp& op : kept_) {
    if (auto* picture = std::get_if<pass_op::Picture>(&op.what)) picture->image = QImage();
  }
  last_.swap(kept_);
  kept_.clear();
}

bool Canvas::Kept(pass_op::Kind what, const QRect& bounds) {
  if (kept_.size() >= kMaxKept) {
    // Too long to keep: painted as it goes from here.
    if (keeping_) PaintKept();
    StopKeeping();
    return false;
  }
  kept_.push_back({std::move(what), bounds});
  // Counted where it is painted when it is not held back.
  if (keeping_) ++passOps_;
  return keeping_;
}

void Canvas::PaintKept() {
  // Painted now, and the rest of the pass as it is drawn, still kept.
  keeping_ = false;
  recording_ = true;
  for (const PassOp& op : kept_) Apply(op);
  if (!kept_.empty()) damage_.AddAll(image_.rect());
}

void Canvas::StopKeeping() {
  keeping_ = recording_ = false;
  kept_.clear();
}

bool Canvas::CoversAll(const PassOp& op) const {
  if (std::holds_alternative<pass_op::Clear>(op.what)) return true;
  if (!op.bounds.contains(image_.rect())) return false;
  if (const auto* picture = std::get_if<pass_op::Picture>(&op.what))
    return !picture->image.hasAlphaChannel();
  return std::holds_alternative<pass_op::Gradient>(op.what) ||
         std::holds_alternative<pass_op::Solid>(op.what);
}

void Canvas::PaintDifferences() {
  if (kept_.empty()) return;
  const QRect picture = image_.rect();
  // A hover changes a few operations and may add or drop one (a frame):
  // the passes are matched in order, and what either has unmatched, or
  // matched but taken from a picture that changed since, is painted.
  constexpr std::size_t kMaxEdits = 64;
  std::optional<std::vector<std::pair<std::size_t, std::size_t>>> matched;
  // Held back only over a picture that is the last pass's alone.
  Q_ASSERT(lastPainted_);
  if (CoversAll(kept_.front())) matched = MatchDrawings(last_, kept_, kMaxEdits);
  std::vector<QRect> differ;
  if (matched) {
    std::vector<bool> keptMatched(kept_.size()), lastMatched(last_.size());
    for (const auto& [was, now] : *matched) {
      lastMatched[was] = keptMatched[now] = true;
      const auto* taken = std::get_if<pass_op::Picture>(&kept_[now].what);
      if (!taken) continue;
      const auto& before = std::get<pass_op::Picture>(last_[was].what);
      if (taken->since == before.version) {
        for (const QRect& r : taken->changed) differ.push_back(r & picture);
      } else {
        differ.push_back(kept_[now].bounds & picture);
      }
    }
    for (std::size_t i = 0; i < kept_.size(); ++i)
      if (!keptMatched[i]) differ.push_back(kept_[i].bounds & picture);
    for (std::size_t i = 0; i < last_.size(); ++i)
      if (!lastMatched[i]) differ.push_back(last_[i].bounds & picture);
    std::erase_if(differ, [](const QRect& r) { return r.isEmpty(); });
  }
  const std::vector<QRect> parts =
      matched ? Merged(std::move(differ), picture) : std::vector<QRect>{picture};
  for (const QRect& part : parts) {
    Replay(part == picture ? QRect() : part);
    damage_.Add(part);
  }
}

void Canvas::Replay(const QRect& clip) {
  replaying_ = true;
  if (!clip.isEmpty()) {
    // The painter takes the cut when it begins.
    Settle();
    EndPainter();
    clip_ = clip;
  }
  for (const PassOp& op : kept_) {
    if (clip.isEmpty() || std::holds_alternative<pass_op::Group>(op.what) ||
        op.bounds.intersects(clip))
      Apply(op);
  }
  if (!clip.isEmpty()) {
    Settle();
    EndPainter();
    clip_.reset();
  }
  replaying_ = false;
}

void Canvas::Apply(const PassOp& op) {
  std::visit(
      [&](const auto& o) {
        using T = std::decay_t<decltype(o)>;
        if constexpr (std::is_same_v<T, pass_op::Group>) {
          PaintGroup(o.begin);
        } else if constexpr (std::is_same_v<T, pass_op::Clear>) {
          PaintClear(o.color);
        } else if constexpr (std::is_same_v<T, pass_op::Gradient>) {
          PaintGradient(o.a, o.b, o.vertical, op.bounds);
        } else if constexpr (std::is_same_v<T, pass_op::Solid>) {
          PaintSolid(op.bounds, o.color);
        } else if constexpr (std::is_same_v<T, pass_op::HeldText>) {
          // Kept only where it could be held.
          const bool held =
              PaintHeldText(o.runs, o.turn, o.baseline, op.bounds, o.pen, o.antialiased);
          Q_ASSERT(held);
          (void)held;
        } else if constexpr (std::is_same_v<T, pass_op::Text>) {
          PaintText(*o.text, op.bounds);
        } else if constexpr (std::is_same_v<T, pass_op::Outline>) {
          PaintOutline(o.rect, o.color, op.bounds);
        } else if constexpr (std::is_same_v<T, pass_op::Line>) {
          PaintLine(o.a, o.b, o.color, op.bounds);
        } else {
          PaintImage(o.image, o.from, o.at, op.bounds);
        }
      },
      op.what);
}

pass_op::Picture Canvas::Taken(Canvas& source, const QImage& image, const QRect& from,
                               QPoint at) const {
  pass_op::Picture taken{source.id(), source.damage().version(), from, at, image, {}, {}};
  // What changed in the source since the pass before took the same part to
  // the same place (at this point of the pass, as a rule).
  const auto same = [&](const PassOp& op) {
    const auto* was = std::get_if<pass_op::Picture>(&op.what);
    return was && was->source == taken.source && was->from == from && was->at == at ? was : nullptr;
  };
  const pass_op::Picture* was = kept_.size() < last_.size() ? same(last_[kept_.size()]) : nullptr;
  for (std::size_t i = 0; !was && i < last_.size(); ++i) was = same(last_[i]);
  if (was) {
    taken.since = was->version;
    std::vector<QRect> changed;
    source.damage().Since(was->version, from, changed);
    for (const QRect& r : changed) taken.changed.push_back(r.translated(at - from.topLeft()));
  }
  return taken;
}

}  // namespace palvex
