// Measuring pictures from their headers: every kind with its size, and damaged, cut-off and
// hostile headers giving no size.
#include "codecs/picturesize.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "codecs/jpegmaker.h"
#include "support/tempdir.h"

namespace quorel {
namespace {

std::string Le16(int v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}
std::string Le32(int64_t v) {
  return Le16(static_cast<int>(v & 0xFFFF)) + Le16(static_cast<int>((v >> 16) & 0xFFFF));
}
std::string Be32(uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

// A real JPEG of the given size, grey, made with libjpeg.
std::string MakeJpeg(int width, int height) {
  return test::EncodeJpeg(width, height, JCS_GRAYSCALE,
                          std::vector<uint8_t>(static_cast<size_t>(width) * height, 128));
}

// The frame header's size fields changed, the rest left as it is: libjpeg reads the header
// without the pixels, which no longer match.
std::string WithFrameSize(std::string jpeg, int width, int height) {
  size_t sof = jpeg.find("\xFF\xC0");
  jpeg[sof + 5] = static_cast<char>(height >> 8);
  jpeg[sof + 6] = static_cast<char>(height & 0xFF);
  jpeg[sof + 7] = static_cast<char>(width >> 8);
  jpeg[sof + 8] = static_cast<char>(width & 0xFF);
  return jpeg;
}

std::string Gif(int w, int h) { return "GIF89a" + Le16(w) + Le16(h) + std::string(10, '\0'); }
std::string Png(uint32_t w, uint32_t h) {
  return "\x89PNG\r\n\x1A\n" + Be32(13) + "IHDR" + Be32(w) + Be32(h) + std::string(5, '\0');
}
std::string Bmp(int w, int h) {
  return "BM" + Le32(0) + Le32(0) + Le32(54) + Le32(40) + Le32(w) + Le32(h) + std::string(28, '\0');
}
std::string Ico(std::vector<std::pair<int, int>> entries) {
  std::string b = std::string("\0\0\1\0", 4) + Le16(static_cast<int>(entries.size()));
  for (auto [w, h] : entries)
    b += std::string{static_cast<char>(w), static_cast<char>(h)} + std::string(14, '\0');
  return b;
}
std::string Emf(int left, int top, int right, int bottom) {
  return Le32(1) + Le32(108) + Le32(left) + Le32(top) + Le32(right) + Le32(bottom) +
         std::string(16, '\0') + " EMF" + std::string(64, '\0');
}
std::string Wmf(int left, int top, int right, int bottom, int inch) {
  return Le32(0x9AC6CDD7) + Le16(0) + Le16(left) + Le16(top) + Le16(right) + Le16(bottom) +
         Le16(inch) + std::string(8, '\0');
}
std::string WebpVp8x(int w, int h) {
  auto le24 = [](int v) { return Le16(v & 0xFFFF) + std::string(1, static_cast<char>(v >> 16)); };
  return "RIFF" + Le32(0) + "WEBP" + "VP8X" + Le32(10) + Le32(0) + le24(w - 1) + le24(h - 1);
}
std::string WebpVp8l(int w, int h) {
  uint32_t bits = static_cast<uint32_t>(w - 1) | static_cast<uint32_t>(h - 1) << 14;
  return "RIFF" + Le32(0) + "WEBP" + "VP8L" + Le32(5) + "\x2F" + Le32(bits) + std::string(8, '\0');
}

TEST(PictureSize, EveryKindWithItsSize) {
  struct TCase {
    std::string Name, Bytes;
    TPictureSize Size;
  };
  const TCase cases[] = {
      {"jpeg", MakeJpeg(37, 21), {37, 21, pkJpeg}},
      {"gif", Gif(320, 200), {320, 200, pkGif}},
      {"png", Png(1024, 768), {1024, 768, pkPng}},
      {"bmp", Bmp(64, 48), {64, 48, pkBmp}},
      {"bmp top-down", Bmp(64, -48), {64, 48, pkBmp}},
      {"ico", Ico({{16, 16}, {0, 0}, {32, 32}}), {256, 256, pkIco}},  // the largest; 0 is 256
      {"webp extended", WebpVp8x(800, 600), {800, 600, pkWebp}},
      {"webp lossless", WebpVp8l(300, 150), {300, 150, pkWebp}},
      {"emf", Emf(0, 0, 199, 99), {200, 100, pkEmf}},
      {"wmf", Wmf(0, 0, 1440, 720, 1440), {96, 48, pkWmf}},  // an inch by half an inch
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(PictureKindOf(c.Bytes), c.Size.Kind) << c.Name;
    auto size = MeasurePicture(c.Bytes);
    ASSERT_TRUE(size) << c.Name;
    EXPECT_EQ(*size, c.Size) << c.Name;
  }
}

// Pictures written by a common image tool (the fuzzing seeds), not by the headers above.
TEST(PictureSize, PicturesMadeByAnotherProgram) {
  const std::string dir = std::string(QUOREL_TEST_DATA_DIR) + "/pictures/";
  const std::pair<const char*, TPictureSize> cases[] = {
      {"seed.jpg", {7, 5, pkJpeg}},   {"seed.gif", {7, 5, pkGif}},   {"seed.png", {7, 5, pkPng}},
      {"seed.bmp", {7, 5, pkBmp}},    {"seed.webp", {7, 5, pkWebp}}, {"seed.ico", {16, 16, pkIco}},
      {"seed.emf", {100, 50, pkEmf}}, {"seed.wmf", {96, 48, pkWmf}},
  };
  for (const auto& [name, size] : cases) {
    auto measured = MeasurePictureFile(dir + name);
    ASSERT_TRUE(measured) << name;
    EXPECT_EQ(*measured, size) << name;
  }
}

TEST(PictureSize, DamagedCutOffAndHostileHeadersGiveNoSize) {
  const std::string jpeg = MakeJpeg(40, 30);
  const std::pair<const char*, std::string> cases[] = {
      {"empty", ""},
      {"text", "<html>"},
      {"jpeg cut before its frame", jpeg.substr(0, jpeg.find("\xFF\xC0") + 4)},
      {"jpeg of only its start", "\xFF\xD8\xFF"},
      {"jpeg claiming 65535 rows", WithFrameSize(jpeg, 40, 65535)},
      {"jpeg of no width", WithFrameSize(jpeg, 0, 30)},
      {"gif claiming 65535 by 65535", Gif(65535, 65535)},
      {"gif of no width", Gif(0, 10)},
      {"gif cut short", Gif(10, 10).substr(0, 8)},
      {"png without IHDR", "\x89PNG\r\n\x1A\n" + Be32(13) + "IDAT" + Be32(5) + Be32(5)},
      {"png of 4 billion", Png(0xFFFFFFFF, 1)},
      {"bmp with an unknown header",
       "BM" + Le32(0) + Le32(0) + Le32(54) + Le32(20) + Le32(5) + Le32(5) + std::string(20, '\0')},
      {"ico without pictures", Ico({})},
      {"webp of another chunk", "RIFF" + Le32(0) + "WEBP" + "ALPH" + std::string(20, '\0')},
      {"emf upside down", Emf(100, 100, 0, 0)},
      {"emf of 2^31 columns", Emf(-2147483647, 0, 2147483647, 10)},
      {"wmf of no unit", Wmf(0, 0, 100, 100, 0)},
  };
  for (const auto& [name, bytes] : cases) EXPECT_FALSE(MeasurePicture(bytes)) << name;
}

TEST(PictureSize, AHugeJpegIsMeasuredFromItsHeader) {
  // 10,000 by 10,000: measured without decoding (its pixels are those of a small picture).
  std::string big = WithFrameSize(MakeJpeg(16, 16), 10000, 10000);
  auto size = MeasurePicture(big);
  ASSERT_TRUE(size);
  EXPECT_EQ(*size, (TPictureSize{10000, 10000, pkJpeg}));
}

TEST(PictureSize, FilesAreReadOnlyAsFarAsTheHeaderNeeds) {
  test::TTempDir dir;
  auto write = [&](const std::string& name, const std::string& bytes) {
    std::string path = dir.File(name);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
  };
  EXPECT_EQ(MeasurePictureFile(write("a.gif", Gif(12, 34))), (TPictureSize{12, 34, pkGif}));
  // Metadata of 300 KB before the frame header: the reader goes on reading until it has it.
  std::string jpeg = MakeJpeg(50, 60);
  std::string comment;
  for (int i = 0; i < 5; ++i)
    comment += std::string("\xFF\xFE", 2) + "\xFF\xFF" + std::string(65533, 'c');
  std::string padded = jpeg.substr(0, 2) + comment + jpeg.substr(2);
  EXPECT_EQ(MeasurePictureFile(write("big.jpg", padded)), (TPictureSize{50, 60, pkJpeg}));
  EXPECT_FALSE(MeasurePictureFile(dir.File("missing.png")));
  EXPECT_FALSE(MeasurePictureFile(write("cut.jpg", jpeg.substr(0, 30))));
}

}  // namespace
}  // namespace quorel
