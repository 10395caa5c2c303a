#pragma once

#include <QColor>
#include <QGlyphRun>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QRect>
#include <QTransform>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/color.h"
#include "platform/device_context.h"
#include "platform/qt/damage_log.h"
#include "platform/qt/held_fills.h"
#include "platform/qt/held_text.h"
#include "platform/qt/pass_ops.h"

namespace palvex {

class GlyphStamps;

// Whether PALVEX_PAINT_AT_ONCE=1 asked, when the program started, that no
// work be held back.
bool PaintAtOnceByDefault();

// The one owner of a picture's pixels: the image, the painter kept open on
// it and the work held back (fills of a group, turned text). The drawing
// pass is fast because fills and glyphs wait to be painted together, and
// the picture is right only if nothing reads, copies, resizes or draws
// over the pixels without painting what waits there first. So every way to
// the pixels goes through here and settles what is held on the way:
// reading the picture settles everything, a painter settles what may lie
// under the pixels it is for, and the few writers that can wait (fills,
// solid rectangles, turned text) join what is held in order.
//
// One painter stays open from one operation to the next: beginning and
// ending one for every caption costs more than drawing it. Each user sets
// the pen, font and hints it needs and leaves the transform as it found it.
//
// A drawing pass (BeginPass to EndPass) is kept rather than painted, and
// compared with the pass before: a hover changes two bars, and only where
// the two passes differ is painted again, every operation cut to those
// pixels. The picture is the one painting the whole pass would leave,
// because a pass that starts by covering every pixel makes a picture that
// depends on nothing but the pass. Anything else that draws on the canvas
// makes the next pass paint everything; a read during a pass (a frame of
// the growth animation) paints what was kept, and the rest as it comes.
class Canvas {
 public:
  explicit Canvas(QImage image, bool paintAtOnce = PaintAtOnceByDefault());
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas();

  // This canvas among all of the program's, for pictures taken from it.
  std::uint64_t id() const { return id_; }
  // Where the picture changed, by version.
  const DamageLog& damage() const { return damage_; }

  // A drawing pass: what is drawn until EndPass is kept, and EndPass
  // paints where it differs from the pass before (everything, the first
  // time). A pass begun inside another is part of it.
  void BeginPass();
  void EndPass();

  // What the picture is, without settling anything.
  int width() const { return image_.width(); }
  int height() const { return image_.height(); }
  QSize size() const { return image_.size(); }
  double devicePixelRatio() const { return image_.devicePixelRatio(); }
  QImage::Format format() const { return image_.format(); }

  // The picture with everything held painted and the painter ended.
  const QImage& Image();
  // Puts another picture in place of this one (a resize, a picture put
  // back); what was held belonged to the old one and is painted there.
  void Replace(QImage next);
  // Covers the whole picture in one colour. The cover waits like a held
  // fill, and is dropped when a fill of every pixel comes next: a pass
  // clears the picture and then covers it with its background.
  void Fill(const QColor& color);
  // The one colour of the whole picture, when it was covered in it and
  // nothing was drawn or painted since.
  std::optional<QColor> HeldColor() const {
    if (Keeping() || clip_ || !fills_.empty() || !text_.empty()) return std::nullopt;
    return clear_;
  }
  // The next drawing covers these device pixels in opaque colours: a clear
  // still waiting need not be painted when they are all of the picture.
  void WillCover(const QRect& pixels) {
    if (pixels.contains(image_.rect())) clear_.reset();
  }

  // The painter, once everything held is painted, for drawing anywhere
  // (a pass that asks for it paints everything).
  QPainter& Painter();

  // Where held text finds its glyphs' stamps (none: the painter draws it).
  void ShareStamps(std::shared_ptr<GlyphStamps> stamps) { stamps_ = std::move(stamps); }

  // Paints every fill and all text from now on when asked to, holding
  // nothing back (what is held now is painted first). The same pixels,
  // slower: a check of the holding and a way round it if it ever fails.
  void SetPaintAtOnce(bool atOnce);

  // Fills from BeginFillGroup to the matching EndFillGroup are held and
  // painted together when the outermost group ends (or anything needs
  // their pixels first).
  void BeginFillGroup();
  void EndFillGroup();
  // A gradient between a and b (device pixels, either order), right and
  // bottom exclusive, cut to the picture; in a group (the caller opens one).
  void GradientFill(const TriVertex& a, const TriVertex& b, bool vertical);
  // A rectangle of one opaque colour, corners included, cut to the picture.
  void FillSolid(const QRect& pixels, Color color);
  // Holds text drawn through turn at baseline, in pen, with ink as where it
  // may leave pixels; false when it cannot wait and the caller draws it
  // (through DrawText with ink).
  bool HoldText(const QList<QGlyphRun>& runs, const QTransform& turn, QPointF baseline,
                const QRect& ink, const QColor& pen, bool antialiased);
  // Text drawn by the painter, leaving pixels only inside ink (device
  // pixels), or anywhere without it.
  void DrawText(const DrawnText& text, const QRect* ink);
  // A one-pixel outline through the corners of rect, as drawRect draws it,
  // and a one-pixel line, at one device pixel a pixel.
  void DrawOutline(const QRect& rect, const QColor& color);
  void DrawLine(QPoint a, QPoint b, const QColor& color);
  // Another canvas's device pixels from, put at at (in the painter's
  // pixels), covering bounds here.
  void DrawPicture(Canvas& source, const QRect& from, QPoint at, const QRect& bounds);

 private:
  bool InPass() const { return passDepth_ > 0; }
  // Whether this pass's operations are kept (held back or not).
  bool Keeping() const { return keeping_ || recording_; }
  // Keeps an operation of the pass; true when it is held back, false when
  // the caller paints it now.
  bool Kept(pass_op::Kind what, const QRect& bounds);
  // What was held back is painted now; the rest of the pass is painted as
  // it is drawn, and still kept.
  void PaintKept();
  // The pass can no longer be kept (too long, or drawn by a caller's own
  // painter): the next pass paints everything.
  void StopKeeping();
  // A picture taken from source, with what changed there since the last
  // pass took it.
  pass_op::Picture Taken(Canvas& source, const QImage& image, const QRect& from, QPoint at) const;
  // Paints where this pass differs from the last.
  void PaintDifferences();
  // Paints the kept operations, cut to clip unless it is empty.
  void Replay(const QRect& clip);
  void Apply(const PassOp& op);
  bool CoversAll(const PassOp& op) const;
  // The painting itself, cut to clip_ while a pass is replayed.
  void PaintClear(const QColor& color);
  // pixels: the gradient's on the picture.
  void PaintGradient(const TriVertex& a, const TriVertex& b, bool vertical, QRect pixels);
  void PaintSolid(QRect cut, Color color);
  bool PaintHeldText(const QList<QGlyphRun>& runs, const QTransform& turn, QPointF baseline,
                     const QRect& ink, const QColor& pen, bool antialiased);
  void PaintText(const DrawnText& text, const QRect& bounds);
  // Draws the text from glyph stamps, as the painter would; false when it
  // cannot, and nothing is drawn.
  bool StampText(const DrawnText& text, QPainter& painter);
  // The stamps text may be drawn from through the painter open on the
  // picture, and the rectangle it clips to; null when the painter draws
  // all text (painting at once, or a painter stamps cannot follow).
  GlyphStamps* Stamps(const QPainter& painter, QRect& clip);
  void PaintOutline(const QRect& rect, const QColor& color, const QRect& bounds);
  void PaintLine(QPoint a, QPoint b, const QColor& color, const QRect& bounds);
  void PaintImage(const QImage& image, const QRect& from, QPoint at, const QRect& bounds);
  void PaintGroup(bool begin);
  // These pixels were painted (outside a replay, which counts its own).
  void Changed(const QRect& pixels);
  // The painter for drawing over the given pixels: what is held there is
  // painted first, the rest may wait.
  QPainter& PainterOver(const QRect& pixels);

  // Paints everything held. After it nothing is.
  void Settle();
  void PaintHeldFills();
  void DrawHeldText();
  void PaintHeldClear();
  QPainter& OpenPainter();
  void EndPainter();
  bool Holding() const { return clear_ || !fills_.empty() || !text_.empty(); }
  // Fills wait only in an open group, and nothing waits when painting at
  // once.
  void CheckHeld() const {
    Q_ASSERT(fillGroups_ > 0 || fills_.empty());
    Q_ASSERT(!atOnce_ || !Holding());
  }

  QImage image_;
  std::unique_ptr<QPainter> painter_;
  bool atOnce_;
  int fillGroups_ = 0;
  // A held clear came before every held fill and text (Fill settles them).
  std::optional<QColor> clear_;
  // Held fills and held text never overlap out of order: whichever comes
  // second paints the other first where they might meet.
  HeldFills fills_;
  HeldText text_;
  std::shared_ptr<GlyphStamps> stamps_;

  const std::uint64_t id_;
  DamageLog damage_;
  // A pass longer than this is painted as it goes: keeping it would cost
  // more memory than a repaint of a few bars saves.
  static constexpr std::size_t kMaxKept = 4096;
  int passDepth_ = 0;
  // Held back to be compared at EndPass, or painted and kept alike.
  bool keeping_ = false;
  bool recording_ = false;
  bool replaying_ = false;
  // Operations this pass (kept or not), and how many the last pass had.
  std::size_t passOps_ = 0;
  std::size_t lastPassOps_ = 0;
  std::vector<PassOp> kept_;
  // The last pass's operations, and whether the picture is theirs alone.
  std::vector<PassOp> last_;
  bool lastPainted_ = false;
  // Nothing drawn outside a pass since the last one ended; and the last
  // pass kept was drawn over before another pass could compare with it.
  bool untouched_ = false;
  bool keptInVain_ = false;
  // While a replay is cut to part of the picture.
  std::optional<QRect> clip_;
};

}  // namespace palvex
