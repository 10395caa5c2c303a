#include "ui/compose.h"

#include <algorithm>
#include <cstddef>
#include <memory>

#include "model/chart_state.h"
#include "platform/numeric.h"
#include "theme/legend_entries.h"
#include "ui/scroll_bar.h"

namespace palvex {

namespace {

class Composer {
 public:
  explicit Composer(ChartState& chart)
      : chart_(chart), tppx_(chart.TwipsPerPixelX()), tppy_(chart.TwipsPerPixelY()) {}

  // Draws the children of parent on dest, where the parent's own (0, 0)
  // lies at (ox, oy).
  void Children(const Control* parent, Surface& dest, double ox, double oy) {
    for (Control* c : chart_.children.ChildrenOf(parent)) {
      if (!c->Visible) continue;
      const double x = ox + c->Left, y = oy + c->Top;
      // The part of the child that dest shows; children wholly outside are
      // skipped, which keeps a long scrolled list cheap.
      const double l = std::max(x, 0.0), t = std::max(y, 0.0);
      const double r = std::min(x + c->Width, dest.ScaleWidth());
      const double b = std::min(y + c->Height, dest.ScaleHeight());
      if (!(r > l && b > t)) continue;
      switch (c->Kind) {
        case ControlKind::Label:
          Label(*c, dest, x, y, l, t, r - l, b - t);
          break;
        case ControlKind::ScrollBar:
          PaintScrollBar(dest, *c, x, y, tppx_, tppy_);
          break;
        case ControlKind::Picture:
          Panel(*c, dest, x, y, l, t, r - l, b - t);
          break;
      }
    }
  }

 private:
  int Px(double twips, float tpp) const { return std::max(1, ToInt32(twips / tpp)); }

  // The picture c is composed through on every screen, as the host would
  // make it new: of this size, at the host's ratio, cleared. It is kept, so
  // that a screen where c did not change repaints nothing of it.
  Surface& Part(const Control& c, double w, double h) {
    std::unique_ptr<Surface>& part = chart_.screenParts[{c.Name, c.Index}];
    const int wide = Px(w, tppx_), high = Px(h, tppy_);
    if (!part || part->PixelRatio() != chart_.host.PixelRatio()) {
      part = chart_.host.CreateSurface(wide, high);
    } else {
      part->ResizePixels(wide, high);
    }
    return *part;
  }

  // A picture panel: its own picture, with its children laid over a copy
  // of the part that shows, so they are cut at the panel's edges.
  void Panel(const Control& c, Surface& dest, double x, double y, double l, double t, double w,
             double h) {
    if (!c.surface) return;
    const std::vector<Control*> kids = chart_.children.ChildrenOf(&c);
    const bool anyVisible =
        std::any_of(kids.begin(), kids.end(), [](Control* k) { return k->Visible; });
    if (!anyVisible) {
      dest.PaintPicture(*c.surface, l, t, l - x, t - y - c.PictureTop, w, h);
      return;
    }
    Surface& part = Part(c, w, h);
    {
      const DrawingPass pass(part);
      part.Cls();
      part.PaintPicture(*c.surface, 0, 0, l - x, t - y - c.PictureTop, w, h);
      Children(&c, part, x - l, y - t);
    }
    dest.PaintPicture(part, l, t, 0, 0, w, h);
  }

  // (l, t, w, h): the part of the label that dest shows.
  void Label(const Control& c, Surface& dest, double x, double y, double l, double t, double w,
             double h) {
    if (c.Transparent) {
      Text(c, dest, x, y);
      return;
    }
    // An opaque label paints its own area and cuts its text there.
    Surface& face = Part(c, w, h);
    {
      const DrawingPass pass(face);
      face.SetBackColor(c.BackColor);
      Text(c, face, x - l, y - t);
    }
    dest.PaintPicture(face, l, t, 0, 0, w, h);
  }

  static void Text(const Control& c, Surface& s, double x, double y) {
    if (c.Caption.empty()) return;
    s.SetFont(c.Font);
    s.SetForeColor(c.ForeColor);
    s.SetCurrentX(x);
    s.SetCurrentY(y);
    s.Print(c.Caption);
  }

  ChartState& chart_;
  float tppx_;
  float tppy_;
};

}  // namespace

void ComposeScreen(ChartState& chart, Surface& target) {
  // However many entries a long legend scrolls past, the pictures kept
  // stay few (dropped here, before any is in use).
  constexpr std::size_t kMaxParts = 256;
  if (chart.screenParts.size() > kMaxParts) chart.screenParts.clear();
  const Surface& own = *chart.surface;
  target.ResizePixels(own.PixelWidth(), own.PixelHeight());
  // Most events change a bar or two: the target repaints only where this
  // screen differs from the last.
  const DrawingPass pass(target);
  target.PaintPicture(own, 0, 0, 0, 0, own.ScaleWidth(), own.ScaleHeight());
  ShowEntriesInView(chart);
  PaintEntriesInView(chart);
  Composer(chart).Children(nullptr, target, 0, 0);
}

}  // namespace palvex
