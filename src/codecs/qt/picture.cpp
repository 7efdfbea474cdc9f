// Pictures to draw: the measured size decides what is decoded, and the decoded picture must have
// that size.
#include "codecs/qt/picture.h"

#include <QFile>
#include <QImageReader>
#include <fstream>
#include <optional>
#include <string>

#include "codecs/jpegdecode.h"

namespace quorel {

namespace {

// RGB32 rather than 3 bytes a pixel: the format Qt draws fastest.
QImage ToImage(const TRgbPicture& picture) {
  QImage image(picture.Width, picture.Height, QImage::Format_RGB32);
  if (image.isNull()) return image;  // out of memory
  const uint8_t* rgb = picture.Rgb.data();
  for (int y = 0; y < picture.Height; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < picture.Width; ++x, rgb += 3) line[x] = qRgb(rgb[0], rgb[1], rgb[2]);
  }
  return image;
}

// The file is read whole: libjpeg decodes from memory.
QImage LoadJpeg(const std::string& path, QSize measured) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  const std::streamoff length = in ? static_cast<std::streamoff>(in.tellg()) : -1;
  if (length < 0) return {};
  if (length > kMaxJpegFileBytes) return EmptyFrame(measured.width(), measured.height());
  std::string bytes(static_cast<size_t>(length), '\0');
  in.seekg(0);
  if (!in.read(bytes.data(), length)) return {};
  std::optional<TRgbPicture> picture = DecodeJpeg(bytes);
  if (!picture || QSize(picture->Width, picture->Height) != measured) return {};
  return ToImage(*picture);
}

const char* ReaderFormat(TPictureKind kind) {
  switch (kind) {
    case pkGif:
      return "gif";
    case pkPng:
      return "png";
    case pkBmp:
      return "bmp";
    case pkIco:
      return "ico";
    case pkWebp:
      return "webp";
    default:
      return nullptr;
  }
}

// Qt's reader for the kind, which must agree with the measured size before it decodes anything:
// the pixels it allocates are then those the measure allowed.
QImage ReadWithQt(const std::string& path, TPictureKind kind, QSize measured) {
  QImageReader reader(QFile::decodeName(path.c_str()), ReaderFormat(kind));
  if (kind == pkIco) {
    // An icon holds several pictures; the measure is that of the largest.
    for (int i = 1; reader.size() != measured && i < reader.imageCount(); ++i)
      reader.jumpToImage(i);
  }
  if (reader.size().isValid() && reader.size() != measured) return {};
  QImage image;
  if (!reader.read(&image) || image.size() != measured) return {};
  return image;
}

}  // namespace

QImage EmptyFrame(int width, int height) {
  QImage frame(width, height, QImage::Format_Mono);
  if (frame.isNull()) return frame;
  frame.setColorTable({qRgb(255, 255, 255), qRgb(128, 128, 128)});
  frame.fill(0);
  for (int x = 0; x < width; ++x) {
    frame.setPixel(x, 0, 1);
    frame.setPixel(x, height - 1, 1);
  }
  for (int y = 0; y < height; ++y) {
    frame.setPixel(0, y, 1);
    frame.setPixel(width - 1, y, 1);
  }
  return frame;
}

QImage LoadPicture(const std::string& path, TPictureSize* size) {
  std::optional<TPictureSize> measured = MeasurePictureFile(path);
  if (size) *size = measured.value_or(TPictureSize{});
  if (!measured) return {};
  const QSize wanted(measured->Width, measured->Height);
  const TPictureKind kind = measured->Kind;
  const bool drawable = kind != pkEmf && kind != pkWmf &&
                        (kind != pkWebp || QImageReader::supportedImageFormats().contains("webp"));
  if (!drawable || int64_t{measured->Width} * measured->Height > kMaxDecodedPixels)
    return EmptyFrame(wanted.width(), wanted.height());
  if (kind == pkJpeg) return LoadJpeg(path, wanted);
  return ReadWithQt(path, kind, wanted);
}

}  // namespace quorel
