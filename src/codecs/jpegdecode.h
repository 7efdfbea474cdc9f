// Decoding a JPEG to RGB pixels through libjpeg, for drawing the picture. Grayscale, YCbCr, RGB,
// CMYK and YCCK pictures all come out as RGB. Damaged data gives no picture, never a crash; a
// picture cut off after its header comes out with the missing part grey, as browsers show it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace quorel {

struct TRgbPicture {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Rgb;  // 3 bytes a pixel, red first; the top row first, rows unpadded
};

// 64 million pixels: 192 MB of RGB, beyond the largest photograph a camera takes (about 50
// million), and a bound that keeps a file of a few bytes claiming 65,000 by 65,000 pixels (12 GB)
// from being allocated.
inline constexpr int64_t kMaxDecodedPixels = int64_t{1} << 26;

// The pixels of the JPEG in `bytes`; nothing when its header is damaged, its data cannot be
// decoded, its colours are of no kind that converts to RGB, or it has more than `maxPixels`
// pixels (refused from the header, before the pixels are allocated).
std::optional<TRgbPicture> DecodeJpeg(std::string_view bytes,
                                      int64_t maxPixels = kMaxDecodedPixels);

}  // namespace quorel
