#include "app/key_map.h"

#include "board/board.h"

namespace tavimoro::app {

int BoardKeyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
    return (keypad ? keys::Num0 : keys::Digit0) + (qtKey - Qt::Key_0);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return keys::Letter('A') + (qtKey - Qt::Key_A);
  switch (qtKey) {
    case Qt::Key_Left:
      return keys::Left;
    case Qt::Key_Right:
      return keys::Right;
    case Qt::Key_Up:
      return keys::Up;
    case Qt::Key_Down:
      return keys::Down;
    case Qt::Key_Space:
      return keys::Space;
    case Qt::Key_Delete:
      return keys::Delete;
    case Qt::Key_Backspace:
      return keys::Backspace;
    case Qt::Key_Home:
      return keys::Home;
    case Qt::Key_End:
      return keys::End;
    case Qt::Key_F1:
      return keys::F1;
    case Qt::Key_F10:
      return keys::F10;
    case Qt::Key_Menu:
      return keys::Menu;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return keys::Enter;
    // Some keyboard layouts give the keypad's decimal key as a comma.
    case Qt::Key_Comma:
      return keypad ? keys::Decimal : 0;
    case Qt::Key_Period:
      return keypad ? keys::Decimal : keys::Period;
    default:
      return 0;
  }
}

int BoardShiftState(Qt::KeyboardModifiers modifiers) {
  int state = 0;
  if (modifiers.testFlag(Qt::ShiftModifier)) state += modifiers::Shift;
  if (modifiers.testFlag(Qt::ControlModifier)) state += modifiers::Ctrl;
  if (modifiers.testFlag(Qt::AltModifier)) state += modifiers::Alt;
  return state;
}

}  // namespace tavimoro::app
