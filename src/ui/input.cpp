#include "ui/input.h"

#include "model/chart_state.h"
#include "platform/mouse_buttons.h"
#include "theme/legend_entries.h"
#include "ui/info_label_input.h"
#include "ui/legend_toggles.h"
#include "ui/menu_commands.h"
#include "ui/scroll_bar.h"
#include "ui/selection.h"

namespace palvex {

namespace {

ControlRef RefOf(const Control* c) {
  return c ? ControlRef{c->Name, c->Index} : ControlRef{};
}

// Where the input goes: a control (nullptr for the surface) and the point
// in its own coordinates; nothing when the control that held the mouse no
// longer exists.
std::optional<HitResult> Target(ChartState& chart, double x, double y) {
  const PointerState& p = chart.pointer;
  if (!p.captured) return HitTest(chart, x, y);
  if (p.capture.IsSurface()) return HitResult{nullptr, x, y};
  // The entry held may have been scrolled out of view meanwhile.
  MakeEntryExist(chart, p.capture.name, p.capture.index);
  Control* c = chart.children.Find(p.capture.name, p.capture.index);
  if (!c) return std::nullopt;
  HitResult local{c, x, y};
  for (const Control* k = c; k; k = k->Parent) {
    local.x -= k->Left;
    local.y -= k->Top;
  }
  return local;
}

void Press(ChartState& chart, const HitResult& at, std::int16_t button, std::int16_t shift,
           float chartX, float chartY) {
  ChildControls& ch = chart.children;
  Control* c = at.control;
  const float x = static_cast<float>(at.x), y = static_cast<float>(at.y);
  if (!c) {
    SurfaceMouseDown(chart, button, shift, x, y);
  } else if (!c->Enabled) {
    return;
  } else if (c == &ch.lblInfo) {
    InfoLabelMouseDown(chart, button, shift, x, y);
  } else if (c == &ch.picLegend || c == &ch.picContainer) {
    if (button == kRightButton) PopupMenuAndRun(chart, ch.mnuLegend, chartX, chartY);
  } else if (c == &ch.vsbContainer) {
    ScrollBarMouseDown(chart, button, x, y);
  } else if (c->Name == "lblDescription") {
    DescriptionMouseDown(chart, c->Index, button, shift, x, y);
  }
  // Colour boxes and the slider take a press without doing anything.
}

void Release(ChartState& chart, const HitResult& at, std::int16_t button, std::int16_t shift) {
  ChildControls& ch = chart.children;
  Control* c = at.control;
  const float x = static_cast<float>(at.x), y = static_cast<float>(at.y);
  if (!c) {
    SurfaceMouseUp(chart, button, shift, x, y);
  } else if (!c->Enabled) {
    return;
  } else if (c == &ch.lblSlider) {
    // A click: the left button let go over the slider it was pressed on.
    if (button == kLeftButton && x >= 0 && y >= 0 && x < c->Width && y < c->Height) {
      ToggleLegend(chart);
    }
  } else if (c == &ch.vsbContainer) {
    ScrollBarMouseUp(chart, button, x, y);
  }
}

}  // namespace

HitResult HitTest(ChartState& chart, double x, double y, const Control* ignore) {
  // The legend may show other entries than when it was last composed.
  ShowEntriesInView(chart);
  HitResult hit{nullptr, x, y};
  const Control* parent = nullptr;
  for (;;) {
    const std::vector<Control*> kids = chart.children.ChildrenOf(parent);
    Control* found = nullptr;
    for (auto it = kids.rbegin(); it != kids.rend() && !found; ++it) {
      if (*it != ignore && (*it)->Visible && (*it)->Contains(hit.x, hit.y)) found = *it;
    }
    if (!found) return hit;
    hit = {found, hit.x - found->Left, hit.y - found->Top};
    parent = found;
  }
}

void RouteMouseDown(ChartState& chart, std::int16_t button, std::int16_t shift, float x, float y) {
  PointerState& p = chart.pointer;
  std::optional<HitResult> at;
  if (p.captured && p.buttons != 0) {
    at = Target(chart, x, y);
  } else {
    at = HitTest(chart, x, y);
    p.captured = true;
    p.capture = RefOf(at->control);
  }
  p.buttons = static_cast<std::int16_t>(p.buttons | button);
  if (at) Press(chart, *at, button, shift, x, y);
}

void RouteMouseMove(ChartState& chart, std::int16_t buttons, std::int16_t shift, float x, float y) {
  PointerState& p = chart.pointer;
  // No button held: whatever release we missed, the mouse is free again.
  if (buttons == 0 && (p.captured || p.dragging)) ReleasePointer(chart);
  if (p.dragging) return;  // the host shows the dragged outline
  const std::optional<HitResult> at = Target(chart, x, y);
  if (!at) return;
  const float lx = static_cast<float>(at->x), ly = static_cast<float>(at->y);
  if (!at->control) {
    SurfaceMouseMove(chart, buttons, shift, lx, ly);
  } else if (at->control == &chart.children.vsbContainer && at->control->Enabled) {
    ScrollBarMouseMove(chart, buttons, lx, ly);
  }
}

std::optional<DropRequest> RouteMouseUp(ChartState& chart, std::int16_t button, std::int16_t shift,
                                        float x, float y) {
  PointerState& p = chart.pointer;
  const std::optional<HitResult> at = Target(chart, x, y);
  p.buttons = static_cast<std::int16_t>(p.buttons & ~button);
  if (p.buttons == 0) p.captured = false;

  if (p.dragging) {
    if (button != kLeftButton) return std::nullopt;
    p.dragging = false;
    Control* source = chart.children.Find(p.dragSource.name, p.dragSource.index);
    // Only a drop on the chart's own surface places the label; anywhere
    // else it stays where it was.
    const Surface& s = *chart.surface;
    const bool onChart = x >= 0 && y >= 0 && x < s.ScaleWidth() && y < s.ScaleHeight();
    if (!source || !onChart || HitTest(chart, x, y, source).control) return std::nullopt;
    return DropRequest{source, x, y};
  }
  if (at) Release(chart, *at, button, shift);
  return std::nullopt;
}

void RouteDblClick(ChartState& chart, std::int16_t button, std::int16_t shift, float x, float y) {
  const HitResult at = HitTest(chart, x, y);
  ChildControls& ch = chart.children;
  if (at.control == &ch.lblInfo && button == kLeftButton) {
    if (at.control->Enabled) InfoLabelDblClick(chart);
  } else if (at.control) {
    // The window reports the second of two quick presses as a double-click;
    // to a scroll bar, a panel or an entry it is a press like the first.
    RouteMouseDown(chart, button, shift, x, y);
  }
}

bool RouteMouseWheel(ChartState& chart, std::int32_t delta, float x, float y) {
  ChildControls& ch = chart.children;
  const Control* c = HitTest(chart, x, y).control;
  if (c == &ch.lblSlider || !ch.vsbContainer.Visible || !ch.vsbContainer.Enabled) return false;
  // Over the legend panel or anything on it, the list scrolls.
  while (c && c != &ch.picLegend) c = c->Parent;
  if (!c) return false;
  return ScrollBarWheel(chart, delta);
}

void BeginDrag(ChartState& chart, const Control& source) {
  chart.pointer.dragging = true;
  chart.pointer.dragSource = RefOf(&source);
}

void ReleasePointer(ChartState& chart) {
  chart.pointer = PointerState{};
}

void LosePointer(ChartState& chart) {
  const PointerState& p = chart.pointer;
  if (!p.captured && !p.dragging) return;
  const bool repeating = p.scrollPart != ScrollPart::None;
  ReleasePointer(chart);
  if (repeating) chart.host.SetScrollRepeat(false);
}

std::u16string ToolTipAt(ChartState& chart, double x, double y) {
  const HitResult at = HitTest(chart, x, y);
  if (!at.control) return std::u16string();
  // The slider's tip is the control's own text; the entries' tips are the
  // host's descriptions, never translated.
  if (at.control == &chart.children.lblSlider) return chart.host.Translate(at.control->ToolTipText);
  return at.control->ToolTipText;
}

}  // namespace palvex
