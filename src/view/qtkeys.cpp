// Qt key events as virtual keys.
#include "view/qtkeys.h"

#include <QKeyEvent>
#include <string_view>

namespace quorel {

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers) {
  TShiftState shift = ssNone;
  if (modifiers.testFlag(Qt::ShiftModifier)) shift |= ssShift;
  if (modifiers.testFlag(Qt::AltModifier)) shift |= ssAlt;
  if (modifiers.testFlag(Qt::ControlModifier)) shift |= ssCtrl;
  return shift;
}

TKeyCode VirtualKeyOf(int qtKey) {
  // Letters and digits have the same codes in both.
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
    return static_cast<TKeyCode>(qtKey);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
    return static_cast<TKeyCode>(vkF1 + (qtKey - Qt::Key_F1));
  switch (qtKey) {
    case Qt::Key_Backspace:
      return vkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return vkTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return vkReturn;
    case Qt::Key_Escape:
      return vkEscape;
    case Qt::Key_Space:
      return vkSpace;
    case Qt::Key_PageUp:
      return vkPrior;
    case Qt::Key_PageDown:
      return vkNext;
    case Qt::Key_End:
      return vkEnd;
    case Qt::Key_Home:
      return vkHome;
    case Qt::Key_Left:
      return vkLeft;
    case Qt::Key_Up:
      return vkUp;
    case Qt::Key_Right:
      return vkRight;
    case Qt::Key_Down:
      return vkDown;
    case Qt::Key_Insert:
      return vkInsert;
    case Qt::Key_Delete:
      return vkDelete;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
      return vkOemOpenBracket;
    default:
      break;
  }
  // With Shift held the window system reports what a US keyboard's digit keys type then.
  constexpr std::string_view shiftedDigits = ")!@#$%^&*(";
  if (qtKey > 0 && qtKey < 128) {
    size_t digit = shiftedDigits.find(static_cast<char>(qtKey));
    if (digit != std::string_view::npos) return static_cast<TKeyCode>('0' + digit);
  }
  return 0;
}

TVirtualKeyPress VirtualKeyPressOf(const QKeyEvent& event) {
  TVirtualKeyPress press{VirtualKeyOf(event.key()), ShiftStateOf(event.modifiers())};
  if (event.key() == Qt::Key_Backtab) press.Shift |= ssShift;
#ifdef Q_OS_WIN
  // There the key's own code is at hand, whatever the keyboard layout makes it type.
  if (event.nativeVirtualKey() > 0 && event.nativeVirtualKey() < 256)
    press.Key = static_cast<TKeyCode>(event.nativeVirtualKey());
#endif
  return press;
}

}  // namespace quorel
