// The items palette's file: reading 100,000 lines into the tree (groups of tags, each with
// attributes and values, as a large hand-made Items.txt is laid out), and writing it back.
//
// Built by the release preset, run by hand:
//   ./build/release/bin/items_bench
#include <benchmark/benchmark.h>

#include <string>

#include "palettes/itemtree.h"

namespace {

// 100,000 lines: 1,000 groups of 20 tags, each tag with two attributes and two values.
std::string LargeItemsFile() {
  std::string out;
  int lines = 0;
  for (int g = 0; lines < 100000; ++g) {
    out += "Group " + std::to_string(g) + "\r\n";
    ++lines;
    for (int t = 0; t < 20 && lines < 100000; ++t) {
      out += "\t<tag" + std::to_string(t) + "></tag" + std::to_string(t) + ">\r\n";
      out += "\t\tclass=\"\"\r\n\t\t\tprimary\r\n\t\t\tsecondary\r\n\t\tWidth=\"100%\"\r\n";
      lines += 5;
    }
  }
  return out;
}

void BM_LoadItemsFile(benchmark::State& state) {
  const std::string file = LargeItemsFile();
  for (auto _ : state) {
    quorel::TItemsLoad load = quorel::ParseItemsFile(file);
    if (!load.Ok) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(load);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_LoadItemsFile)->Unit(benchmark::kMillisecond);

void BM_SaveItemsFile(benchmark::State& state) {
  const quorel::TItemTree tree = quorel::ParseItemsFile(LargeItemsFile()).Tree;
  for (auto _ : state) benchmark::DoNotOptimize(quorel::WriteItemsFile(tree));
}
BENCHMARK(BM_SaveItemsFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
