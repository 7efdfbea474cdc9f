// The one place where Qt's key events become the virtual-key codes and shift states that key
// maps bind.
#pragma once

#include <Qt>

#include "engine/virtualkeys.h"

class QKeyEvent;

namespace quorel {

struct TVirtualKeyPress {
  TKeyCode Key = 0;  // 0: a key no map can bind
  TShiftState Shift = ssNone;
};

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers);
// The virtual key of a Qt key code; 0 for keys without one.
TKeyCode VirtualKeyOf(int qtKey);
TVirtualKeyPress VirtualKeyPressOf(const QKeyEvent& event);

}  // namespace quorel
