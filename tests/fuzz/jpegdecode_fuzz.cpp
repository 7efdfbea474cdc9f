// Fuzzes decoding JPEGs: any bytes must give no picture or one of the size its header reads,
// within the pixel limit, never a crash, a hang or a large allocation. The limit is kept small
// so that a claimed large picture, filled with grey, does not slow the runs down.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "codecs/jpegdecode.h"
#include "codecs/jpegheader.h"

namespace {
constexpr int64_t kFuzzPixels = int64_t{1} << 20;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (auto picture = quorel::DecodeJpeg(bytes, kFuzzPixels)) {
    const int64_t pixels = int64_t{picture->Width} * picture->Height;
    if (picture->Width < 1 || picture->Height < 1 || pixels > kFuzzPixels ||
        picture->Rgb.size() != static_cast<size_t>(pixels) * 3)
      __builtin_trap();
    // LoadPicture relies on the decoded picture having the measured size.
    auto header = quorel::JpegHeaderSize(bytes);
    if (!header || header->first != picture->Width || header->second != picture->Height)
      __builtin_trap();
  }
  return 0;
}
