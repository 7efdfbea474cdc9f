// Fuzzes measuring pictures: any bytes must give a size within the limits or none, never a
// crash, a hang or a large allocation (libjpeg's header reader included).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "codecs/picturesize.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (auto measured = quorel::MeasurePicture(bytes)) {
    if (measured->Width < 1 || measured->Height < 1 ||
        int64_t{measured->Width} * measured->Height > quorel::kMaxPicturePixels)
      __builtin_trap();
  }
  return 0;
}
