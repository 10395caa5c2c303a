#include "model/child_controls.h"

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

namespace {

const FontSpec kArial9{u"Arial", 9.0f, false, 0};
const FontSpec kTahoma9{u"Tahoma", 9.0f, false, 178};
const FontSpec kSong9{u"宋体", 9.0f, false, 134};
const FontSpec kWebdings9Bold{u"Webdings", 9.0f, true, 2};

void Place(Control& c, double left, double top, double width, double height) {
  c.Left = left;
  c.Top = top;
  c.Width = width;
  c.Height = height;
}

void MenuEntry(MenuItem& m, const char* name, const char16_t* caption, bool checked = false) {
  m.Name = name;
  m.Caption = caption;
  m.Checked = checked;
}

}  // namespace

ChildControls::ChildControls(Host& host) {
  picLegend.Name = "picLegend";
  picLegend.Kind = ControlKind::Picture;
  Place(picLegend, 3360, 0, 2250, 5430);
  picLegend.BackColor = 0xF0F5F5;
  picLegend.ForeColor = 0xFF7040;
  picLegend.FillColor = 0xFFF0F0;
  picLegend.Font = kArial9;
  picLegend.TabIndex = 1;
  GiveSurface(host, picLegend);

  vsbContainer.Name = "vsbContainer";
  vsbContainer.Kind = ControlKind::ScrollBar;
  vsbContainer.Parent = &picLegend;
  Place(vsbContainer, 1995, 0, 225, 5445);
  vsbContainer.TabIndex = 4;

  picContainer.Name = "picContainer";
  picContainer.Kind = ControlKind::Picture;
  picContainer.Parent = &picLegend;
  Place(picContainer, 150, 0, 1830, 5205);
  picContainer.BackColor = 0xFFFFFF;
  picContainer.ForeColor = 0xFFFFFF;
  picContainer.Font = kArial9;
  picContainer.TabIndex = 2;
  GiveSurface(host, picContainer);

  auto box = std::make_unique<Control>();
  box->Name = "Box";
  box->Index = 0;
  box->Kind = ControlKind::Picture;
  box->Parent = &picContainer;
  Place(*box, 45, 135, 240, 240);
  box->BackColor = 0x0000C0;
  box->Font = kTahoma9;
  box->TabIndex = 6;
  GiveSurface(host, *box);
  Box.push_back(std::move(box));

  auto desc = std::make_unique<Control>();
  desc->Name = "lblDescription";
  desc->Index = 0;
  desc->Kind = ControlKind::Label;
  desc->Parent = &picContainer;
  Place(*desc, 315, 135, 990, 180);
  desc->Caption = u"Description";
  desc->ForeColor = 0x400000;
  desc->BackColor = 0xFFFFFF;
  desc->Font = kSong9;
  desc->AutoSize = true;
  // The description panel paints a gradient behind its entries.
  desc->Transparent = true;
  desc->TabIndex = 3;
  lblDescription.push_back(std::move(desc));

  lblSlider.Name = "lblSlider";
  lblSlider.Parent = &picLegend;
  Place(lblSlider, 15, 0, 90, 5430);
  // The design caption "fg" is meant for a symbol font no Linux desktop
  // has, so a stand-in face showed its Latin letters; the folded glyph the
  // toggles draw shows instead from the first paint.
  lblSlider.Caption = std::u16string(1, kSliderFoldedGlyph);
  lblSlider.Font = kWebdings9Bold;
  lblSlider.BackColor = 0x400000;
  lblSlider.ForeColor = 0xC0FFFF;
  lblSlider.ToolTipText = u"显示图例";
  lblSlider.TabIndex = 5;

  lblInfo.Name = "lblInfo";
  Place(lblInfo, 0, 0, 1470, 390);
  lblInfo.Caption = u"值: 100\r\n描述: 总销售金额";
  lblInfo.BackColor = kSystemToolTipBack;
  lblInfo.ForeColor = kSystemToolTipText;
  lblInfo.Font = kSong9;
  lblInfo.AutoSize = true;
  lblInfo.TabIndex = 0;
  // Shown only for a selected column, with a caption of its own by then.
  lblInfo.Visible = false;

  MenuEntry(mnuMain, "mnuMain", u"&Main");
  MenuEntry(mnuSaveAs, "mnuSaveAs", u"另存为(&A)");
  MenuEntry(mnuEditCopy, "mnuEditCopy", u"复制(&C)");
  MenuEntry(mnuSeperator, "mnuSeperator", u"-");
  // Shown together with the selection item the first time it is offered.
  mnuSeperator.Visible = false;
  MenuEntry(mnuSelectionInfo, "mnuSelectionInfo", u"图例信息(&I)", true);
  MenuEntry(mnuAutoMoveInfo, "mnuAutoMoveInfo", u"图例信息跟随(&M)", true);
  MenuEntry(mnuViewLegend, "mnuViewLegend", u"显示图例(&D)");
  // The keyboard's way to the legend strip, which only a mouse can click.
  mnuViewLegend.Shortcut = "L";
  mnuMain.Items = {&mnuSaveAs,        &mnuEditCopy,     &mnuSeperator,
                   &mnuSelectionInfo, &mnuAutoMoveInfo, &mnuViewLegend};
  MenuEntry(mnuLegend, "mnuLegend", u"图例(&L)");
  MenuEntry(mnuLegendHide, "mnuLegendHide", u"隐藏图例(&H)");
  mnuLegend.Items = {&mnuLegendHide};
}

Control* ChildControls::Find(std::string_view name, int index) {
  auto element = [&](std::vector<std::unique_ptr<Control>>& array) -> Control* {
    int i = index < 0 ? 0 : index;
    if (i >= static_cast<int>(array.size())) return nullptr;
    if (!array[i] && loadEntry) loadEntry(i);
    return array[i].get();
  };
  if (name == "Box") return element(Box);
  if (name == "lblDescription") return element(lblDescription);
  for (Control* c : {&picLegend, &vsbContainer, &picContainer, &lblSlider, &lblInfo}) {
    if (c->Name == name) return c;
  }
  return nullptr;
}

MenuItem* ChildControls::FindMenu(std::string_view name) {
  for (MenuItem* m : {&mnuMain, &mnuSaveAs, &mnuEditCopy, &mnuSeperator, &mnuSelectionInfo,
                      &mnuAutoMoveInfo, &mnuViewLegend, &mnuLegend, &mnuLegendHide}) {
    if (m->Name == name) return m;
  }
  return nullptr;
}

std::vector<Control*> ChildControls::ChildrenOf(const Control* parent) {
  // Creation order: the legend panel, its scroll bar, the description
  // panel with its boxes and labels, the slider, the information label.
  std::vector<Control*> all{&picLegend, &vsbContainer, &picContainer};
  for (auto& b : Box) {
    if (b) all.push_back(b.get());
  }
  for (auto& d : lblDescription) {
    if (d) all.push_back(d.get());
  }
  all.push_back(&lblSlider);
  all.push_back(&lblInfo);

  std::vector<Control*> children;
  for (Control* c : all) {
    if (c->Parent == parent && c->Kind == ControlKind::Label) children.push_back(c);
  }
  for (Control* c : all) {
    if (c->Parent == parent && c->Kind != ControlKind::Label) children.push_back(c);
  }
  return children;
}

void AdjustMainMenu(ChildControls& children, bool selectable) {
  children.mnuSelectionInfo.Visible = false;
  if (selectable) {
    children.mnuSelectionInfo.Visible = true;
    children.mnuSeperator.Visible = true;
  }
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
  c.surface->SetFontName(c.Font.name);
  c.surface->SetFontSize(c.Font.size);
  c.surface->SetFontBold(c.Font.bold);
  c.surface->Cls();
}

bool MoveControl(Host& host, Control& c, double left, double top, double width, double height) {
  bool resized = width != c.Width || height != c.Height;
  Place(c, left, top, width, height);
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
  Place(to, c.Left, c.Top, c.Width, c.Height);
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
  if (c.surface) {
    c.surface->SetFontName(font.name);
    c.surface->SetFontSize(font.size);
    c.surface->SetFontBold(font.bold);
  }
  FitToText(host, c);
}

}  // namespace palvex
