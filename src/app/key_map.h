// Qt keys onto the board's key codes (the classic virtual-key numbering that
// the board's key table speaks) and modifier states.
#pragma once

#include <Qt>

class QKeyEvent;

namespace tavimoro::app {

// The board key code of a key, 0 for a key the board does not know. Keypad
// digits and the keypad decimal point have codes of their own.
int BoardKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);
// Shift 1, Ctrl 2, Alt 4 added together; the keypad flag is not a modifier.
int BoardShiftState(Qt::KeyboardModifiers modifiers);

}  // namespace tavimoro::app
