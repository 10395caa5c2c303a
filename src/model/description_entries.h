#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/control.h"

namespace palvex {

class Host;

// A description entry as the pass made it: enough to make its colour box
// and label when it comes into view.
struct EntryRecord {
  double top = 0;  // twips, in the description panel
  Color color = 0;
  std::int32_t colorIndex = 0;
  std::u16string description;
};

// What the description panel shows: painted into its picture only for the
// rows in view, since a stack of thousands of entries would need a picture
// tens of thousands of rows tall, repainted on every pass that frames one.
struct EntriesLook {
  // Until first painted the panel keeps the picture it was made with.
  bool painted = false;
  // The whole panel's picture in pixels, as sized when it was painted.
  int width = 1, height = 1;
  // A theme's gradient from top to bottom over (0, 0, fillWidth, fillHeight).
  bool themed = false;
  Color top = 0, bottom = 0;
  std::int32_t fillWidth = 0, fillHeight = 0;
  // The selected entry's white frame, corners in twips.
  bool framed = false;
  double frame[4] = {};
};

// The legend's description entries, a colour box (Box) and a label
// (lblDescription) each, on the description panel. Only the entries in
// view exist as controls; the others wait as records. Whatever is kept
// to make them cheaply (spare controls, colour box pictures, the templates
// and screen they were made for, the panel's painted rows) stays in here,
// so that one call can forget it.
//
// Making, painting and clearing the entries needs the theme's gradients:
// those operations are the legend's (theme/legend_entries), the only code
// that changes what is kept here.
class DescriptionEntries {
 public:
  // Makes element 0 of both arrays, with their design values, on panel.
  DescriptionEntries(Host& host, Control& panel);
  DescriptionEntries(const DescriptionEntries&) = delete;
  DescriptionEntries& operator=(const DescriptionEntries&) = delete;

  // Whether name is that of one of the two control arrays.
  static bool IsArrayName(std::string_view name);

  // How many entries the arrays hold, element 0 included.
  std::size_t Count() const { return boxes_.size(); }
  // Element k of either array; nullptr past the end, or for an entry out
  // of view, until MakeEntryExist makes it.
  Control* Box(std::size_t k) const { return Element(boxes_, k); }
  Control* Label(std::size_t k) const { return Element(labels_, k); }
  // Element 0, which always exists: the first entry, and the template the
  // others are copied from.
  Control& FirstBox() const { return *boxes_[0]; }
  Control& FirstLabel() const { return *labels_[0]; }
  // The element of the array so named, as a script asks for it.
  Control* Find(std::string_view name, int index) const;
  // Entry k's record; entries past the last have none.
  const EntryRecord* Record(std::size_t k) const;
  const EntriesLook& Look() const { return look_; }

  // The controls that exist, the colour boxes first, in index order.
  void AppendControls(std::vector<Control*>& controls) const;
  // Every picture kept, on controls in view or spare ones.
  std::vector<Surface*> Pictures() const;

  // Forgets what was made for the screen: the colour box pictures and the
  // panel's painted rows are made again when next needed, as after the
  // screen's pixel ratio changed.
  void Invalidate();

 private:
  friend class LegendEntries;

  static Control* Element(const ControlArray& array, std::size_t k) {
    return k < array.size() ? array[k].get() : nullptr;
  }

  // Control arrays; element 0 exists always and is the template.
  ControlArray boxes_;
  ControlArray labels_;
  // Elements unloaded from the two arrays, loaded again before new ones
  // are made: resetting a colour box costs far less than making its
  // picture. They never outnumber the most elements ever loaded, which the
  // 16-bit index keeps to 32767.
  ControlArray spareBoxes_;
  ControlArray spareLabels_;
  // Every entry's record; those past Count() are left from a longer list,
  // their strings' storage kept for the next.
  std::vector<EntryRecord> records_;
  // The entries in view [first, last) of how many, when only they were
  // last made as controls; cleared when any other is made.
  std::array<std::size_t, 3> shown_{};
  // The templates, palette and screen the entries were last built with.
  // Entries made later are copied from these.
  Control boxTemplate_;
  Control labelTemplate_;
  std::array<Color, 32> palette_{};
  double twipsPerPixelX_ = 0, twipsPerPixelY_ = 0;
  // One colour box picture per colour of the bar palette, painted for the
  // templates and screen above; the boxes of that colour share it.
  std::array<std::shared_ptr<Surface>, 16> colorBoxes_;
  EntriesLook look_;
  // Changes with the look; the panel picture's rows and the look they show.
  std::uint64_t lookVersion_ = 0;
  std::uint64_t shownLookVersion_ = ~std::uint64_t{0};
  int shownFirst_ = 0, shownRows_ = 0;
};

}  // namespace palvex
