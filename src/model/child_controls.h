#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "model/control.h"
#include "model/description_entries.h"
#include "platform/menu_item.h"

namespace palvex {

class Host;

struct StartTimer {
  int Interval = 100;
  bool Enabled = false;
};

// The slider's captions in its symbol font: the panel is shown ("fold
// away") or folded ("open"). The control starts folded.
inline constexpr char16_t kSliderShownGlyph = 187;
inline constexpr char16_t kSliderFoldedGlyph = 171;

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
  // The colour boxes and labels on picContainer.
  DescriptionEntries entries;

  MenuItem mnuMain;
  MenuItem mnuSaveAs;
  MenuItem mnuEditCopy;
  MenuItem mnuSeperator;
  MenuItem mnuSelectionInfo;
  MenuItem mnuAutoMoveInfo;
  MenuItem mnuViewLegend;
  MenuItem mnuLegend;
  MenuItem mnuLegendHide;

  // Lookups by the names a script or test uses; nullptr when unknown, and
  // for a description entry out of view (MakeEntryExist makes it).
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

// Gives the legend's descriptions and the information label a host's font,
// or their own again (a Song face, 9 points) for none. The entries made
// from here on take it.
void SetChildLabelFont(Host& host, ChildControls& children, const std::optional<FontSpec>& font);

}  // namespace palvex
