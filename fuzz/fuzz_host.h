#pragma once

#include <memory>

#include "platform/qt/headless_host.h"

namespace palvex::fuzz {

// A headless host whose larger pictures live in buffers kept from one input
// to the next. Under AddressSanitizer every large block is freshly mapped
// memory, and faulting it in cost more than all else an input did; a kept
// buffer is mapped already. Nothing else carries over: every surface is
// new and cleared. A buffer not in use is poisoned, and so is the part of
// a buffer beyond its picture, so a read past a picture is still caught.
class FuzzHost : public HeadlessHost {
 public:
  std::unique_ptr<Surface> CreateSurface(int widthPx, int heightPx) override;
  // The clipboard's copy of the picture goes into a kept buffer too.
  bool SetClipboardImage(const Surface& surface) override;
  bool clipboardAvailable = true;
  // Surfaces that paint every pass whole, comparing nothing with the pass
  // before: the twin whose pictures the compared ones must equal.
  bool paintAtOnce = false;

 private:
  QImage clipboard_;
};

}  // namespace palvex::fuzz
