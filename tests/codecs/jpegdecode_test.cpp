// Decoding JPEGs to RGB: the colours of every colour space, progressive pictures, the pixel and
// scan limits, and cut-off, damaged and hostile files giving no picture or a grey-filled one.
#include "codecs/jpegdecode.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "codecs/jpegmaker.h"
#include "support/tempdir.h"

namespace quorel {
namespace {

using test::EncodeJpeg;
using test::NoiseSamples;
using test::TJpegOptions;

struct TRgb {
  int R, G, B;
};

TRgb PixelAt(const TRgbPicture& p, int x, int y) {
  const uint8_t* px = p.Rgb.data() + (size_t(y) * p.Width + x) * 3;
  return {px[0], px[1], px[2]};
}

::testing::AssertionResult Near(TRgb got, TRgb want, int tolerance) {
  if (std::abs(got.R - want.R) <= tolerance && std::abs(got.G - want.G) <= tolerance &&
      std::abs(got.B - want.B) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "got (" << got.R << "," << got.G << "," << got.B << "), want (" << want.R << ","
         << want.G << "," << want.B << ")";
}

std::vector<uint8_t> Flatten(const std::vector<std::vector<uint8_t>>& pixels) {
  std::vector<uint8_t> samples;
  for (const auto& p : pixels) samples.insert(samples.end(), p.begin(), p.end());
  return samples;
}

TEST(JpegDecode, EveryColourSpaceComesOutAsRgb) {
  const TRgb rgb[] = {{255, 0, 0}, {0, 255, 0},   {0, 0, 255},   {255, 255, 255},
                      {0, 0, 0},   {255, 255, 0}, {0, 255, 255}, {255, 0, 255}};
  // Each colour as 2 by 2 pixels: a 8 by 4 picture, one JPEG block high.
  auto blocks = [](const std::vector<std::vector<uint8_t>>& colours) {
    std::vector<std::vector<uint8_t>> pixels;
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 8; ++x) pixels.push_back(colours[(y / 2) * 4 + x / 2]);
    return Flatten(pixels);
  };
  std::vector<std::vector<uint8_t>> asRgb, asCmykInk, asCmykAdobe, asGrey;
  for (TRgb c : rgb) {
    asRgb.push_back({uint8_t(c.R), uint8_t(c.G), uint8_t(c.B)});
    // Ink is the colour's absence; Adobe's files store what is left white instead.
    asCmykInk.push_back({uint8_t(255 - c.R), uint8_t(255 - c.G), uint8_t(255 - c.B), 0});
    asCmykAdobe.push_back({uint8_t(c.R), uint8_t(c.G), uint8_t(c.B), 255});
    asGrey.push_back({uint8_t((c.R + c.G + c.B) / 3)});
  }
  TJpegOptions best;
  best.Quality = 100;
  TJpegOptions withoutAdobe = best;
  withoutAdobe.AdobeMarker = false;
  struct TCase {
    const char* Name;
    std::string Jpeg;
    bool Grey;
  };
  const TCase cases[] = {
      {"ycbcr", EncodeJpeg(8, 4, JCS_RGB, blocks(asRgb), best), false},
      {"rgb", EncodeJpeg(8, 4, JCS_EXT_RGB, blocks(asRgb), best), false},
      {"cmyk with Adobe's marker", EncodeJpeg(8, 4, JCS_CMYK, blocks(asCmykAdobe), best), false},
      {"cmyk of ink", EncodeJpeg(8, 4, JCS_CMYK, blocks(asCmykInk), withoutAdobe), false},
      {"grey", EncodeJpeg(8, 4, JCS_GRAYSCALE, blocks(asGrey), best), true},
  };
  for (const TCase& c : cases) {
    auto picture = DecodeJpeg(c.Jpeg);
    ASSERT_TRUE(picture) << c.Name;
    ASSERT_EQ(picture->Width, 8) << c.Name;
    ASSERT_EQ(picture->Height, 4) << c.Name;
    ASSERT_EQ(picture->Rgb.size(), 8u * 4 * 3) << c.Name;
    for (int i = 0; i < 8; ++i) {
      TRgb want = rgb[i];
      if (c.Grey) want.R = want.G = want.B = (want.R + want.G + want.B) / 3;
      EXPECT_TRUE(Near(PixelAt(*picture, (i % 4) * 2, (i / 4) * 2), want, 12))
          << c.Name << " colour " << i;
    }
  }
}

TEST(JpegDecode, AProgressivePictureHasTheSamePixelsAsABaselineOne) {
  // The same quantised coefficients, only sent in several scans.
  const std::vector<uint8_t> samples = NoiseSamples(40, 24, 3);
  auto baseline = DecodeJpeg(EncodeJpeg(40, 24, JCS_RGB, samples));
  auto progressive = DecodeJpeg(EncodeJpeg(40, 24, JCS_RGB, samples, test::Progressive()));
  ASSERT_TRUE(baseline);
  ASSERT_TRUE(progressive);
  EXPECT_EQ(progressive->Rgb, baseline->Rgb);
  // CMYK keeps 4 components of coefficients: still within the decoder's memory at the limit.
  auto cmyk = DecodeJpeg(
      EncodeJpeg(100, 100, JCS_CMYK, NoiseSamples(100, 100, 4), test::Progressive()), 100 * 100);
  ASSERT_TRUE(cmyk);
  EXPECT_EQ(cmyk->Width, 100);
}

TEST(JpegDecode, PicturesOverThePixelLimitAreRefusedFromTheirHeader) {
  const std::string jpeg = EncodeJpeg(100, 50, JCS_GRAYSCALE, NoiseSamples(100, 50, 1));
  EXPECT_TRUE(DecodeJpeg(jpeg, 5000));
  EXPECT_FALSE(DecodeJpeg(jpeg, 4999));
  // 3.6 billion pixels claimed by a file of a few hundred bytes: 10.8 GB if it were allocated
  // (which the sanitizers would stop), and slow to fill with grey.
  const std::string huge = test::WithFrameSize(jpeg, 60000, 60000);
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(DecodeJpeg(huge));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

TEST(JpegDecode, APictureCutOffHalfwayIsFilledWithGrey) {
  const std::string jpeg = EncodeJpeg(128, 128, JCS_RGB, NoiseSamples(128, 128, 3));
  auto whole = DecodeJpeg(jpeg);
  auto half = DecodeJpeg(jpeg.substr(0, jpeg.size() / 2));
  ASSERT_TRUE(whole);
  ASSERT_TRUE(half);
  ASSERT_EQ(half->Width, 128);
  ASSERT_EQ(half->Height, 128);
  EXPECT_TRUE(Near(PixelAt(*half, 0, 0), PixelAt(*whole, 0, 0), 0));
  EXPECT_TRUE(Near(PixelAt(*half, 127, 127), {128, 128, 128}, 1));
}

TEST(JpegDecode, EveryCutOfAFileGivesItsSizeOrNothing) {
  const std::vector<uint8_t> samples = NoiseSamples(24, 16, 3);
  const std::string files[] = {
      EncodeJpeg(24, 16, JCS_RGB, samples),
      EncodeJpeg(24, 16, JCS_RGB, samples, test::Progressive()),
      test::ReadBytes(std::string(QUOREL_TEST_DATA_DIR) + "/pictures/seed.jpg"),
  };
  for (const std::string& jpeg : files) {
    ASSERT_GT(jpeg.size(), 100u);
    int decoded = 0;
    for (size_t length = 0; length <= jpeg.size(); ++length) {
      auto picture = DecodeJpeg(std::string_view(jpeg).substr(0, length));
      if (!picture) continue;
      ++decoded;
      EXPECT_EQ(picture->Rgb.size(), size_t(picture->Width) * picture->Height * 3) << length;
    }
    EXPECT_GT(decoded, 0);  // the whole file at least
  }
}

TEST(JpegDecode, DamagedFilesGiveNothing) {
  const std::string good = EncodeJpeg(16, 16, JCS_RGB, NoiseSamples(16, 16, 3));
  std::string badTable = good;
  size_t dht = badTable.find("\xFF\xC4");
  ASSERT_NE(dht, std::string::npos);
  for (int i = 0; i < 16; ++i) badTable[dht + 5 + i] = '\xFF';  // far more codes than there are
  std::string noise(2000, '\0');
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919) >> 3);
  const std::pair<const char*, std::string> cases[] = {
      {"empty", ""},
      {"text", "<html><body>no picture</body></html>"},
      {"noise", noise},
      {"a start marker and noise", "\xFF\xD8" + noise},
      {"a Huffman table of too many codes", badTable},
      {"two colour components", EncodeJpeg(8, 8, JCS_UNKNOWN, NoiseSamples(8, 8, 2))},
      {"a scan after the header out of bounds",
       test::WithDamagedSecondScan(
           EncodeJpeg(16, 16, JCS_RGB, NoiseSamples(16, 16, 3), test::Progressive()))},
  };
  for (const auto& [name, bytes] : cases) EXPECT_FALSE(DecodeJpeg(bytes)) << name;
}

TEST(JpegDecode, AFileOfHundredsOfScansIsRefused) {
  // Every coefficient in its own scan: 64 scans, which real encoders could still write; and
  // each of those refined bit by bit as well: 253 scans, made to keep the decoder busy.
  auto script = [](bool refined) {
    std::vector<jpeg_scan_info> scans = {{1, {0}, 0, 0, 0, 0}};
    for (int k = 1; k < 64; ++k) {
      if (!refined) {
        scans.push_back({1, {0}, k, k, 0, 0});
        continue;
      }
      scans.push_back({1, {0}, k, k, 0, 3});
      for (int bit = 3; bit > 0; --bit) scans.push_back({1, {0}, k, k, bit, bit - 1});
    }
    return scans;
  };
  const std::vector<uint8_t> samples = NoiseSamples(16, 16, 1);
  TJpegOptions many, tooMany;
  many.Scans = script(false);
  tooMany.Scans = script(true);
  auto picture = DecodeJpeg(EncodeJpeg(16, 16, JCS_GRAYSCALE, samples, many));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Width, 16);
  EXPECT_FALSE(DecodeJpeg(EncodeJpeg(16, 16, JCS_GRAYSCALE, samples, tooMany)));
}

}  // namespace
}  // namespace quorel
