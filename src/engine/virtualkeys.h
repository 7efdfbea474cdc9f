// Virtual-key codes and shift states: the keyboard as the key maps see it, whatever window system
// delivered the key.
#pragma once

#include <cstdint>

namespace quorel {

// A key on the keyboard, not the character it types. Letters and digits have the codes of their
// upper-case characters ('A' = 65, '0' = 48).
using TKeyCode = uint16_t;

enum : TKeyCode {
  vkBack = 8,
  vkTab = 9,
  vkReturn = 13,
  vkEscape = 27,
  vkSpace = 32,
  vkPrior = 33,  // Page Up
  vkNext = 34,   // Page Down
  vkEnd = 35,
  vkHome = 36,
  vkLeft = 37,
  vkUp = 38,
  vkRight = 39,
  vkDown = 40,
  vkInsert = 45,
  vkDelete = 46,
  vkF1 = 112,
  vkF3 = 114,
  vkF12 = 123,
  vkOemOpenBracket = 219,  // the "[" key of a US keyboard
};

// Held modifier keys, compared as a whole: Ctrl+Shift+K is not Ctrl+K.
using TShiftState = uint8_t;

enum : TShiftState {
  ssNone = 0,
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
};

}  // namespace quorel
