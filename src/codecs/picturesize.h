// Measuring pictures: the pixel width and height of a JPEG, GIF, PNG, BMP, ICO, WebP, EMF or WMF
// picture, read from its header alone (a JPEG through libjpeg's header reader, without decoding
// its pixels). Damaged, truncated or hostile headers give no size, never a crash or a large
// allocation.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorel {

enum TPictureKind { pkUnknown, pkJpeg, pkGif, pkPng, pkBmp, pkIco, pkWebp, pkEmf, pkWmf };

struct TPictureSize {
  int Width = 0;
  int Height = 0;
  TPictureKind Kind = pkUnknown;
  bool operator==(const TPictureSize&) const = default;
};

// A side longer than this, or more pixels than kMaxPicturePixels, is taken for a damaged header.
inline constexpr int kMaxPictureSide = 65500;
inline constexpr int64_t kMaxPicturePixels = int64_t{1} << 28;

// The kind the first bytes announce.
TPictureKind PictureKindOf(std::string_view head);
// The size from a picture's first bytes (the header must be among them).
std::optional<TPictureSize> MeasurePicture(std::string_view bytes);
// The size of the picture file at `path`: reads only as much of the file as the header needs.
std::optional<TPictureSize> MeasurePictureFile(const std::string& path);

}  // namespace quorel
