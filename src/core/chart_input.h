#pragma once

#include <QKeyEvent>
#include <Qt>
#include <cstdint>
#include <optional>

#include "ui/keyboard.h"

namespace palvex {

struct MenuItem;

// Qt's input as the control takes it, for every Qt face (the widget, the
// Qt Quick item): a button as 1 left, 2 right, 4 middle (0 for others),
// the shift state as 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t ButtonOf(Qt::MouseButton button);
std::int16_t ButtonsOf(Qt::MouseButtons held);
std::int16_t ShiftOf(Qt::KeyboardModifiers modifiers);
Qt::MouseButtons QtButtonsOf(std::int16_t button);
Qt::KeyboardModifiers QtModifiersOf(std::int16_t shift);

// The chart's key for a key press; nothing for those it leaves to the
// parent. The legend's menu item carries the legend's shortcut.
std::optional<ChartKey> ChartKeyOf(const QKeyEvent& e, const MenuItem& legendItem);

}  // namespace palvex
