// Font sizes in points and pixels, and the RGB values of system colours.
#include "engine/fonttypes.h"

#include <cmath>

namespace quorel {

int TFont::Size() const {
  return static_cast<int>(std::lround(-Height * 72.0 / ScreenPixelsPerInch));
}

void TFont::SetSize(int points) {
  Height = -static_cast<int>(std::lround(points * static_cast<double>(ScreenPixelsPerInch) / 72.0));
}

TColor ColorToRgb(TColor color) {
  if (!(color & clSystemColor)) return color & 0xFFFFFF;
  switch (color & 0xFF) {
    case 5:
      return 0xFFFFFF;  // window
    case 8:
      return 0x000000;  // window text
    case 13:
      return 0x800000;  // highlight (navy)
    case 14:
      return 0xFFFFFF;  // highlight text
    case 15:
      return 0xF0F0F0;  // button face
    case 16:
      return 0xA0A0A0;  // button shadow
    case 17:
      return 0x808080;  // gray text
    default:
      return 0xC0C0C0;
  }
}

}  // namespace quorel
