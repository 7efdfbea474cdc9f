// Picture headers: each format's fields, checked against the bytes there are and against sizes
// no real picture has.
#include "codecs/picturesize.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "codecs/jpegheader.h"

namespace quorel {

namespace {

uint32_t Byte(std::string_view b, size_t i) { return static_cast<unsigned char>(b[i]); }
uint32_t Le16(std::string_view b, size_t i) { return Byte(b, i) | Byte(b, i + 1) << 8; }
uint32_t Le24(std::string_view b, size_t i) { return Le16(b, i) | Byte(b, i + 2) << 16; }
uint32_t Le32(std::string_view b, size_t i) { return Le16(b, i) | Le16(b, i + 2) << 16; }
uint32_t Be32(std::string_view b, size_t i) {
  return Byte(b, i) << 24 | Byte(b, i + 1) << 16 | Byte(b, i + 2) << 8 | Byte(b, i + 3);
}
int32_t SignedLe32(std::string_view b, size_t i) { return static_cast<int32_t>(Le32(b, i)); }
int16_t SignedLe16(std::string_view b, size_t i) { return static_cast<int16_t>(Le16(b, i)); }

bool StartsWith(std::string_view b, std::string_view prefix) {
  return b.substr(0, prefix.size()) == prefix;
}

// A size a real picture can have.
std::optional<TPictureSize> Checked(int64_t width, int64_t height, TPictureKind kind) {
  if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide ||
      width * height > kMaxPicturePixels)
    return std::nullopt;
  return TPictureSize{static_cast<int>(width), static_cast<int>(height), kind};
}

std::optional<TPictureSize> Gif(std::string_view b) {
  if (b.size() < 10) return std::nullopt;
  return Checked(Le16(b, 6), Le16(b, 8), pkGif);
}

std::optional<TPictureSize> Png(std::string_view b) {
  if (b.size() < 24 || b.substr(12, 4) != "IHDR") return std::nullopt;
  return Checked(Be32(b, 16), Be32(b, 20), pkPng);
}

std::optional<TPictureSize> Bmp(std::string_view b) {
  if (b.size() < 26) return std::nullopt;
  uint32_t header = Le32(b, 14);
  if (header == 12) return Checked(Le16(b, 18), Le16(b, 20), pkBmp);  // the old OS/2 header
  if (header < 40) return std::nullopt;
  // A negative height is a picture stored top row first.
  return Checked(SignedLe32(b, 18), std::llabs(int64_t{SignedLe32(b, 22)}), pkBmp);
}

std::optional<TPictureSize> Ico(std::string_view b) {
  if (b.size() < 22) return std::nullopt;
  size_t count = Le16(b, 4);
  if (count == 0) return std::nullopt;
  // The largest of the pictures the directory lists (0 stands for 256).
  int64_t width = 0, height = 0;
  for (size_t i = 0; i < count && 6 + 16 * (i + 1) <= b.size(); ++i) {
    int64_t w = Byte(b, 6 + 16 * i), h = Byte(b, 7 + 16 * i);
    if (w == 0) w = 256;
    if (h == 0) h = 256;
    if (w * h > width * height) {
      width = w;
      height = h;
    }
  }
  return Checked(width, height, pkIco);
}

std::optional<TPictureSize> Webp(std::string_view b) {
  if (b.size() < 30) return std::nullopt;
  std::string_view chunk = b.substr(12, 4);
  if (chunk == "VP8X") return Checked(Le24(b, 24) + 1, Le24(b, 27) + 1, pkWebp);
  if (chunk == "VP8L") {
    if (Byte(b, 20) != 0x2F) return std::nullopt;
    uint32_t bits = Le32(b, 21);
    return Checked((bits & 0x3FFF) + 1, ((bits >> 14) & 0x3FFF) + 1, pkWebp);
  }
  if (chunk == "VP8 ") {
    if (Byte(b, 23) != 0x9D || Byte(b, 24) != 0x01 || Byte(b, 25) != 0x2A) return std::nullopt;
    return Checked(Le16(b, 26) & 0x3FFF, Le16(b, 28) & 0x3FFF, pkWebp);
  }
  return std::nullopt;
}

std::optional<TPictureSize> Emf(std::string_view b) {
  if (b.size() < 44) return std::nullopt;
  // The header's bounds, inclusive, in device pixels.
  int64_t left = SignedLe32(b, 8), top = SignedLe32(b, 12);
  int64_t right = SignedLe32(b, 16), bottom = SignedLe32(b, 20);
  return Checked(right - left + 1, bottom - top + 1, pkEmf);
}

std::optional<TPictureSize> Wmf(std::string_view b) {
  if (b.size() < 22) return std::nullopt;
  // The placeable header: a bounding box in units of which `inch` make an inch; pixels at 96
  // per inch, as the screen shows them.
  int64_t left = SignedLe16(b, 6), top = SignedLe16(b, 8);
  int64_t right = SignedLe16(b, 10), bottom = SignedLe16(b, 12);
  int64_t inch = Le16(b, 14);
  if (inch == 0) return std::nullopt;
  return Checked(std::llabs(right - left) * 96 / inch, std::llabs(bottom - top) * 96 / inch, pkWmf);
}

}  // namespace

TPictureKind PictureKindOf(std::string_view head) {
  if (StartsWith(head, "\xFF\xD8\xFF")) return pkJpeg;
  if (StartsWith(head, "GIF87a") || StartsWith(head, "GIF89a")) return pkGif;
  if (StartsWith(head, "\x89PNG\r\n\x1A\n")) return pkPng;
  if (StartsWith(head, "BM")) return pkBmp;
  if (StartsWith(head, std::string_view("\0\0\1\0", 4))) return pkIco;
  if (StartsWith(head, "RIFF") && head.size() >= 12 && head.substr(8, 4) == "WEBP") return pkWebp;
  if (head.size() >= 44 && Le32(head, 0) == 1 && head.substr(40, 4) == " EMF") return pkEmf;
  if (head.size() >= 4 && Le32(head, 0) == 0x9AC6CDD7) return pkWmf;
  return pkUnknown;
}

std::optional<TPictureSize> MeasurePicture(std::string_view bytes) {
  switch (PictureKindOf(bytes)) {
    case pkJpeg: {
      auto size = JpegHeaderSize(bytes);
      if (!size) return std::nullopt;
      return Checked(size->first, size->second, pkJpeg);
    }
    case pkGif:
      return Gif(bytes);
    case pkPng:
      return Png(bytes);
    case pkBmp:
      return Bmp(bytes);
    case pkIco:
      return Ico(bytes);
    case pkWebp:
      return Webp(bytes);
    case pkEmf:
      return Emf(bytes);
    case pkWmf:
      return Wmf(bytes);
    case pkUnknown:
      break;
  }
  return std::nullopt;
}

std::optional<TPictureSize> MeasurePictureFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  // Most headers sit in the first bytes; a JPEG may carry large metadata before its frame
  // header, so it is given more, up to a limit.
  constexpr size_t kFirst = 64 * 1024, kMostForJpeg = 16 * 1024 * 1024;
  std::string bytes;
  for (size_t want = kFirst;; want *= 4) {
    size_t had = bytes.size();
    bytes.resize(want);
    in.read(bytes.data() + had, static_cast<std::streamsize>(want - had));
    bytes.resize(had + static_cast<size_t>(in.gcount()));
    auto size = MeasurePicture(bytes);
    bool more = in && PictureKindOf(bytes) == pkJpeg && want < kMostForJpeg;
    if (size || !more) return size;
  }
}

}  // namespace quorel
