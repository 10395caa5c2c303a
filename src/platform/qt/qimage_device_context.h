#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QRawFont>
#include <QRect>
#include <QTransform>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/device_context.h"
#include "platform/qt/fonts.h"
#include "platform/qt/gradient_ramp.h"
#include "platform/qt/image_painter.h"
#include "platform/screen.h"

namespace palvex {

class Surface;

// Pixel-level drawing straight into a surface's QImage. Its fonts are Qt
// fonts made from their descriptions; the one selected at first is the
// owning surface's current font, read afresh at every use, and text is
// drawn in the surface's ForeColor.
class QImageDeviceContext : public DeviceContext {
 public:
  // A context of its own, not tied to a surface: default font, black text.
  explicit QImageDeviceContext(QImage& image);
  // A surface's context, drawing with the surface's painter and sharing
  // the fonts it has measured.
  QImageDeviceContext(QImage& image, ImagePainter& painter, const Screen& screen,
                      const Surface& owner, FontCache& ownerFonts);

  bool GradientFill(const TriVertex* vertices, std::uint32_t vertexCount, const GradientRect* mesh,
                    std::uint32_t meshCount, std::uint32_t mode) override;
  Color GetPixel(int x, int y) const override;
  void BeginFillGroup() override { ++fillGroups_; }
  void EndFillGroup() override;
  // Paints the fills a group holds back and the text held back, before
  // anything else touches the image: all of them, or only fills that may
  // lie under the given pixels.
  void FlushFills() {
    DrawHeldText();
    PaintPendingFills();
  }
  void FlushFillsOver(const QRect& pixels) {
    if (!pending_.empty() && pixels.intersects(pendingBounds_)) PaintPendingFills();
  }
  // A solid rectangle (already cut to the image) that may lie over held-back
  // fills joins them in order instead of making them paint now: the tick
  // under each bar touches the bars' bottom row. False when nothing is
  // held back there, and the caller writes it itself.
  bool HoldSolidFill(const QRect& pixels, Color colour);

  ObjectHandle GetStockObject(int index) override;
  ObjectHandle SelectObject(ObjectHandle object) override;
  int GetObject(ObjectHandle object, int bufferSize, LogFont* font) override;
  ObjectHandle CreateFontIndirect(const LogFont& font) override;
  bool GetTextExtentPoint32(std::u16string_view text, std::int32_t byteLength,
                            TextSize* size) override;
  bool TextOut(std::int32_t x, std::int32_t y, std::u16string_view text,
               std::int32_t byteLength) override;
  bool DeleteObject(ObjectHandle object) override;

  // The owner's font changed: like a window's font property, the new font
  // becomes the selected one.
  void SurfaceFontChanged() {
    selected_ = kSurfaceFont;
    selectedQtFont_ = nullptr;
  }

  // The handle of the surface's own font, the one selected at first.
  static constexpr ObjectHandle kSurfaceFont = 1;
  ObjectHandle SelectedFont() const { return selected_; }
  // Fonts created and not yet deleted.
  std::size_t CreatedFonts() const { return created_.size(); }

 protected:
  QImage& image() { return image_; }

 private:
  // A fill waiting in a group: its part of the image, its vertices and,
  // filled horizontally, where its column colours start in ramps_.
  struct PendingFill {
    std::int64_t x0, x1, y0, y1;
    bool vertical;
    std::size_t ramp;
    TriVertex a, b;
    // The part painted: the whole rectangle unless later fills hide some.
    std::int64_t cx0, cx1, cy0, cy1;
  };
  void PaintPendingFills();
  // Text turned by a multiple of a right angle is held back and drawn with
  // the text after it in one glyph run: a pass draws a thousand captions,
  // and each call to the painter costs more than its glyphs. Held text
  // and held fills never overlap: whichever comes second paints the other
  // first where they might.
  bool HoldText(const QList<QGlyphRun>& runs, const QTransform& turn, QPointF baseline,
                const QRect& ink, bool antialiased);
  void DrawHeldText();
  void DrawHeldTextOver(const QRect& pixels) {
    if (!heldGlyphs_.empty() && pixels.intersects(heldBounds_)) DrawHeldText();
  }
  // Pending fills first..last: each band of rows split once into the spans
  // each fill shows, every pixel written once.
  void PaintBands(std::size_t first, std::size_t last);
  // Cuts each fill to the part no later fill is known to cover.
  void CutHiddenParts();

  // The description of a font this context knows, or nothing.
  const LogFont* Describe(ObjectHandle object);
  // The Qt font of the selected font, made once per description.
  MeasuredFont& SelectedQtFont();
  MeasuredFont& QtFontFor(LogFont description);

  QImage& image_;
  std::unique_ptr<ImagePainter> ownPainter_;
  ImagePainter& painter_;
  const Screen* screen_ = nullptr;
  const Surface* owner_ = nullptr;
  LogFont surfaceFont_;
  ObjectHandle selected_ = kSurfaceFont;
  std::map<ObjectHandle, LogFont> created_;
  ObjectHandle nextHandle_ = kFirstCreated;
  // The Qt fonts made so far, by description with the angle left out (the
  // text is turned, not the font); a pass uses two or three, past
  // kMaxQtFonts the oldest goes.
  static constexpr std::size_t kMaxQtFonts = 16;
  std::vector<std::pair<LogFont, std::shared_ptr<MeasuredFont>>> qtFonts_;
  FontCache* ownerFonts_ = nullptr;
  // The selected font's entry there, until another font is selected or
  // the surface's font changes: text is measured and then drawn in it.
  MeasuredFont* selectedQtFont_ = nullptr;
  double selectedDpi_ = 0;

  int fillGroups_ = 0;
  std::vector<PendingFill> pending_;
  // Working space of PaintPendingFills, kept to spare allocations; none
  // holds more than the image's width or height per pending fill.
  std::vector<unsigned int> ramps_;
  std::vector<std::int64_t> bands_;
  std::vector<std::pair<std::int64_t, std::int64_t>> covered_;
  // A span of a band's rows that one fill shows; rows names its entry in
  // rows_ when it is filled vertically, else -1.
  struct Segment {
    const PendingFill* fill;
    std::int64_t x0, x1;
    int rows;
  };
  std::vector<Segment> segments_;
  std::vector<RampCursor> rows_;
  // Where the pending fills lie, and per column the rows later fills are
  // known to cover (one run of rows each: less than the truth is safe).
  QRect pendingBounds_;
  std::vector<std::pair<std::int64_t, std::int64_t>> coveredRows_;

  // Held text: the glyphs in one font and colour, their positions moved so
  // that one turn (heldTurn_, without translation) places each as drawn.
  static constexpr std::size_t kMaxHeldGlyphs = 1 << 16;
  std::vector<quint32> heldGlyphs_;
  std::vector<QPointF> heldPositions_;
  QRawFont heldFont_;
  QColor heldPen_;
  QTransform heldTurn_;
  bool heldAntialiased_ = true;
  QRect heldBounds_;

  static constexpr ObjectHandle kSystemFontObject = 2;
  static constexpr ObjectHandle kFirstCreated = 16;
};

// The Qt font a description stands for: the face's stand-in, |lfHeight|
// pixels, its weight, italic, underline and strike-out; anti-aliased unless
// the quality asks otherwise.
QFont QFontFor(const LogFont& font);

}  // namespace palvex
