// Measuring pictures: 1,000 files of each kind read from disk for their size, and a 10,000 by
// 10,000 JPEG measured from its header without decoding it. Decoding a JPEG of a million pixels,
// as the image map creator does to show a picture.
//
// Built by the release preset, run by hand:
//   ./build/release/bin/picture_bench
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
// jpeglib.h uses size_t and FILE without declaring them.
#include <jpeglib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "codecs/jpegdecode.h"
#include "codecs/picturesize.h"

namespace {

using quorel::MeasurePicture;
using quorel::MeasurePictureFile;

std::string ReadSeed(const std::string& name) {
  std::ifstream in(std::string(QUOREL_PICTURES_DIR) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// 1,000 copies of a seed picture in a temporary folder, removed at the end of the program.
class TPictureFolder {
 public:
  explicit TPictureFolder(const std::string& seed) {
    dir_ = std::filesystem::temp_directory_path() /
           ("quorel-picture-bench-" + std::to_string(::getpid()) + "-" + seed);
    std::filesystem::create_directories(dir_);
    std::string bytes = ReadSeed(seed);
    for (int i = 0; i < 1000; ++i) {
      std::string path = (dir_ / (std::to_string(i) + "-" + seed)).string();
      std::ofstream(path, std::ios::binary) << bytes;
      paths_.push_back(path);
    }
  }
  ~TPictureFolder() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  const std::vector<std::string>& Paths() const { return paths_; }

 private:
  std::filesystem::path dir_;
  std::vector<std::string> paths_;
};

void BM_MeasureThousandFiles(benchmark::State& state, const char* seed) {
  TPictureFolder folder(seed);
  int measured = 0;
  for (auto _ : state) {
    measured = 0;
    for (const std::string& path : folder.Paths()) measured += MeasurePictureFile(path) ? 1 : 0;
  }
  if (measured != 1000) state.SkipWithError("a picture was not measured");
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 1000);
}
BENCHMARK_CAPTURE(BM_MeasureThousandFiles, jpeg, "seed.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MeasureThousandFiles, gif, "seed.gif")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MeasureThousandFiles, png, "seed.png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MeasureThousandFiles, bmp, "seed.bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MeasureThousandFiles, ico, "seed.ico")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MeasureThousandFiles, webp, "seed.webp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MeasureThousandFiles, emf, "seed.emf")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MeasureThousandFiles, wmf, "seed.wmf")->Unit(benchmark::kMillisecond);

// The seed JPEG with a frame header of 10,000 by 10,000: decoding it would take a 100 million
// pixel buffer; measuring it reads the header only.
void BM_MeasureHugeJpeg(benchmark::State& state) {
  std::string jpeg = ReadSeed("seed.jpg");
  size_t sof = jpeg.find("\xFF\xC0");
  if (sof == std::string::npos) sof = jpeg.find("\xFF\xC2");
  if (sof == std::string::npos) {
    state.SkipWithError("no frame header in the seed");
    return;
  }
  for (size_t k : {5, 7}) {
    jpeg[sof + k] = static_cast<char>(10000 >> 8);
    jpeg[sof + k + 1] = static_cast<char>(10000 & 0xFF);
  }
  for (auto _ : state) {
    auto size = MeasurePicture(jpeg);
    if (!size || size->Width != 10000) state.SkipWithError("not measured");
    benchmark::DoNotOptimize(size);
  }
}
BENCHMARK(BM_MeasureHugeJpeg)->Unit(benchmark::kMicrosecond);

// A photograph-like JPEG: smooth colours with grain, at quality 90 and half-resolution chroma
// (libjpeg's defaults, those of most cameras).
std::string MakePhotoJpeg(int width, int height) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 90, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
  uint32_t grain = 1;
  while (info.next_scanline < info.image_height) {
    const int y = static_cast<int>(info.next_scanline);
    for (int x = 0; x < width; ++x) {
      grain = grain * 1103515245 + 12345;
      const int noise = static_cast<int>(grain >> 28);
      row[x * 3] = static_cast<unsigned char>(x * 255 / width / 2 + noise);
      row[x * 3 + 1] = static_cast<unsigned char>(y * 255 / height / 2 + noise);
      row[x * 3 + 2] = static_cast<unsigned char>((x + y) % 256 / 2 + noise);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::string bytes(reinterpret_cast<char*>(out), size);
  jpeg_destroy_compress(&info);
  std::free(out);
  return bytes;
}

void BM_DecodeMillionPixelJpeg(benchmark::State& state) {
  const std::string jpeg = MakePhotoJpeg(1000, 1000);
  for (auto _ : state) {
    auto picture = quorel::DecodeJpeg(jpeg);
    if (!picture || picture->Width != 1000) state.SkipWithError("not decoded");
    benchmark::DoNotOptimize(picture);
  }
  state.counters["jpeg_kb"] = static_cast<double>(jpeg.size()) / 1024;
}
BENCHMARK(BM_DecodeMillionPixelJpeg)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
