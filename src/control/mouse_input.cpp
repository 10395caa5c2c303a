#include "control/palvex_chart.h"
#include "ui/compose.h"
#include "ui/input.h"

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

void PalvexChart::DblClick(float X, float Y) {
  RouteDblClick(s_, X, Y);
}

std::u16string PalvexChart::ToolTipAt(float X, float Y) {
  return palvex::ToolTipAt(s_, X, Y);
}

void PalvexChart::ComposeScreen(Surface& target) {
  palvex::ComposeScreen(s_, target);
}

}  // namespace palvex
