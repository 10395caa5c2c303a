#include "model/control.h"

#include <algorithm>
#include <utility>

#include "platform/chart_error.h"
#include "platform/host.h"
#include "platform/numeric.h"

namespace palvex {

// A runaway size must not ask for a picture without bound. The one tall
// panel, the description stack, only ever has a picture of the rows in
// view.
constexpr double kMaxPanelSidePx = 65536;

int PixelsOf(double twips, float twipsPerPixel) {
  double px = RoundHalfEven(twips / twipsPerPixel);
  if (!(px >= 1)) return 1;
  return static_cast<int>(std::min(px, kMaxPanelSidePx));
}

void PlaceControl(Control& c, double left, double top, double width, double height) {
  c.Left = left;
  c.Top = top;
  c.Width = width;
  c.Height = height;
}

void GiveSurface(Host& host, Control& c) {
  const Screen& s = host.screen();
  const int w = PixelsOf(c.Width, s.TwipsPerPixelX()), h = PixelsOf(c.Height, s.TwipsPerPixelY());
  // A picture kept from an unloaded element serves when it has the size
  // and no other element shows it.
  if (!c.surface || c.surface.use_count() > 1 || c.surface->PixelWidth() != w ||
      c.surface->PixelHeight() != h)
    c.surface = host.CreateSurface(w, h);
  c.surface->SetBackColor(c.BackColor);
  c.surface->SetForeColor(c.ForeColor);
  c.surface->SetFont(c.Font);
  c.surface->Cls();
}

bool MoveControl(Host& host, Control& c, double left, double top, double width, double height) {
  bool resized = width != c.Width || height != c.Height;
  PlaceControl(c, left, top, width, height);
  if (resized && c.surface) {
    const Screen& s = host.screen();
    c.surface->ResizePixels(PixelsOf(width, s.TwipsPerPixelX()),
                            PixelsOf(height, s.TwipsPerPixelY()));
  }
  return resized;
}

std::unique_ptr<Control> CopyControl(Host& host, const Control& templ, int index) {
  auto c = std::make_unique<Control>();
  ResetFromTemplate(host, *c, templ, index);
  return c;
}

void CopyProperties(Control& to, const Control& c) {
  to.Name = c.Name;
  to.Kind = c.Kind;
  to.Parent = c.Parent;
  PlaceControl(to, c.Left, c.Top, c.Width, c.Height);
  to.Visible = c.Visible;
  to.Enabled = c.Enabled;
  to.BackColor = c.BackColor;
  to.ForeColor = c.ForeColor;
  to.FillColor = c.FillColor;
  to.Font = c.Font;
  to.Caption = c.Caption;
  to.ToolTipText = c.ToolTipText;
  to.Tag = c.Tag;
  to.TabIndex = c.TabIndex;
  to.AutoSize = c.AutoSize;
  to.Transparent = c.Transparent;
  to.Min = c.Min;
  to.Max = c.Max;
  to.Value = c.Value;
  to.SmallChange = c.SmallChange;
  to.LargeChange = c.LargeChange;
}

bool SameProperties(const Control& a, const Control& b) {
  return a.Name == b.Name && a.Kind == b.Kind && a.Parent == b.Parent && a.Left == b.Left &&
         a.Top == b.Top && a.Width == b.Width && a.Height == b.Height && a.Visible == b.Visible &&
         a.Enabled == b.Enabled && a.BackColor == b.BackColor && a.ForeColor == b.ForeColor &&
         a.FillColor == b.FillColor && a.Font == b.Font && a.Caption == b.Caption &&
         a.ToolTipText == b.ToolTipText && a.Tag == b.Tag && a.TabIndex == b.TabIndex &&
         a.AutoSize == b.AutoSize && a.Transparent == b.Transparent && a.Min == b.Min &&
         a.Max == b.Max && a.Value == b.Value && a.SmallChange == b.SmallChange &&
         a.LargeChange == b.LargeChange;
}

void ResetFromTemplate(Host& host, Control& element, const Control& templ, int index) {
  // Field by field rather than from a fresh Control: a reloaded element
  // keeps its strings' storage, and every pass reloads one per item.
  static const Control kFresh;
  CopyProperties(element, templ);
  element.Index = index;
  element.Visible = false;  // new array elements start hidden
  element.Min = kFresh.Min;
  element.Max = kFresh.Max;
  element.Value = kFresh.Value;
  element.SmallChange = kFresh.SmallChange;
  element.LargeChange = kFresh.LargeChange;
  if (templ.surface) {
    GiveSurface(host, element);
  } else {
    element.surface.reset();
  }
}

Control& LoadElement(Host& host, ControlArray& array) {
  if (array.empty()) throw ChartError(kErrNoSuchElement);
  array.push_back(CopyControl(host, *array[0], static_cast<int>(array.size())));
  return *array.back();
}

Control& LoadElementAt(Host& host, ControlArray& array, ControlArray& spares, const Control& templ,
                       std::size_t k) {
  if (k == 0 || k >= array.size()) throw ChartError(kErrNoSuchElement);
  std::unique_ptr<Control> element;
  if (spares.empty()) {
    element = std::make_unique<Control>();
  } else {
    element = std::move(spares.back());
    spares.pop_back();
  }
  ResetFromTemplate(host, *element, templ, static_cast<int>(k));
  array[k] = std::move(element);
  return *array[k];
}

void UnloadElements(ControlArray& array, ControlArray& spares) {
  for (std::size_t k = array.size(); k > 1; --k) UnloadElementAt(array, spares, k - 1);
  array.resize(std::min<std::size_t>(array.size(), 1));
}

void UnloadElementAt(ControlArray& array, ControlArray& spares, std::size_t k) {
  if (k > 0 && k < array.size() && array[k]) spares.push_back(std::move(array[k]));
}

namespace {

void FitToText(Host& host, Control& c) {
  if (!c.AutoSize || c.Kind != ControlKind::Label) return;
  const TextExtent size = host.MeasureText(c.Font, c.Caption);
  c.Width = size.width;
  c.Height = size.height;
}

}  // namespace

void SetCaption(Host& host, Control& c, std::u16string caption) {
  c.Caption = std::move(caption);
  FitToText(host, c);
}

void SetFont(Host& host, Control& c, const FontSpec& font) {
  c.Font = font;
  if (c.surface) c.surface->SetFont(font);
  FitToText(host, c);
}

}  // namespace palvex
