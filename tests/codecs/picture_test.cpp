// Loading pictures to draw: every kind at its measured size and with its colours, the empty frame
// for metafiles and pictures too large to decode, and no picture for files that are damaged.
#include "codecs/qt/picture.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <chrono>
#include <cstdlib>
#include <string>

#include "codecs/jpegmaker.h"
#include "support/tempdir.h"

namespace quorel {
namespace {

using test::EncodeJpeg;
using test::NoiseSamples;

const std::string kSeeds = std::string(QUOREL_TEST_DATA_DIR) + "/pictures/";

::testing::AssertionResult Near(QRgb got, QRgb want, int tolerance) {
  if (std::abs(qRed(got) - qRed(want)) <= tolerance &&
      std::abs(qGreen(got) - qGreen(want)) <= tolerance &&
      std::abs(qBlue(got) - qBlue(want)) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << std::hex << "got " << got << ", want " << want;
}

// The frame: every border pixel grey, every pixel inside white.
::testing::AssertionResult IsEmptyFrame(const QImage& image, QSize size) {
  if (image.size() != size)
    return ::testing::AssertionFailure() << image.width() << " by " << image.height();
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x) {
      bool border = x == 0 || y == 0 || x == size.width() - 1 || y == size.height() - 1;
      if (image.pixel(x, y) != (border ? qRgb(128, 128, 128) : qRgb(255, 255, 255)))
        return ::testing::AssertionFailure() << "pixel " << x << "," << y;
    }
  return ::testing::AssertionSuccess();
}

std::string PngBytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

TEST(Picture, TheSeedsAreDrawnAtTheirSizeInTheirColour) {
  // Each seed is of one colour all over; the JPEG's is also what Qt's own JPEG reader sees.
  const QRgb qtJpeg = QImage(QString::fromStdString(kSeeds + "seed.jpg")).pixel(0, 0);
  const bool webp = QImageReader::supportedImageFormats().contains("webp");
  struct TCase {
    const char* Name;
    QSize Size;
    QRgb Colour;
  };
  const TCase cases[] = {
      {"seed.jpg", {7, 5}, qRgb(254, 0, 0)},       {"seed.gif", {7, 5}, qRgb(0, 0, 255)},
      {"seed.png", {7, 5}, qRgb(0, 128, 0)},       {"seed.bmp", {7, 5}, qRgb(126, 126, 126)},
      {"seed.ico", {16, 16}, qRgb(255, 255, 255)}, {"seed.webp", {7, 5}, qRgb(255, 0, 2)},
  };
  for (const TCase& c : cases) {
    TPictureSize size;
    QImage image = LoadPicture(kSeeds + c.Name, &size);
    ASSERT_FALSE(image.isNull()) << c.Name;
    EXPECT_EQ(QSize(size.Width, size.Height), c.Size) << c.Name;
    EXPECT_EQ(image.size(), c.Size) << c.Name;
    if (std::string(c.Name) == "seed.webp" && !webp) {
      EXPECT_TRUE(IsEmptyFrame(image, c.Size)) << "without Qt's WebP reader";
      continue;
    }
    EXPECT_TRUE(Near(image.pixel(c.Size.width() / 2, c.Size.height() / 2), c.Colour, 4)) << c.Name;
  }
  QImage jpeg = LoadPicture(kSeeds + "seed.jpg");
  EXPECT_TRUE(Near(jpeg.pixel(0, 0), qtJpeg, 2));
}

TEST(Picture, MetafilesGiveAnEmptyFrameOfTheirSize) {
  TPictureSize size;
  EXPECT_TRUE(IsEmptyFrame(LoadPicture(kSeeds + "seed.emf", &size), {100, 50}));
  EXPECT_EQ(size, (TPictureSize{100, 50, pkEmf}));
  EXPECT_TRUE(IsEmptyFrame(LoadPicture(kSeeds + "seed.wmf"), {96, 48}));
}

TEST(Picture, JpegsOfEveryColourSpaceLookAsQtsOwnReaderDrawsThem) {
  test::TTempDir dir;
  const std::pair<const char*, std::string> cases[] = {
      {"ycbcr.jpg", EncodeJpeg(48, 32, JCS_RGB, NoiseSamples(48, 32, 3))},
      {"grey.jpg", EncodeJpeg(48, 32, JCS_GRAYSCALE, NoiseSamples(48, 32, 1))},
      {"cmyk.jpg", EncodeJpeg(48, 32, JCS_CMYK, NoiseSamples(48, 32, 4))},
      {"progressive.jpg",
       EncodeJpeg(48, 32, JCS_RGB, NoiseSamples(48, 32, 3), test::Progressive())},
  };
  for (const auto& [name, bytes] : cases) {
    test::WriteBytes(dir.File(name), bytes);
    QImage ours = LoadPicture(dir.File(name));
    QImage qts(QString::fromStdString(dir.File(name)));
    ASSERT_EQ(ours.size(), QSize(48, 32)) << name;
    ASSERT_EQ(qts.size(), QSize(48, 32)) << name;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 48; ++x)
        ASSERT_TRUE(Near(ours.pixel(x, y), qts.pixel(x, y), 2)) << name << " at " << x << "," << y;
  }
}

TEST(Picture, PicturesTooLargeToDecodeGiveAnEmptyFrame) {
  // 100 and 81 million pixels, over the decoding limit, in files of a few hundred bytes.
  test::TTempDir dir;
  const std::string jpeg = EncodeJpeg(16, 16, JCS_RGB, NoiseSamples(16, 16, 3));
  test::WriteBytes(dir.File("huge.jpg"), test::WithFrameSize(jpeg, 10000, 10000));
  std::string png = PngBytes(QImage(16, 16, QImage::Format_RGB32));
  for (int i : {16, 20}) {  // the header's width and height, 9,000 each
    png[i + 2] = static_cast<char>(9000 >> 8);
    png[i + 3] = static_cast<char>(9000 & 0xFF);
  }
  test::WriteBytes(dir.File("huge.png"), png);
  const std::pair<const char*, QSize> cases[] = {{"huge.jpg", {10000, 10000}},
                                                 {"huge.png", {9000, 9000}}};
  for (const auto& [name, size] : cases) {
    auto start = std::chrono::steady_clock::now();
    QImage image = LoadPicture(dir.File(name));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << name;
    ASSERT_EQ(image.size(), size) << name;
    const int w = size.width(), h = size.height();
    for (QPoint p : {QPoint(0, 0), QPoint(w - 1, h / 2), QPoint(w / 2, h - 1)})
      EXPECT_EQ(image.pixel(p), qRgb(128, 128, 128)) << name;
    EXPECT_EQ(image.pixel(1, 1), qRgb(255, 255, 255)) << name;
    EXPECT_EQ(image.pixel(w / 2, h / 2), qRgb(255, 255, 255)) << name;
  }
}

TEST(Picture, AnIconIsDrawnFromItsLargestPicture) {
  // Two pictures held as PNG, the small one first.
  QImage small(16, 16, QImage::Format_ARGB32), large(32, 32, QImage::Format_ARGB32);
  small.fill(qRgb(255, 0, 0));
  large.fill(qRgb(0, 0, 255));
  const std::string pngs[] = {PngBytes(small), PngBytes(large)};
  auto le16 = [](int v) { return std::string{char(v & 0xFF), char(v >> 8)}; };
  auto le32 = [&](int v) { return le16(v & 0xFFFF) + le16(v >> 16); };
  std::string icon = std::string("\0\0\1\0", 4) + le16(2);
  int offset = 6 + 2 * 16;
  for (int i = 0; i < 2; ++i) {
    int side = i == 0 ? 16 : 32;
    icon += std::string{char(side), char(side), 0, 0} + le16(1) + le16(32) +
            le32(static_cast<int>(pngs[i].size())) + le32(offset);
    offset += static_cast<int>(pngs[i].size());
  }
  icon += pngs[0] + pngs[1];
  test::TTempDir dir;
  test::WriteBytes(dir.File("two.ico"), icon);
  QImage image = LoadPicture(dir.File("two.ico"));
  ASSERT_EQ(image.size(), QSize(32, 32));
  EXPECT_EQ(image.pixel(10, 10), qRgb(0, 0, 255));
}

TEST(Picture, DamagedFilesGiveNoPicture) {
  test::TTempDir dir;
  std::string noise(3000, '\0');
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919) >> 3);
  std::string png = PngBytes(QImage(64, 64, QImage::Format_RGB32));
  size_t idat = png.find("IDAT");
  ASSERT_NE(idat, std::string::npos);
  for (size_t i = idat + 8; i < idat + 24; ++i) png[i] = static_cast<char>(~png[i]);
  const std::string jpeg = test::WithDamagedSecondScan(
      EncodeJpeg(16, 16, JCS_RGB, NoiseSamples(16, 16, 3), test::Progressive()));
  struct TCase {
    const char* Name;
    std::string Bytes;
    bool Measured;
  };
  const TCase cases[] = {
      {"noise.png", noise, false},
      {"empty.jpg", "", false},
      {"damaged.png", png, true},
      {"damaged.jpg", jpeg, true},
  };
  for (const TCase& c : cases) {
    test::WriteBytes(dir.File(c.Name), c.Bytes);
    TPictureSize size;
    EXPECT_TRUE(LoadPicture(dir.File(c.Name), &size).isNull()) << c.Name;
    EXPECT_EQ(size.Width > 0, c.Measured) << c.Name;
  }
  EXPECT_TRUE(LoadPicture(dir.File("missing.gif")).isNull());
}

}  // namespace
}  // namespace quorel
