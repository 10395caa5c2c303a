#pragma once

#include <QRect>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace palvex {

// Where a picture changed, by version: a picture that shows part of
// another finds what changed there since it last took it. The log is
// short; what it forgot counts as changed everywhere.
class DamageLog {
 public:
  // The version a reader takes: what changes from now on is newer.
  std::uint64_t version() const {
    read_ = true;
    return version_;
  }

  // All of picture changed already, and no reader has seen it yet. (A
  // picture that has grown since has not all changed.)
  bool AllUnread(const QRect& picture) const {
    // Asked of every drawing: the same rectangle is the usual answer.
    return all_ && !read_ && (*all_ == picture || all_->contains(picture));
  }

  void Add(const QRect& pixels) {
    if (AllUnread(pixels)) return;
    if (pixels.isEmpty()) return;
    if (read_ || entries_.empty()) {
      ++version_;
      read_ = false;
      all_.reset();
    } else if (Entry& last = entries_.back(); last.version == version_) {
      // Unread changes share a version: a pass that clears the picture
      // and paints inside it leaves one entry.
      if (last.pixels.contains(pixels)) return;
      if (pixels.contains(last.pixels)) {
        last.pixels = pixels;
        return;
      }
    }
    if (entries_.size() == kMaxEntries) {
      forgotten_ = entries_.front().version;
      entries_.erase(entries_.begin());
    }
    entries_.push_back({version_, pixels});
  }

  // The whole picture changed: what changes inside it next, until a
  // reader takes the version, needs no entry of its own.
  void AddAll(const QRect& picture) {
    Add(picture);
    all_ = all_ ? *all_ | picture : picture;
  }

  // Adds to out the parts of within that changed after version.
  void Since(std::uint64_t version, const QRect& within, std::vector<QRect>& out) const {
    if (version < forgotten_) {
      out.push_back(within);
      return;
    }
    for (const Entry& e : entries_) {
      if (e.version <= version) continue;
      const QRect part = e.pixels & within;
      if (!part.isEmpty()) out.push_back(part);
    }
  }

 private:
  static constexpr std::size_t kMaxEntries = 16;
  struct Entry {
    std::uint64_t version;
    QRect pixels;
  };
  // Oldest first, versions rising (several entries may share one).
  std::vector<Entry> entries_;
  std::uint64_t version_ = 0;
  mutable bool read_ = false;
  std::optional<QRect> all_;
  // Changes up to this version are no longer told apart.
  std::uint64_t forgotten_ = 0;
};

}  // namespace palvex
