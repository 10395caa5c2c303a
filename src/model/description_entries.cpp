#include "model/description_entries.h"

#include <utility>

#include "platform/host.h"

namespace palvex {

namespace {

const FontSpec kTahoma9{u"Tahoma", 9.0f, false, 178};
const FontSpec kSong9{u"宋体", 9.0f, false, 134};

constexpr std::string_view kBoxName = "Box";
constexpr std::string_view kLabelName = "lblDescription";

}  // namespace

DescriptionEntries::DescriptionEntries(Host& host, Control& panel) {
  auto box = std::make_unique<Control>();
  box->Name = kBoxName;
  box->Index = 0;
  box->Kind = ControlKind::Picture;
  box->Parent = &panel;
  PlaceControl(*box, 45, 135, 240, 240);
  box->BackColor = 0x0000C0;
  box->Font = kTahoma9;
  box->TabIndex = 6;
  GiveSurface(host, *box);
  boxes_.push_back(std::move(box));

  auto label = std::make_unique<Control>();
  label->Name = kLabelName;
  label->Index = 0;
  label->Kind = ControlKind::Label;
  label->Parent = &panel;
  PlaceControl(*label, 315, 135, 990, 180);
  label->Caption = u"Description";
  label->ForeColor = 0x400000;
  label->BackColor = 0xFFFFFF;
  label->Font = kSong9;
  label->AutoSize = true;
  // The description panel paints a gradient behind its entries.
  label->Transparent = true;
  label->TabIndex = 3;
  labels_.push_back(std::move(label));
}

bool DescriptionEntries::IsArrayName(std::string_view name) {
  return name == kBoxName || name == kLabelName;
}

Control* DescriptionEntries::Find(std::string_view name, int index) const {
  const std::size_t k = index < 0 ? 0 : static_cast<std::size_t>(index);
  if (name == kBoxName) return Box(k);
  if (name == kLabelName) return Label(k);
  return nullptr;
}

const EntryRecord* DescriptionEntries::Record(std::size_t k) const {
  return k < Count() && k < records_.size() ? &records_[k] : nullptr;
}

void DescriptionEntries::AppendControls(std::vector<Control*>& controls) const {
  for (const ControlArray* array : {&boxes_, &labels_}) {
    for (const auto& c : *array) {
      if (c) controls.push_back(c.get());
    }
  }
}

std::vector<Surface*> DescriptionEntries::Pictures() const {
  std::vector<Surface*> pictures;
  for (const ControlArray* array : {&boxes_, &labels_, &spareBoxes_, &spareLabels_}) {
    for (const auto& c : *array) {
      if (c && c->surface) pictures.push_back(c->surface.get());
    }
  }
  return pictures;
}

void DescriptionEntries::Invalidate() {
  // Dropped rather than painted over: a picture no box shows is not
  // brought to a new pixel ratio with the others.
  colorBoxes_ = {};
  ++lookVersion_;
}

}  // namespace palvex
