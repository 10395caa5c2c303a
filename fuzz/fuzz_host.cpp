#include "fuzz_host.h"

#include <sanitizer/asan_interface.h>

#include <QPainter>
#include <algorithm>
#include <deque>

#include "platform/qt/image_io.h"
#include "platform/qt/qimage_surface.h"

namespace palvex::fuzz {

namespace {

// Smaller blocks the sanitizer's allocator keeps mapped itself.
constexpr qsizetype kSmallestKept = qsizetype{128} << 10;
// The largest picture the targets make: an 800 x 600 control.
constexpr qsizetype kBufferBytes = qsizetype{2} << 20;
constexpr std::size_t kBuffersKept = 16;

// A kept buffer and how much of it the picture that holds it uses: only
// that much is unpoisoned, so only that much needs poisoning again.
struct Buffer {
  uchar* bytes = nullptr;
  qsizetype used = 0;
};

class BufferPool {
 public:
  Buffer* Take(qsizetype used) {
    Buffer* buffer;
    if (free_.empty()) {
      buffer = new Buffer{new uchar[kBufferBytes], 0};
      ASAN_POISON_MEMORY_REGION(buffer->bytes, kBufferBytes);
    } else {
      // The buffer given back longest ago, so a stale pointer into a picture
      // meets poison for as long as possible.
      buffer = free_.front();
      free_.pop_front();
    }
    buffer->used = used;
    ASAN_UNPOISON_MEMORY_REGION(buffer->bytes, used);
    return buffer;
  }
  void Give(Buffer* buffer) {
    ASAN_POISON_MEMORY_REGION(buffer->bytes, buffer->used);
    if (free_.size() < kBuffersKept) {
      free_.push_back(buffer);
    } else {
      ASAN_UNPOISON_MEMORY_REGION(buffer->bytes, kBufferBytes);
      delete[] buffer->bytes;
      delete buffer;
    }
  }

 private:
  std::deque<Buffer*> free_;
};

// Never destroyed: a picture may outlive the statics.
BufferPool& Pool() {
  static auto* pool = new BufferPool;
  return *pool;
}

QImage PooledImage(int width, int height) {
  const qsizetype bytesPerLine = qsizetype{width} * 4;
  const qsizetype bytes = bytesPerLine * height;
  if (bytes < kSmallestKept || bytes > kBufferBytes)
    return QImage(width, height, QImageSurface::kImageFormat);
  Buffer* buffer = Pool().Take(bytes);
  return QImage(
      buffer->bytes, width, height, bytesPerLine, QImageSurface::kImageFormat,
      [](void* kept) { Pool().Give(static_cast<Buffer*>(kept)); }, buffer);
}

class PooledSurface : public QImageSurface {
 public:
  PooledSurface(const Screen& screen, int widthPx, int heightPx)
      : QImageSurface(screen, PooledImage(std::max(widthPx, 1), std::max(heightPx, 1))) {}

 protected:
  QImage NewImage(int width, int height) const override { return PooledImage(width, height); }
};

}  // namespace

std::unique_ptr<Surface> FuzzHost::CreateSurface(int widthPx, int heightPx) {
  auto surface = std::make_unique<PooledSurface>(screen_, widthPx, heightPx);
  if (paintAtOnce) surface->SetPaintAtOnce(true);
  surface->SetRefreshHandler([this] { RepaintNow(); });
  return surface;
}

bool FuzzHost::SetClipboardImage(const Surface& surface) {
  if (!clipboardAvailable) return false;
  const QImage& picture = ImageOf(surface);
  clipboard_ = QImage();  // its buffer can take the copy
  clipboard_ = PooledImage(picture.width(), picture.height());
  QPainter(&clipboard_).drawImage(0, 0, picture);
  return true;
}

}  // namespace palvex::fuzz
