// Loading a picture file to draw it (the image map creator shows the picture its areas lie on).
//
// The file is measured from its header first, and the picture drawn has that size:
//   - a JPEG is decoded by DecodeJpeg (a JPEG cut off after its header comes out grey where its
//     data is missing, as browsers show it);
//   - a GIF (its first frame), BMP, ICO (its largest picture), PNG or WebP is read by Qt's image
//     readers;
//   - an EMF or WMF, which Qt cannot draw, a WebP when Qt's WebP reader is not installed, and a
//     picture of more than kMaxDecodedPixels pixels (or a JPEG file over kMaxJpegFileBytes) give
//     the empty frame, so that there is still an area of the picture's size to work on;
//   - a file that cannot be measured, or whose pixels are damaged or of another size than its
//     header says, gives a null image.
#pragma once

#include <QImage>
#include <cstdint>
#include <string>

#include "codecs/picturesize.h"

namespace quorel {

// A JPEG file is read whole to be decoded; one larger than this is no picture a browser shows.
inline constexpr int64_t kMaxJpegFileBytes = int64_t{256} * 1024 * 1024;

// The picture at `path` to draw, as above. `size`, when given, receives the measured size (a
// Width of 0 when the file could not be measured).
QImage LoadPicture(const std::string& path, TPictureSize* size = nullptr);

// The stand-in for a picture that cannot be drawn: white with a 1-pixel grey border. It has 1
// bit a pixel (Format_Mono), so that even the largest picture measured takes 32 MB; draw it,
// or convert it before painting into it.
QImage EmptyFrame(int width, int height);

}  // namespace quorel
