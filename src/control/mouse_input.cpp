#include "control/palvex_chart.h"
#include "ui/compose.h"
#include "ui/input.h"
#include "ui/scroll_bar.h"

namespace palvex {

void PalvexChart::MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y) {
  RouteMouseDown(s_, Button, Shift, X, Y);
}

void PalvexChart::MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y) {
  RouteMouseMove(s_, Button, Shift, X, Y);
}

void PalvexChart::MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y) {
  if (const std::optional<DropRequest> drop = RouteMouseUp(s_, Button, Shift, X, Y)) {
    Drop(*drop->source, drop->x, drop->y);
  }
}

void PalvexChart::DblClick(float X, float Y, std::int16_t Button, std::int16_t Shift) {
  RouteDblClick(s_, Button, Shift, X, Y);
}

bool PalvexChart::MouseWheel(std::int32_t Delta, float X, float Y) {
  return RouteMouseWheel(s_, Delta, X, Y);
}

void PalvexChart::MouseCaptureLost() {
  LosePointer(s_);
}

void PalvexChart::ScrollRepeatTick() {
  ScrollBarRepeatTick(s_);
}

std::u16string PalvexChart::ToolTipAt(float X, float Y) {
  return palvex::ToolTipAt(s_, X, Y);
}

void PalvexChart::ComposeScreen(Surface& target) {
  palvex::ComposeScreen(s_, target);
}

}  // namespace palvex
