// Reading a JPEG header with libjpeg. Its errors would end the program by default: here they
// jump back out of the reader, and its warnings are silenced.
#include "codecs/jpegheader.h"

#include <csetjmp>

#include "codecs/jpegerrors.h"

namespace quorel {

std::optional<std::pair<int, int>> JpegHeaderSize(std::string_view bytes) {
  if (bytes.size() < 4) return std::nullopt;
  jpeg_decompress_struct info{};
  TJpegErrors errors{};
  UseJumpingErrors(info, errors);
  // Nothing with a destructor lives between here and the jump.
  if (setjmp(errors.Back)) {
    jpeg_destroy_decompress(&info);
    return std::nullopt;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  // A header that runs past the given bytes ends in libjpeg's own "end of file" marker, which
  // jpeg_read_header then reports as an error or as no image.
  int result = jpeg_read_header(&info, TRUE);
  std::optional<std::pair<int, int>> size;
  if (result == JPEG_HEADER_OK)
    size = std::pair<int, int>(static_cast<int>(info.image_width),
                               static_cast<int>(info.image_height));
  jpeg_destroy_decompress(&info);
  return size;
}

}  // namespace quorel
