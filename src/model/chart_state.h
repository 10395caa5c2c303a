#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/chart_item.h"
#include "model/child_controls.h"
#include "model/events.h"
#include "model/host_look.h"
#include "model/pointer.h"
#include "platform/chart_error.h"
#include "platform/color.h"
#include "platform/host.h"
#include "platform/surface.h"

namespace palvex {

// A bar the drawing pass recorded for the growth animation: its place and
// size in pixels and its two colours, as the pass computed them. A column
// the pass did not reach has none.
struct BarRecord {
  bool recorded = false;
  double left = 0, top = 0, width = 0, height = 0;
  Color first = 0, second = 0;
};

// Everything the control holds, in the plain fields its painters and
// handlers read and write. A new object starts with every field zero,
// false or empty; the defaults of a newly placed control come from
// InitProperties, a saved control's values from its property bag.
struct ChartState {
  explicit ChartState(Host& h);

  Host& host;
  std::unique_ptr<Surface> surface;  // the control's own area
  // The pictures the screen is composed through (a panel with what lies on
  // it, an opaque label), by control name and index: kept from one screen
  // to the next, each repaints only what changed in it.
  std::map<std::pair<std::string, int>, std::unique_ptr<Surface>> screenParts;
  ChildControls children;
  EventSinks events;

  // Configuration (the public properties). Margins are kept in twips.
  double MarginTop = 0;
  double MarginBottom = 0;
  double MarginLeft = 0;
  double MarginRight = 0;
  bool ContentBorder = false;
  bool Selectable = false;
  bool HotTracking = false;
  double SelectedColumn = 0;
  bool SelectionInformation = false;
  std::u16string ChartTitle;
  std::u16string ChartSubTitle;
  bool DisplayXAxis = false;
  bool DisplayYAxis = false;
  bool ColorBars = false;
  double IntersectMajor = 0;
  double IntersectMinor = 0;
  double MaxY = 0;
  std::u16string AxisLabelX;
  std::u16string AxisLabelY;
  std::int32_t ActiveTheme = 0;

  // The items, column k at position k; empty once released.
  std::optional<std::vector<ChartItem>> itemList{std::in_place};

  // Working values of the drawing pass and the animation.
  bool drawing = false;
  // Counts the passes that got past their first checks, so that a caller
  // can tell whether a call it made changed what a pass makes.
  std::uint64_t passesBegun = 0;
  bool animationDone = false;
  bool resizing = false;
  double valueScale = 0;
  double barWidth = 0;
  std::vector<double> barTops;
  std::vector<BarRecord> animationBars;
  // Why the last growth animation stopped early; it ends quietly, and a
  // host that must not pass half-grown bars off as the chart looks here.
  std::optional<ChartError> animationFailure;
  std::array<Color, 32> barPalette{};

  // Legend, selection and information label.
  bool legendVisible = false;
  bool legendHasRows = false;
  bool mouseBusy = false;
  double drawnSelection = 0;
  double infoGrabX = 0;
  double infoGrabY = 0;
  PointerState pointer;
  HostLook look;

  const std::vector<ChartItem>& items() const;
  float TwipsPerPixelX() const { return host.screen().TwipsPerPixelX(); }
  float TwipsPerPixelY() const { return host.screen().TwipsPerPixelY(); }
};

}  // namespace palvex
