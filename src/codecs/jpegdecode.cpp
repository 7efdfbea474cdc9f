// Decoding a JPEG with libjpeg. As with the header reader, libjpeg's errors would end the program
// by default: here they jump back out of the decoder. Its warnings are silenced; one of them is
// "premature end of data", after which libjpeg fills the rest of the picture with grey.
#include "codecs/jpegdecode.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <utility>

#include "codecs/jpegerrors.h"

namespace quorel {

namespace {

// A real progressive JPEG has about ten scans. Hundreds of them are a file made to keep the
// decoder going over the whole picture again and again.
constexpr int kMaxScans = 200;

// libjpeg's memory beside the RGB: a progressive picture keeps all its coefficients until the
// last scan, 2 bytes a sample, so up to 8 bytes a pixel for CMYK; and a little for its tables.
constexpr int64_t kMaxCoefficientBytesPerPixel = 8;
constexpr int64_t kMaxTableBytes = 16 * 1024 * 1024;

void OnProgress(j_common_ptr info) {
  if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans)
    JumpOnJpegError(info);
}

// Everything the decoder writes to lives here, in DecodeJpeg's frame: an error jumps back into
// Decode, and a jump must pass over no C++ object that needs destroying.
struct TDecoder {
  jpeg_decompress_struct Info{};
  TJpegErrors Errors{};
  jpeg_progress_mgr Progress{};
  TRgbPicture Picture;
};

// Adobe's programs write CMYK inverted (0 is full ink), and most CMYK JPEGs come from them and
// carry their marker; without the marker the values are taken as ink.
void CmykRowToRgb(const uint8_t* cmyk, int width, bool inverted, uint8_t* rgb) {
  for (int x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
    int white = inverted ? cmyk[3] : 255 - cmyk[3];
    for (int i = 0; i < 3; ++i) {
      int light = inverted ? cmyk[i] : 255 - cmyk[i];
      rgb[i] = static_cast<uint8_t>((light * white + 127) / 255);
    }
  }
}

bool Decode(TDecoder& d, std::string_view bytes, int64_t maxPixels) {
  if (setjmp(d.Errors.Back)) return false;
  jpeg_decompress_struct& info = d.Info;
  jpeg_create_decompress(&info);
  info.progress = &d.Progress;
  const int64_t mostPixels = std::min(maxPixels, int64_t{JPEG_MAX_DIMENSION} * JPEG_MAX_DIMENSION);
  info.mem->max_memory_to_use =
      static_cast<long>(mostPixels * kMaxCoefficientBytesPerPixel + kMaxTableBytes);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  if (int64_t{info.image_width} * info.image_height > maxPixels) return false;

  // libjpeg turns grayscale, YCbCr and RGB into RGB itself, and YCCK into CMYK.
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&info);
  const int width = static_cast<int>(info.output_width);
  d.Picture.Width = width;
  d.Picture.Height = static_cast<int>(info.output_height);
  d.Picture.Rgb.resize(size_t{info.output_width} * info.output_height * 3);
  JSAMPARRAY cmykRow = nullptr;
  if (cmyk)
    cmykRow = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                        info.output_width * 4, 1);
  while (info.output_scanline < info.output_height) {
    uint8_t* rgb = d.Picture.Rgb.data() + size_t{info.output_scanline} * width * 3;
    JSAMPROW row = cmyk ? cmykRow[0] : rgb;
    // Reading from memory never suspends: at the end of the bytes libjpeg makes up the rest.
    if (jpeg_read_scanlines(&info, &row, 1) != 1) return false;
    if (cmyk) CmykRowToRgb(row, width, info.saw_Adobe_marker, rgb);
  }
  // jpeg_finish_decompress is not called: it would only read what follows the pixels, and
  // refuse a picture for damage there that browsers ignore.
  return true;
}

}  // namespace

std::optional<TRgbPicture> DecodeJpeg(std::string_view bytes, int64_t maxPixels) {
  if (bytes.size() < 4 || maxPixels < 1) return std::nullopt;
  TDecoder d;
  UseJumpingErrors(d.Info, d.Errors);
  d.Progress.progress_monitor = OnProgress;
  bool decoded = Decode(d, bytes, maxPixels);
  jpeg_destroy_decompress(&d.Info);
  if (!decoded) return std::nullopt;
  return std::move(d.Picture);
}

}  // namespace quorel
