#include "core/chart_input.h"

#include <QKeySequence>
#include <string>

#include "platform/menu_item.h"

namespace palvex {

std::int16_t ButtonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

std::int16_t ButtonsOf(Qt::MouseButtons held) {
  return static_cast<std::int16_t>((held & Qt::LeftButton ? 1 : 0) |
                                   (held & Qt::RightButton ? 2 : 0) |
                                   (held & Qt::MiddleButton ? 4 : 0));
}

Qt::MouseButtons QtButtonsOf(std::int16_t button) {
  Qt::MouseButtons buttons;
  buttons.setFlag(Qt::LeftButton, button & 1);
  buttons.setFlag(Qt::RightButton, button & 2);
  buttons.setFlag(Qt::MiddleButton, button & 4);
  return buttons;
}

std::int16_t ShiftOf(Qt::KeyboardModifiers m) {
  return static_cast<std::int16_t>((m & Qt::ShiftModifier ? 1 : 0) |
                                   (m & Qt::ControlModifier ? 2 : 0) |
                                   (m & Qt::AltModifier ? 4 : 0));
}

Qt::KeyboardModifiers QtModifiersOf(std::int16_t shift) {
  Qt::KeyboardModifiers modifiers;
  modifiers.setFlag(Qt::ShiftModifier, shift & 1);
  modifiers.setFlag(Qt::ControlModifier, shift & 2);
  modifiers.setFlag(Qt::AltModifier, shift & 4);
  return modifiers;
}

std::optional<ChartKey> ChartKeyOf(const QKeyEvent& e, const MenuItem& legendItem) {
  if (e.matches(QKeySequence::Copy)) return ChartKey::Copy;
  const Qt::KeyboardModifiers modifiers = e.modifiers() & ~Qt::KeypadModifier;
  if (e.key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier) return ChartKey::MainMenu;
  if (QKeySequence(e.keyCombination()) == QKeySequence(QString::fromStdString(legendItem.Shortcut)))
    return ChartKey::ToggleLegend;
  if (modifiers != Qt::NoModifier) return std::nullopt;
  switch (e.key()) {
    case Qt::Key_Left:
      return ChartKey::PreviousBar;
    case Qt::Key_Right:
      return ChartKey::NextBar;
    case Qt::Key_Home:
      return ChartKey::FirstBar;
    case Qt::Key_End:
      return ChartKey::LastBar;
    case Qt::Key_Escape:
      return ChartKey::ClearSelection;
    case Qt::Key_Menu:
      return ChartKey::MainMenu;
    default:
      return std::nullopt;
  }
}

}  // namespace palvex
