#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/control.h"
#include "platform/color.h"
#include "platform/menu_item.h"
#include "platform/surface.h"

namespace palvex {

class Host;

// A description entry as the pass made it: enough to make its colour box
// and label when it comes into view; until then its slots in the two
// arrays hold nullptr.
struct EntryRecord {
  double top = 0;  // twips, in the description panel
  Color colour = 0;
  std::int32_t colourIndex = 0;
  std::u16string description;
};

struct StartTimer {
  int Interval = 100;
  bool Enabled = false;
};

// The slider's captions in its symbol font: the panel is shown ("fold
// away") or folded ("open"). The control starts folded.
inline constexpr char16_t kSliderShownGlyph = 187;
inline constexpr char16_t kSliderFoldedGlyph = 171;

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
  // Changes with each of the above; the picture's rows and the version
  // they show.
  std::uint64_t version = 0;
  std::uint64_t shownVersion = ~std::uint64_t{0};
  int shownFirst = 0, shownRows = 0;
};

// Everything the chart owns besides its own surface: panels, labels, the
// scroll bar, the start timer and the two pop-up menus, created with their
// design values.
struct ChildControls {
  explicit ChildControls(Host& host);
  ChildControls(const ChildControls&) = delete;
  ChildControls& operator=(const ChildControls&) = delete;

  StartTimer tmrStart;
  Control picLegend;
  Control vsbContainer;
  // How many pixels the stack moves for one unit of vsbContainer: one, or
  // more where the overflow in pixels does not fit the 16-bit range.
  double scrollUnitPixels = 1;
  Control picContainer;
  Control lblSlider;
  Control lblInfo;
  // Control arrays; element 0 exists always and is the template.
  ControlArray Box;
  ControlArray lblDescription;
  // Elements unloaded from the two arrays, loaded again before new ones
  // are made: resetting a colour box costs far less than making its
  // picture. They never outnumber the most elements ever loaded, which the
  // 16-bit index keeps to 32767.
  ControlArray spareBoxes;
  ControlArray spareLabels;
  // Every entry's record; those past Box.size() are left from a longer
  // list, their strings' storage kept for the next.
  std::vector<EntryRecord> entryRecords;
  // Makes the controls of entry k from its record (set by the legend).
  std::function<void(std::size_t)> loadEntry;
  // The entries in view [first, last) of how many, when only they were
  // last made as controls; cleared when any other is made.
  std::array<std::size_t, 3> entriesShown{};
  // The templates, palette and screen the entries were last built with,
  // and that build's number: it changes whenever one of them does. Entries
  // made later are copied from these.
  Control builtBoxTemplate;
  Control builtLabelTemplate;
  std::array<Color, 32> builtPalette{};
  double builtTwipsPerPixelX = 0, builtTwipsPerPixelY = 0;
  std::uint64_t entryBuild = 0;
  // One colour box picture per colour of the bar palette, from the build
  // that painted it; the boxes of that build share it.
  struct ColourBox {
    std::shared_ptr<Surface> picture;
    std::uint64_t build = 0;
  };
  std::array<ColourBox, 16> colourBoxes;
  EntriesLook entriesLook;

  MenuItem mnuMain;
  MenuItem mnuSaveAs;
  MenuItem mnuEditCopy;
  MenuItem mnuSeperator;
  MenuItem mnuSelectionInfo;
  MenuItem mnuAutoMoveInfo;
  MenuItem mnuViewLegend;
  MenuItem mnuLegend;
  MenuItem mnuLegendHide;

  // Lookups by the names a script or test uses; nullptr when unknown. A
  // description entry out of view is made for the asker.
  Control* Find(std::string_view name, int index = -1);
  MenuItem* FindMenu(std::string_view name);

  // The children lying directly on parent (nullptr: on the chart itself),
  // bottom first. Labels are drawn on their parent's picture, so every
  // panel and scroll bar lies above them; otherwise later ones lie above.
  std::vector<Control*> ChildrenOf(const Control* parent);
};

// Before the main menu opens from the chart's surface: the selection
// information item shows only while columns can be selected. The
// separator is only ever made visible, never hidden again.
void AdjustMainMenu(ChildControls& children, bool selectable);

}  // namespace palvex
