#include "model/child_controls.h"

#include "platform/host.h"

namespace palvex {

namespace {

const FontSpec kArial9{u"Arial", 9.0f, false, 0};
const FontSpec kSong9{u"宋体", 9.0f, false, 134};
const FontSpec kWebdings9Bold{u"Webdings", 9.0f, true, 2};

void MenuEntry(MenuItem& m, const char* name, const char16_t* caption, bool checked = false) {
  m.Name = name;
  m.Caption = caption;
  m.Checked = checked;
}

}  // namespace

ChildControls::ChildControls(Host& host) : entries(host, picContainer) {
  picLegend.Name = "picLegend";
  picLegend.Kind = ControlKind::Picture;
  PlaceControl(picLegend, 3360, 0, 2250, 5430);
  picLegend.BackColor = 0xF0F5F5;
  picLegend.ForeColor = 0xFF7040;
  picLegend.FillColor = 0xFFF0F0;
  picLegend.Font = kArial9;
  picLegend.TabIndex = 1;
  GiveSurface(host, picLegend);

  vsbContainer.Name = "vsbContainer";
  vsbContainer.Kind = ControlKind::ScrollBar;
  vsbContainer.Parent = &picLegend;
  PlaceControl(vsbContainer, 1995, 0, 225, 5445);
  vsbContainer.TabIndex = 4;

  picContainer.Name = "picContainer";
  picContainer.Kind = ControlKind::Picture;
  picContainer.Parent = &picLegend;
  PlaceControl(picContainer, 150, 0, 1830, 5205);
  picContainer.BackColor = 0xFFFFFF;
  picContainer.ForeColor = 0xFFFFFF;
  picContainer.Font = kArial9;
  picContainer.TabIndex = 2;
  GiveSurface(host, picContainer);

  lblSlider.Name = "lblSlider";
  lblSlider.Parent = &picLegend;
  PlaceControl(lblSlider, 15, 0, 90, 5430);
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
  PlaceControl(lblInfo, 0, 0, 1470, 390);
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
  if (DescriptionEntries::IsArrayName(name)) return entries.Find(name, index);
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
  entries.AppendControls(all);
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

void SetChildLabelFont(Host& host, ChildControls& children, const std::optional<FontSpec>& font) {
  const FontSpec& shown = font ? *font : kSong9;
  SetFont(host, children.lblInfo, shown);
  SetFont(host, children.entries.FirstLabel(), shown);
}

}  // namespace palvex
