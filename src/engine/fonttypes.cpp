// Font sizes in points and pixels.
#include "engine/fonttypes.h"

#include <cmath>

namespace quorel {

int TFont::Size() const {
  return static_cast<int>(std::lround(-Height * 72.0 / ScreenPixelsPerInch));
}

void TFont::SetSize(int points) {
  Height = -static_cast<int>(std::lround(points * static_cast<double>(ScreenPixelsPerInch) / 72.0));
}

}  // namespace quorel
