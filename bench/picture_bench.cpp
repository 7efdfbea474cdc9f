// Measuring pictures: 1,000 files of each kind read from disk for their size, and a 10,000 by
// 10,000 JPEG measured from its header without decoding it.
//
// Built by the release preset, run by hand:
//   ./build/release/bin/picture_bench
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

}  // namespace

BENCHMARK_MAIN();
